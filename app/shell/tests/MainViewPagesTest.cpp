// The main view's pages over a small project: what each page shows, the Raw
// Materials page's geometry in both arrangements and its divider drag, the
// update bits reaching the page managers, and the grid state file.
#include "ShellTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/CMainTab.h"
#include "shell/GridStateFile.h"
#include "shell/RawMaterialsLayout.h"
#include "foundation/ui/SmallControls.h"
#include "shell/ViewMgr.h"

#include "document/CKWLDoc.h"
#include "foundation/ArchiveWrapper.h"
#include "foundation/CUserPrefs.h"
#include "foundation/CmdHistory.h"
#include "foundation/UpdateHint.h"
#include "foundation/UserPrefsBase.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/CKerfwellGDM.h"
#include "grids/CSGSCGDM.h"
#include "grids/IMatInfoCtrl.h"
#include "grids/MatInfoPresenter.h"
#include "grids/PartsGridColumns.h"
#include "grids/RMTree.h"
#include "model/CMaterials.h"
#include "model/CMilledPart.h"
#include "model/CSheetGoodEx.h"
#include "model/SheetGoodSizeCost.h"

#include <platform/ArchiveError.h>

#include <FileSizeLimit.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kPrefLargeScreen = 2082;

QByteArray ReadPrefs(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WritePrefs(const QString& path, const QByteArray& text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text);
}

int GridlinesLines(const QByteArray& text)
{
    int count = 0;
    for (const QByteArray& line : text.split('\n'))
        count += line.startsWith("Gridlines=");
    return count;
}

// ---- Raw Materials geometry -------------------------------------------------

