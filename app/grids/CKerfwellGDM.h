#pragma once
// The parts list of the Parts page: the document's parts in list order (the
// grid's sorts rearrange the list itself), edits made on a clone and
// committed by the part row edit state, new parts from the append row, the
// row colours of skipped and hand-placed parts, the lock rule and the
// parts list's context and heading menus.

#include "grids/CGridDisplayManager.h"
#include "grids/IPartsListMgr.h"
#include "grids/PartsGridColumns.h"
#include "model/ParseFieldRow.h"

#include <QString>

#include <memory>
#include <vector>

class IPartsDoc;
class IPartsGridHost;
class PartRowEditState;

class CKerfwellGDM : public CGridDisplayManager<CMilledPart, PartStorage>, public IPartsListMgr
{
public:
    using Base = CGridDisplayManager<CMilledPart, PartStorage>;
    using Base::SortRows;
    static constexpr int kPartsUpdateMask = 0x1;
    static constexpr platform::ColorRef kSkippedRowColor = 0xB3D6FD;
    static constexpr platform::ColorRef kHandPlacedRowColor = 0xF0D9AA;
    static constexpr int kAbbreviatedHeadersMenuId = 1383;
    static constexpr int kHeadingSection = 2;

    // host: the view that carries out the list's commands; may be null.
    CKerfwellGDM(IPartsGridHost* host, IPartsDoc& document);
    ~CKerfwellGDM() override;

    // The private clipboard format the view registered for part rows.
    void SetClipboardFormat(const QString& format) { m_clipboardFormat = format; }
    PartRowEditState& GetRowEditState() const { return *m_state; }
    // What printing reads: the cells as every grid gives them, and the
    // notes, which print as a row under their part instead of a column.
    IPrintable& AsPrintable() { return m_printable; }

    // ---- the view's commands
    void SwapLengthAndWidth(int row);
    void SortByThicknessWidthLength();
    void RenumberSelectedParts();
    // Inserts copies of the selected rows before the first of them, as one
    // undoable step; the clipboard is left alone.
    void DuplicateSelectedRows();
    // Exchanges two parts of the list; false, with nothing changed, unless
    // both rows hold parts.
    bool SwapRows(int first, int second);

    // ---- the grid manager's operations
    CMilledPart* GetRowItem(int row) override;
    Holder GetRowItemHolder(int row) override;
    int FindRow(const Holder& item) override;
    bool CanEditCell(int column) override;
    int EndPendingRow() override;
    void SortRows(const Keys& keys, bool ascending) override;
    void OnRowChange(int oldRow, int newRow, bool first, bool second) override;
    void CommitRowEdits() override;
    void CancelRowEdits() override;
    void OnNoteCellTypeSet() override;
    void OnEditResult(int code) override;
    bool IsRowHighlighted(const CMilledPart* item) override;
    platform::ColorRef GetRowBackColor(const CMilledPart* item) override;
    int GetDefaultSortColumn() override;
    QString GetAppendRowTip() override;
    QString GetClipboardFormatName() override;
    bool HasPendingRow() override;
    void ForgetPendingRow() override;
    void DeletePendingRow() override;
    void CopyRowToPending(int row) override;
    void HoldRowForEdit(int row) override;
    bool CanAppendRow() override;
    void InsertNewRow(int row) override;
    void DeleteSelectedRows() override;
    int GetStoredRowCount() override;
    int OnEditNextCell(int column, int row, int* newColumn, int* newRow) override;
    int OnMenuOpen(int column, int row, int section) override;
    void OnMenuItem(int column, int row, int section, int id) override;

    // ---- IUGListMgr (both bases name these)
    void RefreshRowCount() override;
    void FitColumns() override { Base::FitColumns(); }
    void PasteRows() override;
    void Resort() override { Base::Resort(); }
    void ClearSelection() override { Base::ClearSelection(); }
    std::shared_ptr<CGridPaintBlocker> SuspendRedraw() override { return Base::SuspendRedraw(); }
    int GotoCell(int column, int row) override { return Base::GotoCell(column, row); }
    void RedrawAll() override { Base::RedrawAll(); }
    void Invalidate() override { Base::Invalidate(); }
    int GetUpdateHintMask() const override { return kPartsUpdateMask; }
    void FinishEditing() override { Base::FinishEditing(); }

    // ---- IPartsListMgr
    void OnGridUpdate(const PartRowsHint& hint) override;
    void SetRowEditState(PartRowEditState* state) override;
    void CancelEditing() override;
    void NotifySelection() override;
    void RedrawPendingRow() override;
    void BeginCurrentRowEdit() override;
    bool CanMoveSelectionUp() override;
    bool CanMoveSelectionDown() override;
    int GetPartCount() override;
    void MoveCursorUp() override;
    void MoveCursorDown() override;

private:
    class PartsPrintable : public IPrintable
    {
    public:
        explicit PartsPrintable(CKerfwellGDM& owner)
            : m_owner(owner)
        { }
        void GetCell(int column, int row, CUGCell* cell) override { Cells().GetCell(column, row, cell); }
        int GetRowCount() override { return Cells().GetRowCount(); }
        int GetVisibleColumnCount() override { return Cells().GetVisibleColumnCount(); }
        int GetColumnAtGridPosition(int position) override
        {
            return Cells().GetColumnAtGridPosition(position);
        }
        bool HasNotesColumn() override { return true; }
        QString GetRowNotes(int row) override;
        int GetNotesGridPosition() override;
        int GetPrintColumnCount() override;
        bool IsFreeTextColumn(int column) override;
        int GetNoteCellType() override;
        void Resort() override { m_owner.Resort(); }

    private:
        IPrintable& Cells() { return m_owner.Base::AsPrintable(); }
        CKerfwellGDM& m_owner;
    };

    const std::vector<CMilledPart*>& Parts() const;
    int FillHeadingMenu();
    void FillContextMenu();
    void RunHostCommand(int id, int row);
    void MoveCursor(int step);
    // New parts from copied rows, inserted before the first selected row
    // (else at the end) by one undoable command.
    void InsertParsedRows(const ParseFieldRows& rows);

    IPartsGridHost* m_host;
    IPartsDoc& m_document;
    // Used until the view hands its own state over.
    std::unique_ptr<PartRowEditState> m_ownState;
    PartRowEditState* m_state;
    CColInfoPartID* m_partIdColumn = nullptr;
    QString m_clipboardFormat;
    int m_lastOldRow = -2;
    int m_lastNewRow = -2;
    PartsPrintable m_printable { *this };
};
