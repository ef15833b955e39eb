#include "model/SheetGoodSizeCost.h"
#include "model/SizeCostCompare.h"
#include "model/SizeCostFactory.h"

#include "foundation/DimensionFormatSettings.h"
#include "foundation/IdentityMapper.h"
#include "foundation/tests/FakePrefs.h"

#include "ArchiveTestUtil.h"

#include <platform/ArchiveError.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

CDimension Inches(double inches)
{
    return CDimension::FromInches(inches);
}

std::shared_ptr<SheetGoodSizeCost> MakeRow(double thickness, double width, double length)
{
    auto row = std::make_shared<SheetGoodSizeCost>();
    row->SetThickness(Inches(thickness));
    SheetDimensions sheet;
    sheet.SetWidth(Inches(width));
    sheet.SetLength(Inches(length));
    row->SetSheetDimensions(sheet);
    return row;
}

// Keeps the length display style of one test.
class StyleScope
{
public:
    explicit StyleScope(int style) : m_saved(GetDimensionFormatSettings())
    {
        DimensionFormatSettings settings = m_saved;
        settings.style = style;
        SetDimensionFormatSettings(settings);
    }
    ~StyleScope() { SetDimensionFormatSettings(m_saved); }

private:
    DimensionFormatSettings m_saved;
};

std::size_t CountOccurrences(const Bytes& bytes, const QString& text)
{
    Bytes needle;
    for (QChar c : text) {
        needle.push_back(static_cast<std::uint8_t>(c.unicode() & 0xFF));
        needle.push_back(static_cast<std::uint8_t>(c.unicode() >> 8));
    }
    std::size_t count = 0;
    for (auto it = bytes.begin(); (it = std::search(it, bytes.end(), needle.begin(), needle.end())) != bytes.end(); ++it)
        ++count;
    return count;
}

} // namespace

TEST(SheetGoodSizeCost, NewRowDefaultsFollowTheDisplayStyle)
{
    struct Case
    {
        int style;
        double thickness;
    };
    const Case cases[] = {{1, 0.75}, {3, 0.75}, {4, 0.7480314960629921}, {5, 0.7480314960629921}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        StyleScope scope(c.style);
        const SheetGoodSizeCost row;
        EXPECT_DOUBLE_EQ(row.GetThickness().GetInches(), c.thickness);
        ASSERT_NE(row.GetPricingScheme(), nullptr);
        EXPECT_EQ(row.GetPricingScheme()->GetUnitCode(), 14);
        EXPECT_EQ(row.GetRecord().GetInventory(), 0);
        EXPECT_TRUE(row.IsUnlimited());
        EXPECT_TRUE(row.CanBuyMore());
        EXPECT_FALSE(row.IsPinnableIDSet());
        ASSERT_NE(row.GetVendor(), nullptr);
        EXPECT_TRUE(row.GetVendor()->GetName().isEmpty());
    }
}

TEST(SheetGoodSizeCost, InventoryRules)
{
    SheetGoodSizeCost row;
    EXPECT_EQ(row.GetInventoryText(), QStringLiteral("*"));
    EXPECT_DOUBLE_EQ(row.GetInventoryValue(), 2147483647.0);
    row.AdjustInventory(3);
    EXPECT_TRUE(row.IsUnlimited()) << "an unlimited row ignores adjustments";

    row.SetInventory(5);
    EXPECT_FALSE(row.IsUnlimited());
    EXPECT_EQ(row.GetInventoryText(), QStringLiteral("5"));
    row.AdjustInventory(2000000);
    EXPECT_EQ(row.GetInventory(), 1000000u);
    row.SetInventory(5);
    row.AdjustInventory(-10);
    EXPECT_EQ(row.GetInventory(), 0u);
    row.AdjustInventory(2.6);
    EXPECT_EQ(row.GetAvailable(), 3u);

    row.SetCanBuyMore(true);
    row.SetOffCut(true);
    EXPECT_FALSE(row.CanBuyMore()) << "an off-cut never buys more";
    row.SetUnlimited();
    EXPECT_TRUE(row.IsUnlimited());
}

