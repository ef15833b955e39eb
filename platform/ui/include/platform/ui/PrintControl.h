#pragma once
// Our print-and-preview control: records every page as a display list in
// twips and plays it back onto a PDF file, a printer or a preview widget.

#include "platform/ui/IPrintControl.h"

#include <QStringList>

#include <map>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPrinter;
class QPrintPreviewWidget;

namespace platform {

struct DrawSettings;
struct PageGeometry;
struct PageRecord;
class PrintTable;

// One line of text on a composed page, as tests and tools read it back.
struct PrintedText
{
    QString text;
    QString fontName;
    float points = 0.0F;
    bool bold = false;
    int angle = 0;
    std::uint32_t color = 0;
    // Where the line's baseline begins before any turn, in twips.
    double x = 0.0;
    double y = 0.0;
};

class PrintControl : public IPrintControl
{
public:
    PrintControl();
    ~PrintControl() override;
    PrintControl(const PrintControl&) = delete;
    PrintControl& operator=(const PrintControl&) = delete;

    void SetOrientation(int orientation) override;
    int Orientation() const override;
    void StartDoc() override;
    void EndDoc() override;
    void NewPage() override;
    bool IsDocOpen() const override { return m_docOpen; }
    int PageCount() const override;
    void SetNewPageHandler(std::function<void()> handler) override;

    void SetHeader(const QString& header) override;
    QString Header() const override { return m_header; }
    void SetDocTitle(const QString& title) override { m_docTitle = title; }
    QString DocTitle() const override { return m_docTitle; }
    void SetHeaderFontName(const QString& name) override;
    void SetHeaderFontSize(float points) override;

    void SetFontName(const QString& name) override;
    QString FontName() const override;
    void SetFontSize(float points) override;
    float FontSize() const override;
    void SetFontBold(bool bold) override;
    bool FontBold() const override;
    void SetSpaceBefore(const PrintLength& length) override;
    void SetSpaceAfter(const PrintLength& length) override;
    void SetTextAlign(int code) override;
    int TextAlign() const override;
    void SetTextColor(std::uint32_t colorRef) override;
    void SetTextAngle(int tenthsOfDegree) override;
    int TextAngle() const override { return m_angle; }
    IPrintStyles& Styles() override;

    void PrintParagraph(const QString& text) override;
    double PrintTextBox(const QString& text, double left, double top, double width, double height, bool wrap,
        bool measureOnly, bool frame) override;
    double TextWidth(const QString& text) override;
    double TextHeight(const QString& text) override;
    double LineHeight() override;

    void UpdateLayout() override;
    double PageLeft() const override;
    double PageTop() const override;
    double PageRight() const override;
    double PageBottom() const override;
    double CurrentY() const override { return m_currentY; }
    void SetCurrentY(double y) override;

    QPainter* DeviceContext() override;
    void DrawRectangle(int left, int top, int right, int bottom,
        std::optional<int> cornerWidth = std::nullopt,
        std::optional<int> cornerHeight = std::nullopt) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void SetPenStyle(int style) override;
    void SetPenWidth(int twips) override;
    void SetPenColor(std::uint32_t colorRef) override;
    void SetBrushColor(std::uint32_t colorRef) override;
    void SetBrushStyle(int style) override;

    void StartTable() override;
    void EndTable() override;
    void SetTableBorder(int code) override;
    void CreateTable(const QString& format, const QString& header, const QString& body) override;
    void SetTableCell(int setting, int firstRow, int firstColumn, int lastRow, int lastColumn,
        const QVariant& value) override;

