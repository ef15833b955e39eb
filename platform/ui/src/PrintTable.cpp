#include "PrintTable.h"

#include "PrintTextLayout.h"
#include "platform/ui/IPrintControl.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
constexpr double kDefaultSidePadding = 72.0; // 1/20 inch left and right of a cell's text

[[noreturn]] void Refuse(const QString& message)
{
    throw PrintControlError(StatusInvalidArgument, PrintInterface::Control, message);
}

int IntegerOf(const QVariant& value, int setting)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok)
        Refuse(QStringLiteral("table setting %1: \"%2\" is not a number").arg(setting).arg(value.toString()));
    return number;
}

bool FlagOf(const QVariant& value, int setting)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    return IntegerOf(value, setting) != 0;
}

std::uint32_t ColorOf(const QVariant& value, int setting)
{
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < 0)
        Refuse(QStringLiteral("table setting %1: bad colour \"%2\"").arg(setting).arg(value.toString()));
    return static_cast<std::uint32_t>(number) & 0xFFFFFFu;
}

// A number of twips, or a length text such as "1mm".
double LengthOf(const QVariant& value, int setting)
{
    if (value.typeId() != QMetaType::QString) {
        bool ok = false;
        const double twips = value.toDouble(&ok);
        if (ok && std::isfinite(twips) && twips >= 0.0)
            return twips;
    } else if (const auto length = PrintLength::FromText(value.toString())) {
        return length->twips;
    }
    Refuse(QStringLiteral("table setting %1: bad length \"%2\"").arg(setting).arg(value.toString()));
}

int HorizontalOf(QChar code)
{
    if (code == QLatin1Char('^'))
        return 1;
    if (code == QLatin1Char('>'))
        return 2;
    return 0;
}

PrintFont WithBold(PrintFont font, bool bold)
{
    font.bold = bold;
    return font;
}
} // namespace

// A cell's text broken into lines at its width, with the cell's place.
struct PrintTable::LaidOutRow
{
    struct Placed
    {
        const Cell* cell = nullptr;
        double x = 0.0; // from the table's left edge
        double width = 0.0;
        PrintFont font;
        std::vector<LaidOutLine> lines;
        int align = 0;
        double side = 0.0;
    };
    std::vector<Placed> cells;
    double height = 0.0;
    const Row* row = nullptr;
};

PrintTable::PrintTable(const PrintFont& font, double spaceBefore, double spaceAfter)
    : m_font(font)
    , m_spaceBefore(spaceBefore)
    , m_spaceAfter(spaceAfter)
    , m_rows(1)
{ }

void PrintTable::ResizeColumns(int count)
{
    m_columns.resize(static_cast<std::size_t>(count));
    for (Row& row : m_rows)
        row.cells.resize(static_cast<std::size_t>(count));
}

void PrintTable::ResizeRows(int bodyRows)
{
    Row blank;
    blank.cells.resize(m_columns.size());
    m_rows.resize(static_cast<std::size_t>(bodyRows) + 1, blank);
}

PrintTable::Column PrintTable::ParseColumn(const QString& spec)
{
    Column column;
    QString rest = spec.trimmed();
    if (!rest.isEmpty() && QStringLiteral("<^>").contains(rest.front())) {
        column.align = HorizontalOf(rest.front());
        rest = rest.mid(1).trimmed();
    }
    if (rest.isEmpty())
        return column;
    if (rest.endsWith(QLatin1Char('%'))) {
        bool ok = false;
        const double percent = rest.chopped(1).toDouble(&ok);
        if (!ok || percent < 0.0)
            Refuse(QStringLiteral("bad column format \"%1\"").arg(spec));
        column.percent = percent;
        return column;
    }
    const auto length = PrintLength::FromText(rest);
    if (!length)
        Refuse(QStringLiteral("bad column format \"%1\"").arg(spec));
    column.twips = length->twips;
    return column;
}

