#pragma once

#include <string>

namespace shareguard::detail {

// A new random (version 4) GUID in its braced upper-case text form, or an
// empty text when the system gives no random bytes.
std::u16string NewGuidText();

} // namespace shareguard::detail
