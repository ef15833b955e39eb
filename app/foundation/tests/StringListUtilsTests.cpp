#include "foundation/StringListUtils.h"

#include <gtest/gtest.h>

TEST(StringListUtils, SortsOrdinallyAndJoinsWithLineEnds)
{
    QStringList list { QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("a"), QStringLiteral("A10"),
        QStringLiteral("A9") };
    SortStringList(list);
    EXPECT_EQ(list,
        (QStringList { QStringLiteral("A10"), QStringLiteral("A9"), QStringLiteral("B"), QStringLiteral("a"),
            QStringLiteral("b") }));
    EXPECT_EQ(JoinStringList({ QStringLiteral("b"), QStringLiteral("a") }), QStringLiteral("a\nb\n"));
    EXPECT_EQ(JoinStringList({}), QString());
}
