#include "platform/ui/PrintControl.h"

#include "PrintPageRecord.h"
#include "PrintTable.h"
#include "PrintTextLayout.h"
#include "platform/ui/PageSetupDialog.h"
#include "platform/ui/PrinterCodes.h"

#include <QAction>
#include <QApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace platform {

PrintControlError::PrintControlError(std::int32_t status, PrintInterface where, const QString& message)
    : std::runtime_error(message.toStdString())
    , m_status(status)
    , m_interface(where)
{ }

std::optional<PrintLength> PrintLength::FromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return PrintLength { 0.0 };
    static const QRegularExpression pattern(QStringLiteral("^([0-9]*\\.?[0-9]+)\\s*(mm|cm|in|pt|tw)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(trimmed);
    if (!match.hasMatch())
        return std::nullopt;
    const double value = match.captured(1).toDouble();
    const QString unit = match.captured(2).toLower();
    double twipsPerUnit = 1.0;
    if (unit == QLatin1String("mm"))
        twipsPerUnit = 1440.0 / 25.4;
    else if (unit == QLatin1String("cm"))
        twipsPerUnit = 1440.0 / 2.54;
    else if (unit == QLatin1String("in"))
        twipsPerUnit = 1440.0;
    else if (unit == QLatin1String("pt"))
        twipsPerUnit = 20.0;
    return PrintLength { value * twipsPerUnit };
}

namespace {
// Fills "%s" and "%d" in order with the arguments; the text is never read
// as a printf format.
QString FillPlaceholders(const QString& text, const QStringList& arguments)
{
    static const QRegularExpression placeholder(QStringLiteral("%[sd]"));
    QString result;
    qsizetype from = 0;
    int next = 0;
    QRegularExpressionMatchIterator matches = placeholder.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result += text.mid(from, match.capturedStart() - from);
        result += next < arguments.size() ? arguments[next] : QString();
        ++next;
        from = match.capturedEnd();
    }
    return result + text.mid(from);
}

// Zoom 0 whole page, 1 page width, 2 two pages, 3 thumbnails.
void ApplyPreviewZoom(QPrintPreviewWidget& preview, int zoom)
{
    switch (zoom) {
    case 1:
        preview.setViewMode(QPrintPreviewWidget::SinglePageView);
        preview.setZoomMode(QPrintPreviewWidget::FitToWidth);
        break;
    case 2:
        preview.setViewMode(QPrintPreviewWidget::FacingPagesView);
        preview.setZoomMode(QPrintPreviewWidget::FitInView);
        break;
    case 3:
        preview.setViewMode(QPrintPreviewWidget::AllPagesView);
        break;
    default:
        preview.setViewMode(QPrintPreviewWidget::SinglePageView);
        preview.setZoomMode(QPrintPreviewWidget::FitInView);
        break;
    }
}

[[noreturn]] void Fail(
    std::int32_t status, const QString& message, PrintInterface where = PrintInterface::Control)
{
    throw PrintControlError(status, where, message);
}

void RequireFinite(double value, const char* what)
{
    if (!std::isfinite(value))
        Fail(StatusInvalidArgument, QStringLiteral("%1 is not a number").arg(QLatin1String(what)));
}

void RequireMargin(double twips)
{
    RequireFinite(twips, "margin");
    if (twips < 0.0)
        Fail(StatusInvalidArgument, QStringLiteral("negative margin"));
}
} // namespace

// The format of the text that follows.
struct PrintControl::TextFormat
{
    PrintFont font;
    double spaceBefore = 0.0;
    double spaceAfter = 0.0;
    int align = 0;
    std::uint32_t color = 0;
};

class PrintControl::StyleCollection : public IPrintStyles
{
public:
    explicit StyleCollection(PrintControl& control)
        : m_control(control)
    { }

    void Store(const QString& name, int kind) override
    {
        if (name.isEmpty() || (kind != StyleKindText && kind != StyleKindDrawing))
            Fail(StatusInvalidArgument, QStringLiteral("bad style \"%1\"").arg(name), PrintInterface::Styles);
        Style& style = m_styles[name];
        style.kind = kind;
        style.text = *m_control.m_format;
        style.draw = *m_control.m_draw;
    }

