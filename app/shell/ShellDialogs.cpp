#include "shell/ShellDialogs.h"

#include "foundation/AppFolders.h"
#include "foundation/FileNames.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
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

// The folder a file dialog starts in, given to the dialog by a name it
// can hold; answers below that name are turned back into the folder's own.
class DialogFolder
{
public:
    explicit DialogFolder(const QString& folder)
        : m_reachable(folder, QtReachableName::Kind::Folder)
        , m_folder(m_reachable.Name().isEmpty() ? EnsureDocumentsFolder() : folder)
        , m_shown(m_reachable.Name().isEmpty() ? m_folder : FolderWithSlash(m_reachable.Name()))
    { }

    // Ends in "/", as the folder does.
    const QString& Shown() const { return m_shown; }
    QString Real(const QString& answer) const
    {
        return answer.startsWith(m_shown) ? m_folder + answer.mid(m_shown.size()) : answer;
    }

private:
    QtReachableName m_reachable;
    QString m_folder;
    QString m_shown;
};

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
    const QString proposed = path.isEmpty() ? QString() : ProposedFilePath(request, path);
    const QString start = proposed.isEmpty() ? DialogStartFolder(request.folder)
                                             : proposed.left(proposed.lastIndexOf(u'/') + 1);
    const DialogFolder folder(start);
    // The name is shown as every name is shown; answered unchanged, that
    // text stands for the name itself.
    const QString name = proposed.mid(start.size());
    const QString shownName = DisplayFileName(name);
    QFileDialog dialog(QApplication::activeWindow(), request.title, folder.Shown());
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    if (!request.open)
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!name.isEmpty())
        dialog.selectFile(folder.Shown() + shownName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString answer = dialog.selectedFiles().front();
    const bool asProposed = !name.isEmpty() && answer == folder.Shown() + shownName;
    const QString chosen = folder.Real(asProposed ? folder.Shown() + name : answer);
    // The dialog asked about replacing the name it showed, which is not
    // there; the file itself is asked about here.
    if (asProposed && shownName != name && !request.open && FileNameExists(chosen)
        && AskQuestion(QFileDialog::tr("%1 already exists.\nDo you want to replace it?").arg(shownName),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Warning)
            != QMessageBox::Yes)
        return false;
    path = chosen;
    return true;
}

QString ProposedFilePath(const FileDialogRequest& request, const QString& name)
{
    // Split and asked with the name's bytes: a project in a folder named in
    // another encoding is proposed in its own folder under its own name.
    const qsizetype slash = name.lastIndexOf(u'/');
    if (name.startsWith(u'/') && FolderNameExists(name.left(slash + 1)))
        return QDir::cleanPath(name);
    return DialogStartFolder(request.folder) + name.mid(slash + 1);
}
