// A diagram's stock: what it answers of its material and size, its bytes in
// the project file, what a damaged file does to it, and re-linking to the
// library.
#include "ArchiveTestUtil.h"
#include "TargetTestFixture.h"

#include "foundation/IdentityMapper.h"
#include "foundation/SheetDimensions.h"
#include "model/IMaterialData.h"
#include "optimization/PartNumberLists.h"
#include "optimization/PinnedUsage.h"
#include "optimization/StockSpec.h"

#include <platform/ArchiveError.h>

#include <algorithm>

namespace {

class StockSpecTest : public TargetTest
{
protected:
    void SetUp() override
    {
        TargetTest::SetUp();
        m_oak = AddMaterial(QStringLiteral("Oak"));
        m_row = AddRow(*m_oak, 0.75, 48, 96, 0.5, 0.25);
    }

    static std::shared_ptr<IdentityMapper> Mapper()
    {
        return std::make_shared<IdentityMapper>(
            std::make_shared<ProjectPartList>(std::vector<CMilledPart*> {}));
    }

    // A mapper that knows the library's objects: references only, no data.
    std::shared_ptr<IdentityMapper> KnowingMapper() const
    {
        auto mapper = Mapper();
        mapper->Register(m_oak);
        mapper->Register(m_row);
        return mapper;
    }

    Bytes Reference(const std::shared_ptr<IManagedIdentity>& object) const
    {
        Bytes bytes { 1 };
        const std::uint64_t identity = object->GetIdentity();
        AppendInt32(bytes, static_cast<std::int32_t>(identity & 0xFFFFFFFFU));
        AppendInt32(bytes, static_cast<std::int32_t>(identity >> 32));
        return bytes;
    }

    std::shared_ptr<CSheetGoodEx> m_oak;
    std::shared_ptr<ISGSC> m_row;
};

} // namespace

TEST_F(StockSpecTest, AccessorsReadTheSizeAndTheMaterial)
{
    const StockSpec stock { m_oak, m_row, 7 };
    EXPECT_EQ(stock.GetRoughWidth().GetInches(), 48.0);
    EXPECT_EQ(stock.GetRoughLength().GetInches(), 96.0);
    EXPECT_EQ(stock.GetTopBottomTrim().GetInches(), 0.5);
    EXPECT_EQ(stock.GetLeftRightTrim().GetInches(), 0.25);
    EXPECT_EQ(stock.GetMaterialName(), QStringLiteral("Oak"));
    for (const bool grain : { false, true }) {
        m_oak->GetGrainInfoForEdit().SetHasGrain(grain);
        EXPECT_EQ(stock.MaterialHasGrain(), grain);
    }

    // Lengthwise unless wider than long with the long side wanted horizontal.
    const auto turned = AddRow(*m_oak, 0.75, 96, 48);
    struct Case
    {
        std::shared_ptr<ISGSC> row;
        bool longSideHorizontal;
        bool lengthwise;
    };
    const Case cases[]
        = { { m_row, false, true }, { m_row, true, true }, { turned, false, true }, { turned, true, false } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row == m_row ? "48 x 96" : "96 x 48");
        m_oak->GetGrainInfoForEdit().SetLongSideHorizontal(c.longSideHorizontal);
        EXPECT_EQ(IsLengthwiseByStock(StockSpec { m_oak, c.row, 0 }), c.lengthwise);
    }

    const StockSpec empty;
    EXPECT_EQ(empty.GetRoughWidth().GetUnits(), 0);
    EXPECT_TRUE(IsLengthwiseByStock(empty));
}

TEST_F(StockSpecTest, StoredBytesAndRoundTrips)
{
    StockSpec stock { m_oak, m_row, static_cast<int>(0xDEADBEEFU) };
    const Bytes bytes = StoreBytes([&](ArchiveWrapper& ar) { stock.Serialize(ar, KnowingMapper()); });
    Bytes expected { 1, 0, 0, 0 };
    for (const Bytes& reference : { Reference(m_oak), Reference(m_row) })
        expected.insert(expected.end(), reference.begin(), reference.end());
    for (std::uint8_t byte : { 0xEF, 0xBE, 0xAD, 0xDE })
        expected.push_back(byte);
    EXPECT_EQ(bytes, expected);

    StockSpec loaded;
    LoadBytes(bytes, [&](ArchiveWrapper& ar) { loaded.Serialize(ar, KnowingMapper()); });
    EXPECT_EQ(loaded.material, std::shared_ptr<IOptimizableMaterial>(m_oak));
    EXPECT_EQ(loaded.size, std::shared_ptr<IOptimizableSize>(m_row));
    EXPECT_EQ(static_cast<std::uint32_t>(loaded.matType), 0xDEADBEEFU);

    // Objects the file holds in full come back as copies of the same stock.
    const Bytes full = StoreBytes([&](ArchiveWrapper& ar) { stock.Serialize(ar, Mapper()); });
    StockSpec copy;
    LoadBytes(full, [&](ArchiveWrapper& ar) { copy.Serialize(ar, Mapper()); });
    ASSERT_TRUE(copy.material);
    EXPECT_NE(copy.material, std::shared_ptr<IOptimizableMaterial>(m_oak));
    EXPECT_EQ(copy.GetMaterialName(), QStringLiteral("Oak"));
    EXPECT_EQ(copy.GetRoughWidth().GetUnits(), stock.GetRoughWidth().GetUnits());
    EXPECT_EQ(copy.GetRoughLength().GetUnits(), stock.GetRoughLength().GetUnits());
    EXPECT_EQ(copy.GetTopBottomTrim().GetUnits(), stock.GetTopBottomTrim().GetUnits());
    EXPECT_EQ(static_cast<std::uint32_t>(copy.matType), 0xDEADBEEFU);
}

