#pragma once
// What a later start sends the running program: the names of the files it
// was asked to open. A file name is bytes to the system and may hold any
// byte but NUL, a line break too, so each name travels with its length:
// the count of names, then per name its length and its bytes, all counts
// 32-bit big-endian. The names keep their bytes both ways, also those that
// are not UTF-8 (EncodeFileName / DecodeFileName). The running program
// answers a whole message with one byte, kReceived: only then does the
// later start know that its names arrived.

#include <QByteArray>
#include <QStringList>

#include <functional>

namespace HandOverMessage {

// More names or longer ones (the system's longest path) than this are no
// hand-over of this program.
constexpr quint32 kMaxNames = 1024;
constexpr quint32 kMaxNameBytes = 4096;
constexpr char kReceived = '\x06';

QByteArray Encode(const QStringList& paths);

enum class Status { Incomplete, Complete, Invalid };
// Reads one message from the start of bytes: Complete with the names when
// it is all there, Incomplete while more bytes may complete it, Invalid for
// bytes that no sender of this program writes.
Status Decode(const QByteArray& bytes, QStringList& paths);

// Gathers one message as its pieces arrive. Until the counts say that the
// message is whole only they are read, once each; the names are read once,
// at the end. A message that arrives in many pieces thus costs no more
// than one that arrives whole, and a count beyond any message is refused
// at once, before the bytes it announces.
class Reader
{
public:
    // readNames: reads the names of a whole message whose counts are
    // known to be right (tests count its calls).
    using NamesReader = std::function<Status(const QByteArray& message, QStringList& paths)>;
    explicit Reader(NamesReader readNames = {});

    // Adds the next piece; the status of the message so far, as Decode.
    Status Append(const QByteArray& piece, QStringList& paths);

private:
    NamesReader m_readNames;
    QByteArray m_bytes;
    qsizetype m_needed = 4; // the message's least size that its counts tell so far
    qsizetype m_next = 0; // where the next count starts
    qint64 m_namesLeft = -1; // names whose length is still to come; -1 before the count
};

} // namespace HandOverMessage
