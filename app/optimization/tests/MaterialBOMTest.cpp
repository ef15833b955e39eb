#include "FakeOptimizationDoc.h"
#include "TargetTestFixture.h"

#include "foundation/CmdHistory.h"
#include "foundation/CommandBase.h"
#include "model/MaterialUpdateInfo.h"
#include "optimization/DisplayDiagram.h"
#include "optimization/TopLevelBOM.h"

#include <thread>

namespace {

class BOMTest : public TargetTest
{
protected:
    void SetUp() override
    {
        TargetTest::SetUp();
        m_oak = AddMaterial(QStringLiteral("Oak"));
        m_row = AddRow(*m_oak, 0.75, 48, 96);
        m_thinRow = AddRow(*m_oak, 0.5, 48, 96);
        const CMoney sheetPrice = CMoney::FromReal(50.0);
        m_row->SetUnitCost(&sheetPrice);
        m_thinRow->SetUnitCost(&sheetPrice);
        m_thick = Join(AddPart(m_oak, Inches(0.75), 10));
        m_thin = Join(AddPart(m_oak, Inches(0.5), 10));
        m_bom = std::dynamic_pointer_cast<IOptimizedMaterialBOM>(m_oak->CreateBOM());
    }

    std::shared_ptr<CSheetGoodEx> m_oak;
    std::shared_ptr<ISGSC> m_row;
    std::shared_ptr<ISGSC> m_thinRow;
    OptimizationTargetPtr m_thick;
    OptimizationTargetPtr m_thin;
    MaterialBOMPtr m_bom;
};

// The prepare-for-manual-editing command of the layouts window, as a test sees it.
class FakePrepareCommand : public CommandBase
{
public:
    FakePrepareCommand(StackPtr stack, int* runs) : CommandBase(0, 0), m_stack(std::move(stack)), m_runs(runs) { }
    QString GetName() const override { return QStringLiteral("Prepare"); }
    void Execute() override
    {
        ++*m_runs;
        m_stack->GetDiagram()->PrepareManualGeometry(m_stack->GetCurrentGeoStyle());
        m_stack->SetCurrentGeoStyle(GeometryStyles::ManualEdit);
    }
    void Undo() override { }
    void Redo() override { Execute(); }

private:
    StackPtr m_stack;
    int* m_runs;
};

} // namespace

TEST_F(BOMTest, TheMaterialMakesItsBillAndLines)
{
    ASSERT_TRUE(m_bom);
    EXPECT_EQ(m_bom->GetName(), QStringLiteral("Oak"));
    EXPECT_EQ(m_bom->GetMaterialTypeCode(), 3);
    EXPECT_EQ(m_thick->CreateMaterialBOM()->GetMaterial(), m_oak);
    EXPECT_TRUE(std::dynamic_pointer_cast<SGBOMLineItem>(CreateBOMLineItem(1)));
    EXPECT_FALSE(CreateBOMLineItem(2));

    // A new bill: nothing pending, nothing to show, nothing to buy.
    EXPECT_TRUE(m_bom->IsFullyOptimized());
    EXPECT_FALSE(m_bom->HasResults());
    EXPECT_FALSE(m_bom->HasLineItems());
    EXPECT_EQ((*m_bom->GetTotals())[0].GetCount(), 0);
    EXPECT_THROW(m_bom->GetLineItem(0), std::out_of_range);
}

