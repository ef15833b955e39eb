#include "grids/CKerfwellGDM.h"

#include "foundation/CmdHistory.h"
#include "foundation/ResourceBase.h"
#include "foundation/UserPrefsBase.h"
#include "grids/CGDMRowCopy.h"
#include "grids/GridHooks.h"
#include "grids/IPartsGridHost.h"
#include "grids/PartRowCommands.h"
#include "grids/PartRowEditState.h"
#include "grids/PartsGridStrings.h"
#include "model/CClipboardParser.h"
#include "model/CSheetGoodEx.h"
#include "model/IPartsDoc.h"
#include "model/ModelUiHook.h"
#include "model/PartCommands.h"
#include "optimization/DiagramIndex.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <algorithm>

namespace {

// The context menu: ids, texts, and which items the host updates.
struct ContextMenuItem
{
    int id;
    int textId;
    bool updated;
};

constexpr ContextMenuItem kContextMenu[] = {
    { IPartsGridHost::kEditNote, kStrMenuEditNote, true },
    { IPartsGridHost::kDeleteNote, kStrPartsMenuDeleteNote, true },
    { -1, 0, false },
    { IPartsGridHost::kInsertNewPart, kStrMenuInsertNewPart, true },
    { IPartsGridHost::kInsertDuplicatePart, kStrMenuInsertDuplicate, true },
    { -1, 0, false },
    { IPartsGridHost::kDelete, kStrMenuDelete, true },
    { IPartsGridHost::kCut, kStrPartsMenuCut, true },
    { IPartsGridHost::kCopy, kStrPartsMenuCopy, true },
    { IPartsGridHost::kPaste, kStrPartsMenuPaste, true },
    { IPartsGridHost::kGroupEdit, kStrMenuGroupEdit, true },
    { IPartsGridHost::kSwapLengthWidth, kStrMenuSwapLengthWidth, true },
    { IPartsGridHost::kJumpToDiagram, kStrMenuJumpToDiagram, true },
};

constexpr int kAbbreviatedHeadersCommand = 283;

} // namespace

CKerfwellGDM::CKerfwellGDM(IPartsGridHost* host, IPartsDoc& document)
    : m_host(host)
    , m_document(document)
    , m_ownState(std::make_unique<PartRowEditState>(nullptr))
    , m_state(m_ownState.get())
{
    auto id = std::make_unique<CColInfoPartID>(static_cast<IPartsListMgr*>(this));
    m_partIdColumn = id.get();
    void* context = static_cast<IPartsListMgr*>(this);
    AddColumn(std::move(id));
    AddColumn(std::make_unique<CColInfoPartDescription>(context));
    AddColumn(std::make_unique<CColInfoCopies>(context));
    AddColumn(std::make_unique<CColInfoThickness>(context));
    AddColumn(std::make_unique<CColInfoWidth>(context));
    AddColumn(std::make_unique<CColInfoLength>(context));
    AddColumn(std::make_unique<CColInfoMatName>(context));
    AddColumn(std::make_unique<CColInfoPartUserInfo>(context));
    AddColumn(std::make_unique<CColInfoDiagramList>(context));
    AddColumn(std::make_unique<CColInfoSpecialNotes>(context));
    GetColumn(kPartColNotes)->SetGridPosition(-1);
    SetLayOutOnAttach(true);
    SetRowEditState(nullptr);
}

CKerfwellGDM::~CKerfwellGDM()
{
    // The pending clone belongs to the row edit state, not to the template.
    m_pending = nullptr;
    if (m_state)
        m_state->SetGrid(nullptr);
}

const std::vector<CMilledPart*>& CKerfwellGDM::Parts() const
{
    return m_document.GetPartsContainer();
}

// ---------------------------------------------------------------- rows

CMilledPart* CKerfwellGDM::GetRowItem(int row)
{
    return GetRowItemHolder(row);
}

CKerfwellGDM::Holder CKerfwellGDM::GetRowItemHolder(int row)
{
    const auto& parts = Parts();
    return row >= 0 && row < static_cast<int>(parts.size()) ? parts[static_cast<std::size_t>(row)] : nullptr;
}

int CKerfwellGDM::FindRow(const Holder& item)
{
    const auto& parts = Parts();
    const auto it = std::find(parts.begin(), parts.end(), item);
    return it == parts.end() ? -1 : static_cast<int>(it - parts.begin());
}

