#pragma once
// The take-off grid of the layouts page: a read-only list of parts with
// three contents (all parts of the shown thickness, the parts on the shown
// diagram per orientation, the parts with unplaced copies). Its rows belong
// to the list manager above it; this manager only shows, sorts and prints
// them.

#include "grids/CGridDisplayManager.h"
#include "model/ParseFieldRow.h"
#include "optimization/DisplayDiagram.h"

#include <QFont>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class CMilledPart;

// One row of a take-off list.
struct TAKEOFFITEM
{
    CMilledPart* part = nullptr; // not owned
    // Selected diagram: the copies of the part lying on it in this
    // orientation; otherwise the part's placed copies when the row was built.
    std::int32_t copies = 0;
    // 1 when the copies lie turned a quarter on the diagram (selected diagram only).
    std::int32_t turned = 0;
};

using TakeOffStorage = GDMStorageRawPtr<TAKEOFFITEM>;
using TakeOffColumnInfo = CGridColumnInfo<TAKEOFFITEM, TakeOffStorage>;
using TakeOffRows = std::vector<TAKEOFFITEM*>;

// The list kinds; the tab index is the same number.
namespace TakeOffListKind {
constexpr int MaterialThickness = 0;
constexpr int SelectedDiagram = 1;
constexpr int UnplacedParts = 2;
} // namespace TakeOffListKind

// Data columns of the take-off grid.
namespace TakeOffColumn {
constexpr int PartId = 0;
constexpr int Description = 1;
constexpr int Copies = 2;
constexpr int Width = 3;
constexpr int Length = 4;
constexpr int SkipReason = 5;
constexpr int Info = 6;
constexpr int DiagramList = 7;
constexpr int Count = 8;
} // namespace TakeOffColumn

// Where the grid's selection, keys and row drags go (the layouts page's
// take-off list manager).
class ITakeOffGridOwner
{
public:
    virtual ~ITakeOffGridOwner() = default;
    // The current row changed; part null for no row.
    virtual void OnSelectionChanged(CMilledPart* part, bool turned) = 0;
    virtual void OnGridKeyDown(int key) = 0;
    virtual void OnGridKeyUp(int key) = 0;
    virtual void OnRowDragStart(TAKEOFFITEM* item) = 0;
};

// The take-off operations of the grid manager, beside its IUGListMgr side.
class ITakeOffListMgr
{
public:
    virtual ~ITakeOffListMgr() = default;
    virtual int GetListKind() const = 0;
    // Shows Reason Skipped only for the unplaced parts and Diagram #s only
    // for the parts of the shown thickness.
    virtual void SetListKind(int kind) = 0;
    // The first row of the item's part (and, with matchTurned, of its turn); -1 when none.
    virtual int FindItemRow(const TAKEOFFITEM& item, bool matchTurned) const = 0;
    virtual void SetDiagram(const DisplayDiagramPtr& diagram) = 0;
};

// Shared by the columns: the list kind and the shown diagram decide
// headings and which size a dimension cell shows.
struct TakeOffColumnContext
{
    int kind = TakeOffListKind::MaterialThickness;
    DisplayDiagramPtr diagram;
};

class CColInfoTOPartID : public TakeOffColumnInfo
{
public:
    using TakeOffColumnInfo::TakeOffColumnInfo;
    int GetFieldId() const override { return 1; }
    std::unique_ptr<TakeOffColumnInfo> Clone() const override;
    QString GetHeadingText() const override;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    bool CanUserHide() const override { return false; }
};

class CColInfoTODescription : public TakeOffColumnInfo
{
public:
    using TakeOffColumnInfo::TakeOffColumnInfo;
    int GetFieldId() const override { return 5; }
    std::unique_ptr<TakeOffColumnInfo> Clone() const override;
    QString GetHeadingText() const override;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    bool CanUserHide() const override { return false; }
};

class CColInfoTOCopies : public TakeOffColumnInfo
{
public:
    using TakeOffColumnInfo::TakeOffColumnInfo;
    int GetFieldId() const override { return 6; }
    std::unique_ptr<TakeOffColumnInfo> Clone() const override;
    QString GetHeadingText() const override;
    // The values shown: placed copies, copies on the diagram, unplaced copies.
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    bool CanUserHide() const override { return false; }

    void SetListKind(int kind) { m_kind = kind; }

private:
    int m_kind = TakeOffListKind::MaterialThickness;
};

// Width ("Y" on the selected diagram) and Length ("X"): which of the part's
// two sizes a cell shows follows the row's turn and, on the selected
// diagram, the diagram's orientation; sorting compares what is shown.
class CColInfoTODimension : public TakeOffColumnInfo
{
public:
    CColInfoTODimension(void* context, bool widthColumn);
    int GetFieldId() const override { return m_widthColumn ? 9 : 10; }
    QString GetHeadingText() const override;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int GetAlignment() const override;

