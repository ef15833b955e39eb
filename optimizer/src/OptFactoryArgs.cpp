#include <nestcore/OptFactoryArgs.h>

namespace optimization {

OptFactoryArgs::OptFactoryArgs() = default;
OptFactoryArgs::OptFactoryArgs(const OptFactoryArgs& other) = default;
OptFactoryArgs& OptFactoryArgs::operator=(const OptFactoryArgs& other) = default;
OptFactoryArgs::~OptFactoryArgs() = default;

} // namespace optimization
