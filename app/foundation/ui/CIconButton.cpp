#include "foundation/ui/CIconButton.h"

#include <QKeyEvent>
#include <QMouseEvent>

CIconButton::CIconButton(QWidget* parent)
    : QToolButton(parent)
{
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setAutoRaise(false);
}

void CIconButton::mouseReleaseEvent(QMouseEvent* event)
{
    m_clickModifiers = event->modifiers();
    QToolButton::mouseReleaseEvent(event);
}

void CIconButton::keyReleaseEvent(QKeyEvent* event)
{
    m_clickModifiers = event->modifiers();
    QToolButton::keyReleaseEvent(event);
}
