#include "TargetFile.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace nestbench;

namespace {

bool Parse(const std::string& text, TargetFile& out, ParseError& error)
{
    std::istringstream in(text);
    return ParseTargetFile(in, out, error);
}

} // namespace

TEST(TargetFile, ReadsEveryDirective)
{
    const char* text = "# a cabinet\n"
                       "objective 1\n"
                       "comparer 2   # pro-rated\n"
                       "offcuts_first 1\n"
                       "inventory_first 0\n"
                       "local_mode 1\n"
                       "mode_option 1\n"
                       "rules kerf=0.125 first_cut=1 grain=1 padding=0.0625 style=3\n"
                       "\n"
                       "stock 48 96 55.5 * buy_more tb_trim=0.5\r\n"
                       "stock 24 30 0 2 offcut lr_trim=0.25 tb_trim=0.125\n"
                       "part 7 12.5 30 4\n"
                       "part -3 10 10 0 orientation=2\n";
    TargetFile f;
    ParseError e;
    ASSERT_TRUE(Parse(text, f, e)) << e.ToString("t");
    EXPECT_EQ(f.objective, 1);
    EXPECT_EQ(f.comparer, 2);
    EXPECT_TRUE(f.offcutsFirst);
    EXPECT_FALSE(f.inventoryFirst);
    EXPECT_EQ(f.localMode, 1);
    EXPECT_TRUE(f.modeOption);
    EXPECT_DOUBLE_EQ(f.rules.kerf, 0.125);
    EXPECT_EQ(f.rules.firstCut, 1);
    EXPECT_TRUE(f.rules.grain);
    EXPECT_DOUBLE_EQ(f.rules.padding, 0.0625);
    EXPECT_EQ(f.rules.style, 3);
    ASSERT_EQ(f.stocks.size(), 2u);
    EXPECT_EQ(f.stocks[0].line, 10);
    EXPECT_TRUE(f.stocks[0].unlimited);
    EXPECT_TRUE(f.stocks[0].buyMore);
    EXPECT_DOUBLE_EQ(f.stocks[0].tbTrim, 0.5);
    EXPECT_DOUBLE_EQ(f.stocks[0].cost, 55.5);
    EXPECT_FALSE(f.stocks[1].unlimited);
    EXPECT_EQ(f.stocks[1].count, 2u);
    EXPECT_TRUE(f.stocks[1].offcut);
    EXPECT_DOUBLE_EQ(f.stocks[1].lrTrim, 0.25);
    EXPECT_DOUBLE_EQ(f.stocks[1].tbTrim, 0.125);
    ASSERT_EQ(f.parts.size(), 2u);
    EXPECT_EQ(f.parts[0].number, 7);
    EXPECT_DOUBLE_EQ(f.parts[0].width, 12.5);
    EXPECT_EQ(f.parts[0].copies, 4u);
    EXPECT_EQ(f.parts[0].orientation, 0);
    EXPECT_EQ(f.parts[1].number, -3);
    EXPECT_EQ(f.parts[1].orientation, 2);
}

TEST(TargetFile, LeftOutDirectivesAreZero)
{
    TargetFile f;
    ParseError e;
    ASSERT_TRUE(Parse("part 1 2 3 1\n", f, e));
    EXPECT_EQ(f.objective, 0);
    EXPECT_EQ(f.comparer, 0);
    EXPECT_FALSE(f.offcutsFirst);
    EXPECT_DOUBLE_EQ(f.rules.kerf, 0.0);
    EXPECT_TRUE(f.stocks.empty());
}

struct BadCase
{
    const char* name;
    const char* text;
    int line;
    const char* needle; // part of the message
};

class TargetFileRefuses : public ::testing::TestWithParam<BadCase>
{
};

