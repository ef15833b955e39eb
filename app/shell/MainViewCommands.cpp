#include "shell/MainViewCommands.h"

#include "shell/CKWLView.h"
#include "shell/ShellCommands.h"
#include "shell/ShellDialogs.h"
#include "shell/ShellStrings.h"
#include "shell/SmallDialogs.h"
#include "shell/ViewMgr.h"

#include "document/CKWLDoc.h"
#include "foundation/CmdHistory.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIResources.h"
#include "foundation/UserPrefsBase.h"
#include "grids/CVendorsDlg.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "model/MaterialsBase.h"
#include "model/MaterialsRestore.h"
#include "model/PartCommands.h"

#include <platform/ui/CommandActions.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace {

constexpr int kPrefMaterialsBackup = 1012;
constexpr int kPrefLargeScreen = 2082;
constexpr int kPrefSnapToKerf = 2126;

const char* const kQuickStartFile = "QS.pdf";
const char* const kManualFile = "manual.pdf";
const char* const kManualPagesFile = "index.htm";

QString& GuideFolderOverride()
{
    static QString folder;
    return folder;
}

DocumentOpener& Opener()
{
    static DocumentOpener opener;
    return opener;
}

bool OpenDocument(const QUrl& url)
{
    return Opener() ? Opener()(url) : QDesktopServices::openUrl(url);
}

UserPrefsBase* Prefs()
{
    return GetUserPrefs();
}

bool PrefFlag(int id)
{
    return Prefs() && Prefs()->GetFlag(id);
}

// A menu text without a shortcut part shows none (rather than keeping the
// one of the text before it).
QString WithShortcutPart(const QString& text)
{
    return text.contains(QLatin1Char('\t')) ? text : text + QLatin1Char('\t');
}

} // namespace

QString UndoItemText()
{
    return WithShortcutPart(GetUndoMenuText());
}

QString RedoItemText()
{
    return WithShortcutPart(GetRedoMenuText());
}

void SetGuideFolder(const QString& folder)
{
    GuideFolderOverride() = folder;
}

QString GetGuideFolder()
{
    if (!GuideFolderOverride().isEmpty())
        return GuideFolderOverride();
    const QDir program(QCoreApplication::applicationDirPath());
    if (program.exists(QStringLiteral("Manual")))
        return program.filePath(QStringLiteral("Manual"));
    return QDir::cleanPath(program.filePath(QStringLiteral("../share/kwlsolo/Manual")));
}

DocumentOpener SetDocumentOpener(DocumentOpener opener)
{
    DocumentOpener previous = std::move(Opener());
    Opener() = std::move(opener);
    return previous;
}

MainViewCommands::MainViewCommands(
    platform::CommandActions& commands, CKWLView& view, CKWLDoc& document, QWidget* parent)
    : QObject(parent)
    , m_view(view)
    , m_document(document)
    , m_parent(parent)
{
    Register(commands);
}

void MainViewCommands::Register(platform::CommandActions& commands)
{
    commands.SetTextRule(ShellCommand::EditUndo, [] { return UndoItemText(); });
    commands.SetTextRule(ShellCommand::EditRedo, [] { return RedoItemText(); });

    commands.SetHandler(ShellCommand::BackupMaterials, [this] { BackupMaterials(); });
    commands.SetHandler(ShellCommand::RestoreMaterials, [this] { RestoreMaterials(); });
    commands.SetHandler(ShellCommand::QuickStart, [this] { OpenQuickStartGuide(); });
    commands.SetHandler(ShellCommand::UsersManual, [this] { OpenUsersManual(); });
    commands.SetHandler(ShellCommand::Vendors, [this] { EditVendors(); });

    commands.SetHandler(ShellCommand::PinDiagram, [this] { Layouts()->TogglePinCurrentDiagram(); });
    commands.SetEnabledRule(
        ShellCommand::PinDiagram, [this] { return OnLayoutsPage() && Layouts()->HasCurrentDiagram(); });
    commands.SetCheckedRule(ShellCommand::PinDiagram, [this] {
        return OnLayoutsPage() && Layouts()->HasCurrentDiagram() && Layouts()->IsCurrentDiagramPinned();
    });
    commands.SetHandler(ShellCommand::PinAllDiagrams, [this] { Layouts()->PinAllDiagramsInProject(); });
    commands.SetEnabledRule(ShellCommand::PinAllDiagrams, [this] { return OnLayoutsPage(); });
    commands.SetHandler(ShellCommand::UnpinAllDiagrams, [this] { Layouts()->UnpinAllDiagramsInProject(); });
    commands.SetEnabledRule(ShellCommand::UnpinAllDiagrams, [this] { return OnLayoutsPage(); });
    commands.SetHandler(ShellCommand::RemoveEmptyDiagram, [this] { Layouts()->RemoveEmptyCurrentDiagram(); });
    commands.SetEnabledRule(ShellCommand::RemoveEmptyDiagram,
        [this] { return OnLayoutsPage() && Layouts()->IsCurrentDiagramEmpty(); });

    commands.SetHandler(ShellCommand::SnapToKerf, [] {
        if (UserPrefsBase* prefs = Prefs())
            prefs->ToggleFlag(kPrefSnapToKerf);
    });
    commands.SetCheckedRule(ShellCommand::SnapToKerf, [] { return PrefFlag(kPrefSnapToKerf); });
    commands.SetHandler(ShellCommand::LargeScreen, [this] { ToggleLargeScreen(); });
    commands.SetCheckedRule(ShellCommand::LargeScreen, [] { return PrefFlag(kPrefLargeScreen); });

    commands.SetHandler(ShellCommand::ReoptimizeUnplaced, [this] {
        if (ViewMgr* views = m_view.GetViewMgr())
            views->RunIfNotLocked(std::make_shared<ReoptimizeUnplacedPartsCmd>());
    });
    commands.SetEnabledRule(
        ShellCommand::ReoptimizeUnplaced, [this] { return !m_document.IsProjectLocked(); });

    // The Parts page's side of the jump needs the parts grid's current part.
    commands.SetHandler(ShellCommand::JumpToNextDiagram, [this] { Layouts()->JumpToNextDiagramWithPart(); });
    commands.SetEnabledRule(ShellCommand::JumpToNextDiagram,
        [this] { return OnLayoutsPage() && m_document.IsFullyOptimized() && Layouts()->HasSelectedPart(); });
}

