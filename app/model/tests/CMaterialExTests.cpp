#include "model/CMaterialEx.h"
#include "model/CMaterialSizeCost.h"
#include "model/MaterialFactory.h"

#include "foundation/IdentityMapper.h"

#include "ArchiveTestUtil.h"

#include <platform/ArchiveError.h>

#include <gtest/gtest.h>

TEST(CMaterialEx, PlaceholderHidesButKeepsTheName)
{
    CMaterialEx material(QStringLiteral("Birch Ply"));
    material.SetPlaceholder(true);
    EXPECT_TRUE(material.GetName().isEmpty());
    EXPECT_EQ(material.GetStoredName(), QStringLiteral("Birch Ply"));

    const Bytes stored = StoreBytes([&](ArchiveWrapper& ar) { material.Serialize(ar, nullptr); });
    CMaterialEx loaded;
    LoadBytes(stored, [&](ArchiveWrapper& ar) { loaded.Serialize(ar, nullptr); });
    EXPECT_EQ(loaded.GetStoredName(), QStringLiteral("Birch Ply"));
    EXPECT_TRUE(loaded.IsPlaceholder());

    Bytes version2 = stored;
    version2[0] = 2;
    EXPECT_THROW(LoadBytes(version2, [&](ArchiveWrapper& ar) { loaded.Serialize(ar, nullptr); }), platform::ArchiveError);
}

TEST(CMaterialEx, LibraryOrderIgnoresCase)
{
    const CMaterialEx lower(QStringLiteral("maple"));
    const CMaterialEx upper(QStringLiteral("MAPLE"));
    const CMaterialEx oak(QStringLiteral("Oak"));
    EXPECT_FALSE(lower.IsLess(upper));
    EXPECT_FALSE(upper.IsLess(lower));
    EXPECT_TRUE(upper.IsLess(oak));
}

TEST(CMaterialEx, LegacyRecordHasAVersionFromGenerationEleven)
{
    struct Case
    {
        const char* name;
        std::uint32_t generation;
        std::int32_t version; // -1: none stored
        bool accepted;
    };
    const Case cases[] = {
        {"generation 10", 10, -1, true},
        {"generation 11, version 0", 11, 0, true},
        {"generation 15, version 1", 15, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes;
        if (c.version >= 0)
            AppendInt32(bytes, c.version);
        bytes.insert(bytes.end(), {0xFF, 0xFE, 0xFF, 0x01, 'X', 0x00});
        AppendInt32(bytes, 1);
        CMaterialEx material;
        const auto load = [&] { LoadBytes(bytes, [&](ArchiveWrapper& ar) { material.SerializeLegacy(ar); }, c.generation); };
        if (!c.accepted) {
            EXPECT_THROW(load(), platform::ArchiveError);
            continue;
        }
        load();
        EXPECT_EQ(material.GetStoredName(), QStringLiteral("X"));
        EXPECT_TRUE(material.IsPlaceholder());
    }
}

TEST(MaterialFactory, AStoredKindThatMakesNoMaterialIsAFormatError)
{
    EXPECT_EQ(CreateMaterialByKind(99), nullptr);
    EXPECT_EQ(MakeMaterialIdentity(99), nullptr);

    // A material reference of an unknown kind inside a file: refused with
    // the archive error that names the file.
    Bytes bytes = {0x00, 1, 0, 0, 0, 0, 0, 0, 0};
    AppendInt32(bytes, 99);
    std::shared_ptr<CMaterialEx> material;
    try {
        LoadBytes(bytes, [&](ArchiveWrapper& ar) {
            std::make_shared<IdentityMapper>()->SerializeObject(ar, material, MakeMaterialIdentity);
        });
        ADD_FAILURE() << "accepted";
    } catch (const platform::ArchiveError& error) {
        EXPECT_EQ(error.cause(), platform::ArchiveError::BadClass);
        EXPECT_EQ(error.fileName(), "test.kwde");
    }
    EXPECT_EQ(material, nullptr);

    EXPECT_EQ(GetMaterialKind(CMaterialEx()), 0u);
    EXPECT_TRUE(IsNotSpecifiedName(CMaterialEx(QStringLiteral("Not Specified"))));
    EXPECT_FALSE(IsNotSpecifiedName(CMaterialEx(QStringLiteral("not specified"))));
    EXPECT_TRUE(HaveSameCuttingData(CMaterialEx(QStringLiteral("a")), CMilledMaterial(QStringLiteral("b"))));
}

TEST(CMaterialSizeCost, InventoryFlagsAndVendorSharing)
{
    CMaterialSizeCost row;
    EXPECT_TRUE(row.IsUnlimited());
    EXPECT_TRUE(row.CanBuyMore());
    ASSERT_NE(row.GetVendor(), nullptr);
    row.SetOffCut(true);
    EXPECT_FALSE(row.CanBuyMore());

    auto vendor = std::make_shared<CVendor>();
    vendor->SetName(QStringLiteral("Acme"));
    row.SetVendor(vendor);
    row.SetModeWord(1);
    CMaterialSizeCost shared;
    shared.Assign(row);
    EXPECT_EQ(shared.GetVendor(), vendor);
    EXPECT_TRUE(shared.IsOffCut());
    EXPECT_EQ(shared.GetModeWord(), 0) << "Assign resets the mode word";
    CMaterialSizeCost own;
    own.AssignWithVendorCopy(row);
    EXPECT_NE(own.GetVendor(), vendor);
    EXPECT_EQ(own.GetVendor()->GetName(), QStringLiteral("Acme"));
    EXPECT_EQ(own.GetTypeName(), QStringLiteral("Size-Cost Info"));
}