    void Apply(const QString& name) override
    {
        const auto it = m_styles.find(name);
        if (it == m_styles.end())
            Fail(StatusInvalidArgument, QStringLiteral("no style \"%1\"").arg(name), PrintInterface::Styles);
        if (it->second.kind == StyleKindText)
            *m_control.m_format = it->second.text;
        else
            *m_control.m_draw = it->second.draw;
    }

private:
    struct Style
    {
        int kind = StyleKindText;
        TextFormat text;
        DrawSettings draw;
    };

    PrintControl& m_control;
    std::map<QString, Style> m_styles;
};

PrintControl::PrintControl()
    : m_format(std::make_unique<TextFormat>())
    , m_draw(std::make_unique<DrawSettings>())
    , m_next(std::make_unique<PageGeometry>())
    , m_styles(std::make_unique<StyleCollection>(*this))
{ }

PrintControl::~PrintControl()
{
    FinishDeviceContext();
}

void PrintControl::RequireDoc() const
{
    if (!m_docOpen)
        Fail(StatusNoDocument, QStringLiteral("no document is open"));
}

void PrintControl::FinishDeviceContext()
{
    if (m_devicePainter) {
        m_devicePainter->end();
        m_devicePainter.reset();
    }
}

PageRecord& PrintControl::CurrentPage()
{
    return m_pages.back();
}

const PageGeometry& PrintControl::ActiveGeometry() const
{
    return m_docOpen ? m_pages.back().geometry : *m_next;
}

PageGeometry& PrintControl::NextGeometry()
{
    return *m_next;
}

void PrintControl::BeginPage()
{
    FinishDeviceContext();
    PageRecord page;
    page.geometry = *m_next;
    page.header = m_header;
    page.headerFont = PrintFont { m_headerFontName, m_headerFontSize, false };
    m_pages.push_back(std::move(page));
    m_currentY = PageTop();
    if (m_newPageHandler)
        m_newPageHandler();
}

void PrintControl::SetOrientation(int orientation)
{
    if (orientation != 0 && orientation != 1)
        Fail(StatusInvalidArgument, QStringLiteral("orientation %1").arg(orientation));
    NextGeometry().orientation = orientation;
}

int PrintControl::Orientation() const
{
    return m_next->orientation;
}

void PrintControl::StartDoc()
{
    if (m_docOpen)
        Fail(StatusFailed, QStringLiteral("a document is already open"));
    FinishDeviceContext();
    m_pages.clear();
    m_docOpen = true;
    BeginPage();
}

void PrintControl::EndDoc()
{
    RequireDoc();
    FinishDeviceContext();
    m_table.reset();
    m_docOpen = false;
}

void PrintControl::NewPage()
{
    RequireDoc();
    BeginPage();
}

int PrintControl::PageCount() const
{
    return static_cast<int>(m_pages.size());
}

void PrintControl::SetNewPageHandler(std::function<void()> handler)
{
    m_newPageHandler = std::move(handler);
}

void PrintControl::SetHeader(const QString& header)
{
    m_header = header;
    if (m_docOpen)
        CurrentPage().header = header;
}

void PrintControl::SetHeaderFontName(const QString& name)
{
    m_headerFontName = name;
    if (m_docOpen)
        CurrentPage().headerFont.family = name;
}

void PrintControl::SetHeaderFontSize(float points)
{
    RequireFinite(points, "font size");
    if (points <= 0.0F)
        Fail(StatusInvalidArgument, QStringLiteral("font size %1").arg(points));
    m_headerFontSize = points;
    if (m_docOpen)
        CurrentPage().headerFont.points = points;
}

void PrintControl::SetFontName(const QString& name)
{
    m_format->font.family = name;
}

QString PrintControl::FontName() const
{
    return m_format->font.family;
}

void PrintControl::SetFontSize(float points)
{
    RequireFinite(points, "font size");
    if (points <= 0.0F)
        Fail(StatusInvalidArgument, QStringLiteral("font size %1").arg(points));
    m_format->font.points = points;
}

float PrintControl::FontSize() const
{
    return m_format->font.points;
}

void PrintControl::SetFontBold(bool bold)
{
    m_format->font.bold = bold;
}

bool PrintControl::FontBold() const
{
    return m_format->font.bold;
}

double PrintControl::ToTwips(const PrintLength& length) const
{
    RequireFinite(length.twips, "length");
    return length.twips;
}

void PrintControl::SetSpaceBefore(const PrintLength& length)
{
    m_format->spaceBefore = ToTwips(length);
}

void PrintControl::SetSpaceAfter(const PrintLength& length)
{
    m_format->spaceAfter = ToTwips(length);
}

