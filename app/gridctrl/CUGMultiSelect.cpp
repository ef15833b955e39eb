#include "gridctrl/CUGMultiSelect.h"

#include "gridctrl/CUGCtrl.h"

#include <algorithm>

CUGMultiSelect::CUGMultiSelect(CUGCtrl* grid)
    : m_grid(grid)
{
}

CUGMultiSelect::~CUGMultiSelect() = default;

// A whole-row block ends at the last column, so that no enumeration yields
// a cell beyond it.
int CUGMultiSelect::lastColumn() const
{
    return m_grid ? std::max(0, m_grid->GetColumnCount() - 1) : 0;
}

void CUGMultiSelect::normalise(Block& b) const
{
    b.top = std::min(b.startRow, b.endRow);
    b.bottom = std::max(b.startRow, b.endRow);
    if (m_mode & kModeWholeRows) {
        b.left = 0;
        b.right = lastColumn();
    } else {
        b.left = std::min(b.startCol, b.endCol);
        b.right = std::max(b.startCol, b.endCol);
    }
}

void CUGMultiSelect::queueRange(int left, int top, int right, int bottom) const
{
    if (m_grid)
        m_grid->QueueRangeRepaint(left, top, right, bottom);
}

void CUGMultiSelect::queueAll() const
{
    int l, t, r, b;
    if (GetBoundingBox(&l, &t, &r, &b) == 0)
        queueRange(l, t, r, b);
}

int CUGMultiSelect::RemoveAllBlocks()
{
    m_blocks.clear();
    m_lastCol = -1;
    m_lastRow = -1;
    return 0;
}

int CUGMultiSelect::BeginBlock(int column, int row)
{
    if (m_mode & kModeOneBlock)
        RemoveAllBlocks();
    m_originCol = column;
    m_originRow = row;
    Block b{column, row, column, row, 0, 0, 0, 0, true};
    normalise(b);
    m_blocks.push_back(b);
    if (m_grid)
        m_grid->OnBlockChanged(b.left, b.top, b.right, b.bottom, GetBlockCount());
    return 0;
}

int CUGMultiSelect::ExtendBlock(int column, int row)
{
    if (m_blocks.empty())
        return 1;
    if (m_mode & kModeOneBlock) {
        const Block& old = m_blocks.back();
        queueRange(old.left, old.endRow, old.right, old.endRow);
        RemoveAllBlocks();
        BeginBlock(column, row);
    }
    Block& b = m_blocks.back();
    const Block before = b;
    b.endCol = column;
    b.endRow = row;
    normalise(b);
    b.selected = true;
    if (m_grid)
        m_grid->OnBlockChanged(b.left, b.top, b.right, b.bottom, GetBlockCount());
    // What changed lies inside the union of the old and new rectangles.
    queueRange(std::min(before.left, b.left), std::min(before.top, b.top), std::max(before.right, b.right),
               std::max(before.bottom, b.bottom));
    return 0;
}

int CUGMultiSelect::OnClick(int column, int row, unsigned keyFlags)
{
    m_lastCol = column;
    m_lastRow = row;
    if (keyFlags & kCtrl)
        return ToggleCellBlock(column, row);
    if (!(keyFlags & kShift)) {
        queueAll();
        RemoveAllBlocks();
        m_lastCol = column;
        m_lastRow = row;
        return BeginBlock(column, row);
    }
    return ExtendBlock(column, row);
}

int CUGMultiSelect::OnRightClick(int column, int row, unsigned)
{
    if (IsCellSelected(column, row))
        return 1;
    if (!m_blocks.empty()) {
        const Block& b = m_blocks.back();
        queueRange(b.left, b.top, b.right, b.bottom);
    }
    RemoveAllBlocks();
    BeginBlock(column, row);
    return 0;
}

int CUGMultiSelect::OnKeyboardMove(int column, int row)
{
    if (column == m_lastCol && row == m_lastRow)
        return 0;
    const bool shift = m_grid && m_grid->IsShiftHeld();
    const bool ctrl = m_grid && m_grid->IsCtrlHeld();
    int result = 0;
    if (shift && !m_blocks.empty()) {
        result = ExtendBlock(column, row);
    } else if (ctrl) {
        result = BeginBlock(column, row);
    } else {
        queueAll();
        RemoveAllBlocks();
        result = BeginBlock(column, row);
    }
    m_lastCol = column;
    m_lastRow = row;
    return result;
}

int CUGMultiSelect::OnDragMove(int column, int row, unsigned)
{
    if (column == m_lastCol && row == m_lastRow)
        return 0;
    m_lastCol = column;
    m_lastRow = row;
    return ExtendBlock(column, row);
}

