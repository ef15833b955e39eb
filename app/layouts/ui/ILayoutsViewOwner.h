#pragma once
// What the layouts page's view manager asks of the main view's view manager
// that created it.

#include <QRect>

class QWidget;

class ILayoutsViewOwner
{
public:
    virtual ~ILayoutsViewOwner() = default;

    // The page area of the main view, in the view's coordinates.
    virtual QRect GetPageRect() const = 0;
    // The main view: the parent of the layouts frame.
    virtual QWidget* GetViewWnd() = 0;
    virtual void SetModified() = 0;
    // The reports page when shown, then the view's panes that show results.
    virtual void RefreshResultPages() = 0;
    virtual void PrintActivePage() = 0;
    // False while a command of the command history executes.
    virtual bool IsCommandIdle() const = 0;
    // Ends any in-place edit of the page grids before a command.
    virtual void FinishEditing() = 0;
    // The project settings dialog at a page (3: the optimization settings).
    virtual void OpenProjectSettings(int page) = 0;
};
