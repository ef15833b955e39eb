#include "gridctrl/CUGScrollBars.h"

#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGHeadings.h"

#include <QMouseEvent>
#include <QSignalBlocker>

namespace {

int codeOfAction(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return kScrollLineUp;
    case QAbstractSlider::SliderSingleStepAdd: return kScrollLineDown;
    case QAbstractSlider::SliderPageStepSub: return kScrollPageUp;
    case QAbstractSlider::SliderPageStepAdd: return kScrollPageDown;
    case QAbstractSlider::SliderToMinimum: return kScrollTop;
    case QAbstractSlider::SliderToMaximum: return kScrollBottom;
    case QAbstractSlider::SliderMove: return kScrollThumbTrack;
    default: return kScrollEnd;
    }
}

// Every scroll action first gives the grid area the keyboard focus and
// tells the selection that the move is a scroll.
void prepareScroll(CUGCtrl* ctrl)
{
    if (!ctrl->GetGridArea()->hasFocus())
        ctrl->GetGridArea()->setFocus(Qt::OtherFocusReason);
    ctrl->GetSheetInfo()->m_moveKeyState = 4;
}

// A right click shows the grid's context menu when it is enabled.
bool showScrollBarMenu(CUGCtrl* ctrl, QMouseEvent* event, int section)
{
    if (event->button() != Qt::RightButton || !ctrl->GetSheetInfo()->m_menuEnabled)
        return false;
    ctrl->ShowContextMenu(0, 0, event->globalPosition().toPoint(), section);
    return true;
}

} // namespace

CUGVScroll::CUGVScroll(CUGCtrl* ctrl)
    : QScrollBar(Qt::Vertical, ctrl)
    , m_ctrl(ctrl)
{
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
        const int code = codeOfAction(action);
        OnScrollCode(code, sliderPosition());
        // The position follows the rows, not Qt's own step.
        if (code != kScrollThumbTrack)
            setSliderPosition(static_cast<int>(m_ctrl->GetFirstVisibleRow() * m_positionsPerRow));
    });
    connect(this, &QAbstractSlider::sliderReleased, this, [this] { OnScrollCode(kScrollThumbPosition, sliderPosition()); });
}

void CUGVScroll::Update()
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (!gi->m_paintMode)
        return;
    const QSignalBlocker blocker(this);
    if (gi->m_maxTopRow != m_lastMaxTopRow || gi->m_vScrollMode != m_lastScrollMode
        || gi->m_numLockRows != m_lastLockedRows) {
        m_lastMaxTopRow = gi->m_maxTopRow;
        m_lastScrollMode = gi->m_vScrollMode;
        m_lastLockedRows = gi->m_numLockRows;
        if (gi->m_maxTopRow > 1000) {
            m_positionsPerRow = 1000.0 / gi->m_maxTopRow;
            m_rowsPerPosition = gi->m_maxTopRow / 1000.0;
            // Range 0 .. 1000 with a page of 1: the bar's maximum is the range end less the page plus one.
            setRange(0, 1000);
            setPageStep(1);
        } else {
            if (gi->m_defRowHeight < 1)
                gi->m_defRowHeight = 1;
            const int page = gi->m_gridHeight / gi->m_defRowHeight;
            setRange(gi->m_numLockRows, std::max(gi->m_numLockRows, gi->m_maxTopRow + page - 1 - page + 1));
            setPageStep(page);
            m_positionsPerRow = 1.0;
            m_rowsPerPosition = 1.0;
        }
    }
    if (!isSliderDown())
        setValue(static_cast<int>(gi->m_topRow * m_positionsPerRow));
    if (gi->m_topRow != gi->m_lastTopRow)
        m_ctrl->OnScrollUpdate(CUGCtrl::kSectionVScroll, gi->m_lastTopRow, gi->m_topRow);
    update();
}

