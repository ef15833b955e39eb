#pragma once
// The grid window. It never stores cell contents: every cell it draws,
// edits, sorts or copies comes from one lookup that layers the column
// default, the data source, the OnCellFetch hook and the cell's style cell.
// The owner customises it by overriding the hooks, which keep a fixed order.
//
// Return codes of the operations: 0 done, 1 index or count out of range,
// 2 refused by a data source or a hook.

#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGCellType.h"
#include "gridctrl/CUGGridInfo.h"
#include "gridctrl/CUGPtrList.h"

#include "platform/Rect.h"
#include "platform/ui/ColorRef.h"

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class CUGDataSource;
class CUGMultiSelect;
class CUGGrid;
class CUGTopHdg;
class CUGSideHdg;
class CUGCnrBtn;
class CUGVScroll;
class CUGHScroll;
class CUGTab;
class CUGEdit;
class CUGMaskedEdit;
class CUGDropListType;
class CUGCheckBoxType;
class CUGArrowType;
class QMenu;
class QMimeData;
class QPainter;

// One request of the owner's find/replace dialog.
struct CUGFindRequest {
    enum Action { FindNext, Replace, ReplaceAll, Closing };
    Action action = FindNext;
    QString findText;
    QString replaceText;
    bool matchCase = false;
    bool wholeWord = false;
    bool searchDown = true;
};

// Receives the grid's few messages ("Item not found"); without a hook a
// message box owned by the given window shows them.
using GridMessageHook = std::function<void(QWidget* owner, const QString& text, const QString& caption)>;
GridMessageHook SetGridMessageHook(GridMessageHook hook);

class CUGCtrl : public QWidget {
    Q_OBJECT
public:
    using Rect = platform::Rect;
    using Point = platform::Point;
    using ColorRef = platform::ColorRef;

    // Section codes of the child windows, passed to the hooks.
    static constexpr int kSectionGrid = 1;
    static constexpr int kSectionTopHeading = 2;
    static constexpr int kSectionSideHeading = 3;
    static constexpr int kSectionCorner = 4;
    static constexpr int kSectionHScroll = 5;
    static constexpr int kSectionVScroll = 6;
    static constexpr int kSectionTab = 7;

    static constexpr int kMaxSheets = 1024;
    static constexpr int kMaxDataSources = 63;
    static constexpr int kMaxHeadingSize = 1024;

    explicit CUGCtrl(QWidget* parent = nullptr);
    ~CUGCtrl() override;

    // Creation: the grid takes its place in the parent, the setup hooks
    // run, and painting is switched on.
    int CreateGrid(unsigned style, const Rect& rect, QWidget* parent, int id);
    // Takes the place (parent, geometry, font) of a widget laid out in a
    // dialog, which is hidden; answers 1, or 0 without a widget.
    int AttachGrid(QWidget* placeholder);
    int EnablePainting(bool on);
    void SetRedrawFlag(bool on) { m_redrawFlag = on; }
    bool GetRedrawFlag() const { return m_redrawFlag; }

    // Child windows.
    CUGGrid* GetGridArea() const { return m_CUGGrid; }
    CUGTopHdg* GetTopHeading() const { return m_CUGTopHdg; }
    CUGSideHdg* GetSideHeading() const { return m_CUGSideHdg; }
    CUGCnrBtn* GetCornerButton() const { return m_CUGCnrBtn; }
    CUGVScroll* GetVScrollBar() const { return m_CUGVScroll; }
    CUGHScroll* GetHScrollBar() const { return m_CUGHScroll; }
    CUGTab* GetTabStrip() const { return m_CUGTab; }

    // Locked regions and rows.
    int SetLockedColumns(int count);
    int SetLockedRows(int count);
    int AppendRow();
    int DeleteRow(int row);
    int GetFirstVisibleColumn() const { return m_gi->m_leftCol; }
    int GetFirstVisibleRow() const { return m_gi->m_topRow; }
    int GetLastVisibleColumn() const { return m_gi->m_rightCol; }
    int GetLastVisibleRow() const { return m_gi->m_bottomRow; }

    // Moving the current cell: 0 done, 1 out of range, 2 refused.
    int GotoCell(int column, int row);
    // No current cell any more (column and row -1); nothing is asked.
    int ResetCurrentCell();
    int GotoRow(int row);
    int GotoColumn(int column);
    int ScrollToRow(int row);
    int ScrollToColumn(int column);
    // Actions: 0 back one, 1 forward one, 2 page back, 3 page forward, 4 first, 5 last.
    int StepCurrentRow(int action);
    int StepCurrentColumn(int action);
    int StepTopRow(int action);
    int StepLeftColumn(int action);

