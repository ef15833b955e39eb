#include "shell/DeferredDialog.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

DeferredDialog::DeferredDialog(std::function<void()> show, QObject* parent)
    : QObject(parent)
    , m_show(std::move(show))
{ }

void DeferredDialog::Request()
{
    if (m_pending)
        return;
    m_pending = true;
    TryShowLater();
}

void DeferredDialog::TryShowLater()
{
    QMetaObject::invokeMethod(this, &DeferredDialog::TryShow, Qt::QueuedConnection);
}

void DeferredDialog::TryShow()
{
    if (!m_pending || m_blocker)
        return;
    QWidget* blocker = QApplication::activePopupWidget();
    if (!blocker)
        blocker = QApplication::activeModalWidget();
    if (blocker) {
        m_blocker = blocker;
        blocker->installEventFilter(this);
        connect(blocker, &QObject::destroyed, this, &DeferredDialog::TryShowLater);
        return;
    }
    m_pending = false;
    if (m_show)
        m_show();
}

bool DeferredDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && watched == m_blocker) {
        m_blocker->removeEventFilter(this);
        disconnect(m_blocker, &QObject::destroyed, this, &DeferredDialog::TryShowLater);
        m_blocker = nullptr;
        TryShowLater();
    }
    return QObject::eventFilter(watched, event);
}
