#include "output/print/PrintSetupDialog.h"

#include "foundation/ResourceBase.h"
#include "output/print/PrintStrings.h"
#include "platform/ui/PageSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
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
    , m_paperChoice(new QComboBox)
    , m_portrait(new QRadioButton(tr("&Portrait")))
    , m_landscape(new QRadioButton(tr("&Landscape")))
{
    setWindowTitle(LoadUIString(kStrPrintSetupTitle));
    const QPageLayout layout = printer.pageLayout();
    ListPrinters(*m_printerChoice, printer);
    // The stored paper shows as it is, also when the printer does not list it.
    ListPapers(layout.pageSize(), true);
    (layout.orientation() == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);
    connect(m_printerChoice, &QComboBox::activated, this, [this] {
        const int paper = m_paperChoice->currentIndex();
        ListPapers(paper >= 0 ? m_papers[static_cast<std::size_t>(paper)] : QPageSize(), false);
    });

    auto* printerBox = new QGroupBox(tr("Printer"));
    auto* printerForm = new QFormLayout(printerBox);
    printerForm->addRow(tr("&Name:"), m_printerChoice);

    auto* paperBox = new QGroupBox(tr("Paper"));
    auto* paperForm = new QFormLayout(paperBox);
    paperForm->addRow(tr("&Size:"), m_paperChoice);

    auto* orientationBox = new QGroupBox(tr("Orientation"));
    auto* orientationLayout = new QVBoxLayout(orientationBox);
    orientationLayout->addWidget(m_portrait);
    orientationLayout->addWidget(m_landscape);

    auto* page = new QHBoxLayout;
    page->addWidget(paperBox, 1);
    page->addWidget(orientationBox);
    // The button only stores the choice: it must not promise a print.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->addWidget(printerBox);
    layoutBox->addLayout(page);
    layoutBox->addWidget(buttons);
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
    m_paperChoice->clear();
    for (const QPageSize& paper : m_papers)
        m_paperChoice->addItem(paper.name());
    m_paperChoice->setCurrentIndex(found == m_papers.end() ? 0 : static_cast<int>(found - m_papers.begin()));
}

void PrintSetupDialog::accept()
{
    ChoosePrinter(*m_printerChoice, m_printerChoice->currentIndex(), m_printer);
    const int paper = m_paperChoice->currentIndex();
    if (paper >= 0)
        m_printer.setPageSize(m_papers[static_cast<std::size_t>(paper)]);
    m_printer.setPageOrientation(m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QDialog::accept();
}