int CUGMultiSelect::ToggleCellBlock(int column, int row)
{
    for (auto it = m_blocks.rbegin(); it != m_blocks.rend(); ++it) {
        if (it->startCol == column && it->endCol == column && it->startRow == row && it->endRow == row) {
            it->selected = !it->selected;
            queueRange(it->left, it->top, it->right, it->bottom);
            return 0;
        }
    }
    const bool wasSelected = IsCellSelected(column, row) != 0;
    BeginBlock(column, row);
    m_blocks.back().selected = !wasSelected;
    const Block& b = m_blocks.back();
    queueRange(b.left, b.top, b.right, b.bottom);
    return 0;
}

int CUGMultiSelect::GetOrigin(int* column, int* row) const
{
    if (m_blocks.empty())
        return 1;
    *column = m_originCol;
    *row = m_originRow;
    return 0;
}

int CUGMultiSelect::GetLastBlock(int* left, int* top, int* right, int* bottom) const
{
    if (m_blocks.empty())
        return 1;
    const Block& b = m_blocks.back();
    *left = b.left; *top = b.top; *right = b.right; *bottom = b.bottom;
    return 0;
}

int CUGMultiSelect::GetBoundingBox(int* left, int* top, int* right, int* bottom) const
{
    if (m_blocks.empty())
        return 1;
    int l = m_blocks.front().left, t = m_blocks.front().top;
    int r = m_blocks.front().right, b = m_blocks.front().bottom;
    for (const Block& block : m_blocks) {
        l = std::min(l, block.left); t = std::min(t, block.top);
        r = std::max(r, block.right); b = std::max(b, block.bottom);
    }
    *left = l; *top = t; *right = r; *bottom = b;
    return 0;
}

int CUGMultiSelect::GetBlockCount() const
{
    return static_cast<int>(m_blocks.size());
}

int CUGMultiSelect::IsCellSelected(int column, int row, int* block) const
{
    const int count = GetBlockCount();
    const bool firstWins = m_mode & kModeFirstWins;
    for (int k = 0; k < count; ++k) {
        const int i = firstWins ? k : count - 1 - k;
        const Block& b = m_blocks[i];
        if (column >= b.left && column <= b.right && row >= b.top && row <= b.bottom) {
            if (block)
                *block = i;
            return b.selected ? 1 : 0;
        }
    }
    return 0;
}

int CUGMultiSelect::IsColumnSelected(int column) const
{
    if (m_mode & kModeWholeRows)
        column = 1;
    const int count = GetBlockCount();
    for (int k = 0; k < count; ++k) {
        const Block& b = m_blocks[(m_mode & kModeFirstWins) ? k : count - 1 - k];
        if (column >= b.left && column <= b.right)
            return b.selected ? 1 : 0;
    }
    return 0;
}

int CUGMultiSelect::IsRowSelected(int row) const
{
    const int count = GetBlockCount();
    for (int k = 0; k < count; ++k) {
        const Block& b = m_blocks[(m_mode & kModeFirstWins) ? k : count - 1 - k];
        if (row >= b.top && row <= b.bottom)
            return b.selected ? 1 : 0;
    }
    return 0;
}

int CUGMultiSelect::SetMode(int mode)
{
    RemoveAllBlocks();
    m_mode = mode;
    return 0;
}

int CUGMultiSelect::GetMode() const
{
    return m_mode;
}

int CUGMultiSelect::FirstSelectedCell(int* column, int* row)
{
    if (m_blocks.empty()) {
        *column = m_grid ? m_grid->GetCurrentColumn() : -1;
        *row = m_grid ? m_grid->GetCurrentRow() : -1;
        return 0;
    }
    GetBoundingBox(&m_enumLeft, &m_enumTop, &m_enumRight, &m_enumBottom);
    m_enumCol = m_enumLeft - 1;
    m_enumRow = m_enumTop;
    return NextSelectedCell(column, row);
}

int CUGMultiSelect::NextSelectedCell(int* column, int* row)
{
    const bool rowsOnly = m_mode == kModeWholeRows;
    while (m_enumRow <= m_enumBottom) {
        if (rowsOnly) {
            const int r = m_enumRow++;
            if (IsCellSelected(m_enumLeft, r)) {
                *column = m_enumLeft;
                *row = r;
                return 0;
            }
            continue;
        }
        ++m_enumCol;
        if (m_enumCol > m_enumRight) {
            m_enumCol = m_enumLeft - 1;
            ++m_enumRow;
            continue;
        }
        if (IsCellSelected(m_enumCol, m_enumRow)) {
            *column = m_enumCol;
            *row = m_enumRow;
            return 0;
        }
    }
    return 1;
}

int CUGMultiSelect::FirstBlock(int* left, int* top, int* right, int* bottom)
{
    m_enumBlock = 0;
    return NextBlock(left, top, right, bottom);
}

int CUGMultiSelect::NextBlock(int* left, int* top, int* right, int* bottom)
{
    if (m_enumBlock >= m_blocks.size())
        return 1;
    const Block& b = m_blocks[m_enumBlock++];
    *left = b.left; *top = b.top; *right = b.right; *bottom = b.bottom;
    return 0;
}
