#include "TargetTestFixture.h"

#include "foundation/IdentityMapper.h"
#include "model/MaterialUpdateInfo.h"
#include "model/OptimizationTargetHooks.h"
#include "model/ThicknessBasedOptTarget.h"

namespace {
constexpr std::int32_t kThreeQuarters = 12288; // 0.75 in in counts
} // namespace

TEST_F(TargetTest, PartsShareATargetByMaterialObjectAndThicknessWithin32Counts)
{
    auto birch = AddMaterial(QStringLiteral("Birch"));
    auto birchTwin = MakeSheetGood(QStringLiteral("Birch")); // another object of the same name
    struct Case { std::shared_ptr<CSheetGoodEx> material; std::int32_t units; std::size_t target; };
    const Case cases[] = {
        {birch, kThreeQuarters, 0},
        {birch, kThreeQuarters + 32, 0},
        {birch, kThreeQuarters + 33, 1},
        {birchTwin, kThreeQuarters, 2},
        {birch, kThreeQuarters - 32, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.units);
        const OptimizationTargetPtr target = Join(AddPart(c.material, CDimension::FromUnits(c.units)));
        ASSERT_TRUE(target);
        ASSERT_LT(c.target, m_mgr.GetTargetList().size());
        EXPECT_EQ(target, m_mgr.GetTargetList()[c.target]) << "appended in creation order";
    }
    EXPECT_EQ(m_mgr.GetTargetList().size(), 3u);
    EXPECT_EQ(m_mgr.GetTargetList()[0]->GetCriteria()->GetThickness().GetUnits(), kThreeQuarters)
        << "the first part's thickness stays";
    EXPECT_EQ(m_mgr.FindTargetOfPart(m_parts[1].get()), m_mgr.GetTargetList()[0]);
    EXPECT_FALSE(m_mgr.FindTargetOfPart(nullptr));

    m_mgr.RemoveTarget(m_mgr.GetTargetList()[1]);
    EXPECT_EQ(m_mgr.GetTargetList().size(), 2u);
    EXPECT_EQ(m_mgr.GetTargetList()[1]->GetMaterialName(), QStringLiteral("Birch"));
}

TEST_F(TargetTest, ATargetStartsPendingWithTheStockThatFits)
{
    auto oak = AddMaterial(QStringLiteral("Oak"));
    const auto fits = AddRow(*oak, 0.75, 48, 96);
    AddRow(*oak, 0.5, 48, 96);
    const auto also = AddRow(*oak, 0.75, 60, 120);
    const OptimizationTargetPtr target = Join(AddPart(oak, Inches(0.75)));
    EXPECT_FALSE(target->IsOptimized());
    ASSERT_EQ(target->GetStockList().size(), 2u);
    EXPECT_EQ(target->GetStockList()[0], fits);
    EXPECT_EQ(target->GetStockList()[1], also);

    EXPECT_TRUE(m_mgr.FindTargetForStock({oak, fits, 0}));
    EXPECT_FALSE(m_mgr.FindTargetForStock({oak, fits, 1})) << "only material type 0 has targets";
    EXPECT_FALSE(m_mgr.FindTargetForStock({oak, oak->GetSizeCosts()[1], 0})) << "another thickness";

    CMilledPart* part = target->GetParts().front();
    target->AddPart(part);
    EXPECT_EQ(target->GetParts().size(), 2u);
    target->RemovePart(part);
    EXPECT_FALSE(target->HasParts()) << "both entries go";
}

TEST_F(TargetTest, PendingTargetsAreCollectedOnlyWhenRequested)
{
    auto oak = AddMaterial(QStringLiteral("Oak"));
    AddRow(*oak, 0.75, 48, 96);
    const auto first = Join(AddPart(oak, Inches(0.75)));
    const auto second = Join(AddPart(oak, Inches(0.5)));
    const auto third = Join(AddPart(oak, Inches(1.0)));
    second->SetOptimized(true);

    struct Case { std::uint32_t request; std::vector<OptimizationTargetPtr> expected; };
    const Case cases[] = {{1, {first, third}}, {3, {first, third}}, {0, {}}, {2, {}}};
    for (const Case& c : cases) {
        OptTargetList pending;
        m_mgr.CollectPendingTargets(c.request, pending);
        ASSERT_EQ(pending.size(), c.expected.size()) << c.request;
        for (std::size_t i = 0; i < pending.size(); ++i)
            EXPECT_EQ(pending[i], c.expected[i]);
    }
}