void PrintControl::SetTextAlign(int code)
{
    if (code < 0 || code > 8)
        Fail(StatusInvalidArgument, QStringLiteral("alignment %1").arg(code));
    m_format->align = code;
}

int PrintControl::TextAlign() const
{
    return m_format->align;
}

void PrintControl::SetTextColor(std::uint32_t colorRef)
{
    m_format->color = colorRef & 0xFFFFFFu;
}

void PrintControl::SetTextAngle(int tenthsOfDegree)
{
    m_angle = tenthsOfDegree;
}

IPrintStyles& PrintControl::Styles()
{
    FinishDeviceContext();
    return *m_styles;
}

void PrintControl::PrintParagraph(const QString& text)
{
    RequireDoc();
    FinishDeviceContext();
    const TextFormat format = *m_format;
    const double lineHeight = TwipsLineHeight(format.font);
    const double ascent = TwipsAscent(format.font);
    const std::vector<LaidOutLine> lines
        = LayOutText(format.font, text, PageRight() - PageLeft(), true, format.align);
    double y = m_currentY + format.spaceBefore;
    for (const LaidOutLine& line : lines) {
        // A line that does not fit moves to the next page, unless it already
        // stands at the top of one (it could never fit).
        if (y + lineHeight > PageBottom() && y > PageTop()) {
            BeginPage();
            y = PageTop();
        }
        TextItem item;
        item.text = line.text;
        item.font = format.font;
        item.color = format.color;
        item.origin = QPointF(PageLeft(), y);
        item.baseline = QPointF(line.x, ascent);
        CurrentPage().items.emplace_back(std::move(item));
        y += lineHeight;
    }
    m_currentY = y + format.spaceAfter;
}

double PrintControl::PrintTextBox(const QString& text, double left, double top, double width, double height,
    bool wrap, bool measureOnly, bool frame)
{
    RequireFinite(left + top + width + height, "box");
    if (!measureOnly)
        RequireDoc();
    FinishDeviceContext();
    const TextFormat format = *m_format;
    const std::vector<LaidOutLine> lines = LayOutText(format.font, text, width, wrap, format.align);
    const double textHeight = static_cast<double>(lines.size()) * TwipsLineHeight(format.font);
    if (measureOnly)
        return textHeight;

    double offset = 0.0; // vertical part of the alignment: top, bottom, middle
    if (format.align / 3 == 1)
        offset = height - textHeight;
    else if (format.align / 3 == 2)
        offset = (height - textHeight) / 2.0;
    const double ascent = TwipsAscent(format.font);
    PageRecord& page = CurrentPage();
    for (const LaidOutLine& line : lines) {
        TextItem item;
        item.text = line.text;
        item.font = format.font;
        item.color = format.color;
        item.origin = QPointF(left, top);
        item.angle = m_angle;
        item.baseline = QPointF(line.x, offset + line.top + ascent);
        page.items.emplace_back(std::move(item));
    }
    if (frame) {
        ShapeItem outline;
        outline.rect = QRectF(0, 0, width, height);
        outline.origin = QPointF(left, top);
        outline.angle = m_angle;
        outline.draw = DrawSettings {};
        page.items.emplace_back(outline);
    }
    return textHeight;
}

double PrintControl::TextWidth(const QString& text)
{
    return TwipsTextWidth(m_format->font, text);
}

double PrintControl::TextHeight(const QString& text)
{
    const auto lines = text.isEmpty() ? 1 : text.count(QLatin1Char('\n')) + 1;
    return static_cast<double>(lines) * TwipsLineHeight(m_format->font);
}

double PrintControl::LineHeight()
{
    return TwipsLineHeight(m_format->font);
}

void PrintControl::UpdateLayout()
{
    // The measures are always current; the call only closes the painter.
    FinishDeviceContext();
}

double PrintControl::PageLeft() const
{
    return ActiveGeometry().BodyLeft();
}

double PrintControl::PageTop() const
{
    return ActiveGeometry().BodyTop();
}

double PrintControl::PageRight() const
{
    return ActiveGeometry().BodyRight();
}

double PrintControl::PageBottom() const
{
    return ActiveGeometry().BodyBottom();
}

void PrintControl::SetCurrentY(double y)
{
    RequireFinite(y, "position");
    m_currentY = y;
}

QPainter* PrintControl::DeviceContext()
{
    RequireDoc();
    FinishDeviceContext();
    auto picture = std::make_shared<QPicture>();
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(picture.get()))
        Fail(StatusFailed, QStringLiteral("cannot draw on the page"));
    CurrentPage().items.emplace_back(PictureItem { picture });
    m_devicePainter = std::move(painter);
    return m_devicePainter.get();
}

