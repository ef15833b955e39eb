#include "shell/ShellDialogs.h"

#include "foundation/AppFolders.h"

#include <QApplication>
#include <QDir>
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

QMessageBox::StandardButton AskQuestion(
    const QString& text, QMessageBox::StandardButtons buttons, QMessageBox::Icon icon)
{
    if (Question())
        return Question()(text, buttons, icon);
    QMessageBox box(
        icon, QApplication::applicationDisplayName(), text, buttons, QApplication::activeWindow());
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
    QFileDialog dialog(QApplication::activeWindow(), request.title, DialogStartFolder(request.folder));
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    if (!request.open)
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!path.isEmpty())
        dialog.selectFile(ProposedFilePath(request, path));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = dialog.selectedFiles().front();
    return true;
}

QString ProposedFilePath(const FileDialogRequest& request, const QString& name)
{
    const QFileInfo info(name);
    if (info.isAbsolute() && info.dir().exists())
        return QDir::cleanPath(name);
    return DialogStartFolder(request.folder) + info.fileName();
}
