#include "shell/MainViewCommands.h"

#include "shell/CKWLView.h"
#include "shell/ShellCommands.h"
#include "shell/ShellDialogs.h"
#include "shell/ShellStrings.h"
#include "shell/SmallDialogs.h"
#include "shell/ViewMgr.h"

#include "document/CKWLDoc.h"
#include "foundation/CmdHistory.h"
#include "foundation/DocumentOpener.h"
#include "foundation/ProgramHelp.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIResources.h"
#include "foundation/UserPrefsBase.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/CGDMRowCopy.h"
#include "grids/CGroupEditDlg.h"
#include "grids/CKerfwellGDM.h"
#include "grids/CSGSCGDM.h"
#include "grids/CVendorsDlg.h"
#include "grids/RMTree.h"
#include "grids/SheetGoodBOMPane.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "model/CClipboardParser.h"
#include "model/CPartID.h"
#include "model/MaterialCommands.h"
#include "model/MaterialRowCommands.h"
#include "model/MaterialsBase.h"
#include "model/MaterialsRestore.h"
#include "model/PartCommands.h"
#include "model/RMTreeMgr.h"
#include "model/SizeCostRowCommands.h"

#include <platform/ui/CommandActions.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

namespace {

constexpr int kPrefMaterialsBackup = 1012;
constexpr int kPrefAbbreviatedHeaders = 2037;
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
    // Undo and redo first drop any cell edit in progress, which the history
    // knows nothing of.
    commands.SetHandler(ShellCommand::EditUndo, [this] {
        m_view.RefreshGrids();
        HistoryUndo();
        m_view.FocusCurrentPage();
    });
    commands.SetEnabledRule(
        ShellCommand::EditUndo, [] { return GetCmdHistory() && GetCmdHistory()->CanUndo(); });
    commands.SetTextRule(ShellCommand::EditUndo, [] { return UndoItemText(); });
    commands.SetHandler(ShellCommand::EditRedo, [this] {
        m_view.RefreshGrids();
        HistoryRedo();
        m_view.FocusCurrentPage();
    });
    commands.SetEnabledRule(
        ShellCommand::EditRedo, [] { return GetCmdHistory() && GetCmdHistory()->CanRedo(); });
    commands.SetTextRule(ShellCommand::EditRedo, [] { return RedoItemText(); });

    commands.SetHandler(ShellCommand::BackupMaterials, [this] { BackupMaterials(); });
    commands.SetHandler(ShellCommand::RestoreMaterials, [this] { RestoreMaterials(); });
    commands.SetHandler(ShellCommand::QuickStart, [this] { OpenQuickStartGuide(); });
    commands.SetHandler(ShellCommand::UsersManual, [this] { OpenUsersManual(); });
    commands.SetHandler(ShellCommand::HelpContents, [] { ShowHelp(); });
    commands.SetEnabledRule(ShellCommand::HelpContents, [] { return IsHelpInstalled(); });
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

    // The take-off list's Info column, from the parts list.
    commands.Add(ShellCommand::ShowTakeOffInfoColumn, QStringLiteral("Show &Info column from parts list"));
    commands.SetHandler(ShellCommand::ShowTakeOffInfoColumn, [this] {
        if (ViewMgr* views = m_view.GetViewMgr())
            views->ToggleTakeOffInfoColumn();
    });
    commands.SetCheckedRule(ShellCommand::ShowTakeOffInfoColumn, [this] {
        const ViewMgr* views = m_view.GetViewMgr();
        return views && views->IsTakeOffInfoColumnShown();
    });

    commands.SetHandler(ShellCommand::SnapToKerf, [] {
        if (UserPrefsBase* prefs = Prefs())
            prefs->ToggleFlag(kPrefSnapToKerf);
    });
    commands.SetCheckedRule(ShellCommand::SnapToKerf, [] { return PrefFlag(kPrefSnapToKerf); });
    commands.SetHandler(ShellCommand::LargeScreen, [this] { ToggleLargeScreen(); });
    commands.SetCheckedRule(ShellCommand::LargeScreen, [] { return PrefFlag(kPrefLargeScreen); });

