#include "shell/prefs/FolderEdit.h"

#include "foundation/ResourceBase.h"
#include "foundation/CUserPrefs.h"
#include "shell/prefs/PrefsStrings.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStyle>

namespace {

// Only the first of the ";"-separated entries names the folder.
QString FirstEntry(const QString& text)
{
    for (const QString& entry : text.split(QLatin1Char(';'))) {
        const QString trimmed = entry.trimmed();
        if (!trimmed.isEmpty())
            return trimmed;
    }
    return {};
}

QString WithTrailingSeparator(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

// The full path of the first entry, without a trailing separator except for the root.
QString FullPath(const QString& text)
{
    const QString entry = FirstEntry(text);
    return entry.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(entry).absoluteFilePath());
}

} // namespace

FolderEdit::FolderEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_browse(addAction(style()->standardIcon(QStyle::SP_DirOpenIcon), QLineEdit::TrailingPosition))
{
    m_browse->setToolTip(LoadUIString(kStrBrowse));
    connect(m_browse, &QAction::triggered, this, &FolderEdit::Browse);
}

QString FolderEdit::Folder() const
{
    const QString path = FullPath(text());
    return path.isEmpty() ? path : WithTrailingSeparator(path);
}

bool FolderEdit::Validate() const
{
    if (!isEnabled())
        return true;
    // A file named with a trailing separator would read as missing: test the bare path.
    const QFileInfo info(FullPath(text()));
    const QString folder = Folder();
    QString message;
    if (folder.isEmpty())
        message = LoadUIString(kStrEnterExistingFolder);
    else if (!info.exists())
        message = LoadUIString(kStrFolderDoesNotExist).arg(folder);
    else if (!info.isDir())
        message = QStringLiteral("%1 is not a folder.").arg(folder);
    if (message.isEmpty())
        return true;
    ShowPrefsMessage(message);
    return false;
}

void FolderEdit::Browse()
{
    const QString chosen = QFileDialog::getExistingDirectory(this, QString(), Folder());
    if (chosen.isEmpty())
        return;
    setText(WithTrailingSeparator(QDir::cleanPath(chosen)));
    setFocus();
}
