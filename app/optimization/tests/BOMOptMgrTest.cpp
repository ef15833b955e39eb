#include "ProjectTestFixture.h"

#include "foundation/IdentityMapper.h"
#include "model/OptimizationSettings.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/OptSettingsUpdateInfo.h"
#include "optimization/OptimizationManager.h"

#include "FakeOptimizationDoc.h"

#include <algorithm>
#include <thread>

namespace {

class BOMOptMgrTest : public ProjectTest
{
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        m_oak = AddMaterial(QStringLiteral("Oak"));
        m_oakThick = AddRow(*m_oak, 0.75, 48, 96);
        m_oakThin = AddRow(*m_oak, 0.5, 48, 96);
        m_ash = AddMaterial(QStringLiteral("Ash"));
        m_ashRow = AddRow(*m_ash, 0.75, 48, 96);
    }

    std::shared_ptr<CSheetGoodEx> m_oak;
    std::shared_ptr<ISGSC> m_oakThick;
    std::shared_ptr<ISGSC> m_oakThin;
    std::shared_ptr<CSheetGoodEx> m_ash;
    std::shared_ptr<ISGSC> m_ashRow;
};

// A material of another kind than sheet goods, as lumber would be.
class OtherKindMaterial : public CSheetGoodEx
{
public:
    using CSheetGoodEx::CSheetGoodEx;
    int GetKind() const override { return 1; }
    std::uint32_t GetTypeCode() const override { return 1; }
};

} // namespace

// Only sheet goods are cut from sheets: a part of another material joins no
// target, so no job and no bill is made for it, and its copies stay unplaced.
TEST_F(BOMOptMgrTest, APartOfAnotherKindOfMaterialGetsNoTargetAndIsSkipped)
{
    auto walnut = std::make_shared<OtherKindMaterial>(QStringLiteral("Walnut"));
    AddRow(*walnut, 0.75, 6, 96)->SetUnlimited();
    m_library->GetMaterials().push_back(walnut);
    CMilledPart* board = AddPart(walnut, Inches(0.75), 3);
    CMilledPart* panel = AddPart(m_oak, Inches(0.75), 1);
    m_bom->AddParts(Parts());
    EXPECT_FALSE(TargetOf(board));
    const OptimizationTargetPtr target = TargetOf(panel);
    ASSERT_TRUE(target);
    EXPECT_EQ(m_bom->GetTargetsMgr()->GetTargetList().size(), 1U);

    OptTargetList pending;
    m_bom->CollectPendingJobs(kCollectPendingTargets, pending);
    ASSERT_EQ(pending.size(), 1U);
    EXPECT_EQ(pending.front(), target);
    EXPECT_FALSE(BillOf(QStringLiteral("Walnut")));

    Optimized(target, { StackFor(target, { panel }, 1) });
    EXPECT_TRUE(m_bom->IsFullyOptimized());
    EXPECT_EQ(board->GetUnplacedCopies(), 3U);

    // Added on its own, as an edit adds it, it still finds none.
    m_bom->RemovePart(board);
    m_bom->AddPart(board);
    EXPECT_FALSE(TargetOf(board));
    EXPECT_TRUE(m_bom->IsFullyOptimized());
}

TEST_F(BOMOptMgrTest, APartMovedToAnotherThicknessChangesTarget)
{
    for (const bool pinned : {false, true}) {
        SCOPED_TRACE(pinned);
        m_bom = std::make_shared<BOMOptMgr>();
        m_parts.clear();
        CMilledPart* part = AddPart(m_ash, Inches(0.75));
        AddPart(m_oak, Inches(0.75));
        m_bom->AddParts(Parts());
        const OptimizationTargetPtr old = TargetOf(part);
        ASSERT_TRUE(old);
        if (pinned)
            m_bom->PinDiagram(StackFor(old, {part}, 1));

        // The document's edit: out with the old values, in with the new.
        m_bom->RemovePart(part);
        part->SetMaterial(m_oak);
        part->SetThickness(Inches(0.5));
        m_bom->AddPart(part);

        const OptimizationTargetPtr moved = TargetOf(part);
        ASSERT_TRUE(moved);
        EXPECT_NE(moved, old);
        EXPECT_EQ(moved->GetMaterialName(), QStringLiteral("Oak"));
        const OptTargetList& targets = m_bom->GetTargetsMgr()->GetTargetList();
        const bool oldKept = std::find(targets.begin(), targets.end(), old) != targets.end();
        EXPECT_EQ(oldKept, pinned);
        EXPECT_EQ(static_cast<bool>(BillOf(QStringLiteral("Ash"))), pinned) << "the bill goes with its target";
        EXPECT_TRUE(BillOf(QStringLiteral("Oak")));
        EXPECT_FALSE(m_bom->IsFullyOptimized());
    }
}

