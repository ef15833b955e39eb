// The tab strips of the program window, the main one and the take-off
// list's: whatever changes the highlighted tab (a click, the arrow keys, the
// mouse wheel) shows its page, so the two never disagree.
#include "ShellTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/CMainTab.h"
#include "shell/ViewMgr.h"

#include "grids/CTakeOffGDM.h"
#include "layouts/ui/ILayoutsFrame.h"
#include "layouts/ui/LayoutsViewMgr.h"

#include <QApplication>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>

#include <functional>

namespace {

// One notch of a mouse wheel over the tab bar, towards the next tab when down.
void TurnWheel(QTabBar& tabs, bool down)
{
    const QPointF at = tabs.rect().center();
    QWheelEvent wheel(at, tabs.mapToGlobal(at), QPoint(), QPoint(0, down ? -120 : 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&tabs, &wheel);
}

struct Gesture
{
    const char* name;
    std::function<void(QTabBar&)> act;
};

const std::vector<Gesture>& Gestures()
{
    static const std::vector<Gesture> gestures = {
        { "a click on the third tab", [](QTabBar& tabs) {
             QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(2).center());
         } },
        { "the wheel turned up", [](QTabBar& tabs) { TurnWheel(tabs, false); } },
        { "the left arrow", [](QTabBar& tabs) { QTest::keyClick(&tabs, Qt::Key_Left); } },
        { "the right arrow", [](QTabBar& tabs) { QTest::keyClick(&tabs, Qt::Key_Right); } },
        { "the wheel turned down", [](QTabBar& tabs) { TurnWheel(tabs, true); } },
    };
    return gestures;
}

TEST_F(ShellTest, TheMainTabStripAndTheShownPageNeverDisagree)
{
    CKerfwellPlusApp& app = Start();
    AddBirchPart(app);
    app.GetMainFrame()->resize(1000, 800);
    app.GetMainFrame()->show();
    CKWLView& view = *app.GetView();
    CMainTab& tab = view.GetTab();
    tab.setFocus();
    int changes = 0;
    for (const Gesture& gesture : Gestures()) {
        SCOPED_TRACE(gesture.name);
        const int before = tab.currentIndex();
        gesture.act(tab);
        changes += tab.currentIndex() != before;
        for (int page = 0; page < tab.count(); ++page)
            EXPECT_EQ(view.GetPage(page)->isVisible(), page == tab.currentIndex()) << "page " << page;
    }
    EXPECT_EQ(changes, static_cast<int>(Gestures().size()));
}

TEST_F(ShellTest, TheTakeOffTabsAndTheShownListNeverDisagree)
{
    CKerfwellPlusApp& app = Start();
    AddBirchPart(app);
    app.GetMainFrame()->resize(1000, 800);
    app.GetMainFrame()->show();
    app.GetView()->GetViewMgr()->ShowTab(CKWLView::LayoutsPage);
    LayoutsViewMgr* layouts = app.GetView()->GetViewMgr()->GetLayoutsViewMgr();
    ASSERT_TRUE(layouts && layouts->GetTakeOffGridMgr());
    const std::shared_ptr<QTabBar> tabs = layouts->GetFrame()->GetTakeOffTabs();
    ASSERT_TRUE(tabs);
    tabs->setFocus();
    int changes = 0;
    for (const Gesture& gesture : Gestures()) {
        SCOPED_TRACE(gesture.name);
        const int before = tabs->currentIndex();
        gesture.act(*tabs);
        changes += tabs->currentIndex() != before;
        EXPECT_EQ(layouts->GetTakeOffGridMgr()->GetListKind(), tabs->currentIndex());
    }
    EXPECT_EQ(changes, static_cast<int>(Gestures().size()));
}

} // namespace
