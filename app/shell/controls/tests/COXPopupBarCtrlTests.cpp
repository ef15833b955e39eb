#include "shell/controls/COXPopupBarCtrl.h"

#include "TestInput.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

class TestBar : public COXPopupBarCtrl
{
public:
    using COXPopupBarCtrl::COXPopupBarCtrl;
    using COXPopupBarCtrl::SetHotItem;
};

class PressRecorder : public QWidget
{
public:
    using QWidget::QWidget;
    int presses = 0;
    QPoint lastPress;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        ++presses;
        lastPress = event->position().toPoint();
    }
};

class PopupBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setGeometry(50, 50, 400, 300);
        owner = new QWidget(&window);
        owner->setGeometry(10, 10, 60, 20);
        target = new PressRecorder(&window);
        target->setGeometry(0, 200, 400, 100);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QWidget window;
    QWidget* owner = nullptr;
    PressRecorder* target = nullptr;
};

} // namespace

TEST_F(PopupBarTest, GridAndButtonLayout)
{
    TestBar bar(40, 4, 0, 18, 18, QStringLiteral("Default"), QStringLiteral("Custom..."));
    bar.Create(owner, COXPopupBarCtrl::NoTearOff);
    EXPECT_EQ(bar.Columns(), 10);
    TestBar small(8, 2, 0, 30, 30);
    EXPECT_EQ(small.Columns(), 4);
    TestBar ragged(10, 3, 0, 30, 30);
    EXPECT_EQ(ragged.Columns(), 4);

    bool picked = true;
    WhilePicking(&bar, [&] {
        const int buttonHeight = bar.DefaultButtonRect().height();
        EXPECT_EQ(bar.DefaultButtonRect(), QRect(4, 2, 180, buttonHeight));
        ASSERT_EQ(bar.CellRects().size(), 40u);
        // Cells start below the default button, 10 to a row, row by row.
        EXPECT_EQ(bar.CellRects()[0], QRect(4, 2 + buttonHeight + 2, 18, 18));
        EXPECT_EQ(bar.CellRects()[13], QRect(4 + 3 * 18, 2 + buttonHeight + 2 + 18, 18, 18));
        EXPECT_EQ(bar.CustomButtonRect(), QRect(4, 2 + buttonHeight + 2 + 4 * 18 + 2, 180, buttonHeight));
        EXPECT_EQ(bar.size(), QSize(188 + 6, bar.CustomButtonRect().bottom() + 1 + 2 + 6));
        // Placed below the owner, left edges aligned.
        EXPECT_EQ(bar.pos(), owner->mapToGlobal(QPoint(0, 20)));
        SendKey(&bar, Qt::Key_Escape);
    });
    picked = bar.Pick(3, nullptr, 0, 0);
    EXPECT_FALSE(picked);
    EXPECT_FALSE(bar.isVisible());
}

