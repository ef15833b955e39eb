#pragma once
// The window of the layouts page's take-off list as its list manager sees
// it: a tab bar choosing the list (all parts of the shown thickness, the
// parts on the shown diagram, the unplaced parts) above the grid.

#include <memory>

class CUGRowMode;
class QTabBar;
class QWidget;

// Told when the user picks another tab.
class ITakeOffCtrlListener
{
public:
    virtual ~ITakeOffCtrlListener() = default;
    virtual void OnTabChanged() = 0;
};

class ITakeOffCtrl
{
public:
    virtual ~ITakeOffCtrl() = default;
    // Creates the tab bar and the grid inside the control; false when that failed.
    virtual bool Create(QWidget* parent, int id) = 0;
    virtual void SetListener(std::shared_ptr<ITakeOffCtrlListener> listener) = 0;
    virtual std::shared_ptr<CUGRowMode> GetGrid() const = 0;
    virtual std::shared_ptr<QTabBar> GetTabCtrl() const = 0;
};