TEST_P(TargetFileRefuses, WithLineNumber)
{
    const BadCase& c = GetParam();
    TargetFile f;
    f.objective = 1; // a refused file leaves the output untouched
    ParseError e;
    EXPECT_FALSE(Parse(c.text, f, e));
    EXPECT_EQ(e.line, c.line);
    EXPECT_NE(e.message.find(c.needle), std::string::npos) << e.message;
    EXPECT_EQ(f.objective, 1);
    EXPECT_NE(e.ToString("x.target").find("x.target:" + std::to_string(c.line) + ":"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TargetFileRefuses,
    ::testing::Values(
        BadCase{"UnknownDirective", "objective 0\nsheet 1 2 3 4\n", 2, "unknown directive"},
        BadCase{"ObjectiveOutOfRange", "objective 2\n", 1, "from 0 to 1"},
        BadCase{"ComparerNotNumber", "comparer x\n", 1, "not a whole number"},
        BadCase{"ScalarTwice", "comparer 1\n\ncomparer 2\n", 3, "first on line 1"},
        BadCase{"ScalarExtraToken", "local_mode 1 0\n", 1, "expected"},
        BadCase{"RulesUnknownKey", "rules kerf=0.1 saw=2\n", 1, "unknown key"},
        BadCase{"RulesTwice", "rules kerf=0.1\nrules kerf=0.2\n", 2, "given twice"},
        BadCase{"RulesKeyTwice", "rules kerf=0.1 kerf=0.2\n", 1, "given twice"},
        BadCase{"RulesFirstCut", "rules first_cut=3\n", 1, "from 0 to 2"},
        BadCase{"NegativeKerf", "rules kerf=-0.1\n", 1, "negative"},
        BadCase{"StockShort", "stock 48 96 10\n", 1, "expected"},
        BadCase{"StockZeroWidth", "stock 0 96 10 1\n", 1, "above 0"},
        BadCase{"StockTooLong", "stock 48 12001 10 1\n", 1, "exceeds"},
        BadCase{"StockNan", "part 1 2 3 1\nstock 48 nan 10 1\n", 2, "not a number"},
        BadCase{"StockInfinite", "stock 48 inf 10 1\n", 1, "not a number"},
        BadCase{"StockNegativeCost", "stock 48 96 -1 1\n", 1, "negative"},
        BadCase{"StockBadCount", "stock 48 96 1 -2\n", 1, "stock count"},
        BadCase{"StockHugeCount", "stock 48 96 1 99999999999999999999\n", 1, "out of range"},
        BadCase{"StockOffcutAndBuyMore", "stock 48 96 1 2 offcut buy_more\n", 1, "exclude each other"},
        BadCase{"StockUnknownOption", "stock 48 96 1 2 cheap\n", 1, "unknown option"},
        BadCase{"StockTrimTwice", "stock 48 96 1 2 tb_trim=1 tb_trim=2\n", 1, "given twice"},
        BadCase{"StockTrailingJunk", "stock 48 96 1.5x 2\n", 1, "not a number"},
        BadCase{"PartMissingCopies", "part 1 2 3\n", 1, "expected"},
        BadCase{"PartFractionalCopies", "part 1 2 3 1.5\n", 1, "not a whole number"},
        BadCase{"PartTooManyCopies", "part 1 2 3 1000001\n", 1, "part copies"},
        BadCase{"PartOrientation", "part 1 2 3 1 orientation=3\n", 1, "from 0 to 2"},
        BadCase{"PartUnknownOption", "part 1 2 3 1 grain=1\n", 1, "unknown option"},
        BadCase{"PartNumberRange", "part 3000000000 2 3 1\n", 1, "part number"}),
    [](const ::testing::TestParamInfo<BadCase>& tp) { return std::string(tp.param.name); });

TEST(TargetFile, ByteOrderMarkIsNotPartOfTheFirstDirective)
{
    TargetFile f;
    ParseError e;
    ASSERT_TRUE(Parse("\xEF\xBB\xBFobjective 1\n", f, e)) << e.message;
    EXPECT_EQ(f.objective, 1);
}

TEST(TargetFile, MissingFileIsRefusedWithoutLine)
{
    TargetFile f;
    ParseError e;
    EXPECT_FALSE(LoadTargetFile("/nonexistent/folder/none.target", f, e));
    EXPECT_EQ(e.line, 0);
    EXPECT_EQ(e.ToString("none.target"), "none.target: cannot open the file");
}
