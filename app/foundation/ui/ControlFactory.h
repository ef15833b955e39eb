#pragma once

#include <platform/Rect.h>

#include <QString>

class CIconButton;
class CStaticWithTip;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QIcon;
class QWidget;

// Child controls made in code rather than from a dialog layout: each is a
// visible child of parent at rect (right and bottom edges outside), carries
// its control id, takes its caption from a UI string where it has one and
// draws with the shared default GUI font.
QGroupBox* CreateGroupBoxControl(QWidget* parent, const platform::Rect& rect, int id, int captionId);
QPushButton* CreatePushButtonControl(QWidget* parent, const platform::Rect& rect, int id, int captionId);
// A tab stop.
QCheckBox* CreateCheckBoxControl(QWidget* parent, const platform::Rect& rect, int id, int captionId);
QRadioButton* CreateRadioButtonControl(QWidget* parent, const platform::Rect& rect, int id, int captionId);
// Its text is centred vertically.
QLabel* CreateStaticTextControl(QWidget* parent, const platform::Rect& rect, int id, int captionId);
QLineEdit* CreateEditControl(QWidget* parent, const platform::Rect& rect, int id);
// A drop-down list: the user picks, never types.
QComboBox* CreateComboBoxControl(QWidget* parent, const platform::Rect& rect, int id);

// A button showing the 16 x 16 icon and no text; placed later (empty at first).
CIconButton* CreateIconButton(QWidget* parent, int id, const QIcon& icon);
// A line of text with a tooltip; placed later (empty at first).
CStaticWithTip* CreateStaticWithTip(QWidget* parent, const QString& text, int id);

// The id given at creation; 0 for a widget made otherwise.
int GetControlId(const QWidget* control);
// The child of parent with that control id, or null.
QWidget* FindControl(const QWidget* parent, int id);