TEST(SheetGoodSizeCost, DescriptionFollowsTheWidthBeforeLengthPreference)
{
    StyleScope style(1);
    const auto row = MakeRow(0.75, 48, 96);
    ScopedFakePrefs prefs;
    prefs.prefs->SetFlag(PrefId::DisplayWxL, true);
    EXPECT_EQ(row->GetDescription(), QStringLiteral("3/4\" x 48\" x 96\""));
    prefs.prefs->SetFlag(PrefId::DisplayWxL, false);
    EXPECT_EQ(row->GetDescription(), QStringLiteral("3/4\" x 96\" x 48\""));
}

TEST(SheetGoodSizeCost, FullCostGoesThroughThePricingScheme)
{
    const auto row = MakeRow(0.75, 48, 96);
    const CMoney unitCost = CMoney::FromCount(10000);
    row->SetUnitCost(&unitCost);
    row->SetPricingScheme(std::make_unique<CSGPSSquareFoot>());
    EXPECT_EQ(row->GetFullCost().GetCount(), 320000);
    row->SetPricingScheme(nullptr);
    EXPECT_EQ(row->GetPricingScheme()->GetUnitCode(), 15) << "a null scheme is ignored";
    row->SetUnitCost(nullptr);
    EXPECT_EQ(row->GetUnitCost().GetCount(), 0);
}

TEST(SheetGoodSizeCost, ClonesShareOrCopyTheVendor)
{
    const auto row = MakeRow(0.75, 48, 96);
    auto vendor = std::make_shared<CVendor>();
    vendor->SetName(QStringLiteral("Acme Panels"));
    row->SetVendor(vendor);
    row->EnsureAssigned();

    const auto clone = row->Clone();
    EXPECT_EQ(clone->GetVendor(), vendor);
    EXPECT_NE(clone->GetIdentity(), row->GetIdentity());
    EXPECT_FALSE(clone->IsPinnableIDSet());
    EXPECT_TRUE(clone->Matches(*row));

    const auto own = row->CloneWithVendorCopy();
    ASSERT_NE(own->GetVendor(), nullptr);
    EXPECT_NE(own->GetVendor(), vendor);
    EXPECT_EQ(own->GetVendor()->GetName(), QStringLiteral("Acme Panels"));
    EXPECT_TRUE(own->Matches(*row));
}

TEST(SheetGoodSizeCost, MatchesComparesEveryStoredField)
{
    struct Case
    {
        const char* name;
        void (*edit)(ISGSC&);
    };
    const Case cases[] = {
        {"thickness", [](ISGSC& r) { r.SetThickness(Inches(0.5)); }},
        {"width", [](ISGSC& r) {
             SheetDimensions s = r.GetSheetDimensions();
             s.SetWidth(Inches(49));
             r.SetSheetDimensions(s);
         }},
        {"trim", [](ISGSC& r) {
             SheetDimensions s = r.GetSheetDimensions();
             s.SetLeftRightTrim(Inches(0.5));
             r.SetSheetDimensions(s);
         }},
        {"scheme", [](ISGSC& r) { r.SetPricingScheme(std::make_unique<CSGPSBoard>()); }},
        {"inventory", [](ISGSC& r) { r.SetInventory(4); }},
        {"cost", [](ISGSC& r) {
             const CMoney cost = CMoney::FromCount(1);
             r.SetUnitCost(&cost);
         }},
        {"off-cut", [](ISGSC& r) { r.SetOffCut(true); }},
        {"can buy more", [](ISGSC& r) {
             r.SetInventory(0);
             r.SetCanBuyMore(false);
         }},
        {"vendor name", [](ISGSC& r) {
             auto v = std::make_shared<CVendor>();
             v->SetName(QStringLiteral("Other"));
             r.SetVendor(v);
         }},
        {"notes", [](ISGSC& r) { r.SetSpecialNotes(QStringLiteral("warped")); }},
        {"bin", [](ISGSC& r) { r.SetBin(QStringLiteral("B4")); }},
    };
    const auto base = MakeRow(0.75, 48, 96);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto other = base->CloneWithVendorCopy();
        EXPECT_TRUE(other->Matches(*base));
        c.edit(*other);
        EXPECT_FALSE(other->Matches(*base));
        EXPECT_FALSE(base->Matches(*other));
    }
    const auto nearly = MakeRow(0.75, 48, 96);
    nearly->SetThickness(CDimension::FromUnits(base->GetThickness().GetUnits() + 2));
    EXPECT_TRUE(nearly->Matches(*base)) << "lengths are equal within the tolerance";
}

