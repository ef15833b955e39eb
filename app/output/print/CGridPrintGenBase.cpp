#include "output/print/CGridPrintGenBase.h"

#include "foundation/ResourceBase.h"
#include "foundation/UserPrefsBase.h"
#include "gridctrl/CUGCell.h"
#include "model/ModelStrings.h"
#include "output/print/CPrintEngineBase.h"
#include "output/print/PrintPrefs.h"
#include "output/print/PrintStrings.h"
#include "platform/ui/IPrintControl.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr int kGridBodyStyle = 0;
// Room a measured text gets in its column: the cell's inner margins and a little air.
constexpr int kWidthAllowance = 181;
constexpr int kCellTypeDropList = 1;
constexpr int kCellTypeCheckBox = 2;
constexpr int kParamBold = 0x1;
constexpr int kBorderRuleAbove = 0x20;
constexpr std::uint32_t kShade = 0xDCDCDC;
constexpr int kAlignLeftMiddle = 6;
constexpr int kAlignCentreMiddle = 7;
constexpr int kAlignRightMiddle = 8;

QStringList WordsOf(const QString& text)
{
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString PerCent(double share)
{
    return QString::asprintf("%f%%", share);
}
} // namespace

CGridPrintGenBase::CGridPrintGenBase(CPrintEngineBase& engine)
    : m_engine(engine)
    , m_control(engine.GetControl())
    , m_bodyFace(PrintPrefs().GetString(PrintPrefId::GridFace))
    , m_bodySize(PrintPrefPoints(PrintPrefId::GridHeight))
    , m_styles { { kGridBodyStyle, QStringLiteral("GridBody") } }
{
    m_engine.DefineTextStyle(m_styles[kGridBodyStyle], m_bodyFace, m_bodySize, QStringLiteral("1mm"),
        QStringLiteral("1mm"), false, 0);
    m_engine.DefineDrawingStyle(QStringLiteral("GridPen"), 0, 0x7F7F7F, 0xFFFFFF, 1);
}

CGridPrintGenBase::~CGridPrintGenBase() = default;

void CGridPrintGenBase::SetCaption(int stringId, int style)
{
    SetCaption(LoadUIString(stringId), style);
}

void CGridPrintGenBase::SetCaption(const QString& text, int style)
{
    m_caption = text;
    m_captionStyle = style;
    m_hasCaption = true;
}

int CGridPrintGenBase::MapColumn(int printedColumn)
{
    const int position = printedColumn - 1;
    if (!HasNotesColumn() || GetNotesPosition() < 0)
        return position;
    return position < GetNotesPosition() ? position : printedColumn;
}

bool CGridPrintGenBase::IsSkippedAsEmpty()
{
    return m_skipWhenEmpty && GetRowCount() == 0;
}

bool CGridPrintGenBase::Print(const QString& title)
{
    if (IsSkippedAsEmpty())
        return false;
    if (m_startOnNewPage || m_engine.IsNearPageEnd())
        m_engine.StartNewPage(m_resetPageNumber);
    if (!title.isEmpty())
        m_engine.SetPageHeader(title, true);
    if (m_hasCaption)
        m_engine.PrintTextBlock(m_caption, m_captionStyle);
    PrintTable();
    return true;
}

QString CGridPrintGenBase::CellText(CUGCell& cell)
{
    const int type = cell.GetCellType();
    if (type == kCellTypeCheckBox)
        return LoadUIString(std::abs(cell.GetNumber()) > 0.0 ? int { kStrYes } : int { kStrPrintNo });
    const int noteType = GetNoteCellType();
    if (type == kCellTypeDropList || (noteType >= 0 && type == noteType))
        return cell.GetText();
    if (cell.IsPropertySet(CUGCell::kLabel))
        return cell.GetLabelText();
    return cell.GetText();
}

// The widest text of the column, or for free text the mean text unless a
// single word is wider; never less than leastWidth.
int CGridPrintGenBase::NaturalWidth(int printedColumn, int rows, bool withHeading, int leastWidth)
{
    const bool freeText = IsFreeTextColumn(printedColumn);
    int widest = 0;
    int widestWord = 0;
    long long total = 0;
    int measured = 0;
    for (int row = withHeading ? -1 : 0; row < rows; ++row) {
        CUGCell cell;
        GetCell(row, printedColumn, &cell);
        const QString text = CellText(cell);
        const int width = static_cast<int>(std::trunc(m_control.TextWidth(text)));
        widest = std::max(widest, width);
        total += width;
        ++measured;
        if (freeText) {
            for (const QString& word : WordsOf(text))
                widestWord = std::max(widestWord, static_cast<int>(std::trunc(m_control.TextWidth(word))));
        }
    }
    int natural = widest + kWidthAllowance;
    if (freeText) {
        const int mean = measured > 0 ? static_cast<int>(total / measured) : 0;
        natural = std::max(mean + kWidthAllowance, widestWord + kWidthAllowance);
    }
    return std::max(natural, leastWidth);
}