TEST_F(PopupBarTest, KeysMoveTheHotItem)
{
    struct Case
    {
        std::uint32_t flags;
        int from;
        int key;
        int expected;
    };
    const std::uint32_t both = COXPopupBarCtrl::NoTearOff;
    const std::uint32_t neither
        = COXPopupBarCtrl::NoTearOff | COXPopupBarCtrl::NoDefaultButton | COXPopupBarCtrl::NoCustomButton;
    // 10 cells in 3 rows of 4: 1-4, 5-8, 9-10; default 0, custom 11.
    const Case cases[] = {
        { both, -1, Qt::Key_Down, 0 },
        { both, 0, Qt::Key_Down, 1 },
        { both, 1, Qt::Key_Down, 5 },
        { both, 7, Qt::Key_Down, 11 },
        { both, 11, Qt::Key_Down, 0 },
        { both, -1, Qt::Key_Up, 11 },
        { both, 0, Qt::Key_Up, 11 },
        { both, 11, Qt::Key_Up, 10 },
        { both, 3, Qt::Key_Up, 0 },
        { both, 9, Qt::Key_Up, 5 },
        { both, 11, Qt::Key_Right, 0 },
        { both, 4, Qt::Key_Right, 5 },
        { both, 0, Qt::Key_Left, 11 },
        { both, 5, Qt::Key_Left, 4 },
        { both, -1, Qt::Key_Tab, 0 },
        { both, 0, Qt::Key_Tab, 1 },
        { both, 6, Qt::Key_Tab, 11 },
        { both, 11, Qt::Key_Tab, 0 },
        { both, -1, Qt::Key_Backtab, 11 },
        { both, 6, Qt::Key_Backtab, 0 },
        { both, 0, Qt::Key_Backtab, 11 },
        { both, 11, Qt::Key_Backtab, 1 },
        { neither, 7, Qt::Key_Down, 1 },
        { neither, 10, Qt::Key_Down, 1 },
        { neither, 1, Qt::Key_Up, 10 },
        { neither, 3, Qt::Key_Up, 10 },
        { neither, 6, Qt::Key_Tab, 1 },
        { neither, 6, Qt::Key_Backtab, 1 },
        { neither, -1, Qt::Key_Backtab, 1 },
        { neither, -1, Qt::Key_Left, 10 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << c.flags << " from " << c.from << " key " << c.key);
        TestBar bar(10, 3, 0, 20, 20);
        bar.Create(owner, c.flags);
        bar.SetHotItem(c.from);
        SendKey(&bar, c.key, c.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(bar.HotIndex(), c.expected);
    }
}

TEST_F(PopupBarTest, IndexOfAValue)
{
    TestBar bar(4, 1, 7, 20, 20);
    bar.Create(owner, COXPopupBarCtrl::NoTearOff);
    bar.SetButtons({ 5, 6, 7, 6 });
    EXPECT_EQ(bar.IndexOfValue(7), 0); // the default button is tested first
    EXPECT_EQ(bar.IndexOfValue(6), 2); // first cell with the value
    EXPECT_EQ(bar.IndexOfValue(9), 5); // no cell: the custom button
    EXPECT_EQ(bar.IndexOfValue(COXPopupBarCtrl::kNoValue), -1);
    bar.SetFlags(COXPopupBarCtrl::NoTearOff | COXPopupBarCtrl::NoCustomButton);
    EXPECT_EQ(bar.IndexOfValue(9), -1);

    // The selected item when the bar opens.
    bar.SetFlags(COXPopupBarCtrl::NoTearOff);
    bar.SetSelectedValue(9);
    WhilePicking(&bar, [&] {
        EXPECT_EQ(bar.SelectedIndex(), 5);
        SendKey(&bar, Qt::Key_Escape);
    });
    EXPECT_FALSE(bar.Pick(3, nullptr, 0, 0));
    EXPECT_EQ(bar.SelectedValue(), 9u);
}

TEST_F(PopupBarTest, PickingACellOrTheDefaultButton)
{
    TestBar bar(4, 2, 42, 20, 20, QStringLiteral("Default"));
    bar.Create(owner, COXPopupBarCtrl::NoTearOff | COXPopupBarCtrl::NoCustomButton);
    bar.SetButtons({ 1, 2, 3 });
    WhilePicking(&bar, [&] { ClickItem(&bar, bar.CellRects()[1]); });
    EXPECT_TRUE(bar.Pick(3, nullptr, 0, 0));
    EXPECT_EQ(bar.SelectedValue(), 2u);
    EXPECT_EQ(bar.SelectedIndex(), 2);
    EXPECT_EQ(bar.Values().size(), 4u); // padded with 0

    WhilePicking(&bar, [&] {
        SendKey(&bar, Qt::Key_Down); // to the default button
        SendKey(&bar, Qt::Key_Space);
    });
    EXPECT_TRUE(bar.Pick(3, nullptr, 0, 0));
    EXPECT_EQ(bar.SelectedValue(), 42u);

    // A click on no item cancels.
    WhilePicking(&bar, [&] {
        SendMouse(&bar, QEvent::MouseMove, QPoint(1, 1));
        SendMouse(&bar, QEvent::MouseButtonPress, QPoint(1, 1));
        SendMouse(&bar, QEvent::MouseButtonRelease, QPoint(1, 1));
    });
    EXPECT_FALSE(bar.Pick(3, nullptr, 0, 0));
}

TEST_F(PopupBarTest, ClickOutsideCancelsAndReachesTheWindowUnderIt)
{
    TestBar bar(4, 1, 0, 20, 20);
    bar.Create(owner, COXPopupBarCtrl::NoTearOff);
    const QPoint global = target->mapToGlobal(QPoint(100, 50));
    WhilePicking(&bar, [&] { SendMouse(&bar, QEvent::MouseButtonPress, bar.mapFromGlobal(global)); });
    EXPECT_FALSE(bar.Pick(3, nullptr, 0, 0));
    EXPECT_FALSE(bar.isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(target->presses, 1);
    EXPECT_EQ(target->lastPress, QPoint(100, 50));
}

TEST_F(PopupBarTest, BarLargerThanTheWorkAreaDoesNotOpen)
{
    TestBar bar(40, 1, 0, 100, 100);
    bar.Create(owner, COXPopupBarCtrl::NoTearOff);
    bar.SetSelectedValue(5);
    EXPECT_FALSE(bar.Pick(3, nullptr, 0, 0));
    EXPECT_FALSE(bar.isVisible());
    EXPECT_EQ(bar.SelectedValue(), 5u);
}

TEST_F(PopupBarTest, TooltipsOnlyForValuesWithText)
{
    TestBar bar(3, 1, 0, 20, 20, QStringLiteral("Default"), QStringLiteral("More"));
    bar.Create(owner, COXPopupBarCtrl::NoTearOff);
    bar.SetButtons({ 10, 11, 12 });
    bar.SetToolTipTexts({ { 10, QStringLiteral("Ten") }, { 12, QStringLiteral("Twelve") } });
    WhilePicking(&bar, [&] {
        EXPECT_EQ(bar.ToolTipTextAt(bar.CellRects()[0].center()), QStringLiteral("Ten"));
        EXPECT_EQ(bar.ToolTipTextAt(bar.CellRects()[1].center()), QString());
        EXPECT_EQ(bar.ToolTipTextAt(bar.CellRects()[2].center()), QStringLiteral("Twelve"));
        EXPECT_EQ(bar.ToolTipTextAt(bar.DefaultButtonRect().center()), QStringLiteral("Default"));
        EXPECT_EQ(bar.ToolTipTextAt(bar.CustomButtonRect().center()), QStringLiteral("More"));
        bar.SetFlags(bar.Flags() | COXPopupBarCtrl::NoToolTips);
        EXPECT_EQ(bar.ToolTipTextAt(bar.CellRects()[0].center()), QString());
        SendKey(&bar, Qt::Key_Escape);
    });
    bar.Pick(3, nullptr, 0, 0);
}

TEST_F(PopupBarTest, TornOffBarFloatsAndReportsEveryPick)
{
    TestBar bar(4, 1, 0, 20, 20);
    bar.Create(owner, COXPopupBarCtrl::NoCustomButton);
    bar.SetButtons({ 1, 2, 3, 4 });
    int floatingPicks = 0;
    QObject::connect(&bar, &COXPopupBarCtrl::floatingPick, [&] { ++floatingPicks; });

    QPoint globalStart;
    WhilePicking(&bar, [&] {
        ASSERT_FALSE(bar.TearOffRect().isNull());
        const QPoint onBar = bar.TearOffRect().center() + bar.ClientOffset();
        SendMouse(&bar, QEvent::MouseButtonPress, onBar);
        const QPoint grabbedAt = bar.CellRects()[0].center() + bar.ClientOffset();
        globalStart = bar.mapToGlobal(grabbedAt);
        SendMouse(&bar, QEvent::MouseMove, grabbedAt);
    });
    EXPECT_FALSE(bar.Pick(3, nullptr, 0, 0));
    ASSERT_TRUE(bar.IsFloating());
    EXPECT_TRUE(bar.isVisible());
    EXPECT_TRUE(bar.TearOffRect().isNull());

    // The floating bar follows the mouse until the button is released.
    const QPoint start = bar.pos();
    SendMouse(&bar, QEvent::MouseMove, bar.mapFromGlobal(globalStart + QPoint(30, 40)));
    SendMouse(&bar, QEvent::MouseButtonRelease, bar.mapFromGlobal(globalStart + QPoint(30, 40)));
    EXPECT_EQ(bar.pos(), start + QPoint(30, 40));

    // Every pick is reported; the bar stays open.
    ClickItem(&bar, bar.CellRects()[2]);
    EXPECT_EQ(floatingPicks, 1);
    EXPECT_EQ(bar.SelectedValue(), 3u);
    EXPECT_TRUE(bar.isVisible());
    // Once the mouse has left every item, the floating bar's timer clears the hot item.
    EXPECT_EQ(bar.HotIndex(), 3);
    QCursor::setPos(bar.mapToGlobal(QPoint(-50, -50)));
    for (int i = 0; i < 100 && bar.HotIndex() != -1; ++i)
        QTest::qWait(10);
    EXPECT_EQ(bar.HotIndex(), -1);

    // The next Pick makes it a popup again.
    WhilePicking(&bar, [&] {
        EXPECT_FALSE(bar.IsFloating());
        SendKey(&bar, Qt::Key_Escape);
    });
    EXPECT_FALSE(bar.Pick(3, nullptr, 0, 0));
    EXPECT_FALSE(bar.IsFloating());
}