TEST(SheetGoodSizeCost, RowComparisonsForTheCommands)
{
    const auto a = MakeRow(0.75, 48, 96);
    const auto b = MakeRow(0.75, 48, 96);
    EXPECT_TRUE(SameSize(*a, *b));
    EXPECT_EQ(GetSizeCostMismatchCode(*a, *b), 0u);
    b->SetInventory(3);
    EXPECT_EQ(GetSizeCostMismatchCode(*a, *b), 8u) << "unlimited differs";
    EXPECT_TRUE(IsDifferentStockKind(*a, *b));
    const auto c = MakeRow(0.5, 48, 96);
    EXPECT_FALSE(SameThickness(*a, *c));
    EXPECT_FALSE(SameSize(*a, *c));
    EXPECT_EQ(SizeCostKindDiffers(*a, *c), 1);
}

TEST(SizeCostFactory, MakesRowsByTypeCodeAndThroughTheInstalledFactory)
{
    EXPECT_NE(MakeSizeCostByTypeCode(1), nullptr);
    EXPECT_EQ(MakeSizeCostByTypeCode(2), nullptr);
    InstallSizeCostFactory(std::make_unique<SizeCostFactory<SheetGoodSizeCost, CSGSizeCost>>());
    const auto row = MakeSheetGoodSizeCost();
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetTypeCode(), 1u);
    const auto copy = GetSizeCostFactory()->CreateCopy(*row);
    EXPECT_TRUE(copy->Matches(*row));
}

TEST(SizeCostRowArchive, SharedVendorIsWrittenOnceAndSharedAfterLoading)
{
    auto vendor = std::make_shared<CVendor>();
    vendor->SetName(QStringLiteral("Northwood Supply"));
    const auto first = MakeRow(0.75, 48, 96);
    first->SetVendor(vendor);
    first->SetInventory(12);
    first->SetSpecialNotes(QStringLiteral("A1 face"));
    first->SetBin(QStringLiteral("Rack 3"));
    first->SetPricingScheme(std::make_unique<CSGPSSquareMeter>());
    const CMoney cost = CMoney::FromCount(123456);
    first->SetUnitCost(&cost);
    first->SetOffCut(true);
    first->SetModeFlag(true);
    first->EnsureAssigned();
    const auto second = MakeRow(0.5, 60, 120);
    second->SetVendor(vendor);

    std::shared_ptr<ISGSC> a = first;
    std::shared_ptr<ISGSC> b = second;
    std::shared_ptr<ISGSC> again = first;
    const Bytes bytes = StoreBytes([&](ArchiveWrapper& ar) {
        auto mapper = std::make_shared<IdentityMapper>();
        mapper->SerializeRef(ar, a);
        mapper->SerializeRef(ar, b);
        mapper->SerializeRef(ar, again);
    });
    EXPECT_EQ(CountOccurrences(bytes, vendor->GetName()), 1u);

    std::shared_ptr<ISGSC> loadedA = MakeSizeCostByTypeCode(1);
    std::shared_ptr<ISGSC> loadedB = MakeSizeCostByTypeCode(1);
    std::shared_ptr<ISGSC> loadedAgain = MakeSizeCostByTypeCode(1);
    LoadBytes(bytes, [&](ArchiveWrapper& ar) {
        auto mapper = std::make_shared<IdentityMapper>();
        mapper->SerializeRef(ar, loadedA);
        mapper->SerializeRef(ar, loadedB);
        mapper->SerializeRef(ar, loadedAgain);
    });
    ASSERT_NE(loadedA, nullptr);
    ASSERT_NE(loadedB, nullptr);
    EXPECT_EQ(loadedAgain, loadedA) << "a second reference is the same row";
    ASSERT_NE(loadedA->GetVendor(), nullptr);
    EXPECT_EQ(loadedA->GetVendor(), loadedB->GetVendor());
    EXPECT_EQ(loadedA->GetVendor()->GetName(), vendor->GetName());
    EXPECT_TRUE(loadedA->Matches(*first));
    EXPECT_TRUE(loadedB->Matches(*second));
    EXPECT_TRUE(loadedA->GetModeFlag());
    EXPECT_EQ(loadedA->GetID(), first->GetID());
}

