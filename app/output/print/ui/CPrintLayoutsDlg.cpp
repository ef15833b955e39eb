#include "output/print/ui/CPrintLayoutsDlg.h"

#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"
#include "foundation/UserPrefsBase.h"
#include "foundation/ui/CUserPrefsPropSheet.h"
#include "foundation/ui/HelpButton.h"
#include "foundation/ui/UIStringWidgets.h"
#include "output/print/PageSetupGlue.h"
#include "output/print/PrintMessages.h"
#include "output/print/PrintPrefs.h"
#include "output/print/PrintSetupDialog.h"
#include "output/print/ui/IPrintViewHost.h"
#include "output/print/ui/PrintUiStrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

int& RememberedScope()
{
    static int scope = CPrintLayoutsDlg::AllSections;
    return scope;
}

PrintDialogRunner& Runner()
{
    static PrintDialogRunner runner;
    return runner;
}

} // namespace

PrintDialogRunner SetPrintDialogRunner(PrintDialogRunner runner)
{
    return std::exchange(Runner(), std::move(runner));
}

int RememberedPrintScope()
{
    return RememberedScope();
}

void ResetRememberedPrintScope()
{
    RememberedScope() = CPrintLayoutsDlg::AllSections;
}

CPrintLayoutsDlg::CPrintLayoutsDlg(IDoc* document, IPrintViewHost* view, bool preview, QWidget* parent)
    : QDialog(parent)
    , m_settings(PrintPrefs().GetPrintSettings())
    , m_document(document)
    , m_view(view)
    , m_preview(preview)
    , m_printer(QPrinter::HighResolution)
    , m_runSetup(ExecPrintSetupDialog)
    , m_printerLabel(new QLabel(this))
    , m_printerChoice(new QComboBox(this))
    , m_printRange(new QGroupBox(this))
    , m_allSections(new QRadioButton(m_printRange))
    , m_selectedSections(new QRadioButton(m_printRange))
    , m_coverPage(new QCheckBox(m_printRange))
    , m_partsList(new QCheckBox(m_printRange))
    , m_reports(new QCheckBox(m_printRange))
    , m_layouts(new QCheckBox(m_printRange))
    , m_takeOffLists(new QCheckBox(m_printRange))
    , m_billOfMaterials(new QCheckBox(m_printRange))
    , m_separator(new QFrame(m_printRange))
    , m_rawMaterials(new QRadioButton(m_printRange))
    , m_defaultButton(new QPushButton(this))
    , m_cancelButton(new QPushButton(this))
    , m_optionsButton(new QPushButton(this))
    , m_setupButton(new QPushButton(this))
    , m_helpButton(new QPushButton(this))
{
    m_settings.scope = RememberedScope();
    // A stored printer that is gone gives way to the default one, and
    // without any printer to PDF output: neither is a reason to give up.
    if (!InitPrintDialog(m_printer))
        GetPrinterHandles(QString(), m_printer);
    ApplyPageSetupToDevMode(&m_printer, m_settings.GetPrinterPageSetup());
    BuildLayout();
    InitDialog();
}

CPrintLayoutsDlg::~CPrintLayoutsDlg() = default;

void CPrintLayoutsDlg::BuildLayout()
{
    // The scope buttons are handled by their own click handlers, so that
    // exactly one is checked whatever the group box holds.
    for (QRadioButton* button : { m_allSections, m_selectedSections, m_rawMaterials }) {
        button->setAutoExclusive(false);
        connect(button, &QRadioButton::clicked, this, [this, button] { OnScopeClicked(button); });
    }
    m_separator->setFrameShape(QFrame::HLine);
    m_separator->setFrameShadow(QFrame::Sunken);

    auto* sections = new QGridLayout(m_printRange);
    sections->addWidget(m_allSections, 0, 0, 1, 3);
    sections->addWidget(m_selectedSections, 1, 0, 1, 3);
    sections->setColumnMinimumWidth(0, 16);
    sections->addWidget(m_coverPage, 2, 1);
    sections->addWidget(m_partsList, 3, 1);
    sections->addWidget(m_reports, 4, 1);
    sections->addWidget(m_layouts, 2, 2);
    sections->addWidget(m_takeOffLists, 3, 2);
    sections->addWidget(m_billOfMaterials, 4, 2);
    sections->setRowMinimumHeight(5, 12);
    sections->addWidget(m_separator, 6, 0, 1, 3);
    sections->addWidget(m_rawMaterials, 7, 0, 1, 3);
    sections->setRowStretch(8, 1);

    auto* printerRow = new QHBoxLayout;
    printerRow->addWidget(m_printerLabel);
    printerRow->addWidget(m_printerChoice, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(printerRow);
    left->addWidget(m_printRange, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_defaultButton);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_optionsButton);
    buttons->addWidget(m_setupButton);
    buttons->addSpacing(8);
    buttons->addWidget(m_helpButton);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    m_defaultButton->setDefault(true);
    m_defaultButton->setAutoDefault(true);
    connect(m_defaultButton, &QPushButton::clicked, this, &CPrintLayoutsDlg::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &CPrintLayoutsDlg::reject);
    connect(m_optionsButton, &QPushButton::clicked, this, &CPrintLayoutsDlg::OnOptions);
    connect(m_setupButton, &QPushButton::clicked, this, &CPrintLayoutsDlg::OnSetup);
    ConnectHelpButton(m_helpButton, kHelpTopic);
    FillPrinterChoice();
    connect(m_printerChoice, &QComboBox::activated, this, &CPrintLayoutsDlg::OnPrinterChosen);
}

void CPrintLayoutsDlg::FillPrinterChoice()
{
    ListPrinters(*m_printerChoice, m_printer);
}

