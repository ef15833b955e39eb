#pragma once
// The print-and-preview control: the program composes a document page by page
// through these calls; the control keeps the pages and can preview, print or
// write them to a PDF file.
//
// Meanings the program relies on (the only place they are written down):
//
// Units. Every position and length is in twips (1/1440 inch), measured from
// the paper's top-left corner. Font sizes are points. Text angles are tenths
// of a degree, counter-clockwise (900 writes upwards). Colours are 0x00BBGGRR.
//
// Orientation: 0 portrait, 1 landscape. Set before a document is opened it
// applies to the first page; set while a document is open it applies from the
// next page on. Paper size, bin, duplex and margins follow the same rule.
//
// Alignment codes, a 3 x 3 grid (horizontal, vertical):
//   0 left-top     1 centre-top     2 right-top
//   3 left-bottom  4 centre-bottom  5 right-bottom
//   6 left-middle  7 centre-middle  8 right-middle
// Paragraphs use the horizontal part only; text boxes use both.
//
// Text boxes: left, top, width and height describe the box before it is
// turned by the text angle about its top-left corner. The three flags are
// word wrap (off: every line on one line, ending in "..." when too long),
// measure only (nothing is drawn; the answer is the height the text needs)
// and frame (a thin outline around the box). A text box does not move the
// flow position.
//
// Paragraph spacings: the first is the space before a paragraph, the second
// the space after it, each a length: a number of twips or a text such as
// "5mm", "0.6mm", "1cm", "0.25in", "10pt", "100tw"; an empty text is 0.
//
// Drawing settings: pen style (0 solid, 1 dash, 2 dot, 3 dash-dot,
// 4 dash-dot-dot, 5 none, 6 solid inside the shape's outline), pen width
// (twips, 0 the thinnest line the device draws), pen colour, brush colour and
// brush style (0 solid, 1 none, 2 to 7 the hatches 0 to 5: horizontal,
// vertical, forward diagonal, backward diagonal, cross, diagonal cross, drawn
// in the brush colour over white).
//
// Text colour: the text format's integer property; 0 is black.
//
// Named styles: kind 3 stores the text format (font name, size, bold, the two
// spacings, alignment, text colour), kind 4 the drawing settings; applying a
// name restores what was stored under it.
//
// Page header: "left|centre|right", printed in the header font above the top
// margin of every page; a page shows the header last set while it was the
// current page (a new page starts with the header of the page before).
//
// New-page event: raised at the start of every page, the first one when the
// document opens, each later one when the program asks for a new page or a
// paragraph runs over the bottom of the page.
//
// Page measures: left, top, right and bottom of the printable area of the
// current page (the paper less its margins; the bottom is the larger of the
// bottom margin and the footer margin) and the flow position, where the next
// paragraph begins.
//
// Tables. A table block begins, receives its columns, rows and cell
// settings, and is printed when it ends, at the flow position, in the text
// format current when it began (the font, with the two paragraph spacings as
// the space above and below the text in every cell); the flow position then
// lies below its last row. A table flows over as many pages as it needs: a
// page breaks between rows, never inside one, and the heading row is printed
// again at the top of every further page. Rows and columns count from 1; a
// table made by CreateTable also has the heading row 0.
//   CreateTable(format, header, body): one column per "|"-separated entry of
//     the format, each "<" (left), "^" (centre) or ">" (right), optionally
//     followed by a width as setting 13 takes it; the header holds the
//     heading row's texts and the body the body rows' texts, cells separated
//     by "|", body rows by line breaks ("\n"); an empty body makes no rows.
//   Grid lines (SetTableBorder): 0 none; 4 the table's outline and a line
//     below every row; 8 the outline of every cell. Lines are drawn with the
//     pen of the drawing settings current when the table ends.
//   Cell settings (SetTableCell: setting, first row, first column, last row,
//   last column, value), each on every cell of the range:
//     1  row count (body rows; the range does not matter)
//     2  column count (the range does not matter)
//     8  1: the row stays on one page with the row after it; 0: it need not
//     13 column width: twips as a number, a length text ("1in"), or a share
//        of the page's printable width as "n%" ("15%", "12.500000%");
//        columns without a width share what the others leave (the rows of
//        the range do not matter, nor do they for 14)
//     14 1: when every column has a width and together they are narrower
//        than the printable width, this column takes the rest
//     17 span: the cell covers this many columns to its right, itself
//        included; the covered cells are not printed
//     18 text; line breaks ("\n") start new lines, long lines wrap at word
//        ends within the cell
//     19 alignment code of the text in the cell (the 3 x 3 grid above;
//        default: the column format's, in the middle)
//     20 background colour; 21 text colour (default black)
//     25 bold (true or a non-zero number) or not; default: the table's font
//     34 space left and right of the text inside the cell (a length;
//        default 72 twips)
//     35 space above and below the text inside the cell (a length; default
//        the spacings of the table's text format)
//     36 a rule of this width (a length) along the top edge of the cell
//     37 a rule of this width along the bottom of the cell's whole row,
//        across the table
//     38 colour of the rules of the cell and its row (default black)
//   A range outside the table, an unknown setting or a value of the wrong
//   kind fails with StatusInvalidArgument; table calls outside a table block
//   fail with StatusFailed.
//
// Failures raise PrintControlError with a status; the calls that need an open
// document fail with StatusNoDocument without one.

