#pragma once
// Copies rows of a grid display manager to the clipboard: a header row of the
// column headings, then one field row per copied row, every column
// descriptor giving one field in registration order. The text form carries
// the headings and the shown columns in grid order; the private form carries
// every field of the rows (hidden columns too), which is what a paste reads
// back by position.

#include "grids/CGridDisplayManager.h"
#include "grids/GridsStrings.h"
#include "model/CClipboardParser.h"
#include "model/ParseFieldRow.h"

#include <cstdint>

template <class RowT, class Storage> class CGDMRowCopy
{
public:
    using Manager = CGridDisplayManager<RowT, Storage>;
    using Holder = typename Manager::Holder;
    // The alignment of the notes field.
    static constexpr std::uint16_t kNotesAlignment = 1;

    // allRows: copy every row instead of the selected ones.
    explicit CGDMRowCopy(Manager& manager, bool allRows = false)
        : m_manager(manager)
        , m_allRows(allRows)
    { }
    virtual ~CGDMRowCopy() = default;

    // Puts the header and the copied rows on the clipboard under the
    // manager's private format.
    void Copy()
    {
        const ParseFieldRows rows = CollectRows(true);
        CClipboardParser().CopyRowsToClipboard(rows, true, m_manager.GetClipboardFormatName());
    }

    // The rows as Copy puts them on the clipboard, with or without the header row.
    ParseFieldRows CollectRows(bool withHeader)
    {
        ParseFieldRows rows;
        if (withHeader) {
            rows.emplace_back();
            BuildParseFields(rows.back());
        }
        CUGCtrl* grid = m_manager.GetGrid();
        const int count = m_manager.GetStoredRowCount();
        for (int row = 0; row < count; ++row) {
            if (!m_allRows && !(grid && grid->IsSelected(0, row)))
                continue;
            Holder item = m_manager.GetRowItemHolder(row);
            if (!item)
                continue;
            rows.emplace_back();
            BuildRowFields(item, rows.back());
        }
        return rows;
    }

    // The header row: one field per column descriptor with its heading.
    void BuildParseFields(ParseFieldRow& header)
    {
        for (int column = 0; column < m_manager.GetColumnCount(); ++column) {
            auto* info = m_manager.GetColumn(column);
            CParseField field;
            field.SetText(info->GetHeadingText());
            Place(column, field);
            header.AppendField(field);
        }
        if (HasRowNotes())
            AppendNotesField(header, LoadUIString(kStrSCColNotes));
    }

protected:
    // Whether the manager's rows carry notes of their own beside the columns.
    virtual bool HasRowNotes() const { return false; }
    virtual QString GetRowNote(const Holder& /*item*/) const { return QString(); }

private:
    void BuildRowFields(Holder& item, ParseFieldRow& out)
    {
        for (int column = 0; column < m_manager.GetColumnCount(); ++column) {
            CParseField field;
            m_manager.GetColumn(column)->ToParseField(&item, &field);
            Place(column, field);
            out.AppendField(field);
        }
        if (HasRowNotes())
            AppendNotesField(out, GetRowNote(item));
    }

    // Alignment, grid column and hidden mark of a column's field. A hidden
    // column's field stays in the row (a paste reads fields by position)
    // but is marked so that the text form leaves it out.
    void Place(int column, CParseField& field) const
    {
        const auto* info = m_manager.GetColumn(column);
        field.SetKind(static_cast<std::uint16_t>(info->GetAlignment()));
        if (info->IsHidden()) {
            field.SetExclude(1);
            field.SetColumn(-1);
        } else {
            field.SetColumn(m_manager.FindGridColumn(column));
        }
    }

    static void AppendNotesField(ParseFieldRow& row, const QString& text)
    {
        CParseField field;
        field.SetText(text);
        field.SetKind(kNotesAlignment);
        field.SetColumn(row.GetFieldCount());
        row.AppendField(field);
    }

    Manager& m_manager;
    bool m_allRows;
};
