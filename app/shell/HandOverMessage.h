#pragma once
// What a later start sends the running program: the names of the files it
// was asked to open. A file name is bytes to the system and may hold any
// byte but NUL, a line break too, so each name travels with its length:
// the count of names, then per name its length and its bytes, all counts
// 32-bit big-endian. The names keep their bytes both ways, also those that
// are not UTF-8 (EncodeFileName / DecodeFileName).

#include <QByteArray>
#include <QStringList>

namespace HandOverMessage {

// More names or longer ones (the system's longest path) than this are no
// hand-over of this program.
constexpr quint32 kMaxNames = 1024;
constexpr quint32 kMaxNameBytes = 4096;

QByteArray Encode(const QStringList& paths);

enum class Status { Incomplete, Complete, Invalid };
// Reads one message from the start of bytes: Complete with the names when
// it is all there, Incomplete while more bytes may complete it, Invalid for
// bytes that no sender of this program writes.
Status Decode(const QByteArray& bytes, QStringList& paths);

} // namespace HandOverMessage
