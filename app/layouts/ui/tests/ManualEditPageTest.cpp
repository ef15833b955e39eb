// Manual editing on the real layouts page offscreen: mouse and key
// sequences on the main diagram window, the take-off list and the
// thumbnails, over a project document optimized by the cutting engine, with
// the commands run through the command history.
#include "ProjectDocumentFixture.h"

#include "foundation/CUserPrefs.h"
#include "foundation/CmdHistory.h"
#include "grids/CTakeOffGDM.h"
#include "grids/GridsStrings.h"
#include "layouts/DashedBarPainter.h"
#include "layouts/LayoutsStrings.h"
#include "layouts/ui/ILayoutsViewOwner.h"
#include "layouts/ui/IThumbnailsZoneMgr.h"
#include "layouts/ui/InteractiveDiagramWnd.h"
#include "layouts/ui/LayoutsCommands.h"
#include "layouts/ui/LayoutsFrame.h"
#include "layouts/ui/LayoutsFrameFactory.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "layouts/ui/ThumbnailsZone.h"
#include "optimization/DiagramGeometry.h"
#include "optimization/manual/ManualEditStrings.h"
#include "optimization/manual/PrepareForManualEditingCmd.h"
#include "platform/ui/Document.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kPrefHideDupes = 2034;
constexpr int kPrefOriginBottomLeft = 2118;
constexpr int kPrefAutoManualEdit = 2124;

class PageOwner : public ILayoutsViewOwner
{
public:
    QWidget* view = nullptr;
    QRect GetPageRect() const override { return QRect(0, 0, 900, 640); }
    QWidget* GetViewWnd() override { return view; }
    void SetModified() override { }
    void RefreshResultPages() override { }
    void PrintActivePage() override { }
    bool IsCommandIdle() const override { return true; }
    void FinishEditing() override { }
    void OpenProjectSettings(int) override { }
};

// The document's hints reach the page as the shell's view manager passes them.
class HintForwarder : public platform::DocView
{
public:
    LayoutsViewMgr* page = nullptr;
    void OnDocUpdate(platform::DocView*, long, void* hintObject) override
    {
        if (page && hintObject)
            page->OnDocumentUpdate(*static_cast<UpdateHint*>(hintObject), 0);
    }
};

// What a drawn part is, by value, to compare layouts before and after.
struct Placement
{
    CMilledPart* part;
    bool rotated;
    platform::Rect rect;
    friend bool operator==(const Placement&, const Placement&) = default;
};

std::vector<Placement> PlacementsOf(const DrawnPartList& parts)
{
    std::vector<Placement> out;
    for (const DrawnPartPtr& p : parts)
        out.push_back({ p->GetPart(), p->IsRotated(), p->GetSheetRect() });
    return out;
}

class ManualEditPageTest : public ProjectDocumentTest
{
protected:
    void SetUp() override
    {
        ProjectDocumentTest::SetUp();
        InitUIStrings(m_strings.path(),
            { FoundationStringResources(), ModelStringResources(), OptimizationStringResources(),
                DocumentStringResources(), GridsStringResources(), LayoutsStringResources(),
                ManualEditStringResources() });
        RegisterManualEditingCommands();
        GetCmdHistory()->Clear();
        m_prefs = new CUserPrefs;
        m_prefs->Init(m_prefsFolder.path(), m_prefsFolder.path());
        m_prefs->SetInt(3086, 5);
        SetUserPrefs(m_prefs);
        m_previousMessageHook = SetManualEditMessageHook([this](const QString& text) { m_messages << text; });
        m_previousStatusHook = SetManualEditStatusHook([this](const QString& text) { m_hints << text; });
        m_view.resize(900, 640);
        m_owner.view = &m_view;
        m_doc->AddView(&m_forwarder);
    }

    void TearDown() override
    {
        m_forwarder.page = nullptr;
        m_doc->RemoveView(&m_forwarder);
        m_mgr.reset();
        SetManualEditMessageHook(m_previousMessageHook);
        SetManualEditStatusHook(m_previousStatusHook);
        ProjectDocumentTest::TearDown();
    }

    // Optimizes the project and shows the page on its first diagram.
    void ShowPage()
    {
        RunJobs(*m_doc);
        ASSERT_TRUE(m_doc->IsFullyOptimized());
        m_mgr = std::make_unique<LayoutsViewMgr>(&m_owner, m_doc.get(), m_factory);
        m_forwarder.page = m_mgr.get();
        m_mgr->ApplyScreenArrangement();
        m_view.show();
        m_mgr->ShowFrame(FrameShow::Show);
        ASSERT_TRUE(m_mgr->GetCurrentDiagram());
        Paint();
    }

    LayoutsFrame* Frame() const { return static_cast<LayoutsFrame*>(m_mgr->GetFrame()); }
    InteractiveDiagramWnd* Wnd() const
    {
        return static_cast<InteractiveDiagramWnd*>(Frame()->GetDiagramWnd().get());
    }
    ManualEditMgr* Edit() const { return m_mgr->GetManualEditMgr(); }
    const SnapToKerfMgr& Snap() const { return Edit()->GetSnapMgr(); }
    DisplayDiagramPtr Shown() const { return m_mgr->GetCurrentDiagram(); }
    DrawnPartList Parts() const { return GetCurrentParts(*Shown()); }

