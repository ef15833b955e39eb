#pragma once
// Helpers of the print dialog, preview and command tests: a program window
// stand-in, captured messages, and printers whose body the test supplies.

#include "PrintTestSupport.h"

#include "foundation/PrintSettings.h"
#include "foundation/UserPrefsBase.h"
#include "output/print/PrintMessages.h"
#include "output/print/ui/CPrintLayoutsDlg.h"
#include "output/print/ui/CTPPreviewView.h"
#include "output/print/ui/IPrintViewHost.h"
#include "platform/ui/IPrintControl.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QStringList>
#include <QToolBar>

#include <gtest/gtest.h>

// The main window as printing sees it: a frame with menus, a tool bar and
// the main view, and a page index.
class FakePrintHost : public IPrintViewHost
{
public:
    FakePrintHost()
        : view(new QWidget)
    {
        frame.setCentralWidget(view);
        frame.menuBar()->addMenu(QStringLiteral("File"));
        frame.addToolBar(QStringLiteral("Tools"));
        frame.resize(800, 600);
        frame.show();
    }

    IDoc* GetPrintDocument() override { return nullptr; }
    IPrintViewMgr* GetPrintViewMgr() override { return nullptr; }
    QWidget* GetPrintView() override { return view; }
    QMainWindow* GetPrintFrame() override { return &frame; }
    void FinishEditing() override { ++editsFinished; }
    int GetShownPage() const override { return page; }
    void ShowPage(int shown) override { page = shown; }
    void RefreshView() override { ++refreshes; }
    void SetViewRedraw(bool on) override { redraw = on; }
    bool AskPdfFileName(QString& path) override
    {
        ++pdfQuestions;
        if (pdfPath.isEmpty())
            return false;
        path = pdfPath;
        return true;
    }
    QString GetSupportContact() const override { return QStringLiteral("help@example.test"); }

    QMainWindow frame;
    QWidget* view;
    int page = 0;
    bool redraw = true;
    int editsFinished = 0;
    int refreshes = 0;
    int pdfQuestions = 0;
    QString pdfPath;
};

// Fresh preferences, captured messages and a printer that writes one line
// naming the scope it saw (or runs the test's own body).
class PrintUiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetRememberedPrintScope();
        m_previousHook = SetPrintMessageHook([this](const QString& text) { messages << text; });
        m_previousFactory = SetPrintBodyFactory(
            [this](int scope, IDoc*, IPrintViewMgr*, QWidget*, platform::IPrintControl* control) {
                ++compositions;
                scopesSeen << scope;
                return std::make_unique<TestPrinter>(control, [this, scope](TestPrinter& printer) {
                    if (body) {
                        body(printer);
                        return;
                    }
                    platform::IPrintControl& out = printer.GetControl();
                    out.StartDoc();
                    out.PrintParagraph(QStringLiteral("Composed for scope %1").arg(scope));
                    out.EndDoc();
                });
            });
    }

    void TearDown() override
    {
        SetPrintBodyFactory(m_previousFactory);
        SetPrintMessageHook(m_previousHook);
        SetPrintDialogRunner({});
    }

    static PrintSettings Stored() { return GetUserPrefs()->GetPrintSettings(); }
    static void Store(const PrintSettings& settings) { GetUserPrefs()->SetPrintSettings(settings); }

    ScopedPrintPrefs m_prefs;
    QStringList messages;
    int compositions = 0;
    QList<int> scopesSeen;
    std::function<void(TestPrinter&)> body;

private:
    PrintMessageHook m_previousHook;
    PrintBodyFactory m_previousFactory;
};
