// The thumbnails pane offscreen: sizes at one common scale, the column's
// list and order, scrolling, check marks, the buttons and the text line.
#include "DiagramFixture.h"
#include "PaneTestSupport.h"
#include "foundation/ui/CIconButton.h"
#include "foundation/ui/CStaticWithTip.h"
#include "layouts/ui/ThumbnailsZone.h"
#include "layouts/ui/ThumbnailsZoneMgr.h"
#include "layouts/ui/ThumbsPanel.h"
#include "optimization/PinnedUsage.h"
#include "platform/ui/ColorRef.h"

#include <QImage>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kHideLayoutDupes = 2034;
using Scroll = ThumbsPanel::ScrollCode;

class ThumbnailsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        manager.AttachZone(zone);
        zone->resize(230 + zone->Panel()->ScrollBar()->sizeHint().width(), 400);
        zone->show();
        owner.settings.packing = 1;
    }

    // A stack of `copies` sheets of the given size with one part of the
    // given size on it.
    StackPtr Stack(double width, double length, std::uint32_t copies = 1, double partSide = 10)
    {
        auto row = AddRow(*f.material, 0.75, width, length);
        f.parts.push_back(
            MakePart(static_cast<int>(f.parts.size()) + 1, partSide, partSide, copies, f.material));
        DrawnPartList drawn { Drawn(f.parts.back().get(), 1, 1, partSide, partSide) };
        return MakeStack(StockSpec { f.material, row }, drawn, copies);
    }

    ThumbnailChoice Show(const StackList& stacks, const DisplayDiagramPtr& preferred = nullptr, int kind = 3)
    {
        ThumbnailChoice choice;
        manager.SetDiagrams(choice, stacks, preferred, kind);
        return choice;
    }

    ThumbsPanel* Panel() const { return zone->Panel(); }

    DiagramFixture f;
    FakePageOwner owner;
    ThumbnailsZoneMgr manager { &owner };
    std::shared_ptr<ThumbnailsZone> zone = std::make_shared<ThumbnailsZone>();
};

TEST_F(ThumbnailsTest, OneCommonScaleAndTheMinimumSize)
{
    StackPtr tall = Stack(48, 96);
    StackPtr square = Stack(48, 48);
    auto turned = tall->MakeDisplayDiagram(0);
    turned->ToggleOverrideRotation(); // drawn 48 wide, 96 long
    ThumbnailList sized = SizeThumbnails({ turned, square->MakeDisplayDiagram(0) }, ThumbnailBox(230));
    EXPECT_EQ(sized[0]->rect, platform::Rect(0, 0, 52, 105));
    EXPECT_EQ(sized[1]->rect, platform::Rect(0, 0, 52, 52));

    // A sheet drawn with no length gets the minimum thumbnail and leaves the
    // others' scale alone (it would otherwise make every scale 0).
    StackPtr flat = Stack(48, 0);
    sized = SizeThumbnails({ flat->MakeDisplayDiagram(0), square->MakeDisplayDiagram(0) }, ThumbnailBox(230));
    EXPECT_TRUE(sized[0]->rect.IsEmpty());
    EXPECT_EQ(sized[1]->rect, platform::Rect(0, 0, 105, 105));
    sized = SizeThumbnails({ flat->MakeDisplayDiagram(0) }, ThumbnailBox(230));
    EXPECT_TRUE(sized[0]->rect.IsEmpty());

    // In the column it is 42 x 21 with its check box 18 pixels to the left.
    Show({ flat, square });
    const ThumbnailList& column = manager.GetThumbnails();
    ASSERT_EQ(column.size(), 2u);
    const ThumbnailInfo* narrow = column[0]->diagram->GetStack() == flat ? column[0].get() : column[1].get();
    EXPECT_EQ(narrow->rect.Width(), 42);
    EXPECT_EQ(narrow->rect.Height(), 21);
    EXPECT_EQ(narrow->rect.left, 23);
    EXPECT_EQ(narrow->checkRect, platform::Rect(5, narrow->rect.bottom - 19, 18, narrow->rect.bottom - 6));
}

