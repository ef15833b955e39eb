#include "shell/prefs/PrefsMessages.h"

#include "foundation/CUserPrefs.h"

#include <QApplication>
#include <QMessageBox>

void InstallPrefsMessageBox()
{
    SetPrefsMessageHook([](const QString& text) {
        QMessageBox::warning(
            QApplication::activeWindow(), QApplication::applicationDisplayName(), text, QMessageBox::Ok);
    });
}