TEST(RawMaterialsLayoutTest, TheGeometryTableHolds)
{
    struct Case
    {
        const char* name;
        QRect page;
        int divider;
        bool large;
        QRect expectDivider;
        QRect expectTree;
        QPoint expectStrip;
        QRect expectGrid;
    };
    // Page (5, 43) to (805, 543); the strip is 386 wide.
    const QRect page(5, 43, 800, 500);
    const Case cases[] = {
        { "no stored position: the least tree height", page, -1, false, QRect(5, 205, 798, 8),
            QRect(5, 43, 230, 160), QPoint(241, 43), QRect(5, 215, 800, 328) },
        { "a position inside the band", page, 300, false, QRect(5, 300, 798, 8), QRect(5, 43, 230, 255),
            QPoint(241, 43), QRect(5, 310, 800, 233) },
        { "a position below the band is lowered", page, 10000, false, QRect(5, 483, 798, 8),
            QRect(5, 43, 230, 438), QPoint(241, 43), QRect(5, 493, 800, 50) },
        { "a wide page widens the tree", QRect(5, 43, 1400, 500), -1, false, QRect(5, 205, 1398, 8),
            QRect(5, 43, 614, 160), QPoint(625, 43), QRect(5, 215, 1400, 328) },
        { "large screen: tree beside the strip and grid", page, 300, true, QRect(237, 205, 566, 8),
            QRect(5, 43, 230, 500), QPoint(241, 43), QRect(241, 215, 564, 328) },
        { "a window too short: zero grid height", QRect(5, 43, 800, 100), -1, false, QRect(5, 205, 798, 8),
            QRect(5, 43, 230, 160), QPoint(241, 43), QRect(5, 215, 800, 0) },
        { "an empty page: zero tree height", QRect(5, 43, 800, 0), 500, false, QRect(5, -17, 798, 8),
            QRect(5, 43, 230, 0), QPoint(241, 43), QRect(5, -7, 800, 50) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RawMaterialsLayout layout = ComputeRawMaterialsLayout(c.page, c.divider, c.large, 386);
        EXPECT_EQ(layout.divider, c.expectDivider);
        EXPECT_EQ(layout.tree, c.expectTree);
        EXPECT_EQ(layout.stripTopLeft, c.expectStrip);
        EXPECT_EQ(layout.grid, c.expectGrid);
        for (const QRect& box : { layout.divider, layout.tree, layout.grid }) {
            EXPECT_GE(box.width(), 0);
            EXPECT_GE(box.height(), 0);
        }
    }
}

TEST(RawMaterialsLayoutTest, DragSequencesMoveTheDividerInsideTheBandOnly)
{
    const QRect page(5, 43, 800, 500); // band 205 .. 483
    const QRect bar(5, 300, 798, 8);
    struct Step
    {
        char kind; // p press, m move, r release
        int y;
        std::optional<int> expect;
    };
    struct Case
    {
        const char* name;
        bool enabled;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        // The bar stays where it is, whatever was dragged before in this process.
        { "a click without a move", true, { { 'p', 303, std::nullopt }, { 'r', 0, 300 } } },
        { "moves inside the band", true,
            { { 'p', 303, std::nullopt }, { 'm', 250, 250 }, { 'm', 400, 400 }, { 'r', 0, 400 } } },
        { "above and below the band keep the last y", true,
            { { 'p', 303, std::nullopt }, { 'm', 260, 260 }, { 'm', 100, 260 }, { 'm', 520, 260 },
                { 'r', 0, 260 } } },
        { "the band's ends are accepted", true,
            { { 'p', 303, std::nullopt }, { 'm', 205, 205 }, { 'm', 483, 483 }, { 'r', 0, 483 } } },
        { "large screen: no drag", false,
            { { 'p', 303, std::nullopt }, { 'm', 250, std::nullopt }, { 'r', 0, std::nullopt } } },
        { "a press beside the bar: no drag", true,
            { { 'p', 320, std::nullopt }, { 'm', 250, std::nullopt }, { 'r', 0, std::nullopt } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DividerDrag drag;
        for (const Step& step : c.steps) {
            if (step.kind == 'p') {
                drag.Press(QPoint(100, step.y), bar, c.enabled);
            } else if (step.kind == 'm') {
                EXPECT_EQ(drag.Move(step.y, page), step.expect);
            } else {
                EXPECT_EQ(drag.Release(), step.expect);
                EXPECT_FALSE(drag.IsDragging());
            }
        }
    }
}

// ---- the program window over a small project --------------------------------

class MainViewTest : public ShellTest
{
protected:
    CKerfwellPlusApp& StartWithProject()
    {
        CKerfwellPlusApp& app = Start();
        m_library = dynamic_cast<CMaterials*>(GetMaterialsLibrary());
        EXPECT_TRUE(m_library);
        m_material = std::make_shared<CSheetGoodEx>(QStringLiteral("Birch"));
        AddSizeRow(*m_material, 48);
        m_library->GetMaterials().push_back(m_material);
        auto* part = new CMilledPart();
        part->SetDescription(QStringLiteral("Shelf"));
        part->SetMaterial(m_material);
        part->SetThickness(CDimension::FromInches(0.75));
        part->SetWidth(CDimension::FromInches(10));
        part->SetLength(CDimension::FromInches(20));
        part->SetCopies(2);
        app.GetDocument()->AppendPart(part);
        // Room for every page's minimum sizes.
        app.GetMainFrame()->resize(1000, 800);
        QApplication::processEvents();
        // What the commands that add them would announce.
        UpdateHint added(0x201, 0);
        View().GetViewMgr()->ApplyDocumentUpdate(added);
        return app;
    }

    static void AddSizeRow(CSheetGoodEx& material, double width)
    {
        auto row = std::make_shared<SheetGoodSizeCost>();
        row->SetThickness(CDimension::FromInches(0.75));
        SheetDimensions sheet = row->GetSheetDimensions();
        sheet.SetWidth(CDimension::FromInches(width));
        sheet.SetLength(CDimension::FromInches(96));
        row->SetSheetDimensions(sheet);
        row->SetUnlimited();
        material.GetSizeCosts().push_back(row);
    }

    CKWLView& View() const { return *m_app->GetView(); }

    void ClickTab(int page)
    {
        CMainTab& tab = View().GetTab();
        QTest::mouseClick(&tab, Qt::LeftButton, {}, tab.tabRect(page).center());
        ASSERT_EQ(View().GetCurrentPage(), page);
    }

    void SelectMaterial(const CSheetGoodEx* material) { View().GetRMTree().SelectItemByData(material); }

    // Dark pixels of the view's picture inside a rectangle.
    int Ink(const QRect& area)
    {
        const QImage picture = View().grab().toImage();
        const QRect inside = area & picture.rect();
        int ink = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                ink += qGray(picture.pixel(x, y)) < 128;
        return ink;
    }

    CMaterials* m_library = nullptr;
    std::shared_ptr<CSheetGoodEx> m_material;
};

TEST_F(MainViewTest, EachPageShowsItsOwnControls)
{
    StartWithProject();
    CKWLView& view = View();
    CUGRowMode* parts = view.GetPartsGrid();
    CUGRowMode* sizeCost = view.GetSizeCostGrid();
    QWidget* bom = &view.GetBOMPane()->GetGrid();

    // Parts: the grid fills the page and shows the part (and the append row).
    EXPECT_TRUE(parts->isVisible());
    EXPECT_EQ(parts->geometry(), view.GetPageRect());
    EXPECT_EQ(parts->GetRowCount(), 2);
    EXPECT_FALSE(bom->isVisible());
    EXPECT_FALSE(sizeCost->isVisible());
    EXPECT_GT(Ink(parts->geometry()), 100);
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U); // showing the list made no part

    // B.O.M.: the pane lies where the parts grid lies and is alone.
    ClickTab(CKWLView::BOMPage);
    EXPECT_TRUE(bom->isVisible());
    EXPECT_EQ(bom->geometry(), parts->geometry());
    EXPECT_FALSE(parts->isVisible());
    EXPECT_TRUE(view.GetBOMPane()->HasRows());
    EXPECT_GT(Ink(bom->geometry()), 100);

    // Raw Materials: tree, divider, strip and the grid of the selected material.
    ClickTab(CKWLView::RawMaterialsPage);
    EXPECT_FALSE(bom->isVisible());
    EXPECT_TRUE(view.GetRMTree().isVisible());
    EXPECT_TRUE(view.GetDivider()->isVisible());
    EXPECT_TRUE(sizeCost->isVisible());
    SelectMaterial(m_material.get());
    EXPECT_EQ(view.GetSizeCostGridMgr()->GetSheetGoodRef(), m_material);
    EXPECT_EQ(sizeCost->GetRowCount(), 2);
    ASSERT_TRUE(view.GetMatInfoPresenter()->GetControl());
    EXPECT_GT(Ink(view.GetRMTree().geometry()), 50);
    EXPECT_GT(Ink(sizeCost->geometry()), 100);

    // Another page hides the whole Raw Materials page again.
    ClickTab(CKWLView::PartsPage);
    EXPECT_FALSE(view.GetRMTree().isVisible());
    EXPECT_FALSE(view.GetDivider()->isVisible());
    EXPECT_FALSE(sizeCost->isVisible());
    EXPECT_FALSE(view.GetMatInfoPresenter()->GetControl());
}

TEST_F(MainViewTest, RawMaterialsFollowsTheLargeScreenPreference)
{
    StartWithProject();
    CKWLView& view = View();
    ClickTab(CKWLView::RawMaterialsPage);
    const QRect page = view.GetPageRect();
    const int strip = view.GetMatInfoPresenter()->GetBounds().width();
    for (bool large : { false, true, false }) {
        SCOPED_TRACE(large);
        if (GetUserPrefs()->GetFlag(kPrefLargeScreen) != large)
            GetUserPrefs()->ToggleFlag(kPrefLargeScreen);
        view.GetViewMgr()->ApplyLargeScreenPref();
        const RawMaterialsLayout expected
            = ComputeRawMaterialsLayout(page, view.GetDividerPosition(), large, strip);
        EXPECT_EQ(view.IsLargeScreenLayout(), large);
        EXPECT_EQ(view.GetRMTree().geometry(), expected.tree);
        EXPECT_EQ(view.GetDivider()->geometry(), expected.divider);
        EXPECT_EQ(view.GetSizeCostGrid()->geometry(), expected.grid);
        EXPECT_EQ(view.GetMatInfoPresenter()->GetBounds().topLeft(), expected.stripTopLeft);
        // The divider only drags, and only shows the splitter cursor, when not large.
        EXPECT_EQ(view.GetDivider()->cursor().shape(), large ? Qt::ArrowCursor : Qt::SplitVCursor);
    }
}

TEST_F(MainViewTest, DraggingTheDividerMovesItAndItIsRememberedAtClose)
{
    StartWithProject();
    CKWLView& view = View();
    ClickTab(CKWLView::RawMaterialsPage);
    QFrame* divider = view.GetDivider();
    const int least = view.GetPageRect().top() + RawMaterialsLayout::kLeastTreeHeight;
    ASSERT_EQ(divider->y(), least);
    const QPoint grip(40, 4);
    // The bar has the mouse from the press to the release, wherever it goes.
    const auto send = [divider](QEvent::Type type, const QPoint& point) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, point, divider->mapToGlobal(point), button, held, Qt::NoModifier);
        QApplication::sendEvent(divider, &event);
    };

    send(QEvent::MouseButtonPress, grip);
    send(QEvent::MouseMove, grip + QPoint(0, 56));
    EXPECT_EQ(divider->y(), least + 60);
    send(QEvent::MouseMove, QPoint(40, -500)); // above the band: stays
    EXPECT_EQ(divider->y(), least + 60);
    send(QEvent::MouseButtonRelease, QPoint(40, -500));
    EXPECT_EQ(view.GetDividerPosition(), least + 60);
    EXPECT_EQ(view.GetSizeCostGrid()->y(), least + 70);
    EXPECT_EQ(view.GetRMTree().height(), least + 60 - view.GetPageRect().top() - 2);

    // A click without a move leaves it in place.
    send(QEvent::MouseButtonPress, grip);
    send(QEvent::MouseButtonRelease, grip);
    EXPECT_EQ(view.GetDividerPosition(), least + 60);

    m_app.reset();
    EXPECT_EQ(GetUserPrefs()->GetInt(3054), least + 60);
}

