#include "gridctrl/CUGCell.h"

#include "LocaleGuard.h"

#include <gtest/gtest.h>

#include <QDate>

TEST(CUGCell, ResetStateSetsOnlyTypeColoursAndAlignment)
{
    CUGCell cell;
    EXPECT_EQ(cell.GetPropertyFlags(), 0x8788u);
    EXPECT_EQ(cell.GetDataType(), 1);
    EXPECT_EQ(cell.GetAlignment(), 1);
    EXPECT_FALSE(cell.IsPropertySet(CUGCell::kText | CUGCell::kLabel | CUGCell::kMask));
    EXPECT_TRUE(cell.GetText().isNull());
    EXPECT_EQ(cell.GetParam(), 0);        // not set
    EXPECT_EQ(cell.GetCellType(), 0);     // the normal type

    cell.SetText(QStringLiteral("x"));
    cell.SetParam(7);
    cell.SetExtraMemory(QByteArray("abc"));
    cell.ClearAll();
    EXPECT_EQ(cell.GetPropertyFlags(), 0x8788u);
    EXPECT_TRUE(cell.GetExtraMemory().isEmpty());

    cell.SetText(QString());
    EXPECT_FALSE(cell.IsPropertySet(CUGCell::kText));
    EXPECT_TRUE(cell.GetText().isNull());
}

TEST(CUGCell, NumberTextInUnitedStatesLocale)
{
    LocaleGuard us;
    struct Case { double number; int decimals; bool plain; const char* text; };
    const Case cases[] = {
        {1234.5, -1, false, "1,234.5"},
        {1234.5, 2, false, "1,234.50"},
        {1234.5, -1, true, "1234.5"},
        {0.0, -1, false, "0"},
        {3.0, -1, false, "3"},
        {0.5, -1, false, "0.5"},
        {-1234567.25, -1, false, "-1,234,567.25"},
        {3.0, -1, true, "3"},
        {0.0, -1, true, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CUGCell cell;
        cell.SetNumber(c.number);
        if (c.decimals >= 0)
            cell.SetNumberDecimals(c.decimals);
        if (c.plain)
            cell.SetPropertyFlags(cell.GetPropertyFlags() | CUGCell::kPlainNumber);
        EXPECT_EQ(cell.GetText(), QString::fromLatin1(c.text));
        EXPECT_EQ(cell.GetDataType(), 2);
    }
}

TEST(CUGCell, DataTypeConversions)
{
    LocaleGuard us;
    CUGCell cell;
    cell.SetText(QStringLiteral("1,234.75 apples"));
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 1234.75); // text cells read their number
    cell.SetDataType(2);
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 1234.75);
    EXPECT_EQ(cell.GetText(), QStringLiteral("1,234.75"));

    // Currency keeps the cents: an edit ends by converting its text again.
    cell.SetText(QStringLiteral("$12.99"));
    cell.SetDataType(5);
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 12.99);
    cell.SetText(QStringLiteral("($3.50)"));
    cell.SetDataType(5);
    EXPECT_DOUBLE_EQ(cell.GetNumber(), -3.5);

    cell.SetNumber(12.5);
    cell.SetDataType(5);
    EXPECT_EQ(cell.GetText(), QStringLiteral("12.50"));
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 12.5);

    cell.SetText(QStringLiteral("2000-01-01"));
    cell.SetDataType(4);
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 36526.0);
    cell.SetText(QLocale().toString(QDate(2000, 1, 2), QLocale::LongFormat));
    cell.SetDataType(4);
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 36527.0);
    cell.SetText(QStringLiteral("1899-12-31T12:00:00"));
    cell.SetDataType(4);
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 1.5);
    cell.SetText(QStringLiteral("no date"));
    cell.SetDataType(4);
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 0.0);

    cell.SetText(QStringLiteral("abc"));
    cell.SetDataType(2);
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 0.0);

    // The same type again converts nothing.
    cell.SetNumber(4.0);
    cell.SetDataType(2);
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 4.0);
}

TEST(CUGCell, CopyGivesExactlyTheSourcePropertiesAndAddOverlays)
{
    CUGCell source;
    source.SetText(QStringLiteral("src"));
    source.SetBackColor(0x0000FF);

    CUGCell copied;
    copied.SetLabelText(QStringLiteral("keep?"));
    copied.CopyFrom(source);
    EXPECT_FALSE(copied.IsPropertySet(CUGCell::kLabel));
    EXPECT_EQ(copied.GetText(), QStringLiteral("src"));
    EXPECT_EQ(copied.GetPropertyFlags(), source.GetPropertyFlags());

    CUGCell added;
    added.SetLabelText(QStringLiteral("kept"));
    added.SetBackColor(0x00FF00);
    added.AddFrom(source);
    EXPECT_EQ(added.GetLabelText(), QStringLiteral("kept"));
    EXPECT_EQ(added.GetText(), QStringLiteral("src"));
    EXPECT_EQ(added.GetBackColor(), 0x0000FFu);

    CUGCell joined;
    joined.SetJoinInfo(0, -1, -2);
    CUGCell target;
    joined.AddInto(target);
    int flag = 9, dc = 0, dr = 0;
    EXPECT_EQ(target.GetJoinInfo(&flag, &dc, &dr), 0);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(dc, -1);
    EXPECT_EQ(dr, -2);
}
