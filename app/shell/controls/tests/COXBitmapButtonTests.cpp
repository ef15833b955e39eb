#include "shell/controls/COXBitmapButton.h"
#include "shell/controls/COXToolTipCtrl.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records the order of the button's own actions and the page's click.
class RecordingButton : public COXBitmapButton
{
public:
    using COXBitmapButton::COXBitmapButton;
    std::vector<std::string> calls;

protected:
    void OnDropDown() override { calls.push_back("dropdown(" + std::to_string(GetToggleState()) + ")"); }
    void OnToggle() override { calls.push_back("toggle(" + std::to_string(GetToggleState()) + ")"); }
};

class BitmapButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setGeometry(100, 100, 300, 200);
        button = new RecordingButton(&window);
        button->setGeometry(50, 50, 120, 40);
        button->setText(QStringLiteral("Pick"));
        QObject::connect(button, &QAbstractButton::clicked, [this] { button->calls.push_back("clicked"); });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QRgb CornerPixel() const { return button->grab().toImage().pixel(0, 0); }
    QRgb Face() const { return button->palette().color(QPalette::Button).rgb(); }

    QWidget window;
    RecordingButton* button = nullptr;
};

} // namespace

TEST_F(BitmapButtonTest, FlatFrameFollowsTheMouse)
{
    ASSERT_TRUE(button->SetTrackLook(true));
    QTest::mouseMove(&window, QPoint(10, 10));
    EXPECT_FALSE(button->IsMouseOver());
    EXPECT_EQ(CornerPixel(), Face());

    QTest::mouseMove(button, QPoint(60, 20));
    EXPECT_TRUE(button->IsMouseOver());
    EXPECT_NE(CornerPixel(), Face());

    QTest::mouseMove(&window, QPoint(10, 10));
    EXPECT_FALSE(button->IsMouseOver());
    EXPECT_EQ(CornerPixel(), Face());

    // Leaving with the left button held takes the frame away too.
    QTest::mouseMove(button, QPoint(60, 20));
    ASSERT_TRUE(button->IsMouseOver());
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(60, 20));
    QTest::mouseMove(button, QPoint(200, 20));
    EXPECT_FALSE(button->IsMouseOver());
    EXPECT_EQ(CornerPixel(), Face());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(200, 20));
    EXPECT_FALSE(button->IsMouseOver());
}

TEST_F(BitmapButtonTest, ThreeStateToggleCycles)
{
    button->SetExtendedStyle(COXBitmapButton::Toggle | COXBitmapButton::ThreeState);
    std::vector<std::uint32_t> states;
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(button, Qt::LeftButton);
        states.push_back(button->GetToggleState());
    }
    EXPECT_EQ(states, (std::vector<std::uint32_t> { 1, 3, 0, 1 }));
    EXPECT_EQ(button->calls,
        (std::vector<std::string> { "toggle(1)", "clicked", "toggle(3)", "clicked", "toggle(0)", "clicked",
            "toggle(1)", "clicked" }));

    // Without the third state, on goes back to off; Space toggles as a click does.
    button->SetExtendedStyle(COXBitmapButton::Toggle);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(button->GetToggleState(), 0u);
}

TEST_F(BitmapButtonTest, DropDownRunsPushedAndTheParentCanStopIt)
{
    button->SetExtendedStyle(COXBitmapButton::DropDown);
    QTest::mouseClick(button, Qt::LeftButton);
    // Drawn pushed while the drop-down runs, normal again before the page hears the click.
    EXPECT_EQ(button->calls, (std::vector<std::string> { "dropdown(1)", "clicked" }));
    EXPECT_EQ(button->GetToggleState(), 0u);

    button->calls.clear();
    QObject::connect(button, &COXBitmapButton::dropDownClicked, [](bool* handled) { *handled = true; });
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(button->calls, (std::vector<std::string> { "clicked" }));
    EXPECT_EQ(button->GetToggleState(), 0u);
}

TEST_F(BitmapButtonTest, ToggleNotificationCanBeHandledByTheParent)
{
    button->SetExtendedStyle(COXBitmapButton::Toggle);
    QObject::connect(button, &COXBitmapButton::toggleClicked, [](bool* handled) { *handled = true; });
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(button->GetToggleState(), 1u);
    EXPECT_EQ(button->calls, (std::vector<std::string> { "clicked" }));
}

TEST_F(BitmapButtonTest, DisabledButtonIgnoresMouseAndKeys)
{
    button->SetExtendedStyle(COXBitmapButton::Toggle);
    button->SetTrackLook(true);
    button->setEnabled(false);
    QTest::mouseMove(button, QPoint(60, 20));
    EXPECT_FALSE(button->IsMouseOver());
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(button->GetToggleState(), 0u);
    EXPECT_TRUE(button->calls.empty());
}

TEST_F(BitmapButtonTest, ArrowAreaOnlyWithAnArrow)
{
    button->setText(QString());
    // Black pixels in the strip where the arrow goes, inside the focus rectangle.
    auto arrowPixels = [&] {
        const QImage image = button->grab().toImage();
        const int left = button->width() - button->ArrowGlyphWidth() - 4;
        int count = 0;
        for (int x = left; x < button->width() - 5; ++x)
            for (int y = 6; y < button->height() - 6; ++y)
                count += image.pixel(x, y) == qRgb(0, 0, 0);
        return count;
    };
    EXPECT_EQ(button->GetArrowSize(), QSize(0, 0));
    EXPECT_EQ(arrowPixels(), 0);
    button->SetExtendedStyle(COXBitmapButton::DropDown);
    EXPECT_TRUE(button->HasDropDownArrow());
    EXPECT_EQ(button->GetArrowSize(), QSize(button->ArrowGlyphWidth() + 2, 0));
    EXPECT_GT(arrowPixels(), 3);
    button->SetExtendedStyle(COXBitmapButton::DropDown | COXBitmapButton::NoArrow);
    EXPECT_FALSE(button->HasDropDownArrow());
    EXPECT_EQ(button->GetArrowSize(), QSize(0, 0));
    EXPECT_EQ(arrowPixels(), 0);
}

TEST_F(BitmapButtonTest, TooltipComesFromTheSecondTextLine)
{
    ASSERT_TRUE(button->EnableToolTip(true));
    ASSERT_NE(button->ToolTip(), nullptr);
    EXPECT_TRUE(button->ToolTip()->Tools().empty());

    button->SetButtonText(QStringLiteral("Colour\nPick a colour"));
    EXPECT_EQ(button->GetFirstTextLine(), QStringLiteral("Colour"));
    ASSERT_EQ(button->ToolTip()->Tools().size(), 1u);
    const COXToolTipInfo& tool = *button->ToolTip()->Tools().front();
    EXPECT_EQ(tool.id, COXBitmapButton::kToolId);
    EXPECT_EQ(tool.text, QStringLiteral("Pick a colour"));
    EXPECT_EQ(tool.rect, button->rect());

    // The button hands its mouse moves to the tip.
    button->ToolTip()->SetTimerPeriods(1, 10, 100000);
    QTest::mouseMove(button, QPoint(20, 20));
    for (int i = 0; i < 200 && !button->ToolTip()->isVisible(); ++i)
        QTest::qWait(5);
    EXPECT_TRUE(button->ToolTip()->isVisible());

    EXPECT_TRUE(button->EnableToolTip(false));
    EXPECT_EQ(button->ToolTip(), nullptr);
}
