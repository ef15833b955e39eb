#include "foundation/FileNames.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // + byte (0x80 to 0xFF)

// Length of the valid UTF-8 sequence at data[0..left), 0 when it is not one.
// Overlong forms, surrogates and values above U+10FFFF are not valid.
int ValidSequenceLength(const unsigned char* data, qsizetype left)
{
    const unsigned char lead = data[0];
    int length = 0;
    char32_t value = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((data[i] & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (data[i] & 0x3F);
    }
    const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return length;
}

bool IsEscapedByte(char16_t unit)
{
    return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
}

// How a character, or a unit that is not half of a character pair, is
// shown; empty when it is shown as it is. Characters of the format class
// (direction overrides and isolates, zero-width marks, the soft hyphen, tag
// characters, whatever their plane) draw nothing or turn the text around
// them: a name holding one can turn a whole title bar around, hide text or
// look like another name.
QString EscapeForDisplay(char32_t code)
{
    const auto hex = [](unsigned value, int digits) {
        return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0'));
    };
    if (code <= 0xFFFF && IsEscapedByte(static_cast<char16_t>(code)))
        return QStringLiteral("\\x") + hex(code - kEscapeBase, 2);
    if (code == u'\n')
        return QStringLiteral("\\n");
    if (code == u'\r')
        return QStringLiteral("\\r");
    if (code == u'\t')
        return QStringLiteral("\\t");
    const QChar::Category category = QChar::category(code);
    if (category == QChar::Other_Control && code < 0x80)
        return QStringLiteral("\\x") + hex(code, 2);
    if (code > 0xFFFF)
        return category == QChar::Other_Format ? QStringLiteral("\\U") + hex(code, 8) : QString();
    // Beyond ASCII a character of its own, apart from the bytes above.
    if (category == QChar::Other_Control || category == QChar::Separator_Line
        || category == QChar::Separator_Paragraph || category == QChar::Other_Format
        || QChar::isSurrogate(code))
        return QStringLiteral("\\u") + hex(code, 4);
    return {};
}

} // namespace

QString DecodeFileName(const QByteArray& bytes)
{
    QString name;
    name.reserve(bytes.size());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype at = 0; at < bytes.size();) {
        const int length = ValidSequenceLength(data + at, bytes.size() - at);
        if (length == 0) {
            name.append(QChar(static_cast<char16_t>(kEscapeBase + data[at])));
            ++at;
            continue;
        }
        // Qt's decoder drops a byte-order mark at the start of its input,
        // which every sequence here is: kept by hand, the name still
        // reaches its file.
        if (length == 3 && data[at] == 0xEF && data[at + 1] == 0xBB && data[at + 2] == 0xBF)
            name.append(QChar(char16_t(0xFEFF)));
        else
            name.append(QString::fromUtf8(bytes.constData() + at, length));
        at += length;
    }
    return name;
}

QByteArray EncodeFileName(const QString& name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    const auto* units = reinterpret_cast<const char16_t*>(name.utf16());
    qsizetype runStart = 0;
    auto flushRun = [&](qsizetype end) {
        if (end > runStart)
            bytes.append(QStringView(units + runStart, end - runStart).toUtf8());
    };
    for (qsizetype at = 0; at < name.size(); ++at) {
        if (!IsEscapedByte(units[at]))
            continue;
        // A lone escape stands for its byte; one that pairs with a high
        // surrogate before it is part of a real character.
        if (at > 0 && QChar::isHighSurrogate(units[at - 1]))
            continue;
        flushRun(at);
        bytes.append(static_cast<char>(units[at] - kEscapeBase));
        runStart = at + 1;
    }
    flushRun(name.size());
    return bytes;
}

QString DisplayFileName(const QString& name)
{
    const QString native = QDir::toNativeSeparators(name);
    const auto* units = reinterpret_cast<const char16_t*>(native.utf16());
    const qsizetype size = native.size();
    QString shown;
    shown.reserve(size);
    for (qsizetype at = 0; at < size; ++at) {
        const char16_t unit = units[at];
        const bool pair
            = QChar::isHighSurrogate(unit) && at + 1 < size && QChar::isLowSurrogate(units[at + 1]);
        const char32_t code = pair ? QChar::surrogateToUcs4(unit, units[at + 1]) : unit;
        const QString escape = EscapeForDisplay(code);
        if (!escape.isEmpty())
            shown.append(escape);
        else if (pair)
            shown.append(QChar(unit)).append(QChar(units[at + 1]));
        else
            shown.append(QChar(unit));
        if (pair)
            ++at;
    }
    return shown;
}

bool FileNameExists(const QString& name)
{
    const QByteArray bytes = EncodeFileName(name);
    return !bytes.isEmpty() && ::access(bytes.constData(), F_OK) == 0;
}

bool FolderNameExists(const QString& name)
{
    const QByteArray bytes = EncodeFileName(name);
    struct stat status
    {
    };
    return !bytes.isEmpty() && ::stat(bytes.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

QString AbsoluteFileName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(u'/'))
        return name;
    std::vector<char> folder(4096);
    while (!::getcwd(folder.data(), folder.size())) {
        if (errno != ERANGE)
            return name;
        folder.resize(folder.size() * 2);
    }
    return DecodeFileName(QByteArray(folder.data())) + u'/' + name;
}

QStringList DecodeArguments(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(DecodeFileName(QByteArray(argv[i])));
    return arguments;
}

QString LocalFileOfUrl(const QUrl& url)
{
    if (!url.isLocalFile())
        return {};
    return DecodeFileName(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QtReachableName::QtReachableName(const QString& name, Kind kind)
{
    const QByteArray bytes = EncodeFileName(name);
    if (QFile::encodeName(name) == bytes) {
        m_name = name;
        return;
    }
    m_handle = kind == Kind::Folder ? ::open(bytes.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC)
                                    : ::open(bytes.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (m_handle >= 0)
        m_name = QStringLiteral("/proc/self/fd/%1").arg(m_handle);
}

QtReachableName::~QtReachableName()
{
    if (m_handle >= 0)
        ::close(m_handle);
}
