#include "shell/HandOverMessage.h"

#include "foundation/FileNames.h"

#include <QtEndian>

#include <algorithm>

namespace HandOverMessage {

namespace {

constexpr qsizetype kCountBytes = 4;

void AppendCount(QByteArray& bytes, quint32 value)
{
    char word[kCountBytes];
    qToBigEndian(value, word);
    bytes.append(word, kCountBytes);
}

quint32 CountAt(const QByteArray& bytes, qsizetype offset)
{
    return qFromBigEndian<quint32>(bytes.constData() + offset);
}

// The names of a whole message whose counts the reader has checked.
Status ReadNames(const QByteArray& message, QStringList& paths)
{
    const quint32 count = CountAt(message, 0);
    qsizetype offset = kCountBytes;
    QStringList names;
    for (quint32 i = 0; i < count; ++i) {
        const qsizetype length = CountAt(message, offset);
        offset += kCountBytes;
        const QByteArray name = message.mid(offset, length);
        if (name.contains('\0'))
            return Status::Invalid;
        names << DecodeFileName(name);
        offset += length;
    }
    paths = names;
    return Status::Complete;
}

} // namespace

QByteArray Encode(const QStringList& paths)
{
    QByteArray bytes;
    AppendCount(bytes, static_cast<quint32>(paths.size()));
    for (const QString& path : paths) {
        const QByteArray name = EncodeFileName(path);
        AppendCount(bytes, static_cast<quint32>(name.size()));
        bytes.append(name);
    }
    return bytes;
}

Status Decode(const QByteArray& bytes, QStringList& paths)
{
    Reader reader;
    return reader.Append(bytes, paths);
}

Reader::Reader(NamesReader readNames)
    : m_readNames(readNames ? std::move(readNames) : NamesReader(ReadNames))
{ }

Status Reader::Append(const QByteArray& piece, QStringList& paths)
{
    paths.clear();
    // Room by doubling: a piece that a socket gave may share a buffer with
    // room in front, and appending to it would move all bytes so far, again
    // with every piece.
    if (m_bytes.size() + piece.size() > m_bytes.capacity())
        m_bytes.reserve(std::max(2 * m_bytes.size(), m_bytes.size() + piece.size()));
    m_bytes.append(piece);
    while (m_bytes.size() >= m_needed) {
        if (m_namesLeft == 0) {
            if (m_bytes.size() != m_needed)
                return Status::Invalid; // bytes after the message
            return m_readNames(m_bytes, paths);
        }
        const quint32 value = CountAt(m_bytes, m_next);
        if (m_namesLeft < 0) {
            if (value > kMaxNames)
                return Status::Invalid;
            m_namesLeft = value;
            m_next = kCountBytes;
        } else {
            if (value == 0 || value > kMaxNameBytes)
                return Status::Invalid;
            --m_namesLeft;
            m_next += kCountBytes + value;
        }
        m_needed = m_next + (m_namesLeft > 0 ? kCountBytes : 0);
    }
    return Status::Incomplete;
}

} // namespace HandOverMessage
