#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qzXml::detail {

// Texts go into the tree as UTF-8, which the declaration names; the printer
// escapes them. Characters that XML 1.0 does not allow anywhere in a document
// (control characters other than tab, line feed and carriage return, U+FFFE,
// U+FFFF) are dropped: no character reference can carry them either, and a
// strict reader would refuse the whole file.
std::string ToTreeText(std::u16string_view text);

// Whether the text is a valid XML 1.0 element or attribute name.
bool IsXmlName(std::u16string_view name) noexcept;

// The text of a number, built without allocating, so that a typed setter
// cannot run out of memory before it reaches its guard.
struct NumberText
{
    char data[32];
    std::size_t size = 0;
    std::string_view view() const { return { data, size }; }
};

// Attribute numbers in the C locale, independent of the process locale.
NumberText FormatSigned(std::int64_t value) noexcept;
NumberText FormatUnsigned(std::uint64_t value) noexcept;
NumberText FormatReal(double value) noexcept; // like "%g"

} // namespace qzXml::detail