    commands.SetHandler(ShellCommand::ReoptimizeUnplaced, [this] {
        if (ViewMgr* views = m_view.GetViewMgr())
            views->ReoptimizeUnplacedParts();
    });
    commands.SetEnabledRule(
        ShellCommand::ReoptimizeUnplaced, [this] { return !m_document.IsProjectLocked(); });
    commands.SetHandler(ShellCommand::JumpToNextDiagram, [this] {
        if (ViewMgr* views = m_view.GetViewMgr())
            views->JumpToDiagram();
    });
    commands.SetEnabledRule(ShellCommand::JumpToNextDiagram, [this] {
        const ViewMgr* views = m_view.GetViewMgr();
        return views && views->CanJumpToDiagram();
    });
    RegisterPageCommands(commands);
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
    const bool opened = OpenWithDesktop(QUrl::fromLocalFile(path));
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
    // The vendors are edited for the program's own project document, which
    // the converter installed at start-up recognises.
    MaterialsBase* library = GetMaterialsLibrary();
    if (library && InvokeDocConverter(&m_document)) {
        CVendorsDlg dialog(*library, &GetUIResources()->GetGridFont(), m_parent);
        dialog.exec();
    }
    RedrawTakeOffAndTree();
}

void MainViewCommands::ToggleLargeScreen()
{
    ViewMgr* views = m_view.GetViewMgr();
    // Rearranging the panes under a part being dragged would drop it.
    if (!views || views->IsLayoutsDragInProgress())
        return;
    if (UserPrefsBase* prefs = Prefs())
        prefs->ToggleFlag(kPrefLargeScreen);
    views->ApplyLargeScreenPref();
}

// ------------------------------------------------------------ page commands

namespace {

constexpr int kPrefFitMode = 3085;
// Part numbers shown as text cannot be renumbered.
constexpr std::uint16_t kTextPartNumbers = 3;

using PartRowCopy = CGDMRowCopy<CMilledPart, PartStorage>;
using SizeCostRowCopy = CGDMRowCopy<ISGSC, sgsc::Storage>;

bool ClipboardHolds(const QString& format)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(format);
}

int FitMode()
{
    return Prefs() ? Prefs()->GetInt(kPrefFitMode) : 0;
}

} // namespace

