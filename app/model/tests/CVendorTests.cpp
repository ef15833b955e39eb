#include "model/CVendor.h"

#include "foundation/IdentityMapper.h"

#include "ArchiveTestUtil.h"

#include <platform/ArchiveError.h>

#include <gtest/gtest.h>

namespace {

// int32 version, then the name in the archive's text form.
Bytes VendorRecord(std::int32_t version, const std::string& name)
{
    Bytes bytes;
    AppendInt32(bytes, version);
    bytes.insert(bytes.end(), {0xFF, 0xFE, 0xFF, static_cast<std::uint8_t>(name.size())});
    for (char c : name) {
        bytes.push_back(static_cast<std::uint8_t>(c));
        bytes.push_back(0);
    }
    return bytes;
}

} // namespace

TEST(CVendor, CopiesAreNewVendorsAssignmentKeepsTheIdentity)
{
    CVendor vendor;
    vendor.SetName(QStringLiteral("Acme"));
    vendor.SetDeleted(true);
    const CVendor copy(vendor);
    EXPECT_NE(copy.GetIdentity(), vendor.GetIdentity());
    EXPECT_EQ(copy.GetName(), QStringLiteral("Acme"));
    EXPECT_TRUE(copy.IsDeleted());

    CVendor target;
    const std::uint64_t identity = target.GetIdentity();
    target = vendor;
    EXPECT_EQ(target.GetIdentity(), identity);
    EXPECT_EQ(target.GetName(), QStringLiteral("Acme"));
    EXPECT_TRUE(target.IsDeleted());
}

TEST(CVendor, SoftDeletionShowsDeletedAndStoresNoName)
{
    CVendor vendor;
    vendor.SetName(QStringLiteral("Acme"));
    EXPECT_EQ(vendor.GetDisplayName(), QStringLiteral("Acme"));
    vendor.SetDeleted(true);
    EXPECT_EQ(vendor.GetDisplayName(), QStringLiteral("<Deleted>"));
    EXPECT_EQ(vendor.GetSoftDeletedName(), QStringLiteral("<Deleted>"));
    EXPECT_EQ(vendor.GetName(), QStringLiteral("Acme")) << "the name is kept for an undo";

    EXPECT_EQ(StoreBytes([&](ArchiveWrapper& ar) { vendor.Serialize(ar); }), VendorRecord(0, ""));
    const auto mapper = std::make_shared<IdentityMapper>();
    EXPECT_EQ(StoreBytes([&](ArchiveWrapper& ar) { vendor.Serialize(ar, mapper); }), VendorRecord(1, ""));

    vendor.SetDeleted(false);
    EXPECT_EQ(StoreBytes([&](ArchiveWrapper& ar) { vendor.Serialize(ar); }), VendorRecord(0, "Acme"));
}

TEST(CVendor, EachFormAcceptsOnlyItsVersion)
{
    struct Case
    {
        const char* name;
        bool withContext;
        std::int32_t version;
        bool accepted;
    };
    const Case cases[] = {
        {"plain 0", false, 0, true},  {"plain 1", false, 1, false},     {"plain -1", false, -1, false},
        {"context 1", true, 1, true}, {"context 0", true, 0, false},    {"context 2", true, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVendor vendor;
        vendor.SetDeleted(true);
        const auto load = [&] {
            LoadBytes(VendorRecord(c.version, "Birch & Co"), [&](ArchiveWrapper& ar) {
                if (c.withContext)
                    vendor.Serialize(ar, std::make_shared<IdentityMapper>());
                else
                    vendor.Serialize(ar);
            });
        };
        if (!c.accepted) {
            try {
                load();
                ADD_FAILURE() << "accepted";
            } catch (const platform::ArchiveError& error) {
                EXPECT_EQ(error.cause(), platform::ArchiveError::BadSchema);
                EXPECT_EQ(error.fileName(), "test.kwde");
            }
            continue;
        }
        load();
        EXPECT_EQ(vendor.GetName(), QStringLiteral("Birch & Co"));
        EXPECT_FALSE(vendor.IsDeleted()) << "a loaded vendor is live";
    }
}
