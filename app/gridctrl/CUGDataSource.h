#pragma once
// What a grid reads its cells from and reports its events to. The virtual
// operations keep a fixed order, reserved slots included, because the
// program's grid managers append their own operations after the last one.

#include <QString>

class CUGCell;
class CUGCtrl;
class QWidget;

class CUGDataSource {
public:
    // Find flags.
    static constexpr int kFindPartial = 1;
    static constexpr int kFindNoCase = 2;
    static constexpr int kFindUp = 4;
    static constexpr int kFindAllColumns = 8;
    // Sort flags.
    static constexpr int kSortAscending = 1;
    static constexpr int kSortDescending = 2;

    CUGDataSource() = default;
    CUGDataSource(const CUGDataSource&) = delete;
    CUGDataSource& operator=(const CUGDataSource&) = delete;
    virtual ~CUGDataSource();

    void AssignId(int id) { m_id = id; }
    int GetId() const { return m_id; }
    CUGCtrl* GetGrid() const { return m_grid; }
    void SetGrid(CUGCtrl* grid) { m_grid = grid; }

    virtual int Reserved1(int, int) { return -1; }
    virtual int Reserved2() { return 0; }
    virtual int Reserved3(int, int) { return -1; }
    virtual int Reserved4() { return -1; }
    virtual int Reserved5() { return -1; }
    virtual int Reserved6(int, int) { return -1; }
    virtual int GetRowCount() { return -1; }
    virtual int GetColumnCount() { return -1; }
    virtual int Reserved9(int, int) { return -1; }
    virtual int Reserved10(int, int) { return -1; }
    virtual int Reserved11(int, int) { return -1; }
    virtual int Reserved12(int, int) { return -1; }
    virtual int AppendRow() { return -1; }
    virtual int InsertRow(int row) { return -1; }
    virtual int AppendColumn() { return -1; }
    virtual int InsertColumn(int column) { return -1; }
    virtual int DeleteRow(int row) { return -1; }
    virtual int DeleteColumn(int column) { return -1; }
    virtual int DeleteCell(int column, int row) { return -1; }
    virtual int RemoveAll() { return -1; }
    virtual int GetCell(int column, int row, CUGCell* cell) { return -1; }
    virtual int SetCell(int column, int row, CUGCell* cell) { return -1; }
    virtual int FindFirst(const QString& text, int* column, int* row, int flags) { return -1; }
    virtual int FindNext(const QString& text, int* column, int* row, int flags) { return -1; }
    virtual int SortRows(const int* columns, int count, int flags) { return -1; }
    virtual int SortRowsByColumn(int column, int flags) { return -1; }
    virtual int OnGridNotify(int code, long long first, long long second) { return -1; }
    virtual int Reserved28(int, int, int) { return -1; }
    virtual int Reserved29(int, int, int) { return -1; }
    virtual int OnRowsNeeded(int rowCount, int rowsNeeded, int* rowsAdded) { return -1; }
    virtual void OnCurrentRowChanged(int oldRow, int newRow) {}
    virtual void OnCurrentColumnChanged(int oldColumn, int newColumn) {}
    virtual int CanMoveCurrentCell(int oldColumn, int oldRow, int newColumn, int newRow) { return 1; }
    virtual int Reserved34() { return -1; }
    virtual int Reserved35() { return -1; }
    virtual int Reserved36() { return -1; }
    virtual int OnEditBegin(int column, int row, QWidget** editor) { return 1; }
    virtual int OnEditKey(int column, int row, QWidget* editor, int* key) { return 1; }
    virtual int OnEditEnd(int column, int row, QWidget* editor, const QString& text, bool cancelled) { return 1; }
    virtual int OnEditNextCell(int column, int row, int* newColumn, int* newRow) { return 1; }
    virtual int FindTextColumnLeft(int* column, int row) { return -1; }
    virtual int OnMenuOpen(int column, int row, int section) { return 0; }
    virtual void OnMenuItem(int column, int row, int section, int id) {}

private:
    CUGCtrl* m_grid = nullptr;
    int m_id = -1;
};
