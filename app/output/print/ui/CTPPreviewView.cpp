#include "output/print/ui/CTPPreviewView.h"

#include "foundation/FileNames.h"
#include "foundation/PrintSettings.h"
#include "foundation/ResourceBase.h"
#include "foundation/SessionLog.h"
#include "foundation/UserPrefsBase.h"
#include "output/print/CDocPrinter.h"
#include "output/print/CPrintEngineBase.h"
#include "output/print/CRawMatsPrinter.h"
#include "output/print/PageSetupGlue.h"
#include "output/print/PrintMessages.h"
#include "output/print/PrintPrefs.h"
#include "output/print/ui/CPrintLayoutsDlg.h"
#include "output/print/ui/IPrintViewHost.h"
#include "output/print/ui/PrintUiStrings.h"
#include "platform/ui/PrintControl.h"

#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QResizeEvent>

#include <algorithm>

namespace {

PrintBodyFactory& BodyFactory()
{
    static PrintBodyFactory factory;
    return factory;
}

PrintControlMaker& ControlMaker()
{
    static PrintControlMaker maker;
    return maker;
}

std::unique_ptr<CPrintEngineBase> MakePrinter(
    int scope, IDoc* document, IPrintViewMgr* viewManager, QWidget* host, platform::IPrintControl* control)
{
    if (BodyFactory())
        return BodyFactory()(scope, document, viewManager, host, control);
    if (scope == CPrintLayoutsDlg::RawMaterials)
        return std::make_unique<CRawMatsPrinter>(document, viewManager, host, control);
    return std::make_unique<CDocPrinter>(document, viewManager, host, control);
}

// Whether the PDF file can be made where the user asked, else the system's
// reason: a printer that cannot open its file only fails to start, which
// would read like a fault of the page set-up.
bool CanWritePdfFile(const QString& path, QString& reason)
{
    QFile file(path);
    const bool existed = file.exists();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        reason = file.errorString();
        return false;
    }
    file.close();
    if (!existed)
        file.remove();
    return true;
}

} // namespace

PrintBodyFactory SetPrintBodyFactory(PrintBodyFactory factory)
{
    return std::exchange(BodyFactory(), std::move(factory));
}

PrintControlMaker SetPrintControlMaker(PrintControlMaker maker)
{
    return std::exchange(ControlMaker(), std::move(maker));
}

CTPPreviewView::CTPPreviewView(IPrintViewHost& host, QWidget* parent)
    : QWidget(parent)
    , m_host(host)
    , m_isPreview(true)
    , m_runPageSetup(ExecPageSetupDialog)
{ }

CTPPreviewView::CTPPreviewView(IPrintViewHost& host, QPrinter* target)
    : QWidget(host.GetPrintView())
    , m_host(host)
    , m_isPreview(false)
    , m_runPageSetup(ExecPageSetupDialog)
{
    // Never shown: the control composes in it and prints.
    setAttribute(Qt::WA_DontShowOnScreen);
    if (Create() && HasControl() && m_composed)
        m_printed = PrintComposedPages(*m_control, m_host, target);
}

CTPPreviewView::~CTPPreviewView()
{
    // The preview asks the control for its pages; it goes first.
    delete m_preview;
}

bool CTPPreviewView::Create()
{
    try {
        m_control = ControlMaker() ? ControlMaker()() : platform::CreatePrintControl();
    } catch (...) {
        m_control.reset();
    }
    if (!m_control) {
        ShowPrintStopMessage(LoadUIString(kStrCouldNotStartPrinting).arg(m_host.GetSupportContact()));
        SessionLog::Instance().Write(SessionLog::Error, QStringLiteral("PreviewView::OnCreate() failed!"));
        return false;
    }
    m_control->SetPreviewMode(m_isPreview);
    m_control->SetShowProgress(true);
    m_control->SetZoomMenuText(LoadUIString(kStrZoomChoices));
    m_control->SetProgressTexts(LoadUIString(kStrProgressCaption), LoadUIString(kStrProgressCancel),
        LoadUIString(kStrProgressDevice), LoadUIString(kStrProgressPage));
    ApplyPageSetup(*m_control);
    ComposeDocument();
    if (m_isPreview) {
        m_preview = m_control->CreatePreviewWidget(this);
        m_preview->setGeometry(rect());
        m_preview->show();
        // Scrolling with the wheel moves the pages as well as the keys do.
        connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &CTPPreviewView::ReportPreviewPage);
        ReportPreviewPage();
    }
    return true;
}

