#include "XmlText_p.h"

#include <platform/Utf.h>

#include <charconv>

namespace qzXml::detail {

std::string ToTreeText(std::u16string_view text)
{
    return platform::ToUtf8(text);
}

NumberText FormatSigned(std::int64_t value) noexcept
{
    NumberText text;
    const auto result = std::to_chars(text.data, text.data + sizeof text.data, value);
    text.size = static_cast<std::size_t>(result.ptr - text.data);
    return text;
}

NumberText FormatUnsigned(std::uint64_t value) noexcept
{
    NumberText text;
    const auto result = std::to_chars(text.data, text.data + sizeof text.data, value);
    text.size = static_cast<std::size_t>(result.ptr - text.data);
    return text;
}

NumberText FormatReal(double value) noexcept
{
    NumberText text;
    const auto result
        = std::to_chars(text.data, text.data + sizeof text.data, value, std::chars_format::general, 6);
    text.size = static_cast<std::size_t>(result.ptr - text.data);
    return text;
}

} // namespace qzXml::detail