TEST_F(MainViewTest, EachUpdateBitReachesItsManager)
{
    CKerfwellPlusApp& app = StartWithProject();
    CKWLView& view = View();
    ViewMgr& views = *view.GetViewMgr();
    ClickTab(CKWLView::RawMaterialsPage);
    SelectMaterial(m_material.get());
    ASSERT_EQ(view.GetSizeCostGrid()->GetRowCount(), 2);

    // 0x40: the size/cost rows of the selected material are counted again.
    AddSizeRow(*m_material, 24);
    UpdateHint rows(0x8, 0);
    views.ApplyDocumentUpdate(rows);
    EXPECT_EQ(view.GetSizeCostGrid()->GetRowCount(), 2);
    UpdateHint sizeCost(0x40, 0);
    views.ApplyDocumentUpdate(sizeCost);
    EXPECT_EQ(view.GetSizeCostGrid()->GetRowCount(), 3);
    // ... and the rows the hint names become the selection.
    UpdateHint named(0x40, 0);
    named.GetSizeCostRowsForEdit()->GetRowsForEdit().push_back(m_material->GetSizeCosts().back());
    named.GetSizeCostRowsForEdit()->SetRowsGiven(true);
    views.ApplyDocumentUpdate(named);
    const std::shared_ptr<ISGSC> selected = view.GetSizeCostGridMgr()->GetSelectedRowItem();
    EXPECT_EQ(selected, m_material->GetSizeCosts().back());

    // 0x100 and 0x400: the strip shows the selected material again.
    IMatInfoCtrl* strip = view.GetMatInfoPresenter()->GetControl();
    ASSERT_TRUE(strip);
    for (std::uint64_t bit : { 0x100u, 0x400u }) {
        SCOPED_TRACE(bit);
        const bool grain = !m_material->GetGrainInfo().GetHasGrain();
        m_material->GetGrainInfoForEdit().SetHasGrain(grain);
        UpdateHint unrelated(0x8, 0);
        views.ApplyDocumentUpdate(unrelated);
        EXPECT_NE(strip->IsHasGrainChecked(), grain);
        UpdateHint material(bit, 0);
        views.ApplyDocumentUpdate(material);
        EXPECT_EQ(strip->IsHasGrainChecked(), grain);
    }

    // 0x200: the materials tree is filled again.
    const int before = view.GetRMTree().topLevelItem(0)->childCount();
    m_library->GetMaterials().push_back(std::make_shared<CSheetGoodEx>(QStringLiteral("Walnut")));
    UpdateHint other(0x100, 0);
    views.ApplyDocumentUpdate(other);
    EXPECT_EQ(view.GetRMTree().topLevelItem(0)->childCount(), before);
    UpdateHint list(0x200, 0);
    views.ApplyDocumentUpdate(list);
    EXPECT_EQ(view.GetRMTree().topLevelItem(0)->childCount(), before + 1);

    // 0x1: the parts list is counted again.
    auto* added = new CMilledPart();
    app.GetDocument()->AppendPart(added);
    UpdateHint bill(0x8, 0);
    views.ApplyDocumentUpdate(bill);
    EXPECT_EQ(view.GetPartsGrid()->GetRowCount(), 2);
    UpdateHint parts(0x1, 0);
    views.ApplyDocumentUpdate(parts);
    EXPECT_EQ(view.GetPartsGrid()->GetRowCount(), 3);
    // ... and the rows the hint names become the selection.
    UpdateHint select(0x1, 0);
    select.GetPartRows()->GetRowsForEdit().push_back(added);
    select.GetPartRows()->SetRowsGiven(true);
    views.ApplyDocumentUpdate(select);
    EXPECT_EQ(view.GetPartsGrid()->GetFirstSelectedRow(), 1);

    // 0x8 on the B.O.M. page: the pane refreshes from a new optimization.
    ClickTab(CKWLView::BOMPage);
    EXPECT_TRUE(view.GetBOMPane()->HasRows());
}