void MainViewCommands::RegisterPageCommands(platform::CommandActions& commands)
{
    QAction* duplicate = commands.Add(ShellCommand::DuplicateRow, QStringLiteral("Insert Duplicate Part"),
        QKeySequence(Qt::Key_F7), QStringLiteral("Insert Duplicate Part"));
    if (m_parent)
        m_parent->addAction(duplicate);

    commands.SetHandler(ShellCommand::EditCopy, [this] { Copy(); });
    commands.SetEnabledRule(ShellCommand::EditCopy, [this] { return CanCopy(); });
    commands.SetHandler(ShellCommand::EditCut, [this] { Cut(); });
    commands.SetEnabledRule(ShellCommand::EditCut, [this] { return CanDelete(); });
    commands.SetHandler(ShellCommand::DeleteSelection, [this] { Delete(); });
    commands.SetEnabledRule(ShellCommand::DeleteSelection, [this] { return CanDelete(); });
    commands.SetHandler(ShellCommand::EditPaste, [this] { Paste(); });
    commands.SetEnabledRule(ShellCommand::EditPaste, [this] { return CanPaste(); });
    commands.SetHandler(ShellCommand::DuplicateRow, [this] { Duplicate(); });
    commands.SetEnabledRule(ShellCommand::DuplicateRow, [this] { return CanDuplicate(); });
    commands.SetHandler(ShellCommand::MoveUp, [this] { MoveUp(); });
    commands.SetEnabledRule(ShellCommand::MoveUp, [this] { return CanMoveUp(); });
    commands.SetHandler(ShellCommand::MoveDown, [this] { MoveDown(); });
    commands.SetEnabledRule(ShellCommand::MoveDown, [this] { return CanMoveDown(); });
    commands.SetHandler(ShellCommand::InsertNewPart, [this] { InsertNewPart(); });
    commands.SetHandler(ShellCommand::RenumberParts, [this] { Renumber(); });
    commands.SetEnabledRule(ShellCommand::RenumberParts, [this] { return CanRenumber(); });
    commands.SetHandler(ShellCommand::SortByCrossSection, [this] {
        if (ViewMgr* views = m_view.GetViewMgr())
            views->FinishEditing();
        if (CKerfwellGDM* parts = m_view.GetPartsGridMgr())
            parts->SortByThicknessWidthLength();
    });
    commands.SetEnabledRule(ShellCommand::SortByCrossSection,
        [this] { return Page() == CKWLView::PartsPage && m_view.GetPartsGridMgr(); });
    commands.SetHandler(ShellCommand::DeleteSizeCost, [this] {
        if (CSGSCGDM* sizes = m_view.GetSizeCostGridMgr())
            sizes->DeleteSelectedRows();
    });
    commands.SetEnabledRule(ShellCommand::DeleteSizeCost,
        [this] { return Page() == CKWLView::RawMaterialsPage && IsSizeCostRowSelected(); });

    commands.SetHandler(ShellCommand::AddEditNote, [this] { EditNote(); });
    commands.SetEnabledRule(ShellCommand::AddEditNote, [this] { return CanEditNote(); });
    commands.SetHandler(ShellCommand::DeleteNote, [this] { DeleteNote(); });
    commands.SetEnabledRule(ShellCommand::DeleteNote, [this] { return CanDeleteNote(); });
    commands.SetHandler(ShellCommand::GroupEdit, [this] { GroupEdit(); });
    commands.SetEnabledRule(ShellCommand::GroupEdit, [this] {
        CKerfwellGDM* parts = m_view.GetPartsGridMgr();
        return Page() == CKWLView::PartsPage && parts && parts->GetSelectedItems().size() >= 2;
    });

    commands.SetHandler(ShellCommand::AddNewMaterial, [this] { AddNewMaterial(); });
    commands.SetHandler(RMTree::kNewMaterial, [this] { NewMaterial(); });
    commands.SetHandler(ShellCommand::EditMaterialName, [this] { EditMaterialName(); });
    commands.SetEnabledRule(ShellCommand::EditMaterialName, [this] { return IsSheetGoodSelected(); });
    commands.SetHandler(ShellCommand::DeleteMaterial, [this] { DeleteSelectedMaterial(); });
    commands.SetEnabledRule(ShellCommand::DeleteMaterial, [this] { return IsSheetGoodSelected(); });
    commands.SetHandler(ShellCommand::AbbreviatedHeaders, [this] { ToggleAbbreviatedHeaders(); });
    commands.SetCheckedRule(
        ShellCommand::AbbreviatedHeaders, [] { return PrefFlag(kPrefAbbreviatedHeaders); });

    const std::pair<int, int> fitModes[] = { { ShellCommand::FitToScreen, 0 },
        { ShellCommand::FitToContents, 1 }, { ShellCommand::NoAutoSizing, 2 } };
    for (const auto& [id, mode] : fitModes) {
        commands.SetHandler(id, [this, mode = mode] { SetFitMode(mode); });
        commands.SetCheckedRule(id, [mode = mode] { return FitMode() == mode; });
    }

    // Paste follows what the clipboard holds, even from another program.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &commands,
        &platform::CommandActions::UpdateActions);
}

int MainViewCommands::Page() const
{
    return m_view.GetCurrentPage();
}

int MainViewCommands::FirstSelectedPartRow() const
{
    const CUGRowMode* grid = m_view.GetPartsGrid();
    CKerfwellGDM* parts = m_view.GetPartsGridMgr();
    if (!grid || !parts)
        return -1;
    const int row = grid->GetFirstSelectedRow();
    return row >= 0 && row < parts->GetStoredRowCount() ? row : -1;
}

bool MainViewCommands::IsSinglePartRowSelected() const
{
    const CUGRowMode* grid = m_view.GetPartsGrid();
    return grid && grid->IsSingleRowSelected() && FirstSelectedPartRow() >= 0;
}

bool MainViewCommands::IsSizeCostGridBound() const
{
    CSGSCGDM* sizes = m_view.GetSizeCostGridMgr();
    CUGRowMode* grid = m_view.GetSizeCostGrid();
    return sizes && grid && sizes->GetSheetGoodRef()
        && grid->GetDataSource(grid->GetDataSourceIndex()) == sizes;
}

