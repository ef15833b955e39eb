#pragma once
// The mediator between the main view and the managers of its pages: it
// switches the pages, routes every document update to the managers that
// must refresh and offers the shared dialogs of the program window.

#include "shell/IViewMgr.h"

#include "grids/IPartsGridHost.h"
#include "grids/RawMaterialsHost.h"
#include "layouts/ui/ILayoutsViewOwner.h"

#include "grids/IPrintable.h"
#include "output/export/MobileExportCommand.h"
#include "output/print/IPrintViewMgr.h"
#include "output/reports/ui/ReportsFrame.h"
#include "output/reports/ui/ReportsViewMgr.h"

#include <functional>
#include <memory>

class CKWLDoc;
class CKWLView;
class CTakeOffGDM;
class LayoutsViewMgr;
class PartRowEditState;
class RMTreeMgr;
class SheetGoodBOMPane;
class UpdateHint;

class ViewMgr : public IViewMgr,
                public ILayoutsViewOwner,
                public IReportsPageHost,
                public iDeviceExport::IMobileExportHost,
                public IPrintViewMgr,
                public IPartsGridHost,
                public IRawMaterialsHost
{
public:
    ViewMgr(CKWLView& view, CKWLDoc& document);
    ~ViewMgr() override;

    // The document's events: before it resets on close the grids end their
    // in-place edits (no editor is left on a part about to go); after a new
    // project the commands' states are brought up to date.
    void OnCloseDocument();
    void OnNewDocument();

    // The application's File New; the shell installs it.
    void SetNewProjectHandler(std::function<void()> handler) { m_newProject = std::move(handler); }

    // IViewMgr
    QRect GetPageRect() const override;
    QWidget* GetViewWnd() override;
    void SetModified() override;
    void PrintActivePage() override;
    bool IsCommandIdle() const override;
    void FinishEditing() override;
    void SaveMaterialsIfDirty() override;
    void EditProjectSettings(QWidget* parent) override;
    void NewProject() override;
    void FinishEditingForClose() override { FinishEditing(); }
    bool CheckNotLocked() override;
    void RedrawAll() override;
    bool HasPathOrChanges() const override;
    bool ConfirmCloseProject() override;
    IOptimizationDoc* GetDocument() const override;
    void FocusActivePage() override;
    void UpdateCommandBars() override;
    void ShowUIStringBox(int stringId) override;
    bool AskExportFileName(bool save, int kind, int folderPref, QString& path) override;
    bool RunIfNotLocked(const std::shared_ptr<CommandBase>& command) override;

    // ILayoutsViewOwner (the rest is shared with IViewMgr)
    void RefreshResultPages() override;
    void OpenProjectSettings(int page) override;

    // IReportsPageHost
    QWidget* GetPageParent() override;
    IOptimizationDoc& GetReportsDocument() override;
    bool OptimizeForReports() override;

    // IMobileExportHost
    IOptimizationDoc& GetExportDocument() override;
    bool OptimizeForExport() override;
    bool AskPackageFileName(QString& path) override;
    void ShowExportMessage(const QString& text, iDeviceExport::ExportMessageKind kind) override;
    // IPrintViewMgr
    bool OptimizeForPrinting(int mode) override;
    IPrintable* GetPartsListPrintable() override;
    bool ReloadBOMPage() override;
    CUGRowMode* GetBOMGrid() override;
    int GetSelectedReport() override;
    void SelectReport(int index) override;
    CUGRowMode* GetReportGrid() override;
    void RefreshReport() override;
    std::shared_ptr<CTakeOffGDM> GetTakeOffGridMgr() override;
    void CollectThumbnailDiagrams(std::vector<DisplayDiagramPtr>& out) override;

    // Export for Mobile.
    void ExportForMobile();

    // IPartsGridHost (FinishEditing is shared with IViewMgr)
    bool CommitPendingPartEdits() override { return CommitPartEdits(); }
    void ShowPinnedPartPrompt(CMilledPart* part, int messageId) override;
    void OnEditNote() override;
    void OnDeleteNote() override;
    void OnInsertNewPart() override;
    void OnInsertDuplicatePart() override;
    void OnDelete() override;
    void OnCut() override;
    void OnCopy() override;
    void OnPaste() override;
    void OnGroupEdit() override;
    void OnJumpToDiagram() override;
    void BeginMenuUpdate() override;
    void UpdateMenuItem(int commandId, QAction* action) override;
    void EndMenuUpdate() override { }

    // IRawMaterialsHost
    void UpdateSizeCostMenu(bool end) override;
    bool IsSizeCostMenuItemEnabled(int position) override;
    void EditSizeCostNote() override;
    void DeleteSizeCostNote() override;
    void DeleteSizeCostRows() override;
    void CutSizeCostRows() override;
    void CopySizeCostRows() override;
    void PasteSizeCostRows() override;
    void RefreshRawMaterialsDisplay() override { RefreshMaterialsDisplay(); }
    QWidget* GetMainWindow() override;
    void FinishRawMaterialsEdits() override;
    void FocusMainControl() override { FocusActivePage(); }

    // The part edits: the unpin step of held parts with hand-placed copies.
    bool CommitPartEdits();
    // The pinned-diagram alert for a part; on OK its diagrams are unpinned
    // as one undo step.
    bool ConfirmUnpinDiagramsWithPart(int messageId, CMilledPart* part);
    bool ConfirmPinnedEdit(int messageId);
    const std::shared_ptr<PartRowEditState>& GetPartEditState() const { return m_partEditState; }
    const std::shared_ptr<RMTreeMgr>& GetRMTreeMgr() const { return m_treeMgr; }
    void SetBOMPane(std::shared_ptr<SheetGoodBOMPane> pane) { m_bomPane = std::move(pane); }
    // Gives the parts list's grid manager the part-edit state.
    void LinkPartEditState();
    // Refresh, recount and refit the parts list; with a hint, select its rows.
    void RebuildPartsList(UpdateHint* hint);
    void LayoutPartsGrid();
    void RefreshMaterialsDisplay();
    void ApplyFitModePref();
    void ApplyLargeScreenPref();
    void ClearTreeSelection();
    void RefreshGrids();
    int GetPageHeight() const;
    bool IsLayoutsDragInProgress() const;
    void ReloadBOM();
    void FocusPage(int page);
    void RefreshTakeOffHeaders(int code, long long first, long long second);
    void ToggleTakeOffInfoColumn();
    bool IsTakeOffInfoColumnShown() const;
    std::shared_ptr<CTakeOffGDM> GetTakeOffGridMgr() const;
    void ResizeFrame();
    void CancelEditAndRefresh();
    // From the Parts page: the layouts page shows the held part's diagram;
    // on the Layouts page: the next diagram with the selected part.
    void JumpToDiagram();
    bool CanJumpToDiagram() const;
    void ReoptimizeUnplacedParts();

    // Pages
    QWidget* CreateReportsPage();
    // The layouts page's frame, made once with its view manager.
    QWidget* CreateLayoutsPage();
    LayoutsViewMgr* GetLayoutsViewMgr() const { return m_layouts.get(); }
    ReportsViewMgr* GetReportsViewMgr() const { return m_reports.get(); }
    void ShowTab(int page);
    void ShowPage(int page);
    void EditPreferences(QWidget* parent);
    void ApplyDocumentUpdate(UpdateHint& hint);
    void Reposition();
    bool HasCopyableContent(int page) const;
    void CopyPage(int page);
    // The Reports page's Copy: the report shown, title line first.
    void CopyReportToClipboard();
    void ApplyGridlinesPref();
    void RefreshColumnHeaders();

private:
    CKWLView& m_view;
    CKWLDoc& m_document;
    bool m_switchingPage = false;
    std::shared_ptr<PartRowEditState> m_partEditState;
    std::unique_ptr<ReportsViewMgr> m_reports;
    std::shared_ptr<RMTreeMgr> m_treeMgr;
    std::shared_ptr<LayoutsViewMgr> m_layouts;
    std::shared_ptr<SheetGoodBOMPane> m_bomPane;
    std::function<void()> m_newProject;
};
