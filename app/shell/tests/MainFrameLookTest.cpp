// What the program window shows around the page: command pictures, the
// lock-key panes and the command prompts of the status bar.
#include "ShellTestSupport.h"

#include "shell/CMainFrame.h"
#include "shell/ShellCommands.h"

#include <QMenu>
#include <QMenuBar>
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
    for (int id : {ShellCommand::UsersManual, ShellCommand::LockProject})
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
        {std::nullopt, std::nullopt, std::nullopt, {QString(), QString(), QString()}},
        {false, false, false, {QString(), QString(), QString()}},
        {true, std::nullopt, false, {QStringLiteral("CAP"), QString(), QString()}},
        {false, true, true, {QString(), QStringLiteral("NUM"), QStringLiteral("SCRL")}},
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

TEST_F(ShellTest, ACommandPromptShowsOnlyWhileThePointerIsOnTheCommand)
{
    CMainFrame* frame = Start().GetMainFrame();
    frame->resize(1200, 800);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    QAction* print = frame->GetCommands().Find(ShellCommand::FilePrint);
    const QString prompt = print->statusTip();
    ASSERT_FALSE(prompt.isEmpty());

    auto* button = qobject_cast<QToolButton*>(frame->GetToolBar()->widgetForAction(print));
    ASSERT_TRUE(button);
    QTest::mouseMove(button, button->rect().center());
    QTest::qWait(20);
    EXPECT_EQ(frame->statusBar()->currentMessage(), prompt);
    QTest::mouseMove(frame->centralWidget(), frame->centralWidget()->rect().center());
    QTest::qWait(20);
    EXPECT_EQ(frame->statusBar()->currentMessage(), QString());

    // The same for a menu item, and when the menu closes under the pointer.
    QMenu* file = frame->menuBar()->actions().first()->menu();
    file->popup(frame->mapToGlobal(QPoint(10, 30)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
    QTest::mouseMove(file, file->actionGeometry(print).center());
    QTest::qWait(20);
    EXPECT_EQ(frame->statusBar()->currentMessage(), prompt);
    file->close();
    QTest::qWait(20);
    EXPECT_EQ(frame->statusBar()->currentMessage(), QString());
}

} // namespace
