#pragma once
// A report as the reports page shows it: a description (title, columns,
// captions, alignments) and a table of text cells with a few display
// attributes per row. Creators compute every value as text, so the grid
// never formats numbers.

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// Column alignments: left or right, both vertically centred.
enum ReportAlignment : std::int32_t { kReportAlignLeft = 33, kReportAlignRight = 34 };

struct SimpleReportMetaDTO
{
    std::int32_t columnCount = 0;
    std::vector<std::int32_t> captionIds; // UI string ids, one per column
    std::vector<std::int32_t> alignments; // one per column
    QString title;
    bool sortable = false;

    void AddColumn(std::int32_t captionId, std::int32_t alignment);
};

struct SimpleReportRow
{
    std::vector<QString> cells; // exactly one per column
    bool plainBackground = true; // false: the whole row in the band colour
    bool plainFirstCell = true;  // false: the first cell in the bold grid font
    std::int32_t indent = 0;     // four spaces per level before the first cell
    std::int32_t ruleFrom = -1;  // from this column on, a two-pixel top border
    std::int32_t noteColumn = -1;
    QString noteText;

    // The first cell as the grid shows it: indented, and the text alone.
    QString FirstCellText() const;
};

// True for a row whose first cell is written with its indent prefix (bold
// or indented); the grid writes the other rows' first cells as they are.
bool IsReportEntryPlain(const SimpleReportRow& row);

class SimpleReportDTO
{
public:
    const std::vector<SimpleReportRow>& GetRows() const { return m_rows; }

    // The row kinds the creators use. Each fills the row up to `columns`
    // cells with empty texts.
    void AddGroupHeading(const QString& heading, int columns);
    void AddDetailLine(std::vector<QString> cells);
    void AddGroupTotal(std::vector<QString> cells);
    void AddBlankRows(int columns, int count = 1);
    void AddProjectTotal(std::vector<QString> cells);
    void AddFootnote(const QString& text, int columns);
    void AddPlainLine(std::vector<QString> cells, int noteColumn = -1, const QString& noteText = QString());

private:
    std::vector<SimpleReportRow> m_rows;
};

using SimpleReportMetaPtr = std::shared_ptr<SimpleReportMetaDTO>;
using SimpleReportPtr = std::shared_ptr<SimpleReportDTO>;