void PrintTable::Create(const QString& format, const QString& header, const QString& body)
{
    const QStringList specs = format.split(QLatin1Char('|'));
    std::vector<Column> columns;
    for (const QString& spec : specs)
        columns.push_back(ParseColumn(spec));
    m_hasHeading = true;
    m_rows.assign(1, Row {});
    ResizeColumns(static_cast<int>(columns.size()));
    m_columns = std::move(columns);

    const QStringList captions = header.split(QLatin1Char('|'));
    for (qsizetype c = 0; c < captions.size() && c < static_cast<qsizetype>(m_columns.size()); ++c)
        m_rows[0].cells[static_cast<std::size_t>(c)].text = captions[c];

    if (body.isEmpty())
        return;
    const QStringList lines = body.split(QLatin1Char('\n'));
    ResizeRows(static_cast<int>(lines.size()));
    for (qsizetype r = 0; r < lines.size(); ++r) {
        const QStringList texts = lines[r].split(QLatin1Char('|'));
        for (qsizetype c = 0; c < texts.size() && c < static_cast<qsizetype>(m_columns.size()); ++c)
            m_rows[static_cast<std::size_t>(r + 1)].cells[static_cast<std::size_t>(c)].text = texts[c];
    }
}

void PrintTable::SetBorder(int code)
{
    if (code != 0 && code != 4 && code != 8)
        Refuse(QStringLiteral("table grid lines %1").arg(code));
    m_border = code;
}

void PrintTable::CheckRange(int firstRow, int firstColumn, int lastRow, int lastColumn) const
{
    const int columns = static_cast<int>(m_columns.size());
    if (firstRow < FirstRow() || lastRow > LastRow() || firstRow > lastRow || firstColumn < 1
        || lastColumn > columns || firstColumn > lastColumn) {
        Refuse(QStringLiteral("table cells %1,%2 to %3,%4 lie outside the table")
                   .arg(firstRow)
                   .arg(firstColumn)
                   .arg(lastRow)
                   .arg(lastColumn));
    }
}

void PrintTable::Set(
    int setting, int firstRow, int firstColumn, int lastRow, int lastColumn, const QVariant& value)
{
    switch (setting) {
    case TableRows: {
        const int rows = IntegerOf(value, setting);
        if (rows < 0)
            Refuse(QStringLiteral("table rows %1").arg(rows));
        ResizeRows(rows);
        return;
    }
    case TableColumns: {
        const int columns = IntegerOf(value, setting);
        if (columns < 1)
            Refuse(QStringLiteral("table columns %1").arg(columns));
        ResizeColumns(columns);
        return;
    }
    case TableColumnWidth:
    case TableColumnTakesRest: {
        // Column settings: the rows of the range do not matter.
        if (firstColumn < 1 || lastColumn > static_cast<int>(m_columns.size()) || firstColumn > lastColumn)
            Refuse(QStringLiteral("table columns %1 to %2").arg(firstColumn).arg(lastColumn));
        for (int c = firstColumn; c <= lastColumn; ++c) {
            Column& column = m_columns[static_cast<std::size_t>(c - 1)];
            if (setting == TableColumnTakesRest) {
                column.takesRest = FlagOf(value, setting);
                continue;
            }
            if (value.typeId() == QMetaType::QString) {
                const Column parsed = ParseColumn(value.toString());
                column.twips = parsed.twips;
                column.percent = parsed.percent;
            } else {
                column.twips = LengthOf(value, setting);
                column.percent.reset();
            }
        }
        return;
    }
    default:
        break;
    }

    CheckRange(firstRow, firstColumn, lastRow, lastColumn);
    for (int r = firstRow; r <= lastRow; ++r) {
        Row& row = m_rows[static_cast<std::size_t>(r)];
        for (int c = firstColumn; c <= lastColumn; ++c) {
            Cell& cell = row.cells[static_cast<std::size_t>(c - 1)];
            switch (setting) {
            case TableKeepWithNext:
                row.keepWithNext = FlagOf(value, setting);
                break;
            case TableSpan: {
                const int span = IntegerOf(value, setting);
                if (span < 1)
                    Refuse(QStringLiteral("table span %1").arg(span));
                cell.span = span;
                break;
            }
            case TableText:
                cell.text = value.toString();
                break;
            case TableAlign: {
                const int code = IntegerOf(value, setting);
                if (code < 0 || code > 8)
                    Refuse(QStringLiteral("table alignment %1").arg(code));
                cell.align = code;
                break;
            }
            case TableBackColor:
                cell.backColor = ColorOf(value, setting);
                break;
            case TableTextColor:
                cell.textColor = ColorOf(value, setting);
                break;
            case TableBold:
                cell.bold = FlagOf(value, setting);
                break;
            case TableSidePadding:
                cell.sidePadding = LengthOf(value, setting);
                break;
            case TableEndPadding:
                cell.endPadding = LengthOf(value, setting);
                break;
            case TableRuleAbove:
                cell.ruleAbove = LengthOf(value, setting);
                break;
            case TableRuleBelow:
                row.ruleBelow = LengthOf(value, setting);
                break;
            case TableRuleColor:
                cell.ruleColor = ColorOf(value, setting);
                row.ruleColor = cell.ruleColor;
                break;
            default:
                Refuse(QStringLiteral("table setting %1").arg(setting));
            }
        }
    }
}

