#include "foundation/ui/PinnedEditAlert.h"

#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"
#include "foundation/ui/UIStringWidgets.h"

#include <QCheckBox>
#include <QPushButton>

PinnedEditAlert::PinnedEditAlert(int messageId, QWidget* parent)
    : QZAlert(LoadUIString(messageId), parent)
{ }

void PinnedEditAlert::OnInitDialog()
{
    QZAlert::OnInitDialog();
    GetDontRemindBox()->hide();
    GetCancelButton()->show();
    SetWindowTextById(GetOkButton(), UIStringId::UnpinDiagrams);
    // Enter must not unpin by accident.
    GetOkButton()->setDefault(false);
    GetOkButton()->setAutoDefault(false);
    GetCancelButton()->setDefault(true);
    GetCancelButton()->setFocus();
}