    // Geometry in grid-area coordinates.
    int GetCellRectangle(int* column, int* row, Rect* rect);
    int CellAtPoint(int x, int y, int* column, int* row, Rect* rect);
    int GetRangeRectangle(int firstColumn, int firstRow, int lastColumn, int lastRow, Rect* rect);

    // Selection.
    int EnableMultiSelect(bool on, int option = 1);
    CUGMultiSelect* GetMultiSelect() const;
    int ClearSelections();
    int SelectCell(int column, int row);
    int SelectBlock(int startColumn, int startRow, int endColumn, int endRow);
    int IsSelected(int column, int row, int* block = nullptr) const;

    int SortRows(int column, int flags);
    int PasteText(const QString& text);
    // The owner's find/replace dialog reports here; the dialog owns the
    // "Item not found" message.
    void AttachFindDialog(QWidget* dialog, bool allColumns);
    int OnFindReplace(const CUGFindRequest& request);

    // Context menu.
    int EnableContextMenu(bool on);
    int ShowContextMenu(int column, int row, const QPoint& screenPoint, int section);
    QMenu* GetPopupMenu() const { return m_menu; }
    int EmptyPopupMenu();
    int AddPopupMenuItem(int id, const QString& text);
    // The command handler: ids of 1000 or more are menu items for the owner.
    void OnMenuCommand(int id);

    // In-place editing.
    int BeginCellEdit(int column, int row, int key = 0);
    int EndCellEdit(const QString& text, bool cancelled, bool continueEdit = false, int continueColumn = 0,
                    int continueRow = 0);
    int HideEditControl();
    bool IsEditing() const { return m_editInProgress; }
    QWidget* GetEditControl() const { return m_editInProgress ? m_editCtrl : nullptr; }
    int GetEditColumn() const { return m_editCol; }
    int GetEditRow() const { return m_editRow; }

    // A value for the cell type with that index (the normal type for 0 or
    // an index without a type); answers the type's result.
    int SendCellTypeMessage(int typeIndex, int value);

    // A window the current cell must never lie under (borrowed); with mode 1
    // it is placed beside the current cell after every move.
    void SetTrackingWindow(QWidget* window) { m_trackingWindow = window; }
    QWidget* GetTrackingWindow() const { return m_trackingWindow; }
    void SetTrackingWindowMode(int mode) { m_gi->m_trackingPlacement = mode; }

    // Keys held at the last input event of the grid's windows.
    void SetKeyModifiers(Qt::KeyboardModifiers modifiers) { m_modifiers = modifiers; }
    bool IsShiftHeld() const { return m_modifiers & Qt::ShiftModifier; }
    bool IsCtrlHeld() const { return m_modifiers & Qt::ControlModifier; }
    bool IsAltHeld() const { return m_modifiers & Qt::AltModifier; }

    // Sheets.
    int SetSheetCount(int count);
    int GetSheetCount() const { return static_cast<int>(m_sheets.size()); }
    int SetCurrentSheet(int index, int redraw = 1);
    int GetCurrentSheet() const { return m_currentSheet; }
    CUGGridInfo* GetSheetInfo() { return m_gi; }
    const CUGGridInfo* GetSheetInfo() const { return m_gi; }

    // Counts.
    int SetColumnCount(int count, int redraw = 1);
    int GetColumnCount() const { return m_gi->m_numberCols; }
    int SetRowCount(int count, int redraw = 1);
    int GetRowCount() const { return m_gi->m_numberRows; }
    int GetCurrentColumn() const { return m_gi->m_currentCol; }
    int GetCurrentRow() const { return m_gi->m_currentRow; }

    // Column mapping and default cells.
    int GetColumnMapping(int column) const;
    int SetColumnMapping(int column, int dataColumn);
    int SetColumnDefault(int column, const CUGCell* cell);
    int GetColumnDefault(int column, CUGCell* cell) const;
    int SetGridDefault(const CUGCell* cell);
    int GetGridDefault(CUGCell* cell) const;
    int SetHeadingDefault(const CUGCell* cell);
    int GetHeadingDefault(CUGCell* cell) const;