#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>

class QPainter;
class QWidget;

namespace platform {

// Failure statuses of the control, in the platform's usual form.
constexpr std::int32_t StatusNullPointer = static_cast<std::int32_t>(0x80004003u);
constexpr std::int32_t StatusOutOfMemory = static_cast<std::int32_t>(0x8007000Eu);
constexpr std::int32_t StatusInvalidArgument = static_cast<std::int32_t>(0x80070057u);
constexpr std::int32_t StatusNoDocument = static_cast<std::int32_t>(0x8000FFFFu);
constexpr std::int32_t StatusFailed = static_cast<std::int32_t>(0x80004005u);

// Which of the control's two interfaces failed.
enum class PrintInterface { Control, Styles };

class PrintControlError : public std::runtime_error
{
public:
    PrintControlError(std::int32_t status, PrintInterface where, const QString& message);

    std::int32_t Status() const { return m_status; }
    PrintInterface Interface() const { return m_interface; }

private:
    std::int32_t m_status;
    PrintInterface m_interface;
};

// A length as the spacing and measurement calls take it.
struct PrintLength
{
    double twips = 0.0;

    static PrintLength Twips(double value) { return PrintLength { value }; }
    // Reads "5mm" and the like; empty text is 0; anything else is empty.
    static std::optional<PrintLength> FromText(const QString& text);
};

// Table cell settings, see above.
enum TableSetting : int {
    TableRows = 1,
    TableColumns = 2,
    TableKeepWithNext = 8,
    TableColumnWidth = 13,
    TableColumnTakesRest = 14,
    TableSpan = 17,
    TableText = 18,
    TableAlign = 19,
    TableBackColor = 20,
    TableTextColor = 21,
    TableBold = 25,
    TableSidePadding = 34,
    TableEndPadding = 35,
    TableRuleAbove = 36,
    TableRuleBelow = 37,
    TableRuleColor = 38,
};

// Grid-line values of a table.
constexpr int TableLinesNone = 0;
constexpr int TableLinesRows = 4;
constexpr int TableLinesAll = 8;

// Kinds of named styles.
constexpr int StyleKindText = 3;
constexpr int StyleKindDrawing = 4;

class IPrintStyles
{
public:
    virtual ~IPrintStyles() = default;
    virtual void Store(const QString& name, int kind) = 0;
    virtual void Apply(const QString& name) = 0;
};

class IPrintControl
{
public:
    virtual ~IPrintControl() = default;

    // Document and pages.
    virtual void SetOrientation(int orientation) = 0;
    virtual int Orientation() const = 0;
    virtual void StartDoc() = 0;
    virtual void EndDoc() = 0;
    virtual void NewPage() = 0;
    virtual bool IsDocOpen() const = 0;
    virtual int PageCount() const = 0;
    virtual void SetNewPageHandler(std::function<void()> handler) = 0;

    virtual void SetHeader(const QString& header) = 0;
    virtual QString Header() const = 0;
    virtual void SetDocTitle(const QString& title) = 0;
    virtual QString DocTitle() const = 0;
    virtual void SetHeaderFontName(const QString& name) = 0;
    virtual void SetHeaderFontSize(float points) = 0;

    // Text format.
    virtual void SetFontName(const QString& name) = 0;
    virtual QString FontName() const = 0;
    virtual void SetFontSize(float points) = 0;
    virtual float FontSize() const = 0;
    virtual void SetFontBold(bool bold) = 0;
    virtual bool FontBold() const = 0;
    virtual void SetSpaceBefore(const PrintLength& length) = 0;
    virtual void SetSpaceAfter(const PrintLength& length) = 0;
    virtual void SetTextAlign(int code) = 0;
    virtual int TextAlign() const = 0;
    virtual void SetTextColor(std::uint32_t colorRef) = 0;
    virtual void SetTextAngle(int tenthsOfDegree) = 0;
    virtual int TextAngle() const = 0;
    virtual IPrintStyles& Styles() = 0;