TEST_F(BOMTest, StoringResultsKeepsOneEntryPerTarget)
{
    const StackPtr thickStack = StackFor(m_thick, {m_thick->GetParts()[0]}, 2);
    m_bom->SetResults(ResultsFor(m_thick, {thickStack}));
    m_bom->SetResults(ResultsFor(m_thin, {StackFor(m_thin, {m_thin->GetParts()[0]}, 1)}));
    ASSERT_EQ(m_bom->GetResultsList().size(), 2u);
    EXPECT_EQ(m_bom->GetLineItemCount(), 2u);
    EXPECT_EQ((*m_bom->GetTotals())[0], CMoney::FromReal(150.0));

    // New results of the thick target replace its entry and move to the end.
    const auto replacement = ResultsFor(m_thick, {StackFor(m_thick, {m_thick->GetParts()[0]}, 3)});
    m_bom->SetResults(replacement);
    ASSERT_EQ(m_bom->GetResultsList().size(), 2u);
    EXPECT_EQ(m_bom->GetResultsList()[0]->GetTarget(), m_thin);
    EXPECT_EQ(m_bom->GetResultsList()[1], replacement);
    EXPECT_EQ(m_bom->GetLineItem(1), replacement->GetLineItems()[0]);
    EXPECT_EQ(m_bom->GetLineItemCount(), 2u) << "the old line left with its entry";
    EXPECT_EQ((*m_bom->GetTotals())[0], CMoney::FromReal(200.0));

    // A pending entry freezes the totals until real results come.
    m_bom->MarkTargetPending(m_thin);
    EXPECT_FALSE(m_bom->IsFullyOptimized());
    EXPECT_EQ(m_bom->GetResultsList()[1]->GetName(), QStringLiteral("Pending"));
    EXPECT_EQ((*m_bom->GetTotals())[0], CMoney::FromReal(200.0));
    m_bom->SetResults(ResultsFor(m_thin, {StackFor(m_thin, {m_thin->GetParts()[0]}, 2)}));
    EXPECT_TRUE(m_bom->IsFullyOptimized());
    EXPECT_EQ((*m_bom->GetTotals())[0], CMoney::FromReal(250.0));

    // A target without parts or pinned layouts drops out with its lines.
    m_thin->ClearParts();
    m_bom->SetResults(std::make_shared<OptimizationResults>(m_thin));
    ASSERT_EQ(m_bom->GetResultsList().size(), 1u);
    EXPECT_EQ(m_bom->GetLineItemCount(), 1u);
    EXPECT_EQ((*m_bom->GetTotals())[0], CMoney::FromReal(150.0));
}

TEST_F(BOMTest, TwoJobsStoringAtOnceBothLand)
{
    for (int round = 0; round < 20; ++round) {
        auto thick = ResultsFor(m_thick, {StackFor(m_thick, {m_thick->GetParts()[0]}, 1)});
        auto thin = ResultsFor(m_thin, {StackFor(m_thin, {m_thin->GetParts()[0]}, 1)});
        std::thread first([&] { m_bom->SetResults(thick); });
        std::thread second([&] { m_bom->SetResults(thin); });
        first.join();
        second.join();
        ASSERT_EQ(m_bom->GetResultsList().size(), 2u);
        EXPECT_EQ(m_bom->GetLineItemCount(), 2u);
        EXPECT_TRUE(m_bom->GetResultsList()[0]->IsForTarget(m_thick) != m_bom->GetResultsList()[1]->IsForTarget(m_thick));
    }
}

TEST_F(BOMTest, StacksFlagsAndStyles)
{
    m_oak->GetSawSetupForEdit().SetLayoutStyle(GeometryStyles::PreferRipCuts);
    StockSpec stock {m_oak, m_row, 0};
    CMilledPart* part = m_thick->GetParts()[0];
    const StackPtr both = MakeStack(stock, {Drawn(part, 0, 0, 10, 20)}, 2, {0, 1});
    const StackPtr pinned = MakeStack(stock, {Drawn(part, 0, 0, 10, 20)}, 1, {0, 1});
    const StackPtr standardOnly = MakeStack(stock, {Drawn(part, 0, 0, 10, 20)}, 1, {0});
    pinned->Pin(m_usage);
    m_bom->SetResults(ResultsFor(m_thick, {both, pinned}));
    m_bom->SetResults(ResultsFor(m_thin, {standardOnly}));
    StackList stacks;
    m_bom->CollectStacks(stacks);
    EXPECT_EQ(stacks, (StackList {pinned, both, standardOnly})) << "pinned first among equals, then by entry";


    both->FindCopyFlags(1)->SetChecked(true);
    EXPECT_FALSE(m_bom->HasStackWithFlag0(true)) << "only first copies";
    EXPECT_TRUE(m_bom->HasStackWithFlag0(false));
    const StackPtr noCopies = MakeStack(stock, {Drawn(part, 0, 0, 10, 20)}, 0);
    EXPECT_FALSE(OptimizationResults(m_thick, {noCopies}, {}).HasStackWithFlag0(true))
        << "a stack without copies has no first copy";

    m_bom->SetAnnotationFlag(true);
    EXPECT_TRUE(both->GetCopyFlags(1).IsFancyAnnotationStyle());

    // The material's saw setup asks for rip cuts: unpinned stacks that have
    // that layout show it; pinned ones and those without it stay.
    const bool flags[6] = {false, false, false, false, false, true};
    m_bom->ApplySawSetupStyle(std::make_shared<MaterialUpdateInfo<CSheetGoodEx>>(m_oak, flags));
    EXPECT_EQ(both->GetCurrentGeoStyle(), GeometryStyles::PreferRipCuts);
    EXPECT_EQ(pinned->GetCurrentGeoStyle(), GeometryStyles::Standard);
    EXPECT_EQ(standardOnly->GetCurrentGeoStyle(), GeometryStyles::Standard);
}

