#include "shell/controls/COXColorPickerButton.h"
#include "shell/controls/CTCPPatternPickerButton.h"

#include "TestInput.h"

#include <QColorDialog>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr std::uint32_t kRed = 0x000000FF;
constexpr std::uint32_t kBlue = 0x00FF0000;

// Runs action on the colour dialog once it is open.
void WhenColorDialogOpens(std::function<void(QColorDialog*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(dialog);
    });
    timer->start();
}

class PickerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setGeometry(50, 50, 400, 300);
        color = new COXColorPickerButton(&window);
        color->setGeometry(10, 10, 60, 24);
        pattern = new CTCPPatternPickerButton(&window);
        pattern->setGeometry(100, 10, 60, 24);
        QObject::connect(color, &QAbstractButton::clicked, [this] { colorAtClick = color->GetColor(); });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QRgb BandPixel(BandPickerButton* button) const
    {
        return button->grab().toImage().pixel(button->BandRect().center());
    }
    QRgb BandFramePixel(BandPickerButton* button) const
    {
        return button->grab().toImage().pixel(button->BandRect().topLeft());
    }

    QWidget window;
    COXColorPickerButton* color = nullptr;
    CTCPPatternPickerButton* pattern = nullptr;
    std::uint32_t colorAtClick = 0x12345678;
};

} // namespace

TEST_F(PickerTest, DefaultStoresTheDefaultColourItself)
{
    color->SetDefaultColor(kBlue);
    color->SetColor(COXColorPickerButton::kDefaultColor, true);
    EXPECT_EQ(color->GetColor(), kBlue);

    color->SetColor(kRed, true);
    WhilePicking(&color->ColorBar(), [&] {
        // The current colour is the cell of red, selected.
        EXPECT_EQ(color->ColorBar().SelectedIndex(), 17);
        ClickItem(&color->ColorBar(), color->ColorBar().DefaultButtonRect());
    });
    QTest::mouseClick(color, Qt::LeftButton);
    EXPECT_EQ(color->GetColor(), kBlue);
    EXPECT_EQ(colorAtClick, kBlue); // the page reads the picked colour at the click
    EXPECT_EQ(color->GetToggleState(), 0u);
}

TEST_F(PickerTest, PickingACellShowsItsColour)
{
    color->SetColor(kRed, true);
    WhilePicking(
        &color->ColorBar(), [&] { ClickItem(&color->ColorBar(), color->ColorBar().CellRects()[13]); });
    QTest::mouseClick(color, Qt::LeftButton);
    EXPECT_EQ(color->GetColor(), kBlue); // cell 14, "Blue"
    EXPECT_EQ(BandPixel(color), qRgb(0, 0, 255));
}

TEST_F(PickerTest, CustomColourFromTheDialogOrNothingWhenCancelled)
{
    color->SetColor(kRed, true);
    WhilePicking(&color->ColorBar(), [&] {
        SendKey(&color->ColorBar(), Qt::Key_Up); // from none to the last item, "Custom..."
        SendKey(&color->ColorBar(), Qt::Key_Return);
    });
    WhenColorDialogOpens([](QColorDialog* dialog) { dialog->reject(); });
    QTest::mouseClick(color, Qt::LeftButton);
    EXPECT_EQ(color->GetColor(), kRed);

    WhilePicking(&color->ColorBar(), [&] {
        SendKey(&color->ColorBar(), Qt::Key_Up);
        SendKey(&color->ColorBar(), Qt::Key_Return);
    });
    WhenColorDialogOpens([](QColorDialog* dialog) {
        dialog->setCurrentColor(QColor(1, 2, 3));
        dialog->accept();
    });
    QTest::mouseClick(color, Qt::LeftButton);
    EXPECT_EQ(color->GetColor(), 0x00030201u);

    // A colour that is none of the 40 opens with "Custom..." selected.
    WhilePicking(&color->ColorBar(), [&] {
        EXPECT_EQ(color->ColorBar().SelectedIndex(), 41);
        SendKey(&color->ColorBar(), Qt::Key_Escape);
    });
    QTest::mouseClick(color, Qt::LeftButton);
    EXPECT_EQ(color->GetColor(), 0x00030201u);
}

TEST_F(PickerTest, ColourBandDrawing)
{
    color->SetColor(kRed, true);
    EXPECT_EQ(BandPixel(color), qRgb(255, 0, 0));
    color->SetColor(COXColorPickerButton::kNoColor, true);
    EXPECT_EQ(BandPixel(color), color->palette().color(QPalette::Button).rgb());

    color->SetColor(kRed, true);
    color->setEnabled(false);
    EXPECT_EQ(BandPixel(color), color->palette().color(QPalette::Button).rgb());
    EXPECT_EQ(BandFramePixel(color), color->palette().color(QPalette::Dark).rgb());
}

