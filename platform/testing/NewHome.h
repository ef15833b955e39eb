#pragma once
// A brand-new home for the length of a test, as a new user's first login
// leaves it: HOME is an empty folder, and no XDG folder variable is set, so
// the configuration and data folders lie inside that home, no user-dirs.dirs
// names a documents folder, and $HOME/Documents does not exist. The
// variables are put back when the object ends.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <array>

namespace kwl::testing {

class NewHome
{
public:
    NewHome()
    {
        for (std::size_t i = 0; i < kVariables.size(); ++i)
            m_saved[i] = qgetenv(kVariables[i]);
        QDir(m_root.path()).mkdir(QStringLiteral("home"));
        qputenv("HOME", QFile::encodeName(Path()));
        for (std::size_t i = 1; i < kVariables.size(); ++i)
            qunsetenv(kVariables[i]);
    }
    ~NewHome()
    {
        for (std::size_t i = 0; i < kVariables.size(); ++i)
            if (m_saved[i].isNull())
                qunsetenv(kVariables[i]);
            else
                qputenv(kVariables[i], m_saved[i]);
    }
    NewHome(const NewHome&) = delete;
    NewHome& operator=(const NewHome&) = delete;

    // The home folder, without a trailing "/".
    QString Path() const { return m_root.filePath(QStringLiteral("home")); }
    // Where the desktop would keep the user's documents on this home.
    QString DocumentsPath() const { return Path() + QStringLiteral("/Documents"); }

private:
    static constexpr std::array<const char*, 5> kVariables
        = { "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_DOCUMENTS_DIR" };
    QTemporaryDir m_root;
    std::array<QByteArray, kVariables.size()> m_saved;
};

} // namespace kwl::testing