TEST_F(BOMTest, TheProjectBillListsMaterialBillsAndTotalsThemWhenAllAreFinal)
{
    SheetGoodsBOM project;
    auto zebra = AddMaterial(QStringLiteral("Zebra"));
    AddRow(*zebra, 0.75, 48, 96);
    const auto zebraTarget = Join(AddPart(zebra, Inches(0.75)));
    const MaterialBOMPtr oakBOM = project.GetMaterialBOMForTarget(*m_thick);
    EXPECT_EQ(project.GetMaterialBOMForTarget(*m_thin), oakBOM) << "found by material name";
    const MaterialBOMPtr zebraBOM = project.GetMaterialBOMForTarget(*zebraTarget);
    auto apple = std::make_shared<NamedSheetGoodBOM>(MakeSheetGood(QStringLiteral("apple")));
    project.AddMaterialBOM(apple);
    ASSERT_EQ(project.GetCount(), 3u);
    EXPECT_EQ(project.GetLineItemAt(1), project.GetMaterialBOM(1));
    EXPECT_FALSE(project.GetMaterialBOM(3)) << "an index outside the list";

    project.SortByName();
    EXPECT_EQ(project.GetMaterialBOM(0)->GetName(), QStringLiteral("Oak"));
    EXPECT_EQ(project.GetMaterialBOM(1), zebraBOM) << "capitals before small letters";
    EXPECT_EQ(project.GetMaterialBOM(2), apple);

    const StackPtr oakStack = StackFor(m_thick, {m_thick->GetParts()[0]}, 2);
    const StackPtr zebraStack = StackFor(zebraTarget, {zebraTarget->GetParts()[0]}, 1);
    oakBOM->SetResults(ResultsFor(m_thick, {oakStack}));
    zebraBOM->SetResults(ResultsFor(zebraTarget, {zebraStack}));
    StackList stacks;
    project.CollectStacks(stacks);
    EXPECT_EQ(stacks, (StackList {oakStack, zebraStack}));
    EXPECT_EQ((*project.GetTotalsDTO())[0], CMoney::FromReal(100.0));

    zebraBOM->MarkTargetPending(zebraTarget);
    EXPECT_FALSE(project.IsFullyOptimized());
    EXPECT_EQ((*project.GetTotalsDTO())[0], CMoney::FromReal(100.0)) << "frozen while a target is pending";

    project.RegisterResultsForNumbering();
    EXPECT_EQ(GetDiagramIndex().GetStackTarget(oakStack), m_thick);
    project.RemoveMaterialBOM(apple);
    EXPECT_EQ(project.GetCount(), 2u);
}

TEST_F(BOMTest, EditsOfAProjectWithAPinnedStackKeepUsageAndPlacedCounts)
{
    CMilledPart* part = m_thick->GetParts()[0];
    part->SetOptimizerPlacedCopies(8);
    const StackPtr pinned = StackFor(m_thick, {part}, 2);
    pinned->Pin(m_usage);
    m_thick->AddPinnedLayout(pinned);
    m_bom->SetResults(ResultsFor(m_thick, {pinned}));
    const std::uint32_t optimizerPlaced = part->GetOptimizerPlacedCopies();
    const std::uint32_t handPlaced = part->GetHandPlacedCopies();
    ASSERT_EQ(handPlaced, 2u);

    const auto kerfEdit = std::make_shared<MaterialUpdateInfo<CSheetGoodEx>>(1, m_oak);
    for (int edit = 0; edit < 10; ++edit) {
        m_bom->ResetAffectedTargets(kerfEdit, m_usage);
        ASSERT_EQ(m_usage.GetPinnedCount(m_row.get()), 2u) << "after edit " << edit;
        ASSERT_EQ(part->GetOptimizerPlacedCopies(), optimizerPlaced);
        ASSERT_EQ(part->GetHandPlacedCopies(), handPlaced);
    }
    EXPECT_FALSE(m_thick->IsOptimized());
    EXPECT_FALSE(m_bom->IsFullyOptimized());
    EXPECT_EQ(m_thick->GetStockList().size(), 1u);
}

