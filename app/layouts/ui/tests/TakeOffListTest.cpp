// The layouts page's take-off list over an optimized project: the three
// list kinds, their columns, the Info column's menu item, sorts that follow
// the shown values, the state kept across a new window, Copy, row drags.
#include "LayoutsProjectFixture.h"

#include "foundation/RealArchive.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/TakeOffCtrl.h"
#include "layouts/ui/LayoutsTakeOffListMgr.h"

#include <platform/BinaryArchive.h>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTabBar>

#include <set>
#include <sstream>

namespace {

class TakeOffListTest : public LayoutsProjectTest
{
protected:
    void SetUp() override
    {
        LayoutsProjectTest::SetUp();
        m_shelf = Append(m_oak, 10, 20, 3, QStringLiteral("Shelf"));
        m_rail = Append(m_oak, 5, 30, 2, QStringLiteral("Rail"));
        // Fits the sheet neither way.
        m_top = Append(m_oak, 60, 100, 1, QStringLiteral("Top"));
        Optimize();
        m_owner.results = ResultsOf(m_oak);
        ASSERT_TRUE(m_owner.results && m_owner.results->HasStacks());
        m_owner.current = m_owner.results->GetStacks().front()->MakeDisplayDiagram(0);
        m_list = std::make_shared<LayoutsTakeOffListMgr>(&m_owner);
        m_ctrl = MakeCtrl();
        m_list->Attach(m_ctrl->GetGrid(), m_ctrl->GetTabCtrl());
    }

    std::unique_ptr<TakeOffCtrl> MakeCtrl()
    {
        auto ctrl = std::make_unique<TakeOffCtrl>();
        EXPECT_TRUE(ctrl->Create(nullptr, 1));
        ctrl->resize(700, 300);
        ctrl->SetListener(m_list);
        return ctrl;
    }

    void Show(int kind)
    {
        m_list->SetListKind(kind);
        m_list->Refresh(TakeOffSelection(), false);
    }

    // One copy of the shelf lies turned on the diagram.
    void TurnOneShelf()
    {
        for (const DrawnPartPtr& drawn : GetCurrentParts(*m_owner.current))
            if (drawn->GetPart() == m_shelf) {
                *drawn = DrawnPart(m_shelf, !drawn->IsRotated(), drawn->GetSheetRect());
                return;
            }
    }

    // The texts of the shown columns, the heading row first, as the list copies them.
    QList<QStringList> ShownRows()
    {
        ParseFieldRows rows;
        m_list->GetTextRows(rows, true, true);
        QList<QStringList> texts;
        for (const ParseFieldRow& row : rows) {
            QStringList cells;
            for (const CParseField& field : row.GetFields())
                if (field.GetExclude() == 0)
                    cells << field.GetText();
            texts << cells;
        }
        return texts;
    }

    QStringList Column(int dataColumn)
    {
        QStringList texts;
        for (const TAKEOFFITEM* row : m_list->GetRows()) {
            TAKEOFFITEM* item = const_cast<TAKEOFFITEM*>(row);
            CUGCell cell;
            m_list->GetGridMgr()->GetColumn(dataColumn)->FillCell(&item, &cell);
            texts << cell.GetText();
        }
        return texts;
    }

    static TakeOffSelection Picked(CMilledPart* part, bool turned = false)
    {
        TakeOffSelection selection;
        selection.part = part;
        selection.turned = turned;
        return selection;
    }

    static QString Size(double inches) { return Inches(inches).FormatDimension(); }

    // The list's record of the grid-state file, and the list reading one.
    static std::string StoredLayout(LayoutsTakeOffListMgr& list)
    {
        std::ostringstream out;
        platform::BinaryArchive storing = platform::BinaryArchive::storing(out, "GridStat.KWG");
        RealArchive writer(storing);
        list.SerializeLayout(writer);
        storing.flush();
        return out.str();
    }
    static void LoadLayout(LayoutsTakeOffListMgr& list, const std::string& bytes)
    {
        const std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
        platform::BinaryArchive loading = platform::BinaryArchive::loading(data, "GridStat.KWG");
        RealArchive reader(loading);
        list.SerializeLayout(reader);
    }