TEST_F(BOMOptMgrTest, ResetModesAndRebuildFromParts)
{
    struct Case { int mode; std::size_t targets; bool numberingKept; std::uint32_t pinnedSheets; };
    const Case cases[] = {{0, 0, false, 0}, {1, 0, true, 0}, {2, 1, false, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        m_bom = std::make_shared<BOMOptMgr>();
        m_parts.clear();
        CMilledPart* ashPart = AddPart(m_ash, Inches(0.75));
        CMilledPart* oakPart = AddPart(m_oak, Inches(0.75));
        m_bom->AddParts(Parts());
        const StackPtr pinned = StackFor(TargetOf(ashPart), {ashPart}, 2);
        m_bom->PinDiagram(pinned);
        const StackPtr free = StackFor(TargetOf(oakPart), {oakPart}, 1);
        Optimized(TargetOf(ashPart), {pinned});
        Optimized(TargetOf(oakPart), {free});
        ASSERT_FALSE(GetDiagramIndex().FindDiagramLabel(free).isEmpty());

        m_bom->Reset(c.mode);
        EXPECT_EQ(m_bom->GetSheetGoodsBOM()->GetCount(), 0u);
        ASSERT_EQ(m_bom->GetTargetsMgr()->GetTargetList().size(), c.targets);
        EXPECT_EQ(!GetDiagramIndex().FindDiagramLabel(free).isEmpty(), c.numberingKept);
        EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_ashRow.get()), c.pinnedSheets);
        if (c.targets) {
            EXPECT_FALSE(m_bom->GetTargetsMgr()->GetTargetList()[0]->HasParts());
        }
    }

    // Unlocking: the Ash part now is Oak, the pinned Ash target stays empty.
    m_bom->RemapReferences(std::make_shared<IdentityMapper>());
    ASSERT_TRUE(m_bom->IsProjectLocked());
    m_parts[0]->SetMaterial(m_oak);
    m_bom->RebuildFromParts(Parts());
    EXPECT_FALSE(m_bom->IsProjectLocked());
    const OptTargetList& targets = m_bom->GetTargetsMgr()->GetTargetList();
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(targets[0]->GetMaterialName(), QStringLiteral("Ash"));
    EXPECT_FALSE(targets[0]->HasParts());
    EXPECT_TRUE(targets[0]->HasPinnedLayouts());
    EXPECT_EQ(targets[1]->GetParts().size(), 2u);
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_ashRow.get()), 2u);

    // The run's collection makes the missing Ash bill on this thread.
    EXPECT_FALSE(BillOf(QStringLiteral("Ash")));
    OptTargetList pending;
    m_bom->CollectPendingJobs(0, pending);
    EXPECT_TRUE(pending.empty());
    m_bom->CollectPendingJobs(kCollectPendingTargets, pending);
    EXPECT_EQ(pending, targets);
    EXPECT_TRUE(BillOf(QStringLiteral("Ash")));
}

TEST_F(BOMOptMgrTest, LockingRekeysThePinnedUsageToTheMappersObjects)
{
    CMilledPart* part = AddPart(m_oak, Inches(0.75));
    m_bom->AddPart(part);
    m_bom->PinDiagram(StackFor(TargetOf(part), {part}, 3));

    auto lockedOak = MakeSheetGood(QStringLiteral("Oak"));
    const auto lockedRow = AddRow(*lockedOak, 0.75, 48, 96);
    auto mapper = std::make_shared<IdentityMapper>();
    mapper->RegisterAs(m_oak->GetIdentity(), lockedOak);
    mapper->RegisterAs(m_oakThick->GetIdentity(), lockedRow);
    m_bom->RemapReferences(mapper);

    EXPECT_TRUE(m_bom->IsProjectLocked());
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(lockedRow.get()), 3u);
    EXPECT_TRUE(m_bom->GetPinnedUsage().IsMaterialPinned(lockedOak.get()));
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_oakThick.get()), 0u);
    EXPECT_FALSE(m_bom->GetPinnedUsage().IsMaterialPinned(m_oak.get()));
}

