#pragma once

#include <QString>

class QDialogButtonBox;
class QWidget;

// Texts of the string service put on widgets.

// The widget's text (button, label, line edit, group box; else its window title).
void SetWindowTextById(QWidget* widget, int id);
void SetWindowTextWithPrefix(QWidget* widget, const QString& prefix, int id);
// The text of formatId with %1 filled by the unsplit resource of argumentId.
void SetWindowTextFormatted(QWidget* widget, int formatId, int argumentId);
// OK and Cancel, and also Help, from the string service.
void SetOkCancelTexts(QDialogButtonBox* buttons);
void SetOkCancelHelpTexts(QDialogButtonBox* buttons);

// Shows the session log's write warning in a message box on the GUI thread.
void InstallSessionLogWarningBox();