LayoutsViewMgr* MainViewCommands::Layouts() const
{
    ViewMgr* views = m_view.GetViewMgr();
    return views ? views->GetLayoutsViewMgr() : nullptr;
}

bool MainViewCommands::OnLayoutsPage() const
{
    return Layouts() && m_view.GetCurrentPage() == CKWLView::LayoutsPage;
}

void MainViewCommands::RedrawTakeOffAndTree()
{
    if (LayoutsViewMgr* layouts = Layouts())
        layouts->RedrawTakeOffAndTree();
}

void MainViewCommands::BackupMaterials()
{
    if (ViewMgr* views = m_view.GetViewMgr())
        views->FinishEditing();
    CMatBackupDlg dialog(true, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString folder = dialog.GetFolder();
    MaterialsBase* library = GetMaterialsLibrary();
    if (library) {
        // The copy in the folder may be the only good one the user has.
        const bool replace = !library->ExistsIn(folder)
            || AskQuestion(LoadUIString(kStrBackupReplace), QMessageBox::Ok | QMessageBox::Cancel,
                   QMessageBox::Question)
                == QMessageBox::Ok;
        if (replace) {
            if (library->SaveCopyTo(folder)) {
                ShowShellMessage(LoadUIString(kStrBackupSaved), QMessageBox::Information);
                if (UserPrefsBase* prefs = Prefs())
                    prefs->SetString(kPrefMaterialsBackup, folder);
            } else {
                ShowShellMessage(LoadUIString(kStrBackupFailed), QMessageBox::Warning);
            }
        }
    }
    RedrawTakeOffAndTree();
}

void MainViewCommands::RestoreMaterials()
{
    if (ViewMgr* views = m_view.GetViewMgr())
        views->FinishEditing();
    CMatBackupDlg dialog(false, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    RestoreMaterialsFrom(dialog.GetFolder());
    RedrawTakeOffAndTree();
}

void MainViewCommands::OpenGuide(const QString& path)
{
    const bool opened = OpenDocument(QUrl::fromLocalFile(path));
    // Pages in a browser open or not without a word, as everywhere.
    if (!opened && path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        ShowShellMessage(LoadUIString(kStrPdfReaderNeeded).arg(QString::fromLatin1(kPdfReaderDownload)));
}

void MainViewCommands::OpenQuickStartGuide()
{
    const QString path = QDir(GetGuideFolder()).filePath(QString::fromLatin1(kQuickStartFile));
    if (!QFileInfo::exists(path)) {
        ShowShellMessage(LoadUIString(kStrQuickStartMissing));
        return;
    }
    OpenGuide(path);
}

void MainViewCommands::OpenUsersManual()
{
    const QDir folder(GetGuideFolder());
    QString path = folder.filePath(QString::fromLatin1(kManualFile));
    if (!QFileInfo::exists(path))
        path = folder.filePath(QString::fromLatin1(kManualPagesFile));
    if (!QFileInfo::exists(path)) {
        ShowShellMessage(LoadUIString(kStrManualMissing));
        return;
    }
    OpenGuide(path);
}

void MainViewCommands::ShowQuickStart()
{
    QuickStartDlg dialog(m_parent);
    if (dialog.exec() == QDialog::Accepted)
        OpenQuickStartGuide();
}

void MainViewCommands::EditVendors()
{
    if (ViewMgr* views = m_view.GetViewMgr())
        views->FinishEditing();
    if (MaterialsBase* library = GetMaterialsLibrary()) {
        CVendorsDlg dialog(*library, &GetUIResources()->GetGridFont(), m_parent);
        dialog.exec();
    }
    RedrawTakeOffAndTree();
}

void MainViewCommands::ToggleLargeScreen()
{
    LayoutsViewMgr* layouts = Layouts();
    // Rearranging the panes under a part being dragged would drop it.
    if (layouts && layouts->IsDragInProgress())
        return;
    if (UserPrefsBase* prefs = Prefs())
        prefs->ToggleFlag(kPrefLargeScreen);
    if (layouts)
        layouts->ApplyScreenArrangement();
}
