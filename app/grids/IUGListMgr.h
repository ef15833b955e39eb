#pragma once
// The row-type-free handle through which a view drives any grid manager.

#include <memory>

class CGridPaintBlocker;

class IUGListMgr
{
public:
    virtual ~IUGListMgr() = default;
    // Tells the grid the new row count when this manager feeds it.
    virtual void RefreshRowCount() = 0;
    virtual void FitColumns() = 0;
    virtual void PasteRows() { }
    virtual void Resort() = 0;
    virtual void ClearSelection() = 0;
    virtual std::shared_ptr<CGridPaintBlocker> SuspendRedraw() = 0;
    // 0 when the cursor moved, 2 when refused.
    virtual int GotoCell(int column, int row) = 0;
    virtual void RedrawAll() = 0;
    virtual void Invalidate() = 0;
    // Which document changes concern this grid.
    virtual int GetUpdateHintMask() const = 0;
    // Commits the row being typed (before commands, saves and sorts).
    virtual void FinishEditing() = 0;
};
