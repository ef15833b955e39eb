#pragma once
// The B.O.M. page's holder of the sheet-goods bill-of-materials grid: the
// grid window and the manager that fills it. The view moves, shows and
// refreshes it, saves its column layout and copies its rows.

#include "model/ParseFieldRow.h"

#include <QRect>

#include <memory>

class ArchiveWrapper;
class CUGRowMode;
class IOptimizedTopLevelBOM;
class QWidget;
class SheetGoodBOMGridMgr;

// What the pane asks of the view that made it.
class IBOMPaneOwner
{
public:
    virtual ~IBOMPaneOwner() = default;
    virtual std::shared_ptr<IOptimizedTopLevelBOM> GetSheetGoodsBOM() = 0;
    // 1: a full refresh; -1: whether the bill changed. True: refill the grid.
    virtual bool LoadBOMData(int request) = 0;
};

class SheetGoodBOMPane
{
public:
    static constexpr int kGridId = 6356;
    static constexpr int kGridStateVersion = 1;

    SheetGoodBOMPane(IBOMPaneOwner& owner, QWidget* parent);
    ~SheetGoodBOMPane();
    SheetGoodBOMPane(const SheetGoodBOMPane&) = delete;
    SheetGoodBOMPane& operator=(const SheetGoodBOMPane&) = delete;

    void Hide();
    void MoveTo(const QRect& rect);
    void Refresh();
    // Refills when the bill changed; answers whether it did.
    bool Reload();
    void RebuildGrid();
    void ApplyGridLinesPref();
    void ApplyFitModePref();
    void Invalidate();
    // With the normal show command (5) the grid is refreshed too.
    void Show(int showCommand);
    void Focus();
    bool HasRows() const;
    // Version 1, then the grid's column mapping; another version is refused.
    void SerializeGridState(ArchiveWrapper& ar);
    // The title row "B.O.M.: Sheet Goods", the heading row, then every row.
    void GetRowsForCopy(ParseFieldRows& rows);

    CUGRowMode& GetGrid() const { return *m_grid; }

private:
    IBOMPaneOwner& m_owner;
    std::shared_ptr<CUGRowMode> m_grid;
    std::shared_ptr<SheetGoodBOMGridMgr> m_manager;
};