TEST_F(MainViewTest, AtStartTheGridLinesFollowTheStoredPreferenceWithoutRewritingIt)
{
    Start();
    const QString prefsFile = GetCUserPrefs()->GetPrefsFilePath();
    m_app.reset();
    for (bool lines : { false, true }) {
        SCOPED_TRACE(lines);
        // Without its line the preference has its default (on); a start that
        // toggled it would write the line back.
        QByteArray text = ReadPrefs(prefsFile);
        QList<QByteArray> kept;
        for (const QByteArray& line : text.split('\n'))
            if (!line.startsWith("Gridlines="))
                kept << line;
            else if (!lines)
                kept << QByteArrayLiteral("Gridlines=0");
        text = kept.join('\n');
        WritePrefs(prefsFile, text);
        Start();
        EXPECT_EQ(View().GetPartsGrid()->GetSheetInfo()->m_gridLines, lines);
        EXPECT_EQ(View().GetSizeCostGrid()->GetSheetInfo()->m_gridLines, lines);
        EXPECT_EQ(GridlinesLines(ReadPrefs(prefsFile)), lines ? 0 : 1);
        m_app.reset();
    }
}

TEST_F(MainViewTest, TheFirstSelectedPartsRowIsFound)
{
    CKerfwellPlusApp& app = StartWithProject();
    for (int i = 0; i < 3; ++i)
        app.GetDocument()->AppendPart(new CMilledPart());
    View().GetViewMgr()->RebuildPartsList(nullptr);
    CUGRowMode& grid = *View().GetPartsGrid();
    CKerfwellGDM& parts = *View().GetPartsGridMgr();
    struct Case
    {
        const char* name;
        std::vector<int> selected;
        int expected;
    };
    const Case cases[] = {
        { "none selected", {}, -1 },
        { "one row", { 2 }, 2 },
        { "several rows: the lowest", { 3, 1 }, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.ClearSelections();
        for (int row : c.selected)
            grid.SelectCell(0, row);
        EXPECT_EQ(parts.FindUGRowMode(), c.expected);
    }
}

TEST(SmallControlsTest, TextColourBackgroundsRedrawAndDialogHelpers)
{
    ColorStatic notice(QStringLiteral("Project is locked"));
    notice.SetColor(Qt::red);
    EXPECT_EQ(notice.palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(notice.palette().color(QPalette::Window), notice.palette().color(QPalette::Button));
    QZGroupbox group(QStringLiteral("Grain"));
    EXPECT_TRUE(group.autoFillBackground());

    QWidget window;
    {
        RedrawInhibitor inhibitor(&window);
        EXPECT_FALSE(window.updatesEnabled());
    }
    EXPECT_TRUE(window.updatesEnabled());
    auto* gone = new QWidget;
    {
        RedrawInhibitor inhibitor(gone);
        delete gone; // a window closed during the update is left alone
    }

    // An unchanged text keeps the edit's cursor where the user left it.
    QLineEdit edit(QStringLiteral("48 in"));
    edit.setCursorPosition(1);
    SetWindowTextIfChanged(&edit, QStringLiteral("48 in"));
    EXPECT_EQ(edit.cursorPosition(), 1);
    SetWindowTextIfChanged(&edit, QStringLiteral("96 in"));
    EXPECT_EQ(edit.text(), QStringLiteral("96 in"));
    QLabel label(QStringLiteral("a"));
    SetWindowTextIfChanged(&label, QStringLiteral("b"));
    EXPECT_EQ(label.text(), QStringLiteral("b"));

    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply);
    buttons.show();
    HidePropertySheetApplyButton(&buttons);
    EXPECT_FALSE(buttons.button(QDialogButtonBox::Apply)->isVisible());
    EXPECT_TRUE(buttons.button(QDialogButtonBox::Ok)->isVisible());
    EXPECT_TRUE(buttons.button(QDialogButtonBox::Cancel)->isVisible());
}

TEST_F(MainViewTest, EnterAndEscapeOfATreeLabelEditGoToTheEditor)
{
    StartWithProject();
    ClickTab(CKWLView::RawMaterialsPage);
    RMTree& tree = View().GetRMTree();
    SelectMaterial(m_material.get());

    QWidget* editor = tree.EditSelectedLabel();
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, QStringLiteral("Oak"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(m_material->GetName(), QStringLiteral("Birch"));
    EXPECT_EQ(View().GetCurrentPage(), CKWLView::RawMaterialsPage);

    editor = tree.EditSelectedLabel();
    ASSERT_TRUE(editor);
    static_cast<QLineEdit*>(editor)->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Oak"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the editor commits in a queued call
    EXPECT_EQ(m_material->GetName(), QStringLiteral("Oak"));
    EXPECT_EQ(tree.GetSelectedItemText(), QStringLiteral("Oak"));
}

TEST_F(MainViewTest, JumpingFromAPartToItsDiagram)
{
    StartWithProject();
    ViewMgr& views = *View().GetViewMgr();
    EXPECT_FALSE(views.CanJumpToDiagram()); // not optimized yet
    ClickTab(CKWLView::LayoutsPage);
    ASSERT_TRUE(m_app->GetDocument()->IsFullyOptimized());
    ClickTab(CKWLView::PartsPage);
    CUGRowMode& grid = *View().GetPartsGrid();
    grid.GotoCell(1, 0);
    grid.ClearSelections();
    grid.SelectCell(0, 0);
    View().GetPartsGridMgr()->NotifySelection();
    ASSERT_TRUE(views.CanJumpToDiagram());
    views.JumpToDiagram();
    EXPECT_EQ(View().GetCurrentPage(), CKWLView::LayoutsPage);
    EXPECT_TRUE(View().GetPage(CKWLView::LayoutsPage)->isVisible());
    EXPECT_FALSE(grid.isVisible());
    ClickTab(CKWLView::ReportsPage);
    EXPECT_FALSE(views.CanJumpToDiagram());
}

// ---- the grid state file --------------------------------------------------

std::vector<std::int32_t> Words(const QByteArray& bytes)
{
    std::vector<std::int32_t> words;
    for (qsizetype i = 0; i + 4 <= bytes.size(); i += 4) {
        std::uint32_t word = 0;
        for (int b = 0; b < 4; ++b)
            word |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + b])) << (8 * b);
        words.push_back(static_cast<std::int32_t>(word));
    }
    return words;
}