    // Data sources (borrowed, never deleted by the grid).
    int AddDataSource(CUGDataSource* source);
    int RemoveDataSource(int index);
    CUGDataSource* GetDataSource(int index) const;
    int SetDefaultDataSource(int index);
    int GetDataSourceIndex() const { return m_gi->m_defDataSourceIndex; }
    CUGDataSource* GetCurrentDataSource() const { return m_gi->m_defDataSource; }

    // Cell types and fonts.
    int AddCellType(CUGCellType* type);
    CUGCellType* GetCellTypeObject(int column, int row);
    CUGCellType* GetCellTypeByIndex(int index) const;
    int AddFont(int height, int width, int escapement, int orientation, int weight, bool italic,
                bool underline, bool strikeOut, int charSet, int outPrecision, int clipPrecision,
                int quality, int pitchAndFamily, const QString& faceName);
    const QFont* GetFont(int index) const;
    int SetDefaultFont(const QFont* font);
    const QFont* GetDefaultFont() const { return m_gi->m_defFont; }

    // Cells.
    int GetCell(int column, int row, CUGCell* cell);
    int GetCellWithDefaults(int column, int row, CUGCell* cell);
    int SetCell(int column, int row, CUGCell* cell);
    QString GetCellText(int column, int row);
    int SetCellTextAt(int column, int row, const QString& text);
    int SetCellNumberAt(int column, int row, double number);
    int SetCellLabelAt(int column, int row, const QString& label);
    int SetCellBackColorAt(int column, int row, ColorRef color);
    int SetCellAlignmentAt(int column, int row, int alignment);
    int SetCellBorderAt(int column, int row, int border);
    int SetCellTypeAt(int column, int row, int type);
    int SetCellStyleAt(int column, int row, int style);

    // Joined cells.
    int EnableJoinedCells(bool on);
    int GetJoinedBlockStart(int* column, int* row, CUGCell* cell);
    int GetJoinedBlockRange(int* column, int* row, int* endColumn, int* endRow);

    // Sizes.
    int MoveColumn(int from, int to, bool insertBefore);
    int GetColumnWidth(int column, int* width) const;
    int GetColumnWidth(int column) const;
    int SetColumnWidth(int column, int width);
    int GetRowHeight(int row) const;
    int SetRowHeight(int row, int height);
    int UseUniformRowHeights(bool on);
    int SetTopHeadingRowHeight(int row, int height);
    int SetSideHeadingColumnWidth(int column, int width);
    int SetTopHeadingHeight(int height);
    int SetSideHeadingWidth(int width);
    int GetTopHeadingRowHeight(int row) const;
    int GetSideHeadingColumnWidth(int column) const;

    // Settings.
    int SetGridLines(bool on) { m_gi->m_gridLines = on; return 0; }
    int EnableExpandingEditor(bool on) { m_gi->m_enableExpandingEditor = on; return 0; }
    int EnableColumnMoving(bool on) { m_gi->m_enableColMoving = on; return 0; }
    int SetCornerButtonSizing(int mode) { m_gi->m_mouseSizingMode = mode; return 0; }
    int SetEditorFocusOption(int on) { m_gi->m_editorFocusOption = on != 0; return 0; }
    int SetCurrentCellHighlight(int mode);
    // Mode 1: rows follow the vertical thumb while it is dragged. The bar is refreshed at once.
    int SetVerticalScrollMode(int mode);
    int SetDefaultColumnWidth(int width);
    int SetDefaultRowHeight(int height);

    // Repaint requests.
    int RedrawAll();
    int RedrawCell(int column, int row);
    int RedrawRow(int row);
    // Places the child windows (after size, count and sheet changes).
    void LayoutChildren();
    // Marks grid-area cells to be drawn by the next paint pass.
    void QueueCellRepaint(int column, int row);
    void QueueRangeRepaint(int firstColumn, int firstRow, int lastColumn, int lastRow);
    // The largest first row (column) that still fills the window.
    void RecalcLargestTopRow();
    void RecalcLargestLeftColumn();
    // The last column and row shown (each partly shown or the count), as
    // the grid area's paint pass also finds them.
    void RecalcVisibleRange();

