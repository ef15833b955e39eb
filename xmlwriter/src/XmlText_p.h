#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qzXml::detail {

// Texts go into the tree as UTF-8, which the declaration names; the printer
// escapes them.
std::string ToTreeText(std::u16string_view text);

// Attribute numbers in the C locale, independent of the process locale.
std::string FormatSigned(std::int64_t value);
std::string FormatUnsigned(std::uint64_t value);
std::string FormatReal(double value); // like "%g"

} // namespace qzXml::detail
