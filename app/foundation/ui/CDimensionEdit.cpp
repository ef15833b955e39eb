#include "foundation/ui/CDimensionEdit.h"
#include "foundation/ui/SmallControls.h"

#include <QKeyEvent>

CDimensionEdit::CDimensionEdit(QWidget* parent)
    : QLineEdit(parent)
{ }

void CDimensionEdit::SetValue(const CDimension& value)
{
    m_value = value;
    m_modified = false;
    setText(GetDisplayText());
}

CDimension CDimensionEdit::GetValue()
{
    if (hasFocus())
        Commit();
    return m_value;
}

QString CDimensionEdit::GetDisplayText() const
{
    if (!m_showZero && CDimension::ApproxEqual(m_value, CDimension::Zero()))
        return QString();
    return m_value.FormatDimension();
}

void CDimensionEdit::Commit()
{
    const bool allowZero = m_showZero && CDimension::ApproxEqual(m_minimum, CDimension::Zero());
    const CDimension typed(text(), allowZero, false);
    // A text that cannot be read, or a value out of range, is dropped quietly.
    if (typed.IsValid() && !CDimension::LessWithTolerance(typed, m_minimum)
        && !CDimension::LessWithTolerance(m_maximum, typed) && !CDimension::ApproxEqual(typed, m_value)) {
        m_modified = true;
        m_value = typed;
    }
    SetWindowTextIfChanged(this, GetDisplayText());
}

bool CDimensionEdit::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            const bool shift = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
            Q_EMIT tabPressed(this, shift);
            return true; // no focus move, no tab character
        }
    }
    return QLineEdit::event(event);
}

void CDimensionEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    selectAll();
}

void CDimensionEdit::focusOutEvent(QFocusEvent* event)
{
    if (!m_busy)
        Commit();
    QLineEdit::focusOutEvent(event);
}