    // Paints the main diagram at once, so that the parts' screen rectangles
    // and the manual editing geometry are those the user sees.
    void Paint()
    {
        QApplication::processEvents();
        Wnd()->repaint();
    }

    static QPoint Center(const DrawnPartPtr& part)
    {
        const platform::Point c = part->GetScreenRect().Center();
        return QPoint(c.x, c.y);
    }

    // A pointer move with the left button held, to the widget the pointer
    // belongs to: the mouse grabber (the frame, in a list drag) or the
    // diagram window. point: client coordinates of the diagram window.
    void MoveTo(const QPoint& point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* receiver = QWidget::mouseGrabber() ? QWidget::mouseGrabber() : Wnd();
        const QPoint global = Wnd()->mapToGlobal(point);
        QMouseEvent event(QEvent::MouseMove, QPointF(receiver->mapFromGlobal(global)), QPointF(global),
            Qt::NoButton, Qt::LeftButton, modifiers);
        QApplication::sendEvent(receiver, &event);
    }

    void Press(const QPoint& point) { QTest::mousePress(Wnd(), Qt::LeftButton, Qt::NoModifier, point); }

    void Release(const QPoint& point)
    {
        QWidget* receiver = QWidget::mouseGrabber() ? QWidget::mouseGrabber() : Wnd();
        const QPoint global = Wnd()->mapToGlobal(point);
        QTest::mouseRelease(receiver, Qt::LeftButton, Qt::NoModifier, receiver->mapFromGlobal(global));
    }

    // The client point whose move from `from` takes a part by the layout offset.
    QPoint Toward(const QPoint& from, const platform::Point& layoutOffset) const
    {
        const platform::Point v = Snap().LayoutToScreenVector(layoutOffset);
        return from + QPoint(v.x, v.y);
    }

    // Pressed on the part and moved by 5 pixels: the drag begins.
    void StartDrag(const DrawnPartPtr& part, QPoint& at)
    {
        at = Center(part);
        Press(at);
        at += QPoint(5, 0);
        MoveTo(at);
    }

    QByteArray Saved(const QString& name)
    {
        const QString path = PathOf(name);
        EXPECT_TRUE(m_doc->OnSaveDocument(path));
        return ReadAll(path);
    }

    QTemporaryDir m_strings;
    QTemporaryDir m_prefsFolder;
    CUserPrefs* m_prefs = nullptr;
    ManualEditTextHook m_previousMessageHook;
    ManualEditTextHook m_previousStatusHook;
    QStringList m_messages;
    QStringList m_hints;
    QWidget m_view;
    PageOwner m_owner;
    HintForwarder m_forwarder;
    RealLayoutsFrameFactory m_factory;
    std::unique_ptr<LayoutsViewMgr> m_mgr;
};

struct DrawnAs
{
    const char* name;
    bool turned;
    bool originBottomLeft;
};

class SnapDropTest : public ManualEditPageTest, public ::testing::WithParamInterface<DrawnAs>
{
};

INSTANTIATE_TEST_SUITE_P(Orientations, SnapDropTest,
    ::testing::Values(DrawnAs { "lengthwise", false, false }, DrawnAs { "turned", true, false },
        DrawnAs { "originBottomLeft", false, true }),
    [](const ::testing::TestParamInfo<DrawnAs>& param) { return std::string(param.param.name); });