TEST_F(ThumbnailsTest, OneThumbnailPerCopyOrPerStackInTheNumberingsOrder)
{
    StackPtr big = Stack(60, 120, 3);
    StackPtr small = Stack(48, 96, 1);
    for (const bool hide : { false, true }) {
        SCOPED_TRACE(hide);
        f.prefs.prefs->SetFlag(kHideLayoutDupes, hide);
        Show({ small, big });
        const ThumbnailList& column = manager.GetThumbnails();
        ASSERT_EQ(column.size(), hide ? 2u : 4u);
        for (std::size_t i = 0; i < column.size(); ++i)
            EXPECT_EQ(column[i]->number, static_cast<int>(i) + 1);
        // Longer stock first, whatever the order handed in; copies in order.
        EXPECT_EQ(column.front()->diagram->GetStack(), big);
        EXPECT_EQ(column.back()->diagram->GetStack(), small);
        EXPECT_EQ(manager.GetDiagram(static_cast<int>(column.size()) - 1)->GetStack(), small);
    }

    // Pinned leads only among sheets of equal size and waste.
    PinnedUsage usage;
    f.prefs.prefs->SetFlag(kHideLayoutDupes, true);
    small->Pin(usage);
    Show({ big, small });
    EXPECT_EQ(manager.GetThumbnails().front()->diagram->GetStack(), big);
    // Same stock row, same parts: equal in size and waste.
    StackPtr twin = MakeStack(small->GetStockSpec(), small->GetCurrentParts(), 1);
    twin->Pin(usage);
    small->Unpin(usage);
    Show({ small, twin, big });
    EXPECT_EQ(manager.GetThumbnails()[1]->diagram->GetStack(), twin);
}

TEST_F(ThumbnailsTest, ScrollingClampsAtBothEnds)
{
    StackList stacks;
    for (int i = 0; i < 8; ++i)
        stacks.push_back(Stack(48, 96));
    Show(stacks);
    ThumbsPanel* panel = Panel();
    const int lowest = panel->GetContentHeight() - panel->GetPageHeight();
    ASSERT_GT(lowest, 100);
    EXPECT_EQ(panel->GetScrollPos(), 0);
    panel->Scroll(Scroll::LineDown);
    EXPECT_EQ(panel->GetScrollPos(), 52);
    panel->Scroll(Scroll::ThumbTrack, 3);
    panel->Scroll(Scroll::LineUp);
    EXPECT_EQ(panel->GetScrollPos(), 0);
    for (int i = 0; i < 10; ++i)
        panel->Scroll(Scroll::PageDown);
    EXPECT_EQ(panel->GetScrollPos(), lowest);
    panel->Scroll(Scroll::ThumbPosition, 10);
    EXPECT_EQ(panel->GetScrollPos(), lowest);
    // The user's scroll bar moves the column by what it moved.
    panel->ScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(panel->GetScrollPos(), lowest - 52);
    EXPECT_EQ(panel->ScrollBar()->value(), lowest - 52);

    // A column that fits its page never moves.
    Show({ Stack(48, 96) });
    panel->Scroll(Scroll::LineDown);
    panel->Scroll(Scroll::PageDown);
    EXPECT_EQ(panel->GetScrollPos(), 0);
}

