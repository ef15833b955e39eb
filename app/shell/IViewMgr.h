#pragma once
// How the rest of the program reaches the main view and its pages.

#include <QRect>
#include <QString>

#include <memory>

class CommandBase;
class IOptimizationDoc;
class QWidget;

class IViewMgr
{
public:
    virtual ~IViewMgr() = default;
    virtual QRect GetPageRect() const = 0;
    virtual QWidget* GetViewWnd() = 0;
    virtual void SetModified() = 0;
    // The view's PrintActivePage.
    virtual void PrintActivePage() = 0;
    virtual bool IsCommandIdle() const = 0;
    // Ends any in-place edit of the page grids.
    virtual void FinishEditing() = 0;
    virtual void SaveMaterialsIfDirty() = 0;
    virtual void EditProjectSettings(QWidget* parent) = 0;
    virtual void NewProject() = 0;
    virtual void FinishEditingForClose() = 0;
    // False, after the locked-project message, when the project is locked.
    virtual bool CheckNotLocked() = 0;
    virtual void RedrawAll() = 0;
    virtual bool HasPathOrChanges() const = 0;
    virtual bool ConfirmCloseProject() = 0;
    virtual IOptimizationDoc* GetDocument() const = 0;
    virtual void FocusActivePage() = 0;
    virtual void UpdateCommandBars() = 0;
    virtual void ShowUIStringBox(int stringId) = 0;
    // kind 0 csv, 1 text, 2 mobile export; folderPref the text preference of
    // the first folder. False when cancelled or the project's own file was chosen.
    virtual bool AskExportFileName(bool save, int kind, int folderPref, QString& path) = 0;
    virtual bool RunIfNotLocked(const std::shared_ptr<CommandBase>& command) = 0;
};