TEST_P(SnapDropTest, AFivePixelMoveDragsAndTheDropSnapsToTheNeighboursKerf)
{
    const DrawnAs c = GetParam();
    {
        m_prefs->SetFlag(kPrefOriginBottomLeft, c.originBottomLeft);
        Append(m_oak, 10, 12, 2, QStringLiteral("Panel"));
        ShowPage();
        if (c.turned) {
            m_mgr->TurnCurrentDiagram();
            Paint();
        }
        const DisplayDiagramPtr diagram = Shown();
        const StackPtr stack = diagram->GetStack();
        ASSERT_EQ(Parts().size(), 2u);
        const DrawnPartPtr moved = Parts()[0];
        const DrawnPartPtr neighbour = Parts()[1];
        const std::vector<Placement> before = PlacementsOf(Parts());
        const int optimizerStyle = stack->GetCurrentGeoStyle();
        ASSERT_NE(optimizerStyle, 5);

        // Pressed and moved 4 pixels: nothing.
        QPoint at = Center(moved);
        Press(at);
        MoveTo(at + QPoint(4, -4));
        EXPECT_EQ(Edit()->GetSource(), 0);
        EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0u);
        // 5 pixels: the diagram is prepared (pinned, Manual Edit) and the drag begins.
        at += QPoint(5, 0);
        MoveTo(at);
        ASSERT_EQ(Edit()->GetSource(), 1);
        EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1u);
        EXPECT_EQ(stack->GetCurrentGeoStyle(), 5);
        EXPECT_TRUE(stack->IsPinned());
        EXPECT_TRUE(m_mgr->IsDragInProgress());
        ASSERT_FALSE(m_hints.isEmpty());
        EXPECT_TRUE(m_hints.back().startsWith(QStringLiteral("Press Ctrl to rotate part. Press Shift")));
        Paint();

        // Below the neighbour, half the reach short of its kerf.
        const std::int32_t kerf = stack->GetStockSpec().GetKerf().GetUnits();
        const platform::Rect& from = Edit()->GetDraggedPart()->GetSheetRect();
        const platform::Rect& next = neighbour->GetSheetRect();
        const std::int32_t gap = Snap().GetTolerance() / 2;
        const platform::Point wanted { next.left - from.left, next.bottom + kerf + gap - from.top };
        const QPoint target = Toward(at, wanted);
        MoveTo(target);
        ASSERT_TRUE(Snap().HasHorizontalSnap());
        const DrawnPartPtr candidate = Snap().Candidate();
        EXPECT_EQ(candidate->GetSheetRect().top, next.bottom + kerf);
        EXPECT_EQ(candidate->GetSheetRect().left, next.left);
        EXPECT_TRUE(Edit()->IsDropAccepted());
        // The band is drawn in its colour, dashed along its length.
        const std::vector<platform::Rect> bands = Edit()->GetActiveKerfScreenRects();
        ASSERT_FALSE(bands.empty());
        const QImage picture = Wnd()->grab().toImage();
        const platform::Rect band = bands.front();
        const bool vertical = band.Height() > band.Width();
        ASSERT_GT(vertical ? band.Height() : band.Width(), DashedBarPainter::kDash + DashedBarPainter::kGap);
        const QColor dashColour = platform::ToQColor(DashedBarPainter::kColor);
        const QPoint middle((band.left + band.right - 1) / 2, (band.top + band.bottom - 1) / 2);
        const QPoint step = vertical ? QPoint(0, 1) : QPoint(1, 0);
        QPoint pixel = vertical ? QPoint(middle.x(), band.top) : QPoint(band.left, middle.y());
        QString seen;
        for (int i = 0; i <= DashedBarPainter::kDash + DashedBarPainter::kGap; ++i, pixel += step)
            seen += picture.pixelColor(pixel) == dashColour ? QLatin1Char('#') : QLatin1Char('.');
        EXPECT_EQ(seen, QString(DashedBarPainter::kDash, QLatin1Char('#')) + QString(DashedBarPainter::kGap, QLatin1Char('.'))
                + QLatin1Char('#'));

        // Released: "Move Part" after the preparation step.
        Release(target);
        EXPECT_EQ(Edit()->GetSource(), 0);
        EXPECT_FALSE(m_mgr->IsDragInProgress());
        EXPECT_EQ(GetCmdHistory()->GetStepCount(), 2u);
        EXPECT_TRUE(GetUndoMenuText().contains(QStringLiteral("Move Part")));
        const auto after = [&] {
            std::vector<Placement> expected = before;
            expected[0].rect = candidate->GetSheetRect();
            return expected;
        }();
        auto check = [&](const char* step, const std::vector<Placement>& placements, int style, bool pinned) {
            SCOPED_TRACE(step);
            EXPECT_EQ(PlacementsOf(GetCurrentParts(*Shown())), placements);
            EXPECT_EQ(stack->GetCurrentGeoStyle(), style);
            EXPECT_EQ(stack->IsPinned(), pinned);
            EXPECT_EQ(Shown()->GetStack(), stack);
        };
        check("moved", after, 5, true);
        HistoryUndo();
        check("move undone", before, 5, true);
        HistoryUndo();
        check("preparation undone", before, optimizerStyle, false);
        HistoryRedo();
        HistoryRedo();
        check("redone", after, 5, true);
    }
}

} // namespace

namespace {

// Counts the paints of a widget.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget, std::function<bool()> counts)
        : m_counts(std::move(counts))
    {
        widget->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_counts())
            ++paints;
        return false;
    }

private:
    std::function<bool()> m_counts;
};

