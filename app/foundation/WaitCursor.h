#pragma once
// Shows the wait cursor for the life of the scope, whichever way it is
// left; without a GUI application (tools, tests) it does nothing.

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

class WaitCursor
{
public:
    WaitCursor()
        : m_shown(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    {
        if (m_shown)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_shown;
};
