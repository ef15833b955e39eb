#pragma once
// The main view: the tab strip and the five pages below it. The Parts page
// (the parts grid), the B.O.M. page (the sheet-goods bill pane) and the Raw
// Materials page (the materials tree, the material information strip, the
// divider bar and the size/cost grid) live here; the Layouts and Reports
// pages are the windows of their own managers, placed by the view manager.

#include "shell/IView.h"
#include "shell/RawMaterialsLayout.h"

#include "grids/PartRowEditState.h"
#include "grids/SheetGoodBOMPane.h"

#include "output/print/ui/IPrintViewHost.h"

#include <platform/ui/Document.h>

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class CKWLDoc;
class CKerfwellGDM;
class CMainTab;
class CPrintCommands;
class CSGSCGDM;
class CUGRowMode;
class DeferredDialog;
class MatInfoPresenter;
class QFrame;
class RedrawInhibitor;
class RMTree;
class UpdateHint;
class ViewMgr;

// The tab strip's and the page area's rectangles for a client rectangle.
struct MainViewGeometry
{
    QRect tab;
    QRect page;
};
MainViewGeometry ComputeMainViewGeometry(const QRect& client);

class CKWLView : public QWidget,
                 public IView,
                 public platform::DocView,
                 public IPrintViewHost,
                 public IPinnedEditPrompt,
                 public IBOMPaneOwner
{
    Q_OBJECT
public:
    enum Page {
        PartsPage = 0,
        LayoutsPage = 1,
        BOMPage = 2,
        ReportsPage = 3,
        RawMaterialsPage = 4,
        PageCount = 5
    };
    // The file beside the preferences that keeps the main grids' column layouts.
    static constexpr std::int32_t kGridStateVersion = 7;

    explicit CKWLView(CKWLDoc& document, QWidget* parent = nullptr);
    ~CKWLView() override;

    // Creates the view manager and the pages; once.
    void OnInitialUpdate();
    bool IsInitialized() const { return m_initialized; }
    ViewMgr* GetViewMgr() const { return m_viewMgr.get(); }
    // After the support tools reset the grid state, closing must not write
    // the grids' layout again, so the next start shows the default layout.
    void SkipGridStateSave() { m_skipGridStateSave = true; }
    bool IsGridStateSaveSkipped() const { return m_skipGridStateSave; }
    // Reads (storing false) or writes the grid state file; every error is
    // swallowed. Reading stops at the first refused section.
    void LoadSaveGridState(bool storing);
    // What the view does when its window goes: remember the divider and,
    // unless skipped, the grid layouts. Once.
    void OnDestroy();
    CMainTab& GetTab() const { return *m_tab; }
    // The main control of a page (the Raw Materials page: its size/cost grid).
    QWidget* GetPage(int page) const;
    // On new, open or close of a project.
    void OnDocumentReset();
    // The document asks for the parts list to be rebuilt.
    void RebuildPartsGrid();
    // The document's second new project: the Parts page shows the empty list.
    void RefreshPartsPage();
    void FitPartsGridColumns();

    // The page's controls.
    CUGRowMode* GetPartsGrid() const { return m_partsGrid; }
    CKerfwellGDM* GetPartsGridMgr() const { return m_partsMgr.get(); }
    CUGRowMode* GetSizeCostGrid() const { return m_sizeCostGrid; }
    CSGSCGDM* GetSizeCostGridMgr() const { return m_sizeCostMgr.get(); }
    int GetSizeCostRowIndex() const { return -1; }
    RMTree& GetRMTree() const { return *m_tree; }
    QFrame* GetDivider() const { return m_divider; }
    int GetDividerPosition() const { return m_dividerPosition; }
    const std::shared_ptr<SheetGoodBOMPane>& GetBOMPane() const { return m_bomPane; }
    MatInfoPresenter* GetMatInfoPresenter() const { return m_matInfo.get(); }
    bool IsLargeScreenLayout() const { return m_largeScreen; }

    // IView
    IOptimizationDoc* GetDoc() const override;
    QWidget* GetWnd() override { return this; }
    int GetCurrentPage() const override;
    void SetCurrentPage(int page) override;
    QRect GetPageRect() const override { return m_pageRect; }
    void SetDocumentModified() override;
    void ShowLockedMessage() override;
    void RedrawGrids() override;
    void FocusCurrentPage() override;
    void UpdateCommandBars() override;
    void PrintActivePage() override;

    // Print and Print Preview, and the preview's state.
    CPrintCommands& GetPrintCommands() const { return *m_print; }

    // IPrintViewHost
    IDoc* GetPrintDocument() override;
    IPrintViewMgr* GetPrintViewMgr() override;
    QWidget* GetPrintView() override { return this; }
    QMainWindow* GetPrintFrame() override;
    void FinishEditing() override;
    int GetShownPage() const override { return GetCurrentPage(); }
    void ShowPage(int page) override;
    void RefreshView() override { update(); }
    void SetViewRedraw(bool redraw) override;
    bool AskPdfFileName(QString& path) override;
    QString GetSupportContact() const override;

    // The pages' operations the view manager uses.
    void ShowPartsGrid(bool show);
    void ShowBOMPane(bool show);
    void ShowRawMaterialsPage(bool show);
    void LayoutPartsGrid(int height);
    void RefitPartsGrid();
    void ShowSelectedMaterialInfo();
    void ClearTreeSelection();
    // Binds the size/cost grid to the tree's selected sheet good; with a
    // hint, selects the rows the hint names.
    void ShowSizeCostRowsOfSelection(UpdateHint* hint);
    void RebuildFonts();
    void FinishSizeCostEditing();
    void RefreshGrids();
    void LayOutRawMaterialsPage();
    void SetMenuTextFlag(bool on) { m_menuText = on; }
    // The skipped-parts warning a run leaves behind: shown from the event
    // loop once no other modal dialog is up, then the lists behind it are
    // drawn afresh.
    void PostSkippedPartsAlert();

    // IPinnedEditPrompt
    bool ConfirmPinnedEdit(int messageId) override;

    // IBOMPaneOwner
    std::shared_ptr<IOptimizedTopLevelBOM> GetSheetGoodsBOM() override;
    bool LoadBOMData(int request) override;

    // DocView: every document update goes to the view manager.
    void OnDocUpdate(platform::DocView* sender, long hint, void* hintObject) override;

    // The main frame refreshes its command states through this.
    void SetCommandBarsUpdater(std::function<void()> updater) { m_updateCommandBars = std::move(updater); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayOut();
    void MoveDividerTo(int top);
    void ShowSkippedPartsAlert();
    bool IsDividerDraggable() const;

    bool m_skipGridStateSave = false;

    CKWLDoc& m_document;
    CMainTab* m_tab;
    QRect m_pageRect;
    QRect m_rawMaterialsPageRect;
    bool m_largeScreen = false;
    bool m_initialized = false;
    bool m_closing = false;
    bool m_menuText = true;
    int m_dividerPosition = -1;
    DividerDrag m_dividerDrag;

    // Before the page managers, which reach it until they are gone.
    std::unique_ptr<ViewMgr> m_viewMgr;
    std::unique_ptr<CPrintCommands> m_print;
    CUGRowMode* m_partsGrid = nullptr;
    CUGRowMode* m_sizeCostGrid = nullptr;
    RMTree* m_tree = nullptr;
    QFrame* m_divider = nullptr;
    std::unique_ptr<CKerfwellGDM> m_partsMgr;
    std::unique_ptr<CSGSCGDM> m_sizeCostMgr;
    int m_sizeCostSource = -1;
    std::shared_ptr<SheetGoodBOMPane> m_bomPane;
    std::unique_ptr<MatInfoPresenter> m_matInfo;
    std::array<QWidget*, PageCount> m_pages {};
    std::function<void()> m_updateCommandBars;
    // Held while printing or a preview keeps the view from painting.
    std::shared_ptr<RedrawInhibitor> m_redrawLock;
    DeferredDialog* m_skippedPartsAlert;
};