int CKerfwellGDM::GetStoredRowCount()
{
    return static_cast<int>(Parts().size());
}

int CKerfwellGDM::GetPartCount()
{
    return GetStoredRowCount();
}

void CKerfwellGDM::SortRows(const Keys& keys, bool ascending)
{
    std::vector<CMilledPart*> order = Parts();
    SortRange(order.begin(), order.end(), keys, ascending);
    m_document.ReorderParts(order);
}

// ---------------------------------------------------------------- editing rules

bool CKerfwellGDM::CanEditCell(int column)
{
    if (!m_document.IsProjectLocked() || column == kPartColUserInfo)
        return true;
    QApplication::beep();
    ShowModelMessage(LoadUIString(kStrPartsLocked));
    return false;
}

bool CKerfwellGDM::CanAppendRow()
{
    return CanEditCell(-1);
}

int CKerfwellGDM::OnEditNextCell(int /*column*/, int /*row*/, int* newColumn, int* newRow)
{
    if (!m_document.IsProjectLocked())
        return 1;
    if (newRow && *newRow == GetAppendRowIndex())
        return 0;
    if (newColumn && GetColumnAtGridPosition(*newColumn) != kPartColUserInfo)
        return 0;
    return 1;
}

// ---------------------------------------------------------------- pending row

bool CKerfwellGDM::HasPendingRow()
{
    return m_state->HasData();
}

void CKerfwellGDM::ForgetPendingRow()
{
    m_state->Forget();
    m_pending = nullptr;
}

void CKerfwellGDM::DeletePendingRow()
{
    m_state->Discard();
    m_pending = nullptr;
}

void CKerfwellGDM::CopyRowToPending(int /*row*/)
{
    m_state->MakeEditableCopy();
    m_pending = m_state->HasData() ? m_state->GetHeldPart() : nullptr;
}

void CKerfwellGDM::HoldRowForEdit(int row)
{
    // Always the part of the row the edit begins on: after a part was
    // inserted at the current row the row number stays, and an earlier part
    // must not receive this row's values.
    if (CMilledPart* part = GetRowItem(row))
        m_state->Hold({ part });
}

int CKerfwellGDM::EndPendingRow()
{
    if (m_state->HasPendingEdit()) {
        m_pendingRowIndex = -1;
        m_pending = nullptr;
        m_state->CommitPendingEdit();
    } else {
        m_pendingRowIndex = -1;
        m_pending = nullptr;
    }
    return 1;
}

void CKerfwellGDM::OnRowChange(int oldRow, int newRow, bool first, bool second)
{
    m_state->DropRemovedParts();
    if (oldRow == m_lastOldRow && newRow == m_lastNewRow && !first && !second)
        return;
    m_lastOldRow = oldRow;
    m_lastNewRow = newRow;
    if (m_state->HasData())
        return;
    m_state->Hold(GetSelectedItems());
}

void CKerfwellGDM::CommitRowEdits()
{
    m_state->CommitRowEdits();
}

void CKerfwellGDM::CancelRowEdits()
{
    m_state->CancelRowEdits();
}

void CKerfwellGDM::OnNoteCellTypeSet()
{
    if (CUGRowMode* grid = GetRowModeGrid())
        m_partIdColumn->SetNoteCellType(grid->GetNoteTypeIndex());
}

void CKerfwellGDM::OnEditResult(int code)
{
    if (code != kEditRefusedPinnedGeometry && code != kEditRefusedPinnedCopies)
        return;
    // Taken before finishing: finishing ends the pending row and forgets
    // which part it was.
    CMilledPart* part = m_state->GetEditedPart();
    if (!part)
        part = GetRowItem(GetPendingRowIndex());
    FinishEditing();
    if (m_host && part)
        m_host->ShowPinnedPartPrompt(
            part, code == kEditRefusedPinnedGeometry ? kStrPinnedPartGeometry : kStrPinnedPartCopies);
}

// ---------------------------------------------------------------- looks

// The colours show what the Diagram #s column shows: the last run's
// results, and nothing while the part waits for a run (TBD).
bool CKerfwellGDM::IsRowHighlighted(const CMilledPart* item)
{
    return item && (item->GetSkipInfo().IsSkipped() || item->HasHandPlacedCopies()) && ArePartResultsKnown(*item);
}

