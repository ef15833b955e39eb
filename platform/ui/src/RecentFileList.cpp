#include "platform/ui/RecentFileList.h"

#include <QSettings>

namespace platform {

namespace {
const char* const kGroup = "RecentFiles";
const char* const kKey = "Files";
const char* const kOrganisation = "Marrowby Design";
const char* const kApplication = "Kerfwell Plus Solo";
}  // namespace

RecentFileList::RecentFileList(int maxCount) : m_maxCount(maxCount < 1 ? 1 : maxCount) {}

void RecentFileList::Add(const QString& path)
{
    if (path.isEmpty())
        return;
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > m_maxCount)
        m_files.removeLast();
}

void RecentFileList::Remove(const QString& path) { m_files.removeAll(path); }

void RecentFileList::Load()
{
    QSettings settings{QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication)};
    settings.beginGroup(QLatin1String(kGroup));
    m_files = settings.value(QLatin1String(kKey)).toStringList();
    m_files.removeAll(QString());
    while (m_files.size() > m_maxCount)
        m_files.removeLast();
}

void RecentFileList::Save() const
{
    QSettings settings{QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication)};
    settings.beginGroup(QLatin1String(kGroup));
    settings.setValue(QLatin1String(kKey), m_files);
}

}  // namespace platform