TEST_F(ThumbnailsTest, PreferredDiagramBelowThePageIsScrolledToTheBottom)
{
    StackList stacks;
    for (int i = 0; i < 8; ++i)
        stacks.push_back(Stack(48, 96));
    Show(stacks);
    const DisplayDiagramPtr last = manager.GetDiagrams().back();
    const ThumbnailChoice choice = Show(stacks, std::make_shared<DisplayDiagram>(last->GetStack(), 0));
    EXPECT_EQ(choice.index, 7);
    EXPECT_EQ(choice.diagram->GetStack(), last->GetStack());
    EXPECT_EQ(
        Panel()->GetScrollPos(), manager.GetThumbnails().back()->rect.bottom - Panel()->GetPageHeight());

    // One not in the column selects the first.
    const ThumbnailChoice fallback = Show(stacks, Stack(10, 10)->MakeDisplayDiagram(0));
    EXPECT_EQ(fallback.index, 0);
    EXPECT_EQ(Panel()->GetScrollPos(), 0);
}

TEST_F(ThumbnailsTest, CheckBoxesPicturesAndButtons)
{
    f.prefs.prefs->SetFlag(kHideLayoutDupes, false);
    const StackPtr stack = Stack(48, 96, 2);
    Show({ stack });
    owner.current = manager.GetDiagram(0);
    EXPECT_FALSE(zone->QuickPrintButton()->isEnabled());
    EXPECT_TRUE(zone->PinAllButton()->isEnabled());

    const ThumbnailInfo& second = *manager.GetThumbnails()[1];
    const auto centre = [](const platform::Rect& r) { return QPoint(r.Center().x, r.Center().y); };
    QTest::mouseClick(Panel(), Qt::LeftButton, {}, centre(second.checkRect));
    EXPECT_TRUE(second.diagram->IsChecked());
    EXPECT_FALSE(manager.GetDiagram(0)->IsChecked());
    EXPECT_EQ(owner.calls, QStringList { QStringLiteral("modified") });
    EXPECT_TRUE(zone->QuickPrintButton()->isEnabled());
    std::vector<DisplayDiagramPtr> checked;
    manager.CollectCheckedDiagrams(checked);
    ASSERT_EQ(checked.size(), 1u);
    EXPECT_EQ(checked[0]->GetCopyIndex(), 1);

    QTest::mouseClick(Panel(), Qt::LeftButton, {}, centre(second.rect));
    ASSERT_EQ(owner.chosen.size(), 1u);
    EXPECT_EQ(owner.chosen[0].index, 1);
    EXPECT_TRUE(second.diagram->IsChecked()) << "a click on the picture leaves the mark";

    // The pictures are drawn, the current one outlined.
    const QImage shot = Panel()->grab().toImage();
    const platform::Rect& firstRect = manager.GetThumbnails()[0]->rect;
    EXPECT_NE(QColor(shot.pixel(firstRect.left + 1, firstRect.top + 1)),
        Panel()->palette().color(QPalette::Midlight));

    // Right clicks open the diagram's menu on the picture only; the hit test
    // finds a picture from a screen point wherever the column is scrolled.
    owner.Forget();
    QTest::mouseClick(Panel(), Qt::RightButton, {}, centre(second.checkRect));
    EXPECT_TRUE(owner.calls.isEmpty());
    QTest::mouseClick(Panel(), Qt::RightButton, {}, centre(second.rect));
    EXPECT_EQ(owner.calls, QStringList { QStringLiteral("thumbnail menu") });
    ThumbnailChoice hit;
    manager.HitTestThumbnail(hit, Panel()->mapToGlobal(centre(second.rect)));
    EXPECT_EQ(hit.index, 1);
    EXPECT_EQ(hit.diagram, second.diagram);
    manager.HitTestThumbnail(hit, Panel()->mapToGlobal(centre(second.checkRect)));
    EXPECT_FALSE(hit.diagram);
    EXPECT_TRUE(manager.IsPointInZone(zone->mapToGlobal(QPoint(5, 5))));
    EXPECT_FALSE(manager.IsPointInZone(zone->mapToGlobal(QPoint(-5, 5))));

    owner.Forget();
    QTest::mouseClick(zone->UncheckAllButton(), Qt::LeftButton);
    EXPECT_FALSE(second.diagram->IsChecked());
    EXPECT_FALSE(zone->QuickPrintButton()->isEnabled());
    QTest::mouseClick(zone->CheckAllButton(), Qt::LeftButton);
    EXPECT_TRUE(manager.GetDiagram(0)->IsChecked() && second.diagram->IsChecked());
    QTest::mouseClick(zone->QuickPrintButton(), Qt::LeftButton);
    QTest::mouseClick(zone->PinAllButton(), Qt::LeftButton);
    QTest::mouseClick(zone->PinAllButton(), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(owner.calls,
        (QStringList { QStringLiteral("print"), QStringLiteral("pin"), QStringLiteral("unpin") }))
        << "Check All and Uncheck All leave the project unmodified";
    EXPECT_EQ(owner.pinned.size(), 2u);
    EXPECT_EQ(
        zone->ToolTipText(ThumbnailsZone::kPinAllId), QStringLiteral("Pin All. Ctrl-click to Unpin All."));
    EXPECT_TRUE(zone->ToolTipText(ThumbnailsZone::kQuickPrintId)
                    .startsWith(QStringLiteral("Quick Print checked layouts: ")));
}

TEST_F(ThumbnailsTest, ZoneLaysOutColumnTextLineAndButtons)
{
    zone->resize(200, 300);
    const int h = zone->Label()->height();
    EXPECT_EQ(zone->Panel()->geometry(), QRect(0, 0, 200, 300 - 6 - h - 27));
    EXPECT_EQ(zone->Label()->geometry(), QRect(3, 300 - 27 - h - 3, 194, h));
    const struct
    {
        QWidget* button;
        int x;
    } buttons[] = { { zone->CheckAllButton(), 3 }, { zone->UncheckAllButton(), 30 },
        { zone->QuickPrintButton(), 62 }, { zone->PinAllButton(), 94 } };
    for (const auto& b : buttons)
        EXPECT_EQ(b.button->geometry(), QRect(b.x, 273, 27, 27));
    zone->resize(200, 26);
    for (const auto& b : buttons)
        EXPECT_EQ(b.button->height(), 0);
}

TEST_F(ThumbnailsTest, TextLineNamesThePackingStrategy)
{
    const struct
    {
        std::uint32_t packing;
        const char* text;
        const char* tip;
    } cases[] = {
        { 0, "Packing Strategy: 1", "Pack parts tightly, even if layouts are complex" },
        { 1, "Packing Strategy: 2", "Balance low waste with ease of cutting" },
        { 2, "Packing Strategy: 3", "Align parts without concern for off-cut sizes" },
        { 3, "Packing Strategy: 4", "Alignment is more important than cost/waste" },
        { 7, "Packing Strategy: 1", "Pack parts tightly, even if layouts are complex" },
    };
    const StackList stacks { Stack(48, 96) };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.packing);
        owner.settings.packing = c.packing;
        Show(stacks);
        EXPECT_EQ(zone->Label()->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(zone->Label()->GetTipText(), QString::fromUtf8(c.tip));
    }
}

TEST_F(ThumbnailsTest, NoTargetLeavesTheColumnEmptyAndTheButtonsOff)
{
    Show({ Stack(48, 96) });
    const ThumbnailChoice choice = Show({}, nullptr, 0);
    EXPECT_FALSE(choice.diagram);
    EXPECT_EQ(choice.index, 0);
    EXPECT_EQ(manager.GetThumbnailCount(), 0);
    EXPECT_TRUE(Panel()->Thumbnails().empty());
    EXPECT_TRUE(zone->Label()->text().isEmpty());
    EXPECT_TRUE(zone->Label()->GetTipText().isEmpty());
    for (QWidget* button : std::initializer_list<QWidget*> { zone->QuickPrintButton(), zone->CheckAllButton(),
             zone->UncheckAllButton(), zone->PinAllButton() })
        EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(manager.GetNextDiagram());
}

} // namespace
