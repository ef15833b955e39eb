#include "model/CPartID.h"

#include <gtest/gtest.h>

namespace {

class CPartIDTest : public ::testing::Test
{
protected:
    void TearDown() override { CPartID::SetPartIDDisplayMode(1); }
};

TEST_F(CPartIDTest, NumberAndTextLiveApart)
{
    CPartID id(1);
    EXPECT_EQ(id.GetText(), QStringLiteral("0001"));
    id.SetNumber(12);
    EXPECT_EQ(id.GetText(), QStringLiteral("0001"));
    EXPECT_EQ(id.FormatPartID(1), QStringLiteral("12"));
    EXPECT_EQ(id.FormatPartID(2), QStringLiteral("L"));
    EXPECT_EQ(id.FormatPartID(3), QStringLiteral("0001"));
    EXPECT_EQ(CPartID(27).FormatPartID(2), QStringLiteral("AA"));
}

TEST_F(CPartIDTest, FieldsCarryTheDisplayedText)
{
    CPartID id(7);
    CParseField field;
    EXPECT_FALSE(id.ToField(field, CParseField::NumberSet));
    EXPECT_TRUE(id.ToField(field, CParseField::TextSet));
    EXPECT_EQ(field.GetText(), QStringLiteral(" 7"));

    CParseField typed;
    typed.SetText(QStringLiteral("  0007"));
    EXPECT_TRUE(id.FromField(typed));
    EXPECT_EQ(id.GetText(), QStringLiteral("0007"));
    EXPECT_EQ(id.GetNumber(), 7);
    EXPECT_FALSE(id.FromField(CParseField()));
}

TEST_F(CPartIDTest, OrderFollowsTheDisplayMode)
{
    CPartID a(2), b(10);
    a.SetText(QStringLiteral("B"));
    b.SetText(QStringLiteral("A"));
    EXPECT_TRUE(CPartID::IsLess(a, b));
    CPartID::SetPartIDDisplayMode(3);
    EXPECT_FALSE(CPartID::IsLess(a, b));
    EXPECT_TRUE(CPartID::IsLess(b, a));
}

} // namespace