QByteArray Bytes(const std::vector<std::int32_t>& words)
{
    QByteArray bytes;
    for (std::int32_t word : words)
        for (int b = 0; b < 4; ++b)
            bytes += static_cast<char>((static_cast<std::uint32_t>(word) >> (8 * b)) & 0xFF);
    return bytes;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class GridStateTest : public MainViewTest
{
protected:
    static QString Path() { return GetCUserPrefs()->GetGridStateFilePath(); }

    // (hidden, grid position, remembered position) of each parts column.
    std::vector<std::array<int, 3>> PartsLayout() const
    {
        std::vector<std::array<int, 3>> layout;
        CKerfwellGDM& parts = *View().GetPartsGridMgr();
        for (int c = 0; c < parts.GetColumnCount(); ++c) {
            const auto* column = parts.GetColumn(c);
            layout.push_back(
                { column->IsHidden() ? 1 : 0, column->GetGridPosition(), column->GetOrderPosition() });
        }
        return layout;
    }
};

TEST_F(GridStateTest, TheLayoutIsWrittenAtCloseAndReadAtStart)
{
    StartWithProject();
    CKerfwellGDM& parts = *View().GetPartsGridMgr();
    ASSERT_EQ(parts.GetColumnCount(), 10);
    const auto defaults = PartsLayout();
    parts.SetColumnHidden(kPartColUserInfo, true);
    const auto changed = PartsLayout();
    ASSERT_NE(changed, defaults);
    m_app.reset();

    // Version 7, then the parts grid's record: mark 100, ten columns, and per
    // column hidden, remembered position and (when shown) the grid position.
    const std::vector<std::int32_t> words = Words(ReadFile(Path()));
    std::vector<std::int32_t> record = { 7, 100, 10 };
    for (const auto& column : changed) {
        record.push_back(column[0]);
        record.push_back(column[2]);
        if (!column[0])
            record.push_back(column[1]);
    }
    ASSERT_GE(words.size(), record.size());
    EXPECT_EQ(
        std::vector<std::int32_t>(words.begin(), words.begin() + static_cast<long>(record.size())), record);

    StartWithProject();
    EXPECT_EQ(PartsLayout(), changed);
}

TEST_F(GridStateTest, AfterSkipGridStateSaveNoFileIsWritten)
{
    StartWithProject();
    QFile::remove(Path());
    View().SkipGridStateSave();
    m_app.reset();
    EXPECT_FALSE(QFile::exists(Path()));
}

// The word offset of a field of a parts column in a file: 0 hidden, 1
// remembered, 2 position (shown columns only).
std::size_t Offset(const std::vector<std::int32_t>& words, int column, int field)
{
    std::size_t at = 3;
    for (int c = 0; c < column; ++c)
        at += words[at] == 0 ? 3 : 2;
    return at + static_cast<std::size_t>(field);
}

TEST_F(GridStateTest, RefusedRecordsLeaveTheDefaultLayout)
{
    StartWithProject();
    CKerfwellGDM& parts = *View().GetPartsGridMgr();
    parts.SetColumnHidden(kPartColUserInfo, true);
    View().LoadSaveGridState(true);
    const std::vector<std::int32_t> good = Words(ReadFile(Path()));
    // The last shown column, Diagrams, stands after Material.
    const int lastPosition = parts.GetColumn(kPartColDiagramList)->GetGridPosition();
    ASSERT_EQ(parts.GetColumn(kPartColMaterial)->GetGridPosition(), lastPosition - 1);
    struct Case
    {
        const char* name;
        std::size_t at;
        std::int32_t value;
        bool accepted;
    };
    const Case cases[] = {
        { "version 6 reads", 0, 6, true },
        { "version 5", 0, 5, false },
        { "version 8", 0, 8, false },
        { "another column count", 2, 9, false },
        { "a hidden word of 2", Offset(good, 1, 0), 2, false },
        { "the first column hidden", Offset(good, 0, 0), 1, false },
        { "the first column not first", Offset(good, 0, 2), 1, false },
        { "a position beyond the columns", Offset(good, 1, 2), 10, false },
        { "a negative position", Offset(good, 1, 2), -1, false },
        { "a gap among the positions", Offset(good, kPartColDiagramList, 2), lastPosition + 1, false },
        { "a repeated position passes", Offset(good, kPartColDiagramList, 2), lastPosition - 1, true },
        { "a remembered position beyond the columns", Offset(good, 1, 1), 10, false },
        { "a remembered position below -1", Offset(good, 1, 1), -2, false },
        { "a remembered position of none", Offset(good, 1, 1), -1, true },
        { "a remembered position repeated", Offset(good, 2, 1), good[Offset(good, 1, 1)], false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::int32_t> words = good;
        words[c.at] = c.value;
        // From the default layout: the accepted file hides User Info again.
        parts.SetColumnHidden(kPartColUserInfo, false);
        const auto before = PartsLayout();
        WriteFile(Path(), Bytes(words));
        View().LoadSaveGridState(false);
        EXPECT_EQ(parts.GetColumn(kPartColUserInfo)->IsHidden(), c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(PartsLayout(), before);
        }
    }
}

TEST_F(GridStateTest, TheOlderRecordFormIsReadWithoutRememberedPositions)
{
    StartWithProject();
    CKerfwellGDM& parts = *View().GetPartsGridMgr();
    // Count 10, then hidden and position only; column 7 hidden.
    std::vector<std::int32_t> words = { 7, 10 };
    for (int c = 0, position = 0; c < 10; ++c) {
        const bool hidden = c == kPartColUserInfo || c == kPartColNotes;
        words.push_back(hidden ? 1 : 0);
        if (!hidden)
            words.push_back(position++);
    }
    WriteFile(Path(), Bytes(words));
    View().LoadSaveGridState(false);
    EXPECT_TRUE(parts.GetColumn(kPartColUserInfo)->IsHidden());
    for (const auto& column : PartsLayout())
        EXPECT_EQ(column[2], -1);
}

TEST_F(GridStateTest, AFileCutAtAnyByteIsReadSafely)
{
    StartWithProject();
    View().LoadSaveGridState(true);
    const QByteArray defaults = ReadFile(Path());
    const auto defaultLayout = PartsLayout();
    View().GetPartsGridMgr()->SetColumnHidden(kPartColUserInfo, true);
    const auto changedLayout = PartsLayout();
    View().LoadSaveGridState(true);
    const QByteArray changed = ReadFile(Path());
    ASSERT_GT(changed.size(), 40);
    // The parts record ends after the version word and its own words.
    const std::vector<std::int32_t> words = Words(changed);
    const qsizetype partsEnd = 4 * static_cast<qsizetype>(Offset(words, 10, 0));
    for (qsizetype cut = 0; cut < changed.size(); ++cut) {
        SCOPED_TRACE(cut);
        WriteFile(Path(), defaults);
        View().LoadSaveGridState(false);
        ASSERT_EQ(PartsLayout(), defaultLayout);
        WriteFile(Path(), changed.left(cut));
        View().LoadSaveGridState(false);
        EXPECT_EQ(PartsLayout(), cut >= partsEnd ? changedLayout : defaultLayout);
    }
}

// Read at every start with the single-instance lock held: a pipe in its
// place would hang the start for ever, and a huge file would take minutes
// and gigabytes. Each case loads in a child process, so that a read that
// never ends fails the case instead of the run.
TEST_F(GridStateTest, APipeADeviceOrAFileFarLargerThanAnyGridStateIsNotRead)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    auto sized = [&](const char* name, std::int64_t size) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(size));
        return path;
    };
    const QString pipe = folder.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const struct
    {
        const char* name;
        QString path;
        bool read;
    } cases[] = {
        { "a named pipe", pipe, false },
        { "a folder", folder.path(), false },
        { "a device", QStringLiteral("/dev/null"), false },
        { "one byte over the largest grid state", sized("over", kMaxGridStateFileBytes + 1), false },
        { "far larger", sized("huge", kMaxGridStateFileBytes * 64), false },
        { "the largest grid state", sized("largest", kMaxGridStateFileBytes), true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // 0 refused unread, 1 read; -1 when the load never ended.
        const int status = kwl::testing::ExitStatusUnderFileSizeLimit(RLIM_INFINITY, [&] {
            ::alarm(10);
            bool read = false;
            const bool loaded = LoadGridStateFile(c.path, [&](ArchiveWrapper&) { read = true; });
            return read ? 1 : loaded ? 2 : 0;
        });
        EXPECT_EQ(status, c.read ? 1 : 0);
    }
}