std::vector<double> PrintTable::ColumnWidths(double usable) const
{
    std::vector<double> widths(m_columns.size(), 0.0);
    double fixed = 0.0;
    int open = 0;
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        const Column& column = m_columns[c];
        if (column.twips)
            widths[c] = *column.twips;
        else if (column.percent)
            widths[c] = *column.percent / 100.0 * usable;
        else {
            ++open;
            continue;
        }
        fixed += widths[c];
    }
    const double rest = std::max(0.0, usable - fixed);
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        if (!m_columns[c].twips && !m_columns[c].percent)
            widths[c] = rest / open;
    }
    if (open == 0 && rest > 0.0) {
        const auto taker = std::find_if(
            m_columns.begin(), m_columns.end(), [](const Column& column) { return column.takesRest; });
        if (taker != m_columns.end())
            widths[static_cast<std::size_t>(taker - m_columns.begin())] += rest;
    }
    return widths;
}

PrintTable::LaidOutRow PrintTable::LayOutRow(int rowIndex, const std::vector<double>& widths) const
{
    LaidOutRow laidOut;
    const Row& row = m_rows[static_cast<std::size_t>(rowIndex)];
    laidOut.row = &row;
    const int columns = static_cast<int>(m_columns.size());
    double x = 0.0;
    for (int c = 0; c < columns;) {
        const Cell& cell = row.cells[static_cast<std::size_t>(c)];
        const int span = std::min(cell.span, columns - c);
        double width = 0.0;
        for (int k = c; k < c + span; ++k)
            width += widths[static_cast<std::size_t>(k)];
        LaidOutRow::Placed placed;
        placed.cell = &cell;
        placed.x = x;
        placed.width = width;
        placed.font = WithBold(m_font, cell.bold.value_or(m_font.bold));
        // Unless set, a cell's text stands in the middle of its row, so that
        // cells with different inner spaces line up.
        placed.align = cell.align.value_or(6 + m_columns[static_cast<std::size_t>(c)].align);
        placed.side = cell.sidePadding.value_or(kDefaultSidePadding);
        const double inner = std::max(1.0, width - 2.0 * placed.side);
        placed.lines = LayOutText(placed.font, cell.text, inner, true, placed.align);
        const double ends = cell.endPadding ? 2.0 * *cell.endPadding : m_spaceBefore + m_spaceAfter;
        const double height = static_cast<double>(placed.lines.size()) * TwipsLineHeight(placed.font) + ends;
        laidOut.height = std::max(laidOut.height, height);
        laidOut.cells.push_back(std::move(placed));
        x += width;
        c += span;
    }
    return laidOut;
}