void CGridPrintGenBase::LayOutColumns(int columns, int rows)
{
    std::vector<int> widths;
    long long sum = 0;
    for (int c = 1; c <= columns; ++c) {
        widths.push_back(NaturalWidth(c, rows, true, 0));
        sum += widths.back();
    }
    m_control.UpdateLayout();
    const double usable = m_control.PageRight() - m_control.PageLeft();

    if (static_cast<double>(sum) > usable) {
        // Too wide: a column as wide as its heading lets the heading wrap at
        // its blanks and is measured again over its data alone.
        sum = 0;
        for (int c = 1; c <= columns; ++c) {
            int& width = widths[static_cast<std::size_t>(c - 1)];
            CUGCell heading;
            GetCell(-1, c, &heading);
            const QString text = CellText(heading);
            const int oneLine = static_cast<int>(std::trunc(m_control.TextWidth(text)));
            if (text.contains(QLatin1Char(' ')) && width <= oneLine + kWidthAllowance) {
                int widestWord = 0;
                for (const QString& word : WordsOf(text))
                    widestWord
                        = std::max(widestWord, static_cast<int>(std::trunc(m_control.TextWidth(word))));
                width = NaturalWidth(c, rows, false, widestWord + kWidthAllowance);
            }
            sum += width;
        }
    }
    const bool shares = static_cast<double>(sum) > usable || m_stretch;
    for (int c = 1; c <= columns; ++c) {
        const int width = widths[static_cast<std::size_t>(c - 1)];
        const QVariant value
            = shares ? QVariant(PerCent(100.0 * width / static_cast<double>(sum))) : QVariant(width);
        m_control.SetTableCell(platform::TableColumnWidth, 1, c, 1, c, value);
    }
}

void CGridPrintGenBase::WriteRow(int tableRow, int sourceRow, int columns, bool shaded)
{
    for (int c = 1; c <= columns; ++c) {
        CUGCell cell;
        GetCell(sourceRow, c, &cell);
        const int param = cell.IsPropertySet(CUGCell::kParam) ? cell.GetParam() : 0;
        m_engine.SetCellText(tableRow, c, CellText(cell), (param & kParamBold) != 0);
        const int alignment = cell.IsPropertySet(CUGCell::kAlignment) ? cell.GetAlignment() : 0;
        int code = kAlignCentreMiddle;
        if (alignment & CUGCell::kAlignLeft)
            code = kAlignLeftMiddle;
        else if (alignment & CUGCell::kAlignRight)
            code = kAlignRightMiddle;
        m_control.SetTableCell(platform::TableAlign, tableRow, c, tableRow, c, code);
        const int border = cell.IsPropertySet(CUGCell::kBorderStyle) ? cell.GetBorderStyle() : 0;
        if (border & kBorderRuleAbove) {
            m_control.SetTableCell(
                platform::TableRuleAbove, tableRow, c, tableRow, c, QStringLiteral("0.6mm"));
            m_control.SetTableCell(platform::TableRuleColor, tableRow, c, tableRow, c, 0);
        }
        if (shaded)
            m_control.SetTableCell(platform::TableBackColor, tableRow, c, tableRow, c, kShade);
    }
}

void CGridPrintGenBase::PrintTable()
{
    const int columns = GetPrintColumnCount();
    if (columns < 1)
        return;
    const int rows = GetRowCount();
    m_control.Styles().Apply(m_styles[kGridBodyStyle]);
    m_control.StartTable();
    m_control.SetTableBorder(m_gridlines ? platform::TableLinesAll : platform::TableLinesNone);
    QString format = QStringLiteral("<");
    for (int c = 1; c < columns; ++c)
        format += QStringLiteral("|<");
    m_control.CreateTable(format, QString(columns - 1, QLatin1Char('|')), QString());
    m_control.SetTableCell(platform::TableRuleBelow, 0, 1, 0, 1, QStringLiteral("1mm"));
    m_control.SetTableCell(platform::TableRuleColor, 0, 1, 0, 1, 0);

    LayOutColumns(columns, rows);

    const bool shadeRows = m_gridlines && PrintPrefs().GetFlag(PrintPrefId::ShadeRowsForGridlines);
    const bool notes = HasNotesColumn();
    WriteRow(0, -1, columns, false);
    int tableRow = 0;
    for (int row = 0; row < rows; ++row) {
        // Odd rows counting the heading as row 0: the first, third, ... data rows.
        const bool shaded = shadeRows && (row + 1) % 2 == 1;
        m_engine.SetTableRows(++tableRow);
        WriteRow(tableRow, row, columns, shaded);
        const QString rowNotes = notes ? GetRowNotes(row) : QString();
        if (rowNotes.isEmpty())
            continue;
        m_engine.SetTableRows(++tableRow);
        m_engine.SetCellSpan(tableRow, 1, columns);
        m_engine.SetCellText(tableRow, 1, LoadUIString(kStrPrintNotes) + QLatin1Char(' ') + rowNotes, false);
        m_control.SetTableCell(platform::TableAlign, tableRow, 1, tableRow, 1, kAlignLeftMiddle);
        if (shaded)
            m_control.SetTableCell(platform::TableBackColor, tableRow, 1, tableRow, 1, kShade);
    }
    m_control.EndTable();
}