TEST_F(GridStateTest, AFailedWriteKeepsTheOldFile)
{
    StartWithProject();
    const QString path = Path();
    WriteFile(path, QByteArrayLiteral("old layouts"));
    const bool written = StoreGridStateFile(path, [](ArchiveWrapper& ar) {
        ar.Write(std::int32_t(7));
        ar.Write(std::int32_t(100));
        throw platform::ArchiveError(platform::ArchiveError::BadSchema, "GridStat.KWG", "cannot write");
    });
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFile(path), QByteArrayLiteral("old layouts"));
}

TEST_F(GridStateTest, AFullDiskKeepsTheOldFile)
{
    StartWithProject();
    const QString path = Path();
    WriteFile(path, QByteArrayLiteral("old layouts"));
    // The record is longer than the disk has room for: its end never reaches
    // the disk, and the store must say so.
    const int status = kwl::testing::ExitStatusUnderFileSizeLimit(16, [&] {
        const bool written = StoreGridStateFile(path, [](ArchiveWrapper& ar) {
            for (std::int32_t word = 0; word < 10; ++word)
                ar.Write(word);
        });
        return written ? 1 : 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(path), QByteArrayLiteral("old layouts"));
    EXPECT_EQ(QFileInfo(path).dir().entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".tmp")), QStringList());
}

} // namespace