void PrintTable::DrawRow(TableFlow& flow, const LaidOutRow& row, double left, double y, double tableWidth,
    const DrawSettings& pen) const
{
    auto fill = [&](const QRectF& rect, std::uint32_t color) {
        ShapeItem shape;
        shape.rect = rect;
        shape.draw.penStyle = 5;
        shape.draw.brushStyle = 0;
        shape.draw.brushColor = color;
        flow.Add(shape);
    };
    auto line = [&](double x1, double y1, double x2, double y2) {
        ShapeItem shape;
        shape.kind = ShapeItem::Line;
        shape.line = QLineF(x1, y1, x2, y2);
        shape.draw = pen;
        flow.Add(shape);
    };
    const bool drawLines = m_border != 0 && pen.penStyle != 5;

    for (const LaidOutRow::Placed& placed : row.cells) {
        const QRectF box(left + placed.x, y, placed.width, row.height);
        if (placed.cell->backColor)
            fill(box, *placed.cell->backColor);
        const double lineHeight = TwipsLineHeight(placed.font);
        const double textHeight = static_cast<double>(placed.lines.size()) * lineHeight;
        const double top = placed.cell->endPadding.value_or(m_spaceBefore);
        const double bottom = placed.cell->endPadding.value_or(m_spaceAfter);
        double offset = top; // vertical part of the alignment: top, bottom, middle
        if (placed.align / 3 == 1)
            offset = row.height - bottom - textHeight;
        else if (placed.align / 3 == 2)
            offset = (row.height - textHeight) / 2.0;
        const double ascent = TwipsAscent(placed.font);
        for (const LaidOutLine& laid : placed.lines) {
            if (laid.text.isEmpty())
                continue;
            TextItem text;
            text.text = laid.text;
            text.font = placed.font;
            text.color = placed.cell->textColor;
            text.origin = QPointF(box.left() + placed.side, y);
            text.baseline = QPointF(laid.x, offset + laid.top + ascent);
            flow.Add(std::move(text));
        }
        if (placed.cell->ruleAbove > 0.0)
            fill(QRectF(box.left(), y, box.width(), placed.cell->ruleAbove), placed.cell->ruleColor);
        if (drawLines && m_border == 8) {
            line(box.left(), y, box.left(), y + row.height);
            line(box.left(), y, box.right(), y);
        }
    }
    if (row.row->ruleBelow > 0.0)
        fill(QRectF(left, y + row.height - row.row->ruleBelow, tableWidth, row.row->ruleBelow),
            row.row->ruleColor);
    if (drawLines) {
        // Both codes close the row on the right and below; 8 has drawn every
        // cell's left and top edge, 4 only the table's outline.
        if (m_border == 4) {
            line(left, y, left, y + row.height);
            line(left, y, left + tableWidth, y);
        }
        line(left + tableWidth, y, left + tableWidth, y + row.height);
        line(left, y + row.height, left + tableWidth, y + row.height);
    }
}

double PrintTable::Place(TableFlow& flow, double y, const DrawSettings& pen) const
{
    const double usable = flow.Right() - flow.Left();
    const std::vector<double> widths = ColumnWidths(usable);
    double tableWidth = 0.0;
    for (double width : widths)
        tableWidth += width;
    if (m_columns.empty())
        return y;

    std::vector<LaidOutRow> rows;
    for (int r = FirstRow(); r <= LastRow(); ++r)
        rows.push_back(LayOutRow(r, widths));
    const std::size_t firstBody = m_hasHeading ? 1 : 0;
    const double headingHeight = m_hasHeading ? rows.front().height : 0.0;

    // A page breaks before a row that does not fit, never before the first
    // row on a page; the heading row goes with the first body row and is
    // printed again at the top of every page the table continues on.
    bool placedOnPage = y > flow.Top() + 0.5;
    auto needOf = [&](std::size_t i) {
        double need = rows[i].height;
        if (rows[i].row->keepWithNext && i + 1 < rows.size())
            need += rows[i + 1].height;
        return need;
    };
    if (m_hasHeading) {
        const double need = headingHeight + (rows.size() > 1 ? needOf(1) : 0.0);
        if (placedOnPage && y + need > flow.Bottom()) {
            flow.BreakPage();
            y = flow.Top();
        }
        DrawRow(flow, rows.front(), flow.Left(), y, tableWidth, pen);
        y += headingHeight;
    }
    for (std::size_t i = firstBody; i < rows.size(); ++i) {
        if (placedOnPage && y + needOf(i) > flow.Bottom()) {
            flow.BreakPage();
            y = flow.Top();
            if (m_hasHeading) {
                DrawRow(flow, rows.front(), flow.Left(), y, tableWidth, pen);
                y += headingHeight;
            }
        }
        DrawRow(flow, rows[i], flow.Left(), y, tableWidth, pen);
        y += rows[i].height;
        placedOnPage = true;
    }
    return y;
}

} // namespace platform
