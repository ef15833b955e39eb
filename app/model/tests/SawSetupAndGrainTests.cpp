#include "model/CSawSetupEx.h"
#include "model/GrainInfo.h"

#include "ArchiveTestUtil.h"

#include <platform/ArchiveError.h>

#include <gtest/gtest.h>

namespace {

CDimension Inches(double inches)
{
    return CDimension::FromInches(inches);
}

// The stored length record: version 2, then the count in 1/16384 inch.
void AppendLength(Bytes& bytes, double inches)
{
    AppendInt32(bytes, 2);
    AppendInt32(bytes, static_cast<std::int32_t>(inches * 16384));
}

} // namespace

TEST(CSawSetupEx, DefaultRecordIsByteExact)
{
    CSawSetupEx setup;
    EXPECT_EQ(setup.GetFirstCutMode(), CSawSetupEx::DoesntMatter);
    EXPECT_EQ(setup.GetKerf().GetUnits(), 2048);

    Bytes expected;
    AppendInt32(expected, 2);
    AppendLength(expected, 0.125);
    AppendLength(expected, 0.0);
    AppendInt32(expected, 0);
    AppendInt32(expected, 0);
    AppendInt32(expected, 0);
    EXPECT_EQ(StoreBytes([&](ArchiveWrapper& ar) { setup.Serialize(ar); }), expected);
}

TEST(CSawSetupEx, FirstCutModeSwitchesTheTwoWords)
{
    CSawSetupEx setup;
    setup.SetFirstCutMode(CSawSetupEx::WithGrain);
    EXPECT_EQ(setup.GetFirstCutMode(), CSawSetupEx::WithGrain);
    setup.SetFirstCutMode(CSawSetupEx::DoesntMatter);
    EXPECT_EQ(setup.GetFirstCutMode(), CSawSetupEx::DoesntMatter);
    EXPECT_EQ(setup.GetFirstCutWithGrain(), 1) << "mode 0 keeps the direction word";
    setup.SetFirstCutMode(CSawSetupEx::AgainstGrain);
    EXPECT_EQ(setup.GetFirstCutMode(), CSawSetupEx::AgainstGrain);
}

TEST(CSawSetupEx, RoundTripsAndReadsOlderRecords)
{
    CSawSetupEx setup;
    setup.SetKerf(Inches(0.25));
    setup.SetPadding(Inches(0.0625));
    setup.SetFirstCutMode(CSawSetupEx::AgainstGrain);
    setup.SetLayoutStyle(3);
    const Bytes stored = StoreBytes([&](ArchiveWrapper& ar) { setup.Serialize(ar); });
    CSawSetupEx loaded;
    LoadBytes(stored, [&](ArchiveWrapper& ar) { loaded.Serialize(ar); });
    EXPECT_TRUE(loaded == setup);

    struct Case
    {
        const char* name;
        std::uint32_t generation;
        std::int32_t version; // -1: no version word
        bool accepted;
        std::int32_t style;   // expected after loading into a setup of style 4
    };
    const Case cases[] = {
        {"generation 14 has no version word", 14, -1, true, 4},
        {"version 0 in a current file", 15, 0, true, 4},
        {"version 1 has no style", 15, 1, true, 4},
        {"version 2 reads the style", 15, 2, true, 2},
        {"version 3 is refused", 15, 3, false, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes;
        if (c.version >= 0)
            AppendInt32(bytes, c.version);
        AppendLength(bytes, 0.5);
        AppendLength(bytes, 0.0);
        AppendInt32(bytes, 1);
        AppendInt32(bytes, 1);
        AppendInt32(bytes, 2); // read only from version 2
        CSawSetupEx target;
        target.SetLayoutStyle(4);
        const auto load = [&] { LoadBytes(bytes, [&](ArchiveWrapper& ar) { target.Serialize(ar); }, c.generation); };
        if (!c.accepted) {
            EXPECT_THROW(load(), platform::ArchiveError);
            continue;
        }
        load();
        EXPECT_EQ(target.GetKerf().GetUnits(), 8192);
        EXPECT_EQ(target.GetFirstCutMode(), CSawSetupEx::WithGrain);
        EXPECT_EQ(target.GetLayoutStyle(), c.style);
    }
}

TEST(CSawSetupEx, ChangeMasksAndCodes)
{
    struct Case
    {
        const char* name;
        void (*edit)(CSawSetupEx&);
        std::uint64_t mask;
        int code;
    };
    const Case cases[] = {
        {"nothing", [](CSawSetupEx&) {}, 0, 0},
        {"kerf within tolerance", [](CSawSetupEx& s) { s.SetKerf(CDimension::FromUnits(2048 + 2)); }, 0, 0},
        {"kerf", [](CSawSetupEx& s) { s.SetKerf(CDimension::FromUnits(2048 + 3)); }, 1032, 1},
        {"padding", [](CSawSetupEx& s) { s.SetPadding(Inches(0.125)); }, 1032, 1},
        {"first cut", [](CSawSetupEx& s) { s.SetFirstCutMode(CSawSetupEx::WithGrain); }, 1032, 1},
        {"layout style", [](CSawSetupEx& s) { s.SetLayoutStyle(2); }, 1024, 2},
        {"both",
         [](CSawSetupEx& s) {
             s.SetLayoutStyle(1);
             s.SetKerf(Inches(0.1));
         },
         1032, 3},
    };
    const CSawSetupEx before;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CSawSetupEx after;
        c.edit(after);
        EXPECT_EQ(SawSetupChangeMask(before, after), c.mask);
        EXPECT_EQ(SawSetupChangeCode(before, after), c.code);
    }
}

