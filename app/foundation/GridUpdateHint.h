#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// Storage policies of a grid row hint: some grids keep their rows as plain
// pointers owned elsewhere, others share them.
template <class Row> struct GDMStorageRawPtr
{
    using Pointer = Row*;
};

template <class Row> struct GDMStorageSP
{
    using Pointer = std::shared_ptr<Row>;
};

// What a grid does after an update: which rows to select (when the rows-given
// flag is set; an empty list then clears the selection) and a change code
// (0 nothing said, 1 rows inserted or preferences changed, 2 refresh the source).
template <class Row, template <class> class Storage> class GridUpdateHint
{
public:
    using RowPointer = typename Storage<Row>::Pointer;

    bool AreRowsGiven() const { return m_rowsGiven; }
    void SetRowsGiven(bool given) { m_rowsGiven = given; }

    const std::vector<RowPointer>& GetRows() const { return m_rows; }
    std::vector<RowPointer>& GetRowsForEdit() { return m_rows; }
    void SetRows(const std::vector<RowPointer>& rows) { m_rows = rows; }
    void AddRow(const RowPointer& row) { m_rows.push_back(row); }

    int32_t GetRowChangeCode() const { return m_rowChangeCode; }
    void SetRowChangeCode(int32_t code) { m_rowChangeCode = code; }

private:
    bool m_rowsGiven = false;
    std::vector<RowPointer> m_rows;
    int32_t m_rowChangeCode = 0;
};
