#pragma once
// The program window's modal questions and file dialogs, each behind one
// function that tests replace (a modal box would wait for a user).

#include <QMessageBox>
#include <QString>

#include <functional>

// A message box; answers the button pressed.
using QuestionFunction = std::function<QMessageBox::StandardButton(
    const QString& text, QMessageBox::StandardButtons buttons, QMessageBox::Icon icon)>;
QuestionFunction SetQuestionFunction(QuestionFunction function);
QMessageBox::StandardButton AskQuestion(const QString& text, QMessageBox::StandardButtons buttons,
    QMessageBox::Icon icon = QMessageBox::Question);
// An OK box.
void ShowShellMessage(const QString& text, QMessageBox::Icon icon = QMessageBox::Information);

// The file dialog: path is the proposed name in and the chosen file out;
// filters as Qt writes them; false when cancelled.
struct FileDialogRequest
{
    bool open = true;
    QString title;
    QStringList filters;
    // Added to a name typed without an extension when saving; an opened
    // file is taken by the name as typed.
    QString defaultSuffix;
    // Where the dialog starts (the user's documents folder when it is gone).
    QString folder;
};
using FileDialogFunction = std::function<bool(const FileDialogRequest& request, QString& path)>;
FileDialogFunction SetFileDialogFunction(FileDialogFunction function);
// A proposed name is shown escaped as every shown name is (a byte that is
// not UTF-8 as "\xNN"); answered unchanged, the name itself comes back, its
// bytes kept, in its own folder.
bool RunFileDialog(const FileDialogRequest& request, QString& path);
// The file the dialog proposes for the proposed name, as accepting it
// unchanged answers it: a bare name in the folder the dialog starts in; a
// full one as it is while its folder exists, else its name in that folder.
QString ProposedFilePath(const FileDialogRequest& request, const QString& name);
