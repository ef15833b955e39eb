#include "shell/CMainTab.h"

#include <QSignalBlocker>

CMainTab::CMainTab(QWidget* parent)
    : QTabBar(parent)
{
    setExpanding(false);
    setDrawBase(true);
    // Every change of the current tab (a click, the arrow keys, the mouse
    // wheel) switches the pages, so that the highlighted tab is always the
    // page shown; a click on the current tab changes nothing.
    connect(this, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && m_switcher)
            m_switcher(index);
    });
}

void CMainTab::SelectWithoutSwitching(int index)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(index);
}