    // Hooks, in their fixed order.
    virtual void OnGridFocus(int section);
    virtual int FitColumnsToWindow(int firstColumn, int lastColumn);
    virtual int FitColumnsToContent(int firstColumn, int lastColumn, int rowsToExamine, int flags);
    virtual void OnGridSetup();
    virtual void OnSheetInit(int sheet);
    virtual int AllowCellMove(int oldColumn, int oldRow, int newColumn, int newRow);
    virtual int AllowViewScroll(int oldLeftColumn, int oldTopRow, int newColumn, int newRow);
    virtual void OnRowsNeeded(int rowCount, int rowsNeeded, int* rowsAdded);
    virtual void OnReserved9(int, int);
    virtual int AllowColumnSizing(int column);
    virtual void OnColumnDragSize(int column, int* width);
    virtual void OnColumnWidthChange(int column, int* width);
    virtual int AllowRowSizing(int row);
    virtual void OnRowDragSize(int row, int* height);
    virtual void OnRowHeightChange(int row, int* height);
    virtual int CanSizeTopHeading();
    virtual int CanSizeSideHeading();
    virtual int OnTopHeadingDragSize(int* height);
    virtual int OnSideHeadingDragSize(int* width);
    virtual int OnTopHeadingResized(int* height);
    virtual int OnSideHeadingResized(int* width);
    virtual void OnCurrentColumnChange(int oldColumn, int newColumn);
    virtual void OnCurrentRowChange(int oldRow, int newRow);
    virtual void OnCurrentCellChange(int oldColumn, int newColumn, int oldRow, int newRow);
    virtual void OnLeftColumnScroll(int oldColumn, int newColumn);
    virtual void OnTopRowScroll(int oldRow, int newRow);
    virtual void OnScrollUpdate(int section, int oldValue, int newValue);
    virtual void OnBlockChanged(int left, int top, int right, int bottom, int blockCount);
    virtual void OnCellClick(int column, int row, int down, const Rect& rect, const Point& point, int processed);
    virtual void OnCellRightClick(int column, int row, int down, const Rect& rect, const Point& point, int processed);
    virtual void OnCellDoubleClick(int column, int row, const Rect& rect, const Point& point, int processed);
    virtual void OnCellMouseMove(int column, int row, const Point& point, unsigned keyFlags, int processed);
    virtual void OnColumnHeadingClick(int column, int row, int down, const Rect& rect, const Point& point, int processed);
    virtual void OnColumnHeadingRightClick(int column, int row, int down, const Rect& rect, const Point& point, int processed);
    virtual void OnColumnHeadingDoubleClick(int column, int row, const Rect& rect, const Point& point, int processed);
    virtual void OnRowHeadingClick(int column, int row, int down, const Rect& rect, const Point& point, int processed);
    virtual void OnRowHeadingRightClick(int column, int row, int down, const Rect& rect, const Point& point, int processed);
    virtual void OnRowHeadingDoubleClick(int column, int row, const Rect& rect, const Point& point, int processed);
    virtual void OnCornerClick(int down, const Rect& rect, const Point& point, int processed);
    virtual void OnCornerRightClick(int down, const Rect& rect, const Point& point, int processed);
    virtual void OnCornerDoubleClick(const Rect& rect, const Point& point, int processed);
    virtual void OnGridKeyDown(int* key, int processed);
    virtual void OnGridKeyUp(int* key, int processed);
    virtual void OnGridChar(int* character, int processed);
    virtual void OnCellFetch(int column, int row, CUGCell* cell);
    virtual void OnCellStore(int column, int row, CUGCell* cell);
    virtual void OnSourceMessage(int sourceId, int message, long long value);
    virtual int OnCellTypeMessage(int typeId, int column, int row, int message, long long value);
    virtual int OnEditBegin(int column, int row, QWidget** editor);
    virtual int OnEditKey(int column, int row, QWidget* editor, int* key);
    virtual int OnEditEnd(int column, int row, QWidget* editor, const QString& text, bool cancelled);
    virtual int OnEditNextCell(int column, int row, int* newColumn, int* newRow);
    virtual int OnReserved53(int, int, int, int);
    virtual int OnReserved54(int, int, int, int);
    virtual void OnMenuItem(int column, int row, int section, int id);
    virtual int OnMenuOpen(int column, int row, int section);
    virtual int GetHelpContext(int column, int row, int section);
    virtual int GetHintText(int column, int row, int section, QString* text);
    virtual int GetVerticalScrollTip(int row, QString* text);
    virtual int GetHorizontalScrollTip(int column, QString* text);
    virtual int OnDropEnter(const QMimeData* data);
    virtual int OnDropOver(const QMimeData* data, int column, int row);
    virtual int OnDropped(const QMimeData* data, int column, int row);
    virtual int CompareCells(CUGCell* a, CUGCell* b, int flags);
    virtual void OnPaintArea(QPainter* dc, int reserved, int section);
    virtual void OnLayoutRects(Rect* grid, Rect* topHeading, Rect* sideHeading, Rect* corner,
                               Rect* vScroll, Rect* hScroll, Rect* tab);
    virtual void OnSheetTabClick(int sheet);
    virtual ColorRef GetBackgroundColor(int section);
    virtual void DrawFocusFrame(QPainter* dc, const Rect& rect);
    virtual void OnGridFocusLost(int section, QWidget* newFocus);
    virtual void OnFocusLost(int section);
    virtual int AllowColumnDrag(int column);
    virtual int AllowColumnMove(int from, int to);
    virtual void OnColumnMoved(int from, int to);
    virtual void OnTrackingWindowMoved(Rect* origin, Rect* moved);
    // The last row that paging and jumping (to the first or last row or
    // column) may land on; a grid whose last row only stands for a new one
    // stops above it.
    virtual int GetLastPagingRow();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

