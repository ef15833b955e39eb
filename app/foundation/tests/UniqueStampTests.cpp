#include "foundation/RealArchive.h"
#include "foundation/UniqueStamp.h"

#include <platform/BinaryArchive.h>

#include <gtest/gtest.h>

#include <ctime>
#include <sstream>

using platform::BinaryArchive;

TEST(UniqueStamp, GenerateSetsOnlyAStampThatIsNotSet)
{
    UniqueStamp stamp;
    EXPECT_FALSE(stamp.IsSet());
    EXPECT_EQ(stamp.GetTime(), 0);

    const auto before = static_cast<std::int64_t>(std::time(nullptr));
    stamp.Generate();
    EXPECT_TRUE(stamp.IsSet());
    EXPECT_GE(stamp.GetTime(), before);
    EXPECT_LE(stamp.GetTime(), before + 5);

    const UniqueStamp first = stamp;
    stamp.Generate();
    EXPECT_TRUE(stamp.IsEqual(first));

    UniqueStamp other;
    other.Generate();
    EXPECT_FALSE(other.IsEqual(first)); // a 1 in 2^32 chance of a false failure

    stamp.Clear();
    EXPECT_FALSE(stamp.IsSet());
    EXPECT_TRUE(stamp.IsEqual(UniqueStamp()));
}

TEST(UniqueStamp, StoresTimeThenRandomInTwelveBytes)
{
    UniqueStamp stamp;
    stamp.Generate();
    std::ostringstream out;
    {
        auto ar = BinaryArchive::storing(out, "s");
        RealArchive wrapper(ar);
        stamp.Serialize(wrapper);
        ar.flush();
    }
    const std::string s = out.str();
    const std::vector<std::uint8_t> bytes(s.begin(), s.end());
    ASSERT_EQ(bytes.size(), 12u);
    std::uint64_t time = 0;
    for (int i = 7; i >= 0; --i)
        time = (time << 8) | bytes[static_cast<size_t>(i)];
    std::uint32_t random = 0;
    for (int i = 11; i >= 8; --i)
        random = (random << 8) | bytes[static_cast<size_t>(i)];
    EXPECT_EQ(static_cast<std::int64_t>(time), stamp.GetTime());
    EXPECT_EQ(random, stamp.GetRandom());

    auto loading = BinaryArchive::loading(bytes, "s");
    RealArchive ar(loading);
    UniqueStamp loaded;
    loaded.Serialize(ar);
    EXPECT_TRUE(loaded.IsEqual(stamp));

    auto truncated
        = BinaryArchive::loading(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 10), "s");
    RealArchive shortArchive(truncated);
    UniqueStamp partial;
    EXPECT_THROW(partial.Serialize(shortArchive), platform::ArchiveError);
}
