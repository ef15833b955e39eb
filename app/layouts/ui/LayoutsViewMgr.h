#pragma once
// The mediator of the layouts page. It owns the managers of the page's four
// panes (tree, main diagram, take-off list, thumbnails) and reaches the frame
// through ILayoutsFrame; it keeps the one selection all panes show, turns
// the document's update hints into refreshes of exactly the panes
// concerned, runs the optimization when the page needs results that are out
// of date, and carries out the page's commands. No pane talks to another:
// each reports here through its owner interface.

#include "layouts/ui/ILayoutsTakeOffListMgr.h"
#include "layouts/ui/ILayoutsTreeMgr.h"
#include "layouts/ui/LayoutsSelection.h"
#include "layouts/ui/ManualEditMgr.h"
#include "layouts/ui/PaneOwners.h"

#include <QSize>

#include <memory>
#include <vector>

class CKWLDoc;
class CTakeOffGDM;
class ILayoutsFrame;
class ILayoutsViewOwner;
class IMainDiagramViewMgr;
class IThumbnailsZoneMgr;
class LayoutsFrameFactory;
class UpdateHint;

class LayoutsViewMgr : public IMainDiagramOwner,
                       public IThumbnailsOwner,
                       public ITakeOffListOwner,
                       public ILayoutsTreeOwner,
                       public IManualEditOwner
{
public:
    // Makes the panes' managers and the frame through the factory and sets
    // the arrangement the preferences ask for.
    LayoutsViewMgr(ILayoutsViewOwner* owner, CKWLDoc* doc, LayoutsFrameFactory& factory);
    ~LayoutsViewMgr() override;

    LayoutsViewMgr(const LayoutsViewMgr&) = delete;
    LayoutsViewMgr& operator=(const LayoutsViewMgr&) = delete;

    // --- what the main view's view manager calls
    void ResizeFrame();
    // FrameShow::Show runs the pending refresh before the frame shows.
    void ShowFrame(int code);
    // source: 0 for the document's own hints.
    void OnDocumentUpdate(const UpdateHint& hint, int source);
    void ApplyScreenArrangement();
    void CancelEditAndRefresh();
    bool HasCurrentDiagram() const;
    bool IsCurrentDiagramPinned() const;
    bool IsCurrentDiagramEmpty() const;
    bool HasSelectedPart() const;
    bool IsDragInProgress() const;
    void TogglePinCurrentDiagram();
    void PinAllDiagramsInProject();
    void UnpinAllDiagramsInProject();
    void RemoveEmptyCurrentDiagram();
    // From the parts page: the diagram of the part, shown at the next refresh.
    void ShowDiagramForPart(CMilledPart* part);
    void JumpToNextDiagramWithPart();
    void CopyTakeOffList();
    void FocusTakeOffList();
    void RedrawTakeOffAndTree();
    void ApplyTakeOffGridLines();
    void ApplyTakeOffColumnFit();
    void RefreshTakeOffHeaders(int code, long long first, long long second);
    std::shared_ptr<CTakeOffGDM> GetTakeOffGridMgr() const;
    void ToggleTakeOffInfoColumn();
    bool IsTakeOffInfoColumnShown() const;
    void CollectThumbnailDiagrams(std::vector<DisplayDiagramPtr>& out) const;

    // --- the frame's commands
    void ToggleStretch();
    void TogglePartNumbers();
    void ToggleDescriptions();
    void ToggleUserInfo();
    void ToggleDimensions();
    void ToggleShowGrain();
    void ToggleHideDupes();
    void OpenOptimizationSettings();
    // A main or context style id; any other id does nothing.
    void ApplyLayoutStyleCommand(int id);
    bool CanApplyLayoutStyle(int id) const;
    bool IsLayoutStyleChecked(int id) const;
    void PinAllInTreeNode();
    void UnpinAllInTreeNode();
    void OnCaptureLost();

    // --- the panes' reports (owner interfaces)
    DisplayDiagramPtr GetCurrentDiagram() const override { return m_state.selection.diagram; }
    int GetCurrentDiagramIndex() const override { return m_state.selection.diagramIndex; }
    TakeOffSelection GetTakeOffSelection() const override { return m_state.selection.takeOff; }
    bool IsTakeOffTurnMatched() const override;
    int GetDiagramCount() const override;
    std::shared_ptr<IManualEditView> GetManualEditView() const override { return m_manualEditMgr; }
    void OnTakeOffSelectionChanged(const TakeOffSelection& selection, int source) override;
    void OnMainDiagramResized() override;
    void TurnCurrentDiagram() override;
    void ToggleLabelStyle(bool allDiagrams) override;
    void StepDiagram(int delta) override;
    void ShowCurrentDiagramContextMenu(const QPoint& screenPoint) override;
    void OnMouseMove(
        Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, const QPoint& screenPoint) override;
    void OnMouseUp(const QPoint& screenPoint) override;
    void OnDiagramPress(const DrawnPartPtr& part, const QPoint& screenPoint) override;
    void OnThumbnailSelected(const ThumbnailChoice& choice) override;
    void ShowDiagramContextMenu(const DisplayDiagramPtr& diagram, const QPoint& screenPoint) override;
    void PinDiagrams(const std::vector<DisplayDiagramPtr>& diagrams) override;
    void UnpinDiagrams(const std::vector<DisplayDiagramPtr>& diagrams) override;
    void MarkModified() override;
    void PrintActivePage() override;
    bool IsEditAllowed() const override;
    OptimizationSettings GetOptimizationSettings() const override;
    OptimizationResultsPtr GetSelectedResults() const override { return m_state.selection.results; }
    void SetTakeOffMode(int kind) override;
    bool IsManualEditingAllowed() const override;
    void BeginListDrag() override;
    void OnListKeyDown(int key) override;
    void OnListKeyUp(int key) override;
    void OnTreeSelectionChanged(const LayoutsTreeSelection& selection) override;
    void OnTreeResized() override;
    QWidget* GetFrameWnd() const override;
    void SendFrameCommand(int commandId) override;

    // --- manual editing
    // Gives the shown diagram its Manual Edit layout (running the preparing
    // command when it has none yet) and pins it; false when the diagram
    // could not be brought to that style. The selection becomes the dragged
    // part's when none is selected.
    bool PrepareDiagramForEditing(const TakeOffSelection& selection);
    void RestoreTakeOffSelection(const TakeOffSelection& selection) override;
    bool ContainsScreenPoint(const QPoint& screenPoint) const override;
    bool IsOverTakeOffTabs(const QPoint& screenPoint) const override;
    bool IsOverThumbnails(const QPoint& screenPoint) const override;
    ThumbnailChoice GetThumbnailAt(const QPoint& screenPoint) const override;
    void ShowThumbnailDiagram(const ThumbnailChoice& choice) override;
    void CaptureMouse() override;
    void InvalidateAll() override;
    void InvalidateDiagramArea() override;
    void UpdateNow() override;
    void RedrawThumbnails() override;
    void SetTakeOffListKind(int kind) override;
    QPoint ScreenToClientPoint(const QPoint& screenPoint) const override;
    void SetDragCursor(Qt::CursorShape shape) override;
    ManualEditMgr* GetManualEditMgr() const { return m_manualEditMgr.get(); }

    // For the window layers and the tests.
    ILayoutsFrame* GetFrame() const { return m_frame; }
    const LayoutsViewState& GetState() const { return m_state; }
    ILayoutsTreeMgr* GetTreeMgr() const { return m_treeMgr.get(); }
    IMainDiagramViewMgr* GetMainDiagramMgr() const { return m_mainDiagramMgr.get(); }
    ILayoutsTakeOffListMgr* GetTakeOffMgr() const { return m_takeOffMgr.get(); }
    IThumbnailsZoneMgr* GetThumbnailsMgr() const { return m_thumbnailsMgr.get(); }
    DisplayDiagramPtr GetMenuDiagram() const { return m_menuDiagram; }

private:
    void Refresh();
    void NotifyDetail(std::uint64_t detail);
    void NotifyExtra(std::uint64_t extra, int source);
    void MapAndRefresh(const UpdateHint& hint, int source);
    void EmptySelectionAndPanes();
    void ShowDiagram(const DisplayDiagramPtr& diagram, int index);
    void EndPendingPress();
    // A pending press has moved far enough: prepare the diagram and drag.
    void BeginPressedDrag(const QPoint& screenPoint);
    void EndDragState();
    // The take-off selection's part when it is still in the document's
    // parts list, else null (the part is never dereferenced to find out).
    CMilledPart* LiveSelectedPart() const;
    void DropDeparted(TakeOffSelection& selection) const;
    // Answers whether the style is set without a command.
    bool ApplyLayoutStyle(const DisplayDiagramPtr& diagram, int style);
    DisplayDiagramPtr StyleCommandDiagram(int id) const;
    void TogglePref(int id);

    ILayoutsViewOwner* m_owner;
    CKWLDoc* m_doc;
    std::shared_ptr<ILayoutsTreeMgr> m_treeMgr;
    std::shared_ptr<IMainDiagramViewMgr> m_mainDiagramMgr;
    std::shared_ptr<ILayoutsTakeOffListMgr> m_takeOffMgr;
    std::shared_ptr<IThumbnailsZoneMgr> m_thumbnailsMgr;
    std::shared_ptr<ManualEditMgr> m_manualEditMgr;
    ILayoutsFrame* m_frame = nullptr;
    LayoutsViewState m_state;
    bool m_optimizing = false;
    bool m_keepPart = false;
    DisplayDiagramPtr m_menuDiagram;
    // True while a refresh runs: a refresh asked for meanwhile (the
    // optimization's progress dialog keeps events flowing) only leaves its
    // flags, which the running refresh applies.
    bool m_refreshing = false;
    bool m_firstArrangement = true;
    // The frame size for which a failed row balance last asked for a new
    // arrangement: the same sizes never ask twice.
    QSize m_rebalancedSize;
};
