// The optimizer's arguments of a target: settings, stock, parts, saw rules.
#include "FakeOptimizationDoc.h"
#include "TargetTestFixture.h"

#include "model/ProjectSettings.h"
#include "optimization/CuttingRulesFactory.h"
#include "optimization/OptJobFactory.h"

#include <nestcore/StockProxy.h>

namespace {

class JobFactoryTest : public TargetTest
{
protected:
    void SetUp() override
    {
        TargetTest::SetUp();
        SetCurrentProjectSettings(&m_settings);
        m_material = AddMaterial(QStringLiteral("Birch"));
        m_row = AddRow(*m_material, 0.75, 48, 96, 0.25, 0.5);
        m_part = AddPart(m_material, Inches(0.75));
        m_target = Join(m_part);
        ASSERT_TRUE(m_target);
    }

    void TearDown() override
    {
        SetCurrentProjectSettings(nullptr);
        TargetTest::TearDown();
    }

    optimization::OptFactoryArgs Fill()
    {
        optimization::OptFactoryArgs args;
        OptJobFactory(m_target).FillFactoryArgs(args, m_usage);
        return args;
    }

    void SetSettings(std::uint32_t objective, std::uint32_t packing)
    {
        OptimizationSettings settings;
        settings.objective = objective;
        settings.packing = packing;
        m_settings.SetOptimizationSettings(settings);
    }

