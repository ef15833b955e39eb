// The layouts page offscreen over a real project document: the frame and its
// two arrangements, the view manager's refresh path through the document's
// optimization and the real progress dialog, its commands and hints.
#include "CancellingRunDialog.h"
#include "ProjectDocumentFixture.h"

#include "document/DocumentStrings.h"
#include "foundation/CUserPrefs.h"
#include "foundation/CmdHistory.h"
#include "foundation/TCPResource.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/GridsStrings.h"
#include "layouts/LayoutsStrings.h"
#include "layouts/ui/ILayoutsViewOwner.h"
#include "layouts/ui/ITreeCtrl.h"
#include "layouts/ui/InteractiveDiagramWnd.h"
#include "layouts/ui/LayoutsCommands.h"
#include "layouts/ui/LayoutsFrame.h"
#include "layouts/ui/LayoutsFrameFactory.h"
#include "layouts/ui/LayoutsTakeOffListMgr.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "layouts/ui/MainDiagramViewMgr.h"
#include "layouts/ui/ThumbnailsZone.h"
#include "layouts/ui/ThumbnailsZoneMgr.h"
#include "model/IMaterialData.h"
#include "model/IOptimizableMaterial.h"
#include "optimization/DiagramIndex.h"
#include "optimization/RunProgressDialog.h"
#include "optimization/RunStartLatch.h"
#include "optimization/manual/ManualEditStrings.h"
#include "optimization/manual/PrepareForManualEditingCmd.h"
#include "optimization/ui/CTaskProgressDialog.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include <condition_variable>
#include <mutex>

#include <gtest/gtest.h>

namespace {

constexpr int kPrefLargeScreen = 2082;
constexpr int kPrefTakeOffMode = 3071;

class TestPageOwner : public ILayoutsViewOwner
{
public:
    QWidget* view = nullptr;
    QRect page { 0, 0, 900, 640 };
    QStringList calls;

    QRect GetPageRect() const override { return page; }
    QWidget* GetViewWnd() override { return view; }
    void SetModified() override { calls << QStringLiteral("modified"); }
    void RefreshResultPages() override { calls << QStringLiteral("results"); }
    void PrintActivePage() override { calls << QStringLiteral("print"); }
    bool IsCommandIdle() const override { return true; }
    void FinishEditing() override { calls << QStringLiteral("finish"); }
    void OpenProjectSettings(int index) override { calls << QStringLiteral("settings %1").arg(index); }
};

// The real pane managers, counting what the view manager asks of them.
class CountingThumbnailsMgr : public ThumbnailsZoneMgr
{
public:
    using ThumbnailsZoneMgr::ThumbnailsZoneMgr;
    int rebuilds = 0;
    int clears = 0;
    void SetDiagrams(
        ThumbnailChoice& out, const StackList& stacks, const DisplayDiagramPtr& preferred, int kind) override
    {
        rebuilds += clearing ? 0 : 1;
        ThumbnailsZoneMgr::SetDiagrams(out, stacks, preferred, kind);
    }
    void Clear() override
    {
        ++clears;
        clearing = true; // empties through SetDiagrams
        ThumbnailsZoneMgr::Clear();
        clearing = false;
    }
    bool clearing = false;
};

class CountingMainDiagramMgr : public MainDiagramViewMgr
{
public:
    using MainDiagramViewMgr::MainDiagramViewMgr;
    int updates = 0;
    void UpdateControls() override
    {
        ++updates;
        MainDiagramViewMgr::UpdateControls();
    }
};

class CountingTakeOffMgr : public LayoutsTakeOffListMgr
{
public:
    using LayoutsTakeOffListMgr::LayoutsTakeOffListMgr;
    int refreshes = 0;
    int selects = 0;
    TakeOffSelection Refresh(const TakeOffSelection& selection, bool keep) override
    {
        ++refreshes;
        return LayoutsTakeOffListMgr::Refresh(selection, keep);
    }
    void SelectItem(const TakeOffSelection& selection) override
    {
        ++selects;
        LayoutsTakeOffListMgr::SelectItem(selection);
    }
};

class CountingFactory : public RealLayoutsFrameFactory
{
public:
    CountingTakeOffMgr* takeOff = nullptr;
    std::shared_ptr<ILayoutsTakeOffListMgr> CreateTakeOffListMgr(LayoutsViewMgr* viewMgr) override
    {
        auto made = std::make_shared<CountingTakeOffMgr>(viewMgr);
        takeOff = made.get();
        return made;
    }
    CountingThumbnailsMgr* thumbnails = nullptr;
    CountingMainDiagramMgr* mainDiagram = nullptr;