    CUGGridInfo* m_gi = nullptr;

    // Fills one of the reserved indexes 1 to 3 with a built-in cell type;
    // 0 done, 1 not a reserved index, 2 already filled.
    int InstallBuiltInCellType(int index, CUGCellType* type);

    void recalcLockedColumnWidth();
    void recalcLockedRowHeight();
    // A default cell for a new column: a copy of the grid default.
    CUGColumnInfo makeColumn(int index) const;

private:
    void createChildWindows();
    void commitMove();
    void placeTrackingWindow();
    void keepTargetInView();
    int moveTo(int column, int row, bool checkSame);
    int clampRow(int row, int* clamped);
    int clampColumn(int column, int* clamped);
    void restoreSelectionOrigin();
    int pageRowsFrom(int start, int direction) const;
    int stopAtLastPagingRow(int row);
    // Whether the row lies past the last paging row: a line standing for a
    // new row, which only a deliberate step onto it makes.
    bool isNewRowLine(int row);
    int pageColumnsFrom(int start, int direction) const;
    int columnX(int column) const;
    int rowY(int row) const;
    bool currentCellMatches(const QString& text, int flags);
    std::unique_ptr<CUGGridInfo> makeSheet();
    CUGDataSource* sourceForColumn(int column) const;
    int sourceColumn(int column) const;

    std::vector<std::unique_ptr<CUGGridInfo>> m_sheets;
    int m_currentSheet = 0;

    std::vector<CUGDataSource*> m_dataSources; // index 0 unused: the built-in source
    int m_dataSourceCount = 0;

    CUGPtrList m_cellTypes;
    CUGPtrList m_fonts;
    // The description each font was made from, by font index, so that the
    // same description yields the same font.
    struct FontDescription {
        std::array<int, 13> numbers{};
        QString face;
        bool operator==(const FontDescription&) const = default;
    };
    std::vector<FontDescription> m_fontDescriptions;
    std::vector<std::unique_ptr<QFont>> m_ownedFonts;
    std::unique_ptr<CUGCellType> m_normalType;
    std::unique_ptr<CUGDropListType> m_dropListType;
    std::unique_ptr<CUGCheckBoxType> m_checkBoxType;
    std::unique_ptr<CUGArrowType> m_arrowType;

    CUGCell m_scratchCell;
    CUGCell m_textCell;

    CUGGrid* m_CUGGrid = nullptr;
    CUGTopHdg* m_CUGTopHdg = nullptr;
    CUGSideHdg* m_CUGSideHdg = nullptr;
    CUGCnrBtn* m_CUGCnrBtn = nullptr;
    CUGVScroll* m_CUGVScroll = nullptr;
    CUGHScroll* m_CUGHScroll = nullptr;
    CUGTab* m_CUGTab = nullptr;
    CUGEdit* m_defEditCtrl = nullptr;
    CUGMaskedEdit* m_defMaskedEditCtrl = nullptr;

    bool m_redrawFlag = true;
    Qt::KeyboardModifiers m_modifiers;

    bool m_editInProgress = false;
    int m_editCol = -1;
    int m_editRow = -1;
    CUGCell m_editCell;
    QWidget* m_editCtrl = nullptr;
    QWidget* m_editParent = nullptr;

    QMenu* m_menu = nullptr;
    int m_menuCol = -1;
    int m_menuRow = -1;
    int m_menuSection = 0;

    QPointer<QWidget> m_trackingWindow;
    QWidget* m_findDialog = nullptr;
    bool m_findAllColumns = false;
};
