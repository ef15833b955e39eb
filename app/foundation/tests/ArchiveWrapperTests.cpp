#include "foundation/FutureSchemaException.h"
#include "foundation/RealArchive.h"
#include "foundation/SchemaVersion.h"

#include <platform/BinaryArchive.h>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

using platform::ArchiveError;
using platform::BinaryArchive;

namespace {

std::vector<std::uint8_t> storeWith(const std::function<void(ArchiveWrapper&)>& writer)
{
    std::ostringstream out;
    auto ar = BinaryArchive::storing(out, "w.kwxe");
    RealArchive wrapper(ar);
    writer(wrapper);
    ar.flush();
    const std::string s = out.str();
    return { s.begin(), s.end() };
}

std::vector<std::uint8_t> versionBytes(std::uint32_t v)
{
    return { static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
        static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24) };
}

} // namespace

TEST(RealArchive, WritesEveryTypeInItsWidthAndReadsItBack)
{
    const auto bytes = storeWith([](ArchiveWrapper& ar) {
        ar << std::int32_t(-1) << std::int16_t(-1) << std::int8_t(-1) << std::uint16_t(2) << std::uint32_t(3)
           << std::int64_t(-4) << std::uint64_t(5) << 0.5 << 0.25f << std::uint8_t(6) << true
           << QString(QStringLiteral("\u00E9x")) << platform::Currency(7);
    });
    EXPECT_EQ(bytes.size(), 4u + 2 + 1 + 2 + 4 + 8 + 8 + 8 + 4 + 1 + 1 + (4 + 4) + 12);

    auto loading = BinaryArchive::loading(bytes, "w.kwxe");
    RealArchive ar(loading);
    std::int32_t i32 = 0;
    std::int16_t i16 = 0;
    std::int8_t i8 = 0;
    std::uint16_t u16 = 0;
    std::uint32_t u32 = 0;
    std::int64_t i64 = 0;
    std::uint64_t u64 = 0;
    double d = 0;
    float f = 0;
    std::uint8_t u8 = 0;
    bool b = false;
    QString text;
    platform::Currency money;
    ar >> i32 >> i16 >> i8 >> u16 >> u32 >> i64 >> u64 >> d >> f >> u8 >> b >> text >> money;
    EXPECT_EQ(i32, -1);
    EXPECT_EQ(i16, -1);
    EXPECT_EQ(i8, -1);
    EXPECT_EQ(u16, 2);
    EXPECT_EQ(u32, 3u);
    EXPECT_EQ(i64, -4);
    EXPECT_EQ(u64, 5u);
    EXPECT_EQ(d, 0.5);
    EXPECT_EQ(f, 0.25f);
    EXPECT_EQ(u8, 6);
    EXPECT_TRUE(b);
    EXPECT_EQ(text, QStringLiteral("\u00E9x"));
    EXPECT_EQ(money.count(), 7);
    EXPECT_TRUE(ar.IsLoading());
    EXPECT_FALSE(ar.IsStoring());
    EXPECT_EQ(ar.GetFilePath(), QStringLiteral("w.kwxe"));
}

TEST(RealArchive, DataVersionIsTheSchemaWithTheHighBit)
{
    auto loading = BinaryArchive::loading(std::vector<std::uint8_t> {}, "x");
    RealArchive ar(loading);
    EXPECT_EQ(ar.GetDataVersion(), 0xFFFFFFFFu); // nothing set: readers take their newest form
    loading.setObjectSchema(6);
    EXPECT_EQ(ar.GetDataVersion(), 0x80000006u);
    loading.setObjectSchema(0x8000000Fu);
    EXPECT_EQ(ar.GetDataVersion(), 0x8000000Fu);
}

TEST(SchemaVersion, ReadersAcceptAndRefuseAsTheyShould)
{
    enum Reader { Max3, Range2to4, NonZero };
    struct Case
    {
        Reader reader;
        std::uint32_t version;
        bool accepted;
    };
    const Case cases[] = {
        { Max3, 0, false },
        { Max3, 1, true },
        { Max3, 2, true },
        { Max3, 3, true },
        { Max3, 4, false },
        { Max3, 0xFFFFFFFFu, false }, // negative as signed: the check is unsigned
        { Range2to4, 1, false },
        { Range2to4, 2, true },
        { Range2to4, 4, true },
        { Range2to4, 5, false },
        { NonZero, 0, false },
        { NonZero, 1, true },
        { NonZero, 0xFFFFFFFFu, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.reader << " " << c.version);
        auto loading = BinaryArchive::loading(versionBytes(c.version), "dir/project.kwxe");
        RealArchive ar(loading);
        try {
            std::uint32_t got = 0;
            switch (c.reader) {
            case Max3:
                got = ReadOrThrow(ar, 3);
                break;
            case Range2to4:
                got = ReadOrThrowInRange(ar, 2, 4);
                break;
            case NonZero:
                got = ReadOrThrowNonZero(ar);
                break;
            }
            EXPECT_TRUE(c.accepted);
            EXPECT_EQ(got, c.version);
        } catch (const ArchiveError& e) {
            EXPECT_FALSE(c.accepted);
            EXPECT_EQ(e.cause(), ArchiveError::BadSchema);
            EXPECT_EQ(e.fileName(), "dir/project.kwxe");
        }
    }
}

TEST(SchemaVersion, TruncatedVersionIsEndOfFile)
{
    auto loading = BinaryArchive::loading(std::vector<std::uint8_t> { 1, 0 }, "f");
    RealArchive ar(loading);
    try {
        ReadOrThrow(ar, 3);
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.cause(), ArchiveError::EndOfFile);
    }
}

TEST(FutureSchemaException, IsABadSchemaArchiveErrorWithBothVersions)
{
    try {
        throw FutureSchemaException(
            QStringLiteral("7.0"), QStringLiteral("5.2"), QStringLiteral("newer file"));
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.cause(), ArchiveError::BadSchema);
        EXPECT_EQ(e.fileName(), "newer file");
        const auto* future = dynamic_cast<const FutureSchemaException*>(&e);
        ASSERT_NE(future, nullptr);
        EXPECT_EQ(future->GetFileVersion(), QStringLiteral("7.0"));
        EXPECT_EQ(future->GetProgramVersion(), QStringLiteral("5.2"));
    }
}