TEST(SizeCostRowArchive, RefusesUnknownVersionsAndTruncation)
{
    const auto row = MakeRow(0.75, 48, 96);
    std::shared_ptr<ISGSC> ref = row;
    const Bytes good = StoreBytes([&](ArchiveWrapper& ar) { std::make_shared<IdentityMapper>()->SerializeRef(ar, ref); });
    // Reference header (bool and identity), then the row version, then the record version.
    constexpr std::size_t kRowVersion = 9;
    constexpr std::size_t kRecordVersion = 13;
    ASSERT_EQ(good[kRowVersion], 1);
    ASSERT_EQ(good[kRecordVersion], 3);

    const auto load = [](const Bytes& bytes) {
        std::shared_ptr<ISGSC> target = MakeSizeCostByTypeCode(1);
        LoadBytes(bytes, [&](ArchiveWrapper& ar) { std::make_shared<IdentityMapper>()->SerializeRef(ar, target); });
    };
    EXPECT_NO_THROW(load(good));
    struct Case
    {
        const char* name;
        std::size_t offset;
        std::uint8_t value;
    };
    const Case cases[] = {
        {"row version 2", kRowVersion, 2},
        {"row version 0", kRowVersion, 0},
        {"record version 2", kRecordVersion, 2},
        {"record version 4", kRecordVersion, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bad = good;
        bad[c.offset] = c.value;
        try {
            load(bad);
            ADD_FAILURE() << "accepted";
        } catch (const platform::ArchiveError& error) {
            EXPECT_EQ(error.cause(), platform::ArchiveError::BadSchema);
        }
    }
    for (std::size_t size = 0; size < good.size(); size += 7) {
        SCOPED_TRACE(size);
        EXPECT_THROW(load(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size))), platform::ArchiveError);
    }
}

