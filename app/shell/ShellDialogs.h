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
    QString defaultSuffix;
    QString folder;
};
using FileDialogFunction = std::function<bool(const FileDialogRequest& request, QString& path)>;
FileDialogFunction SetFileDialogFunction(FileDialogFunction function);
bool RunFileDialog(const FileDialogRequest& request, QString& path);
