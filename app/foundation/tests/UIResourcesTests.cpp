#include "foundation/NamedColors.h"
#include "foundation/ScaleFactors.h"
#include "foundation/TCPResource.h"
#include "foundation/UIResources.h"
#include "foundation/UIStringTable.h"

#include "FakePrefs.h"

#include <QSet>

#include <gtest/gtest.h>

#include <limits>

TEST(UIResources, GridFontsFollowTheGridHeight)
{
    ScopedFakePrefs prefs;
    prefs.prefs->SetInt(3002, 85);
    prefs.prefs->SetInt(3003, 80);
    const std::shared_ptr<UIResources> resources = GetUIResources();
    EXPECT_EQ(GetUIResourcesBase(), resources);
    EXPECT_EQ(GetUIResources(), resources) << "one object for the program";

    prefs.prefs->SetInt(3002, 120);
    prefs.prefs->SetInt(3003, 100);
    RefreshUIFonts();
    EXPECT_FLOAT_EQ(resources->GetGridFontSize(), 12.0f);
    for (const QFont* font : { &resources->GetGridFont(), &resources->GetBoldGridFont(), &resources->GetItalicGridFont() })
        EXPECT_DOUBLE_EQ(font->pointSizeF(), 12.0);
    EXPECT_EQ(resources->GetBoldGridFont().weight(), QFont::Bold);
    EXPECT_TRUE(resources->GetItalicGridFont().italic());
    EXPECT_FALSE(resources->GetGridFont().italic());
    EXPECT_FLOAT_EQ(resources->GetDiagramFontSize(), 10.0f);
    EXPECT_DOUBLE_EQ(resources->GetDiagramFont().pointSizeF(), 10.0);
    EXPECT_EQ(resources->GetGridPen().width(), 5);
    EXPECT_EQ(resources->GetGridPen().color(), QColor(200, 200, 200));
}

TEST(UIResources, DialogFontLivesFromFirstRequestToRelease)
{
    ReleaseDialogFont();
    EXPECT_FALSE(IsDialogFontCreated());
    EXPECT_EQ(GetDialogFont().family(), QStringLiteral("Tahoma"));
    EXPECT_DOUBLE_EQ(GetDialogFont().pointSizeF(), 8.5);
    EXPECT_TRUE(IsDialogFontCreated());
    ReleaseDialogFont();
    EXPECT_FALSE(IsDialogFontCreated());
}

TEST(ScaleFactors, RatiosAndTruncation)
{
    const ScaleFactors factors(platform::Rect(0, 0, 200, 100), 400, 400);
    EXPECT_FLOAT_EQ(factors.x, 0.5f);
    EXPECT_FLOAT_EQ(factors.y, 0.25f);
    EXPECT_EQ(factors.ScalePoint({ 3, 3 }), (platform::Point { 1, 0 }));
    EXPECT_EQ(factors.ScalePoint({ -3, -5 }), (platform::Point { -1, -1 })) << "toward zero";
    EXPECT_EQ(factors.UnscalePoint({ 1, 1 }), (platform::Point { 2, 4 }));
    EXPECT_EQ(factors.ScaleRect(platform::Rect(10, 10, 21, 23)), platform::Rect(5, 2, 10, 5));

    // No size to scale to: the values read as 0 or saturate instead of undefined conversions.
    const ScaleFactors degenerate(platform::Rect(0, 0, 200, 0), 0, 0);
    EXPECT_EQ(degenerate.ScalePoint({ 3, 3 }), (platform::Point { std::numeric_limits<std::int32_t>::max(), 0 }));
}

TEST(NamedColors, FortyColoursInCellOrderWithTheirNames)
{
    InitUIStrings(QStringLiteral("/nonexistent"), { FoundationStringResources() });
    NamedColorList list;
    BuildNamedColorList(list);
    EXPECT_EQ(list.front().color, 0x000000u);
    EXPECT_EQ(list.front().name, QStringLiteral("Black"));
    EXPECT_EQ(list[1].color, 0x2A2AA5u);
    EXPECT_EQ(list[1].name, QStringLiteral("Brown"));
    EXPECT_EQ(list[4].color, 0x5E0000u);
    EXPECT_EQ(list[4].name, QStringLiteral("Dark Teal"));
    EXPECT_EQ(list[15].name, QStringLiteral("Grey 60%"));
    EXPECT_EQ(list[37].color, 0x8B8368u);
    EXPECT_EQ(list.back().color, 0xFFFFFFu);
    EXPECT_EQ(list.back().name, QStringLiteral("White"));
    QSet<QString> names;
    QSet<platform::ColorRef> colors;
    for (const NamedColor& entry : list) {
        names.insert(entry.name);
        colors.insert(entry.color);
    }
    EXPECT_EQ(names.size(), kNamedColorCount);
    EXPECT_EQ(colors.size(), kNamedColorCount);
    InstallResources(nullptr);
}
