#pragma once
// The window that hosts the print control. In preview mode it takes the
// main view's place and shows the composed pages; in print mode it is a
// hidden child of the main view that composes and prints one job. Either way
// it hands the control the stored page setup and lets the project's printer
// (or the raw-materials printer) fill it.

#include "output/print/PrintSetupCommands.h"

#include <QWidget>

#include <functional>
#include <memory>

class CPrintEngineBase;
class IDoc;
class IPrintViewHost;
class QPrintPreviewWidget;
class QPrinter;
class IPrintViewMgr;

namespace platform {
class IPrintControl;
class PrintControl;
} // namespace platform

// Makes the printer that composes a document for the stored scope (5 the
// raw materials, anything else the project); the raw-materials printer or
// the document printer unless a factory is installed. Answers the previous
// factory.
using PrintBodyFactory = std::function<std::unique_ptr<CPrintEngineBase>(
    int scope, IDoc* document, IPrintViewMgr* viewManager, QWidget* host, platform::IPrintControl* control)>;
PrintBodyFactory SetPrintBodyFactory(PrintBodyFactory factory);

// Makes the print control; null when it cannot be made (tests install a
// failing one). Answers the previous maker.
using PrintControlMaker = std::function<std::unique_ptr<platform::PrintControl>()>;
PrintControlMaker SetPrintControlMaker(PrintControlMaker maker);

class CTPPreviewView : public QWidget
{
    Q_OBJECT

public:
    // Preview mode; Create composes the pages.
    CTPPreviewView(IPrintViewHost& host, QWidget* parent);
    // Print mode: creates the hidden control, composes the document and
    // prints it on target (the stored printer when null); a composition that
    // stopped prints nothing and asks for no file. Whatever fails leaves the
    // constructor as an exception.
    CTPPreviewView(IPrintViewHost& host, QPrinter* target);
    ~CTPPreviewView() override;

    // Creates the control, gives it the page setup and composes the
    // document; false, after the message, when the control cannot be made.
    // A failing composition leaves as an exception.
    bool Create();
    bool HasControl() const { return m_control != nullptr; }
    // Print mode: the composed pages went to the printer or a file.
    bool WasPrinted() const { return m_printed; }
    platform::PrintControl* GetControl() const { return m_control.get(); }
    QPrintPreviewWidget* GetPreviewWidget() const { return m_preview; }
    bool IsPreview() const { return m_isPreview; }
    // Composes the document again from the stored scope.
    void ComposeDocument();

    // The page the preview shows (from 1; 0 without pages) and the count.
    int GetPreviewPage() const;
    int GetPreviewPageCount() const;
    // Moves the preview to another page (PageUp, PageDown, Home, End).
    enum class PageMove { Previous, Next, First, Last };
    void MovePreviewPage(PageMove move);

    // The bar's commands.
    void OnPrint();
    void OnClose();
    void OnPageSetup();
    // Print writes a PDF file rather than printing on the stored printer.
    void SetPdfOutput(bool pdf) { m_pdfOutput = pdf; }
    // The page-setup dialog behind Page Setup (tests replace it).
    void SetPageSetupRunner(PrinterDialogRunner run) { m_runPageSetup = std::move(run); }

Q_SIGNALS:
    // Close was asked for; the preview ends once the request is handled.
    void closeRequested();
    // The preview shows another page, or the pages were composed again.
    void previewPageChanged(int page, int count);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ReportPreviewPage();

    IPrintViewHost& m_host;
    std::unique_ptr<platform::PrintControl> m_control;
    bool m_isPreview;
    bool m_pdfOutput = false;
    bool m_composed = false;
    bool m_printed = false;
    // The printer filling the control, only while it composes.
    CPrintEngineBase* m_activePrinter = nullptr;
    QPrintPreviewWidget* m_preview = nullptr;
    PrinterDialogRunner m_runPageSetup;
};

// Prints what the control composed: on target when given, else on the
// control's printer, or, when the system has no printer at all, into a PDF
// file the user chooses. False when the user cancelled the file choice.
bool PrintComposedPages(platform::PrintControl& control, IPrintViewHost& host, QPrinter* target);
