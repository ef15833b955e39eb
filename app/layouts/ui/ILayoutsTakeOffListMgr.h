#pragma once
// The take-off list of the layouts page: the parts of the shown thickness,
// of the shown diagram, or left unplaced, chosen by tabs. What the page's
// view manager calls, what the list asks of it, and the state kept across a
// rebuild of the page's panes.

#include "grids/ITakeOffCtrl.h"
#include "layouts/DiagramHighlight.h"
#include "layouts/ui/PaneOwners.h"
#include "model/ParseFieldRow.h"
#include "optimization/OptimizationResults.h"

#include <memory>

class ArchiveWrapper;
class CTakeOffGDM;
class CUGRowMode;
class QPoint;
class QTabBar;

// Taken before the page's panes are rebuilt and restored afterwards.
struct TakeOffListState
{
    bool infoColumnShown = false;
    int activeTab = 0;
    // The first selected grid row; -1 for none.
    int selectedRow = -1;
    // The sorted data column; -1 for none.
    int sortColumn = -1;
    bool ascending = false;

    friend bool operator==(const TakeOffListState&, const TakeOffListState&) = default;
};

// What the take-off list asks of the page's view manager.
class ITakeOffListOwner : public virtual IDiagramPaneOwner
{
public:
    // The results of the selected target; empty for none.
    virtual OptimizationResultsPtr GetSelectedResults() const = 0;
    // A row picked in the list (source SelectionSource::TakeOffList).
    virtual void OnTakeOffSelectionChanged(const TakeOffSelection& selection, int source) = 0;
    // The list kind changed: kept in the "TakeOff Mode" preference.
    virtual void SetTakeOffMode(int kind) = 0;
    // The shown diagram may be edited by hand.
    virtual bool IsManualEditingAllowed() const = 0;
    // Drags the page's take-off selection onto the diagram.
    virtual void BeginListDrag() = 0;
    virtual void OnListKeyDown(int key) = 0;
    virtual void OnListKeyUp(int key) = 0;
};

class ILayoutsTakeOffListMgr : public ITakeOffCtrlListener
{
public:
    ~ILayoutsTakeOffListMgr() override = default;

    virtual TakeOffListState GetState() const = 0;
    virtual void RestoreState(const TakeOffListState& state) = 0;
    // Binds the list to a new take-off window's grid and tabs.
    virtual void Attach(std::shared_ptr<CUGRowMode> grid, std::shared_ptr<QTabBar> tabs) = 0;
    // The shown diagram's list as text, whatever tab is shown; nothing
    // without a shown diagram.
    virtual void CopyToClipboard() = 0;
    // Rebuilds the rows and selects the given part; answers the selection
    // now shown. keep: a part the list does not show stays the selection.
    virtual TakeOffSelection Refresh(const TakeOffSelection& selection, bool keep) = 0;
    // Selects the part's row without reporting it back.
    virtual void SelectItem(const TakeOffSelection& selection) = 0;
    virtual void FitColumns() = 0;
    virtual void Clear() = 0;
    virtual void Invalidate() = 0;
    // The "Gridlines" preference.
    virtual void ApplyGridLines() = 0;
    // The column "Fit Mode" preference.
    virtual void ApplyFitMode() = 0;
    virtual void SetFocus() = 0;
    virtual void GetTextRows(ParseFieldRows& rows, bool allRows, bool withHeader) = 0;
    virtual void ForwardGridNotify(int code, long long first, long long second) = 0;
    // The list's record of the grid-state file.
    virtual void SerializeLayout(ArchiveWrapper& ar) = 0;
    virtual std::shared_ptr<CTakeOffGDM> GetGridMgr() const = 0;
    virtual void ToggleInfoColumn() = 0;
    virtual bool IsInfoColumnShown() const = 0;
    virtual int GetActiveTab() const = 0;
    // The tab bar frames the grid.
    virtual bool IsPointOverList(const QPoint& screenPoint) const = 0;
    // 0 the shown thickness, 1 the shown diagram, 2 the unplaced parts.
    virtual void SetListKind(int kind) = 0;
};
