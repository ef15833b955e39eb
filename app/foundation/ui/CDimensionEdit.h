#pragma once

#include "foundation/CDimension.h"

#include <QLineEdit>

// An edit field for one length within a range. What the user typed is taken
// when the field loses the focus; the field then always shows the value in
// the user's length style. Tab keys are handed to the owner instead of
// moving the focus, so grids and dialogs can step between their cells.
class CDimensionEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CDimensionEdit(QWidget* parent = nullptr);

    // Stores the value, clears the modified flag and shows it.
    void SetValue(const CDimension& value);
    // Takes the typed text first when the field has the focus.
    CDimension GetValue();

    void SetMinimum(const CDimension& minimum) { m_minimum = minimum; }
    void SetMaximum(const CDimension& maximum) { m_maximum = maximum; }
    // Off shows a zero value as an empty field.
    void SetShowZero(bool showZero) { m_showZero = showZero; }
    // While busy, losing the focus takes nothing.
    void SetBusy(bool busy) { m_busy = busy; }
    bool IsModified() const { return m_modified; }
    QString GetDisplayText() const;

Q_SIGNALS:
    // Tab (shift false) or Shift+Tab (shift true) was pressed in the field.
    void tabPressed(CDimensionEdit* edit, bool shift);

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Commit();

    CDimension m_minimum;
    CDimension m_maximum = CDimension::Max();
    CDimension m_value;
    bool m_modified = false;
    bool m_busy = false;
    bool m_showZero = true;
};
