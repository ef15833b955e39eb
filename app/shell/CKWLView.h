#pragma once
// The main view: the tab strip and the five pages below it. Pages that are
// not part of this version yet show an empty page saying so.

#include "shell/IView.h"

#include "output/print/ui/IPrintViewHost.h"

#include <platform/ui/Document.h>

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class CKWLDoc;
class CMainTab;
class CPrintCommands;
class UpdateHint;
class ViewMgr;

// The tab strip's and the page area's rectangles for a client rectangle.
struct MainViewGeometry
{
    QRect tab;
    QRect page;
};
MainViewGeometry ComputeMainViewGeometry(const QRect& client);

class CKWLView : public QWidget, public IView, public platform::DocView, public IPrintViewHost
{
    Q_OBJECT
public:
    enum Page { PartsPage = 0, LayoutsPage = 1, BOMPage = 2, ReportsPage = 3, RawMaterialsPage = 4, PageCount = 5 };

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
    CMainTab& GetTab() const { return *m_tab; }
    QWidget* GetPage(int page) const { return m_pages[static_cast<std::size_t>(page)]; }
    // On new, open or close of a project.
    void OnDocumentReset();

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
    void ShowHelpTopic(int topic) override;
    QString GetSupportContact() const override;

    // DocView: every document update goes to the view manager.
    void OnDocUpdate(platform::DocView* sender, long hint, void* hintObject) override;

    // The main frame refreshes its command states through this.
    void SetCommandBarsUpdater(std::function<void()> updater) { m_updateCommandBars = std::move(updater); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();

    bool m_skipGridStateSave = false;

    CKWLDoc& m_document;
    CMainTab* m_tab;
    std::array<QWidget*, PageCount> m_pages {};
    QRect m_pageRect;
    bool m_initialized = false;
    std::unique_ptr<ViewMgr> m_viewMgr;
    std::unique_ptr<CPrintCommands> m_print;
    std::function<void()> m_updateCommandBars;
};