bool MainViewCommands::IsSizeCostRowSelected() const
{
    if (!IsSizeCostGridBound())
        return false;
    const int row = m_view.GetSizeCostGrid()->GetFirstSelectedRow();
    return row >= 0 && row < m_view.GetSizeCostGridMgr()->GetStoredRowCount();
}

bool MainViewCommands::CanCopy() const
{
    switch (Page()) {
    case CKWLView::PartsPage:
        return FirstSelectedPartRow() >= 0;
    case CKWLView::RawMaterialsPage:
        return IsSizeCostRowSelected();
    default: {
        const ViewMgr* views = m_view.GetViewMgr();
        return views && views->HasCopyableContent(Page());
    }
    }
}

bool MainViewCommands::CanDelete() const
{
    // Layouts, bill of materials and reports are read-only pages.
    return (Page() == CKWLView::PartsPage || Page() == CKWLView::RawMaterialsPage) && CanCopy();
}

bool MainViewCommands::CanPaste() const
{
    // Text alone never enables Paste: only the program's own rows paste.
    switch (Page()) {
    case CKWLView::PartsPage:
        return ClipboardHolds(kClipboardFormatMilledPart);
    case CKWLView::RawMaterialsPage:
        return ClipboardHolds(SizeCostClipboardFormat());
    default:
        return false;
    }
}

bool MainViewCommands::CanDuplicate() const
{
    return Page() == CKWLView::PartsPage && IsSinglePartRowSelected();
}

bool MainViewCommands::CanMoveUp() const
{
    return Page() == CKWLView::PartsPage && IsSinglePartRowSelected() && FirstSelectedPartRow() > 0;
}

bool MainViewCommands::CanMoveDown() const
{
    CKerfwellGDM* parts = m_view.GetPartsGridMgr();
    return Page() == CKWLView::PartsPage && IsSinglePartRowSelected()
        && FirstSelectedPartRow() < parts->GetStoredRowCount() - 1;
}

bool MainViewCommands::CanRenumber() const
{
    return Page() == CKWLView::PartsPage && CPartID::GetPartIDDisplayMode() != kTextPartNumbers;
}

void MainViewCommands::Copy()
{
    ViewMgr* views = m_view.GetViewMgr();
    if (!views)
        return;
    views->FinishEditing();
    switch (Page()) {
    case CKWLView::PartsPage:
        if (CKerfwellGDM* parts = m_view.GetPartsGridMgr())
            PartRowCopy(*parts).Copy();
        break;
    case CKWLView::BOMPage:
        // The bill is text for other programs only: it cannot be pasted back.
        if (const std::shared_ptr<SheetGoodBOMPane>& pane = m_view.GetBOMPane()) {
            ParseFieldRows rows;
            pane->GetRowsForCopy(rows);
            CClipboardParser().CopyRowsToClipboard(rows, false, QString());
        }
        break;
    case CKWLView::RawMaterialsPage:
        if (CSGSCGDM* sizes = m_view.GetSizeCostGridMgr())
            SizeCostRowCopy(*sizes).Copy();
        break;
    default:
        views->CopyPage(Page());
        break;
    }
}

void MainViewCommands::Cut()
{
    Copy();
    Delete();
}

void MainViewCommands::Delete()
{
    ViewMgr* views = m_view.GetViewMgr();
    if (!views)
        return;
    m_view.RefreshGrids();
    if (Page() == CKWLView::PartsPage) {
        CKerfwellGDM* parts = m_view.GetPartsGridMgr();
        // A part on a pinned diagram goes only once its diagrams are unpinned.
        if (parts && views->CheckNotLocked() && views->CommitPartEdits())
            parts->DeleteSelectedRows();
    } else if (Page() == CKWLView::RawMaterialsPage) {
        if (CSGSCGDM* sizes = m_view.GetSizeCostGridMgr())
            sizes->DeleteSelectedRows();
    }
}