TEST_F(ManualEditPageTest, CtrlTurnsAndTurnsBackShiftHoldsTheAxisAndXCrossesTheKerf)
{
    Append(m_oak, 10, 12, 2, QStringLiteral("Panel"));
    ShowPage();
    const DrawnPartPtr moved = Parts()[0];
    const DrawnPartPtr neighbour = Parts()[1];
    QPoint at;
    StartDrag(moved, at);
    ASSERT_EQ(Edit()->GetSource(), 1);
    Paint();

    // Ctrl down and up: turned a quarter about the grab point, then back.
    at += QPoint(20, 20);
    MoveTo(at);
    const bool rotated = Edit()->GetDraggedPart()->IsRotated();
    QTest::keyPress(Wnd(), Qt::Key_Control);
    EXPECT_EQ(Snap().Candidate()->IsRotated(), !rotated);
    const platform::Rect turned = Snap().Candidate()->GetSheetRect();
    EXPECT_EQ(turned.Width(), Edit()->GetDraggedPart()->GetSheetRect().Height());
    QTest::keyRelease(Wnd(), Qt::Key_Control);
    EXPECT_EQ(Snap().Candidate()->IsRotated(), rotated);
    EXPECT_EQ(Snap().Candidate()->GetSheetRect().Width(), Edit()->GetDraggedPart()->GetSheetRect().Width());

    // Shift with equal distances in x and y: a horizontal drag.
    const QPoint start(Snap().GetStartPoint().x, Snap().GetStartPoint().y);
    MoveTo(Wnd()->mapFromGlobal(start) + QPoint(30, 30));
    QTest::keyPress(Wnd(), Qt::Key_Shift);
    EXPECT_EQ(Snap().GetCurrentPoint().y, start.y());
    EXPECT_EQ(Snap().GetCurrentPoint().x, start.x() + 30);
    QTest::keyRelease(Wnd(), Qt::Key_Shift);
    EXPECT_EQ(Snap().GetCurrentPoint().y, start.y() + 30);

    // Held against the neighbour's kerf; after 'X' it follows the pointer
    // across that kerf.
    const std::int32_t kerf = Shown()->GetStack()->GetStockSpec().GetKerf().GetUnits();
    const platform::Rect& from = Edit()->GetDraggedPart()->GetSheetRect();
    const platform::Rect& next = neighbour->GetSheetRect();
    const std::int32_t reach = Snap().GetTolerance();
    const QPoint near
        = Toward(at - QPoint(20, 20), { next.left - from.left, next.bottom + kerf + reach / 2 - from.top });
    MoveTo(near);
    ASSERT_TRUE(Snap().HasHorizontalSnap());
    QTest::keyRelease(Wnd(), Qt::Key_X);
    EXPECT_FALSE(Snap().HasHorizontalSnap());
    const QPoint across = Toward(near, { 0, -reach });
    MoveTo(across);
    EXPECT_FALSE(Snap().HasHorizontalSnap());
    EXPECT_LT(Snap().Candidate()->GetSheetRect().top, next.bottom + kerf);
    Release(across);
}

TEST_F(ManualEditPageTest, RefusedDropsSlideBackInTenStepsAndChangeNothing)
{
    Append(m_oak, 10, 12, 2, QStringLiteral("Panel"));
    ShowPage();
    // A first drag prepares the diagram; released where it began, it moves nothing.
    QPoint at;
    StartDrag(Parts()[0], at);
    Release(at);
    ASSERT_EQ(GetCmdHistory()->GetStepCount(), 1u);
    Paint();
    const QByteArray before = Saved(QStringLiteral("before.kwl"));
    const std::vector<Placement> placements = PlacementsOf(Parts());

    PaintCounter slides(Wnd(), [this] { return Edit()->GetSource() != 0; });
    struct Row
    {
        const char* name;
        std::function<QPoint(const QPoint& from)> to;
    };
    const Row rows[] = {
        { "on another part", [this](const QPoint&) { return Center(Parts()[1]); } },
        { "outside the usable area",
            [this](const QPoint& from) {
                const platform::Rect& r = Edit()->GetDraggedPart()->GetSheetRect();
                return Toward(from, { -r.left - r.Width() / 2, -r.top - r.Height() / 2 });
            } },
        { "no movement", [](const QPoint& from) { return from; } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StartDrag(Parts()[0], at);
        ASSERT_EQ(Edit()->GetSource(), 1);
        Paint();
        const QPoint to = row.to(at);
        MoveTo(to + QPoint(0, 1));
        MoveTo(to);
        if (std::string(row.name) != "no movement") {
            EXPECT_FALSE(Edit()->IsDropAccepted());
        }
        slides.paints = 0;
        Release(to);
        EXPECT_EQ(slides.paints, ManualEditMgr::kSlideSteps);
        EXPECT_EQ(Edit()->GetSource(), 0);
        EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1u);
        EXPECT_EQ(PlacementsOf(Parts()), placements);
        EXPECT_TRUE(m_messages.isEmpty());
    }
    EXPECT_EQ(Saved(QStringLiteral("after.kwl")), before);
}

} // namespace

namespace {

// The styles a diagram has layouts of.
std::vector<int> StylesOf(const StackPtr& stack)
{
    std::vector<int> styles;
    for (int style = 0; style <= 5; ++style)
        if (stack->HasGeometry(style))
            styles.push_back(style);
    return styles;
}

class ManualEditListTest : public ManualEditPageTest
{
protected:
    // The diagram window's client point over the middle of a widget.
    QPoint Over(const QWidget* widget) const
    {
        return Wnd()->mapFromGlobal(widget->mapToGlobal(widget->rect().center()));
    }
    QPoint OverTabs() const { return Over(Frame()->GetTakeOffTabs().get()); }

    // The take-off list's row of the part; -1 when it is not listed.
    int RowOf(const CMilledPart* part) const
    {
        const std::shared_ptr<CTakeOffGDM> grid = m_mgr->GetTakeOffGridMgr();
        for (int row = 0; row < grid->GetStoredRowCount(); ++row)
            if (grid->GetRowItem(row)->part == part)
                return row;
        return -1;
    }

    void ShowUnplacedTab()
    {
        m_mgr->SetTakeOffListKind(TakeOffListKind::UnplacedParts);
        QApplication::processEvents();
    }