    std::shared_ptr<IMainDiagramViewMgr> CreateMainDiagramViewMgr(LayoutsViewMgr* viewMgr) override
    {
        auto made = std::make_shared<CountingMainDiagramMgr>(viewMgr);
        mainDiagram = made.get();
        return made;
    }
    std::shared_ptr<IThumbnailsZoneMgr> CreateThumbnailsZoneMgr(LayoutsViewMgr* viewMgr) override
    {
        auto made = std::make_shared<CountingThumbnailsMgr>(viewMgr);
        thumbnails = made.get();
        return made;
    }
};


// A frame whose rows can never be balanced, counting what it is asked.
class UnbalancedFrame : public ILayoutsFrame
{
public:
    QWidget window;
    int posts = 0;
    void Show(int) override { }
    void MoveTo(const QRect& rect) override { window.setGeometry(rect); }
    bool IsVisible() const override { return false; }
    void PostFrameMessage(int id) override { posts += id == LayoutsCmd::RearrangeMessage; }
    QWidget* GetFrameWnd() override { return &window; }
    void CaptureMouse() override { }
    void ReleaseMouse() override { }
    void TrackPopupMenu(int, const QPoint&) override { }
    bool BalanceRows() override { return false; }
    void BalanceColumns() override { }
    void SetTextBelowIcons(bool) override { }
    void SaveSplitterSizes() override { }
    void SetArrangement(bool) override { }
    std::shared_ptr<InteractiveDiagramBase> GetDiagramWnd() const override { return nullptr; }
    std::shared_ptr<ThumbnailsZone> GetThumbnailsZone() const override { return nullptr; }
    std::shared_ptr<ITreeCtrl> GetTreeCtrl() const override { return nullptr; }
    std::shared_ptr<ITakeOffCtrl> GetTakeOffCtrl() const override { return nullptr; }
    std::shared_ptr<CUGRowMode> GetTakeOffGrid() const override { return nullptr; }
    std::shared_ptr<QTabBar> GetTakeOffTabs() const override { return nullptr; }
    void SetLayoutStyleIcon(int) override { }
    void UpdateCommandStates() override { }
};

class UnbalancedFrameFactory : public RealLayoutsFrameFactory
{
public:
    UnbalancedFrame frame;
    ILayoutsFrame* CreateFrame(LayoutsViewMgr*, const QRect& rect, QWidget*) override
    {
        frame.window.setGeometry(rect);
        return &frame;
    }
};

class LayoutsPageTest : public ProjectDocumentTest
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
        InstallTaskProgressDialog();
        m_realMaker = SetRunProgressDialogMaker(nullptr);
        UseRealDialog();
        m_view.resize(m_owner.page.size());
        m_owner.view = &m_view;
    }

    void TearDown() override
    {
        m_mgr.reset();
        SetRunProgressDialogMaker(nullptr);
        ProjectDocumentTest::TearDown();
    }

    void UseRealDialog()
    {
        SetRunProgressDialogMaker([this](RunStartLatch& start, TaskProgressRows rows) {
            ++m_dialogs;
            if (m_doc->GetProgressDialog()) {
                ++m_nestedRuns; // a run started from inside a run: refused
                return std::unique_ptr<RunProgressDialog>();
            }
            return m_realMaker(start, std::move(rows));
        });
    }

    void UseCancellingDialog()
    {
        SetRunProgressDialogMaker([this](RunStartLatch& start, TaskProgressRows) {
            ++m_dialogs;
            return std::make_unique<CancellingDialog>(start);
        });
    }

    // The document's own hint after an edit of the parts list.
    static UpdateHint PartsHint() { return UpdateHint(UpdateMask::ChangeDefault, UpdateMask::DetailAll); }

    // A project of two materials, optimized by the page when it is shown.
    void ShowOptimizedPage()
    {
        m_door = Append(m_oak, 24, 48, 3, QStringLiteral("Door"));
        m_shelf = Append(m_ash, 10, 20, 2, QStringLiteral("Shelf"));
        MakePage();
        m_view.show();
        m_mgr->ShowFrame(FrameShow::Show);
        ASSERT_TRUE(m_doc->IsFullyOptimized());
        ASSERT_TRUE(m_mgr->GetCurrentDiagram());
    }

    void MakePage()
    {
        m_mgr = std::make_unique<LayoutsViewMgr>(&m_owner, m_doc.get(), m_factory);
        m_mgr->ApplyScreenArrangement();
    }

    LayoutsFrame* Frame() const { return static_cast<LayoutsFrame*>(m_mgr->GetFrame()); }

    // Where a widget lies in the frame.
    QRect Place(const QWidget* widget) const
    {
        return QRect(widget->mapTo(Frame(), QPoint(0, 0)), widget->size());
    }

    QWidget* DiagramWnd() const
    {
        return static_cast<InteractiveDiagramWnd*>(Frame()->GetDiagramWnd().get());
    }
    QWidget* Thumbnails() const { return Frame()->GetThumbnailsZone().get(); }

    QTemporaryDir m_strings;
    QTemporaryDir m_prefsFolder;
    CUserPrefs* m_prefs = nullptr;
    RunProgressDialogMaker m_realMaker;
    int m_dialogs = 0;
    int m_nestedRuns = 0;
    QWidget m_view;
    TestPageOwner m_owner;
    CountingFactory m_factory;
    std::unique_ptr<LayoutsViewMgr> m_mgr;
    CMilledPart* m_door = nullptr;
    CMilledPart* m_shelf = nullptr;
};