    void SetListKind(int kind) { m_context.kind = kind; }
    void SetDiagram(const DisplayDiagramPtr& diagram) { m_context.diagram = diagram; }
    void SetBoldFont(const QFont& font) { m_boldFont = font; }

protected:
    void CopyStateTo(CColInfoTODimension& clone) const;

private:
    // The cell shows the part's width (else its length).
    bool ShowsPartWidth(const TAKEOFFITEM& row) const;

    bool m_widthColumn;
    TakeOffColumnContext m_context;
    QFont m_boldFont;
};

class CColInfoTOWidth : public CColInfoTODimension
{
public:
    explicit CColInfoTOWidth(void* context)
        : CColInfoTODimension(context, true)
    { }
    std::unique_ptr<TakeOffColumnInfo> Clone() const override;
};

class CColInfoTOLength : public CColInfoTODimension
{
public:
    explicit CColInfoTOLength(void* context)
        : CColInfoTODimension(context, false)
    { }
    std::unique_ptr<TakeOffColumnInfo> Clone() const override;
};

class CColInfoTOSkipReason : public TakeOffColumnInfo
{
public:
    using TakeOffColumnInfo::TakeOffColumnInfo;
    int GetFieldId() const override { return 62; }
    std::unique_ptr<TakeOffColumnInfo> Clone() const override;
    QString GetHeadingText() const override;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
};

class CColInfoTOInfo : public TakeOffColumnInfo
{
public:
    using TakeOffColumnInfo::TakeOffColumnInfo;
    int GetFieldId() const override { return 60; }
    std::unique_ptr<TakeOffColumnInfo> Clone() const override;
    QString GetHeadingText() const override;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
};

class CColInfoTODiagramList : public TakeOffColumnInfo
{
public:
    using TakeOffColumnInfo::TakeOffColumnInfo;
    int GetFieldId() const override { return 15; }
    std::unique_ptr<TakeOffColumnInfo> Clone() const override;
    QString GetHeadingText() const override;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
};

class CTakeOffGDM : public CGridDisplayManager<TAKEOFFITEM, TakeOffStorage>, public ITakeOffListMgr
{
public:
    static constexpr int kShowInfoMenuId = 2000;
    using CGridDisplayManager::SortRows;

    // owner and rows are not owned; rows is the owner's list in display order.
    CTakeOffGDM(ITakeOffGridOwner* owner, TakeOffRows* rows);
    ~CTakeOffGDM() override;

    // ---- grid display manager
    TAKEOFFITEM* GetRowItem(int row) override;
    Holder GetRowItemHolder(int row) override { return GetRowItem(row); }
    int FindRow(const Holder& item) override;
    bool CanEditCell(int) override { return false; }
    int EndPendingRow() override { return 0; }
    bool CanAppendRow() override { return false; }
    void InsertNewRow(int) override { }
    void DeleteSelectedRows() override { }
    QString GetClipboardFormatName() override { return QString(); }
    QString GetAppendRowTip() override { return QString(); }
    int GetDefaultSortColumn() override { return -1; }
    int GetUpdateHintMask() const override { return 0; }
    void SortRows(const Keys& keys, bool ascending) override;
    int GetStoredRowCount() override;
    void OnCurrentRowChanged(int oldRow, int newRow) override;
    void OnKeyDown(int key) override;
    void OnKeyUp(int key) override;
    void OnRowDragStart(int row) override;
    int OnMenuOpen(int column, int row, int section) override;
    void OnMenuItem(int column, int row, int section, int id) override;

    // ---- take-off operations
    int GetListKind() const override { return m_kind; }
    void SetListKind(int kind) override;
    int FindItemRow(const TAKEOFFITEM& item, bool matchTurned) const override;
    void SetDiagram(const DisplayDiagramPtr& diagram) override;
    // Reason Skipped and Diagram #s shown or hidden as the list kind wants
    // them, whatever a restored layout said.
    void ShowKindColumns();

    bool IsInfoColumnShown() const;
    void ShowInfoColumn(bool show);
    // After the owner rebuilt its rows: the shown diagram, no selection, the
    // new row count, the current sort, fitted columns; one repaint.
    void RefreshList(const DisplayDiagramPtr& diagram);
    // A manager for printing the given rows as a selected-diagram list with
    // this one's columns, sort and Info column. It has no grid: printing
    // reads it and nothing of it reaches the window on screen.
    std::shared_ptr<IPrintable> CreatePrintCopy(TakeOffRows* rows, const DisplayDiagramPtr& diagram) const;

    // Sorts by the data column in the given direction and keeps it as the sort.
    void SortByColumn(int column, bool ascending);

    // The header row and the rows of a copy of the list: one field per
    // column in data-column order with its text, alignment and grid column
    // (-1 and excluded when hidden).
    void BuildHeaderFields(ParseFieldRow& row) const;
    void BuildRowFields(int row, ParseFieldRow& out);

private:
    CColInfoTOCopies* CopiesColumn() const;
    // The grid column that shows the data column; -1 when hidden.
    int ShownGridColumn(int column) const;
    CColInfoTODimension* DimensionColumn(int column) const;

    ITakeOffGridOwner* m_owner;
    TakeOffRows* m_rows;
    int m_kind = TakeOffListKind::MaterialThickness;
};