void CPrintLayoutsDlg::OnPrinterChosen(int index)
{
    ChoosePrinter(*m_printerChoice, index, m_printer);
}

bool CPrintLayoutsDlg::IsPdfOutput() const
{
    return m_printer.outputFormat() == QPrinter::PdfFormat;
}

void CPrintLayoutsDlg::InitDialog()
{
    setWindowTitle(LoadUIString(m_preview ? kStrPreviewCaption : kStrPrintCaption));
    SetWindowTextById(m_defaultButton, m_preview ? kStrPreviewButton : kStrPrintButton);
    SetWindowTextById(m_printerLabel, kStrPrinterLabel);
    SetWindowTextById(m_printRange, kStrPrintRange);
    SetWindowTextById(m_allSections, kStrAllSections);
    SetWindowTextById(m_selectedSections, kStrSelectedSections);
    SetWindowTextById(m_partsList, kStrPartsListSection);
    SetWindowTextById(m_billOfMaterials, kStrBOMSection);
    SetWindowTextById(m_coverPage, kStrCoverPageSection);
    SetWindowTextById(m_layouts, kStrLayoutsSection);
    SetWindowTextById(m_takeOffLists, kStrTakeOffSection);
    SetWindowTextById(m_rawMaterials, kStrRawMaterialsScope);
    SetWindowTextById(m_cancelButton, UIStringId::Cancel);
    SetWindowTextById(m_optionsButton, kStrOptionsButton);
    SetWindowTextById(m_helpButton, UIStringId::Help);
    SetWindowTextById(m_setupButton, kStrSetupButton);
    SetWindowTextById(m_reports, kStrDlgReports);

    m_allSections->setChecked(m_settings.scope == AllSections);
    m_selectedSections->setChecked(m_settings.scope == SelectedSections);
    m_rawMaterials->setChecked(m_settings.scope == RawMaterials);
    EnableSectionBoxes(m_settings.scope == SelectedSections);

    m_partsList->setChecked(m_settings.HasSectionBit(PrintSettings::PartsList));
    m_billOfMaterials->setChecked(m_settings.HasSectionBit(PrintSettings::BillOfMaterials));
    m_layouts->setChecked(m_settings.HasSectionBit(PrintSettings::Layouts));
    m_coverPage->setChecked(m_settings.HasSectionBit(PrintSettings::CoverPage));
    m_reports->setChecked(m_settings.HasSectionBit(PrintSettings::Reports));
    m_takeOffLists->setChecked(
        m_settings.HasSectionBit(PrintSettings::TakeOffLists) && !TakeOffBesideLayouts());
}

void CPrintLayoutsDlg::EnableSectionBoxes(bool selected)
{
    for (QCheckBox* box : { m_partsList, m_billOfMaterials, m_layouts, m_coverPage, m_reports })
        box->setEnabled(selected);
    m_takeOffLists->setEnabled(selected && !TakeOffBesideLayouts());
}

void CPrintLayoutsDlg::OnScopeClicked(QRadioButton* button)
{
    for (QRadioButton* scope : { m_allSections, m_selectedSections, m_rawMaterials })
        scope->setChecked(scope == button);
    EnableSectionBoxes(m_selectedSections->isChecked());
}

void CPrintLayoutsDlg::OnOptions()
{
    CUserPrefsPropSheet sheet(PrefsPage::PrintOptions, this);
    if (sheet.DoModal() != QDialog::Accepted)
        return;
    // The sheet changed the stored settings; the choice made here so far
    // (scope, sections) stays.
    const PrintSettings stored = PrintPrefs().GetPrintSettings();
    m_settings.bomNewPage = stored.bomNewPage;
    m_settings.bomSkipEmpty = stored.bomSkipEmpty;
    m_settings.takeOffOnLayoutPage = stored.takeOffOnLayoutPage;
    m_settings.diagramsPerPage = stored.diagramsPerPage;
    m_settings.tenthWord = stored.tenthWord;
    m_takeOffLists->setChecked(
        m_settings.HasSectionBit(PrintSettings::TakeOffLists) && !TakeOffBesideLayouts());
    m_takeOffLists->setEnabled(m_selectedSections->isChecked() && !TakeOffBesideLayouts());
}

void CPrintLayoutsDlg::OnSetup()
{
    bool confirmed = false;
    try {
        confirmed = m_runSetup && m_runSetup(m_printer, this);
    } catch (...) {
        ShowPrintStopMessage(QStringLiteral("Could not access the print driver"));
        return;
    }
    if (confirmed)
        FillPrinterChoice();
}

int CPrintLayoutsDlg::DoModal()
{
    if (Runner())
        return Runner()(*this);
    return exec();
}

void CPrintLayoutsDlg::accept()
{
    QDialog::accept();
    if (m_allSections->isChecked())
        m_settings.scope = AllSections;
    else if (m_selectedSections->isChecked())
        m_settings.scope = SelectedSections;
    else if (m_rawMaterials->isChecked())
        m_settings.scope = RawMaterials;
    RememberedScope() = m_settings.scope;

    // Collected whatever the scope; the printers read them only for a
    // selection of sections.
    m_settings.SetSectionBits(0);
    const std::pair<QCheckBox*, std::uint32_t> boxes[] = {
        { m_partsList, PrintSettings::PartsList },
        { m_billOfMaterials, PrintSettings::BillOfMaterials },
        { m_layouts, PrintSettings::Layouts },
        { m_coverPage, PrintSettings::CoverPage },
        { m_takeOffLists, PrintSettings::TakeOffLists },
        { m_reports, PrintSettings::Reports },
    };
    for (const auto& [box, bit] : boxes)
        if (box->isChecked())
            m_settings.AddSectionBit(bit);
    PrintPrefs().SetPrintSettings(m_settings);
    StorePrintDialogResult(m_printer);
}
