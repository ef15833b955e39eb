#include <platform/IniFile.h>

#include <platform/RegularFileReader.h>
#include <platform/Utf.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::IniFile {

namespace {

enum class Encoding { Bytes, Utf8Bom, Utf16Le, Utf16Be };

// One line of the file. Lines of a byte-encoded file keep their bytes, so
// that a write of one key gives every other line back byte for byte, also a
// line in an 8-bit encoding or with a stray byte; `text` is what matching
// and reading see.
struct Line
{
    std::u16string text;
    std::string bytes; // with its "\r", if any, without the "\n"
    bool keepBytes = false;
};

struct Content
{
    Encoding encoding = Encoding::Bytes;
    std::vector<Line> lines;
};

// UTF-8 when the bytes are UTF-8, else each byte as its Latin-1 character.
std::u16string decodeLine(std::string_view bytes)
{
    std::u16string text = FromUtf8(bytes);
    if (ToUtf8(text) == bytes)
        return text;
    text.clear();
    for (const char c : bytes)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return text;
}

void splitByteLines(std::string_view bytes, Content& content)
{
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        Line line;
        line.bytes = std::string(bytes.substr(start, end - start));
        line.keepBytes = true;
        std::string_view body = line.bytes;
        if (!body.empty() && body.back() == '\r')
            body.remove_suffix(1);
        line.text = decodeLine(body);
        content.lines.push_back(std::move(line));
        start = end + 1;
    }
}

void splitTextLines(const std::u16string& text, Content& content)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        Line line;
        line.text = text.substr(start, end - start);
        if (!line.text.empty() && line.text.back() == u'\r')
            line.text.pop_back();
        content.lines.push_back(std::move(line));
        start = end + 1;
    }
}

std::u16string decodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : first | (second << 8)));
    }
    return text;
}

bool readContent(const std::filesystem::path& file, Content& content)
{
    // A pipe would wait for a writer, a device never end.
    RegularFileReader reader(file.string(), kMaxFileBytes);
    std::vector<std::uint8_t> data;
    if (reader.GetOutcome() != RegularFileReader::Outcome::Open || !reader.ReadAll(data))
        return false;
    const std::string bytes(data.begin(), data.end());

    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 && byteAt(0) == 0xFF && byteAt(1) == 0xFE) {
        content.encoding = Encoding::Utf16Le;
        splitTextLines(decodeUtf16(bytes, false), content);
    } else if (bytes.size() >= 2 && byteAt(0) == 0xFE && byteAt(1) == 0xFF) {
        content.encoding = Encoding::Utf16Be;
        splitTextLines(decodeUtf16(bytes, true), content);
    } else if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        content.encoding = Encoding::Utf8Bom;
        splitByteLines(std::string_view(bytes).substr(3), content);
    } else {
        content.encoding = Encoding::Bytes;
        splitByteLines(bytes, content);
    }
    return true;
}

void appendUtf16(std::string& bytes, const std::u16string& text, bool bigEndian)
{
    for (const char16_t c : text) {
        const char high = static_cast<char>(c >> 8);
        const char low = static_cast<char>(c & 0xFF);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    }
}

std::string encodeContent(const Content& content)
{
    std::string bytes;
    const bool utf16 = content.encoding == Encoding::Utf16Le || content.encoding == Encoding::Utf16Be;
    const bool bigEndian = content.encoding == Encoding::Utf16Be;
    if (content.encoding == Encoding::Utf16Le)
        bytes = "\xFF\xFE";
    else if (bigEndian)
        bytes = "\xFE\xFF";
    else if (content.encoding == Encoding::Utf8Bom)
        bytes = "\xEF\xBB\xBF";
    for (const Line& line : content.lines) {
        if (utf16)
            appendUtf16(bytes, line.text + u"\r\n", bigEndian);
        else if (line.keepBytes)
            bytes += line.bytes + "\n";
        else
            bytes += ToUtf8(line.text) + "\r\n";
    }
    return bytes;
}

bool writeAll(int fd, const std::string& bytes)
{
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

bool writeContent(const std::filesystem::path& file, const Content& content)
{
    const std::string bytes = encodeContent(content);
    // A failed write must leave the old file as it was: the new content goes
    // to a file of its own, reaches the disk, and only then takes the name.
    std::string temp = file.string() + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    struct stat previous
    {
    };
    ::fchmod(fd, ::stat(file.c_str(), &previous) == 0 ? previous.st_mode & 07777 : 0644);
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(temp.c_str(), file.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

// Holds a lock on the file's folder while one write reads, changes and
// replaces the file, so that two processes writing one file lose no update.
// Readers need none: they see the old file or the new one, never a mix.
class FolderLock
{
public:
    explicit FolderLock(const std::filesystem::path& file)
    {
        const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
        m_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (m_fd >= 0)
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) { }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

private:
    int m_fd = -1;
};

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
        auto name = sectionName(lines[i].text);
        if (!name || !equalsIgnoringCase(*name, trimmed(section)))
            continue;
        found.sectionLine = i;
        found.sectionEnd = i + 1;
        for (std::size_t j = i + 1; j < lines.size() && !sectionName(lines[j].text); ++j) {
            if (isComment(lines[j].text))
                continue;
            found.sectionEnd = j + 1;
            if (found.keyLine == std::u16string::npos
                && equalsIgnoringCase(keyOf(lines[j].text), trimmed(key)))
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
    std::u16string_view line = content.lines[found.keyLine].text;
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
    // A line break would end the line early: the rest would become a line of
    // its own, which may set or hide another key.
    const auto breaksLine = [](std::u16string_view text) {
        return text.find_first_of(u"\r\n") != std::u16string_view::npos;
    };
    if (breaksLine(section) || breaksLine(key) || (value && breaksLine(*value)))
        return false;

    const FolderLock lock(file);
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

    Line line;
    line.text = std::u16string(trimmed(key)) + u"=" + std::u16string(*value);
    if (found.keyLine != std::u16string::npos) {
        content.lines[found.keyLine] = std::move(line);
    } else if (found.sectionLine != std::u16string::npos) {
        content.lines.insert(
            content.lines.begin() + static_cast<std::ptrdiff_t>(found.sectionEnd), std::move(line));
    } else {
        Line header;
        header.text = u"[" + std::u16string(trimmed(section)) + u"]";
        content.lines.push_back(std::move(header));
        content.lines.push_back(std::move(line));
    }
    return writeContent(file, content);
}

} // namespace platform::IniFile