platform::ColorRef CKerfwellGDM::GetRowBackColor(const CMilledPart* item)
{
    return item && item->GetSkipInfo().IsSkipped() ? kSkippedRowColor : kHandPlacedRowColor;
}

int CKerfwellGDM::GetDefaultSortColumn()
{
    return GetColumn(kPartColDescription)->IsHidden() ? -1 : kPartColDescription;
}

QString CKerfwellGDM::GetAppendRowTip()
{
    return LoadUIString(kStrAddPartTip);
}

QString CKerfwellGDM::GetClipboardFormatName()
{
    return kClipboardFormatMilledPart;
}

// ---------------------------------------------------------------- list changes

void CKerfwellGDM::InsertNewRow(int row)
{
    const CPartID id(row + 1);
    CMilledPart* part = nullptr;
    CMilledPart* above = row == GetAppendRowIndex() && row > 0 ? GetRowItem(row - 1) : nullptr;
    if (above) {
        part = new CMilledPart(*above);
        part->GetIDForEdit() = id;
        part->SetDescription(QString());
        part->SetCopies(1);
        part->SetUserInfo(QString());
        part->SetSpecialNotes(QString());
        part->ClearHandPlacedCopies();
        part->ClearOptimizerPlacedCopies();
        part->SetDraggedOffCopies(0);
    } else {
        part = new CMilledPart(id);
        if (auto material = GetDefaultMaterial())
            part->SetMaterial(material);
    }
    auto insert = std::make_shared<CPartInsert<CMilledPart>>(std::vector<CMilledPart*> { part }, row);
    if (CmdHistory* history = GetCmdHistory())
        history->Add(insert);
    RefreshRowCount();
}

void CKerfwellGDM::DeleteSelectedRows()
{
    std::vector<std::pair<CMilledPart*, std::int32_t>> entries;
    if (CUGCtrl* grid = GetGrid()) {
        const int rows = GetStoredRowCount();
        for (int row = 0; row < rows; ++row)
            if (grid->IsSelected(0, row))
                entries.emplace_back(GetRowItem(row), row);
    }
    if (entries.empty())
        return;
    if (CmdHistory* history = GetCmdHistory())
        history->Add(std::make_shared<CPartDelete<CMilledPart>>(std::move(entries)));
    m_state->DropRemovedParts();
    RefreshRowCount();
}

void CKerfwellGDM::RenumberSelectedParts()
{
    if (CmdHistory* history = GetCmdHistory())
        history->Add(std::make_shared<CPartsRenumber<CMilledPart>>(Parts()));
    Invalidate();
}

void CKerfwellGDM::SortByThicknessWidthLength()
{
    const int keys[] = { kPartColThickness, kPartColWidth, kPartColLength };
    Base::SortRows(keys, 3, CUGDataSource::kSortAscending);
    Invalidate();
}

void CKerfwellGDM::SwapLengthAndWidth(int row)
{
    if (m_host)
        m_host->FinishEditing();
    if (row < 0 && GetGrid())
        row = FindUGRowMode();
    CMilledPart* part = GetRowItem(row);
    if (!part || !CanEditCell(kPartColLength))
        return;
    if (m_host && !m_host->CommitPendingPartEdits())
        return;
    std::unique_ptr<CMilledPart> values(part->Clone());
    values->SetWidth(part->GetLength());
    values->SetLength(part->GetWidth());
    if (CmdHistory* history = GetCmdHistory())
        history->Add(std::make_shared<CPartEdit>(part, std::move(values)));
}

void CKerfwellGDM::PasteRows()
{
    ParseFieldRows rows;
    const QString format = m_clipboardFormat.isEmpty() ? GetClipboardFormatName() : m_clipboardFormat;
    if (!CClipboardParser().PasteRowsFromClipboard(rows, format) || rows.empty())
        return;
    InsertParsedRows(rows);
}

void CKerfwellGDM::DuplicateSelectedRows()
{
    // The copies go straight from the rows to the insert: what the user put
    // on the clipboard stays there.
    const ParseFieldRows rows = CGDMRowCopy<CMilledPart, PartStorage>(*this).CollectRows(false);
    if (rows.empty())
        return;
    auto blocker = SuspendRedraw();
    InsertParsedRows(rows);
}

bool CKerfwellGDM::SwapRows(int first, int second)
{
    const int count = GetStoredRowCount();
    if (first < 0 || second < 0 || first >= count || second >= count || first == second)
        return false;
    std::vector<CMilledPart*> order = Parts();
    std::swap(order[static_cast<std::size_t>(first)], order[static_cast<std::size_t>(second)]);
    m_document.ReorderParts(order);
    return true;
}

