#pragma once
// The most-recently-used file list, newest first, kept in the program's
// settings so it survives restarts.

#include <QString>
#include <QStringList>

namespace platform {

class RecentFileList {
public:
    explicit RecentFileList(int maxCount = 4);

    // Moves or inserts the path at the front; the oldest entry falls off.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return m_files; }

    // QSettings("Marrowby Design", "Kerfwell Plus Solo").
    void Load();
    void Save() const;

private:
    int m_maxCount;
    QStringList m_files;
};

}  // namespace platform
