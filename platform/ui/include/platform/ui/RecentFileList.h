#pragma once
// The most-recently-used file list, newest first, kept in the program's
// settings so it survives restarts.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

// How the program turns a file name into the system's bytes and back. The
// list keeps the bytes in the settings, so that a name which is not UTF-8
// comes back as it went in; text would lose such bytes.
struct FileNameCodec
{
    std::function<QByteArray(const QString&)> encode;
    std::function<QString(const QByteArray&)> decode;
};

class RecentFileList {
public:
    // Without a codec, names are encoded as Qt does (QFile::encodeName).
    explicit RecentFileList(int maxCount = 4, FileNameCodec codec = {});

    // Moves or inserts the path at the front; the oldest entry falls off.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return m_files; }

    // QSettings("Marrowby Design", "Kerfwell Plus Solo"). Load also reads
    // the list an earlier version kept as text.
    void Load();
    void Save() const;

private:
    int m_maxCount;
    FileNameCodec m_codec;
    QStringList m_files;
};

}  // namespace platform