    void SetDevice(const QString& name) override { m_device = name; }
    QString Device() const override { return m_device; }
    void SetPort(const QString& name) override { m_port = name; }
    QString Port() const override { return m_port; }
    QString Driver() const override;
    void SetPaperSize(int code) override;
    int PaperSize() const override;
    void SetPaperBin(int code) override;
    int PaperBin() const override { return m_paperBin; }
    void SetDuplex(int code) override;
    int Duplex() const override { return m_duplex; }
    void SetMarginLeft(double twips) override;
    void SetMarginTop(double twips) override;
    void SetMarginRight(double twips) override;
    void SetMarginBottom(double twips) override;
    double MarginLeft() const override;
    double MarginTop() const override;
    double MarginRight() const override;
    double MarginBottom() const override;
    void SetFooterMargin(double twips) override;
    double FooterMargin() const override;

    void SetPreviewMode(bool preview) override { m_previewMode = preview; }
    bool PreviewMode() const override { return m_previewMode; }
    void SetShowProgress(bool show) override { m_showProgress = show; }
    void SetZoomMenuText(const QString& text) override { m_zoomMenuText = text; }
    void SetProgressTexts(const QString& caption, const QString& button, const QString& deviceLine,
        const QString& pageLine) override;
    void SetPreviewZoom(int zoom) override;
    void SetPreviewPage(int page) override { m_previewPage = page; }
    void PrintDoc(std::optional<bool> showDialog = std::nullopt, std::optional<int> fromPage = std::nullopt,
        std::optional<int> toPage = std::nullopt) override;
    bool ShowPageSetupDialog(QWidget* parent) override;
    // The same over a dialog the caller runs: run gets a printer that
    // carries the control's printer, paper and margins and answers whether
    // the user confirmed; the control then takes the printer's values.
    bool ShowPageSetupDialog(QWidget* parent, const std::function<bool(QPrinter&, QWidget*)>& run);
    // Plays the composed pages back onto the printer (a PDF file when it
    // is set up for one), behind the progress box when that is switched
    // on; its Cancel stops the job after the page being sent.
    void PrintOn(QPrinter& printer);

    // Playing the composed pages back.
    void Render(QPagedPaintDevice& device) const;
    void WritePdf(const QString& path) const;
    // A preview of the composed pages, owned by parent; the control must
    // outlive it, since the preview asks it for the pages when it repaints.
    // Its context menu offers the zoom choices of the zoom menu text.
    QPrintPreviewWidget* CreatePreviewWidget(QWidget* parent) const;

    // The lines of text on a composed page (0-based), in the order drawn.
    std::vector<PrintedText> TextsOnPage(int page) const;
    QString HeaderOfPage(int page) const;

private:
    struct TextFormat;
    class StyleCollection;

    void RequireDoc() const;
    void FinishDeviceContext();
    void BeginPage();
    PageRecord& CurrentPage();
    const PageGeometry& ActiveGeometry() const;
    PageGeometry& NextGeometry();
    double ToTwips(const PrintLength& length) const;
    PrintTable& OpenTable();

    std::unique_ptr<TextFormat> m_format;
    std::unique_ptr<DrawSettings> m_draw;
    std::unique_ptr<PageGeometry> m_next;
    std::unique_ptr<StyleCollection> m_styles;
    std::unique_ptr<PrintTable> m_table;
    std::vector<PageRecord> m_pages;
    std::unique_ptr<QPainter> m_devicePainter;
    std::function<void()> m_newPageHandler;
    bool m_docOpen = false;
    double m_currentY = 0.0;
    int m_angle = 0;
    QString m_header;
    QString m_docTitle;
    QString m_headerFontName = QStringLiteral("Arial");
    float m_headerFontSize = 10.0F;
    QString m_device;
    QString m_port;
    int m_paperBin = 7;
    int m_duplex = 1;
    bool m_previewMode = true;
    bool m_showProgress = false;
    int m_previewZoom = 0;
    int m_previewPage = 1;
    QString m_zoomMenuText;
    QStringList m_progressTexts;
};

// Makes the control and asks the print system for its default printer; the
// first such call of a run may take long while the print system starts.
std::unique_ptr<PrintControl> CreatePrintControl();

} // namespace platform
