#include "output/print/PrintSetupDialog.h"

#include "foundation/ResourceBase.h"
#include "output/print/PrintStrings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The printer choice's entry for PDF output carries no printer name.
const QString kPdfEntryName = QStringLiteral("PDF File");

// The papers a printer offers; PDF output (no name) and a printer that
// names none take the common sizes.
std::vector<QPageSize> PapersOf(const QString& printerName)
{
    std::vector<QPageSize> papers;
    if (!printerName.isEmpty()) {
        for (const QPageSize& paper : QPrinterInfo::printerInfo(printerName).supportedPageSizes())
            papers.push_back(paper);
    }
    if (papers.empty()) {
        for (QPageSize::PageSizeId id : platform::PdfPaperSizes())
            papers.emplace_back(id);
    }
    return papers;
}

} // namespace

void ListPrinters(QComboBox& choice, const QPrinter& printer)
{
    choice.clear();
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        choice.addItem(name, name);
    choice.addItem(kPdfEntryName, QString());
    const int index = printer.outputFormat() == QPrinter::PdfFormat ? choice.count() - 1
                                                                    : choice.findData(printer.printerName());
    choice.setCurrentIndex(std::max(index, 0));
}

void ChoosePrinter(const QComboBox& choice, int index, QPrinter& printer)
{
    const QString name = choice.itemData(index).toString();
    if (name.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        return;
    }
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
}

PrintSetupDialog::PrintSetupDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent)
    , m_printer(printer)
    , m_printerChoice(new QComboBox)
    , m_boxes(*this, printer.pageLayout().orientation())
{
    setWindowTitle(LoadUIString(kStrPrintSetupTitle));
    ListPrinters(*m_printerChoice, printer);
    // The stored paper shows as it is, also when the printer does not list it.
    ListPapers(printer.pageLayout().pageSize(), true);
    connect(m_printerChoice, &QComboBox::activated, this, [this] {
        const int paper = m_boxes.paper->currentIndex();
        ListPapers(paper >= 0 ? m_papers[static_cast<std::size_t>(paper)] : QPageSize(), false);
    });

    auto* printerBox = new QGroupBox(tr("Printer"));
    auto* printerForm = new QFormLayout(printerBox);
    printerForm->addRow(tr("&Name:"), m_printerChoice);

    auto* page = new QHBoxLayout;
    page->addWidget(m_boxes.paperBox, 1);
    page->addWidget(m_boxes.orientationBox);
    // The button only stores the choice: it must not promise a print.
    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->addWidget(printerBox);
    layoutBox->addLayout(page);
    layoutBox->addWidget(m_boxes.buttons);
}

void PrintSetupDialog::ListPapers(const QPageSize& current, bool keepUnlisted)
{
    m_papers = PapersOf(m_printerChoice->currentData().toString());
    auto same = [&current](const QPageSize& paper) { return paper.isEquivalentTo(current); };
    auto found = std::find_if(m_papers.begin(), m_papers.end(), same);
    if (found == m_papers.end() && keepUnlisted && current.isValid()) {
        m_papers.push_back(current);
        found = m_papers.end() - 1;
    }
    m_boxes.paper->clear();
    for (const QPageSize& paper : m_papers)
        m_boxes.paper->addItem(paper.name());
    m_boxes.paper->setCurrentIndex(found == m_papers.end() ? 0 : static_cast<int>(found - m_papers.begin()));
}

void PrintSetupDialog::accept()
{
    ChoosePrinter(*m_printerChoice, m_printerChoice->currentIndex(), m_printer);
    const int paper = m_boxes.paper->currentIndex();
    if (paper >= 0)
        m_printer.setPageSize(m_papers[static_cast<std::size_t>(paper)]);
    m_printer.setPageOrientation(m_boxes.ChosenOrientation());
    QDialog::accept();
}
