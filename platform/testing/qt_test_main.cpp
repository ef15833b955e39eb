// Test entry point for code that needs a Qt application object.
#include "QtWarningGuard.h"

#include <gtest/gtest.h>

#include <cstdlib>

#ifdef KWL_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char** argv)
{
    // Test discovery and CI have no display.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    kwltesting::InstallQtWarningGuard();
    return RUN_ALL_TESTS();
}