void MainViewCommands::Paste()
{
    ViewMgr* views = m_view.GetViewMgr();
    if (!views)
        return;
    views->FinishEditing();
    if (Page() == CKWLView::PartsPage) {
        if (CKerfwellGDM* parts = m_view.GetPartsGridMgr(); parts && views->CheckNotLocked())
            parts->PasteRows();
    } else if (Page() == CKWLView::RawMaterialsPage) {
        if (CSGSCGDM* sizes = m_view.GetSizeCostGridMgr())
            sizes->PasteRows();
    }
}

CKerfwellGDM* MainViewCommands::PartsForEdit()
{
    ViewMgr* views = m_view.GetViewMgr();
    CKerfwellGDM* parts = m_view.GetPartsGridMgr();
    if (!views || !parts)
        return nullptr;
    views->FinishEditing();
    return views->CheckNotLocked() ? parts : nullptr;
}

void MainViewCommands::Duplicate()
{
    if (CKerfwellGDM* parts = PartsForEdit())
        parts->DuplicateSelectedRows();
}

void MainViewCommands::MoveUp()
{
    MovePart(-1);
}

void MainViewCommands::MoveDown()
{
    MovePart(1);
}

void MainViewCommands::MovePart(int step)
{
    CUGRowMode* grid = m_view.GetPartsGrid();
    CKerfwellGDM* parts = grid ? PartsForEdit() : nullptr;
    if (!parts || Page() != CKWLView::PartsPage)
        return;
    const int row = FirstSelectedPartRow();
    parts->FinishEditing();
    parts->RefreshGrid();
    const int target = row + step;
    // The update rule is not the only guard: a shortcut can arrive before it ran.
    if (row < 0 || target < 0 || target >= parts->GetStoredRowCount())
        return;
    CMilledPart* moved = parts->GetRowItem(row);
    if (!parts->SwapRows(row, target))
        return;
    m_view.SetDocumentModified();
    parts->SelectItems({ moved }, true);
    grid->RedrawAll();
}

void MainViewCommands::InsertNewPart()
{
    CKerfwellGDM* parts = PartsForEdit();
    if (!parts)
        return;
    if (Page() != CKWLView::PartsPage)
        m_view.GetViewMgr()->ShowTab(CKWLView::PartsPage);
    if (!parts->CanAppendRow())
        return;
    const int selected = FirstSelectedPartRow();
    parts->InsertNewRow(selected >= 0 ? selected : parts->GetStoredRowCount());
}

void MainViewCommands::Renumber()
{
    CKerfwellGDM* parts = PartsForEdit();
    if (parts && Page() == CKWLView::PartsPage)
        parts->RenumberSelectedParts();
}

void MainViewCommands::SetFitMode(int mode)
{
    // Choosing the mode in force changes nothing, not even the grids.
    if (FitMode() == mode)
        return;
    if (UserPrefsBase* prefs = Prefs())
        prefs->SetInt(kPrefFitMode, mode);
    if (ViewMgr* views = m_view.GetViewMgr())
        views->ApplyFitModePref();
}

bool MainViewCommands::SelectedNote(QString& note) const
{
    if (Page() == CKWLView::PartsPage && IsSinglePartRowSelected()) {
        note = m_view.GetPartsGridMgr()->GetRowItem(FirstSelectedPartRow())->GetSpecialNotes();
        return true;
    }
    if (Page() == CKWLView::RawMaterialsPage && IsSizeCostRowSelected()
        && m_view.GetSizeCostGrid()->IsSingleRowSelected()) {
        note = m_view.GetSizeCostGridMgr()->GetSelectedRowItem()->GetSpecialNotes();
        return true;
    }
    return false;
}

bool MainViewCommands::CanEditNote() const
{
    QString note;
    return SelectedNote(note);
}

bool MainViewCommands::CanDeleteNote() const
{
    QString note;
    return SelectedNote(note) && !note.isEmpty();
}

void MainViewCommands::ReplaceSelectedPartNote(const QString& note)
{
    CmdHistory* history = GetCmdHistory();
    if (!history)
        return;
    CMilledPart* part = m_view.GetPartsGridMgr()->GetRowItem(FirstSelectedPartRow());
    std::unique_ptr<CMilledPart> values(part->Clone());
    values->SetSpecialNotes(note);
    history->Add(std::make_shared<CPartEdit>(part, std::move(values)));
}

