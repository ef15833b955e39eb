#include "TextFile_p.h"

#include <platform/Utf.h>

#include <string_view>

namespace shareguard::detail {

std::string UnicodeBytes(const std::u16string& text)
{
    std::string bytes;
    bytes.reserve(2 + 2 * text.size());
    bytes += '\xFF';
    bytes += '\xFE';
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string AnsiBytes(const std::u16string& text)
{
    return platform::ToUtf8(text);
}

std::u16string WithCrLf(const std::u16string& text)
{
    std::u16string out;
    out.reserve(text.size() + 16);
    for (char16_t unit : text) {
        if (unit == u'\n')
            out += u'\r';
        out += unit;
    }
    return out;
}

std::u16string JoinLines(const std::vector<std::u16string>& lines)
{
    if (lines.empty())
        return u" \r\n";
    std::u16string out;
    for (const auto& line : lines) {
        out += line;
        out += u"\r\n";
    }
    return out;
}

namespace {

std::u16string DecodeText(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        std::u16string text;
        text.reserve(bytes.size() / 2);
        // A dangling last byte of a damaged file is not half a character.
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        return text;
    }
    return platform::FromUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void AppendLine(std::u16string_view line, std::vector<std::u16string>& lines)
{
    if (line.find(u'\r') == std::u16string_view::npos) {
        lines.emplace_back(line);
        return;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t cr = line.find(u'\r', start);
        if (cr == std::u16string_view::npos) {
            if (start < line.size())
                lines.emplace_back(line.substr(start));
            return;
        }
        lines.emplace_back(line.substr(start, cr - start));
        start = cr + 1;
    }
}

} // namespace

std::vector<std::u16string> SplitTextFileLines(const std::vector<std::uint8_t>& bytes)
{
    const std::u16string text = DecodeText(bytes);
    const std::u16string_view view(text);
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    while (start < view.size()) {
        const std::size_t lf = view.find(u'\n', start);
        if (lf == std::u16string_view::npos) {
            AppendLine(view.substr(start), lines);
            break;
        }
        AppendLine(view.substr(start, lf - start), lines);
        start = lf + 1;
    }
    return lines;
}

} // namespace shareguard::detail