TEST_F(BOMTest, ManualEditsKeepLinesAndNumberingInStep)
{
    CMilledPart* part = m_thick->GetParts()[0];
    const StackPtr first = StackFor(m_thick, {part}, 1);
    const StackPtr second = StackFor(m_thick, {part, part}, 1);
    const auto results = ResultsFor(m_thick, {first, second});
    m_bom->SetResults(results);
    const OptimizedLineItemPtr line = results->GetLineItems()[0];

    m_bom->RemoveStackFromTarget(first, m_thick);
    EXPECT_EQ(results->GetStacks(), StackList {second});
    EXPECT_EQ(line->GetLayouts(), StackList {second});
    EXPECT_TRUE(GetDiagramIndex().FindDiagramLabel(first).isEmpty());
    m_bom->AddStackToTarget(first, m_thick);
    EXPECT_EQ(line->GetLayouts().size(), 2u);
    EXPECT_FALSE(GetDiagramIndex().FindDiagramLabel(first).isEmpty());

    // Removing a line's last stack takes the line out; restoring brings it back, counted.
    EXPECT_EQ(results->RemoveEmptyStack(first), line);
    EXPECT_EQ(results->RemoveEmptyStack(second), line);
    EXPECT_TRUE(results->GetLineItems().empty());
    results->RestoreStack(second, line);
    ASSERT_EQ(results->GetLineItems().size(), 1u);
    EXPECT_EQ(line->GetLayouts(), StackList {second});

    auto otherRow = AddRow(*m_oak, 0.75, 60, 120);
    const StackPtr foreign = MakeStack({m_oak, otherRow, 0}, {Drawn(part, 0, 0, 10, 20)}, 1);
    results->AddStack(foreign);
    EXPECT_EQ(results->GetStacks().size(), 2u);
    EXPECT_EQ(line->GetLayouts().size(), 1u) << "no line of that row: no line changes";
}

TEST_F(BOMTest, PickingTheManualStyleRunsThePrepareCommandOnce)
{
    FakeOptimizationDoc doc;
    CreateCmdHistory(&doc);
    int runs = 0;
    RegisterPrepareForManualEditingCommand(
        [&runs](const StackPtr& stack, int) { return std::make_shared<FakePrepareCommand>(stack, &runs); });
    const StackPtr stack = StackFor(m_thick, {m_thick->GetParts()[0]}, 2);
    const auto results = ResultsFor(m_thick, {stack});
    const DisplayDiagramPtr shown = stack->MakeDisplayDiagram(1);

    EXPECT_TRUE(results->SelectLayoutStyle(*shown, GeometryStyles::ManualEdit));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(stack->GetCurrentGeoStyle(), GeometryStyles::ManualEdit);
    EXPECT_FALSE(results->SelectLayoutStyle(*shown, GeometryStyles::Standard));
    EXPECT_EQ(stack->GetCurrentGeoStyle(), GeometryStyles::Standard);
    EXPECT_FALSE(results->SelectLayoutStyle(*shown, GeometryStyles::ManualEdit));
    EXPECT_EQ(runs, 1) << "the manual geometry exists: only the style switches";
    EXPECT_EQ(stack->GetCurrentGeoStyle(), GeometryStyles::ManualEdit);

    RegisterPrepareForManualEditingCommand(nullptr);
    CreateCmdHistory(nullptr);

    EXPECT_TRUE(CompareTargets(ResultsFor(m_thin, {}), results) != CompareTargets(results, ResultsFor(m_thin, {})));
}
