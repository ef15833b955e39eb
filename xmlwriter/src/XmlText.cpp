#include "XmlText_p.h"

#include <platform/Utf.h>

#include <charconv>

namespace qzXml::detail {

std::string ToTreeText(std::u16string_view text)
{
    return platform::ToUtf8(text);
}

std::string FormatSigned(std::int64_t value)
{
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatUnsigned(std::uint64_t value)
{
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatReal(double value)
{
    char buffer[40];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

} // namespace qzXml::detail
