#pragma once
// File names as the system keeps them: bytes, not text. Most names are
// UTF-8, but a folder named in another encoding (Latin-1, say) must still
// open and save. Qt's own decoding replaces such bytes and the name then
// points nowhere, so the program turns names into text and back with this
// pair: every byte that is not part of valid UTF-8 becomes one character of
// its own (U+DC80 to U+DCFF) and turns back into the same byte.

#include <QByteArray>
#include <QString>
#include <QStringList>

class QUrl;

// Bytes of a name (from the command line, a directory listing, a URL) as text.
QString DecodeFileName(const QByteArray& bytes);
// The bytes the system needs for a name that DecodeFileName gave, or any text.
QByteArray EncodeFileName(const QString& name);
// The name as the user is shown it (a title, a menu entry, a message): a
// control character (a line break, say) is written as an escape such as
// "\n" or "\x07", a byte that is not UTF-8 as "\xNN", an invisible format
// character as "\uNNNN" (or "\UNNNNNNNN" past the first plane); the rest
// stays as it is. Only for showing: a file is always reached by the name
// itself.
QString DisplayFileName(const QString& name);
// Whether the name names anything, asked with its bytes (QFileInfo::exists
// cannot find a name that is not UTF-8).
bool FileNameExists(const QString& name);
// Whether the name names a folder (or a link to one), asked with its bytes.
bool FolderNameExists(const QString& name);
// The name made absolute against the current folder, keeping the bytes of
// both (QFileInfo::absoluteFilePath replaces those that are not UTF-8).
QString AbsoluteFileName(const QString& name);
// The program's arguments after its own name, as main() received them
// (Qt's own options already taken out), each decoded like a file name.
QStringList DecodeArguments(int argc, const char* const* argv);
// The local file a dropped or handed-over URL names, with the bytes that
// its percent-encoding stands for; empty when it is not a local file.
QString LocalFileOfUrl(const QUrl& url);

// A name by which Qt's own file functions (QFile, QFileDialog, QPrinter),
// which cannot hold bytes that are not UTF-8, reach what a name names: the
// name itself when they can, else the name of this process's handle on it,
// open while the object lives.
class QtReachableName
{
public:
    // FileToWrite: a file that is missing is made (empty).
    enum class Kind { Folder, FileToWrite };
    QtReachableName(const QString& name, Kind kind);
    ~QtReachableName();
    QtReachableName(const QtReachableName&) = delete;
    QtReachableName& operator=(const QtReachableName&) = delete;

    // Empty when no handle could be had (the folder is gone, the file
    // cannot be made).
    const QString& Name() const { return m_name; }

private:
    QString m_name;
    int m_handle = -1;
};
