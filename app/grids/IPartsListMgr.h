#pragma once
// The view's handle on the parts grid: the operations of every list grid
// and those only the parts list has.

#include "foundation/UpdateHint.h"
#include "grids/IUGListMgr.h"

class PartRowEditState;

class IPartsListMgr : public IUGListMgr
{
public:
    ~IPartsListMgr() override = default;

    // The grid part of a document update (see CGridDisplayManager::OnGridUpdate).
    virtual void OnGridUpdate(const PartRowsHint& hint) = 0;
    virtual void SetRowEditState(PartRowEditState* state) = 0;
    // Drops the row being typed (and a pending group edit) without a command.
    virtual void CancelEditing() = 0;
    // Hands the current row's part, or the selected parts, to the edit state.
    virtual void NotifySelection() = 0;
    virtual void RedrawPendingRow() = 0;
    virtual void BeginCurrentRowEdit() = 0;
    virtual bool CanMoveSelectionUp() = 0;
    virtual bool CanMoveSelectionDown() = 0;
    // The number of parts (the append row not counted).
    virtual int GetPartCount() = 0;
    virtual void MoveCursorUp() = 0;
    virtual void MoveCursorDown() = 0;
};