TEST_F(TargetTest, ResetModes)
{
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        m_mgr.Reset(0, m_usage);
        m_usage.Clear();
        auto oak = AddMaterial(QStringLiteral("Oak"));
        AddRow(*oak, 0.75, 48, 96);
        CMilledPart* part = AddPart(oak, Inches(0.75), 10);
        const auto pinnedTarget = Join(part);
        const auto plainTarget = Join(AddPart(oak, Inches(0.5)));
        part->SetOptimizerPlacedCopies(6);
        const StackPtr stack = StackFor(pinnedTarget, {part}, 2);
        stack->Pin(m_usage);
        pinnedTarget->AddPinnedLayout(stack);
        pinnedTarget->SetOptimized(true);
        const QString letter = GetDiagramIndex().FindTargetLetter(pinnedTarget.get());
        ASSERT_FALSE(letter.isEmpty());

        m_usage.Clear(); // as the manager does before a reset
        m_mgr.Reset(mode, m_usage);
        if (mode == 2) {
            ASSERT_EQ(m_mgr.GetTargetList().size(), 1u);
            EXPECT_EQ(m_mgr.GetTargetList()[0], pinnedTarget);
            EXPECT_FALSE(pinnedTarget->HasParts());
            EXPECT_FALSE(pinnedTarget->IsOptimized());
            EXPECT_EQ(m_usage.GetPinnedCount(stack->GetStockSpec().size.get()), 2u);
            EXPECT_EQ(part->GetHandPlacedCopies(), 2u) << "cleared, then the pinned stack's copies again";
            EXPECT_EQ(GetDiagramIndex().FindTargetLetter(pinnedTarget.get()), QStringLiteral("A"));
            EXPECT_TRUE(GetDiagramIndex().FindTargetLetter(plainTarget.get()).isEmpty());
        } else {
            EXPECT_TRUE(m_mgr.GetTargetList().empty());
            EXPECT_EQ(GetDiagramIndex().FindTargetLetter(pinnedTarget.get()).isEmpty(), mode == 0)
                << "mode 1 keeps the numbering";
        }
    }
}

TEST_F(TargetTest, RestoringAfterLoadCountsEachPinnedSheetOnce)
{
    auto oak = AddMaterial(QStringLiteral("Oak"));
    AddRow(*oak, 0.75, 48, 96);
    CMilledPart* part = AddPart(oak, Inches(0.75), 10);
    const auto target = Join(part);
    part->SetOptimizerPlacedCopies(6);
    const StackPtr stack = StackFor(target, {part}, 3);
    stack->Pin(m_usage);
    target->AddPinnedLayout(stack);
    const StackPtr dropped = StackFor(target, {part}, 1); // listed, but no longer flagged pinned
    target->AddPinnedLayout(dropped);

    // Loading a locked project has counted the pinned sheets already.
    for (bool keepParts : {true, false}) {
        SCOPED_TRACE(keepParts);
        m_mgr.RestoreAfterLoad(m_usage, keepParts);
        EXPECT_EQ(m_usage.GetPinnedCount(stack->GetStockSpec().size.get()), 3u);
        EXPECT_EQ(part->GetHandPlacedCopies(), 3u);
        EXPECT_EQ(target->HasParts(), keepParts);
    }
}

// A locked project's targets come with their results and are never run
// again: one with a pinned layout stays as optimized as it was stored. An
// unlocked project's are computed again.
TEST_F(TargetTest, RestoringAfterLoadKeepsALockedTargetAsOptimizedAsStored)
{
    auto oak = AddMaterial(QStringLiteral("Oak"));
    AddRow(*oak, 0.75, 48, 96);
    CMilledPart* part = AddPart(oak, Inches(0.75), 4);
    const auto target = Join(part);
    part->SetOptimizerPlacedCopies(4);
    const StackPtr stack = StackFor(target, {part}, 1);
    stack->Pin(m_usage);
    target->AddPinnedLayout(stack);
    for (const bool keepParts : {true, false})
        for (const bool stored : {true, false}) {
            SCOPED_TRACE(testing::Message() << "parts kept " << keepParts << ", stored optimized " << stored);
            target->SetOptimized(stored);
            m_mgr.RestoreAfterLoad(m_usage, keepParts);
            EXPECT_EQ(target->IsOptimized(), keepParts && stored);
        }
}

