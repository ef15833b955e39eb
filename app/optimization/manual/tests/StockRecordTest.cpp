// The diagram's stock record: what it answers of its stock, its bytes in the
// project file, what a damaged file does to it, and re-linking to the library.
#include "ArchiveTestUtil.h"
#include "TargetTestFixture.h"

#include "foundation/IdentityMapper.h"
#include "model/IMaterialData.h"
#include "optimization/PartNumberLists.h"
#include "optimization/manual/StockRecord.h"

#include <platform/ArchiveError.h>

namespace {

class StockRecordTest : public TargetTest
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

TEST_F(StockRecordTest, AccessorsReadTheSizeAndTheMaterial)
{
    const StockRecord record(m_oak, m_row, 7);
    EXPECT_EQ(record.GetWidth().GetInches(), 48.0);
    EXPECT_EQ(record.GetLength().GetInches(), 96.0);
    EXPECT_EQ(record.GetTopBottomTrim().GetInches(), 0.5);
    EXPECT_EQ(record.GetLeftRightTrim().GetInches(), 0.25);
    EXPECT_EQ(record.GetArea(), 4608.0);
    EXPECT_TRUE(record.SizeEquals(m_row));
    EXPECT_FALSE(record.SizeEquals(AddRow(*m_oak, 0.75, 48, 96)));
    EXPECT_EQ(record.GetSize(), m_row);
    EXPECT_EQ(record.GetValue(), 7U);
    for (const bool grain : { false, true }) {
        m_oak->GetGrainInfoForEdit().SetHasGrain(grain);
        EXPECT_EQ(record.HasGrain(), grain);
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
        EXPECT_EQ(StockRecord(m_oak, c.row, 0).IsLengthwise(), c.lengthwise);
    }

    const StockRecord empty;
    EXPECT_EQ(empty.GetArea(), 0.0);
    EXPECT_TRUE(empty.IsLengthwise());
    EXPECT_EQ(StockRecord(StockSpec { m_oak, m_row, 3 }).ToStockSpec().matType, 3);
}

TEST_F(StockRecordTest, StoredBytesAndRoundTrips)
{
    StockRecord record(m_oak, m_row, 0xDEADBEEF);
    const Bytes bytes = StoreBytes([&](ArchiveWrapper& ar) { record.Serialize(ar, KnowingMapper()); });
    Bytes expected { 1, 0, 0, 0 };
    for (const Bytes& reference : { Reference(m_oak), Reference(m_row) })
        expected.insert(expected.end(), reference.begin(), reference.end());
    for (std::uint8_t byte : { 0xEF, 0xBE, 0xAD, 0xDE })
        expected.push_back(byte);
    EXPECT_EQ(bytes, expected);

    StockRecord loaded;
    LoadBytes(bytes, [&](ArchiveWrapper& ar) { loaded.Serialize(ar, KnowingMapper()); });
    EXPECT_EQ(loaded.GetMaterial(), std::shared_ptr<IOptimizableMaterial>(m_oak));
    EXPECT_EQ(loaded.GetSize(), std::shared_ptr<IOptimizableSize>(m_row));
    EXPECT_EQ(loaded.GetValue(), 0xDEADBEEFU);

    // Objects the file holds in full come back as copies of the same stock.
    const Bytes full = StoreBytes([&](ArchiveWrapper& ar) { record.Serialize(ar, Mapper()); });
    StockRecord copy;
    LoadBytes(full, [&](ArchiveWrapper& ar) { copy.Serialize(ar, Mapper()); });
    ASSERT_TRUE(copy.GetMaterial());
    EXPECT_NE(copy.GetMaterial(), std::shared_ptr<IOptimizableMaterial>(m_oak));
    EXPECT_EQ(copy.GetMaterial()->AsMaterialData()->GetName(), QStringLiteral("Oak"));
    EXPECT_EQ(copy.GetWidth().GetUnits(), record.GetWidth().GetUnits());
    EXPECT_EQ(copy.GetLength().GetUnits(), record.GetLength().GetUnits());
    EXPECT_EQ(copy.GetTopBottomTrim().GetUnits(), record.GetTopBottomTrim().GetUnits());
    EXPECT_EQ(copy.GetValue(), 0xDEADBEEFU);
}

TEST_F(StockRecordTest, AnotherVersionOrASizeOfAnotherKindStopsTheLoad)
{
    const StockRecord record(m_oak, m_row, 5);
    Bytes stored
        = StoreBytes([&](ArchiveWrapper& ar) { StockRecord(record).Serialize(ar, KnowingMapper()); });
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
        StockRecord loaded(record);
        try {
            LoadBytes(c.bytes, [&](ArchiveWrapper& ar) { loaded.Serialize(ar, KnowingMapper()); });
            ADD_FAILURE() << "loaded";
        } catch (const platform::ArchiveError& error) {
            EXPECT_EQ(error.cause(), c.cause);
            EXPECT_EQ(error.fileName(), "test.kwde");
        }
        EXPECT_EQ(loaded.GetSize(), std::shared_ptr<IOptimizableSize>(m_row))
            << "a failed load changes nothing";
        EXPECT_EQ(loaded.GetValue(), 5U);
    }
}

TEST_F(StockRecordTest, RelinkFindsTheLibrarysSizeByItsStampAndKeepsAnUnknownOne)
{
    m_row->EnsureAssigned();
    auto detached = std::make_shared<SheetGoodSizeCost>();
    detached->SetID(m_row->GetID());
    StockRecord record(m_oak, detached, 0);
    record.Relink();
    EXPECT_EQ(record.GetSize(), std::shared_ptr<IOptimizableSize>(m_row));
    EXPECT_EQ(record.GetMaterial(), std::shared_ptr<IOptimizableMaterial>(m_oak));

    auto unknown = std::make_shared<SheetGoodSizeCost>();
    unknown->EnsureAssigned();
    StockRecord kept(m_oak, unknown, 0);
    kept.Relink();
    EXPECT_EQ(kept.GetSize(), std::shared_ptr<IOptimizableSize>(unknown));
}

TEST_F(StockRecordTest, PinnedUsageNeverGoesBelowZero)
{
    const StockRecord record(m_oak, m_row, 0);
    EXPECT_FALSE(m_row->IsPinnableIDSet());
    PinnedUsage usage;
    record.AddPinnedUsage(usage, 3);
    EXPECT_TRUE(m_row->IsPinnableIDSet()) << "a pinned sheet's stock gets its identity";
    EXPECT_TRUE(m_oak->IsPinnableIDSet());
    EXPECT_EQ(usage.GetPinnedCount(m_row.get()), 3U);
    record.RemovePinnedUsage(usage, 3);
    EXPECT_EQ(usage.GetPinnedCount(m_row.get()), 0U);
    EXPECT_FALSE(usage.IsMaterialPinned(m_oak.get()));
    EXPECT_TRUE(usage.IsEmpty());

    // More removed than counted erases the entry: the stock offered never grows.
    record.AddPinnedUsage(usage, 2);
    record.RemovePinnedUsage(usage, 5);
    EXPECT_TRUE(usage.IsEmpty());
    record.AddPinnedUsage(usage, 1);
    EXPECT_EQ(usage.GetPinnedCount(m_row.get()), 1U);
    EXPECT_EQ(usage.GetStockUsage().at(m_row.get()), 1U);
}
