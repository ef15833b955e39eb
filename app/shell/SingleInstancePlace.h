#pragma once
// Where the single instance keeps its lock and its socket. Whoever can make
// names in that folder could take them first and then receive every
// project handed over, so it is a folder only this user can enter: the
// session's runtime folder when it is the user's own and closed to others,
// else a folder of the user's own in the temporary folder, made with mode
// 0700 and checked. A local socket's path has a short limit; a longer one
// is replaced by a name derived from it in that own temporary folder, which
// both ends derive alike.

#include <QString>
#include <QStringList>

struct SingleInstancePlace
{
    // Both empty, or both set: without a folder of the user's own, or
    // without a path for the socket, there is no single instance.
    QString lockFile;
    QString socket;
    QStringList notes; // what was refused and why, for the running program's session log
};

// The longest socket path that Qt binds and connects to.
constexpr qsizetype kLongestSocketPath = 106;

// name: of the lock file and the socket, without their extensions.
SingleInstancePlace FindSingleInstancePlace(const QString& name);
