// Each test process of the program window gets folders of its own: the
// session log, the preferences, the materials library and the single-
// instance lock of one test must not meet those of a test running beside it.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ShellTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        for (const char* name : {"data", "config", "runtime", "home"})
            QDir(m_root.path()).mkdir(QString::fromLatin1(name));
        QFile::setPermissions(m_root.filePath(QStringLiteral("runtime")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_root.filePath(QStringLiteral("data"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_root.filePath(QStringLiteral("config"))));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_root.filePath(QStringLiteral("runtime"))));
        qputenv("HOME", QFile::encodeName(m_root.filePath(QStringLiteral("home"))));
        // Qt finds the settings folder once, when settings are first used:
        // a test that moves the home meanwhile (the file dialog keeps
        // settings of its own) would take every later test's settings along
        // to a folder outside these.
        for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, m_root.filePath(QStringLiteral("config")));
    }

private:
    QTemporaryDir m_root;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ShellTestEnvironment);

} // namespace