void PrintControl::DrawRectangle(
    int left, int top, int right, int bottom, std::optional<int> cornerWidth, std::optional<int> cornerHeight)
{
    RequireDoc();
    FinishDeviceContext();
    ShapeItem shape;
    shape.rect = QRectF(QPointF(left, top), QPointF(right, bottom));
    shape.corner = QPointF(cornerWidth.value_or(0), cornerHeight.value_or(cornerWidth.value_or(0)));
    shape.draw = *m_draw;
    CurrentPage().items.emplace_back(shape);
}

void PrintControl::DrawLine(int x1, int y1, int x2, int y2)
{
    RequireDoc();
    FinishDeviceContext();
    ShapeItem shape;
    shape.kind = ShapeItem::Line;
    shape.line = QLineF(x1, y1, x2, y2);
    shape.draw = *m_draw;
    CurrentPage().items.emplace_back(shape);
}

namespace {
// The pages a table flows over: the control's own, with the new-page event
// at every break.
class ControlTableFlow : public TableFlow
{
public:
    ControlTableFlow(
        PrintControl& control, std::function<void()> breakPage, std::function<PageRecord&()> page)
        : m_control(control)
        , m_breakPage(std::move(breakPage))
        , m_page(std::move(page))
    { }
    double Left() const override { return m_control.PageLeft(); }
    double Right() const override { return m_control.PageRight(); }
    double Top() const override { return m_control.PageTop(); }
    double Bottom() const override { return m_control.PageBottom(); }
    void BreakPage() override { m_breakPage(); }
    void Add(PageItem item) override { m_page().items.push_back(std::move(item)); }

private:
    PrintControl& m_control;
    std::function<void()> m_breakPage;
    std::function<PageRecord&()> m_page;
};
} // namespace

PrintTable& PrintControl::OpenTable()
{
    if (!m_table)
        Fail(StatusFailed, QStringLiteral("no table block is open"));
    return *m_table;
}

void PrintControl::StartTable()
{
    RequireDoc();
    if (m_table)
        Fail(StatusFailed, QStringLiteral("a table block is already open"));
    m_table = std::make_unique<PrintTable>(m_format->font, m_format->spaceBefore, m_format->spaceAfter);
}

void PrintControl::EndTable()
{
    RequireDoc();
    OpenTable();
    FinishDeviceContext();
    // The block is closed even when placing it fails.
    const std::unique_ptr<PrintTable> table = std::move(m_table);
    ControlTableFlow flow(
        *this, [this] { BeginPage(); }, [this]() -> PageRecord& { return CurrentPage(); });
    m_currentY = table->Place(flow, m_currentY, *m_draw);
}

void PrintControl::SetTableBorder(int code)
{
    OpenTable().SetBorder(code);
}

void PrintControl::CreateTable(const QString& format, const QString& header, const QString& body)
{
    OpenTable().Create(format, header, body);
}

void PrintControl::SetTableCell(
    int setting, int firstRow, int firstColumn, int lastRow, int lastColumn, const QVariant& value)
{
    OpenTable().Set(setting, firstRow, firstColumn, lastRow, lastColumn, value);
}

void PrintControl::SetPenStyle(int style)
{
    if (style < 0 || style > 6)
        Fail(StatusInvalidArgument, QStringLiteral("pen style %1").arg(style));
    m_draw->penStyle = style;
}

void PrintControl::SetPenWidth(int twips)
{
    if (twips < 0)
        Fail(StatusInvalidArgument, QStringLiteral("pen width %1").arg(twips));
    m_draw->penWidth = twips;
}

void PrintControl::SetPenColor(std::uint32_t colorRef)
{
    m_draw->penColor = colorRef & 0xFFFFFFu;
}

void PrintControl::SetBrushColor(std::uint32_t colorRef)
{
    m_draw->brushColor = colorRef & 0xFFFFFFu;
}

void PrintControl::SetBrushStyle(int style)
{
    if (style < 0 || style > 7)
        Fail(StatusInvalidArgument, QStringLiteral("brush style %1").arg(style));
    m_draw->brushStyle = style;
}

QString PrintControl::Driver() const
{
    if (m_device.isEmpty())
        return QString();
    return QPrinterInfo::printerInfo(m_device).makeAndModel();
}

