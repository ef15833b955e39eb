#include "ModelTestSupport.h"

#include "model/ThicknessBasedOptTarget.h"

namespace {

class CSheetGoodExTest : public LibraryTest
{
};

TEST_F(CSheetGoodExTest, ClonesCopyMaterialDataButNotRowsOrIdentities)
{
    auto vendor = std::make_shared<CVendor>();
    vendor->SetName(QStringLiteral("Supplier"));
    auto material = AddSheetGood(QStringLiteral("Birch"));
    material->GetSawSetupForEdit().SetKerf(CDimension::FromInches(0.25));
    material->GetGrainInfoForEdit().SetHasGrain(false);
    material->GetSizeCosts().push_back(MakeRow(0.75, 48, 96, vendor));
    material->GetSizeCosts().push_back(MakeRow(0.5, 48, 96, vendor));
    material->EnsureAssigned();

    auto clone = material->CloneSheetGood();
    EXPECT_EQ(clone->GetStoredName(), material->GetStoredName());
    EXPECT_EQ(clone->GetSawSetup().GetKerf().GetUnits(), material->GetSawSetup().GetKerf().GetUnits());
    EXPECT_FALSE(clone->GetGrainInfo().GetHasGrain());
    EXPECT_TRUE(clone->GetSizeCosts().empty());
    EXPECT_NE(clone->GetIdentity(), material->GetIdentity());
    EXPECT_FALSE(clone->IsPinnableIDSet());

    auto withRows = material->CloneSheetGoodWithSizeCosts();
    ASSERT_EQ(withRows->GetSizeCosts().size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NE(withRows->GetSizeCosts()[i], material->GetSizeCosts()[i]);
        EXPECT_EQ(withRows->GetSizeCosts()[i]->GetThickness().GetUnits(),
            material->GetSizeCosts()[i]->GetThickness().GetUnits());
        // Each copied row has a vendor object of its own, with the same name.
        EXPECT_NE(withRows->GetSizeCosts()[i]->GetVendor(), vendor);
        EXPECT_EQ(withRows->GetSizeCosts()[i]->GetVendor()->GetName(), vendor->GetName());
    }
}

TEST_F(CSheetGoodExTest, StockSizesOfferedToATarget)
{
    auto material = AddSheetGood(QStringLiteral("Plywood"));
    auto unlimited = MakeRow(0.75, 48, 96, nullptr);
    auto limited = MakeRow(0.75, 60, 120, nullptr);
    limited->SetInventory(2);
    limited->SetCanBuyMore(false);
    auto thinner = MakeRow(0.5, 48, 96, nullptr);
    material->GetSizeCosts() = { unlimited, limited, thinner };

    auto criteria = material->CreateOptimizationTarget(
        CDimension::FromInches(0.75), CDimension::FromInches(10), CDimension::FromInches(20));
    ASSERT_NE(criteria, nullptr);
    StockUsageMap usage;
    EXPECT_EQ(material->GetStockSizes(*criteria, usage).size(), 2u);
    usage[limited.get()] = 2;
    const auto offered = material->GetStockSizes(*criteria, usage);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], unlimited);

    EXPECT_EQ(material->FindSizeCost(limited.get()), limited);
    auto foreign = MakeRow(0.75, 48, 96, nullptr);
    EXPECT_EQ(material->FindSizeCost(foreign.get()), nullptr);
}

TEST_F(CSheetGoodExTest, ThicknessCriteriaCompareByMaterialObjectAndCoarseThickness)
{
    auto oak = std::make_shared<CSheetGoodEx>(QStringLiteral("Oak"));
    auto oakTwin = std::make_shared<CSheetGoodEx>(QStringLiteral("Oak"));
    const std::int32_t t = CDimension::UnitsPerInch * 3 / 4;
    auto target = [](const std::shared_ptr<CSheetGoodEx>& m, std::int32_t units) {
        return std::make_shared<ThicknessBasedOptTarget>(m, CDimension::FromUnits(units));
    };
    EXPECT_TRUE(target(oak, t)->Equals(target(oak, t + 32)));
    EXPECT_FALSE(target(oak, t)->Equals(target(oak, t + 33)));
    EXPECT_FALSE(target(oak, t)->Equals(target(oakTwin, t)));
    EXPECT_FALSE(target(oak, t)->Less(*target(oak, t + 2)));
    EXPECT_FALSE(target(oak, t + 2)->Less(*target(oak, t)));
    EXPECT_TRUE(target(oak, t)->Less(*target(oak, t + 3)));
    EXPECT_TRUE(target(oak, t)->GetDisplayText().endsWith(QStringLiteral("  Oak")));
}

