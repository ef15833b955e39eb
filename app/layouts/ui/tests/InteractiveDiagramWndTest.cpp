// The main diagram window offscreen: the control strip, tool tips, clicks,
// stepping, the clipboard picture and the drag feedback drawn through the
// manual editing view.
#include "layouts/ui/InteractiveDiagramWnd.h"
#include "DiagramFixture.h"
#include "PaneTestSupport.h"
#include "foundation/ui/CStaticWithTip.h"
#include "layouts/ui/MainDiagramViewMgr.h"
#include "platform/ui/ColorRef.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class MainDiagramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        first = f.Place(1, 2, 2, 30, 20);
        f.Place(2, 40, 2, 20, 20);
        owner.current = f.Show();
        manager.AttachWindow(window);
        window->resize(600, 400);
        window->show();
        manager.UpdateControls();
        picture = window->grab().toImage();
    }

    QPoint CentreOf(const DrawnPartPtr& part) const
    {
        const platform::Point c = part->GetScreenRect().Center();
        return QPoint(c.x, c.y);
    }

    static QColor Colour(unsigned colorRef) { return platform::ToQColor(colorRef); }

    DiagramFixture f;
    DrawnPartPtr first;
    FakePageOwner owner;
    MainDiagramViewMgr manager { &owner };
    std::shared_ptr<InteractiveDiagramWnd> window = std::make_shared<InteractiveDiagramWnd>();
    QImage picture;
};

TEST_F(MainDiagramTest, StripControlsCollapseInShortWindows)
{
    const int h = InteractiveDiagramWnd::StripHeight();
    EXPECT_GE(h, 46);
    const struct
    {
        int height, spin, buttons;
    } cases[] = { { 20, 0, 0 }, { 21, 18, 0 }, { h + 1, 18, 0 }, { h + 2, 18, 27 }, { 400, 18, 27 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        window->resize(300, c.height);
        EXPECT_EQ(window->SpinControl()->height(), c.spin);
        EXPECT_EQ(window->TurnButton()->height(), c.buttons);
        EXPECT_EQ(window->LabelButton()->height(), c.buttons);
    }
    EXPECT_EQ(window->SpinControl()->geometry(), QRect(11, 380, 35, 18));
    EXPECT_EQ(window->TurnButton()->geometry(), QRect(2, 400 - h - 2, 27, 27));
    EXPECT_EQ(window->LabelButton()->geometry(), QRect(29, 400 - h - 2, 27, 27));
    EXPECT_TRUE(owner.calls.contains(QStringLiteral("resized")));
}

TEST_F(MainDiagramTest, ToolTipsAndButtonStatesFollowTheDiagram)
{
    EXPECT_EQ(window->TurnButton()->toolTip(), QStringLiteral("Turn Diagram"));
    EXPECT_EQ(window->LabelButton()->toolTip(),
        QStringLiteral("Toggle labeling style. Ctrl-click to change all diagrams."));
    EXPECT_EQ(CutToolTipText(QString(100, QLatin1Char('x'))).size(), 79);

    EXPECT_TRUE(window->TurnButton()->isEnabled());
    EXPECT_FALSE(window->TurnButton()->isChecked()) << "a 48 x 96 sheet is drawn lengthwise";
    owner.current->ToggleOverrideRotation();
    owner.current->ToggleFancyAnnotationStyle();
    manager.UpdateControls();
    EXPECT_TRUE(window->TurnButton()->isChecked());
    EXPECT_TRUE(window->LabelButton()->isChecked());

    owner.current = nullptr;
    manager.UpdateControls();
    EXPECT_FALSE(window->TurnButton()->isEnabled());
    EXPECT_FALSE(window->LabelButton()->isEnabled());
    EXPECT_FALSE(window->SpinControl()->isEnabled());
}

TEST_F(MainDiagramTest, RightClickShowsTheMenuOnlyOnTheDiagram)
{
    const QPoint onStrip(300, 395);
    QTest::mouseClick(window.get(), Qt::RightButton, {}, onStrip);
    EXPECT_FALSE(owner.calls.contains(QStringLiteral("menu")));
    QTest::mouseClick(window.get(), Qt::RightButton, {}, CentreOf(first));
    EXPECT_EQ(owner.calls.count(QStringLiteral("menu")), 1);
}

TEST_F(MainDiagramTest, PressSelectsAPartOnceAndNothingElse)
{
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(300, 395));
    EXPECT_TRUE(owner.calls.filter(QStringLiteral("select")).isEmpty());

    QTest::mousePress(window.get(), Qt::LeftButton, {}, CentreOf(first));
    EXPECT_EQ(owner.calls.filter(QStringLiteral("select")), QStringList { QStringLiteral("select 4") });
    EXPECT_EQ(owner.selection.part, first->GetPart());
    EXPECT_EQ(owner.selection.rect, first->GetSheetRect());
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, CentreOf(first));

    owner.Forget();
    QTest::mousePress(window.get(), Qt::LeftButton, {}, CentreOf(first));
    EXPECT_TRUE(owner.calls.filter(QStringLiteral("select")).isEmpty()) << "already the selection";
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, CentreOf(first));

    // Listed by turn as well: the same part turned the other way is new.
    owner.turnMatched = true;
    owner.selection.turned = !first->IsRotated();
    QTest::mousePress(window.get(), Qt::LeftButton, {}, CentreOf(first));
    EXPECT_EQ(owner.calls.filter(QStringLiteral("select")).size(), 1);
}

