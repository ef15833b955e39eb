#pragma once
// The grid window of every list in the program: whole rows are selected,
// the side heading is hidden, a sort arrow marks the sorted column, columns
// fit in four modes, and the grid is either read-only or ends in a line for
// a new row. Nearly every user event reaches the bound data source as a
// numbered notification (OnGridNotify); the source does the work.

#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGNoteType.h"
#include "gridctrl/CUGSortArrowType.h"

class ArchiveWrapper;

class CUGRowMode : public CUGCtrl {
    Q_OBJECT
public:
    // Notification codes sent to the bound data source.
    static constexpr int kNotifyFont = 2;
    static constexpr int kNotifyBinding = 3;
    static constexpr int kNotifySortArrowType = 4;
    static constexpr int kNotifyColumnsMoved = 7;
    static constexpr int kNotifyColumnMoved = 9;
    static constexpr int kNotifySelection = 10;
    static constexpr int kNotifyNoteType = 12;
    static constexpr int kNotifyKeyDown = 13;
    static constexpr int kNotifyKeyUp = 14;
    static constexpr int kNotifyRowDrag = 15;
    static constexpr int kNotifyCellType = 100;

    explicit CUGRowMode(QWidget* parent = nullptr);
    ~CUGRowMode() override;

    // 0 bound, 1 no source at the index, 2 the source has no columns.
    int SetDataSource(int index);
    void ResetGrid();
    void DeleteAllRows();
    void SetGridFont(const QFont* font);
    const QFont* GetGridFont() const { return GetFont(m_gridFontIndex); }
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_readOnly; }
    bool HasNewRowLine() const { return m_newRowLine; }
    // A read-only list that still moves its current row has no new-row line.
    void SetNewRowLine(bool on) { m_newRowLine = on; }
    int GetDataRowCount() const;
    void SetSingleRowSelection(bool repaint);
    int GetFirstSelectedRow() const;
    bool IsSingleRowSelected() const;
    void SetSortIndicator(int column, bool ascending);
    void ClearSortIndicator();
    void ClearColumnHeadingTypes();
    int GetSortColumn() const { return m_sortColumn; }
    bool IsSortAscending() const { return m_sortAscending != 0; }
    void EnableSortIndicator(bool on) { m_sortIndicatorShown = on ? 1 : 0; }
    void EnableSortOnHeadingClick(bool on) { m_sortOnHeadingClick = on; }
    void EnableRowDrag(bool on) { m_rowDrag = on ? 1 : 0; }
    void EnableColumnSwap(bool on);
    void SetColumnAlignment(int column, int alignment);
    int FindColumnForSourceColumn(int dataColumn) const;
    void NotifyColumnsMoved();
    int GetSortArrowTypeIndex() const { return m_sortArrowIndex; }
    int GetNoteTypeIndex() const { return m_noteIndex; }
    CUGNoteType& GetNoteType() { return m_noteType; }

    // Redraw suspensions nest; only the end of the outermost one repaints.
    void BeginRedrawSuspend();
    void EndRedrawSuspend();
    int GetRedrawSuspendDepth() const { return m_suspendDepth; }
    class RedrawSuspend {
    public:
        explicit RedrawSuspend(CUGRowMode& grid) : m_grid(grid) { m_grid.BeginRedrawSuspend(); }
        ~RedrawSuspend() { m_grid.EndRedrawSuspend(); }
        RedrawSuspend(const RedrawSuspend&) = delete;
        RedrawSuspend& operator=(const RedrawSuspend&) = delete;
    private:
        CUGRowMode& m_grid;
    };

    // Fit modes: 0 to content, then to the window; 1 and 3 to content;
    // 2 no fitting. Mode 3, once set, stays under SetFitMode.
    void FitColumnsByMode();
    void SetFitMode(int mode, bool apply);
    void ForceFitMode(int mode, bool apply);
    int GetFitMode() const { return m_fitMode; }

    // Owners set these directly.
    bool m_stretchAfterFit = false;
    QWidget* m_focusTarget = nullptr;

    // One unsigned 32-bit word per column: its data-source column. A loaded
    // set that is no permutation of the columns gives the identity mapping.
    void SerializeColumnMapping(ArchiveWrapper& ar);

    virtual void RepaintIfSelectionHook();
    virtual void ReservedRowMode(int, int) {}

    // Hooks.
    void OnGridFocus(int section) override;
    int FitColumnsToWindow(int firstColumn, int lastColumn) override;
    int FitColumnsToContent(int firstColumn, int lastColumn, int rowsToExamine, int flags) override;
    void OnGridSetup() override;
    void OnSheetInit(int sheet) override;
    int AllowCellMove(int oldColumn, int oldRow, int newColumn, int newRow) override;
    int AllowRowSizing(int row) override;
    int CanSizeTopHeading() override;
    void OnCurrentColumnChange(int oldColumn, int newColumn) override;
    void OnCurrentRowChange(int oldRow, int newRow) override;
    void OnBlockChanged(int left, int top, int right, int bottom, int blockCount) override;
    void OnCellClick(int column, int row, int down, const Rect& rect, const Point& point, int processed) override;
    void OnCellDoubleClick(int column, int row, const Rect& rect, const Point& point, int processed) override;
    void OnColumnHeadingClick(int column, int row, int down, const Rect& rect, const Point& point, int processed) override;
    void OnRowHeadingClick(int column, int row, int down, const Rect& rect, const Point& point, int processed) override;
    void OnGridKeyDown(int* key, int processed) override;
    void OnGridKeyUp(int* key, int processed) override;
    void OnGridChar(int* character, int processed) override;
    void OnSourceMessage(int sourceId, int message, long long value) override;
    int OnCellTypeMessage(int typeId, int column, int row, int message, long long value) override;
    int OnEditBegin(int column, int row, QWidget** editor) override;
    void OnMenuItem(int column, int row, int section, int id) override;
    int OnMenuOpen(int column, int row, int section) override;
    int CompareCells(CUGCell* a, CUGCell* b, int flags) override;
    ColorRef GetBackgroundColor(int section) override;
    void DrawFocusFrame(QPainter* dc, const Rect& rect) override;
    int AllowColumnMove(int from, int to) override;
    int GetLastPagingRow() override;
    void OnColumnMoved(int from, int to) override;

private:
    int notify(int code, long long first, long long second = 0);
    CUGDataSource* boundSource() const;
    void stretchColumns();
    void setPainting(bool on);

    int m_gridFontIndex = -1;
    CUGSortArrowType m_sortArrowType;
    int m_sortArrowIndex = -1;
    CUGNoteType m_noteType;
    int m_noteIndex = -1;
    bool m_readOnly = false;
    bool m_sortOnHeadingClick = true;
    bool m_repaintOnSelectionHook = false;
    bool m_newRowLine = true;
    bool m_columnSwap = true;
    int m_sortColumn = -1;
    unsigned char m_sortAscending = 0;
    unsigned char m_sortIndicatorShown = 0;
    bool m_gridReset = false;
    bool m_binding = false;
    int m_suspendDepth = 0;
    unsigned char m_rowDrag = 0;
    int m_fitMode = 0;
};

// The first selected row from the top, -1 when none.
int GetFirstSelectedRow(const CUGCtrl& grid);
// Exactly one row is selected.
bool IsSingleRowSelected(const CUGCtrl& grid);
