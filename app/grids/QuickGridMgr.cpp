#include "grids/QuickGridMgr.h"

#include "foundation/ResourceBase.h"
#include "foundation/UserPrefsBase.h"
#include "gridctrl/CUGCellType.h"
#include "gridctrl/CUGRowMode.h"

#include <algorithm>

namespace {

constexpr int kPrefProRateCosts = 2026;
constexpr int kPrefFitMode = 3085;
constexpr int kAlignLeftCentred = 33;

} // namespace

QuickGridMgr::QuickGridMgr(CUGRowMode& grid)
    : m_grid(grid)
{ }

QuickGridMgr::~QuickGridMgr() = default;

int QuickGridMgr::GetQuantityDecimals() const
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs && prefs->GetFlag(kPrefProRateCosts) ? 2 : 0;
}

void QuickGridMgr::Setup(const QFont* gridFont)
{
    m_grid.SetReadOnly(true);
    if (gridFont)
        m_grid.SetGridFont(gridFont);
    m_grid.EnableColumnMoving(false);
    m_grid.EnableSortIndicator(true);
    CUGCell cell;
    m_grid.GetGridDefault(&cell);
    cell.SetReadOnly(1);
    cell.SetAlignment(kAlignLeftCentred);
    m_grid.SetGridDefault(&cell);
    m_grid.GetHeadingDefault(&cell);
    cell.SetAlignment(kAlignLeftCentred);
    m_grid.SetHeadingDefault(&cell);

    if (UsesFitModePreference()) {
        const UserPrefsBase* prefs = GetUserPrefs();
        m_grid.SetFitMode(std::clamp(prefs ? prefs->GetInt(kPrefFitMode) : 0, 0, 3), false);
    } else {
        m_grid.SetFitMode(3, false);
        m_fixedFit = true;
    }

    m_grid.SetColumnCount(GetColumnCount());
    BeforeSetup();

    m_captions.clear();
    AddColumnCaptions(m_captions);
    for (int column = 0; column < m_grid.GetColumnCount(); ++column) {
        const int data = m_grid.GetColumnMapping(column);
        if (data >= 0 && data < static_cast<int>(m_captions.size()))
            m_grid.SetCellTextAt(column, -1, LoadUIString(m_captions[static_cast<std::size_t>(data)]));
    }
    applyAlignments();
    m_grid.SetSortIndicator(m_grid.FindColumnForSourceColumn(0), true);
}

void QuickGridMgr::applyAlignments()
{
    m_alignments.clear();
    AddColumnAlignments(m_alignments);
    for (int column = 0; column < m_grid.GetColumnCount(); ++column) {
        const int data = m_grid.GetColumnMapping(column);
        if (data >= 0 && data < static_cast<int>(m_alignments.size()))
            m_grid.SetColumnAlignment(column, m_alignments[static_cast<std::size_t>(data)]);
    }
}

void QuickGridMgr::Refill()
{
    CUGRowMode::RedrawSuspend suspend(m_grid);
    BeforeRefill();
    applyAlignments();
    const int sortColumn = m_grid.GetSortColumn();
    const bool ascending = m_grid.IsSortAscending();
    DeleteAllRows();
    const int columns = GetColumnCount();
    if (MoveFirst()) {
        do {
            m_grid.AppendRow();
            const int row = m_grid.GetRowCount() - 1;
            for (int data = 0; data < columns; ++data)
                FillCell(row, data, m_grid.FindColumnForSourceColumn(data));
        } while (MoveNext());
    }
    FitColumns();
    if (sortColumn >= 0)
        m_grid.SetSortIndicator(sortColumn, ascending);
}

void QuickGridMgr::FitColumns()
{
    m_grid.FitColumnsByMode();
}

void QuickGridMgr::DeleteAllRows()
{
    m_grid.DeleteAllRows();
}

void QuickGridMgr::SetFitMode(int mode)
{
    m_grid.SetFitMode(mode, true);
}

void QuickGridMgr::SetTextCell(int gridColumn, int row, const QString& text, bool ellipsis)
{
    CUGCell cell;
    m_grid.GetCell(gridColumn, row, &cell);
    cell.SetText(text);
    if (ellipsis)
        cell.SetCellTypeStyle(CUGCellType::kStyleEllipsis);
    m_grid.SetCell(gridColumn, row, &cell);
}

void QuickGridMgr::SetNumberCell(int gridColumn, int row, const QString& text, double value)
{
    CUGCell cell;
    m_grid.GetCell(gridColumn, row, &cell);
    cell.SetLabelText(text);
    cell.SetNumber(value);
    cell.SetCellTypeStyle(CUGCellType::kStyleLabel);
    m_grid.SetCell(gridColumn, row, &cell);
}
