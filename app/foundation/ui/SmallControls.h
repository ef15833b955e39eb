#pragma once
// Small window pieces the pages and dialogs share: a group box that paints
// its own background, a label whose text colour can change, a guard that
// suspends a window's painting for a bulk update, and two dialog helpers.

#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>

class QDialogButtonBox;

// A group box filled with the button-face colour.
class QZGroupbox : public QGroupBox
{
    Q_OBJECT
public:
    explicit QZGroupbox(const QString& title = {}, QWidget* parent = nullptr);
};

// A label on the button-face colour whose text colour can be changed; it
// repaints at once.
class ColorStatic : public QLabel
{
    Q_OBJECT
public:
    explicit ColorStatic(const QString& text = {}, QWidget* parent = nullptr);
    void SetColor(const QColor& color);
    QColor GetColor() const { return m_textColor; }

private:
    QColor m_textColor = Qt::black;
};

// Suspends the window's painting while it lives; the window repaints once
// when it goes. A window deleted meanwhile is left alone.
class RedrawInhibitor
{
public:
    explicit RedrawInhibitor(QWidget* window);
    ~RedrawInhibitor();
    RedrawInhibitor(const RedrawInhibitor&) = delete;
    RedrawInhibitor& operator=(const RedrawInhibitor&) = delete;

private:
    QPointer<QWidget> m_window;
};

// Sets the text of a label, button, line edit (or else the window title)
// only when it differs, so an unchanged text neither repaints nor moves an
// edit's cursor.
void SetWindowTextIfChanged(QWidget* window, const QString& text);

// A property sheet without Apply: OK and Cancel take its place.
void HidePropertySheetApplyButton(QDialogButtonBox* buttons);