TEST_F(CSheetGoodExTest, ChangeMasksOfAnEdit)
{
    CSheetGoodEx before(QStringLiteral("Oak"));
    CSheetGoodEx renamed(before);
    renamed.SetName(QStringLiteral("oak"));
    EXPECT_EQ(SheetGoodChangeMask(before, renamed), 521u);
    EXPECT_EQ(SheetGoodChangeCode(before, renamed), 128);
    CSheetGoodEx noGrain(before);
    noGrain.GetGrainInfoForEdit().SetHasGrain(false);
    EXPECT_EQ(SheetGoodChangeMask(before, noGrain), 264u);
    EXPECT_TRUE(CuttingDataDiffers(before, noGrain));
    EXPECT_EQ(SheetGoodChangeMask(before, CSheetGoodEx(before)), 0u);
}

} // namespace

#include "foundation/IdentityMapper.h"
#include "foundation/RealArchive.h"

#include <platform/BinaryArchive.h>

#include <sstream>

namespace {

TEST_F(CSheetGoodExTest, CriteriaStoreAndLoadWithTheirMaterial)
{
    auto oak = AddSheetGood(QStringLiteral("Oak"));
    ThicknessBasedOptTarget stored(oak, CDimension::FromInches(0.75));
    std::ostringstream out;
    {
        auto archive = platform::BinaryArchive::storing(out);
        RealArchive ar(archive);
        auto mapper = IdentityMapper::ConstructFromArchive(ar);
        stored.Serialize(ar, mapper);
        archive.flush();
    }
    const std::string bytes = out.str();
    auto archive = platform::BinaryArchive::loading(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    RealArchive ar(archive);
    auto mapper = IdentityMapper::ConstructFromArchive(ar);
    ThicknessBasedOptTarget loaded;
    loaded.Serialize(ar, mapper);
    ASSERT_NE(loaded.GetMaterial(), nullptr);
    EXPECT_EQ(loaded.GetMaterial()->AsMaterialData()->GetName(), QStringLiteral("Oak"));
    EXPECT_EQ(loaded.GetThickness().GetUnits(), stored.GetThickness().GetUnits());
}

} // namespace

namespace {

TEST_F(CSheetGoodExTest, ClearingTheStampClearsRowStampsResetAlsoRelinksVendors)
{
    auto own = std::make_shared<CVendor>();
    own->SetName(QStringLiteral("Mill Direct"));
    auto material = std::make_shared<CSheetGoodEx>(QStringLiteral("Walnut"));
    auto row = MakeRow(0.75, 48, 96, own);
    material->GetSizeCosts().push_back(row);
    material->EnsureAssigned();
    row->EnsureAssigned();

    // Clearing the material's stamp clears its rows' stamps and nothing else.
    static_cast<PinnableID&>(*material).Clear();
    EXPECT_FALSE(material->IsPinnableIDSet());
    EXPECT_FALSE(row->IsPinnableIDSet());
    EXPECT_EQ(row->GetVendor(), own);
    EXPECT_EQ(m_library->FindVendor(QStringLiteral("Mill Direct")), nullptr);

    // Resetting for the library also gives the rows the library's vendor.
    row->EnsureAssigned();
    material->ResetPinnableIDs();
    EXPECT_FALSE(row->IsPinnableIDSet());
    const auto libraryVendor = m_library->FindVendor(QStringLiteral("Mill Direct"));
    ASSERT_NE(libraryVendor, nullptr);
    EXPECT_EQ(row->GetVendor(), libraryVendor);
}

} // namespace
