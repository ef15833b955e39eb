#include "shell/ShellDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QWidget>

namespace {

QuestionFunction& Question()
{
    static QuestionFunction function;
    return function;
}

FileDialogFunction& FileDialog()
{
    static FileDialogFunction function;
    return function;
}

} // namespace

QuestionFunction SetQuestionFunction(QuestionFunction function)
{
    return std::exchange(Question(), std::move(function));
}

QMessageBox::StandardButton AskQuestion(const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::Icon icon)
{
    if (Question())
        return Question()(text, buttons, icon);
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, buttons, QApplication::activeWindow());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void ShowShellMessage(const QString& text, QMessageBox::Icon icon)
{
    AskQuestion(text, QMessageBox::Ok, icon);
}

FileDialogFunction SetFileDialogFunction(FileDialogFunction function)
{
    return std::exchange(FileDialog(), std::move(function));
}

bool RunFileDialog(const FileDialogRequest& request, QString& path)
{
    if (FileDialog())
        return FileDialog()(request, path);
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.folder);
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!path.isEmpty())
        dialog.selectFile(QFileInfo(path).isAbsolute() ? path : request.folder + QLatin1Char('/') + path);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = dialog.selectedFiles().front();
    return true;
}
