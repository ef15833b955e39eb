#include "foundation/ui/SmallControls.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace {

void FillWithButtonFace(QWidget& widget)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

} // namespace

QZGroupbox::QZGroupbox(const QString& title, QWidget* parent)
    : QGroupBox(title, parent)
{
    FillWithButtonFace(*this);
}

ColorStatic::ColorStatic(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    FillWithButtonFace(*this);
    SetColor(m_textColor);
}

void ColorStatic::SetColor(const QColor& color)
{
    m_textColor = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
    repaint();
}

RedrawInhibitor::RedrawInhibitor(QWidget* window)
    : m_window(window)
{
    if (m_window)
        m_window->setUpdatesEnabled(false);
}

RedrawInhibitor::~RedrawInhibitor()
{
    if (!m_window)
        return;
    m_window->setUpdatesEnabled(true);
    m_window->update();
}

void SetWindowTextIfChanged(QWidget* window, const QString& text)
{
    if (!window)
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(window)) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(window)) {
        if (label->text() != text)
            label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(window)) {
        if (button->text() != text)
            button->setText(text);
    } else if (window->windowTitle() != text) {
        window->setWindowTitle(text);
    }
}

void HidePropertySheetApplyButton(QDialogButtonBox* buttons)
{
    if (!buttons)
        return;
    // The box lays out what is left, so OK and Cancel close up to the right.
    if (QPushButton* apply = buttons->button(QDialogButtonBox::Apply))
        apply->hide();
}