    // The user starts dragging the part's row of the Unplaced tab.
    void DragRow(const CMilledPart* part)
    {
        const int row = RowOf(part);
        ASSERT_GE(row, 0);
        m_mgr->GetTakeOffGridMgr()->OnRowDragStart(row);
    }

    // A client point of the main diagram where a part's top-left corner
    // lands at the layout point.
    QPoint AtLayout(std::int32_t x, std::int32_t y) const
    {
        const platform::Rect r = Snap().LayoutToScreenRect(platform::Rect(x, y, x, y));
        return QPoint(r.left, r.top);
    }
};

TEST_F(ManualEditListTest, APartDraggedOntoTheListBecomesUnplacedAndUndoRestoresEveryStyle)
{
    CMilledPart* panel = Append(m_oak, 10, 12, 2, QStringLiteral("Panel"));
    ShowPage();
    const StackPtr stack = Shown()->GetStack();
    const std::vector<int> styles = StylesOf(stack);
    const int style = stack->GetCurrentGeoStyle();
    ASSERT_GE(styles.size(), 2u);
    const std::vector<Placement> before = PlacementsOf(Parts());

    QPoint at;
    StartDrag(Parts()[0], at);
    ASSERT_EQ(Edit()->GetSource(), 1);
    MoveTo(OverTabs());
    EXPECT_EQ(Edit()->GetTarget(), 2);
    EXPECT_EQ(Frame()->cursor().shape(), Qt::DragMoveCursor);
    Release(OverTabs());
    EXPECT_EQ(Frame()->cursor().shape(), Qt::ArrowCursor);

    auto check = [&](const char* step, std::size_t drawn, std::uint32_t unplaced,
                     std::vector<int> expectedStyles, int shownStyle) {
        SCOPED_TRACE(step);
        EXPECT_EQ(GetCurrentParts(*Shown()).size(), drawn);
        EXPECT_EQ(panel->GetUnplacedCopies(), unplaced);
        EXPECT_EQ(StylesOf(stack), expectedStyles);
        EXPECT_EQ(stack->GetCurrentGeoStyle(), shownStyle);
    };
    check("dragged off", 1, 1, { 5 }, 5);
    EXPECT_EQ(panel->GetSkipInfo().GetReason(), CSkippedPartInfo::ManualEdit);
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 2u);
    ShowUnplacedTab();
    EXPECT_GE(RowOf(panel), 0);

    std::vector<int> withManual = styles;
    withManual.push_back(5);
    HistoryUndo();
    check("removal undone", 2, 0, withManual, 5);
    HistoryUndo();
    check("preparation undone", 2, 0, styles, style);
    EXPECT_EQ(PlacementsOf(Parts()), before);
    HistoryRedo();
    HistoryRedo();
    check("redone", 1, 1, { 5 }, 5);
}

