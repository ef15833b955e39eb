#pragma once
// Every Help button of the program follows the program's help: enabled
// exactly when the help is installed (looked at again each time the button
// shows), opening the help at the button's topic when clicked.

class QAbstractButton;
class QDialogButtonBox;
class QPushButton;

// topic 0 opens the help's contents.
void ConnectHelpButton(QAbstractButton* button, int topic = 0);
// Adds a Help button with the program's text to the box and connects it.
QPushButton* AddHelpButton(QDialogButtonBox* buttons, int topic = 0);