// Every later use of a row expects a vendor: a vendor reference to nothing
// read so far, or to an object of another class, is refused; a row without a
// vendor is written so that it loads.
TEST(SizeCostRowArchive, VendorReferenceMustNameAVendor)
{
    auto vendor = std::make_shared<CVendor>();
    vendor->SetName(QStringLiteral("Acme"));
    const auto first = MakeRow(0.75, 48, 96);
    first->SetVendor(vendor);
    const auto second = MakeRow(0.5, 48, 96);
    second->SetVendor(vendor);
    std::shared_ptr<ISGSC> a = first, b = second;
    Bytes bytes = StoreBytes([&](ArchiveWrapper& ar) {
        auto mapper = std::make_shared<IdentityMapper>();
        mapper->SerializeRef(ar, a);
        mapper->SerializeRef(ar, b);
    });
    const std::size_t firstSize = StoreBytes([&](ArchiveWrapper& ar) {
        std::make_shared<IdentityMapper>()->SerializeRef(ar, a);
    }).size();
    const auto loadRows = [](const Bytes& data, int rows) {
        LoadBytes(data, [&](ArchiveWrapper& ar) {
            auto mapper = std::make_shared<IdentityMapper>();
            for (int i = 0; i < rows; ++i) {
                std::shared_ptr<ISGSC> target = MakeSizeCostByTypeCode(1);
                mapper->SerializeRef(ar, target);
            }
        });
    };
    ASSERT_NO_THROW(loadRows(bytes, 2));

    // The second row alone: its vendor is a reference back to the first row's.
    const Bytes unmapped(bytes.begin() + static_cast<std::ptrdiff_t>(firstSize), bytes.end());
    EXPECT_THROW(loadRows(unmapped, 1), platform::ArchiveError);

    // The second row's vendor reference turned into one to the first row.
    Bytes otherClass = bytes;
    Bytes vendorId, rowId;
    for (int i = 0; i < 8; ++i) {
        vendorId.push_back(static_cast<std::uint8_t>(vendor->GetIdentity() >> (8 * i)));
        rowId.push_back(static_cast<std::uint8_t>(first->GetIdentity() >> (8 * i)));
    }
    const auto last = std::find_end(otherClass.begin(), otherClass.end(), vendorId.begin(), vendorId.end());
    ASSERT_NE(last, otherClass.end());
    std::copy(rowId.begin(), rowId.end(), last);
    EXPECT_THROW(loadRows(otherClass, 2), platform::ArchiveError);

    first->SetVendor(nullptr);
    bytes = StoreBytes([&](ArchiveWrapper& ar) { std::make_shared<IdentityMapper>()->SerializeRef(ar, a); });
    EXPECT_NO_THROW(loadRows(bytes, 1));
}

// A stored count beyond the signed range reads as no stock in every view.
TEST(SizeCostRowArchive, InventoryBeyondTheStoredRangeReadsAsNoStock)
{
    const auto row = MakeRow(0.75, 48, 96);
    row->SetInventory(123456789);
    std::shared_ptr<ISGSC> ref = row;
    Bytes bytes = StoreBytes([&](ArchiveWrapper& ar) { std::make_shared<IdentityMapper>()->SerializeRef(ar, ref); });
    const Bytes stored { 0x15, 0xCD, 0x5B, 0x07 };
    const auto at = std::search(bytes.begin(), bytes.end(), stored.begin(), stored.end());
    ASSERT_NE(at, bytes.end());
    std::fill(at, at + 4, 0xFF);
    std::shared_ptr<ISGSC> loaded = MakeSizeCostByTypeCode(1);
    LoadBytes(bytes, [&](ArchiveWrapper& ar) { std::make_shared<IdentityMapper>()->SerializeRef(ar, loaded); });
    EXPECT_EQ(loaded->GetInventoryText(), QStringLiteral("0"));
    EXPECT_EQ(loaded->GetInventory(), 0u);
    EXPECT_DOUBLE_EQ(loaded->GetInventoryValue(), 0.0);
    EXPECT_EQ(loaded->GetAvailable(), 0u);
}

TEST(SizeCostRowArchive, LockCopiesShareTheLockCopyOfTheirVendor)
{
    auto vendor = std::make_shared<CVendor>();
    vendor->SetName(QStringLiteral("Shared"));
    const auto first = MakeRow(0.75, 48, 96);
    const auto second = MakeRow(0.75, 60, 120);
    first->SetVendor(vendor);
    second->SetVendor(vendor);
    first->EnsureAssigned();

    const auto mapper = std::make_shared<IdentityMapper>();
    const auto copyA = std::dynamic_pointer_cast<ISGSC>(mapper->Resolve(first));
    const auto copyB = std::dynamic_pointer_cast<ISGSC>(mapper->Resolve(second));
    ASSERT_NE(copyA, nullptr);
    ASSERT_NE(copyB, nullptr);
    EXPECT_NE(copyA, first);
    EXPECT_EQ(copyA->GetID(), first->GetID()) << "the stamp travels with the copy";
    ASSERT_NE(copyA->GetVendor(), nullptr);
    EXPECT_NE(copyA->GetVendor(), vendor);
    EXPECT_EQ(copyA->GetVendor(), copyB->GetVendor());
    EXPECT_EQ(copyA->GetVendor()->GetName(), QStringLiteral("Shared"));
}