TEST_F(LayoutsPageTest, FrameHasTheTenButtonsAndStartsHidden)
{
    MakePage();
    LayoutsFrame* frame = Frame();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(frame->parentWidget(), &m_view);
    const QStringList expected { "Stretch", "Part #s", "Desc.", "Dims.", "<Info>", "Show Grain", "Hide Dupes",
        "Style", "Settings", "Pin" };
    QStringList captions;
    for (QAction* action : frame->ToolBar()->actions()) {
        // The style button is a widget of its own showing its action.
        if (auto* widgetAction = qobject_cast<QWidgetAction*>(action))
            captions << qobject_cast<QToolButton*>(widgetAction->defaultWidget())->defaultAction()->text();
        else
            captions << action->text();
    }
    EXPECT_EQ(captions.join(u'|'), expected.join(u'|'));
    EXPECT_FALSE(frame->ToolBar()->isMovable());
    EXPECT_EQ(frame->ToolBar()->contextMenuPolicy(), Qt::PreventContextMenu);
    EXPECT_EQ(frame->ToolBar()->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(frame->StyleButton()->popupMode(), QToolButton::InstantPopup);
    ASSERT_TRUE(frame->StyleButton()->menu());
    QStringList styles;
    for (const QAction* action : frame->StyleButton()->menu()->actions())
        styles << action->text();
    EXPECT_EQ(styles.join(u'|'),
        QStringLiteral("Prefer Rip-Cuts|Prefer Cross-Cuts|Max. Side Off-Cut|"
                       "Max. Bottom Off-Cut|Standard Layout|Manual Edit"));
    EXPECT_EQ(
        frame->Commands().Find(LayoutsCmd::Stretch)->statusTip(), QStringLiteral("Stretch narrow layouts"));
}

TEST_F(LayoutsPageTest, WideAndTallArrangementsAsTheUserSeesThem)
{
    MakePage();
    m_view.show();
    m_mgr->ShowFrame(FrameShow::Show);
    ASSERT_TRUE(Frame()->isVisible());
    EXPECT_EQ(Frame()->geometry(), m_owner.page);

    auto check = [this](bool wide) {
        SCOPED_TRACE(wide ? "Wide" : "Tall");
        QApplication::processEvents();
        LayoutsMainContentFrame* content = Frame()->Content();
        ASSERT_TRUE(content);
        EXPECT_EQ(wide, dynamic_cast<WideMainContentFrame*>(content) != nullptr);
        const QRect diagram = Place(DiagramWnd());
        const QRect thumbnails = Place(Thumbnails());
        QWidget* tree = content->TreeSplitter()->widget(0);
        const QRect treeRect = Place(tree);
        // The content lies below the toolbar and fills the frame.
        EXPECT_EQ(content->geometry().top(), Frame()->ToolBar()->height());
        EXPECT_EQ(content->geometry().bottom(), Frame()->height() - 1);
        // Thumbnails at the right of the diagram, 152 wide, ending at the frame's edge.
        EXPECT_EQ(thumbnails.width(), 152);
        EXPECT_EQ(thumbnails.right(), Frame()->width() - 1);
        EXPECT_EQ(thumbnails.left(), diagram.right() + 1 + 12);
        // The take-off list sits above the diagram in both.
        QWidget* takeOff = wide ? content->TreeSplitter()->widget(1) : content->RowSplitter()->widget(0);
        EXPECT_LT(Place(takeOff).bottom(), diagram.top());
        EXPECT_EQ(thumbnails.top(), wide ? diagram.top() : Place(takeOff).top());
        if (wide) {
            // The tree shares the top band with the take-off list.
            EXPECT_EQ(treeRect.top(), Place(takeOff).top());
            EXPECT_LT(treeRect.right(), Place(takeOff).left());
            EXPECT_LT(treeRect.bottom(), diagram.top());
            EXPECT_EQ(diagram.left(), 0);
        } else {
            // The tree is a full-height column at the left of everything.
            EXPECT_EQ(treeRect.height(), content->height());
            EXPECT_LT(treeRect.right(), diagram.left());
            EXPECT_LT(treeRect.right(), Place(takeOff).left());
            EXPECT_EQ(Place(takeOff).left(), diagram.left());
        }
        // As a picture: the diagram window paints its area, the thumbnails theirs.
        const QImage picture = Frame()->grab().toImage();
        EXPECT_EQ(picture.size(), Frame()->size());
        const QImage diagramPicture = DiagramWnd()->grab().toImage();
        EXPECT_EQ(picture.pixelColor(diagram.center()),
            diagramPicture.pixelColor(diagram.center() - diagram.topLeft()));
    };
    check(true);
    m_prefs->ToggleFlag(kPrefLargeScreen);
    m_mgr->ApplyScreenArrangement();
    EXPECT_TRUE(Frame()->isVisible());
    check(false);
}

TEST_F(LayoutsPageTest, LargeScreenToggledWhileHiddenRebuildsWithoutShowing)
{
    MakePage();
    m_view.show();
    const std::shared_ptr<ThumbnailsZone> before = Frame()->GetThumbnailsZone();
    m_prefs->ToggleFlag(kPrefLargeScreen);
    m_mgr->ApplyScreenArrangement();
    EXPECT_FALSE(Frame()->isVisible());
    EXPECT_TRUE(dynamic_cast<TallMainContentFrame*>(Frame()->Content()));
    EXPECT_NE(Frame()->GetThumbnailsZone(), before);
    // The thumbnails manager holds the new pane; the old one left its splitter.
    EXPECT_EQ(Frame()->GetThumbnailsZone()->parentWidget()->parentWidget(),
        Frame()->Content()->ThumbnailSplitter()->parentWidget());
    EXPECT_EQ(before->parentWidget(), nullptr);
}

TEST_F(LayoutsPageTest, ThumbnailColumnKeepsItsWidthAndTheDiagramColumnGoesFirst)
{
    MakePage();
    m_view.show();
    m_mgr->ShowFrame(FrameShow::Show);
    const struct
    {
        int width;
        int diagram;
        int thumbnails;
    } cases[] = {
        { 900, 900 - 164, 152 },
        { 400, 400 - 164, 152 },
        { 230, 230 - 164, 152 },
        // Below the diagram column's minimum of 50 the column goes.
        { 200, 0, 200 - 12 },
        { 150, 0, 150 - 12 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        m_owner.page.setWidth(c.width);
        m_mgr->ResizeFrame();
        QApplication::processEvents();
        const QList<int> sizes = Frame()->Content()->ThumbnailSplitter()->sizes();
        EXPECT_EQ(sizes.value(0), c.diagram);
        EXPECT_EQ(sizes.value(1), c.thumbnails);
    }
}

TEST_F(LayoutsPageTest, SplitterSizesAreSavedAndRestoredWithTheirLeastSizes)
{
    MakePage();
    m_view.show();
    m_mgr->ShowFrame(FrameShow::Show);
    LayoutsMainContentFrame* content = Frame()->Content();
    content->TreeSplitter()->setSizes({ 180, 600 });
    content->RowSplitter()->setSizes({ 140, 400 });
    m_prefs->ToggleFlag(kPrefLargeScreen);
    m_mgr->ApplyScreenArrangement();
    EXPECT_EQ(m_prefs->GetInt(3062), 180);
    EXPECT_EQ(m_prefs->GetInt(3063), 140);
    content = Frame()->Content();
    content->TreeSplitter()->setSizes({ 210, 600 });
    content->RowSplitter()->setSizes({ 120, 400 });
    m_prefs->ToggleFlag(kPrefLargeScreen);
    m_mgr->ApplyScreenArrangement();
    EXPECT_EQ(m_prefs->GetInt(3064), 210);
    EXPECT_EQ(m_prefs->GetInt(3065), 120);
    // Back in Wide: the stored sizes.
    QApplication::processEvents();
    EXPECT_EQ(Frame()->Content()->TreeSplitter()->sizes().value(0), 180);
    EXPECT_EQ(Frame()->Content()->RowSplitter()->sizes().value(0), 140);
}

TEST_F(LayoutsPageTest, StoredSizesBelowTheirRangeAreRaised)
{
    // The preferences file as a user left it.
    m_mgr.reset();
    const QString path = m_prefsFolder.filePath(QStringLiteral("Prefs.ini"));
    QByteArray text = ReadAll(path);
    ASSERT_TRUE(text.contains("Wide Tree Width=250"));
    text.replace("Wide Tree Width=250", "Wide Tree Width=60");
    text.replace("Tall Grid Height=250", "Tall Grid Height=20");
    WriteAll(path, text);
    m_prefs = new CUserPrefs;
    m_prefs->Init(m_prefsFolder.path(), m_prefsFolder.path());
    SetUserPrefs(m_prefs);
    EXPECT_EQ(m_prefs->GetInt(3062), 100);
    EXPECT_EQ(m_prefs->GetInt(3065), 75);

    MakePage();
    m_view.show();
    m_mgr->ShowFrame(FrameShow::Show);
    QApplication::processEvents();
    EXPECT_EQ(Frame()->Content()->TreeSplitter()->sizes().value(0), 100);
    m_prefs->ToggleFlag(kPrefLargeScreen);
    m_mgr->ApplyScreenArrangement();
    QApplication::processEvents();
    EXPECT_EQ(Frame()->Content()->RowSplitter()->sizes().value(0), 75);
}

TEST_F(LayoutsPageTest, RowBalanceKeepsBothRowsAndAsksForOneRearrangementAtMost)
{
    MakePage();
    m_view.show();
    m_mgr->ShowFrame(FrameShow::Show);
    QSplitter* rows = Frame()->Content()->RowSplitter();
    // A diagram row squeezed below 75 takes height from the take-off band
    // as soon as the diagram window reports its new size.
    const int space = rows->height() - rows->handleWidth();
    rows->setSizes({ space - 40, 40 });
    EXPECT_EQ(rows->sizes().value(1), 75);
    EXPECT_GE(rows->sizes().value(0), 75);
    EXPECT_TRUE(Frame()->BalanceRows());

    // A page too small for two rows of 75: the balance fails for good, and
    // the page is arranged anew once, not over and over.
    int arrangements = 0;
    const std::shared_ptr<ThumbnailsZone> first = Frame()->GetThumbnailsZone();
    std::shared_ptr<ThumbnailsZone> last = first;
    m_owner.page.setHeight(Frame()->ToolBar()->height() + 120);
    m_mgr->ResizeFrame();
    for (int i = 0; i < 6; ++i) {
        // The diagram window reports its size after every arrangement.
        m_mgr->OnMainDiagramResized();
        QApplication::processEvents();
        if (Frame()->GetThumbnailsZone() != last) {
            ++arrangements;
            last = Frame()->GetThumbnailsZone();
        }
    }
    EXPECT_LE(arrangements, 1);
}

TEST_F(LayoutsPageTest, AnUnbalancedPageIsRearrangedOnceForTheSameSize)
{
    UnbalancedFrameFactory factory;
    LayoutsViewMgr mgr(&m_owner, m_doc.get(), factory);
    for (int i = 0; i < 3; ++i)
        mgr.OnMainDiagramResized();
    EXPECT_EQ(factory.frame.posts, 1);
    // Another size may try again, once.
    m_owner.page.setHeight(m_owner.page.height() - 10);
    mgr.ResizeFrame();
    mgr.OnMainDiagramResized();
    mgr.OnMainDiagramResized();
    EXPECT_EQ(factory.frame.posts, 2);
}

TEST_F(LayoutsPageTest, TheFramesOwnCaptureReleaseCancelsNothing)
{
    MakePage();
    m_view.show();
    m_mgr->ShowFrame(FrameShow::Show);
    TakeOffSelection armed;
    armed.dragArmed = true;
    m_mgr->OnTakeOffSelectionChanged(armed, SelectionSource::TakeOffList);
    Frame()->CaptureMouse();
    EXPECT_EQ(QWidget::mouseGrabber(), Frame());
    Frame()->ReleaseMouse();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_TRUE(m_mgr->GetTakeOffSelection().dragArmed);
    // A capture taken away by someone else cancels.
    QEvent lost(QEvent::UngrabMouse);
    QCoreApplication::sendEvent(Frame(), &lost);
    EXPECT_FALSE(m_mgr->GetTakeOffSelection().dragArmed);
}

TEST_F(LayoutsPageTest, EditsWhileHiddenRefreshOnceWhenShownThroughTheRealDialog)
{
    Append(m_oak, 24, 48, 3, QStringLiteral("Door"));
    MakePage();
    m_view.show();
    const int rebuilds = m_factory.thumbnails->rebuilds;
    for (int i = 0; i < 3; ++i) {
        Append(m_ash, 10 + i, 20, 2, QStringLiteral("Shelf"));
        m_mgr->OnDocumentUpdate(PartsHint(), 0);
    }
    EXPECT_EQ(m_dialogs, 0);
    EXPECT_EQ(m_factory.thumbnails->rebuilds, rebuilds);
    EXPECT_FALSE(Frame()->isVisible());

    m_mgr->ShowFrame(FrameShow::Show);
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_EQ(m_dialogs, 1);
    EXPECT_TRUE(m_doc->IsFullyOptimized());
    // Every pane once: the tree chose a target, the thumbnails its diagrams.
    EXPECT_EQ(m_factory.thumbnails->rebuilds, rebuilds + 1);
    EXPECT_EQ(m_mgr->GetState().selection.level, 3);
    ASSERT_TRUE(m_mgr->GetCurrentDiagram());
    EXPECT_EQ(m_mgr->GetCurrentDiagramIndex(), 0);
    EXPECT_GT(m_mgr->GetDiagramCount(), 0);
    EXPECT_EQ(m_mgr->GetState().paneFlags, 0u);
    // The shown diagram's style is on the "Style" button.
    const int style = m_mgr->GetCurrentDiagram()->GetStack()->GetCurrentGeoStyle();
    EXPECT_EQ(Frame()->StyleButton()->icon().pixmap(24).toImage(),
        MakeLayoutsCommandIcon(LayoutStyleCommandId(style)).pixmap(24).toImage());
    // Nothing pending: showing again runs nothing.
    m_mgr->ShowFrame(FrameShow::Show);
    EXPECT_EQ(m_dialogs, 1);
    EXPECT_EQ(m_factory.thumbnails->rebuilds, rebuilds + 1);
}

TEST_F(LayoutsPageTest, ACancelledRunLeavesThePanesEmptyAndTheNextShowingRetries)
{
    Append(m_oak, 24, 48, 3, QStringLiteral("Door"));
    MakePage();
    m_view.show();
    UseCancellingDialog();
    m_mgr->ShowFrame(FrameShow::Show);
    EXPECT_EQ(m_dialogs, 1);
    EXPECT_FALSE(m_doc->IsFullyOptimized());
    EXPECT_FALSE(m_mgr->GetCurrentDiagram());
    EXPECT_EQ(m_mgr->GetDiagramCount(), 0);
    EXPECT_EQ(m_mgr->GetState().paneFlags, PaneRefresh::All);

    m_mgr->ShowFrame(FrameShow::Hide);
    UseRealDialog();
    m_mgr->ShowFrame(FrameShow::Show);
    EXPECT_EQ(m_dialogs, 2);
    EXPECT_TRUE(m_doc->IsFullyOptimized());
    EXPECT_TRUE(m_mgr->GetCurrentDiagram());
    EXPECT_EQ(m_mgr->GetState().paneFlags, 0u);
}

TEST_F(LayoutsPageTest, AHintDuringThePagesOwnRunOnlyLeavesItsFlags)
{
    ShowOptimizedPage();
    const int rebuilds = m_factory.thumbnails->rebuilds;
    Append(m_ash, 12, 30, 1, QStringLiteral("Side"));
    // While the progress dialog runs, the document reports another edit.
    bool delivered = false;
    QTimer::singleShot(0, [&] {
        m_mgr->OnDocumentUpdate(PartsHint(), 0);
        delivered = true;
    });
    m_mgr->OnDocumentUpdate(PartsHint(), 0);
    EXPECT_TRUE(delivered);
    EXPECT_EQ(m_nestedRuns, 0);
    EXPECT_TRUE(m_doc->IsFullyOptimized());
    EXPECT_EQ(m_factory.thumbnails->rebuilds, rebuilds + 1);
    EXPECT_EQ(m_mgr->GetState().paneFlags, 0u);
}

TEST(LayoutsHintMapping, DetailAndExtraMasksBecomeRefreshFlags)
{
    const struct
    {
        const char* name;
        std::uint64_t detail;
        std::uint64_t extra;
        bool full;
        int source;
        int takeOffMode;
        std::uint32_t pane;
        std::uint32_t list;
    } cases[] = {
        { "all ones while out of date", ~0ull, 0, true, 0, 0, PaneRefresh::All, PaneRefresh::All },
        { "thumbnail picked, list of the diagram", 0, 0x2, false, 2, 1, 0xC, 0x2 },
        { "thumbnail picked, list of the thickness", 0, 0x2, false, 2, 0, 0x4, 0x2 },
        { "thumbnail picked, unplaced list", 0, 0x2, false, 2, 2, 0x4, 0x2 },
        { "take-off pick in the list", 0, 0x4, false, 8, 0, 0x4, 0x2 },
        { "take-off pick by the view manager", 0, 0x4, false, 4, 0, 0x4, 0xA },
        { "tree pick", 0, 0x1, false, 1, 0, 0x2, 0 },
        { "arrangement rebuilt", 0x1, 0, false, 0, 0, 0x1, 0 },
        { "take-off mode changed", 0x800, 0, false, 0, 0, 0x8, 0x2 },
        { "style changed in mode 1", 0x4000, 0, false, 0, 1, 0xC, 0x2 },
        { "grain toggled", 0x2000, 0, false, 0, 0, 0x4, 0x2 },
        { "tree items renamed", 0xC0, 0, false, 0, 0, 0x4, 0xB },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LayoutsViewState state;
        UpdateHint hint(0, 0);
        hint.AddDetailFlags(c.detail);
        hint.AddExtraFlags(c.extra);
        MapHint(state, hint, c.full, c.source, c.takeOffMode);
        EXPECT_EQ(state.paneFlags, c.pane);
        EXPECT_EQ(state.listFlags, c.list);
        EXPECT_EQ(state.extraFlags, c.extra);
        EXPECT_EQ(state.source, static_cast<std::uint32_t>(c.source));
    }
}

TEST_F(LayoutsPageTest, TheTakeOffListFollowsOnlyWhatConcernsIt)
{
    m_prefs->SetFlag(2034, false); // every sheet its own thumbnail
    Append(m_oak, 40, 90, 3, QStringLiteral("Top"));
    MakePage();
    m_view.show();
    m_mgr->ShowFrame(FrameShow::Show);
    ASSERT_GE(m_mgr->GetDiagramCount(), 2);
    CountingTakeOffMgr& list = *m_factory.takeOff;
    for (const int mode : { 0, 1, 2 }) {
        SCOPED_TRACE(mode);
        m_prefs->SetInt(kPrefTakeOffMode, mode);
        const int refreshes = list.refreshes;
        const int other = m_mgr->GetCurrentDiagramIndex() == 0 ? 1 : 0;
        m_mgr->OnThumbnailSelected({ m_mgr->GetThumbnailsMgr()->GetDiagram(other), other });
        EXPECT_EQ(m_mgr->GetCurrentDiagramIndex(), other);
        EXPECT_EQ(list.refreshes - refreshes, mode == 1 ? 1 : 0);
    }
    // A pick made in the list is not selected there again; the same pick
    // made by the view manager is.
    TakeOffSelection picked;
    picked.part = m_doc->GetPartsContainer().front();
    const int selects = list.selects;
    m_mgr->OnTakeOffSelectionChanged(picked, SelectionSource::TakeOffList);
    EXPECT_EQ(list.selects, selects);
    m_mgr->OnTakeOffSelectionChanged(picked, SelectionSource::ViewManager);
    EXPECT_EQ(list.selects, selects + 1);
}

// The page shown for the first time with each take-off list kind.
class TakeOffColumnsPageTest : public LayoutsPageTest, public ::testing::WithParamInterface<int>
{
protected:
    // The headings the take-off grid shows, left to right.
    std::string Headings() const
    {
        CUGRowMode& grid = *Frame()->GetTakeOffGrid();
        QStringList texts;
        for (int column = 0; column < grid.GetColumnCount(); ++column)
            texts << grid.GetCellText(column, -1);
        return texts.join(QStringLiteral(" | ")).toStdString();
    }
};

TEST_P(TakeOffColumnsPageTest, TheListShowsTheColumnsOfItsKindFromTheFirstShowAndAfterAResize)
{
    const char* const expected[] = {
        "Part # | Description | Copies Placed | Width | Length | <Info> | Diagram #s",
        "Part # | Description | Copies in Layout | Y | X | <Info>",
        "Part # | Description | Unplaced Copies | Width | Length | Reason Skipped | <Info>",
    };
    const int kind = GetParam();
    m_prefs->SetInt(kPrefTakeOffMode, kind);
    Append(m_oak, 10, 20, 2, QStringLiteral("Shelf"));
    // Fits no sheet: the unplaced list has a row.
    Append(m_oak, 60, 100, 1, QStringLiteral("Top"));
    MakePage();
    m_view.show();
    m_mgr->ShowFrame(FrameShow::Show);
    QApplication::processEvents();
    EXPECT_EQ(Headings(), expected[kind]);

    // A page too low for two rows is arranged anew, with a new grid.
    const std::shared_ptr<CUGRowMode> first = Frame()->GetTakeOffGrid();
    m_owner.page.setHeight(Frame()->ToolBar()->height() + 120);
    m_mgr->ResizeFrame();
    m_mgr->OnMainDiagramResized();
    QApplication::processEvents();
    ASSERT_NE(Frame()->GetTakeOffGrid(), first);
    EXPECT_EQ(Headings(), expected[kind]);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, TakeOffColumnsPageTest, ::testing::Values(0, 1, 2));

// Diagrams made by hand: seven sheets of Oak, the door on sheets 2, 5 and 7.
class LayoutsJumpTest : public LayoutsPageTest
{
protected:
    void SetUp() override
    {
        LayoutsPageTest::SetUp();
        m_side = Append(m_oak, 5, 5, 1, QStringLiteral("Side"));
        ShowOptimizedPage();
        m_target = Join(m_door);
        ASSERT_TRUE(m_target);
        StackList stacks;
        for (int number = 1; number <= 7; ++number) {
            std::vector<CMilledPart*> parts { m_shelf };
            if (number == 2 || number == 5 || number == 7)
                parts.push_back(m_door);
            stacks.push_back(StackFor(m_target, parts, 1));
        }
        m_results = ResultsFor(m_target, stacks);
        GetDiagramIndex().ClearDiagrams();
        GetDiagramIndex().AssignTargetLetters({ m_target });
        GetDiagramIndex().AddTargetResults(m_target, stacks);
        m_mgr->OnTreeSelectionChanged({ 3, m_results, m_target->GetMaterial(), m_target });
        ASSERT_EQ(m_mgr->GetDiagramCount(), 7);
    }

    void ShowIndex(int index)
    {
        m_mgr->OnThumbnailSelected({ m_mgr->GetThumbnailsMgr()->GetDiagram(index), index });
    }

    void Select(CMilledPart* part)
    {
        TakeOffSelection picked;
        picked.part = part;
        m_mgr->OnTakeOffSelectionChanged(picked, SelectionSource::TakeOffList);
    }

    OptimizationTargetPtr m_target;
    OptimizationResultsPtr m_results;
    CMilledPart* m_side = nullptr;
};

TEST_F(LayoutsJumpTest, JumpGoesToTheNextDiagramWithThePartAndWraps)
{
    Select(m_door);
    ASSERT_TRUE(m_mgr->HasSelectedPart());
    // The numbers the user reads for the door (the thumbnails' order).
    std::vector<int> numbers
        = GetDiagramIndex().GetPartDiagramNumbers(*GetDiagramIndex().FindPartEntry(m_door));
    std::sort(numbers.begin(), numbers.end());
    ASSERT_EQ(numbers.size(), 3u);
    ShowIndex(numbers[1] - 1);
    m_mgr->JumpToNextDiagramWithPart();
    EXPECT_EQ(m_mgr->GetCurrentDiagramIndex(), numbers[2] - 1);
    EXPECT_EQ(m_mgr->GetCurrentDiagram(), m_mgr->GetThumbnailsMgr()->GetDiagram(numbers[2] - 1));
    m_mgr->JumpToNextDiagramWithPart();
    EXPECT_EQ(m_mgr->GetCurrentDiagramIndex(), numbers[0] - 1);
    m_mgr->JumpToNextDiagramWithPart();
    EXPECT_EQ(m_mgr->GetCurrentDiagramIndex(), numbers[1] - 1);
    // Between two of them, the next one.
    if (numbers[1] - numbers[0] > 1) {
        ShowIndex(numbers[0]);
        m_mgr->JumpToNextDiagramWithPart();
        EXPECT_EQ(m_mgr->GetCurrentDiagramIndex(), numbers[1] - 1);
    }
}

TEST_F(LayoutsJumpTest, APartOnlyOnTheShownDiagramStaysAndSteppingStopsAtBothEnds)
{
    // A sheet of its own for the side.
    StackList stacks = m_results->GetStacks();
    auto lone = StackFor(m_target, { m_side }, 1);
    GetDiagramIndex().AddTargetResults(m_target, { lone });
    m_results = ResultsFor(m_target, { lone });
    m_mgr->OnTreeSelectionChanged({ 3, m_results, m_target->GetMaterial(), m_target });
    ASSERT_EQ(m_mgr->GetDiagramCount(), 1);
    Select(m_side);
    const DisplayDiagramPtr shown = m_mgr->GetCurrentDiagram();
    m_mgr->JumpToNextDiagramWithPart();
    EXPECT_EQ(m_mgr->GetCurrentDiagramIndex(), 0);
    EXPECT_EQ(m_mgr->GetCurrentDiagram(), shown);

    // Seven sheets again: the spin control steps between the ends.
    GetDiagramIndex().AddTargetResults(m_target, stacks);
    m_results = ResultsFor(m_target, stacks);
    m_mgr->OnTreeSelectionChanged({ 3, m_results, m_target->GetMaterial(), m_target });
    ASSERT_EQ(m_mgr->GetCurrentDiagramIndex(), 0);
    m_mgr->StepDiagram(1); // back from the first: nothing
    EXPECT_EQ(m_mgr->GetCurrentDiagramIndex(), 0);
    m_mgr->StepDiagram(-1);
    EXPECT_EQ(m_mgr->GetCurrentDiagramIndex(), 1);
    m_mgr->StepDiagram(1);
    EXPECT_EQ(m_mgr->GetCurrentDiagramIndex(), 0);
    ShowIndex(6);
    m_mgr->StepDiagram(-1); // on from the last: nothing
    EXPECT_EQ(m_mgr->GetCurrentDiagramIndex(), 6);
    EXPECT_EQ(m_mgr->GetCurrentDiagram(), m_mgr->GetThumbnailsMgr()->GetDiagram(6));
}

TEST_F(LayoutsPageTest, EachToggleWritesItsPreferenceAtOnce)
{
    ShowOptimizedPage();
    const struct
    {
        int id;
        int pref;
    } toggles[] = { { 32873, 2028 }, { 32874, 2027 }, { 32875, 2108 }, { 32912, 2106 }, { 32877, 2029 },
        { 32890, 2093 }, { 32878, 2034 } };
    for (const auto& t : toggles) {
        SCOPED_TRACE(t.id);
        const bool before = m_prefs->GetFlag(t.pref);
        ASSERT_TRUE(Frame()->Commands().Trigger(t.id));
        EXPECT_EQ(m_prefs->GetFlag(t.pref), !before);
        EXPECT_EQ(Frame()->Commands().Find(t.id)->isChecked(), !before);
        // In the file already.
        CUserPrefs reread;
        reread.Init(m_prefsFolder.path(), m_prefsFolder.path());
        EXPECT_EQ(reread.GetFlag(t.pref), !before);
    }
    ASSERT_TRUE(Frame()->Commands().Trigger(LayoutsCmd::OptimizationSettings));
    EXPECT_TRUE(m_owner.calls.contains(QStringLiteral("settings 3")));
}

TEST_F(LayoutsPageTest, StylesAppliedFromBothMenusAndManualEditRunsItsCommand)
{
    ShowOptimizedPage();
    const DisplayDiagramPtr diagram = m_mgr->GetCurrentDiagram();
    const int style = diagram->GetStack()->GetCurrentGeoStyle();
    const int shownId = LayoutStyleCommandId(style);
    Frame()->UpdateCommandStates();
    EXPECT_TRUE(Frame()->Commands().Find(shownId)->isChecked());
    EXPECT_TRUE(Frame()->Commands().Find(LayoutsCmd::StyleManualEdit)->isEnabled());

    // The style the diagram already has runs nothing.
    const int rebuilds = m_factory.thumbnails->rebuilds;
    const int updates = m_factory.mainDiagram->updates;
    m_owner.calls.clear();
    ASSERT_TRUE(Frame()->Commands().Trigger(shownId));
    EXPECT_FALSE(GetCmdHistory()->CanUndo());
    EXPECT_TRUE(m_owner.calls.isEmpty());
    EXPECT_EQ(m_factory.mainDiagram->updates, updates);
    EXPECT_EQ(m_factory.thumbnails->rebuilds, rebuilds);

    // Manual Edit from the context menu of the shown diagram: the preparing
    // command runs through the history, and the "Style" button follows.
    m_mgr->ShowCurrentDiagramContextMenu(QPoint(10, 10));
    ASSERT_TRUE(Frame()->ActivePopup());
    EXPECT_EQ(Frame()->ActivePopup()->actions().size(), 6);
    Frame()->ActivePopup()->close();
    ASSERT_TRUE(Frame()->Commands().Trigger(LayoutsCmd::ContextManualEdit));
    EXPECT_TRUE(GetCmdHistory()->CanUndo());
    EXPECT_EQ(diagram->GetStack()->GetCurrentGeoStyle(), 5);
    // The command's hint reaches the page as the document's.
    m_mgr->OnDocumentUpdate(UpdateHint(0, UpdateMask::Detail4000), 0);
    EXPECT_EQ(m_mgr->GetCurrentDiagram()->GetStack()->GetCurrentGeoStyle(), 5);
    EXPECT_EQ(Frame()->StyleButton()->icon().pixmap(24).toImage(),
        MakeLayoutsCommandIcon(LayoutsCmd::StyleManualEdit).pixmap(24).toImage());
    EXPECT_TRUE(m_owner.calls.contains(QStringLiteral("results")));
    HistoryUndo();
    EXPECT_NE(diagram->GetStack()->GetCurrentGeoStyle(), 5);
    // An id outside the table does nothing.
    m_mgr->ApplyLayoutStyleCommand(241);
    EXPECT_FALSE(m_mgr->CanApplyLayoutStyle(241));
}

TEST_F(LayoutsPageTest, PinToggleAndPinAllPerTreeLevelUndoAndRedo)
{
    ShowOptimizedPage();
    const DisplayDiagramPtr diagram = m_mgr->GetCurrentDiagram();
    ASSERT_TRUE(Frame()->Commands().Trigger(LayoutsCmd::PinDiagram));
    EXPECT_TRUE(m_owner.calls.contains(QStringLiteral("finish")));
    EXPECT_TRUE(m_mgr->IsCurrentDiagramPinned());
    EXPECT_TRUE(Frame()->Commands().Find(LayoutsCmd::PinDiagram)->isChecked());
    HistoryUndo();
    EXPECT_FALSE(m_mgr->IsCurrentDiagramPinned());
    HistoryRedo();
    EXPECT_TRUE(m_mgr->IsCurrentDiagramPinned());
    HistoryUndo();

    auto pinnedCount = [](const StackList& stacks) {
        return std::count_if(stacks.begin(), stacks.end(), [](const StackPtr& s) { return s->IsPinned(); });
    };
    StackList all;
    m_doc->GetBOMOptMgr()->GetAllDiagrams(all);
    // The target item picked in the tree: Pin All and Unpin All of its diagrams.
    const std::shared_ptr<ITreeCtrl> tree = Frame()->GetTreeCtrl();
    const TreeItemHandle material = tree->GetChildItem(tree->GetChildItem(TreeCtrl::Root));
    tree->SelectItem(tree->GetChildItem(material), TreeCtrl::Caret);
    const LayoutsSelection& selection = m_mgr->GetState().selection;
    ASSERT_EQ(selection.level, 3);
    const StackList expected = selection.results->GetStacks();
    ASSERT_FALSE(expected.empty());
    const long count = static_cast<long>(expected.size());
    m_mgr->SendFrameCommand(LayoutsTreeCommand::PinAll);
    EXPECT_EQ(pinnedCount(expected), count);
    EXPECT_EQ(pinnedCount(all), count);
    HistoryUndo();
    EXPECT_EQ(pinnedCount(all), 0);
    HistoryRedo();
    EXPECT_EQ(pinnedCount(all), count);
    m_mgr->SendFrameCommand(LayoutsTreeCommand::UnpinAll);
    EXPECT_EQ(pinnedCount(all), 0);
    HistoryUndo();
    EXPECT_EQ(pinnedCount(all), count);
    HistoryRedo();
    EXPECT_EQ(pinnedCount(all), 0);
}

// Pin All and Unpin All from the tree's context menu at each level: the
// root works on every diagram of the project, a material item on the
// diagrams of that material, a target item on its own. Each is done, undone
// and redone over the document's own stacks.
TEST_F(LayoutsPageTest, PinAllAndUnpinAllPerTreeLevelOverTheProjectsDiagrams)
{
    ShowOptimizedPage();
    auto materialName = [](const StackPtr& stack) {
        const IMaterialData* data = stack->GetStockSpec().material->AsMaterialData();
        return data ? data->GetName() : QString();
    };
    // The tree is rebuilt after each command: its items are looked up afresh.
    const std::shared_ptr<ITreeCtrl> tree = Frame()->GetTreeCtrl();
    auto select = [&tree](int level) {
        const TreeItemHandle root = tree->GetChildItem(TreeCtrl::Root);
        const TreeItemHandle material = tree->GetChildItem(root);
        tree->SelectItem(level == 1 ? root
                : level == 2        ? material
                                    : tree->GetChildItem(material),
            TreeCtrl::Caret);
    };
    select(2);
    const QString firstMaterialName = tree->GetSelectedItemText();

    struct Case
    {
        const char* name;
        int level;
    };
    const Case cases[] = { { "root", 1 }, { "material", 2 }, { "target", 3 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        select(c.level);
        const LayoutsSelection selection = m_mgr->GetState().selection;
        ASSERT_EQ(selection.level, c.level);
        const OptimizationTargetPtr target = selection.target;
        // What the level covers, among the project's diagrams as they are now.
        auto covers = [&](const StackPtr& stack) {
            return c.level == 1 || (c.level == 2 && materialName(stack) == firstMaterialName)
                || (c.level == 3 && GetDiagramIndex().GetStackTarget(stack) == target);
        };
        // Each step's hint reaches the page as the document's would: after an
        // unpin the page optimizes the unpinned targets again at once.
        auto expectPinned = [&](bool pinnedWhereCovered, const char* step) {
            SCOPED_TRACE(step);
            m_mgr->OnDocumentUpdate(UpdateHint(UpdateMask::Change0001, UpdateMask::Detail0001), 0);
            ASSERT_TRUE(m_doc->IsFullyOptimized());
            StackList all;
            m_doc->GetBOMOptMgr()->GetAllDiagrams(all);
            std::size_t pinned = 0;
            std::size_t covered = 0;
            for (std::size_t i = 0; i < all.size(); ++i) {
                covered += covers(all[i]) ? 1 : 0;
                EXPECT_EQ(all[i]->IsPinned(), pinnedWhereCovered && covers(all[i])) << "stack " << i;
                pinned += all[i]->IsPinned() ? 1 : 0;
            }
            // Two materials: a material or a target leaves diagrams out.
            EXPECT_NE(covered, 0u);
            EXPECT_EQ(covered == all.size(), c.level == 1);
            // The targets' pinned lists hold the pinned diagrams and no others.
            StackList listed;
            m_doc->GetBOMOptMgr()->GetAllPinnedStacks(listed);
            EXPECT_EQ(listed.size(), pinned);
            for (const StackPtr& stack : listed)
                EXPECT_NE(std::find(all.begin(), all.end(), stack), all.end());
        };
        expectPinned(false, "before");
        m_mgr->SendFrameCommand(LayoutsTreeCommand::PinAll);
        expectPinned(true, "pin all");
        HistoryUndo();
        expectPinned(false, "pin all undone");
        HistoryRedo();
        expectPinned(true, "pin all redone");
        select(c.level);
        ASSERT_EQ(m_mgr->GetState().selection.level, c.level);
        m_mgr->SendFrameCommand(LayoutsTreeCommand::UnpinAll);
        expectPinned(false, "unpin all");
        HistoryUndo();
        expectPinned(true, "unpin all undone");
        HistoryRedo();
        expectPinned(false, "unpin all redone");
    }
}

// A click in the tree while the results are out of date (an Unpin All whose
// hint has not arrived yet) makes the page optimize and rebuild the tree
// from inside the selection change: the click ends on the item picked.
TEST_F(LayoutsPageTest, PickingATreeItemThatRebuildsTheTreeKeepsThePick)
{
    ShowOptimizedPage();
    const std::shared_ptr<ITreeCtrl> tree = Frame()->GetTreeCtrl();
    const TreeItemHandle root = tree->GetChildItem(TreeCtrl::Root);
    tree->SelectItem(root, TreeCtrl::Caret);
    m_mgr->SendFrameCommand(LayoutsTreeCommand::PinAll);
    m_mgr->SendFrameCommand(LayoutsTreeCommand::UnpinAll);
    ASSERT_FALSE(m_doc->IsFullyOptimized());
    const TreeItemHandle target = tree->GetChildItem(tree->GetChildItem(root));
    tree->SelectItem(target, TreeCtrl::Caret);
    const QString picked = tree->GetSelectedItemText();
    EXPECT_TRUE(m_doc->IsFullyOptimized());
    EXPECT_EQ(m_mgr->GetState().selection.level, 3);
    EXPECT_NE(tree->GetSelectedItem(), target) << "the tree was rebuilt";
    EXPECT_FALSE(picked.isEmpty());
    tree->SelectItem(
        tree->GetChildItem(tree->GetChildItem(tree->GetChildItem(TreeCtrl::Root))), TreeCtrl::Caret);
    EXPECT_EQ(tree->GetSelectedItemText(), picked);
}

TEST_F(LayoutsPageTest, ThePageSelectionDropsAPartThatLeftTheDocument)
{
    ShowOptimizedPage();
    TakeOffSelection picked;
    picked.part = m_door;
    m_mgr->OnTakeOffSelectionChanged(picked, SelectionSource::TakeOffList);
    ASSERT_TRUE(m_mgr->HasSelectedPart());
    // The part leaves the list (its delete command keeps it for undo).
    m_doc->RemovePart(m_door);
    std::unique_ptr<CMilledPart> removed(m_door);
    EXPECT_FALSE(m_mgr->HasSelectedPart());
    m_mgr->JumpToNextDiagramWithPart(); // nothing to jump for
    m_mgr->OnDocumentUpdate(PartsHint(), 0);
    EXPECT_NE(m_mgr->GetTakeOffSelection().part, m_door);
}

TEST_F(LayoutsPageTest, ShowDiagramForPartShowsWhatExists)
{
    ShowOptimizedPage();
    m_mgr->ShowFrame(FrameShow::Hide);
    // Placed: its target and its first diagram.
    m_mgr->ShowDiagramForPart(m_shelf);
    m_mgr->ShowFrame(FrameShow::Show);
    EXPECT_EQ(m_mgr->GetState().selection.target, GetDiagramIndex().FindPartTarget(m_shelf));
    ASSERT_TRUE(m_mgr->GetCurrentDiagram());
    EXPECT_EQ(m_mgr->GetTakeOffSelection().part, m_shelf);

    // Without a target (nothing optimized for it yet) and without a diagram.
    m_mgr->ShowFrame(FrameShow::Hide);
    CMilledPart* loose = Append(m_oak, 4, 4, 1, QStringLiteral("Loose"));
    GetDiagramIndex().ClearDiagrams();
    ASSERT_FALSE(GetDiagramIndex().FindPartTarget(loose));
    m_mgr->ShowDiagramForPart(loose);
    EXPECT_EQ(m_mgr->GetState().selection.level, 0);
    EXPECT_FALSE(m_mgr->GetCurrentDiagram());
    m_mgr->ShowFrame(FrameShow::Show);
    EXPECT_TRUE(m_doc->IsFullyOptimized());
}

} // namespace