void CKerfwellGDM::InsertParsedRows(const ParseFieldRows& rows)
{
    std::vector<CMilledPart*> parts;
    for (const ParseFieldRow& row : rows) {
        auto part = std::make_unique<CMilledPart>();
        CMilledPart* holder = part.get();
        bool accepted = true;
        const int fields = std::min(row.GetFieldCount(), GetColumnCount());
        for (int i = 0; i < fields && accepted; ++i)
            accepted = GetColumn(i)->ApplyParseField(&holder, &row.GetField(i), kPartFieldOwnRows);
        if (accepted)
            parts.push_back(part.release());
    }
    if (parts.empty())
        return;
    int index = GetStoredRowCount();
    if (const int selected = FindUGRowMode(); selected >= 0 && selected < index)
        index = selected;
    const int firstNumber = GetStoredRowCount() + 1;
    if (CmdHistory* history = GetCmdHistory())
        history->Add(std::make_shared<CGDMRowPaste<CMilledPart>>(std::move(parts), index, firstNumber));
    else
        for (CMilledPart* part : parts)
            delete part;
    RefreshRowCount();
}

// ---------------------------------------------------------------- menus

int CKerfwellGDM::OnMenuOpen(int /*column*/, int /*row*/, int section)
{
    if (section == kHeadingSection)
        return FillHeadingMenu();
    FillContextMenu();
    return 1;
}

int CKerfwellGDM::FillHeadingMenu()
{
    CUGCtrl* grid = GetGrid();
    if (!grid || !grid->GetPopupMenu())
        return 0;
    grid->EmptyPopupMenu();
    QMenu* menu = grid->GetPopupMenu();
    for (int c = 1; c < GetColumnCount(); ++c) {
        PartColumnInfo* column = GetColumn(c);
        if (!column->CanUserHide())
            continue;
        grid->AddPopupMenuItem(gdm::kColumnMenuBase + c, column->GetFieldName());
        QAction* action = menu->actions().last();
        action->setCheckable(true);
        action->setChecked(!column->IsHidden());
    }
    grid->AddPopupMenuItem(-1, QString());
    grid->AddPopupMenuItem(kAbbreviatedHeadersMenuId, LoadUIString(kStrMenuAbbreviatedHeaders));
    QAction* abbreviated = menu->actions().last();
    abbreviated->setCheckable(true);
    const UserPrefsBase* prefs = GetUserPrefs();
    abbreviated->setChecked(prefs && prefs->GetFlag(PrefId::AbbreviatedHeaders));
    return 1;
}

void CKerfwellGDM::FillContextMenu()
{
    CUGCtrl* grid = GetGrid();
    if (!grid || !grid->GetPopupMenu())
        return;
    grid->EmptyPopupMenu();
    for (const ContextMenuItem& item : kContextMenu)
        grid->AddPopupMenuItem(item.id, item.textId ? LoadUIString(item.textId) : QString());
    if (!m_host)
        return;
    const QList<QAction*> actions = grid->GetPopupMenu()->actions();
    m_host->BeginMenuUpdate();
    for (int i = 0; i < static_cast<int>(std::size(kContextMenu)) && i < actions.size(); ++i)
        if (kContextMenu[i].updated)
            m_host->UpdateMenuItem(kContextMenu[i].id, actions[i]);
    m_host->EndMenuUpdate();
}

void CKerfwellGDM::OnMenuItem(int /*column*/, int row, int section, int id)
{
    if (section == kHeadingSection) {
        if (id == kAbbreviatedHeadersMenuId) {
            SendMainWindowCommand(kAbbreviatedHeadersCommand);
            return;
        }
        // The notes never become a grid column.
        const int column = id - gdm::kColumnMenuBase;
        if (id >= gdm::kColumnMenuBase && id < gdm::kMainWindowMenuBase && column != kPartColNotes
            && GetColumn(column))
            OnColumnMenuCommand(id);
        return;
    }
    RunHostCommand(id, row);
}