TEST(CSawSetupEx, AssignFromCopiesCuttingDataAndStyle)
{
    CSawSetupEx source;
    source.SetKerf(Inches(0.09375));
    source.SetPadding(Inches(0.03125));
    source.SetFirstCutMode(CSawSetupEx::AgainstGrain);
    source.SetLayoutStyle(3);
    CSawSetupEx target;
    target.AssignFrom(source);
    EXPECT_TRUE(target == source);
    EXPECT_EQ(target.GetFirstCutSet(), 1);
    EXPECT_EQ(target.GetFirstCutWithGrain(), 0);
}

TEST(GrainInfo, HasGrainOwnsTheDirection)
{
    GrainInfo grain;
    EXPECT_TRUE(grain.GetHasGrain());
    EXPECT_TRUE(grain.GetLongSideHorizontal());
    EXPECT_FALSE(grain.GetGrainDirection());
    grain.SetGrainDirection(true);
    grain.SetHasGrain(false);
    EXPECT_FALSE(grain.GetGrainDirection());
    grain.SetHasGrain(true);
    EXPECT_FALSE(grain.GetGrainDirection());
}

TEST(GrainInfo, ChangeMasksAndCodes)
{
    struct Case
    {
        const char* name;
        void (*edit)(GrainInfo&);
        std::uint64_t mask;
        int code;
    };
    const Case cases[] = {
        {"nothing", [](GrainInfo&) {}, 0, 0},
        {"long side only", [](GrainInfo& g) { g.SetLongSideHorizontal(false); }, 256, 2},
        {"has grain", [](GrainInfo& g) { g.SetHasGrain(false); }, 264, 1},
        {"direction", [](GrainInfo& g) { g.SetGrainDirection(true); }, 264, 1},
        {"direction and long side",
         [](GrainInfo& g) {
             g.SetGrainDirection(true);
             g.SetLongSideHorizontal(false);
         },
         264, 1},
    };
    const GrainInfo before;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GrainInfo after;
        c.edit(after);
        EXPECT_EQ(GrainChangeMask(before, after), c.mask);
        EXPECT_EQ(GrainChangeCode(before, after), c.code);
        EXPECT_EQ(GrainCuttingDiffers(before, after), c.code == 1);
    }
}

TEST(GrainInfo, RecordsByVersionAndGeneration)
{
    GrainInfo grain;
    grain.SetHasGrain(true);
    grain.SetGrainDirection(true);
    grain.SetLongSideHorizontal(false);
    const Bytes stored = StoreBytes([&](ArchiveWrapper& ar) { grain.Serialize(ar); });
    EXPECT_EQ(stored, (Bytes{2, 0, 0, 0, 1, 0, 1}));

    struct Case
    {
        const char* name;
        std::uint32_t generation;
        Bytes bytes;
        bool accepted;
        bool direction;
    };
    const Case cases[] = {
        {"version 2", 15, {2, 0, 0, 0, 1, 0, 1}, true, true},
        {"version 1 has no direction", 15, {1, 0, 0, 0, 1, 0}, true, false},
        {"a bool byte 2 reads true", 11, {2, 0, 0, 0, 2, 0, 2}, true, true},
        {"version 0", 15, {0, 0, 0, 0, 1, 0}, false, false},
        {"version 3", 15, {3, 0, 0, 0, 1, 0, 1}, false, false},
        {"generation 10", 10, {2, 0, 0, 0, 1, 0, 1}, false, false},
        {"truncated", 15, {2, 0, 0, 0, 1}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GrainInfo loaded;
        const auto load = [&] { LoadBytes(c.bytes, [&](ArchiveWrapper& ar) { loaded.Serialize(ar); }, c.generation); };
        if (!c.accepted) {
            EXPECT_THROW(load(), platform::ArchiveError);
            continue;
        }
        load();
        EXPECT_TRUE(loaded.GetHasGrain());
        EXPECT_FALSE(loaded.GetLongSideHorizontal());
        EXPECT_EQ(loaded.GetGrainDirection(), c.direction);
    }
}
