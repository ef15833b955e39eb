#include "foundation/RealArchive.h"
#include "foundation/SheetDimensions.h"

#include <platform/BinaryArchive.h>

#include <gtest/gtest.h>

#include <sstream>

using platform::ArchiveError;
using platform::BinaryArchive;

namespace {

SheetDimensions sheet(std::int32_t w, std::int32_t l, std::int32_t tb, std::int32_t lr)
{
    SheetDimensions s;
    s.SetWidth(CDimension::FromUnits(w));
    s.SetLength(CDimension::FromUnits(l));
    s.SetTopBottomTrim(CDimension::FromUnits(tb));
    s.SetLeftRightTrim(CDimension::FromUnits(lr));
    return s;
}

} // namespace

TEST(SheetDimensions, TrimsAtTheLimit)
{
    struct Case
    {
        std::int32_t width, trim;
        bool tooLarge;
        std::int32_t trimmed;
    };
    const Case cases[] = {
        { 1000, 500, false, 0 }, // exactly half
        { 1000, 501, false, -2 }, // within the tolerance
        { 1000, 502, true, 0 }, // 4 counts over: too large, trimmed width exactly zero
        { 1000, 503, true, 0 },
        { 1000, 100, false, 800 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trim);
        const SheetDimensions s = sheet(c.width, c.width, c.trim, c.trim);
        EXPECT_EQ(s.IsTopBottomTrimTooLarge(), c.tooLarge);
        EXPECT_EQ(s.GetTrimmedWidth().GetUnits(), c.trimmed);
        EXPECT_EQ(s.IsLeftRightTrimTooLarge(), c.tooLarge);
        EXPECT_EQ(s.GetTrimmedLength().GetUnits(), c.trimmed);
    }
    // A trim above 6000 inches saturates instead of wrapping.
    SheetDimensions huge = sheet(CDimension::MaxUnits, CDimension::MaxUnits, CDimension::MaxUnits, 0);
    EXPECT_FALSE(huge.IsTopBottomTrimTooLarge());
}

TEST(SheetDimensions, EqualWithinTwoCounts)
{
    const SheetDimensions a = sheet(1000, 2000, 10, 20);
    EXPECT_TRUE(a.IsEqual(sheet(1002, 2000, 10, 20)));
    EXPECT_TRUE(a.IsDifferent(sheet(1003, 2000, 10, 20)));
    EXPECT_TRUE(a.IsDifferent(sheet(1000, 2000, 10, 23)));
}

TEST(SheetDimensions, RoundTripsAndRefusesOtherVersions)
{
    std::ostringstream out;
    const SheetDimensions original = sheet(48 * 16384, 96 * 16384, 16384 / 8, 16384 / 4);
    {
        auto ar = BinaryArchive::storing(out, "s");
        RealArchive w(ar);
        SheetDimensions copy = original;
        copy.Serialize(w);
        ar.flush();
    }
    const std::string s = out.str();
    std::vector<std::uint8_t> bytes(s.begin(), s.end());
    ASSERT_EQ(bytes.size(), 4u + 4 * 8);

    auto ar = BinaryArchive::loading(bytes, "s");
    RealArchive w(ar);
    SheetDimensions loaded;
    loaded.Serialize(w);
    EXPECT_TRUE(loaded.IsEqual(original));
    EXPECT_EQ(loaded.GetLeftRightTrim().GetUnits(), 16384 / 4);

    bytes[0] = 1;
    auto bad = BinaryArchive::loading(bytes, "bad");
    RealArchive wb(bad);
    try {
        loaded.Serialize(wb);
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.cause(), ArchiveError::BadSchema);
    }
    bytes.resize(bytes.size() - 3); // truncated
    bytes[0] = 0;
    auto cut = BinaryArchive::loading(bytes, "cut");
    RealArchive wc(cut);
    try {
        loaded.Serialize(wc);
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.cause(), ArchiveError::EndOfFile);
    }
}
