#pragma once
// Fails the running test when Qt prints a warning or a critical message: a
// warning in normal use is a fault of the caller (an editor closed twice, a
// printer changed while it prints), and left alone it scrolls by unread.
// Messages that Qt prints with no cause in our code are allowed by name.

#include <QString>

namespace kwltesting {

// Installs the message handler; the previous handler still prints.
void InstallQtWarningGuard();

// True for the few messages the test platform prints on its own.
bool IsAllowedQtMessage(const QString& message);

} // namespace kwltesting
