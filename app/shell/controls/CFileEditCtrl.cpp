#include "shell/controls/CFileEditCtrl.h"

#include "foundation/AppFolders.h"
#include "foundation/CUserPrefs.h"
#include "foundation/FileNames.h"
#include "foundation/ResourceBase.h"
#include "shell/controls/ControlsStrings.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QUrl>

namespace {

constexpr QChar kSeparator = QLatin1Char('/');

// The entries of the text: leading ";" and blanks skipped, split at ";",
// blanks around each entry dropped.
QStringList Entries(const QString& text)
{
    QStringList entries = text.split(QLatin1Char(';'));
    for (QString& entry : entries)
        entry = entry.trimmed();
    while (!entries.isEmpty() && entries.first().isEmpty())
        entries.removeFirst();
    return entries;
}

QString AbsoluteClean(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString WithoutTrailingSeparator(const QString& path)
{
    // The root keeps its separator: it is the whole path.
    return path.size() > 1 && path.endsWith(kSeparator) ? path.chopped(1) : path;
}

// Three dots, the button's label; drawn embossed for the disabled state.
QIcon DotsIcon(const QPalette& palette)
{
    constexpr int size = 16;
    auto draw = [&](bool disabled) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setPen(Qt::NoPen);
        const int diameter = std::max(2, size / 10);
        auto dots = [&](const QColor& colour, int offset) {
            painter.setBrush(colour);
            for (int i = 0; i < 3; ++i)
                painter.drawEllipse(QRect(size / 4 + i * size / 4 - diameter / 2 + offset,
                    size / 2 - diameter / 2 + offset, diameter, diameter));
        };
        if (disabled) {
            dots(palette.color(QPalette::Light), 1);
            dots(palette.color(QPalette::Dark), 0);
        } else {
            dots(palette.color(QPalette::ButtonText), 0);
        }
        return pixmap;
    };
    QIcon icon(draw(false));
    icon.addPixmap(draw(true), QIcon::Disabled);
    return icon;
}

} // namespace

CFileEditCtrl::CFileEditCtrl(QWidget* parent)
    : QLineEdit(parent)
    , m_browse(new QAction(DotsIcon(palette()), QString(), this))
{
    setAcceptDrops(true);
    connect(m_browse, &QAction::triggered, this, &CFileEditCtrl::Browse);
    PlaceButton();
}

bool CFileEditCtrl::SetFlags(quint32 flags)
{
    const bool file = (flags & FileMode) != 0;
    const bool folder = (flags & FolderMode) != 0;
    if (file == folder)
        return false;
    const bool moved = ((flags ^ m_flags) & ButtonLeft) != 0;
    m_flags = flags;
    m_browse->setToolTip((flags & ButtonTooltip) ? LoadUIString(kStrBrowse) : QString());
    if (moved)
        PlaceButton();
    return true;
}

void CFileEditCtrl::PlaceButton()
{
    removeAction(m_browse);
    addAction(m_browse, (m_flags & ButtonLeft) ? QLineEdit::LeadingPosition : QLineEdit::TrailingPosition);
}

QString CFileEditCtrl::FolderText(const QString& path) const
{
    const QString bare = WithoutTrailingSeparator(path);
    return (m_flags & TrailingSeparator) && !bare.endsWith(kSeparator) ? bare + kSeparator : bare;
}

QString CFileEditCtrl::ResolveLink(const QString& path) const
{
    if (m_flags & NoDereferenceLinks)
        return path;
    const QFileInfo info(path);
    // A broken link keeps its own path, as an unresolvable shortcut does.
    return info.isSymLink() && QFileInfo::exists(info.symLinkTarget()) ? info.symLinkTarget() : path;
}

void CFileEditCtrl::AddEntry(const QString& entry, const QString& baseFolder, QStringList& paths) const
{
    const QString full
        = AbsoluteClean(entry.startsWith(kSeparator) ? entry : baseFolder + kSeparator + entry);
    if ((m_flags & ExpandWildcards)
        && (entry.contains(QLatin1Char('*')) || entry.contains(QLatin1Char('?')))) {
        const QFileInfo pattern(full);
        const QDir folder = pattern.dir();
        for (const QString& name : folder.entryList({ pattern.fileName() }, QDir::Files, QDir::Name))
            paths.append(ResolveLink(folder.filePath(name)));
        return;
    }
    paths.append(ResolveLink(full));
}

QStringList CFileEditCtrl::GetPaths() const
{
    const QStringList entries = Entries(text());
    if (entries.isEmpty() || entries.first().isEmpty())
        return {};
    if (IsFolderMode())
        return { FolderText(AbsoluteClean(entries.first())) };

    const QString baseFolder = QFileInfo(AbsoluteClean(entries.first())).path();
    QStringList paths;
    AddEntry(entries.first(), baseFolder, paths);
    if (m_flags & MultiSelect)
        for (qsizetype i = 1; i < entries.size(); ++i)
            if (!entries[i].isEmpty())
                AddEntry(entries[i], baseFolder, paths);
    return paths;
}

