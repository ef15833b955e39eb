#include "gridctrl/CUGEdit.h"

#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGDataSource.h"
#include "gridctrl/GridKeys.h"

#include <QKeyEvent>

CUGEdit::CUGEdit(CUGCtrl* ctrl)
    : QLineEdit(ctrl)
    , m_ctrl(ctrl)
{
    setFrame(false);
    hide();
}

bool CUGEdit::focusNextPrevChild(bool)
{
    return false;
}

void CUGEdit::keyPressEvent(QKeyEvent* event)
{
    m_ctrl->SetKeyModifiers(event->modifiers());
    int key = gridkey::FromQtKey(event->key());
    if (key == 0 && !event->text().isEmpty())
        key = event->text()[0].unicode();
    const int column = m_ctrl->GetEditColumn();
    const int row = m_ctrl->GetEditRow();
    CUGDataSource* source = m_ctrl->GetCurrentDataSource();
    if (key != 0 && (source->OnEditKey(column, row, this, &key) == 0 || m_ctrl->OnEditKey(column, row, this, &key) == 0)) {
        event->accept();
        return;
    }
    switch (key) {
    case 0:
        event->accept();
        return;
    case gridkey::Escape:
        m_ctrl->EndCellEdit(text(), true);
        return;
    case gridkey::Return:
        m_ctrl->EndCellEdit(text(), false);
        return;
    case gridkey::Tab: {
        const bool back = event->modifiers() & Qt::ShiftModifier;
        m_ctrl->EndCellEdit(text(), false, true, column + (back ? -1 : 1), row);
        return;
    }
    default:
        QLineEdit::keyPressEvent(event);
    }
}
