#include "ScopedProgramHelp.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramHelpTest, WithoutTheContentsPageNothingOpens)
{
    // A topic page alone is no help: the contents page is what is installed.
    ScopedProgramHelp help(false, { 1538 });
    EXPECT_FALSE(IsHelpInstalled());
    EXPECT_FALSE(ShowHelp());
    EXPECT_FALSE(ShowHelp(1538));
    EXPECT_TRUE(help.opened.isEmpty()) << help.opened.join(QLatin1Char(' ')).toStdString();
}

TEST(ProgramHelpTest, ATopicOpensItsOwnPageOrElseTheContents)
{
    ScopedProgramHelp help(true, { 1538 });
    ASSERT_TRUE(IsHelpInstalled());
    const struct
    {
        int topic;
        QString page;
    } cases[] = { { 0, help.Contents() }, { 1538, help.Page(1538) }, { 5501, help.Contents() } };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.topic);
        help.opened.clear();
        EXPECT_TRUE(ShowHelp(test.topic));
        EXPECT_EQ(help.opened, QStringList { test.page });
    }
}

} // namespace
