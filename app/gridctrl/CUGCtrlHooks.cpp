// Default bodies of the grid's hooks: every move, edit, menu and drag is
// allowed, and notifications do nothing.
#include "gridctrl/CUGCtrl.h"

#include "gridctrl/CellCompare.h"

#include <QPainter>

void CUGCtrl::OnGridFocus(int) {}
void CUGCtrl::OnGridSetup() {}
void CUGCtrl::OnSheetInit(int) {}
int CUGCtrl::AllowCellMove(int, int, int, int) { return 1; }
int CUGCtrl::AllowViewScroll(int, int, int, int) { return 1; }
void CUGCtrl::OnRowsNeeded(int, int, int*) {}
void CUGCtrl::OnReserved9(int, int) {}
int CUGCtrl::AllowColumnSizing(int) { return 1; }
void CUGCtrl::OnColumnDragSize(int, int*) {}
void CUGCtrl::OnColumnWidthChange(int, int*) {}
int CUGCtrl::AllowRowSizing(int) { return 1; }
void CUGCtrl::OnRowDragSize(int, int*) {}
void CUGCtrl::OnRowHeightChange(int, int*) {}
int CUGCtrl::CanSizeTopHeading() { return 1; }
int CUGCtrl::CanSizeSideHeading() { return 1; }
int CUGCtrl::OnTopHeadingDragSize(int*) { return 1; }
int CUGCtrl::OnSideHeadingDragSize(int*) { return 1; }
int CUGCtrl::OnTopHeadingResized(int*) { return 1; }
int CUGCtrl::OnSideHeadingResized(int*) { return 1; }
void CUGCtrl::OnCurrentColumnChange(int, int) {}
void CUGCtrl::OnCurrentRowChange(int, int) {}
void CUGCtrl::OnCurrentCellChange(int, int, int, int) {}
void CUGCtrl::OnLeftColumnScroll(int, int) {}
void CUGCtrl::OnTopRowScroll(int, int) {}
void CUGCtrl::OnScrollUpdate(int, int, int) {}
void CUGCtrl::OnBlockChanged(int, int, int, int, int) {}
void CUGCtrl::OnCellClick(int, int, int, const Rect&, const Point&, int) {}
void CUGCtrl::OnCellRightClick(int, int, int, const Rect&, const Point&, int) {}
void CUGCtrl::OnCellDoubleClick(int, int, const Rect&, const Point&, int) {}
void CUGCtrl::OnCellMouseMove(int, int, const Point&, unsigned, int) {}
void CUGCtrl::OnColumnHeadingClick(int, int, int, const Rect&, const Point&, int) {}
void CUGCtrl::OnColumnHeadingRightClick(int, int, int, const Rect&, const Point&, int) {}
void CUGCtrl::OnColumnHeadingDoubleClick(int, int, const Rect&, const Point&, int) {}
void CUGCtrl::OnRowHeadingClick(int, int, int, const Rect&, const Point&, int) {}
void CUGCtrl::OnRowHeadingRightClick(int, int, int, const Rect&, const Point&, int) {}
void CUGCtrl::OnRowHeadingDoubleClick(int, int, const Rect&, const Point&, int) {}
void CUGCtrl::OnCornerClick(int, const Rect&, const Point&, int) {}
void CUGCtrl::OnCornerRightClick(int, const Rect&, const Point&, int) {}
void CUGCtrl::OnCornerDoubleClick(const Rect&, const Point&, int) {}
void CUGCtrl::OnGridKeyDown(int*, int) {}
void CUGCtrl::OnGridKeyUp(int*, int) {}
void CUGCtrl::OnGridChar(int*, int) {}
void CUGCtrl::OnCellFetch(int, int, CUGCell*) {}
void CUGCtrl::OnCellStore(int, int, CUGCell*) {}
void CUGCtrl::OnSourceMessage(int, int, long long) {}
int CUGCtrl::OnCellTypeMessage(int, int, int, int, long long) { return 1; }
int CUGCtrl::OnEditBegin(int, int, QWidget**) { return 1; }
int CUGCtrl::OnEditKey(int, int, QWidget*, int*) { return 1; }
int CUGCtrl::OnEditEnd(int, int, QWidget*, const QString&, bool) { return 1; }
int CUGCtrl::OnEditNextCell(int, int, int*, int*) { return 1; }
int CUGCtrl::OnReserved53(int, int, int, int) { return 1; }
int CUGCtrl::OnReserved54(int, int, int, int) { return 1; }
void CUGCtrl::OnMenuItem(int, int, int, int) {}
int CUGCtrl::OnMenuOpen(int, int, int) { return 1; }
int CUGCtrl::GetHelpContext(int, int, int) { return 0; }

int CUGCtrl::GetHintText(int column, int row, int, QString* text)
{
    if (text)
        *text = QStringLiteral("Col:%1 Row:%2").arg(column).arg(row);
    return 1;
}

int CUGCtrl::GetVerticalScrollTip(int, QString*) { return 1; }
int CUGCtrl::GetHorizontalScrollTip(int, QString*) { return 1; }
int CUGCtrl::OnDropEnter(const QMimeData*) { return 0; }
int CUGCtrl::OnDropOver(const QMimeData*, int, int) { return 0; }
int CUGCtrl::OnDropped(const QMimeData*, int, int) { return 0; }

int CUGCtrl::CompareCells(CUGCell* a, CUGCell* b, int flags)
{
    return gridctrl::DefaultCompareCells(a, b, flags);
}

void CUGCtrl::OnPaintArea(QPainter*, int, int) {}
void CUGCtrl::OnLayoutRects(Rect*, Rect*, Rect*, Rect*, Rect*, Rect*, Rect*) {}
void CUGCtrl::OnSheetTabClick(int) {}

CUGCtrl::ColorRef CUGCtrl::GetBackgroundColor(int section)
{
    return platform::SystemColorRef(section == kSectionGrid ? platform::SystemColor::Window
                                                            : platform::SystemColor::ButtonFace);
}

void CUGCtrl::DrawFocusFrame(QPainter* dc, const Rect& rect)
{
    const int column = m_gi->m_currentCol;
    const int row = m_gi->m_currentRow;
    if (GetCellTypeObject(column, row)->DrawFocus(dc, rect, column, row))
        return;
    if (rect.IsEmpty())
        return;
    // One pixel in at the right and bottom, where the grid lines run.
    dc->save();
    QPen pen(Qt::black, 1, Qt::DotLine);
    dc->setPen(pen);
    dc->setBrush(Qt::NoBrush);
    dc->drawRect(rect.left, rect.top, rect.Width() - 2, rect.Height() - 2);
    dc->restore();
}

void CUGCtrl::OnGridFocusLost(int section, QWidget*)
{
    OnFocusLost(section);
}

void CUGCtrl::OnFocusLost(int) {}
int CUGCtrl::AllowColumnDrag(int) { return 1; }
int CUGCtrl::AllowColumnMove(int, int) { return 1; }
void CUGCtrl::OnColumnMoved(int, int) {}
void CUGCtrl::OnTrackingWindowMoved(Rect*, Rect*) {}
int CUGCtrl::GetLastPagingRow() { return m_gi->m_numberRows - 1; }
