#pragma once
// The main view's print commands: Print and Print Preview (each after the
// print dialog), printing the diagrams on screen without a dialog, and the
// one print routine they share. The preview takes the main view's place in
// the window until it is closed; the view then shows again the page it
// showed before.

#include <QMainWindow>
#include <QObject>
#include <QPointer>

class CTPPreviewView;
class IPrintViewHost;
class QPrinter;
class QWidget;

class CPrintCommands : public QObject
{
    Q_OBJECT

public:
    explicit CPrintCommands(IPrintViewHost& host);
    ~CPrintCommands() override;

    void OnFilePrint();
    void OnFilePrintPreview();
    // The layout diagrams on screen, without a dialog; the stored choice of
    // what to print stays as it was.
    void PrintActivePage();
    // Composes and prints the stored choice on target (the stored printer
    // when null). Every failure ends in a message; the view shows the page
    // it showed and paints again. False when it failed or was cancelled.
    bool PrintDocumentNow(QPrinter* target = nullptr);
    // Opens the preview in the window; false when it could not be set up.
    // pdfOutput: the preview's Print writes a PDF file.
    bool StartPreview(bool pdfOutput = false);
    // Closes the preview, if one is up.
    void OnEndPrintPreview();

    bool IsPreviewing() const { return m_previewPane != nullptr; }
    CTPPreviewView* GetPreviewView() const;
    QWidget* GetPreviewPane() const { return m_previewPane; }

Q_SIGNALS:
    // The preview took the main view's place (true) or gave it back (false).
    // Its pages are the project's as it was when they were composed, so
    // nothing may open, rename or change the project in between.
    void previewShown(bool shown);

protected:
    // The window's close box during a preview closes the preview only.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool DoPrintPreview(bool pdfOutput);
    void ReleaseRedrawLock();

    IPrintViewHost& m_host;
    bool m_redrawLocked = false;
    int m_savedPage = 0;
    // The preview's pane (view and bar) while it is shown, and the main
    // view it stands in for.
    QPointer<QWidget> m_previewPane;
    QPointer<CTPPreviewView> m_previewView;
    QPointer<QWidget> m_mainView;
    QPointer<QMainWindow> m_frame;
    QList<QPointer<QWidget>> m_hiddenBars;
};
