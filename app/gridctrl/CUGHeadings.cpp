#include "gridctrl/CUGHeadings.h"

#include "gridctrl/CUGCtrl.h"

#include <QPainter>

#include <algorithm>

namespace {

void fillBackground(QWidget* window, CUGCtrl* ctrl, int section)
{
    QPainter painter(window);
    painter.fillRect(window->rect(), platform::ToQColor(ctrl->GetBackgroundColor(section)));
}

} // namespace

CUGTopHdg::CUGTopHdg(CUGCtrl* ctrl)
    : QWidget(ctrl)
    , m_ctrl(ctrl)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CUGTopHdg::FitRows()
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    const int n = gi->m_numberTopHdgRows;
    if (n > 1) {
        int others = 0;
        for (int i = 0; i < n - 1; ++i)
            others += gi->m_topHdgHeights[i];
        m_ctrl->SetTopHeadingRowHeight(-n, std::max(0, gi->m_topHdgHeight - others));
    } else if (n == 1) {
        m_ctrl->SetTopHeadingRowHeight(-1, gi->m_topHdgHeight);
    }
    update();
}

void CUGTopHdg::RepaintIfScrolled()
{
    const CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (gi->m_leftCol != gi->m_lastLeftCol)
        update();
}

void CUGTopHdg::paintEvent(QPaintEvent*)
{
    fillBackground(this, m_ctrl, CUGCtrl::kSectionTopHeading);
}

CUGSideHdg::CUGSideHdg(CUGCtrl* ctrl)
    : QWidget(ctrl)
    , m_ctrl(ctrl)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CUGSideHdg::FitColumns()
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    const int n = gi->m_numberSideHdgCols;
    if (n > 1) {
        int others = 0;
        for (int i = 0; i < n - 1; ++i)
            others += gi->m_sideHdgWidths[i];
        m_ctrl->SetSideHeadingColumnWidth(-n, std::max(0, gi->m_sideHdgWidth - others));
    } else if (n == 1) {
        m_ctrl->SetSideHeadingColumnWidth(-1, gi->m_sideHdgWidth);
    }
    update();
}

void CUGSideHdg::RepaintAfterScroll()
{
    const CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (gi->m_topRow != gi->m_lastTopRow || gi->m_currentRow != gi->m_lastRow)
        update();
}

void CUGSideHdg::paintEvent(QPaintEvent*)
{
    fillBackground(this, m_ctrl, CUGCtrl::kSectionSideHeading);
}

CUGCnrBtn::CUGCnrBtn(CUGCtrl* ctrl)
    : QWidget(ctrl)
    , m_ctrl(ctrl)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CUGCnrBtn::paintEvent(QPaintEvent*)
{
    fillBackground(this, m_ctrl, CUGCtrl::kSectionCorner);
}
