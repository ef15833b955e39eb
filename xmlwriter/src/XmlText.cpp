#include "XmlText_p.h"

#include <platform/Utf.h>

#include <charconv>

namespace qzXml::detail {

namespace {

bool IsXmlChar(char16_t c) noexcept
{
    // Surrogates pass: the UTF-8 conversion pairs them or replaces them.
    if (c < 0x20)
        return c == u'\t' || c == u'\n' || c == u'\r';
    return c != 0xFFFE && c != 0xFFFF;
}

bool IsHighSurrogate(char16_t c) noexcept
{
    return c >= 0xD800 && c < 0xDC00;
}

bool IsLowSurrogate(char16_t c) noexcept
{
    return c >= 0xDC00 && c < 0xE000;
}

bool IsNameStartChar(char32_t c) noexcept
{
    return c == U':' || c == U'_' || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z')
        || (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF)
        || (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || c == 0x200C || c == 0x200D
        || (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF)
        || (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(char32_t c) noexcept
{
    return IsNameStartChar(c) || c == U'-' || c == U'.' || (c >= U'0' && c <= U'9') || c == 0xB7
        || (c >= 0x300 && c <= 0x36F) || c == 0x203F || c == 0x2040;
}

} // namespace

std::string ToTreeText(std::u16string_view text)
{
    std::u16string allowed;
    allowed.reserve(text.size());
    for (const char16_t c : text)
        if (IsXmlChar(c))
            allowed.push_back(c);
    return platform::ToUtf8(allowed);
}

bool IsXmlName(std::u16string_view name) noexcept
{
    if (name.empty())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const bool first = i == 0;
        char32_t c = name[i];
        if (IsHighSurrogate(name[i]) && i + 1 < name.size() && IsLowSurrogate(name[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (name[i + 1] - 0xDC00u);
            ++i;
        } else if (IsHighSurrogate(name[i]) || IsLowSurrogate(name[i])) {
            return false;
        }
        if (!(first ? IsNameStartChar(c) : IsNameChar(c)))
            return false;
    }
    return true;
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