// Six sheets of one panel each, two strips beside the panel on one of them:
// the strips dragged off, then dropped from the Unplaced tab onto the
// optimizer's diagram of the other five, split two sheets off.
TEST_F(ManualEditListTest, AnUnplacedPartDroppedOnAnOptimizerDiagramKeepsItsPartsInOneStep)
{
    CMilledPart* big = Append(m_oak, 40, 94, 6, QStringLiteral("Big"));
    CMilledPart* strip = Append(m_oak, 6, 30, 2, QStringLiteral("Strip"));
    ShowPage();
    // The strips go onto the list.
    auto thumbnail = [this](auto holds) {
        for (int i = 0; i < m_mgr->GetDiagramCount(); ++i)
            if (const DisplayDiagramPtr d = m_mgr->GetThumbnailsMgr()->GetDiagram(i); d && holds(*d))
                return ThumbnailChoice { d, i };
        return ThumbnailChoice {};
    };
    auto holdsStrip = [strip](const DisplayDiagram& d) {
        const DrawnPartList& parts = GetCurrentParts(d);
        return std::any_of(
            parts.begin(), parts.end(), [strip](const DrawnPartPtr& p) { return p->GetPart() == strip; });
    };
    for (int i = 0; i < 2; ++i) {
        const ThumbnailChoice withStrip = thumbnail(holdsStrip);
        ASSERT_TRUE(withStrip.diagram);
        m_mgr->OnThumbnailSelected(withStrip);
        Paint();
        const DrawnPartList parts = Parts();
        const auto found = std::find_if(
            parts.begin(), parts.end(), [strip](const DrawnPartPtr& p) { return p->GetPart() == strip; });
        QPoint at;
        StartDrag(*found, at);
        MoveTo(OverTabs());
        Release(OverTabs());
    }
    ASSERT_EQ(strip->GetUnplacedCopies(), 2u);

    const ThumbnailChoice five
        = thumbnail([](const DisplayDiagram& d) { return d.GetStack()->GetCount() > 1; });
    ASSERT_TRUE(five.diagram);
    m_mgr->OnThumbnailSelected(five);
    Paint();
    const StackPtr stack = Shown()->GetStack();
    const std::uint32_t count = stack->GetCount();
    ASSERT_GE(count, 3u);
    ASSERT_NE(stack->GetCurrentGeoStyle(), 5);
    const std::vector<Placement> before = PlacementsOf(Parts());
    ASSERT_EQ(before.size(), 1u);
    EXPECT_EQ(before[0].part, big);
    const std::size_t steps = GetCmdHistory()->GetStepCount();

    ShowUnplacedTab();
    DragRow(strip);
    EXPECT_TRUE(m_mgr->IsDragInProgress());
    EXPECT_EQ(QWidget::mouseGrabber(), Frame());
    EXPECT_EQ(m_hints.back(), QStringLiteral("Press Ctrl to rotate part."));
    // Into the band the panel leaves free.
    const platform::Rect& panel = before[0].rect;
    const std::int32_t kerf = stack->GetStockSpec().GetKerf().GetUnits();
    const std::int32_t y = panel.top > Units(7) ? 0 : panel.bottom + 2 * kerf;
    const QPoint drop = AtLayout(Units(20), y);
    MoveTo(drop + QPoint(1, 1));
    MoveTo(drop);
    EXPECT_EQ(Edit()->GetTarget(), 1);
    EXPECT_TRUE(Edit()->IsDropAccepted());
    Release(drop);
    EXPECT_FALSE(m_mgr->IsDragInProgress());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // One step; the panel stays beside the strip on two sheets split off.
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), steps + 1);
    EXPECT_TRUE(GetUndoMenuText().contains(QStringLiteral("Add Part to Diagram")));
    EXPECT_EQ(strip->GetUnplacedCopies(), 0u);
    const DisplayDiagramPtr edited = Shown();
    ASSERT_NE(edited->GetStack(), stack);
    EXPECT_EQ(edited->GetStack()->GetCount(), 2u);
    EXPECT_EQ(stack->GetCount(), count - 2);
    EXPECT_TRUE(edited->GetStack()->IsPinned());
    EXPECT_EQ(edited->GetStack()->GetCurrentGeoStyle(), 5);
    const std::vector<Placement> after = PlacementsOf(GetCurrentParts(*edited));
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1].part, strip);

    HistoryUndo();
    EXPECT_EQ(stack->GetCount(), count);
    EXPECT_EQ(strip->GetUnplacedCopies(), 2u);
    EXPECT_NE(stack->GetCurrentGeoStyle(), 5);
    EXPECT_FALSE(stack->IsPinned());
    EXPECT_EQ(PlacementsOf(GetCurrentParts(*Shown())), before);
    HistoryRedo();
    EXPECT_EQ(strip->GetUnplacedCopies(), 0u);
    EXPECT_EQ(stack->GetCount(), count - 2);
}

} // namespace

namespace {

class ManualEditThumbnailTest : public ManualEditListTest
{
protected:
    // A client point of the main diagram window over the diagram's thumbnail.
    QPoint OverThumbnailOf(const DisplayDiagramPtr& diagram) const
    {
        const QWidget* zone = Frame()->GetThumbnailsZone().get();
        for (int y = 0; y < zone->height(); y += 4)
            for (int x = 0; x < zone->width(); x += 4) {
                const QPoint global = zone->mapToGlobal(QPoint(x, y));
                ThumbnailChoice choice;
                m_mgr->GetThumbnailsMgr()->HitTestThumbnail(choice, global);
                if (choice.diagram && *choice.diagram == *diagram)
                    return Wnd()->mapFromGlobal(global);
            }
        ADD_FAILURE() << "no thumbnail";
        return QPoint();
    }

    ThumbnailChoice Find(const std::function<bool(const DisplayDiagram&)>& wanted) const
    {
        for (int i = 0; i < m_mgr->GetDiagramCount(); ++i)
            if (const DisplayDiagramPtr d = m_mgr->GetThumbnailsMgr()->GetDiagram(i); d && wanted(*d))
                return ThumbnailChoice { d, i };
        return ThumbnailChoice {};
    }

    bool Holds(const DisplayDiagram& diagram, const CMilledPart* part) const
    {
        const DrawnPartList& parts = GetCurrentParts(diagram);
        return std::any_of(
            parts.begin(), parts.end(), [part](const DrawnPartPtr& p) { return p->GetPart() == part; });
    }

    DrawnPartPtr DrawnOf(const CMilledPart* part) const
    {
        for (const DrawnPartPtr& p : Parts())
            if (p->GetPart() == part)
                return p;
        return nullptr;
    }