    ProjectSettings m_settings;
    std::shared_ptr<CSheetGoodEx> m_material;
    std::shared_ptr<ISGSC> m_row;
    CMilledPart* m_part = nullptr;
    OptimizationTargetPtr m_target;
};

TEST_F(JobFactoryTest, ObjectiveChoosesTheStockComparer)
{
    const struct { std::uint32_t objective; std::int32_t kind; } cases[] = {{0, 0}, {1, 1}, {2, 2}, {7, 2}};
    for (const auto& c : cases) {
        SetSettings(c.objective, 0);
        EXPECT_EQ(Fill().stockComparerKind, c.kind) << "objective " << c.objective;
    }
}

TEST_F(JobFactoryTest, PackingChoosesRunModeAndLocalOptimization)
{
    const struct { std::uint32_t packing; optimization::OptObjective_t primary; std::int32_t mode; bool option; } cases[] = {
        {0, optimization::StockSelectionPrimary, 1, false},
        {1, optimization::StockSelectionPrimary, 1, true},
        {2, optimization::StockSelectionPrimary, 0, false},
        {3, optimization::PartDistributionPrimary, 0, false},
    };
    for (const auto& c : cases) {
        SetSettings(0, c.packing);
        const optimization::OptFactoryArgs args = Fill();
        EXPECT_EQ(args.primaryObjective, c.primary) << "packing " << c.packing;
        EXPECT_EQ(args.localOptMode, c.mode) << "packing " << c.packing;
        EXPECT_EQ(args.modeOption, c.option) << "packing " << c.packing;
    }
}

TEST_F(JobFactoryTest, FlagsProxiesAndTargetComeFromSettingsAndTarget)
{
    OptimizationSettings settings;
    settings.useOffCutsFirst = true;
    settings.useInventoryFirst = true;
    m_settings.SetOptimizationSettings(settings);
    const optimization::OptFactoryArgs args = Fill();
    EXPECT_TRUE(args.offcutsFirst);
    EXPECT_TRUE(args.inventoryFirst);
    ASSERT_EQ(args.stocks.size(), 1U);
    ASSERT_EQ(args.parts.size(), 1U);
    EXPECT_EQ(args.parts[0]->GetPart(), m_part);
    EXPECT_EQ(args.stocks[0]->GetSize(), static_cast<const IOptimizableSize*>(m_row.get()));
    EXPECT_EQ(args.target.GetTarget(), m_target.get());
    EXPECT_EQ(args.target.GetUID(), m_target->GetIdentity());
    EXPECT_FALSE(args.target.IsMaterialUnspecifiedOrDeleted());
    EXPECT_EQ(args.progressDlg, nullptr);
}

// Two materials, three thicknesses and a pinned stack: each target is given
// only its own stock and parts, and its stock less what the pin uses.
TEST_F(JobFactoryTest, EachTargetOfASmallProjectGetsItsOwnStockAndParts)
{
    const auto oak = AddMaterial(QStringLiteral("Oak"));
    const auto thinBirch = AddRow(*m_material, 0.5, 48, 96);
    const auto oakRow = AddRow(*oak, 0.75, 60, 120);
    CMilledPart* thinPart = AddPart(m_material, Inches(0.5));
    CMilledPart* oakPart = AddPart(oak, Inches(0.75));
    const OptimizationTargetPtr thin = Join(thinPart);
    const OptimizationTargetPtr oakTarget = Join(oakPart);
    m_row->SetInventory(2);
    const StackPtr pinned = StackFor(m_target, {m_part}, 3);
    pinned->Pin(m_usage);
    m_target->AddPinnedLayout(pinned);

    const struct { OptimizationTargetPtr target; std::shared_ptr<ISGSC> row; CMilledPart* part; } cases[] = {
        {m_target, m_row, m_part}, {thin, thinBirch, thinPart}, {oakTarget, oakRow, oakPart}};
    for (const auto& c : cases) {
        optimization::OptFactoryArgs args;
        OptJobFactory(c.target).FillFactoryArgs(args, m_usage);
        ASSERT_EQ(args.stocks.size(), 1U);
        EXPECT_EQ(args.stocks[0]->GetSize(), static_cast<const IOptimizableSize*>(c.row.get()));
        ASSERT_EQ(args.parts.size(), 1U);
        EXPECT_EQ(args.parts[0]->GetPart(), c.part);
        EXPECT_EQ(args.target.GetTarget(), c.target.get());
    }
    optimization::OptFactoryArgs args;
    OptJobFactory(m_target).FillFactoryArgs(args, m_usage);
    EXPECT_EQ(args.stocks[0]->GetInventory().available, 0U);
}

TEST_F(JobFactoryTest, StockProxyCarriesTheSizeInCountsAndItsCost)
{
    const CMoney cost = CMoney::FromReal(42.5);
    m_row->SetUnitCost(&cost);
    const auto proxy = MakeStockProxy(m_usage, *m_row, m_material.get());
    const optimization::CanvasDescriptor& canvas = proxy->GetCanvas();
    EXPECT_EQ(canvas.GetRoughWidth().ToEncodedInt(), Units(48));
    EXPECT_EQ(canvas.GetRoughLength().ToEncodedInt(), Units(96));
    EXPECT_EQ(canvas.GetTrimmedWidth().ToEncodedInt(), m_row->GetTrimmedWidth().GetUnits());
    EXPECT_EQ(canvas.GetTrimmedLength().ToEncodedInt(), m_row->GetTrimmedLength().GetUnits());
    EXPECT_EQ(canvas.GetTBTrim().ToEncodedInt(), Units(0.25));
    EXPECT_EQ(canvas.GetLRTrim().ToEncodedInt(), Units(0.5));
    EXPECT_DOUBLE_EQ(canvas.GetFullStockCost(), m_row->GetFullCost().AsReal());
    EXPECT_EQ(proxy->GetMaterial(), m_material.get());
    EXPECT_EQ(proxy->GetRules().GetKerf().ToEncodedInt(), Units(0.125));
}

TEST_F(JobFactoryTest, InventoryLessPinnedSheetsNeverGoesBelowZero)
{
    const StockSpec stock {m_material, m_row, 0};
    m_row->SetInventory(2);
    m_row->SetCanBuyMore(true);
    m_usage.Add(stock, 1);
    optimization::InitialInventory inventory = MakeInitialInventory(m_usage, *m_row);
    EXPECT_FALSE(inventory.unlimited);
    EXPECT_EQ(inventory.available, 1U);
    EXPECT_TRUE(inventory.usableBeyondCount);
    EXPECT_FALSE(inventory.offCut);
    m_row->SetOffCut(true); // an off-cut is never bought
    inventory = MakeInitialInventory(m_usage, *m_row);
    EXPECT_FALSE(inventory.usableBeyondCount);
    EXPECT_TRUE(inventory.offCut);

    m_usage.Add(stock, 2);
    EXPECT_EQ(MakeInitialInventory(m_usage, *m_row).available, 0U);

    m_row->SetUnlimited();
    inventory = MakeInitialInventory(m_usage, *m_row);
    EXPECT_TRUE(inventory.unlimited);
    EXPECT_EQ(inventory.available, 0U);
}

TEST_F(JobFactoryTest, PartDescriptorInCountsAndSquareInches)
{
    m_material->GetGrainInfoForEdit().SetHasGrain(true);
    const optimization::CuttingRules rules = MakeCuttingRules(m_material.get());
    const optimization::PartDescriptor d = MakePartDescriptor(*m_part, rules);
    EXPECT_EQ(d.partNumber, m_part->GetID().GetNumber());
    EXPECT_EQ(d.copies, 4U);
    EXPECT_EQ(d.width.ToEncodedInt(), 10 * 16384);
    EXPECT_EQ(d.length.ToEncodedInt(), 20 * 16384);
    EXPECT_EQ(d.areaCounts, std::int64_t {10 * 16384} * (20 * 16384));
    EXPECT_DOUBLE_EQ(d.area, 200.0);
    EXPECT_DOUBLE_EQ(d.paddedArea, 10.125 * 20.125);
    EXPECT_EQ(d.excluded, 0);
    EXPECT_EQ(d.furtherLength.ToEncodedInt(), d.width.ToEncodedInt());
    EXPECT_EQ(d.orientation, optimization::OrientationAsGiven);

    m_part->SetLength(Inches(10));
    EXPECT_EQ(MakePartDescriptor(*m_part, rules).orientation, optimization::OrientationFree);
    m_part->SetLength(Inches(20));
    m_material->GetGrainInfoForEdit().SetHasGrain(false);
    EXPECT_EQ(MakePartDescriptor(*m_part, rules).orientation, optimization::OrientationFree);
}

TEST_F(JobFactoryTest, APartWithNoCopiesLeftIsStillPassed)
{
    CMilledPart* placed = AddPart(m_material, Inches(0.75), 2);
    placed->AddHandPlacedCopies(2);
    m_target->AddPart(placed);
    const PartProxyList proxies = MakePartProxies(*m_target, MakeCuttingRules(m_material.get()));
    ASSERT_EQ(proxies.size(), 2U);
    EXPECT_EQ(proxies[1]->GetPart(), placed);
    EXPECT_EQ(proxies[1]->GetDescriptor().copies, 0U);
}

TEST_F(JobFactoryTest, CuttingRulesFollowTheSawSetupAndGrain)
{
    CSawSetupEx& saw = m_material->GetSawSetupForEdit();
    saw.SetKerf(Inches(0.25));
    saw.SetPadding(Inches(0.0625));
    saw.SetLayoutStyle(3);
    m_material->GetGrainInfoForEdit().SetHasGrain(true);
    const struct { int mode; optimization::FirstCutSpecification firstCut; } cases[] = {
        {CSawSetupEx::DoesntMatter, optimization::FirstCutNone},
        {CSawSetupEx::WithGrain, optimization::FirstCutWithGrain},
        {CSawSetupEx::AgainstGrain, optimization::FirstCutAcrossGrain},
    };
    for (const auto& c : cases) {
        saw.SetFirstCutMode(c.mode);
        const optimization::CuttingRules rules = MakeCuttingRules(m_material.get());
        EXPECT_EQ(rules.GetFirstCutSpecification(), c.firstCut);
        EXPECT_EQ(rules.GetKerf().ToEncodedInt(), Units(0.25));
        EXPECT_EQ(rules.GetPartPadding().ToEncodedInt(), Units(0.0625));
        EXPECT_TRUE(rules.HasGrain());
        EXPECT_EQ(rules.GetPreferredGeometryStyle(), optimization::MaxSideOffCut);
    }
}

} // namespace