void PrintControl::SetPaperSize(int code)
{
    const QPageSize::PageSizeId id = QPageSize::id(code);
    if (code <= 0 || id == QPageSize::Custom)
        Fail(StatusInvalidArgument, QStringLiteral("paper size %1").arg(code));
    NextGeometry().paper = QPageSize(id);
}

int PrintControl::PaperSize() const
{
    return m_next->paper.windowsId();
}

void PrintControl::SetPaperBin(int code)
{
    if (code < 0)
        Fail(StatusInvalidArgument, QStringLiteral("paper bin %1").arg(code));
    m_paperBin = code;
}

void PrintControl::SetDuplex(int code)
{
    if (!DuplexModeFromCode(code))
        Fail(StatusInvalidArgument, QStringLiteral("duplex %1").arg(code));
    m_duplex = code;
}

void PrintControl::SetMarginLeft(double twips)
{
    RequireMargin(twips);
    NextGeometry().marginLeft = twips;
}

void PrintControl::SetMarginTop(double twips)
{
    RequireMargin(twips);
    NextGeometry().marginTop = twips;
}

void PrintControl::SetMarginRight(double twips)
{
    RequireMargin(twips);
    NextGeometry().marginRight = twips;
}

void PrintControl::SetMarginBottom(double twips)
{
    RequireMargin(twips);
    NextGeometry().marginBottom = twips;
}

double PrintControl::MarginLeft() const
{
    return m_next->marginLeft;
}

double PrintControl::MarginTop() const
{
    return m_next->marginTop;
}

double PrintControl::MarginRight() const
{
    return m_next->marginRight;
}

double PrintControl::MarginBottom() const
{
    return m_next->marginBottom;
}

void PrintControl::SetFooterMargin(double twips)
{
    RequireMargin(twips);
    NextGeometry().footerMargin = twips;
}

double PrintControl::FooterMargin() const
{
    return m_next->footerMargin;
}

void PrintControl::SetProgressTexts(
    const QString& caption, const QString& button, const QString& deviceLine, const QString& pageLine)
{
    m_progressTexts = QStringList { caption, button, deviceLine, pageLine };
}

void PrintControl::SetPreviewZoom(int zoom)
{
    if (zoom < 0 || zoom > 3)
        Fail(StatusInvalidArgument, QStringLiteral("zoom %1").arg(zoom));
    m_previewZoom = zoom;
}

void PrintControl::Render(QPagedPaintDevice& device) const
{
    if (m_devicePainter)
        Fail(StatusFailed, QStringLiteral("the page is still being drawn"));
    if (!RenderPages(m_pages, device))
        Fail(StatusFailed, QStringLiteral("the pages cannot be printed on this device"));
}

void PrintControl::WritePdf(const QString& path) const
{
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setTitle(m_docTitle);
    writer.setCreator(QStringLiteral("Kerfwell Plus Solo"));
    Render(writer);
}

