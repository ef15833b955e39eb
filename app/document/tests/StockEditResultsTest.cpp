// An edit of a stock size on the Raw Materials page reaches the project's
// layouts: the targets that use the row are computed again, as a reopen of
// the project would compute them; a locked project keeps its results.
#include "ProjectDocumentFixture.h"

#include "foundation/CmdHistory.h"
#include "model/CMilledPart.h"
#include "model/MaterialCmd.h"
#include "model/CPricingScheme.h"
#include "model/ISGSC.h"
#include "model/SizeCostRowCommands.h"
#include "model/SizeCostRowOps.h"
#include "optimization/DiagramGeometry.h"
#include "optimization/IdenticalDiagramStack.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using RowEdit = std::function<void(ISGSC&)>;

void SetSheet(ISGSC& row, double width, double length, double trim)
{
    SheetDimensions sheet = row.GetSheetDimensions();
    sheet.SetWidth(CDimension::FromInches(width));
    sheet.SetLength(CDimension::FromInches(length));
    sheet.SetTopBottomTrim(CDimension::FromInches(trim));
    sheet.SetLeftRightTrim(CDimension::FromInches(trim));
    row.SetSheetDimensions(sheet);
}

void SetPrice(ISGSC& row, double price)
{
    const CMoney cost = CMoney::FromReal(price);
    row.SetUnitCost(&cost);
}

class StockEditResultsTest : public ProjectDocumentTest
{
protected:
    // Oak's row: 48 x 96, no trims, 2 in stock and none to buy, 30.00 a
    // sheet; a second, dearer row 49 x 97 at 40.00 that may be bought.
    // Eight 20 x 40 doors: two sheets of four.
    void SetUp() override
    {
        ProjectDocumentTest::SetUp();
        m_row = m_oak->GetSizeCosts().front();
        SetSheet(*m_row, 48, 96, 0);
        m_row->SetInventory(2);
        m_row->SetCanBuyMore(false);
        SetPrice(*m_row, 30);
        m_dear = AddRow(*m_oak, 0.75, 49, 97);
        m_dear->SetUnlimited();
        SetPrice(*m_dear, 40);
        m_original = m_row->Clone();
        NewProject();
    }

    // The library's row as it was, and a new project over it.
    void NewProject()
    {
        CopySheetGoodProperties(*m_row, *m_original);
        m_doc.reset();
        m_doc = std::make_unique<CKWLDoc>();
        m_doc->SetShell(&m_shell);
        m_doc->OnNewDocument();
        ProjectSettings settings = m_doc->GetProjectSettings();
        OptimizationSettings optimization = settings.GetOptimizationSettings();
        optimization.objective = OptimizationSettings::MinimizeTotalCost;
        settings.SetOptimizationSettings(optimization);
        m_doc->SetProjectSettings(settings);
        Append(m_oak, 20, 40, 8, QStringLiteral("Door"));
        GetCmdHistory()->Clear();
    }

    void Edit(const RowEdit& edit)
    {
        std::shared_ptr<ISGSC> after = m_row->Clone();
        edit(*after);
        GetCmdHistory()->Add(std::make_shared<SheetGoodRowEditCmd>(m_oak, m_row, after));
    }

    // Each diagram as drawn: its sheet, its trims, its count, and whether
    // every part lies on the sheet inside its trims; then the placed copies.
    static QStringList Layouts(CKWLDoc& doc)
    {
        QStringList lines;
        StackList stacks;
        doc.GetBOMOptMgr()->GetAllDiagrams(stacks);
        for (const StackPtr& stack : stacks) {
            const StockSpec& stock = stack->GetStockSpec();
            platform::Rect usable = UsableSheetRect(stack);
            usable.Inflate(CDimension::Tolerance, CDimension::Tolerance);
            bool inside = true;
            for (const DrawnPartPtr& drawn : stack->GetCurrentParts()) {
                const platform::Rect& r = drawn->GetSheetRect();
                inside = inside && r.left >= usable.left && r.top >= usable.top && r.right <= usable.right
                    && r.bottom <= usable.bottom;
            }
            lines << QStringLiteral("%1 x %2 trims %3 x%4%5")
                         .arg(stock.GetRoughWidth().GetInches())
                         .arg(stock.GetRoughLength().GetInches())
                         .arg(stock.GetTopBottomTrim().GetInches())
                         .arg(stack->GetCount())
                         .arg(inside ? QString() : QStringLiteral(" PARTS OFF THE USABLE SHEET"));
        }
        lines.sort();
        for (const CMilledPart* part : doc.GetPartList())
            lines << QStringLiteral("%1 placed %2").arg(part->GetDescription()).arg(part->GetPlacedCopies());
        return lines;
    }

