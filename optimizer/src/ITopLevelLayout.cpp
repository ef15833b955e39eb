#include <nestcore/ITopLevelLayout.h>

namespace optimization {

// Defined out of line so that the interface's type information and virtual
// table live in the library.
ITopLevelLayout::~ITopLevelLayout() = default;

} // namespace optimization
