#include "output/print/PrintMessages.h"

#include <QApplication>
#include <QMessageBox>

namespace {
PrintMessageHook& Hook()
{
    static PrintMessageHook hook;
    return hook;
}
} // namespace

PrintMessageHook SetPrintMessageHook(PrintMessageHook hook)
{
    PrintMessageHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

void ShowPrintStopMessage(const QString& text)
{
    if (Hook()) {
        Hook()(text);
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), text);
}