void CKerfwellGDM::RunHostCommand(int id, int row)
{
    if (id == IPartsGridHost::kSwapLengthWidth) {
        SwapLengthAndWidth(row);
        return;
    }
    if (!m_host)
        return;
    switch (id) {
    case IPartsGridHost::kEditNote:
        m_host->OnEditNote();
        break;
    case IPartsGridHost::kDeleteNote:
        m_host->OnDeleteNote();
        break;
    case IPartsGridHost::kInsertNewPart:
        m_host->OnInsertNewPart();
        break;
    case IPartsGridHost::kInsertDuplicatePart:
        m_host->OnInsertDuplicatePart();
        break;
    case IPartsGridHost::kDelete:
        m_host->OnDelete();
        break;
    case IPartsGridHost::kCut:
        m_host->OnCut();
        break;
    case IPartsGridHost::kCopy:
        m_host->OnCopy();
        break;
    case IPartsGridHost::kPaste:
        m_host->OnPaste();
        break;
    case IPartsGridHost::kGroupEdit:
        m_host->OnGroupEdit();
        break;
    case IPartsGridHost::kJumpToDiagram:
        m_host->OnJumpToDiagram();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- the view's handle

void CKerfwellGDM::RefreshRowCount()
{
    m_state->DropRemovedParts();
    Base::RefreshRowCount();
}

void CKerfwellGDM::OnGridUpdate(const PartRowsHint& hint)
{
    m_state->DropRemovedParts();
    Base::OnGridUpdate(hint);
}

void CKerfwellGDM::SetRowEditState(PartRowEditState* state)
{
    PartRowEditState* next = state ? state : m_ownState.get();
    if (next == m_state && state)
        return;
    if (m_state && m_state != next)
        m_state->SetGrid(nullptr);
    m_state = next;
    m_state->SetGrid(this);
    m_state->SetPartsList(&Parts());
}

void CKerfwellGDM::CancelEditing()
{
    CancelRowEdits();
    RefreshGrid();
}

void CKerfwellGDM::NotifySelection()
{
    OnRowChange(-1, -1, false, true);
}

void CKerfwellGDM::RedrawPendingRow()
{
    if (GetGrid() && GetPendingRowIndex() >= 0)
        GetGrid()->RedrawRow(GetPendingRowIndex());
}

void CKerfwellGDM::BeginCurrentRowEdit()
{
    if (CUGCtrl* grid = GetGrid())
        if (GetRowItem(grid->GetCurrentRow()))
            BeginRowEdit(grid->GetCurrentRow());
}

bool CKerfwellGDM::CanMoveSelectionUp()
{
    return FindUGRowMode() > 0;
}

bool CKerfwellGDM::CanMoveSelectionDown()
{
    CUGCtrl* grid = GetGrid();
    if (!grid)
        return false;
    int last = -1;
    for (int row = 0; row < GetStoredRowCount(); ++row)
        if (grid->IsSelected(0, row))
            last = row;
    return last >= 0 && last < GetStoredRowCount() - 1;
}

void CKerfwellGDM::MoveCursor(int step)
{
    CUGCtrl* grid = GetGrid();
    if (!grid)
        return;
    grid->GotoCell(grid->GetCurrentColumn(), grid->GetCurrentRow() + step);
    Invalidate();
}

void CKerfwellGDM::MoveCursorUp()
{
    MoveCursor(-1);
}

void CKerfwellGDM::MoveCursorDown()
{
    MoveCursor(1);
}

// ---------------------------------------------------------------- printing

QString CKerfwellGDM::PartsPrintable::GetRowNotes(int row)
{
    const CMilledPart* part = m_owner.GetRowItem(row);
    return part ? part->GetSpecialNotes() : QString();
}

int CKerfwellGDM::PartsPrintable::GetNotesGridPosition()
{
    const PartColumnInfo* notes = m_owner.GetColumn(kPartColNotes);
    return notes->IsHidden() ? -1 : notes->GetGridPosition();
}

int CKerfwellGDM::PartsPrintable::GetPrintColumnCount()
{
    const int shown = GetVisibleColumnCount();
    return m_owner.GetColumn(kPartColNotes)->IsHidden() ? shown : shown - 1;
}

bool CKerfwellGDM::PartsPrintable::IsFreeTextColumn(int column)
{
    return column == kPartColDescription || column == kPartColUserInfo || column == kPartColNotes;
}

int CKerfwellGDM::PartsPrintable::GetNoteCellType()
{
    const CUGRowMode* grid = m_owner.GetRowModeGrid();
    return grid ? grid->GetNoteTypeIndex() : -1;
}
