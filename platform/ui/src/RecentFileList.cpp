#include "platform/ui/RecentFileList.h"

#include <QFile>
#include <QSettings>

namespace platform {

namespace {
const char* const kGroup = "RecentFiles";
// Each entry's name as the system's bytes.
const char* const kNames = "Names";
const char* const kName = "Name";
// The text list of earlier versions, read when no byte list is there.
const char* const kTextList = "Files";
const char* const kOrganisation = "Marrowby Design";
const char* const kApplication = "Kerfwell Plus Solo";
}  // namespace

RecentFileList::RecentFileList(int maxCount, FileNameCodec codec)
    : m_maxCount(maxCount < 1 ? 1 : maxCount)
    , m_codec(std::move(codec))
{
    if (!m_codec.encode)
        m_codec.encode = [](const QString& name) { return QFile::encodeName(name); };
    if (!m_codec.decode)
        m_codec.decode = [](const QByteArray& bytes) { return QFile::decodeName(bytes); };
}

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
    m_files.clear();
    if (!settings.childGroups().contains(QLatin1String(kNames))) {
        m_files = settings.value(QLatin1String(kTextList)).toStringList();
    } else {
        const int count = settings.beginReadArray(QLatin1String(kNames));
        for (int i = 0; i < count; ++i) {
            settings.setArrayIndex(i);
            m_files.append(m_codec.decode(settings.value(QLatin1String(kName)).toByteArray()));
        }
        settings.endArray();
    }
    m_files.removeAll(QString());
    while (m_files.size() > m_maxCount)
        m_files.removeLast();
}

void RecentFileList::Save() const
{
    QSettings settings{QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication)};
    settings.beginGroup(QLatin1String(kGroup));
    settings.remove(QLatin1String(kTextList));
    settings.remove(QLatin1String(kNames));
    settings.beginWriteArray(QLatin1String(kNames), int(m_files.size()));
    for (int i = 0; i < m_files.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QLatin1String(kName), m_codec.encode(m_files[i]));
    }
    settings.endArray();
}

}  // namespace platform
