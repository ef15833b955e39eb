#include "QtWarningGuard.h"

#include <gtest/gtest.h>

#include <QtGlobal>

namespace kwltesting {

namespace {

QtMessageHandler g_previous = nullptr;

// The offscreen platform the tests run on has no window manager: it cannot
// honour size hints, raise a window or grab the keyboard or the mouse (a
// pop-up menu, a drag), and says so whenever it is asked. Nothing in our code causes
// it, and a desktop never prints it.
const char* const kAllowed[] = {
    "This plugin does not support propagateSizeHints()",
    "This plugin does not support raise()",
    "This plugin does not support grabbing the keyboard",
    "This plugin does not support grabbing the mouse",
};

void Guard(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (g_previous)
        g_previous(type, context, message);
    if (type != QtWarningMsg && type != QtCriticalMsg)
        return;
    if (IsAllowedQtMessage(message))
        return;
    // Outside a test (start-up, shutdown) there is nobody to fail.
    if (!::testing::UnitTest::GetInstance()->current_test_info())
        return;
    ADD_FAILURE() << "Qt printed a warning: " << message.toStdString();
}

} // namespace

bool IsAllowedQtMessage(const QString& message)
{
    for (const char* allowed : kAllowed) {
        if (message.contains(QLatin1String(allowed)))
            return true;
    }
    return false;
}

void InstallQtWarningGuard()
{
    g_previous = qInstallMessageHandler(Guard);
}

} // namespace kwltesting