    CMilledPart* m_shelf = nullptr;
    CMilledPart* m_rail = nullptr;
    CMilledPart* m_top = nullptr;
    std::shared_ptr<LayoutsTakeOffListMgr> m_list;
    std::unique_ptr<TakeOffCtrl> m_ctrl;
};

TEST_F(TakeOffListTest, TheThreeKindsListTheirPartsAndColumns)
{
    const QString shelfId = m_shelf->GetID().FormatPartID();
    Show(TakeOffListKind::MaterialThickness);
    QList<QStringList> rows = ShownRows();
    EXPECT_EQ(rows.front(),
        (QStringList {
            "Part #", "Description", "Copies Placed", "Width", "Length", "<Info>", "Diagram #s" }));
    EXPECT_EQ(Column(TakeOffColumn::Description), (QStringList { "Shelf", "Rail", "Top" }));
    EXPECT_EQ(Column(TakeOffColumn::Copies), (QStringList { "3 of 3", "2 of 2", "0 of 1" }));

    Show(TakeOffListKind::UnplacedParts);
    rows = ShownRows();
    EXPECT_EQ(rows.front(),
        (QStringList {
            "Part #", "Description", "Unplaced Copies", "Width", "Length", "Reason Skipped", "<Info>" }));
    // Fully placed parts are not listed.
    EXPECT_EQ(Column(TakeOffColumn::Description), QStringList { "Top" });
    EXPECT_EQ(Column(TakeOffColumn::Copies), QStringList { "1" });
    EXPECT_FALSE(Column(TakeOffColumn::SkipReason).front().isEmpty());

    TurnOneShelf();
    Show(TakeOffListKind::SelectedDiagram);
    rows = ShownRows();
    EXPECT_EQ(
        rows.front(), (QStringList { "Part #", "Description", "Copies in Layout", "Y", "X", "<Info>" }));
    const QStringList ids = Column(TakeOffColumn::PartId);
    EXPECT_EQ(ids.count(shelfId), 1);
    EXPECT_EQ(ids.count(shelfId + QStringLiteral("[R]")), 1);
    int shelfCopies = 0;
    for (const TAKEOFFITEM* row : m_list->GetRows())
        if (row->part == m_shelf)
            shelfCopies += row->copies;
    EXPECT_EQ(shelfCopies, 3);
    EXPECT_FALSE(ids.contains(m_top->GetID().FormatPartID()));

    for (int column : { TakeOffColumn::PartId, TakeOffColumn::Description, TakeOffColumn::Copies })
        EXPECT_FALSE(m_list->GetGridMgr()->GetColumn(column)->CanUserHide());
}

TEST_F(TakeOffListTest, InfoItemTogglesWithItsCheckMark)
{
    Show(TakeOffListKind::MaterialThickness);
    CTakeOffGDM& grid = *m_list->GetGridMgr();
    QMenu* menu = m_ctrl->GetGrid()->GetPopupMenu();
    for (bool shown : { true, false, true }) {
        SCOPED_TRACE(shown);
        EXPECT_EQ(m_list->IsInfoColumnShown(), shown);
        grid.OnMenuOpen(0, 0, 1);
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions().front()->text(), QStringLiteral("Show &Info column from parts list"));
        EXPECT_EQ(menu->actions().front()->isChecked(), shown);
        grid.OnMenuItem(0, 0, 1, CTakeOffGDM::kShowInfoMenuId);
    }
}

TEST_F(TakeOffListTest, CopiesOfTheUnplacedListSortByTheUnplacedCountShown)
{
    // Placed and unplaced counts in opposite orders: shelf 2 placed, 1
    // unplaced; rail none placed, 2 unplaced.
    m_shelf->SetOptimizerPlacedCopies(2);
    m_rail->SetOptimizerPlacedCopies(0);
    Show(TakeOffListKind::UnplacedParts);
    m_list->GetGridMgr()->SortByColumn(TakeOffColumn::Copies, true);
    EXPECT_EQ(Column(TakeOffColumn::Copies), (QStringList { "1", "1", "2" }));
    EXPECT_EQ(m_list->GetRows().back()->part, m_rail);
}