void CTPPreviewView::ComposeDocument()
{
    const int scope = PrintPrefs().GetPrintSettings().scope;
    std::unique_ptr<CPrintEngineBase> printer
        = MakePrinter(scope, m_host.GetPrintDocument(), m_host.GetPrintViewMgr(), this, m_control.get());
    if (!printer)
        throw platform::PrintControlError(platform::StatusNullPointer, platform::PrintInterface::Control,
            QStringLiteral("no printer composes this document"));
    m_activePrinter = printer.get();
    struct ClearActive
    {
        CPrintEngineBase*& active;
        ~ClearActive() { active = nullptr; }
    } clear { m_activePrinter };
    printer->PrintBody();
    m_composed = !printer->WasCancelled();
    if (m_preview)
        m_preview->updatePreview();
}

int CTPPreviewView::GetPreviewPage() const
{
    return m_preview && m_preview->pageCount() > 0 ? m_preview->currentPage() : 0;
}

int CTPPreviewView::GetPreviewPageCount() const
{
    return m_preview ? m_preview->pageCount() : 0;
}

void CTPPreviewView::MovePreviewPage(PageMove move)
{
    const int count = GetPreviewPageCount();
    if (count == 0)
        return;
    const int page = GetPreviewPage();
    int target = page;
    switch (move) {
    case PageMove::Previous:
        target = std::max(page - 1, 1);
        break;
    case PageMove::Next:
        target = std::min(page + 1, count);
        break;
    case PageMove::First:
        target = 1;
        break;
    case PageMove::Last:
        target = count;
        break;
    }
    m_preview->setCurrentPage(target);
    // The widget tells of a page it reached by scrolling only.
    ReportPreviewPage();
}

void CTPPreviewView::ReportPreviewPage()
{
    Q_EMIT previewPageChanged(GetPreviewPage(), GetPreviewPageCount());
}

void CTPPreviewView::OnPrint()
{
    // A composition that stopped has said why; there is nothing to print.
    if (!m_composed)
        return;
    try {
        if (!m_control)
            throw platform::PrintControlError(platform::StatusNullPointer, platform::PrintInterface::Control,
                QStringLiteral("no print control"));
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        PrintComposedPages(*m_control, m_host, m_pdfOutput ? &pdf : nullptr);
    } catch (...) {
        ShowPrintStopMessage(LoadUIString(kStrPrintProblem));
    }
}

void CTPPreviewView::OnClose()
{
    Q_EMIT closeRequested();
}

void CTPPreviewView::OnPageSetup()
{
    if (!m_control)
        return;
    // The dialog edits the bottom margin the user sees; the control's body
    // ends a footer gap above it, so the gap is put back afterwards.
    m_control->SetFooterMargin(m_control->MarginBottom());
    try {
        if (m_control->ShowPageSetupDialog(this, m_runPageSetup)) {
            ReadPageSetup(*m_control);
            ComposeDocument();
            return;
        }
    } catch (...) {
        ShowPrintStopMessage(LoadUIString(kStrPrintProblem));
        OnClose();
        return;
    }
    m_control->SetFooterMargin(m_control->MarginBottom() + kFooterGapTwips);
}

void CTPPreviewView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_preview)
        m_preview->setGeometry(0, 0, event->size().width(), event->size().height());
}

bool PrintComposedPages(platform::PrintControl& control, IPrintViewHost& host, QPrinter* target)
{
    if (target && !(target->outputFormat() == QPrinter::PdfFormat && target->outputFileName().isEmpty())) {
        control.PrintOn(*target);
        return true;
    }
    if (!target && !QPrinterInfo::availablePrinterNames().isEmpty()) {
        control.PrintDoc();
        return true;
    }
    // PDF output, chosen or the only one there is.
    QString path;
    if (!host.AskPdfFileName(path))
        return false;
    // The printer writes through a name it can hold, whatever the name's bytes.
    const QtReachableName file(path, QtReachableName::Kind::FileToWrite);
    const QString written = file.Name().isEmpty() ? path : file.Name();
    QString reason;
    if (!CanWritePdfFile(written, reason)) {
        ShowPrintStopMessage(LoadUIString(kStrPdfNotWritable).arg(DisplayFileName(path), reason));
        return false;
    }
    QPrinter pdf(QPrinter::HighResolution);
    QPrinter& printer = target ? *target : pdf;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(written);
    control.PrintOn(printer);
    return true;
}
