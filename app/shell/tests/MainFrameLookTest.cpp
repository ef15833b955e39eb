// What the program window shows around the page: command pictures, the
// lock-key panes and the command prompts of the status bar.
#include "ShellTestSupport.h"

#include "shell/CMainFrame.h"
#include "shell/ShellCommands.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

TEST_F(ShellTest, EveryToolbarAndMenuCommandHasAPictureWithoutAnIconTheme)
{
    QIcon::setThemeName(QString());
    CMainFrame* frame = Start().GetMainFrame();
    int checked = 0;
    auto check = [&](const QAction* action) {
        if (action->isSeparator() || action->menu())
            return;
        SCOPED_TRACE(action->text().toStdString());
        ++checked;
        EXPECT_FALSE(action->icon().pixmap(24, 24).isNull());
    };
    for (const QAction* action : frame->GetToolBar()->actions())
        check(action);
    EXPECT_EQ(checked, 20);
    // Menu items that have a picture show it; the two the theme rarely has
    // among them.
    for (const QAction* top : frame->menuBar()->actions()) {
        for (const QAction* action : top->menu()->actions()) {
            if (!action->icon().isNull())
                check(action);
        }
    }
    for (int id : { ShellCommand::UsersManual, ShellCommand::LockProject })
        EXPECT_FALSE(frame->GetCommands().Find(id)->icon().pixmap(24, 24).isNull()) << id;
}

TEST_F(ShellTest, LockKeyPanesShowOnlyTheKeysThatAreOn)
{
    CMainFrame* frame = Start().GetMainFrame();
    struct Case
    {
        std::optional<bool> caps, num, scroll;
        QStringList shown;
    };
    const Case cases[] = {
        { std::nullopt, std::nullopt, std::nullopt, { QString(), QString(), QString() } },
        { false, false, false, { QString(), QString(), QString() } },
        { true, std::nullopt, false, { QStringLiteral("CAP"), QString(), QString() } },
        { false, true, true, { QString(), QStringLiteral("NUM"), QStringLiteral("SCRL") } },
    };
    for (const Case& c : cases) {
        frame->SetLockKeyReader([&c](LockKey key) {
            return key == LockKey::Caps ? c.caps : key == LockKey::Num ? c.num : c.scroll;
        });
        const QStringList panes = frame->GetStatusPaneTexts();
        ASSERT_EQ(panes.size(), 4);
        EXPECT_EQ(panes.mid(1), c.shown);
    }
}

TEST_F(ShellTest, ACommandPromptGoesWhenItsMenuClosesOrItsButtonHasRun)
{
    CMainFrame* frame = Start().GetMainFrame();
    frame->resize(1200, 800);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    QAction* print = frame->GetCommands().Find(ShellCommand::FilePrint);
    const QString prompt = print->statusTip();
    ASSERT_FALSE(prompt.isEmpty());
    QAction* gridlines = frame->GetCommands().Find(ShellCommand::Gridlines);

    // A menu item under the pointer shows its prompt; the menu closing,
    // under the pointer or after a choice, takes it away.
    QAction* viewMenu = nullptr;
    for (QAction* top : frame->menuBar()->actions())
        if (top->menu() && top->menu()->actions().contains(gridlines))
            viewMenu = top;
    ASSERT_TRUE(viewMenu);
    QMenu* view = viewMenu->menu();
    for (bool choose : { false, true }) {
        SCOPED_TRACE(choose ? "chosen" : "closed");
        frame->menuBar()->setActiveAction(viewMenu); // opened from the menu bar
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
        const QPoint at = view->actionGeometry(gridlines).center();
        // A menu follows the pointer once it has moved a little.
        for (const QPoint& step : { at + QPoint(0, 30), at + QPoint(0, 15), at }) {
            QMouseEvent move(QEvent::MouseMove, QPointF(step), QPointF(view->mapToGlobal(step)), Qt::NoButton,
                Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(view, &move);
        }
        EXPECT_EQ(frame->statusBar()->currentMessage(), gridlines->statusTip());
        if (choose)
            QTest::mouseClick(view, Qt::LeftButton, {}, at);
        else
            view->close();
        QApplication::processEvents();
        EXPECT_EQ(frame->statusBar()->currentMessage(), QString());
    }

    // A toolbar button: the pointer on it shows the prompt; once its command
    // has run the prompt is gone, even though no leave event came.
    auto* button = qobject_cast<QToolButton*>(
        frame->GetToolBar()->widgetForAction(frame->GetCommands().Find(ShellCommand::FileNew)));
    ASSERT_TRUE(button);
    QEnterEvent enter(QPointF(5, 5), QPointF(button->mapTo(frame, QPoint(5, 5))),
        QPointF(button->mapToGlobal(QPoint(5, 5))));
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(frame->statusBar()->currentMessage(), button->defaultAction()->statusTip());
    frame->GetCommands().UpdateActions();
    ASSERT_TRUE(button->isEnabled());
    button->click();
    EXPECT_EQ(frame->statusBar()->currentMessage(), QString());
}

} // namespace