void CUGVScroll::OnScrollCode(int code, int position)
{
    prepareScroll(m_ctrl);
    switch (code) {
    case kScrollLineUp: m_ctrl->StepTopRow(0); break;
    case kScrollLineDown: m_ctrl->StepTopRow(1); break;
    case kScrollPageUp: m_ctrl->StepTopRow(2); break;
    case kScrollPageDown: m_ctrl->StepTopRow(3); break;
    case kScrollThumbPosition:
        m_ctrl->ScrollToRow(static_cast<int>(static_cast<unsigned>(position) * m_rowsPerPosition));
        break;
    case kScrollThumbTrack:
        // Rows follow the thumb in scroll mode 1.
        if (m_ctrl->GetSheetInfo()->m_vScrollMode == 1)
            m_ctrl->ScrollToRow(static_cast<int>(static_cast<unsigned>(position) * m_rowsPerPosition));
        break;
    case kScrollTop: m_ctrl->StepTopRow(4); break;
    case kScrollBottom: m_ctrl->StepTopRow(5); break;
    default: break;
    }
    m_ctrl->GetSheetInfo()->m_moveKeyState = 0;
    m_ctrl->GetSideHeading()->update();
}

void CUGVScroll::mousePressEvent(QMouseEvent* event)
{
    if (!showScrollBarMenu(m_ctrl, event, CUGCtrl::kSectionVScroll))
        QScrollBar::mousePressEvent(event);
}

CUGHScroll::CUGHScroll(CUGCtrl* ctrl)
    : QScrollBar(Qt::Horizontal, ctrl)
    , m_ctrl(ctrl)
{
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
        const int code = codeOfAction(action);
        OnScrollCode(code, sliderPosition());
        if (code != kScrollThumbTrack)
            setSliderPosition(m_ctrl->GetFirstVisibleColumn() - m_ctrl->GetSheetInfo()->m_numLockCols);
    });
    connect(this, &QAbstractSlider::sliderReleased, this, [this] { OnScrollCode(kScrollThumbPosition, sliderPosition()); });
}

void CUGHScroll::Update()
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (!gi->m_paintMode)
        return;
    {
        const QSignalBlocker blocker(this);
        if (gi->m_maxLeftCol != m_lastMaxLeftCol || gi->m_numLockCols != m_lastLockedColumns) {
            m_lastMaxLeftCol = gi->m_maxLeftCol;
            m_lastLockedColumns = gi->m_numLockCols;
            const int page = (gi->m_gridWidth - gi->m_lockColWidth) / std::max(1, gi->m_defColWidth);
            setRange(0, std::max(0, gi->m_maxLeftCol - gi->m_numLockCols));
            setPageStep(std::max(0, page));
        }
        if (!isSliderDown())
            setValue(gi->m_leftCol - gi->m_numLockCols);
    }
    if (gi->m_leftCol != gi->m_lastLeftCol)
        m_ctrl->OnScrollUpdate(CUGCtrl::kSectionHScroll, gi->m_lastLeftCol, gi->m_leftCol);
    update();
}

void CUGHScroll::OnScrollCode(int code, int position)
{
    prepareScroll(m_ctrl);
    switch (code) {
    case kScrollLineUp: m_ctrl->StepLeftColumn(0); break;
    case kScrollLineDown: m_ctrl->StepLeftColumn(1); break;
    case kScrollPageUp: m_ctrl->StepLeftColumn(2); break;
    case kScrollPageDown: m_ctrl->StepLeftColumn(3); break;
    case kScrollThumbPosition:
        m_ctrl->ScrollToColumn(m_ctrl->GetSheetInfo()->m_numLockCols + position);
        break;
    case kScrollTop: m_ctrl->StepLeftColumn(4); break;
    case kScrollBottom: m_ctrl->StepLeftColumn(5); break;
    default: break; // columns follow the thumb when it is released
    }
    m_ctrl->GetSheetInfo()->m_moveKeyState = 0;
}

void CUGHScroll::mousePressEvent(QMouseEvent* event)
{
    if (!showScrollBarMenu(m_ctrl, event, CUGCtrl::kSectionHScroll))
        QScrollBar::mousePressEvent(event);
}

CUGTab::CUGTab(CUGCtrl* ctrl)
    : QWidget(ctrl)
    , m_ctrl(ctrl)
{
}

void CUGTab::Refresh()
{
    update();
}
