#pragma once

#include <QToolButton>

// A small square button that shows a 16 x 16 icon and no text. It remembers
// the keyboard modifiers of the click that fired it, so a handler can tell a
// Ctrl-click from a plain one (the modifiers the click itself carried, not
// the keyboard's state when the handler runs).
class CIconButton : public QToolButton
{
    Q_OBJECT

public:
    explicit CIconButton(QWidget* parent = nullptr);

    Qt::KeyboardModifiers ClickModifiers() const { return m_clickModifiers; }
    bool WasCtrlClick() const { return m_clickModifiers.testFlag(Qt::ControlModifier); }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    Qt::KeyboardModifiers m_clickModifiers;
};