TEST_F(StockSpecTest, AnotherVersionOrASizeOfAnotherKindStopsTheLoad)
{
    StockSpec stock { m_oak, m_row, 5 };
    Bytes stored = StoreBytes([&](ArchiveWrapper& ar) { stock.Serialize(ar, KnowingMapper()); });
    Bytes version2 = stored;
    version2[0] = 2;
    // The size's reference names the material.
    Bytes wrongKind = stored;
    const Bytes material = Reference(m_oak);
    std::copy(material.begin(), material.end(), wrongKind.begin() + 4 + 9);
    struct Case
    {
        const char* what;
        const Bytes& bytes;
        platform::ArchiveError::Cause cause;
    };
    const Case cases[] = {
        { "version 2", version2, platform::ArchiveError::BadSchema },
        { "size of another kind", wrongKind, platform::ArchiveError::BadIndex },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StockSpec loaded(stock);
        try {
            LoadBytes(c.bytes, [&](ArchiveWrapper& ar) { loaded.Serialize(ar, KnowingMapper()); });
            ADD_FAILURE() << "loaded";
        } catch (const platform::ArchiveError& error) {
            EXPECT_EQ(error.cause(), c.cause);
            EXPECT_EQ(error.fileName(), "test.kwde");
        }
        EXPECT_EQ(loaded.size, std::shared_ptr<IOptimizableSize>(m_row)) << "a failed load changes nothing";
        EXPECT_EQ(loaded.matType, 5);
    }
}

TEST_F(StockSpecTest, RelinkFindsTheLibrarysSizeByItsStamp)
{
    m_row->EnsureAssigned();
    const std::shared_ptr<ISGSC> detached = m_row->Clone();
    detached->SetID(m_row->GetID());
    StockSpec stock { m_oak, detached, 0 };
    stock.Relink();
    EXPECT_EQ(stock.size, std::shared_ptr<IOptimizableSize>(m_row));
    EXPECT_EQ(stock.material, std::shared_ptr<IOptimizableMaterial>(m_oak));
}

TEST_F(StockSpecTest, RelinkKeepsThePinnedSheetsSize)
{
    enum Library { Resized, Deleted, SameSizeOtherStamp };
    const struct
    {
        const char* what;
        Library library;
        bool libraryRow; // the library's own row serves, not the sheet's
    } cases[] = {
        { "the stamp's row was resized", Resized, false },
        { "the stamp's row was deleted", Deleted, false },
        { "another row has the size", SameSizeOtherStamp, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto walnut = AddMaterial(QString::fromLatin1(c.what));
        const std::shared_ptr<ISGSC> row = AddRow(*walnut, 0.75, 48, 96);
        row->EnsureAssigned();
        // The sheet's row as the project file brought it back.
        const std::shared_ptr<ISGSC> sheetRow = row->Clone();
        switch (c.library) {
        case Resized: {
            sheetRow->SetID(row->GetID());
            SheetDimensions sheet = row->GetSheetDimensions();
            sheet.SetWidth(CDimension::FromInches(60));
            row->SetSheetDimensions(sheet);
            break;
        }
        case Deleted:
            sheetRow->SetID(row->GetID());
            walnut->GetSizeCosts().clear();
            break;
        case SameSizeOtherStamp:
            sheetRow->EnsureAssigned();
            break;
        }
        StockSpec stock { walnut, sheetRow, 0 };
        stock.Relink();
        const std::shared_ptr<ISGSC> expected = c.libraryRow ? row : sheetRow;
        EXPECT_EQ(stock.size, std::shared_ptr<IOptimizableSize>(expected));
        EXPECT_EQ(stock.GetRoughWidth().GetInches(), 48.0);
        const auto& rows = walnut->GetSizeCosts();
        EXPECT_NE(std::find(rows.begin(), rows.end(), expected), rows.end())
            << "the material has the sheet's size";
    }
}

TEST_F(StockSpecTest, PinnedUsageNeverGoesBelowZero)
{
    const StockSpec stock { m_oak, m_row, 0 };
    EXPECT_FALSE(m_row->IsPinnableIDSet());
    PinnedUsage usage;
    usage.Add(stock, 3);
    EXPECT_TRUE(m_row->IsPinnableIDSet()) << "a pinned sheet's stock gets its identity";
    EXPECT_TRUE(m_oak->IsPinnableIDSet());
    EXPECT_EQ(usage.GetPinnedCount(m_row.get()), 3U);
    usage.Remove(stock, 3);
    EXPECT_EQ(usage.GetPinnedCount(m_row.get()), 0U);
    EXPECT_FALSE(usage.IsMaterialPinned(m_oak.get()));
    EXPECT_TRUE(usage.IsEmpty());

    // More removed than counted erases the entry: the stock offered never grows.
    usage.Add(stock, 2);
    usage.Remove(stock, 5);
    EXPECT_TRUE(usage.IsEmpty());
    usage.Add(stock, 1);
    EXPECT_EQ(usage.GetPinnedCount(m_row.get()), 1U);
    EXPECT_EQ(usage.GetStockUsage().at(m_row.get()), 1U);
}
