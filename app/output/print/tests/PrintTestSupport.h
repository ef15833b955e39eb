#pragma once
// Helpers of the printing tests: preferences in a temporary folder, a printer
// whose body the test supplies, and the poppler tools that read the PDF back.

#include "output/print/CPrintEngineBase.h"

#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <functional>

class CUserPrefs;

// Fresh preferences with their defaults, installed for one test.
class ScopedPrintPrefs
{
public:
    ScopedPrintPrefs();
    ~ScopedPrintPrefs();
    ScopedPrintPrefs(const ScopedPrintPrefs&) = delete;
    ScopedPrintPrefs& operator=(const ScopedPrintPrefs&) = delete;

    CUserPrefs& Prefs() { return *m_prefs; }
    QString Folder() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    CUserPrefs* m_prefs;
};

// A printer whose body is the test's.
class TestPrinter : public CPrintEngineBase
{
public:
    explicit TestPrinter(platform::IPrintControl* control, std::function<void(TestPrinter&)> body = {})
        : CPrintEngineBase(nullptr, nullptr, nullptr, control)
        , m_body(std::move(body))
    {
        BeginDocument();
    }
    void PrintBody() override
    {
        if (m_body)
            m_body(*this);
    }

private:
    std::function<void(TestPrinter&)> m_body;
};

// Output of a poppler tool; empty when it could not run.
QString RunPdfTool(const QString& tool, const QStringList& arguments);
QString PdfPageText(const QString& pdf, int page);
// "Page    n size: w x h pts" lines of pdfinfo for the pages.
QString PdfPageSizes(const QString& pdf, int lastPage);
// One page at 72 dots per inch: one pixel is 20 twips.
QImage PdfPageImage(const QString& pdf, int page);