    // Where a 6-inch strip fits beside the 40-inch panel.
    QPoint FreeBand() const
    {
        const platform::Rect& panel = Parts()[0]->GetSheetRect();
        const std::int32_t kerf = Shown()->GetStack()->GetStockSpec().GetKerf().GetUnits();
        const std::int32_t y = panel.top > Units(7) ? 0 : panel.bottom + 2 * kerf;
        return AtLayout(Units(20), y);
    }
};

// Three sheets of a panel, a strip beside it on the first. With auto-convert
// off the optimizer's diagram refuses the strip (307); with it on, the strip
// carried over the thumbnail of the others lands there; released over the
// thumbnails it is refused with message 306.
TEST_F(ManualEditThumbnailTest, APartCarriedOverAThumbnailMovesToThatDiagram)
{
    Append(m_oak, 40, 94, 3, QStringLiteral("Big"));
    CMilledPart* strip = Append(m_oak, 6, 30, 1, QStringLiteral("Strip"));
    ShowPage();
    const ThumbnailChoice first = Find([&](const DisplayDiagram& d) { return Holds(d, strip); });
    const ThumbnailChoice others = Find([&](const DisplayDiagram& d) { return !Holds(d, strip); });
    ASSERT_TRUE(first.diagram && others.diagram);
    ASSERT_EQ(others.diagram->GetStack()->GetCount(), 2u);
    m_mgr->OnThumbnailSelected(first);
    Paint();

    // Auto-convert off: the optimizer's diagram refuses the part, 307.
    m_prefs->SetFlag(kPrefAutoManualEdit, false);
    ASSERT_FALSE(m_mgr->IsManualEditingAllowed());
    ASSERT_TRUE(Frame()->Commands().Trigger(LayoutsCmd::StyleManualEdit));
    Paint();
    const std::size_t steps = GetCmdHistory()->GetStepCount();
    QPoint at;
    StartDrag(DrawnOf(strip), at);
    ASSERT_EQ(Edit()->GetSource(), 1);
    const QPoint refused = OverThumbnailOf(others.diagram);
    MoveTo(refused);
    EXPECT_EQ(Frame()->cursor().shape(), Qt::ForbiddenCursor);
    EXPECT_EQ(Shown()->GetStack(), first.diagram->GetStack());
    Release(refused);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages.back().startsWith(QStringLiteral("The part cannot be moved to this diagram")));
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), steps);
    EXPECT_EQ(strip->GetUnplacedCopies(), 0u);
    EXPECT_TRUE(Holds(*first.diagram, strip));
    m_prefs->SetFlag(kPrefAutoManualEdit, true);
    m_messages.clear();
    Paint();

    // Over the other diagram's thumbnail: taken off here, shown there.
    StartDrag(DrawnOf(strip), at);
    ASSERT_EQ(Edit()->GetSource(), 1);
    const QPoint thumbnail = OverThumbnailOf(others.diagram);
    MoveTo(thumbnail);
    EXPECT_EQ(strip->GetUnplacedCopies(), 1u);
    EXPECT_EQ(Shown()->GetStack(), others.diagram->GetStack());
    EXPECT_EQ(Edit()->GetSource(), 2);
    EXPECT_TRUE(m_mgr->IsDragInProgress());
    // Dropped on it: placed there, split off the two.
    Paint();
    const QPoint drop = FreeBand();
    MoveTo(drop + QPoint(1, 1));
    MoveTo(drop);
    EXPECT_TRUE(Edit()->IsDropAccepted());
    Release(drop);
    EXPECT_EQ(strip->GetUnplacedCopies(), 0u);
    EXPECT_TRUE(Holds(*Shown(), strip));
    EXPECT_EQ(Shown()->GetStack()->GetCount(), 1u);
    EXPECT_EQ(others.diagram->GetStack()->GetCount(), 1u);
    EXPECT_TRUE(m_messages.isEmpty());

    // Carried back over the first one's thumbnail and released over the
    // thumbnails: message 306; the strip stays unplaced.
    m_messages.clear();
    Paint();
    StartDrag(DrawnOf(strip), at);
    const QPoint back = OverThumbnailOf(first.diagram);
    MoveTo(back);
    EXPECT_EQ(Shown()->GetStack(), first.diagram->GetStack());
    MoveTo(back + QPoint(1, 0));
    Release(back + QPoint(1, 0));
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages.back().startsWith(QStringLiteral("To move the part to this thumbnail, drag it")));
    EXPECT_EQ(strip->GetUnplacedCopies(), 1u);
    EXPECT_FALSE(m_mgr->IsDragInProgress());
}

} // namespace