TEST_F(PickerTest, BarLargerThanTheScreenKeepsTheColour)
{
    color->SetColor(kRed, true);
    color->SetCellSize(200, 200);
    QTest::mouseClick(color, Qt::LeftButton);
    EXPECT_FALSE(color->ColorBar().isVisible());
    EXPECT_EQ(color->GetColor(), kRed);
    EXPECT_EQ(colorAtClick, kRed);
}

TEST_F(PickerTest, SetUpThroughTheInterface)
{
    IColorPickerButton& picker = *color;
    picker.SetDefaultColor(kBlue);
    picker.SetColor(COXColorPickerButton::kDefaultColor, true);
    EXPECT_TRUE(picker.EnableToolTip(true));
    EXPECT_TRUE(picker.SetTrackLook(true));
    picker.SetPopupFlags(COXPopupBarCtrl::NoTearOff);
    picker.SetDefaultButtonText(QStringLiteral("Default"));
    picker.SetCustomButtonText(QStringLiteral("Custom..."));
    picker.SetToolTipTexts({ { kRed, QStringLiteral("Red") } });
    picker.SetCellSize(18, 18);
    EXPECT_EQ(picker.GetColor(), kBlue);
    EXPECT_TRUE(color->GetTrackLook());
    WhilePicking(&color->ColorBar(), [&] {
        COXColorPickerCtrl& bar = color->ColorBar();
        EXPECT_EQ(bar.ToolTipTextAt(bar.CellRects()[16].center()), QStringLiteral("Red"));
        EXPECT_EQ(bar.SelectedIndex(), 0); // the default button
        SendKey(&bar, Qt::Key_Escape);
    });
    QTest::mouseClick(color, Qt::LeftButton);
}

TEST_F(PickerTest, PatternBandDrawing)
{
    EXPECT_EQ(pattern->GetPattern(), CTCPPatternPickerCtrl::kHollow);
    EXPECT_EQ(BandPixel(pattern), qRgb(255, 255, 255));
    pattern->SetPattern(CTCPPatternPickerCtrl::kSolid, true);
    EXPECT_EQ(BandPixel(pattern), qRgb(0, 0, 0));
    pattern->setEnabled(false);
    EXPECT_EQ(BandPixel(pattern), pattern->palette().color(QPalette::Button).rgb());
    EXPECT_EQ(BandFramePixel(pattern), pattern->palette().color(QPalette::Dark).rgb());
}

TEST_F(PickerTest, PatternBarHasNoCustomButton)
{
    CTCPPatternPickerCtrl& bar = pattern->PatternBar();
    EXPECT_EQ(bar.Flags(), COXPopupBarCtrl::NoTearOff | COXPopupBarCtrl::NoCustomButton);
    pattern->SetPattern(CTCPPatternPickerCtrl::kSolid, true);
    WhilePicking(&bar, [&] {
        EXPECT_EQ(bar.Columns(), 4);
        // Solid is both the default and cell 7; the default button wins.
        EXPECT_EQ(bar.SelectedIndex(), 0);
        SendKey(&bar, Qt::Key_Up); // keyboard navigation ends at cell 8
        EXPECT_EQ(bar.HotIndex(), 8);
        SendKey(&bar, Qt::Key_Return);
    });
    QTest::mouseClick(pattern, Qt::LeftButton);
    EXPECT_EQ(pattern->GetPattern(), CTCPPatternPickerCtrl::kHollow);

    WhilePicking(&bar, [&] { ClickItem(&bar, bar.CellRects()[1]); });
    QTest::mouseClick(pattern, Qt::LeftButton);
    EXPECT_EQ(pattern->GetPattern(), 4u); // crosshatch
}

TEST_F(PickerTest, TornOffColourBarUpdatesTheButton)
{
    // The pages switch the tear-off bar off; a bar with it still reports to its button.
    color->SetPopupFlags(0);
    color->SetColor(kRed, true);
    int floatingPicks = 0;
    QObject::connect(color, &BandPickerButton::floatingPick, [&] { ++floatingPicks; });
    COXColorPickerCtrl& bar = color->ColorBar();
    WhilePicking(&bar, [&] {
        SendMouse(&bar, QEvent::MouseButtonPress, bar.TearOffRect().center() + bar.ClientOffset());
        SendMouse(&bar, QEvent::MouseMove, bar.CellRects()[0].center() + bar.ClientOffset());
    });
    QTest::mouseClick(color, Qt::LeftButton);
    ASSERT_TRUE(bar.IsFloating());
    SendMouse(&bar, QEvent::MouseButtonRelease, bar.CellRects()[0].center());
    EXPECT_EQ(color->GetColor(), kRed);

    ClickItem(&bar, bar.CellRects()[13]);
    EXPECT_EQ(floatingPicks, 1);
    EXPECT_EQ(color->GetColor(), kBlue);
    EXPECT_EQ(BandPixel(color), qRgb(0, 0, 255));
}
