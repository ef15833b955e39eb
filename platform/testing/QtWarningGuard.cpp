#include "QtWarningGuard.h"

#include <gtest/gtest.h>

#include <QtGlobal>

namespace kwltesting {

namespace {

QtMessageHandler g_previous = nullptr;

// The offscreen platform has no window manager: it cannot honour size hints
// and says so whenever a window is shown. Nothing in our code causes it.
const char* const kAllowed[] = {
    "This plugin does not support propagateSizeHints()",
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