TEST_F(TakeOffListTest, SizesOfTheDiagramListSortByTheSizeEachCellShows)
{
    TurnOneShelf();
    // Turned, the sheet lies the other way: Y now shows the lengths of
    // unturned parts and the widths of turned ones.
    m_owner.current->ToggleOverrideRotation();
    ASSERT_FALSE(m_owner.current->IsLengthwise());
    Show(TakeOffListKind::SelectedDiagram);
    m_list->GetGridMgr()->SortByColumn(TakeOffColumn::Width, true);
    EXPECT_EQ(Column(TakeOffColumn::Width), (QStringList { Size(10), Size(20), Size(30) }));
    m_list->GetGridMgr()->SortByColumn(TakeOffColumn::Length, true);
    EXPECT_EQ(Column(TakeOffColumn::Length), (QStringList { Size(5), Size(10), Size(20) }));
}

TEST_F(TakeOffListTest, StateSurvivesANewWindow)
{
    m_shelf->SetOptimizerPlacedCopies(2);
    Show(TakeOffListKind::UnplacedParts);
    m_list->ToggleInfoColumn();
    m_list->GetGridMgr()->SortByColumn(TakeOffColumn::Description, false);
    m_list->SelectItem(Picked(m_shelf));
    const TakeOffListState state = m_list->GetState();
    EXPECT_EQ(state,
        (TakeOffListState { false, TakeOffListKind::UnplacedParts, 1, TakeOffColumn::Description, false }));

    const std::shared_ptr<CUGRowMode> oldGrid = m_ctrl->GetGrid();
    const int oldIndex = oldGrid->GetDataSourceIndex();
    m_ctrl = MakeCtrl();
    m_list->Attach(m_ctrl->GetGrid(), m_ctrl->GetTabCtrl());
    // The old grid lost its registration, the new one has it.
    EXPECT_NE(oldGrid->GetDataSource(oldIndex), m_list->GetGridMgr().get());
    EXPECT_EQ(m_ctrl->GetGrid()->GetCurrentDataSource(), m_list->GetGridMgr().get());

    m_list->RestoreState(state);
    EXPECT_EQ(m_list->GetState(), state);
    EXPECT_EQ(m_ctrl->GetTabCtrl()->currentIndex(), TakeOffListKind::UnplacedParts);
    EXPECT_EQ(Column(TakeOffColumn::Description), (QStringList { "Top", "Shelf" }));
    EXPECT_EQ(
        m_list->GetRows()[static_cast<std::size_t>(m_ctrl->GetGrid()->GetFirstSelectedRow())]->part, m_shelf);
}

TEST_F(TakeOffListTest, CopyPutsTheShownDiagramsListThenShowsTheUnplacedListAgain)
{
    m_shelf->SetOptimizerPlacedCopies(2);
    Show(TakeOffListKind::UnplacedParts);
    m_list->SelectItem(Picked(m_top));
    const int row = m_ctrl->GetGrid()->GetFirstSelectedRow();
    ASSERT_GE(row, 0);
    m_owner.reported.clear();

    m_list->CopyToClipboard();
    const QStringList lines = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 11);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Oak\t")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Layout Qty:\t")));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("Kerf:\t")));
    EXPECT_EQ(lines[7], QString(44, QLatin1Char('-')));
    EXPECT_EQ(lines[8], QStringLiteral("Part #\tDescription\tCopies in Layout\tY\tX\t<Info>"));
    // One line per part and orientation on the diagram, and the empty end.
    std::set<std::pair<CMilledPart*, bool>> onDiagram;
    for (const DrawnPartPtr& drawn : GetCurrentParts(*m_owner.current))
        onDiagram.insert({ drawn->GetPart(), drawn->IsRotated() });
    EXPECT_EQ(lines.size(), 9 + static_cast<int>(onDiagram.size()) + 1);
    EXPECT_TRUE(lines.filter(QStringLiteral("\tShelf\t")).size() >= 1);

    EXPECT_EQ(m_list->GetGridMgr()->GetListKind(), TakeOffListKind::UnplacedParts);
    EXPECT_EQ(m_ctrl->GetTabCtrl()->currentIndex(), TakeOffListKind::UnplacedParts);
    EXPECT_EQ(m_ctrl->GetGrid()->GetFirstSelectedRow(), row);
    EXPECT_EQ(m_list->GetRows()[static_cast<std::size_t>(row)]->part, m_top);
    EXPECT_TRUE(m_owner.reported.empty());

    // Without a shown diagram nothing is copied.
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    m_owner.current.reset();
    m_list->CopyToClipboard();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("kept"));
}