TEST_F(BOMOptMgrTest, PinningKeepsFlagUsageAndPinnedListTogether)
{
    CMilledPart* part = AddPart(m_oak, Inches(0.75));
    CMilledPart* other = AddPart(m_oak, Inches(0.75));
    m_bom->AddParts(Parts());
    const OptimizationTargetPtr target = TargetOf(part);
    const StackPtr first = StackFor(target, {part}, 3);
    const StackPtr second = StackFor(target, {other}, 1);
    Optimized(target, {first, second});
    ASSERT_TRUE(m_bom->IsFullyOptimized());

    auto expectPinned = [&](const StackPtr& stack, bool pinned, std::uint32_t sheets) {
        EXPECT_EQ(stack->IsPinned(), pinned);
        // Locking moves the usage to the locked copy of the row the stack uses.
        EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(stack->GetStockSpec().size.get()), sheets);
        const StackList& list = target->GetPinnedLayouts();
        EXPECT_EQ(std::count(list.begin(), list.end(), stack), pinned ? 1 : 0);
    };

    m_bom->PinDiagram(first);
    expectPinned(first, true, 3);
    StackList stacks;
    m_bom->GetPinnedStacksInScope(1, stacks);
    EXPECT_TRUE(stacks.empty()) << "scope 1 holds nothing";
    m_bom->GetPinnedStacksInScope(0, stacks);
    EXPECT_EQ(stacks, StackList {first});
    stacks.clear();
    m_bom->GetPinnedStacksWithPart(other, stacks);
    EXPECT_TRUE(stacks.empty());
    m_bom->GetUnpinnedStacksOfMaterial(*m_oak, stacks);
    EXPECT_EQ(stacks, StackList {second});
    stacks.clear();
    m_bom->GetUnpinnedStacksOfMaterial(*MakeSheetGood(QStringLiteral("Teak")), stacks);
    m_bom->GetUnpinnedStacksInScope(1, stacks);
    EXPECT_TRUE(stacks.empty());

    // Unpinning in an unlocked project sends the target back: pending results.
    m_bom->UnpinDiagramAndReoptimize(first);
    expectPinned(first, false, 0);
    EXPECT_FALSE(target->IsOptimized());
    EXPECT_FALSE(m_bom->IsFullyOptimized());
    OptTargetList pending;
    m_bom->CollectPendingJobs(kCollectPendingTargets, pending);
    EXPECT_EQ(pending, OptTargetList {target});

    m_bom->RepinDiagramAndReoptimize(first);
    expectPinned(first, true, 3);
    EXPECT_FALSE(m_bom->IsFullyOptimized());

    // Locked: the stack, the usage and the list change; stock and results stay.
    Optimized(target, {first, second});
    m_bom->RemapReferences(std::make_shared<IdentityMapper>());
    const auto stock = target->GetStockList();
    m_bom->UnpinDiagramAndReoptimize(first);
    expectPinned(first, false, 0);
    EXPECT_TRUE(target->IsOptimized());
    EXPECT_TRUE(m_bom->IsFullyOptimized());
    EXPECT_EQ(target->GetStockList(), stock);
    m_bom->RepinDiagramAndReoptimize(first);
    expectPinned(first, true, 3);
    EXPECT_TRUE(m_bom->IsFullyOptimized());

    // Manual editing takes a pinned stack out of the results and back.
    m_bom->RemoveStackFromResults(first);
    EXPECT_TRUE(first->IsPinned());
    EXPECT_TRUE(target->GetPinnedLayouts().empty());
    stacks.clear();
    m_bom->GetAllDiagrams(stacks);
    EXPECT_EQ(stacks, StackList {second});
    m_bom->AddStackToResults(first);
    expectPinned(first, true, 3);
    stacks.clear();
    m_bom->GetAllUnpinnedStacks(stacks);
    EXPECT_EQ(stacks, StackList {second});
}

