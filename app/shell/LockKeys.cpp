#include "shell/LockKeys.h"

#include <QDir>
#include <QFile>

std::optional<bool> ReadLockKeyLight(LockKey key)
{
    const char* suffix = key == LockKey::Caps ? "::capslock"
        : key == LockKey::Num                 ? "::numlock"
                                              : "::scrolllock";
    const QDir leds(QStringLiteral("/sys/class/leds"));
    const QStringList names
        = leds.entryList({ QLatin1Char('*') + QString::fromLatin1(suffix) }, QDir::Dirs | QDir::System);
    std::optional<bool> state;
    for (const QString& name : names) {
        QFile brightness(leds.filePath(name + QStringLiteral("/brightness")));
        if (!brightness.open(QIODevice::ReadOnly))
            continue;
        bool ok = false;
        const int value = brightness.readAll().trimmed().toInt(&ok);
        if (!ok)
            continue;
        // Several keyboards: the key is on when any of them lights it.
        state = state.value_or(false) || value != 0;
    }
    return state;
}
