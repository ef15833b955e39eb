#pragma once
// The program tools of bench/ run the real program in a throw-away home
// folder, so that they never touch the user's preferences, materials or
// recent files: HOME and the XDG folders point into the given temporary
// folder, and Qt draws offscreen unless told otherwise.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

inline void UseThrowAwayHome(const QTemporaryDir& home)
{
    for (const char* folder : { "home", "data", "config", "cache", "runtime" })
        QDir(home.path()).mkpath(QString::fromLatin1(folder));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setenv("HOME", qPrintable(home.filePath(QStringLiteral("home"))), 1);
    setenv("XDG_DATA_HOME", qPrintable(home.filePath(QStringLiteral("data"))), 1);
    setenv("XDG_CONFIG_HOME", qPrintable(home.filePath(QStringLiteral("config"))), 1);
    setenv("XDG_CACHE_HOME", qPrintable(home.filePath(QStringLiteral("cache"))), 1);
    setenv("XDG_RUNTIME_DIR", qPrintable(home.filePath(QStringLiteral("runtime"))), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
}
