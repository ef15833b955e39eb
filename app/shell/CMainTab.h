#pragma once
// The main view's tab strip: whatever makes another tab current switches
// the pages through the view manager.

#include <QTabBar>

#include <functional>

class CMainTab : public QTabBar
{
    Q_OBJECT
public:
    explicit CMainTab(QWidget* parent = nullptr);
    // Called with the new index when the user picks another tab.
    void SetPageSwitcher(std::function<void(int page)> switcher) { m_switcher = std::move(switcher); }
    // Highlights a tab for a page the view manager shows itself.
    void SelectWithoutSwitching(int index);

private:
    std::function<void(int)> m_switcher;
};
