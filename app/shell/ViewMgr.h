#pragma once
// The mediator between the main view and the managers of its pages: it
// switches the pages, routes every document update to the managers that
// must refresh and offers the shared dialogs of the program window.

#include "shell/IViewMgr.h"

#include "layouts/ui/ILayoutsViewOwner.h"

#include "output/export/MobileExportCommand.h"
#include "output/reports/ui/ReportsViewMgr.h"
#include "output/reports/ui/ReportsFrame.h"

#include <functional>
#include <memory>

class CKWLDoc;
class CKWLView;
class LayoutsViewMgr;
class UpdateHint;

class ViewMgr : public IViewMgr,
                public ILayoutsViewOwner,
                public IReportsPageHost,
                public iDeviceExport::IMobileExportHost
{
public:
    ViewMgr(CKWLView& view, CKWLDoc& document);
    ~ViewMgr() override;

    // The application's File New; the shell installs it.
    void SetNewProjectHandler(std::function<void()> handler) { m_newProject = std::move(handler); }

    // IViewMgr
    QRect GetPageRect() const override;
    QWidget* GetViewWnd() override;
    void SetModified() override;
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
    void PrintActivePage() override;
    void OpenProjectSettings(int page) override;

    // IReportsPageHost
    QWidget* GetPageParent() override;
    IOptimizationDoc& GetReportsDocument() override;
    bool OptimizeForReports() override;

    // IMobileExportHost
    IOptimizationDoc& GetExportDocument() override;
    bool OptimizeForExport() override;
    bool AskPackageFileName(QString& path) override;
    void ShowExportMessage(const QString& text) override;
    // Export for Mobile.
    void ExportForMobile();

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
    std::unique_ptr<ReportsViewMgr> m_reports;
    std::shared_ptr<LayoutsViewMgr> m_layouts;
    std::function<void()> m_newProject;
};
