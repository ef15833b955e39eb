#include "shell/prefs/PrefsMessages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

PrefsMessageHook& Hook()
{
    static PrefsMessageHook hook;
    return hook;
}

} // namespace

PrefsMessageHook SetPrefsMessageHook(PrefsMessageHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}

void ShowPrefsMessage(const QString& text)
{
    if (Hook()) {
        Hook()(text);
        return;
    }
    QMessageBox::warning(
        QApplication::activeWindow(), QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}
