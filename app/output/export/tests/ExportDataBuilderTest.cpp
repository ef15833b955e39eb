#include "output/export/ExportDataBuilder.h"

#include "TargetTestFixture.h"
#include "model/CVendor.h"
#include "model/ProjectSettings.h"
#include "model/ThicknessBasedOptTarget.h"
#include "output/export/ExportSource.h"

#include <gtest/gtest.h>

using namespace iDeviceExport;

namespace {

// The project as the document will hand it over, assembled by the test.
class TestSource : public IExportSource
{
public:
    const OptTargetList& GetTargetList() const override { return *targets; }
    std::vector<ExportMaterialBill> GetSheetGoodsBills() const override { return bills; }
    StackList GetAllDiagramsInOrder() const override { return stacks; }
    std::vector<CMilledPart*> GetParts() const override { return parts; }
    const ProjectSettings& GetProjectSettings() const override { return settings; }

    const OptTargetList* targets = nullptr;
    std::vector<ExportMaterialBill> bills;
    StackList stacks;
    std::vector<CMilledPart*> parts;
    ProjectSettings settings;
};

class ExportDataBuilderTest : public TargetTest
{
protected:
    ExportPackage Build()
    {
        ExportPackage package;
        ExportDataBuilder(m_source, package).Build();
        return package;
    }

    TestSource m_source;
};

} // namespace