TEST_F(TakeOffListTest, ARowDragStartsFromTheDraggedRowsPart)
{
    m_shelf->SetOptimizerPlacedCopies(2);
    Show(TakeOffListKind::UnplacedParts);
    ASSERT_EQ(Column(TakeOffColumn::Description), (QStringList { "Shelf", "Top" }));
    m_owner.selection = Picked(m_shelf);
    m_list->GetGridMgr()->OnRowDragStart(1);
    ASSERT_EQ(m_owner.drags.size(), 1u);
    EXPECT_EQ(m_owner.drags.front().part, m_top);

    // No drag while manual editing is not allowed, nor of a fully placed part.
    m_owner.editAllowed = false;
    m_list->GetGridMgr()->OnRowDragStart(0);
    m_owner.editAllowed = true;
    Show(TakeOffListKind::MaterialThickness);
    m_list->GetGridMgr()->OnRowDragStart(1);
    EXPECT_EQ(m_owner.drags.size(), 1u);
}

TEST_F(TakeOffListTest, RefreshKeepsAPartTheListDoesNotShowOnlyWhenAsked)
{
    Show(TakeOffListKind::UnplacedParts);
    const TakeOffSelection rail = Picked(m_rail);
    EXPECT_EQ(m_list->Refresh(rail, true), rail);
    EXPECT_EQ(m_ctrl->GetGrid()->GetFirstSelectedRow(), -1);
    EXPECT_EQ(m_list->Refresh(rail, false).part, m_top);
    EXPECT_EQ(m_list->Refresh(Picked(m_top, true), false).part, m_top);
}

TEST_F(TakeOffListTest, LayoutGoesThroughTheGridStateRecord)
{
    Show(TakeOffListKind::SelectedDiagram);
    m_list->ToggleInfoColumn();
    const std::string bytes = StoredLayout(*m_list);

    auto other = std::make_shared<LayoutsTakeOffListMgr>(&m_owner);
    TakeOffCtrl ctrl;
    ASSERT_TRUE(ctrl.Create(nullptr, 1));
    other->Attach(ctrl.GetGrid(), ctrl.GetTabCtrl());
    other->SetListKind(TakeOffListKind::SelectedDiagram);
    ASSERT_TRUE(other->IsInfoColumnShown());
    LoadLayout(*other, bytes);
    EXPECT_FALSE(other->IsInfoColumnShown());
    EXPECT_EQ(ctrl.GetGrid()->GetColumnCount(), m_ctrl->GetGrid()->GetColumnCount());
}

TEST_F(TakeOffListTest, ALayoutStoredUnderAnotherKindLeavesTheShownKindItsColumns)
{
    Show(TakeOffListKind::UnplacedParts);
    const std::string bytes = StoredLayout(*m_list);

    Show(TakeOffListKind::MaterialThickness);
    LoadLayout(*m_list, bytes);
    EXPECT_EQ(ShownRows().front(),
        (QStringList {
            "Part #", "Description", "Copies Placed", "Width", "Length", "<Info>", "Diagram #s" }));
    EXPECT_EQ(m_ctrl->GetGrid()->GetColumnCount(), 7);
}

} // namespace
