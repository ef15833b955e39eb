#pragma once
// What the view manager and the page managers need of the main view.

#include <QRect>

class IOptimizationDoc;
class QWidget;

class IView
{
public:
    virtual ~IView() = default;
    virtual IOptimizationDoc* GetDoc() const = 0;
    virtual QWidget* GetWnd() = 0;
    // The selected tab: 0 Parts, 1 Layouts, 2 B.O.M., 3 Reports, 4 Raw Materials.
    virtual int GetCurrentPage() const = 0;
    // Selects the tab only; the view manager switches the pages.
    virtual void SetCurrentPage(int page) = 0;
    // The area below the tab strip in which the pages lie.
    virtual QRect GetPageRect() const = 0;
    virtual void SetDocumentModified() = 0;
    virtual void ShowLockedMessage() = 0;
    virtual void RedrawGrids() = 0;
    virtual void FocusCurrentPage() = 0;
    virtual void UpdateCommandBars() = 0;
    // Prints the layout diagrams on screen, without a dialog.
    virtual void PrintActivePage() = 0;
};