// Birch (a target with parts 1 and 2, results with one line item) and MDF
// (a target for part 3 whose bill has no entries).
TEST_F(ExportDataBuilderTest, CopiesSmallOptimizedProjectInStepOrder)
{
    auto mdf = AddMaterial(QStringLiteral("MDF"));
    auto mdfRow = AddRow(*mdf, 0.5, 49, 97);
    auto birch = AddMaterial(QStringLiteral("Birch"));
    auto birchRow = AddRow(*birch, 0.75, 48, 96);
    birchRow->SetSpecialNotes(QStringLiteral("Good face up"));
    // A vendor is written by the name every view shows for it.
    auto acme = std::make_shared<CVendor>();
    acme->SetName(QStringLiteral("Acme"));
    birchRow->SetVendor(acme);
    auto gone = std::make_shared<CVendor>();
    gone->SetName(QStringLiteral("Gone"));
    gone->SetDeleted(true);
    mdfRow->SetVendor(gone);
    birch->GetGrainInfoForEdit().SetHasGrain(true);
    CMilledPart* side = AddPart(birch, Inches(0.75), 2);
    CMilledPart* shelf = AddPart(birch, Inches(0.75), 3);
    CMilledPart* back = AddPart(mdf, Inches(0.5), 1);
    side->SetSpecialNotes(QStringLiteral("front edge"));
    shelf->SetOptimizerPlacedCopies(2);
    const OptimizationTargetPtr birchTarget = Join(side);
    Join(shelf);
    const OptimizationTargetPtr mdfTarget = Join(back);
    const StackPtr birchStack = StackFor(birchTarget, {side, shelf}, 2);
    const StackPtr mdfStack = StackFor(mdfTarget, {back}, 1);

    m_source.targets = &m_mgr.GetTargetList();
    ExportMaterialBill mdfBill {mdf, false, {{mdfTarget->GetIdentity(), {mdfStack}, {}}}};
    ExportLineItem line {900, birchRow->GetIdentity(), 2.0, 1.0, CMoney::FromReal(109.9)};
    ExportMaterialBill birchBill {birch, true, {{birchTarget->GetIdentity(), {birchStack}, {line}},
                                                // results without stacks add no line items
                                                {birchTarget->GetIdentity(), {}, {{901, 0, 5.0, 0.0, {}}}}}};
    m_source.bills = {mdfBill, birchBill};
    m_source.stacks = {birchStack, mdfStack};
    m_source.parts = {side, shelf, back};
    m_source.settings.SetProjectName(QStringLiteral("Shop"));
    OptimizationSettings optimization;
    optimization.objective = OptimizationSettings::MinimizeProRatedCost;
    optimization.optionWord1 = 4;
    optimization.optionWord2 = 5;
    optimization.packing = 3;
    optimization.useInventoryFirst = true;
    m_source.settings.SetOptimizationSettings(optimization);
    m_prefs.prefs->SetFlag(2026, true);
    const auto prefsBefore = m_prefs.prefs->ints;

    const ExportPackage package = Build();

    EXPECT_EQ(m_prefs.prefs->ints, prefsBefore) << "the export switches no preference";
    ASSERT_EQ(package.OptTargets.size(), 2u);
    EXPECT_EQ(package.OptTargets[0].ID, birchTarget->GetIdentity());
    EXPECT_EQ(package.OptTargets[0].MaterialID, birch->GetIdentity());
    EXPECT_EQ(package.OptTargets[0].EncStockThick, 12288);
    EXPECT_EQ(package.OptTargets[0].DisplayName, birchTarget->GetCriteria()->GetDisplayText());
    EXPECT_EQ(package.OptTargets[1].ID, mdfTarget->GetIdentity());

    // The bill's sheet goods first, then those of the parts; each once.
    ASSERT_EQ(package.MaterialsWithSizes.size(), 2u);
    const XMaterialWithSizes& birchRecord = package.MaterialsWithSizes[0];
    EXPECT_EQ(birchRecord.ID, birch->GetIdentity());
    EXPECT_EQ(birchRecord.MatType, 3);
    EXPECT_EQ(birchRecord.Name, QStringLiteral("Birch"));
    EXPECT_TRUE(birchRecord.HasGrain);
    EXPECT_EQ(birchRecord.EncKerf, 2048);
    ASSERT_EQ(birchRecord.SizeCosts.size(), 1u);
    EXPECT_EQ(birchRecord.SizeCosts[0].ID, birchRow->GetIdentity());
    EXPECT_EQ(birchRecord.SizeCosts[0].MatID, birch->GetIdentity());
    EXPECT_EQ(birchRecord.SizeCosts[0].EncActualW, 48 * 16384);
    EXPECT_EQ(birchRecord.SizeCosts[0].EncL, 96 * 16384);
    EXPECT_EQ(birchRecord.SizeCosts[0].Yield, 1);
    EXPECT_EQ(birchRecord.SizeCosts[0].Notes, QStringLiteral("Good face up"));
    EXPECT_EQ(package.MaterialsWithSizes[1].ID, mdf->GetIdentity());
    EXPECT_EQ(package.MaterialsWithSizes[1].SizeCosts.at(0).ID, mdfRow->GetIdentity());
    EXPECT_EQ(birchRecord.SizeCosts[0].Vendor, QStringLiteral("Acme"));
    EXPECT_EQ(package.MaterialsWithSizes[1].SizeCosts.at(0).Vendor, QStringLiteral("<Deleted>"));
    EXPECT_TRUE(package.MaterialsWithCosts.empty());

    ASSERT_EQ(package.BomLineItems.size(), 1u);
    const XBomLineItemDTO& item = package.BomLineItems[0];
    EXPECT_EQ(item.ID, 900u);
    EXPECT_EQ(item.StockSpec.MatType, 3);
    EXPECT_EQ(item.StockSpec.MaterialID, birch->GetIdentity());
    EXPECT_EQ(item.StockSpec.SCID, birchRow->GetIdentity());
    EXPECT_EQ(item.Qty, 2.0);
    EXPECT_EQ(item.QtyFromInv, 1.0);
    EXPECT_EQ(item.OptTgtID, birchTarget->GetIdentity());
    EXPECT_EQ(item.CostPrice[0].AsReal(), 109.9);

    // A bill without entries gives its stacks no target.
    ASSERT_EQ(package.DiagramStacks.size(), 2u);
    EXPECT_EQ(package.DiagramStacks[0].Stack, birchStack);
    EXPECT_EQ(package.DiagramStacks[0].OptTgtID, birchTarget->GetIdentity());
    EXPECT_EQ(package.DiagramStacks[1].OptTgtID, 0u);

    ASSERT_EQ(package.Parts.size(), 3u);
    const XPart& sideRecord = package.Parts[0];
    EXPECT_EQ(sideRecord.Ord, 1u);
    EXPECT_EQ(sideRecord.OptTgtID, birchTarget->GetIdentity());
    EXPECT_EQ(sideRecord.ExtQty, 2.0);
    EXPECT_EQ(sideRecord.Copies, 2u);
    EXPECT_EQ(sideRecord.NestedCompQty, 1u);
    EXPECT_EQ(sideRecord.T, 12288);
    EXPECT_EQ(sideRecord.FinishedW, 10 * 16384);
    EXPECT_EQ(sideRecord.RoughL, 20 * 16384);
    EXPECT_EQ(sideRecord.MatID, birch->GetIdentity());
    EXPECT_TRUE(sideRecord.CR);
    EXPECT_EQ(sideRecord.Notes, side->GetSpecialNotesText());
    EXPECT_EQ(package.Parts[1].SkipCount, 1u) << "3 copies, 2 placed";
    EXPECT_EQ(package.Parts[2].OptTgtID, mdfTarget->GetIdentity());

    ASSERT_EQ(package.Components.size(), 1u);
    EXPECT_EQ(package.Components[0].Name, QStringLiteral("(Current Project)"));
    EXPECT_EQ(package.Components[0].Qty, 1u);
    EXPECT_EQ(package.Settings.Name, QStringLiteral("Shop"));
    EXPECT_EQ(package.Settings.PrimaryObj, 2);
    EXPECT_EQ(package.Settings.PackingStratPrimary, 4);
    EXPECT_EQ(package.Settings.PackingStratSecondary, 5);
    EXPECT_EQ(package.Settings.PackaingStratOther, 3);
    EXPECT_FALSE(package.Settings.UseOffCutsFirst);
    EXPECT_TRUE(package.Settings.UseInvFirst);
}

// Part numbers need not be unique: each part keeps its own target.
TEST_F(ExportDataBuilderTest, PartsSharingANumberEachKeepTheirTarget)
{
    auto birch = AddMaterial(QStringLiteral("Birch"));
    AddRow(*birch, 0.75, 48, 96);
    AddRow(*birch, 0.5, 48, 96);
    CMilledPart* thick = AddPart(birch, Inches(0.75));
    CMilledPart* thin = AddPart(birch, Inches(0.5));
    thin->GetIDForEdit().SetNumber(thick->GetID().GetNumber());
    const OptimizationTargetPtr thickTarget = Join(thick);
    const OptimizationTargetPtr thinTarget = Join(thin);
    m_source.targets = &m_mgr.GetTargetList();
    m_source.parts = {thick, thin};

    const ExportPackage package = Build();

    ASSERT_EQ(package.Parts.size(), 2u);
    EXPECT_EQ(package.Parts[0].OptTgtID, thickTarget->GetIdentity());
    EXPECT_EQ(package.Parts[1].OptTgtID, thinTarget->GetIdentity());
    EXPECT_EQ(package.MaterialsWithSizes.size(), 1u);
}