TEST_F(BOMOptMgrTest, RemovingAndRestoringEmptyDiagramsKeepsTheBillsLines)
{
    CMilledPart* part = AddPart(m_oak, Inches(0.75));
    m_bom->AddPart(part);
    const OptimizationTargetPtr target = TargetOf(part);
    const StackPtr single = StackFor(target, {part}, 1);
    const StackPtr doubled = StackFor(target, {part}, 2);
    const OptimizationResultsPtr results = Optimized(target, {single, doubled});
    const MaterialBOMPtr bill = BillOf(QStringLiteral("Oak"));
    ASSERT_EQ(bill->GetLineItemCount(), 1u);
    const OptimizedLineItemPtr line = bill->GetLineItem(0);

    // One sheet of a stack of two.
    EXPECT_FALSE(m_bom->RemoveEmptyDiagram(doubled, 1, results));
    EXPECT_EQ(doubled->GetCount(), 1u);
    m_bom->RestoreEmptyDiagram(doubled, 1, results, nullptr);
    EXPECT_EQ(doubled->GetCount(), 2u);

    // Whole stacks: the line leaves the bill with its last layout and comes back.
    EXPECT_EQ(m_bom->RemoveEmptyDiagram(single, 1, results), line);
    EXPECT_EQ(bill->GetLineItemCount(), 1u);
    EXPECT_EQ(m_bom->RemoveEmptyDiagram(doubled, 2, results), line);
    EXPECT_EQ(bill->GetLineItemCount(), 0u);
    EXPECT_FALSE(results->HasStacks());
    m_bom->RestoreEmptyDiagram(doubled, 2, results, line);
    ASSERT_EQ(bill->GetLineItemCount(), 1u);
    EXPECT_EQ(bill->GetLineItem(0), line);
    m_bom->RestoreEmptyDiagram(single, 1, results, line);
    EXPECT_EQ(bill->GetLineItemCount(), 1u) << "a line already there is not added twice";
    EXPECT_EQ(results->GetStacks().size(), 2u);
    EXPECT_EQ(line->GetLayouts().size(), 2u);
    EXPECT_EQ(single->GetCount(), 1u);
}

TEST_F(BOMOptMgrTest, ASettingsEditSendsBackOnlyTheTargetsItAffects)
{
    CMilledPart* part = AddPart(m_oak, Inches(0.75));
    m_bom->AddPart(part);
    const OptimizationTargetPtr target = TargetOf(part);
    Optimized(target, {StackFor(target, {part}, 1)});

    OptimizationSettings old;
    OptimizationSettings next = old;
    next.optionWord1 = 9;
    m_bom->ResetAffectedTargets(std::make_shared<OptSettingsUpdateInfo>(old, next));
    EXPECT_TRUE(m_bom->IsFullyOptimized());
    next.packing = 0;
    m_bom->ResetAffectedTargets(std::make_shared<OptSettingsUpdateInfo>(old, next));
    EXPECT_FALSE(m_bom->IsFullyOptimized());
    EXPECT_FALSE(target->IsOptimized());
}

// Jobs are made on this thread, one of them for a target whose bill went
// with its last part: collecting the pending targets makes that bill here, so
// the workers that run the jobs never add to the bill list.
TEST_F(BOMOptMgrTest, JobsMadeHereRunOnWorkersAtOnce)
{
    m_oakThick->SetUnlimited();
    m_ashRow->SetUnlimited();
    CMilledPart* oak = AddPart(m_oak, Inches(0.75));
    CMilledPart* ash = AddPart(m_ash, Inches(0.75));
    m_bom->AddParts(Parts());
    const OptimizationTargetPtr ashTarget = TargetOf(ash);
    m_bom->GetSheetGoodsBOM()->RemoveMaterialBOM(BillOf(QStringLiteral("Ash")));
    ASSERT_FALSE(BillOf(QStringLiteral("Ash")));

    OptTargetList pending;
    m_bom->CollectPendingJobs(kCollectPendingTargets, pending);
    ASSERT_EQ(pending.size(), 2U);
    ASSERT_TRUE(BillOf(QStringLiteral("Ash")));
    FakeOptimizationDoc doc;
    std::vector<std::shared_ptr<IOptimizationMgr>> jobs;
    for (const auto& target : pending) {
        jobs.push_back(m_bom->MakeOptimizationJob(std::dynamic_pointer_cast<OptimizationTarget>(target), doc));
        ASSERT_TRUE(jobs.back());
    }
    const int bills = m_bom->GetSheetGoodsBOM()->GetCount();
    std::thread a([&] { BOMOptMgr::RunOptimizationJob(*jobs[0]); });
    std::thread b([&] { BOMOptMgr::RunOptimizationJob(*jobs[1]); });
    a.join();
    b.join();

    EXPECT_EQ(m_bom->GetSheetGoodsBOM()->GetCount(), bills);
    EXPECT_TRUE(m_bom->IsFullyOptimized());
    EXPECT_TRUE(ashTarget->IsOptimized());
    EXPECT_EQ(oak->GetOptimizerPlacedCopies(), oak->GetCopies());
    EXPECT_EQ(ash->GetOptimizerPlacedCopies(), ash->GetCopies());
}
