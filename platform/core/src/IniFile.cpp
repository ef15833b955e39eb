#include <platform/IniFile.h>

#include <platform/Utf.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace platform::IniFile {

namespace {

enum class Encoding { Utf8, Utf8Bom, Utf16Le };

struct Content
{
    Encoding encoding = Encoding::Utf8;
    std::vector<std::u16string> lines;
};

bool readContent(const std::filesystem::path& file, Content& content)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return false;

    std::u16string text;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF
        && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        content.encoding = Encoding::Utf16Le;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            text.push_back(static_cast<char16_t>(
                static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    } else if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        content.encoding = Encoding::Utf8Bom;
        text = FromUtf8(std::string_view(bytes).substr(3));
    } else {
        content.encoding = Encoding::Utf8;
        text = FromUtf8(bytes);
    }

    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        std::u16string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r')
            line.pop_back();
        content.lines.push_back(std::move(line));
        start = end + 1;
    }
    return true;
}

bool writeContent(const std::filesystem::path& file, const Content& content)
{
    std::u16string text;
    for (const auto& line : content.lines) {
        text += line;
        text += u"\r\n";
    }
    std::string bytes;
    switch (content.encoding) {
    case Encoding::Utf16Le:
        bytes = "\xFF\xFE";
        for (char16_t c : text) {
            bytes.push_back(static_cast<char>(c & 0xFF));
            bytes.push_back(static_cast<char>(c >> 8));
        }
        break;
    case Encoding::Utf8Bom:
        bytes = "\xEF\xBB\xBF" + ToUtf8(text);
        break;
    case Encoding::Utf8:
        bytes = ToUtf8(text);
        break;
    }

    // A failed write must leave the old file as it was.
    std::filesystem::path temp = file;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r';
}

std::u16string_view trimmed(std::u16string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char16_t fold(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}

// The section name of a "[name]" line, or nothing.
std::optional<std::u16string_view> sectionName(std::u16string_view line)
{
    line = trimmed(line);
    if (line.empty() || line.front() != u'[')
        return std::nullopt;
    const auto close = line.find(u']');
    if (close == std::u16string_view::npos)
        return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

bool isComment(std::u16string_view line)
{
    line = trimmed(line);
    return line.empty() || line.front() == u';';
}

std::u16string_view keyOf(std::u16string_view line)
{
    const auto eq = line.find(u'=');
    return trimmed(eq == std::u16string_view::npos ? line : line.substr(0, eq));
}

struct Found
{
    std::size_t sectionLine = std::u16string::npos; // the "[section]" line
    std::size_t sectionEnd = 0; // one past the section's last key line
    std::size_t keyLine = std::u16string::npos;
};

Found find(const Content& content, std::u16string_view section, std::u16string_view key)
{
    Found found;
    const auto& lines = content.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto name = sectionName(lines[i]);
        if (!name || !equalsIgnoringCase(*name, trimmed(section)))
            continue;
        found.sectionLine = i;
        found.sectionEnd = i + 1;
        for (std::size_t j = i + 1; j < lines.size() && !sectionName(lines[j]); ++j) {
            if (isComment(lines[j]))
                continue;
            found.sectionEnd = j + 1;
            if (found.keyLine == std::u16string::npos && equalsIgnoringCase(keyOf(lines[j]), trimmed(key)))
                found.keyLine = j;
        }
        return found;
    }
    return found;
}

std::optional<std::u16string> readValue(
    const std::filesystem::path& file, std::u16string_view section, std::u16string_view key)
{
    Content content;
    if (!readContent(file, content))
        return std::nullopt;
    const Found found = find(content, section, key);
    if (found.keyLine == std::u16string::npos)
        return std::nullopt;
    std::u16string_view line = content.lines[found.keyLine];
    const auto eq = line.find(u'=');
    if (eq == std::u16string_view::npos)
        return std::u16string();
    std::u16string_view value = trimmed(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
        && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::u16string(value);
}

} // namespace

std::u16string ReadString(const std::filesystem::path& file, std::u16string_view section,
    std::u16string_view key, std::u16string_view defaultValue, std::size_t maxChars)
{
    std::u16string value = readValue(file, section, key).value_or(std::u16string(defaultValue));
    if (value.size() > maxChars)
        value.resize(maxChars);
    return value;
}

int ReadInt(
    const std::filesystem::path& file, std::u16string_view section, std::u16string_view key, int defaultValue)
{
    const auto value = readValue(file, section, key);
    if (!value || value->empty())
        return defaultValue;
    std::u16string_view s = trimmed(*value);
    bool negative = false;
    if (!s.empty() && (s.front() == u'-' || s.front() == u'+')) {
        negative = s.front() == u'-';
        s.remove_prefix(1);
    }
    unsigned base = 10;
    if (s.size() >= 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    // Wraps at 32 bits like the profile functions it stands in for.
    std::uint32_t result = 0;
    for (char16_t c : s) {
        unsigned digit = 0;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && fold(c) >= u'a' && fold(c) <= u'f')
            digit = fold(c) - u'a' + 10;
        else
            break;
        result = result * base + digit;
    }
    if (negative)
        result = 0u - result;
    return static_cast<int>(result);
}

bool WriteString(const std::filesystem::path& file, std::u16string_view section, std::u16string_view key,
    std::optional<std::u16string_view> value)
{
    Content content;
    if (!readContent(file, content)) {
        std::error_code ec;
        if (std::filesystem::exists(file, ec))
            return false;
    }
    const Found found = find(content, section, key);
    if (!value) {
        if (found.keyLine == std::u16string::npos)
            return true;
        content.lines.erase(content.lines.begin() + static_cast<std::ptrdiff_t>(found.keyLine));
        return writeContent(file, content);
    }

    std::u16string line = std::u16string(trimmed(key)) + u"=" + std::u16string(*value);
    if (found.keyLine != std::u16string::npos) {
        content.lines[found.keyLine] = std::move(line);
    } else if (found.sectionLine != std::u16string::npos) {
        content.lines.insert(
            content.lines.begin() + static_cast<std::ptrdiff_t>(found.sectionEnd), std::move(line));
    } else {
        content.lines.push_back(u"[" + std::u16string(trimmed(section)) + u"]");
        content.lines.push_back(std::move(line));
    }
    return writeContent(file, content);
}

} // namespace platform::IniFile
