#pragma once
// The size/cost grid of the Raw Materials page: the stock sizes of the
// selected sheet good, one row per size/cost row of the material's own list
// (sorting reorders that list). Every change is an undoable command; rows of
// stock sizes that a pinned layout uses are shown light blue and keep their
// sizes. Without a grid (the raw-materials printout) it still hands out its
// cells.

#include "grids/CGridDisplayManager.h"
#include "grids/SizeCostColumns.h"
#include "model/MaterialRowCommands.h"

#include <memory>

class CSheetGoodEx;
class IOptimizationDoc;
class IRawMaterialsHost;

class CSGSCGDM : public CGridDisplayManager<ISGSC, sgsc::Storage>, public ISizeCostPasteColumns
{
public:
    using Base = CGridDisplayManager<ISGSC, sgsc::Storage>;
    using Base::SortRows;
    static constexpr int kColumnCount = 13;
    static constexpr int kNotesColumn = 12;
    static constexpr int kUpdateHintMask = 64;
    static constexpr int kHeadingSection = 2;
    // Context-menu ids of the data cells.
    enum MenuId { kMenuEditNote = 2000, kMenuDeleteNote, kMenuDeleteRows, kMenuCut, kMenuCopy, kMenuPaste };
    // 0x00BBGGRR light blue of a stock size on a pinned layout.
    static constexpr platform::ColorRef kPinnedRowColor = 0xF0D9AA;

    // The view's grid: document may be null while there is none.
    CSGSCGDM(IRawMaterialsHost* host, IOptimizationDoc* document);
    // The printout's: no view, no document.
    CSGSCGDM();
    ~CSGSCGDM() override;

    // Binds the material's own list; the caller then recounts and sorts.
    void SetSheetGood(std::shared_ptr<CSheetGoodEx> material);
    // Ascending by thickness; equal thicknesses keep their order.
    void SortByDefaultColumn();
    const std::shared_ptr<CSheetGoodEx>& GetSheetGoodRef() const { return m_material; }
    // The row of the first selected grid row, or null.
    std::shared_ptr<ISGSC> GetSelectedRowItem();
    static void SetUnitsChoiceList(const QString& choices);
    static const QString& GetUnitsChoiceList();
    // The row's stock size is used by a pinned layout of an unlocked project.
    bool IsStockSizePinned(const ISGSC* row) const;
    // The printing face, which prints the notes under their rows.
    IPrintable& AsPrintable() { return *m_printable; }

    // ---- the manager's operations
    ISGSC* GetRowItem(int row) override;
    Holder GetRowItemHolder(int row) override;
    int FindRow(const Holder& item) override;
    bool CanEditCell(int column) override;
    int EndPendingRow() override;
    void SortRows(const Keys& keys, bool ascending) override;
    void OnNoteCellTypeSet() override;
    bool IsRowHighlighted(const ISGSC* item) override;
    platform::ColorRef GetRowBackColor(const ISGSC* item) override;
    QString GetClipboardFormatName() override;
    bool CanAppendRow() override { return true; }
    void InsertNewRow(int row) override;
    void DeleteSelectedRows() override;
    int GetStoredRowCount() override;
    int GetUpdateHintMask() const override { return kUpdateHintMask; }
    void PasteRows() override;

    // ---- data-source operations
    int SetCell(int column, int row, CUGCell* cell) override;
    int OnEditBegin(int column, int row, QWidget** editor) override;
    int OnEditNextCell(int column, int row, int* newColumn, int* newRow) override;
    int OnMenuOpen(int column, int row, int section) override;
    void OnMenuItem(int column, int row, int section, int id) override;

    // ---- the paste's columns
    int GetColumnCount() const override { return kColumnCount; }
    bool ApplyPastedField(int column, ISGSC& row, const CParseField& field) override;
    void DiscardPendingRow() override { Base::DiscardPendingRow(); }

private:
    class Printable;
    sgsc::SizeCostColumn* SizeCostColumnAt(int dataColumn) const;

    IRawMaterialsHost* m_host = nullptr;
    IOptimizationDoc* m_document = nullptr;
    std::shared_ptr<CSheetGoodEx> m_material;
    sgsc::CColInfoSGActThick* m_thickness = nullptr;
    int m_defaultSortColumn = 0;
    // The row an edit check is about (the checks get only the column).
    int m_checkedRow = -1;
    std::unique_ptr<IPrintable> m_printable;
};
