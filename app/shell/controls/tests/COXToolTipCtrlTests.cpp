#include "shell/controls/COXToolTipCtrl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

// An owner that hands every event to its tooltip, as the bitmap button does.
class RelayingOwner : public QWidget
{
public:
    COXToolTipCtrl* tip = nullptr;

protected:
    bool event(QEvent* event) override
    {
        if (tip)
            tip->RelayEvent(this, event);
        return QWidget::event(event);
    }
};

bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 3000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < timeoutMs)
        QTest::qWait(5);
    return condition();
}

class ToolTipTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        owner.setGeometry(100, 100, 200, 100);
        owner.setMouseTracking(true);
        edit = new QLineEdit(&owner);
        edit->setGeometry(0, 80, 200, 20);
        tip = new COXToolTipCtrl(&owner);
        owner.tip = tip;
        // Left half tool 1, right half tool 2; 10 polls until a tip hides.
        const QRect left(0, 0, 100, 80), right(100, 0, 100, 80);
        tip->AddTool(&owner, QStringLiteral("Left"), &left, 1);
        tip->AddTool(&owner, QStringLiteral("Right"), &right, 2);
        tip->SetTimerPeriods(10, 10, 100);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
        QTest::mouseMove(&owner, QPoint(150, 90));
    }

    RelayingOwner owner;
    QLineEdit* edit = nullptr;
    COXToolTipCtrl* tip = nullptr;
};

} // namespace

TEST_F(ToolTipTest, HidesAfterItsTimeAndStaysAwayUntilAnotherTool)
{
    QTest::mouseMove(&owner, QPoint(30, 30));
    ASSERT_TRUE(WaitFor([&] { return tip->isVisible(); }));
    EXPECT_EQ(tip->CurrentTool()->id, 1);
    EXPECT_EQ(tip->pos(), owner.mapToGlobal(QPoint(30, 50)));

    ASSERT_TRUE(WaitFor([&] { return !tip->isVisible(); }));
    EXPECT_TRUE(tip->IsSuppressed());
    // Resting or moving on the same tool does not bring it back.
    QTest::mouseMove(&owner, QPoint(40, 35));
    QTest::qWait(60);
    EXPECT_FALSE(tip->isVisible());

    QTest::mouseMove(&owner, QPoint(150, 30));
    ASSERT_TRUE(WaitFor([&] { return tip->isVisible(); }));
    EXPECT_EQ(tip->CurrentTool()->id, 2);
}

TEST_F(ToolTipTest, KeyHidesTheTipUntilAnotherTool)
{
    tip->SetTimerPeriods(10, 10, 100000);
    QTest::mouseMove(&owner, QPoint(30, 30));
    ASSERT_TRUE(WaitFor([&] { return tip->isVisible(); }));
    QTest::keyClick(&owner, Qt::Key_A);
    EXPECT_FALSE(tip->isVisible());
    EXPECT_TRUE(tip->IsSuppressed());
    QTest::mouseMove(&owner, QPoint(35, 30));
    QTest::qWait(50);
    EXPECT_FALSE(tip->isVisible());
}

TEST_F(ToolTipTest, NeverTakesFocusOrActivation)
{
    QApplication::setActiveWindow(&owner);
    edit->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    QWidget* active = QApplication::activeWindow();

    QTest::mouseMove(&owner, QPoint(30, 30));
    ASSERT_TRUE(WaitFor([&] { return tip->isVisible(); }));
    QTest::qWait(20);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(QApplication::activeWindow(), active);
    EXPECT_TRUE(tip->testAttribute(Qt::WA_ShowWithoutActivating));
}

TEST(ToolTipPlacementTest, KeepsTheTipInTheWorkArea)
{
    const QRect workArea(0, 0, 800, 600);
    const QRect tip(0, 0, 100, 30);
    struct Case
    {
        const char* name;
        QPoint at;
        QRect expected;
    } cases[] = {
        { "fits", { 100, 100 }, { 100, 100, 100, 30 } },
        { "past the right edge", { 750, 100 }, { 700, 100, 100, 30 } },
        { "left of the left edge", { -20, 100 }, { 0, 100, 100, 30 } },
        // Past the bottom: above the tool's window, whose top is at 560.
        { "past the bottom", { 100, 590 }, { 100, 530, 100, 30 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(COXToolTipCtrl::CalcTipPosition(tip, c.at, workArea, 560), c.expected);
    }
}
