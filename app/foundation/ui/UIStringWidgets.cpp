#include "foundation/ui/UIStringWidgets.h"

#include "foundation/SessionLog.h"
#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

void setWidgetText(QWidget* widget, const QString& text)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(text);
    else if (widget)
        widget->setWindowTitle(text);
}

void setButtonText(QDialogButtonBox* buttons, QDialogButtonBox::StandardButton which, int id)
{
    if (QPushButton* button = buttons ? buttons->button(which) : nullptr)
        button->setText(LoadUIString(id));
}

} // namespace

void SetWindowTextById(QWidget* widget, int id)
{
    setWidgetText(widget, LoadUIString(id));
}

void SetWindowTextWithPrefix(QWidget* widget, const QString& prefix, int id)
{
    setWidgetText(widget, prefix + LoadUIString(id));
}

void SetWindowTextFormatted(QWidget* widget, int formatId, int argumentId)
{
    const TCPResource* strings = GetUIStrings();
    const QString argument = strings ? strings->GetRawString(argumentId) : QString();
    setWidgetText(widget, LoadUIString(formatId).arg(argument));
}

void SetOkCancelTexts(QDialogButtonBox* buttons)
{
    setButtonText(buttons, QDialogButtonBox::Ok, UIStringId::Ok);
    setButtonText(buttons, QDialogButtonBox::Cancel, UIStringId::Cancel);
}

void SetOkCancelHelpTexts(QDialogButtonBox* buttons)
{
    SetOkCancelTexts(buttons);
    setButtonText(buttons, QDialogButtonBox::Help, UIStringId::Help);
}

void InstallSessionLogWarningBox()
{
    SessionLog::SetWarningHook(
        [](const QString& message) { QMessageBox::warning(nullptr, QString(), message, QMessageBox::Ok); });
}
