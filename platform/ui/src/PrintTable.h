#pragma once
// One table block of the print control: the columns, rows and cell settings
// the program sends between the block's begin and end, and the layout that
// places the finished table on the pages at the flow position. The meanings
// of the settings are written down in IPrintControl.h.

#include "PrintPageRecord.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

// What a table needs of the pages it flows over.
class TableFlow
{
public:
    virtual ~TableFlow() = default;
    virtual double Left() const = 0;
    virtual double Right() const = 0;
    virtual double Top() const = 0;
    virtual double Bottom() const = 0;
    // Ends the current page and begins the next one.
    virtual void BreakPage() = 0;
    virtual void Add(PageItem item) = 0;
};

class PrintTable
{
public:
    // font and the two spacings: the text format when the block began; pen:
    // the drawing settings the lines are drawn with.
    PrintTable(const PrintFont& font, double spaceBefore, double spaceAfter);

    void Create(const QString& format, const QString& header, const QString& body);
    void SetBorder(int code);
    void Set(int setting, int firstRow, int firstColumn, int lastRow, int lastColumn, const QVariant& value);

    // Places the table from y down, breaking pages as needed; answers the
    // flow position below its last row.
    double Place(TableFlow& flow, double y, const DrawSettings& pen) const;

private:
    struct Cell
    {
        QString text;
        int span = 1;
        std::optional<int> align;
        std::optional<std::uint32_t> backColor;
        std::uint32_t textColor = 0;
        std::optional<bool> bold;
        std::optional<double> sidePadding;
        std::optional<double> endPadding;
        double ruleAbove = 0.0;
        std::uint32_t ruleColor = 0;
    };
    struct Row
    {
        std::vector<Cell> cells;
        bool keepWithNext = false;
        double ruleBelow = 0.0;
        std::uint32_t ruleColor = 0;
    };
    struct Column
    {
        int align = 0; // horizontal part of the alignment codes
        std::optional<double> twips;
        std::optional<double> percent;
        bool takesRest = false;
    };
    struct LaidOutRow;

    void ResizeColumns(int count);
    void ResizeRows(int bodyRows);
    int FirstRow() const { return m_hasHeading ? 0 : 1; }
    int LastRow() const { return static_cast<int>(m_rows.size()) - 1; }
    void CheckRange(int firstRow, int firstColumn, int lastRow, int lastColumn) const;
    static Column ParseColumn(const QString& spec);
    std::vector<double> ColumnWidths(double usable) const;
    LaidOutRow LayOutRow(int row, const std::vector<double>& widths) const;
    void DrawRow(TableFlow& flow, const LaidOutRow& row, double left, double y, double tableWidth,
        const DrawSettings& pen) const;

    PrintFont m_font;
    double m_spaceBefore;
    double m_spaceAfter;
    int m_border = 0;
    bool m_hasHeading = false;
    std::vector<Column> m_columns;
    // Index 0 is the heading row; it is printed only when the table has one.
    std::vector<Row> m_rows;
};

} // namespace platform