    // Text output and measures.
    virtual void PrintParagraph(const QString& text) = 0;
    // Answers the height the text takes in the box.
    virtual double PrintTextBox(const QString& text, double left, double top, double width, double height,
        bool wrap, bool measureOnly, bool frame)
        = 0;
    virtual double TextWidth(const QString& text) = 0;
    virtual double TextHeight(const QString& text) = 0;
    virtual double LineHeight() = 0;

    virtual void UpdateLayout() = 0;
    virtual double PageLeft() const = 0;
    virtual double PageTop() const = 0;
    virtual double PageRight() const = 0;
    virtual double PageBottom() const = 0;
    virtual double CurrentY() const = 0;
    virtual void SetCurrentY(double y) = 0;

    // Drawing. The painter draws onto the current page in twips and stays
    // valid until the next call on the control.
    virtual QPainter* DeviceContext() = 0;
    virtual void DrawRectangle(int left, int top, int right, int bottom,
        std::optional<int> cornerWidth = std::nullopt, std::optional<int> cornerHeight = std::nullopt)
        = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
    virtual void SetPenStyle(int style) = 0;
    virtual void SetPenWidth(int twips) = 0;
    virtual void SetPenColor(std::uint32_t colorRef) = 0;
    virtual void SetBrushColor(std::uint32_t colorRef) = 0;
    virtual void SetBrushStyle(int style) = 0;

    // Tables.
    virtual void StartTable() = 0;
    virtual void EndTable() = 0;
    virtual void SetTableBorder(int code) = 0;
    virtual void CreateTable(const QString& format, const QString& header, const QString& body) = 0;
    virtual void SetTableCell(
        int setting, int firstRow, int firstColumn, int lastRow, int lastColumn, const QVariant& value)
        = 0;

    // Printer and paper. Paper, bin and duplex are the printer driver codes
    // of the program's stored page setup (paper 1 letter, 9 A4; bin 7
    // automatic; duplex 1 simplex, 2 long edge, 3 short edge).
    virtual void SetDevice(const QString& name) = 0;
    virtual QString Device() const = 0;
    virtual void SetPort(const QString& name) = 0;
    virtual QString Port() const = 0;
    virtual QString Driver() const = 0;
    virtual void SetPaperSize(int code) = 0;
    virtual int PaperSize() const = 0;
    virtual void SetPaperBin(int code) = 0;
    virtual int PaperBin() const = 0;
    virtual void SetDuplex(int code) = 0;
    virtual int Duplex() const = 0;
    virtual void SetMarginLeft(double twips) = 0;
    virtual void SetMarginTop(double twips) = 0;
    virtual void SetMarginRight(double twips) = 0;
    virtual void SetMarginBottom(double twips) = 0;
    virtual double MarginLeft() const = 0;
    virtual double MarginTop() const = 0;
    virtual double MarginRight() const = 0;
    virtual double MarginBottom() const = 0;
    // The distance from the paper's bottom edge that body text keeps.
    virtual void SetFooterMargin(double twips) = 0;
    virtual double FooterMargin() const = 0;

    // Preview and printing.
    virtual void SetPreviewMode(bool preview) = 0;
    virtual bool PreviewMode() const = 0;
    virtual void SetShowProgress(bool show) = 0;
    virtual void SetZoomMenuText(const QString& text) = 0;
    virtual void SetProgressTexts(
        const QString& caption, const QString& button, const QString& deviceLine, const QString& pageLine)
        = 0;
    virtual void SetPreviewZoom(int zoom) = 0;
    virtual void SetPreviewPage(int page) = 0;
    // Sends the composed pages to the printer (the system print dialog first
    // when asked; a page range when given). Fails when no printer exists.
    virtual void PrintDoc(std::optional<bool> showDialog = std::nullopt,
        std::optional<int> fromPage = std::nullopt, std::optional<int> toPage = std::nullopt)
        = 0;
    // The page-setup dialog over the control's printer and paper; true when
    // the user confirmed it (the control then holds the new values).
    virtual bool ShowPageSetupDialog(QWidget* parent) = 0;
};

} // namespace platform
