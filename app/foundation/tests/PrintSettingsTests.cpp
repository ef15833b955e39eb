#include "foundation/PrintSettings.h"

#include <gtest/gtest.h>

TEST(PrintSettings, SectionSelectionByScope)
{
    struct Case
    {
        int scope;
        int takeOffOnLayout;
        std::uint32_t bits;
        std::uint32_t section;
        bool selected;
    };
    const Case cases[] = {
        { 1, 1, 0, PrintSettings::TakeOffLists, false },
        { 1, 1, 0, PrintSettings::Layouts, true },
        { 1, 1, 0, PrintSettings::Reports, true },
        { 1, 0, 0, PrintSettings::TakeOffLists, true },
        { 3, 1, 0, PrintSettings::TakeOffLists, true },
        { 2, 1, PrintSettings::Reports, PrintSettings::Reports, true },
        { 2, 1, PrintSettings::Reports, PrintSettings::CoverPage, false },
        { 5, 0, PrintSettings::PartsList, PrintSettings::PartsList, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.scope << "/" << c.takeOffOnLayout << "/" << c.section);
        PrintSettings settings;
        settings.scope = c.scope;
        settings.takeOffOnLayoutPage = c.takeOffOnLayout;
        settings.SetSectionBits(c.bits);
        EXPECT_EQ(settings.IsSectionSelected(c.section), c.selected);
    }
}

TEST(PrintSettings, DiagramsPerPageFromListIndex)
{
    struct Case
    {
        int index;
        int perPage;
    };
    for (const Case& c :
        { Case { 0, 1 }, Case { 1, 2 }, Case { 2, 4 }, Case { 3, 4 }, Case { 4, 1 }, Case { -1, 1 } }) {
        PrintSettings settings;
        settings.diagramsPerPage = c.index;
        EXPECT_EQ(settings.GetDiagramsPerPage(), c.perPage) << c.index;
    }
}

TEST(PrintSettings, CurrentLayoutsOnly)
{
    PrintSettings settings;
    settings.AddSectionBit(PrintSettings::Reports);
    settings.SetCurrentLayoutsOnly();
    EXPECT_TRUE(settings.IsCurrentDiagramsOnly());
    EXPECT_EQ(settings.scope, 2);
    EXPECT_TRUE(settings.IsSectionSelected(PrintSettings::Layouts));
    EXPECT_FALSE(settings.IsSectionSelected(PrintSettings::Reports));
}

TEST(PrintSettings, Defaults)
{
    const PrintSettings settings;
    EXPECT_EQ(settings.scope, 1);
    EXPECT_EQ(settings.thirdWord, 999);
    EXPECT_EQ(settings.sectionBits, 0u);
    EXPECT_FALSE(settings.IsCurrentDiagramsOnly());
    const PageSetup& page = settings.GetAlternatePageSetup();
    EXPECT_EQ(page.leftMargin, 250);
    EXPECT_EQ(page.topMargin, 500);
    EXPECT_EQ(page.orientation, 1);
    EXPECT_EQ(page.paperSize, 1);
    EXPECT_EQ(page.paperBin, 7);
    EXPECT_EQ(page.duplex, 1);
}