namespace {

TEST_F(ManualEditThumbnailTest, WithDupesShownAMoveSplitsOneSheetOffAndUndoMergesIt)
{
    m_prefs->SetFlag(kPrefHideDupes, false);
    Append(m_oak, 40, 94, 3, QStringLiteral("Big"));
    ShowPage();
    const StackPtr stack = Shown()->GetStack();
    ASSERT_EQ(stack->GetCount(), 3u);
    ASSERT_EQ(m_mgr->GetDiagramCount(), 3);
    m_mgr->OnThumbnailSelected({ m_mgr->GetThumbnailsMgr()->GetDiagram(1), 1 });
    Paint();
    ASSERT_EQ(Shown()->GetCopyIndex(), 1);
    const std::vector<Placement> before = PlacementsOf(Parts());

    // Two inches across the sheet, into the band the panel leaves free.
    QPoint at;
    StartDrag(Parts()[0], at);
    ASSERT_EQ(Edit()->GetSource(), 1);
    const StackPtr edited = Shown()->GetStack();
    EXPECT_NE(edited, stack);
    EXPECT_EQ(stack->GetCount(), 2u);
    Paint();
    const std::int32_t room = Units(48) - before[0].rect.bottom;
    const std::int32_t dy = room >= Units(2) ? Units(2) : -Units(2);
    const QPoint to = Toward(at, { 0, dy });
    MoveTo(to);
    Release(to);
    ASSERT_EQ(GetCmdHistory()->GetStepCount(), 2u);
    const platform::Rect moved = GetCurrentParts(*edited)[0]->GetSheetRect();
    EXPECT_NE(moved, before[0].rect);
    EXPECT_EQ(moved.left, before[0].rect.left);
    EXPECT_EQ(PlacementsOf(GetCurrentParts(*stack->MakeDisplayDiagram(0))), before);

    HistoryUndo();
    EXPECT_EQ(GetCurrentParts(*edited)[0]->GetSheetRect(), before[0].rect);
    HistoryUndo();
    EXPECT_EQ(stack->GetCount(), 3u);
    EXPECT_FALSE(stack->IsPinned());
    HistoryRedo();
    HistoryRedo();
    EXPECT_EQ(stack->GetCount(), 2u);
    EXPECT_EQ(GetCurrentParts(*edited)[0]->GetSheetRect(), moved);
}

// The press is the part clicked: a press beside the parts that moves over
// one drags nothing.
TEST_F(ManualEditThumbnailTest, APressBesideThePartsDragsNothingWhereverThePointerGoes)
{
    Append(m_oak, 40, 94, 1, QStringLiteral("Big"));
    ShowPage();
    const platform::Rect& panel = Parts()[0]->GetScreenRect();
    const QPoint beside(panel.right + 6, (panel.top + panel.bottom) / 2);
    ASSERT_FALSE(Parts()[0]->GetScreenRect().Contains(beside.x(), beside.y()));
    Press(beside);
    const QPoint inside(panel.right - 10, beside.y());
    MoveTo(inside);
    MoveTo(inside + QPoint(-10, 0));
    MoveTo(inside + QPoint(-20, 0));
    EXPECT_EQ(Edit()->GetSource(), 0);
    EXPECT_FALSE(m_mgr->IsDragInProgress());
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0u);
    Release(inside + QPoint(-20, 0));
}

// A diagram that has its Manual Edit layout but shows the optimizer's one
// is switched to it without a command and pinned, and the drag goes on.
TEST_F(ManualEditThumbnailTest, ADiagramWithAManualLayoutIsSwitchedToItAndPinned)
{
    Append(m_oak, 10, 12, 2, QStringLiteral("Panel"));
    ShowPage();
    const StackPtr stack = Shown()->GetStack();
    const int optimizerStyle = stack->GetCurrentGeoStyle();
    // As a project saved after the user went back to the optimizer's
    // layout and unpinned the diagram: its Manual Edit layout stays.
    stack->GetDiagram()->PrepareManualGeometry(optimizerStyle);
    ASSERT_EQ(stack->GetCurrentGeoStyle(), optimizerStyle);
    ASSERT_FALSE(stack->IsPinned());
    ASSERT_TRUE(stack->HasGeometry(5));
    Paint();
    const std::size_t steps = GetCmdHistory()->GetStepCount();

    QPoint at;
    StartDrag(Parts()[0], at);
    EXPECT_EQ(Edit()->GetSource(), 1);
    EXPECT_EQ(stack->GetCurrentGeoStyle(), 5);
    EXPECT_TRUE(stack->IsPinned());
    // Only the pin is a step.
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), steps + 1);
    Release(at);
}

} // namespace

namespace {

// After a hand edit, another part of the same target is added: the target is
// optimized again around the edited diagram, which comes back unchanged.
TEST_F(ManualEditThumbnailTest, AnEditedDiagramSurvivesTheNextOptimizationPinned)
{
    Append(m_oak, 10, 12, 2, QStringLiteral("Panel"));
    ShowPage();
    const StackPtr stack = Shown()->GetStack();
    QPoint at;
    StartDrag(Parts()[0], at);
    Paint();
    const platform::Rect& from = Edit()->GetDraggedPart()->GetSheetRect();
    const QPoint to = Toward(at, { Units(30) - from.left, Units(30) - from.top });
    MoveTo(to);
    Release(to);
    ASSERT_EQ(GetCmdHistory()->GetStepCount(), 2u);
    const std::vector<Placement> edited = PlacementsOf(Parts());

    Append(m_oak, 20, 30, 1, QStringLiteral("Shelf"));
    ASSERT_FALSE(m_doc->IsFullyOptimized());
    RunJobs(*m_doc);
    ASSERT_TRUE(m_doc->IsFullyOptimized());
    m_mgr->OnDocumentUpdate(UpdateHint(UpdateMask::ChangeDefault, UpdateMask::DetailAll), 0);
    StackList all;
    m_doc->GetBOMOptMgr()->GetAllDiagrams(all);
    const auto kept = std::find_if(all.begin(), all.end(), [&](const StackPtr& s) {
        return PlacementsOf(GetCurrentParts(*s->MakeDisplayDiagram(0))) == edited;
    });
    ASSERT_NE(kept, all.end());
    EXPECT_TRUE((*kept)->IsPinned());
    EXPECT_EQ((*kept)->GetCurrentGeoStyle(), 5);
    EXPECT_EQ(*kept, stack);
}

} // namespace