TEST_F(MainDiagramTest, LabelButtonWithCtrlChangesAllAndArrowsStep)
{
    QTest::mouseClick(window->LabelButton(), Qt::LeftButton);
    QTest::mouseClick(window->LabelButton(), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(owner.labelAll, (std::vector<bool> { false, true }));
    EXPECT_FALSE(window->LabelButton()->isChecked()) << "the button shows the diagram, not its clicks";

    QTest::mouseClick(window->TurnButton(), Qt::LeftButton);
    EXPECT_TRUE(owner.calls.contains(QStringLiteral("turn")));

    QTest::mouseClick(window->NextButton(), Qt::LeftButton);
    QTest::mouseClick(window->PreviousButton(), Qt::LeftButton);
    EXPECT_EQ(owner.steps, (std::vector<int> { -1, 1 }));
}

TEST_F(MainDiagramTest, ClipboardPictureJoinsTheEarlierText)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("1\tPart\t2"));
    const platform::Rect shown = first->GetScreenRect();
    manager.CopyToClipboard();
    EXPECT_EQ(first->GetScreenRect(), shown) << "the pointer finds the parts where the window shows them";
    const QMimeData* data = clipboard->mimeData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), QStringLiteral("1\tPart\t2"));
    ASSERT_TRUE(data->hasImage());
    const QImage copied = qvariant_cast<QImage>(data->imageData());
    ASSERT_EQ(copied.size(), QSize(600, 400));
    EXPECT_EQ(QColor(copied.pixel(0, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(copied.pixel(599, 200)), QColor(Qt::black));
    for (const QPoint p : { QPoint(3, 3), QPoint(4, 200), QPoint(300, 396) })
        EXPECT_EQ(QColor(copied.pixel(p)), QColor(Qt::white)) << p.x() << "," << p.y();
    // The diagram is drawn inside the 5-pixel inset: the parts' fill shows.
    const QColor partFill = Colour(0xFEDCD3);
    int partPixels = 0;
    for (int y = 5; y < 395; y += 2)
        for (int x = 5; x < 595; x += 2)
            partPixels += QColor(copied.pixel(x, y)) == partFill;
    EXPECT_GT(partPixels, 100);
}

TEST_F(MainDiagramTest, DragFeedbackAndKerfBandsAreDrawnThroughTheSeam)
{
    auto dragged = first->Clone();
    dragged->SetScreenRect(platform::Rect(100, 60, 160, 100));
    owner.manualEdit->dragged = dragged;
    const int stripTop = 400 - InteractiveDiagramWnd::StripHeight() - 2;
    owner.manualEdit->kerfs = { platform::Rect(300, 20, 304, 399) };

    const struct
    {
        bool accepted;
        unsigned fill;
    } cases[] = { { true, 0x99C99B }, { false, 0x8C8CFF } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.accepted);
        owner.manualEdit->accepted = c.accepted;
        const QImage shot = window->grab().toImage();
        EXPECT_EQ(QColor(shot.pixel(130, 80)), Colour(c.fill));
        EXPECT_EQ(QColor(shot.pixel(302, 100)), Colour(0x1879F2));
        EXPECT_NE(QColor(shot.pixel(302, stripTop + 5)), Colour(0x1879F2)) << "the strip stays clear";
    }
    EXPECT_EQ(owner.manualEdit->origin, window->GetDiagramRect().TopLeft());
    EXPECT_FALSE(window->GetDiagramRect().IsEmpty());
}

} // namespace
