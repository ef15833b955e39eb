#pragma once
// The row-type-free handle through which a view drives any grid manager.

#include <memory>

class CGridPaintBlocker;

class IUGListMgr
{
public:
    virtual ~IUGListMgr() = default;
    virtual int GetUpdateHintMask() const = 0;
    virtual void FinishEditing() = 0;
    virtual void RefreshRowCount() = 0;
    virtual void Resort() = 0;
    virtual void ClearSelection() = 0;
    virtual std::shared_ptr<CGridPaintBlocker> SuspendRedraw() = 0;
    virtual int GotoCell(int column, int row) = 0;
    virtual void RedrawAll() = 0;
    virtual void Invalidate() = 0;
};