void PrintControl::PrintDoc(
    std::optional<bool> showDialog, std::optional<int> fromPage, std::optional<int> toPage)
{
    if (m_docOpen)
        Fail(StatusFailed, QStringLiteral("the document is still open"));
    const QString device = m_device.isEmpty() ? QPrinterInfo::defaultPrinterName() : m_device;
    if (device.isEmpty() || QPrinterInfo::printerInfo(device).isNull())
        Fail(StatusFailed, QStringLiteral("No printer is installed."));
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(device);
    if (const auto source = PaperSourceFromBinCode(m_paperBin))
        printer.setPaperSource(*source);
    if (const auto duplex = DuplexModeFromCode(m_duplex))
        printer.setDuplex(*duplex);
    if (fromPage || toPage)
        printer.setFromTo(fromPage.value_or(1), toPage.value_or(PageCount()));
    if (showDialog.value_or(false)) {
        QPrintDialog dialog(&printer);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    PrintOn(printer);
}

void PrintControl::PrintOn(QPrinter& printer)
{
    if (m_docOpen)
        Fail(StatusFailed, QStringLiteral("the document is still open"));
    printer.setDocName(m_docTitle);
    if (!m_showProgress || m_progressTexts.size() < 4) {
        Render(printer);
        return;
    }
    if (m_devicePainter)
        Fail(StatusFailed, QStringLiteral("the page is still being drawn"));
    // "on the <printer> on <port>": a PDF file is its own port.
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    const QString deviceName = toFile ? QStringLiteral("PDF") : printer.printerName();
    const QString port = toFile ? printer.outputFileName() : QString();
    const QString deviceLine = FillPlaceholders(m_progressTexts[2], { deviceName, port });
    QProgressDialog progress(QApplication::activeWindow());
    progress.setWindowTitle(m_progressTexts[0]);
    progress.setCancelButtonText(m_progressTexts[1]);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.show();
    const auto gate = [&](int page, int count) {
        if (progress.wasCanceled())
            return false;
        progress.setRange(0, count);
        progress.setLabelText(m_docTitle + QLatin1Char('\n') + deviceLine + QLatin1Char('\n')
            + FillPlaceholders(m_progressTexts[3], { QString::number(page + 1) }) + QLatin1Char(' ')
            + QString::number(count));
        progress.setValue(page);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    if (!RenderPages(m_pages, printer, gate))
        Fail(StatusFailed, QStringLiteral("the pages cannot be printed on this device"));
}

bool PrintControl::ShowPageSetupDialog(QWidget* parent)
{
    return ShowPageSetupDialog(parent, ExecPageSetupDialog);
}

bool PrintControl::ShowPageSetupDialog(QWidget* parent, const std::function<bool(QPrinter&, QWidget*)>& run)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_device.isEmpty() && !QPrinterInfo::printerInfo(m_device).isNull())
        printer.setPrinterName(m_device);
    const PageGeometry& next = *m_next;
    printer.setPageLayout(
        QPageLayout(next.paper, next.orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
            QMarginsF(next.marginLeft / 20.0, next.marginTop / 20.0, next.marginRight / 20.0,
                next.marginBottom / 20.0),
            QPageLayout::Point));
    if (!run(printer, parent))
        return false;
    const QPageLayout layout = printer.pageLayout();
    const QMarginsF margins = layout.margins(QPageLayout::Point);
    PageGeometry& geometry = NextGeometry();
    geometry.paper = layout.pageSize();
    geometry.orientation = layout.orientation() == QPageLayout::Landscape ? 1 : 0;
    geometry.marginLeft = margins.left() * 20.0;
    geometry.marginTop = margins.top() * 20.0;
    geometry.marginRight = margins.right() * 20.0;
    // The dialog's bottom margin is where the body ends: the footer margin
    // carries it, so that a caller who keeps a footer gap below the body
    // reads the user's choice there.
    geometry.marginBottom = margins.bottom() * 20.0;
    geometry.footerMargin = geometry.marginBottom;
    if (printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty())
        m_device = printer.printerName();
    return true;
}

QPrintPreviewWidget* PrintControl::CreatePreviewWidget(QWidget* parent) const
{
    auto* preview = new QPrintPreviewWidget(parent);
    QObject::connect(preview, &QPrintPreviewWidget::paintRequested, preview,
        [this](QPrinter* printer) { RenderPages(m_pages, *printer); });
    ApplyPreviewZoom(*preview, m_previewZoom);
    const QStringList choices = m_zoomMenuText.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    for (int zoom = 0; zoom < std::min<int>(static_cast<int>(choices.size()), 4); ++zoom) {
        auto* action = new QAction(choices[zoom], preview);
        QObject::connect(
            action, &QAction::triggered, preview, [preview, zoom] { ApplyPreviewZoom(*preview, zoom); });
        preview->addAction(action);
    }
    if (!preview->actions().isEmpty())
        preview->setContextMenuPolicy(Qt::ActionsContextMenu);
    preview->updatePreview();
    preview->setCurrentPage(m_previewPage);
    return preview;
}

std::vector<PrintedText> PrintControl::TextsOnPage(int page) const
{
    std::vector<PrintedText> texts;
    if (page < 0 || page >= PageCount())
        return texts;
    for (const PageItem& item : m_pages[static_cast<std::size_t>(page)].items) {
        if (const auto* text = std::get_if<TextItem>(&item))
            texts.push_back(PrintedText { text->text, text->font.family, text->font.points, text->font.bold,
                text->angle, text->color, text->origin.x() + text->baseline.x(),
                text->origin.y() + text->baseline.y() });
    }
    return texts;
}

QString PrintControl::HeaderOfPage(int page) const
{
    if (page < 0 || page >= PageCount())
        return QString();
    return m_pages[static_cast<std::size_t>(page)].header;
}

std::unique_ptr<PrintControl> CreatePrintControl()
{
    auto control = std::make_unique<PrintControl>();
    control->SetDevice(QPrinterInfo::defaultPrinterName());
    return control;
}

} // namespace platform
