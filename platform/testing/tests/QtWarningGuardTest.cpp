#include "../QtWarningGuard.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QtGlobal>

TEST(QtWarningGuard, FailsTheTestOnWarningsAndCriticals)
{
    EXPECT_NONFATAL_FAILURE(qWarning("QPrinter::setPageLayout: Cannot be changed while printer is active"),
        "Cannot be changed while printer is active");
    EXPECT_NONFATAL_FAILURE(qCritical("something broke"), "something broke");
}

TEST(QtWarningGuard, LetsInformationAndPlatformNoiseThrough)
{
    qInfo("an informative line");
    qDebug("a debugging line");
    qWarning("This plugin does not support propagateSizeHints()");
    EXPECT_TRUE(
        kwltesting::IsAllowedQtMessage(QStringLiteral("This plugin does not support propagateSizeHints()")));
    EXPECT_FALSE(kwltesting::IsAllowedQtMessage(
        QStringLiteral("QAbstractItemView::closeEditor called with an editor")));
}