int CFileEditCtrl::GetStartPosition() const
{
    return GetPaths().isEmpty() ? -1 : 0;
}

QString CFileEditCtrl::GetNextPathName(int& position) const
{
    const QStringList paths = GetPaths();
    if (position < 0 || position >= paths.size()) {
        position = -1;
        return {};
    }
    const QString path = paths[position];
    position = position + 1 < paths.size() ? position + 1 : -1;
    return path;
}

void CFileEditCtrl::LoadText(const QString& text)
{
    setText(text);
}

QString CFileEditCtrl::SavedText() const
{
    const QStringList paths = GetPaths();
    return paths.isEmpty() ? QString() : paths.first();
}

bool CFileEditCtrl::Validate() const
{
    if (!isEnabled())
        return true;
    const QStringList paths = GetPaths();
    QString message;
    if (paths.isEmpty())
        message = LoadUIString(kStrEnterExistingFolder);
    for (const QString& path : paths) {
        // A file named with a trailing separator would read as missing: test
        // the bare path, with its own bytes.
        const QString bare = WithoutTrailingSeparator(path);
        const QString shown = DisplayFileName(path);
        if (!FileNameExists(bare))
            message = LoadUIString(kStrPathDoesNotExist).arg(shown);
        else if (IsFolderMode() && !FolderNameExists(bare))
            message = QStringLiteral("%1 is not a folder.").arg(shown);
        else if (!IsFolderMode() && FolderNameExists(bare))
            message = QStringLiteral("%1 is not a file.").arg(shown);
        if (!message.isEmpty())
            break;
    }
    if (message.isEmpty())
        return true;
    ShowPrefsMessage(message);
    return false;
}

void CFileEditCtrl::Browse()
{
    bool cancel = false;
    Q_EMIT browseStarting(&cancel);
    if (cancel)
        return;
    const QStringList paths = GetPaths();
    const QString first = paths.isEmpty() ? QString() : paths.first();
    QString chosenText;
    if (IsFolderMode()) {
        // A folder that is gone (a stored one, removed since) starts the
        // browser in the user's documents, not in the working folder.
        const QString chosen = RunFolderDialog(WithoutTrailingSeparator(DialogStartFolder(first)));
        if (chosen.isEmpty())
            return;
        chosenText = FolderText(QDir::cleanPath(chosen));
    } else {
        // The nearest existing folder on the first path; the name only when
        // the path is an existing file, since the dialog takes existing files.
        QString folder = first.isEmpty() ? DialogStartFolder(QString()) : first;
        while (!folder.isEmpty() && !QFileInfo(folder).isDir() && folder != QStringLiteral("/"))
            folder = QFileInfo(folder).path();
        const QFileInfo firstInfo(first);
        const QString name = firstInfo.isFile() ? firstInfo.fileName() : QString();
        const QStringList chosen = RunFileDialog(folder, name);
        if (chosen.isEmpty())
            return;
        chosenText = chosen.first();
        for (qsizetype i = 1; i < chosen.size(); ++i)
            chosenText += QStringLiteral("; ") + QFileInfo(chosen[i]).fileName();
    }
    setText(chosenText);
    setFocus();
    Q_EMIT browsed();
}

QString CFileEditCtrl::RunFolderDialog(const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(this, QString(), startFolder);
}

QStringList CFileEditCtrl::RunFileDialog(const QString& folder, const QString& name)
{
    QFileDialog dialog(
        this, QStringLiteral("Browse for File"), folder, LoadUIString(kStrAllFiles) + QStringLiteral(" (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode((m_flags & MultiSelect) ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontResolveSymlinks, (m_flags & NoDereferenceLinks) != 0);
    dialog.setLabelText(QFileDialog::Accept, LoadUIString(UIStringId::Ok));
    if (!name.isEmpty())
        dialog.selectFile(name);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

void CFileEditCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Period && (event->modifiers() & Qt::ControlModifier)) {
        Browse();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CFileEditCtrl::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        QLineEdit::dragEnterEvent(event);
}

void CFileEditCtrl::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasUrls()) {
        QLineEdit::dropEvent(event);
        return;
    }
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    event->acceptProposedAction();
    DropFiles(files);
}

void CFileEditCtrl::DropFiles(QStringList files)
{
    if (files.isEmpty())
        return;
    if (IsFolderMode() || !(m_flags & MultiSelect))
        files = files.mid(0, 1);
    if (!IsFolderMode())
        for (QString& file : files)
            file = ResolveLink(file);

    // Later files are named relative to the first one's folder.
    const QString firstFolder = QFileInfo(files.first()).path() + kSeparator;
    QString dropped = files.first();
    for (qsizetype i = 1; i < files.size(); ++i)
        dropped += QStringLiteral("; ")
            + (files[i].startsWith(firstFolder) ? files[i].mid(firstFolder.size()) : files[i]);
    setText(dropped);
    setFocus();
}
