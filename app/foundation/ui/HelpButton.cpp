#include "foundation/ui/HelpButton.h"

#include "foundation/ProgramHelp.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>

namespace {

// Brings the button's state up to date whenever it is about to show, so
// that a button that lives long follows the help too.
class HelpStateFollower : public QObject
{
public:
    explicit HelpStateFollower(QAbstractButton* button)
        : QObject(button)
    {
        button->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            static_cast<QAbstractButton*>(watched)->setEnabled(IsHelpInstalled());
        return false;
    }
};

} // namespace

void ConnectHelpButton(QAbstractButton* button, int topic)
{
    if (!button)
        return;
    button->setEnabled(IsHelpInstalled());
    new HelpStateFollower(button);
    QObject::connect(button, &QAbstractButton::clicked, button, [topic] { ShowHelp(topic); });
}

QPushButton* AddHelpButton(QDialogButtonBox* buttons, int topic)
{
    QPushButton* help = buttons->addButton(LoadUIString(UIStringId::Help), QDialogButtonBox::HelpRole);
    ConnectHelpButton(help, topic);
    return help;
}
