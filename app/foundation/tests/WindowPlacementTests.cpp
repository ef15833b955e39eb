#include "foundation/WindowPlacement.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(WindowPlacement, DefaultsThenRoundTripThroughTheProfile)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, temp.path());

    const WindowPlacement defaults = LoadWindowPlacement();
    EXPECT_EQ(defaults.length, 44u);
    EXPECT_EQ(defaults.flags, 0u);
    EXPECT_EQ(defaults.showCmd, 3);
    EXPECT_EQ(defaults.normalTop, 0);
    EXPECT_EQ(defaults.normalLeft, 0);
    EXPECT_EQ(defaults.normalBottom, 400);
    EXPECT_EQ(defaults.normalRight, 500);

    WindowPlacement placement;
    placement.showCmd = 1;
    placement.normalLeft = 10;
    placement.normalTop = 20;
    placement.normalRight = 810;
    placement.normalBottom = 620;
    placement.flags = 5; // not kept
    SaveWindowPlacement(placement);

    const WindowPlacement loaded = LoadWindowPlacement();
    EXPECT_EQ(loaded.showCmd, 1);
    EXPECT_EQ(loaded.normalLeft, 10);
    EXPECT_EQ(loaded.normalTop, 20);
    EXPECT_EQ(loaded.normalRight, 810);
    EXPECT_EQ(loaded.normalBottom, 620);
    EXPECT_EQ(loaded.flags, 0u);

    QSettings profile(QStringLiteral("Marrowby Design"), QStringLiteral("Kerfwell Plus Solo"));
    EXPECT_EQ(profile.value(QStringLiteral("5.0/WPNormR")).toInt(), 810);
}
