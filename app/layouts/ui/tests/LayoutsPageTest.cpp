// The layouts page offscreen over a real project document: the frame and its
// two arrangements, the view manager's refresh path through the document's
// optimization and the real progress dialog, its commands and hints.
#include "ProjectDocumentFixture.h"

#include "document/DocumentStrings.h"
#include "foundation/CUserPrefs.h"
#include "foundation/TCPResource.h"
#include "layouts/LayoutsStrings.h"
#include "layouts/ui/ILayoutsViewOwner.h"
#include "layouts/ui/InteractiveDiagramWnd.h"
#include "layouts/ui/LayoutsCommands.h"
#include "layouts/ui/LayoutsFrame.h"
#include "layouts/ui/LayoutsFrameFactory.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "layouts/ui/MainDiagramViewMgr.h"
#include "layouts/ui/ThumbnailsZone.h"
#include "layouts/ui/ThumbnailsZoneMgr.h"
#include "optimization/DiagramIndex.h"
#include "optimization/RunProgressDialog.h"
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
    void OpenProjectSettings(int page) override { calls << QStringLiteral("settings %1").arg(page); }
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
        ++rebuilds;
        ThumbnailsZoneMgr::SetDiagrams(out, stacks, preferred, kind);
    }
    void Clear() override
    {
        ++clears;
        ThumbnailsZoneMgr::Clear();
    }
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

class CountingFactory : public RealLayoutsFrameFactory
{
public:
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

class LayoutsPageTest : public ProjectDocumentTest
{
protected:
    void SetUp() override
    {
        ProjectDocumentTest::SetUp();
        InitUIStrings(m_strings.path(),
            { FoundationStringResources(), ModelStringResources(), OptimizationStringResources(),
                DocumentStringResources(), LayoutsStringResources() });
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
    EXPECT_EQ(frame->StyleButton()->menu()->actions().size(), 6);
    EXPECT_EQ(
        frame->Commands().Find(LayoutsCmd::Stretch)->statusTip(), QStringLiteral("Stretch narrow layouts"));
}

} // namespace