TEST_F(TargetTest, PinnedStackQueries)
{
    auto oak = AddMaterial(QStringLiteral("Oak"));
    auto ash = AddMaterial(QStringLiteral("Ash"));
    AddRow(*oak, 0.75, 48, 96);
    AddRow(*ash, 0.75, 48, 96);
    CMilledPart* oakPart = AddPart(oak, Inches(0.75));
    CMilledPart* ashPart = AddPart(ash, Inches(0.75));
    const auto oakTarget = Join(oakPart);
    const auto ashTarget = Join(ashPart);
    const StackPtr oakStack = StackFor(oakTarget, {oakPart}, 1);
    const StackPtr ashStack = StackFor(ashTarget, {ashPart}, 1);
    oakTarget->AddPinnedLayout(oakStack);
    ashTarget->AddPinnedLayout(ashStack);

    StackList found;
    m_mgr.GetAllPinnedStacks(found);
    EXPECT_EQ(found, (StackList {oakStack, ashStack}));
    found.clear();
    m_mgr.GetPinnedStacksWithPart(ashPart, found);
    EXPECT_EQ(found, StackList {ashStack});
    found.clear();
    m_mgr.GetPinnedStacksOfMaterial(oak.get(), found);
    EXPECT_EQ(found, StackList {oakStack});
    found.clear();
    m_mgr.GetPinnedStacksInScope(1, found);
    EXPECT_TRUE(found.empty());

    oakTarget->RemovePinnedLayout(ashStack);
    EXPECT_EQ(oakTarget->GetPinnedLayouts().size(), 1u) << "a stack not in the list changes nothing";
}

TEST_F(TargetTest, AKerfEditReachesTheTargetsOfItsMaterialOnly)
{
    auto oak = AddMaterial(QStringLiteral("Oak"));
    auto ash = AddMaterial(QStringLiteral("Ash"));
    AddRow(*oak, 0.75, 48, 96);
    const auto oakTarget = Join(AddPart(oak, Inches(0.75)));
    const auto ashTarget = Join(AddPart(ash, Inches(0.75)));
    EXPECT_TRUE(GetOptimizationTargetServices().createCriteria) << "the model's own hooks survive";

    oak->GetSawSetupForEdit().SetKerf(Inches(0.25));
    const MaterialUpdateInfo<CSheetGoodEx> kerfEdit(1, oak);
    for (const auto& target : {oakTarget, ashTarget}) {
        target->SetOptimized(true);
        if (kerfEdit.AffectsTarget(target))
            target->ResetForReoptimization(m_usage, true);
    }
    EXPECT_FALSE(oakTarget->IsOptimized());
    EXPECT_TRUE(oakTarget->HasParts());
    EXPECT_TRUE(ashTarget->IsOptimized());
}

TEST_F(TargetTest, StacksRelinkToTheLibraryAndUsageFollowsALockedCopy)
{
    auto oak = AddMaterial(QStringLiteral("Oak"));
    const auto libraryRow = AddRow(*oak, 0.75, 48, 96);
    libraryRow->EnsureAssigned();
    // A project material read from a file: another object of the same name
    // and cutting data, its row carrying the library row's stamp.
    auto stray = MakeSheetGood(QStringLiteral("Oak"));
    const auto strayRow = AddRow(*stray, 0.75, 48, 96);
    strayRow->SetID(libraryRow->GetID());
    auto part = MakePart(1, 10, 10, 1, stray);
    const StackPtr stack = MakeStack({stray, strayRow, 0}, {Drawn(part.get(), 0, 0, 10, 10)}, 1);
    stack->RelinkStock();
    EXPECT_EQ(stack->GetStockSpec().material, oak);
    EXPECT_EQ(stack->GetStockSpec().size, libraryRow);

    m_usage.Add(stack->GetStockSpec(), 3);
    auto mapper = std::make_shared<IdentityMapper>();
    m_usage.RemapReferences(mapper);
    const auto rowCopy = std::dynamic_pointer_cast<IOptimizableSize>(mapper->Find(libraryRow->GetIdentity()));
    const auto materialCopy = std::dynamic_pointer_cast<IOptimizableMaterial>(mapper->Find(oak->GetIdentity()));
    ASSERT_TRUE(rowCopy && materialCopy);
    EXPECT_EQ(m_usage.GetPinnedCount(rowCopy.get()), 3u);
    EXPECT_TRUE(m_usage.IsMaterialPinned(materialCopy.get()));
    if (rowCopy != libraryRow) {
        EXPECT_EQ(m_usage.GetPinnedCount(libraryRow.get()), 0u);
    }

    EXPECT_TRUE(std::dynamic_pointer_cast<ThicknessBasedOptTarget>(MakeCriteriaFromTypeCode(2)));
    EXPECT_FALSE(MakeCriteriaFromTypeCode(1));
}
