#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-16 <-> UTF-8. Lone surrogates and invalid UTF-8 sequences become
// U+FFFD, so damaged text never stops a conversion.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

} // namespace platform
