#include "shell/CMainTab.h"

CMainTab::CMainTab(QWidget* parent)
    : QTabBar(parent)
{
    setExpanding(false);
    setDrawBase(true);
    // Clicking the tab that is already selected does not switch pages.
    connect(this, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index < 0 || index == currentIndex())
            return;
        setCurrentIndex(index);
        if (m_switcher)
            m_switcher(index);
    });
}