    std::shared_ptr<ISGSC> m_row;
    std::shared_ptr<ISGSC> m_dear;
    std::shared_ptr<ISGSC> m_original;
};

// Each edit leaves the results pending; computed again they are what a
// reopened project computes, every part on its sheet inside the trims; undo
// and redo bring back the results of each state.
TEST_F(StockEditResultsTest, AnEditOfAStockSizeIsComputedAgainAsAReopenComputesIt)
{
    const struct
    {
        const char* name;
        RowEdit edit;
        const char* expected; // a line the new layouts hold
    } cases[] = {
        { "width 48 to 40", [](ISGSC& row) { SetSheet(row, 40, 96, 0); }, "49 x 97 trims 0 x2" },
        { "length 96 to 90", [](ISGSC& row) { SetSheet(row, 48, 90, 0); }, "48 x 90 trims 0 x" },
        { "trims 0 to 3", [](ISGSC& row) { SetSheet(row, 48, 96, 3); }, "48 x 96 trims 3 x" },
        { "inventory 2 to 1", [](ISGSC& row) { row.SetInventory(1); }, "48 x 96 trims 0 x1" },
        { "can buy more", [](ISGSC& row) { row.SetCanBuyMore(true); }, "48 x 96 trims 0 x2" },
        { "price 30 to 300", [](ISGSC& row) { SetPrice(row, 300); }, "49 x 97 trims 0 x2" },
        { "unit Sheets to Sq. Ft.",
            [](ISGSC& row) { row.SetPricingScheme(std::make_unique<CSGPSSquareFoot>()); }, "49 x 97 trims 0 x2" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NewProject();
        RunJobs(*m_doc);
        const QStringList before = Layouts(*m_doc);
        ASSERT_TRUE(before.contains(QStringLiteral("48 x 96 trims 0 x2"))) << before.join(u';').toStdString();
        Edit(c.edit);
        EXPECT_FALSE(m_doc->IsFullyOptimized()) << "the edit leaves the layouts of the old stock";
        RunJobs(*m_doc);
        const QStringList after = Layouts(*m_doc);
        EXPECT_TRUE(after.join(u';').contains(QString::fromLatin1(c.expected))) << after.join(u';').toStdString();
        EXPECT_FALSE(after.join(u';').contains(QStringLiteral("OFF"))) << after.join(u';').toStdString();

        HistoryUndo();
        EXPECT_FALSE(m_doc->IsFullyOptimized());
        RunJobs(*m_doc);
        EXPECT_EQ(Layouts(*m_doc).join(u';').toStdString(), before.join(u';').toStdString());
        HistoryRedo();
        EXPECT_FALSE(m_doc->IsFullyOptimized());
        RunJobs(*m_doc);
        EXPECT_EQ(Layouts(*m_doc).join(u';').toStdString(), after.join(u';').toStdString());

        const QString path = PathOf(QStringLiteral("Edited.kwxe"));
        ASSERT_TRUE(m_doc->DoSave(path, true));
        CKWLDoc reopened;
        reopened.SetShell(&m_shell);
        ASSERT_TRUE(reopened.OnOpenDocument(path));
        RunJobs(reopened);
        EXPECT_EQ(Layouts(reopened).join(u';').toStdString(), after.join(u';').toStdString());
    }
}

// A row moved to another thickness is new stock for the targets of that
// thickness: their skipped parts are placed on it, and undo skips them again.
TEST_F(StockEditResultsTest, ARowMovedToAnotherThicknessReachesTheTargetsOfThatOne)
{
    auto made = MakePart(2, 10, 20, 2, m_oak);
    made->SetThickness(CDimension::FromInches(0.5));
    CMilledPart* shelf = made.release();
    m_doc->AppendPart(shelf);
    RunJobs(*m_doc);
    ASSERT_EQ(shelf->GetPlacedCopies(), 0U) << "no half-inch stock yet";
    Edit([](ISGSC& row) { row.SetThickness(CDimension::FromInches(0.5)); });
    EXPECT_FALSE(m_doc->IsFullyOptimized());
    RunJobs(*m_doc);
    EXPECT_EQ(shelf->GetPlacedCopies(), 2U);
    HistoryUndo();
    RunJobs(*m_doc);
    EXPECT_EQ(shelf->GetPlacedCopies(), 0U);
}

// A change the optimizer does not read leaves the results as they are.
TEST_F(StockEditResultsTest, ANoteOrABinKeepsTheResults)
{
    RunJobs(*m_doc);
    Edit([](ISGSC& row) {
        row.SetSpecialNotes(QStringLiteral("by the door"));
        row.SetBin(QStringLiteral("B2"));
    });
    EXPECT_TRUE(m_doc->IsFullyOptimized());
}

// A locked project keeps its results and its stock, whatever the library's
// row becomes.
TEST_F(StockEditResultsTest, ALockedProjectKeepsItsResults)
{
    RunJobs(*m_doc);
    ASSERT_TRUE(m_doc->LockProject());
    const QStringList locked = Layouts(*m_doc);
    Edit([](ISGSC& row) { SetSheet(row, 40, 96, 3); });
    EXPECT_TRUE(m_doc->IsFullyOptimized());
    EXPECT_EQ(Layouts(*m_doc), locked);
    HistoryUndo();
    EXPECT_EQ(Layouts(*m_doc), locked);
}

// The preferred layout style of a material restyles its diagrams at the
// edit, without a run: every unpinned diagram that has the style shows it;
// undo and redo restyle them back and forth.
TEST_F(StockEditResultsTest, ANewLayoutStyleRestylesTheDiagramsAtTheEdit)
{
    m_row->SetUnlimited();
    Append(m_oak, 11, 17, 5, QStringLiteral("Shelf"));
    RunJobs(*m_doc);
    StackList stacks;
    m_doc->GetBOMOptMgr()->GetAllDiagrams(stacks);
    ASSERT_GE(stacks.size(), 2U);
    m_doc->GetBOMOptMgr()->PinDiagram(stacks.front());
    const int pinnedStyle = stacks.front()->GetCurrentGeoStyle();
    const auto styles = [&stacks] {
        std::vector<int> shown;
        for (const StackPtr& stack : stacks)
            shown.push_back(stack->GetCurrentGeoStyle());
        return shown;
    };
    const std::vector<int> before = styles();
    const auto setStyle = [this](int style) {
        std::shared_ptr<CSheetGoodEx> values = m_oak->CloneSheetGood();
        values->GetSawSetupForEdit().SetLayoutStyle(style);
        RunMaterialCommand(m_oak->CreateEditCommand(values));
    };
    for (int style : {GeometryStyles::PreferRipCuts, GeometryStyles::PreferCrossCuts}) {
        SCOPED_TRACE(style);
        GetCmdHistory()->Clear();
        setStyle(style);
        EXPECT_TRUE(m_doc->IsFullyOptimized()) << "a new style is drawn, not computed";
        std::vector<int> expected = before;
        for (std::size_t i = 1; i < stacks.size(); ++i)
            if (stacks[i]->HasGeometry(style))
                expected[i] = style;
        ASSERT_NE(expected, before) << "no diagram has the style";
        expected.front() = pinnedStyle;
        EXPECT_EQ(styles(), expected);
        HistoryUndo();
        EXPECT_EQ(styles(), before);
        HistoryRedo();
        EXPECT_EQ(styles(), expected);
        HistoryUndo();
    }
}

} // namespace
