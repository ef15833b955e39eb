#include "foundation/ui/DialogTitleFitter.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>

namespace {
// Room for the window icon and the close (and maybe other) buttons of a
// title bar, and the title font being a little larger or bolder than ours.
constexpr int kTitleBarButtons = 110;
constexpr double kTitleFontAllowance = 1.15;
} // namespace

int DialogTitleFitter::TitleWidth(const QDialog& dialog)
{
    const QFontMetrics metrics(QApplication::font());
    return static_cast<int>(metrics.horizontalAdvance(dialog.windowTitle()) * kTitleFontAllowance)
        + kTitleBarButtons;
}

bool DialogTitleFitter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() && !dialog->windowTitle().isEmpty()) {
            const int wanted = TitleWidth(*dialog);
            if (dialog->width() < wanted && dialog->maximumWidth() >= wanted)
                dialog->resize(wanted, dialog->height());
        }
    }
    return QObject::eventFilter(watched, event);
}
