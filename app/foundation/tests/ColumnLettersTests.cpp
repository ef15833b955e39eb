#include "foundation/ColumnLetters.h"

#include <gtest/gtest.h>

#include <set>

TEST(ColumnLetters, SpreadsheetNumbering)
{
    struct Case
    {
        int n;
        const char* name;
    };
    const Case cases[] = {
        { 0, "" },
        { -4, "" },
        { 1, "A" },
        { 26, "Z" },
        { 27, "AA" },
        { 52, "AZ" },
        { 53, "BA" },
        { 702, "ZZ" },
        { 703, "AAA" },
        { 728, "AAZ" },
        { 1352, "AYZ" },
        { 1353, "AZA" },
        { 18278, "ZZZ" },
        { 18279, "18279" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatColumnLetters(c.n), QString::fromUtf8(c.name)) << c.n;
    EXPECT_EQ(GetColumnLetterTable().size(), 703);
}

TEST(ColumnLetters, EveryLabelIsUnique)
{
    std::set<QString> seen;
    for (int n = 1; n <= 18278; ++n)
        ASSERT_TRUE(seen.insert(FormatColumnLetters(n)).second) << n;
}
