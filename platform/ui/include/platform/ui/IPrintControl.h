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
// Failures raise PrintControlError with a status; the calls that need an open
// document fail with StatusNoDocument without one.

#include <QString>

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
