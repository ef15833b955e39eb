#include "shell/HandOverMessage.h"

#include "foundation/FileNames.h"

#include <QtEndian>

namespace HandOverMessage {

namespace {

void AppendCount(QByteArray& bytes, quint32 value)
{
    char word[4];
    qToBigEndian(value, word);
    bytes.append(word, 4);
}

// False when fewer than four bytes are left at offset.
bool ReadCount(const QByteArray& bytes, qsizetype& offset, quint32& value)
{
    if (bytes.size() - offset < 4)
        return false;
    value = qFromBigEndian<quint32>(bytes.constData() + offset);
    offset += 4;
    return true;
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
    paths.clear();
    qsizetype offset = 0;
    quint32 count = 0;
    if (!ReadCount(bytes, offset, count))
        return Status::Incomplete;
    if (count > kMaxNames)
        return Status::Invalid;
    QStringList names;
    for (quint32 i = 0; i < count; ++i) {
        quint32 length = 0;
        if (!ReadCount(bytes, offset, length))
            return Status::Incomplete;
        if (length == 0 || length > kMaxNameBytes)
            return Status::Invalid;
        if (bytes.size() - offset < static_cast<qsizetype>(length))
            return Status::Incomplete;
        const QByteArray name = bytes.mid(offset, length);
        if (name.contains('\0'))
            return Status::Invalid;
        names << DecodeFileName(name);
        offset += length;
    }
    if (offset != bytes.size())
        return Status::Invalid;
    paths = names;
    return Status::Complete;
}

} // namespace HandOverMessage
