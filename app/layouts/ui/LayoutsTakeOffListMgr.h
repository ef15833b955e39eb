#pragma once
// The take-off list of the layouts page: owns the list's rows and its grid
// manager, keeps them in step with what the page shows, reports the user's
// row to the page's view manager, hands an unplaced part's row drag to it,
// and copies the shown diagram's list as text.

#include "grids/CTakeOffGDM.h"
#include "layouts/ui/ILayoutsTakeOffListMgr.h"

#include <memory>
#include <vector>

class LayoutsTakeOffListMgr : public ILayoutsTakeOffListMgr, public ITakeOffGridOwner
{
public:
    // The owner (the page's view manager) is not owned.
    explicit LayoutsTakeOffListMgr(ITakeOffListOwner* owner);
    ~LayoutsTakeOffListMgr() override;

    // ---- ILayoutsTakeOffListMgr
    TakeOffListState GetState() const override;
    void RestoreState(const TakeOffListState& state) override;
    void Attach(std::shared_ptr<CUGRowMode> grid, std::shared_ptr<QTabBar> tabs) override;
    void CopyToClipboard() override;
    TakeOffSelection Refresh(const TakeOffSelection& selection, bool keep) override;
    void SelectItem(const TakeOffSelection& selection) override;
    void FitColumns() override;
    void Clear() override;
    void Invalidate() override;
    void ApplyGridLines() override;
    void ApplyFitMode() override;
    void SetFocus() override;
    void GetTextRows(ParseFieldRows& rows, bool allRows, bool withHeader) override;
    void ForwardGridNotify(int code, long long first, long long second) override;
    void SerializeLayout(ArchiveWrapper& ar) override;
    std::shared_ptr<CTakeOffGDM> GetGridMgr() const override { return m_manager; }
    void ToggleInfoColumn() override;
    bool IsInfoColumnShown() const override;
    int GetActiveTab() const override;
    void OnTabChanged() override;
    bool IsPointOverList(const QPoint& screenPoint) const override;
    void SetListKind(int kind) override;

    // ---- from the grid manager
    void OnSelectionChanged(CMilledPart* part, bool turned) override;
    void OnGridKeyDown(int key) override;
    void OnGridKeyUp(int key) override;
    void OnRowDragStart(TAKEOFFITEM* item) override;

    // The text rows of the diagram's list: with diagramHeader seven rows of
    // the diagram's stock first, with columnHeaders a rule and the headings.
    void BuildTextRows(
        ParseFieldRows& rows, const DisplayDiagramPtr& diagram, bool columnHeaders, bool diagramHeader);
    const TakeOffRows& GetRows() const { return m_rows; }

private:
    void DeleteRows();
    // The rows of the list kind for the shown diagram, then the grid.
    void RebuildRows();
    void CollectDiagramRows(const DisplayDiagram& diagram);
    void CollectTargetRows(bool unplacedOnly);
    // Selects the row (none for -1) without reporting it.
    void SelectRow(int row);

    ITakeOffListOwner* m_owner;
    std::shared_ptr<CUGRowMode> m_grid;
    std::shared_ptr<CTakeOffGDM> m_manager;
    std::shared_ptr<QTabBar> m_tabs;
    TakeOffRows m_rows;
    std::vector<std::unique_ptr<TAKEOFFITEM>> m_items;
    bool m_suspended = false;
    // The manager's registration with the grid it was last attached to.
    int m_dataSourceIndex = -1;
};