void MainViewCommands::EditNote()
{
    ViewMgr* views = m_view.GetViewMgr();
    if (!views)
        return;
    views->FinishEditing();
    RedrawTakeOffAndTree();
    QString note;
    if (!SelectedNote(note))
        return;
    const auto editor = [this](QString& text) {
        CNotesEditDlg dialog(text, QString(), m_parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        text = dialog.GetNote();
        return true;
    };
    if (Page() != CKWLView::PartsPage) {
        CSGSCGDM* sizes = m_view.GetSizeCostGridMgr();
        EditRowNote(sizes->GetSheetGoodRef(), sizes->GetSelectedRowItem(), editor);
        return;
    }
    if (!views->CheckNotLocked() || !editor(note))
        return;
    ReplaceSelectedPartNote(note);
}

void MainViewCommands::DeleteNote()
{
    ViewMgr* views = m_view.GetViewMgr();
    QString note;
    if (!views)
        return;
    views->FinishEditing();
    if (!SelectedNote(note))
        return;
    if (Page() != CKWLView::PartsPage) {
        CSGSCGDM* sizes = m_view.GetSizeCostGridMgr();
        DeleteRowNote(sizes->GetSheetGoodRef(), sizes->GetSelectedRowItem());
        return;
    }
    if (views->CheckNotLocked())
        ReplaceSelectedPartNote(QString());
}

void MainViewCommands::GroupEdit()
{
    CKerfwellGDM* parts = m_view.GetPartsGridMgr();
    if (!parts)
        return;
    std::vector<CMilledPart*> selected = parts->GetSelectedItems();
    CGroupEditDlg dialog(m_document, std::move(selected), m_parent, &m_view);
    dialog.exec();
    RedrawTakeOffAndTree();
}

bool MainViewCommands::IsSheetGoodSelected() const
{
    return Page() == CKWLView::RawMaterialsPage && m_view.GetRMTree().IsSheetGoodMaterialSelected();
}

void MainViewCommands::NewMaterial()
{
    if (ViewMgr* views = m_view.GetViewMgr())
        views->FinishEditing();
    const std::shared_ptr<CSheetGoodEx> material = AddNewMaterialWithRow();
    if (!material)
        return;
    // The user names it at once, in the tree.
    RMTree& tree = m_view.GetRMTree();
    tree.SelectItemByData(material.get());
    tree.EditSelectedLabel();
}

void MainViewCommands::AddNewMaterial()
{
    ViewMgr* views = m_view.GetViewMgr();
    if (!views)
        return;
    views->FinishEditing();
    if (Page() != CKWLView::RawMaterialsPage)
        views->ShowTab(CKWLView::RawMaterialsPage);
    NewMaterial();
}

void MainViewCommands::EditMaterialName()
{
    m_view.GetRMTree().EditSelectedLabel();
}

void MainViewCommands::DeleteSelectedMaterial()
{
    ViewMgr* views = m_view.GetViewMgr();
    if (!views)
        return;
    views->FinishEditing();
    const std::shared_ptr<CSheetGoodEx> material = views->GetRMTreeMgr()->GetSelectedSheetGood();
    if (material && DeleteMaterial(&m_document, material))
        m_view.GetRMTree().ClearSelection();
}

void MainViewCommands::ToggleAbbreviatedHeaders()
{
    if (UserPrefsBase* prefs = Prefs())
        prefs->ToggleFlag(kPrefAbbreviatedHeaders);
    // Code 11 tells a grid's manager that its headings changed.
    constexpr int kHeadingsChanged = 11;
    if (CKerfwellGDM* parts = m_view.GetPartsGridMgr())
        parts->OnGridNotify(kHeadingsChanged, 0, 0);
    if (CSGSCGDM* sizes = m_view.GetSizeCostGridMgr())
        sizes->OnGridNotify(kHeadingsChanged, 0, 0);
    if (ViewMgr* views = m_view.GetViewMgr()) {
        views->RefreshTakeOffHeaders(kHeadingsChanged, 0, 0);
        views->RefreshColumnHeaders();
        views->ApplyFitModePref();
    }
}
