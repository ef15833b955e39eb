#include "document/ui/CProjSettingsSheet.h"

#include "document/DocumentStrings.h"

#include "foundation/CmdHistory.h"
#include "foundation/CommandExecutionScope.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"
#include "foundation/ui/HelpButton.h"
#include "foundation/ui/SmallControls.h"
#include "model/ModelStrings.h"
#include "model/ModelUiHook.h"
#include "model/ProjSettingsEditCmd.h"
#include "optimization/IOptimizationDoc.h"
#include "optimization/OptimizationOptionsEditCmd.h"
#include "optimization/OptimizationStrings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A packing choice as the page numbers it: " 1  Pack parts tightly, ...".
QString NumberedChoice(int number, int textId)
{
    return QStringLiteral(" %1  ").arg(number) + LoadUIString(textId);
}

} // namespace

// ------------------------------------------------------------- General

CProjSettingsGenPg::CProjSettingsGenPg(IOptimizationDoc& document, CProjSettingsSheet& sheet)
    : QWidget(&sheet), m_document(document), m_sheet(sheet), m_name(new QLineEdit(this)),
      m_notes(new QPlainTextEdit(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(LoadUIString(kStrSettingsProjectName), this));
    layout->addWidget(m_name);
    layout->addWidget(new QLabel(QStringLiteral("Notes:"), this));
    layout->addWidget(m_notes, 1);
    const ProjectSettings& settings = document.GetProjectSettings();
    m_name->setText(settings.GetProjectName());
    m_notes->setPlainText(settings.GetNotes());
    setEnabled(!sheet.IsReadOnly());
}

void CProjSettingsGenPg::CommitToRecord()
{
    if (m_document.IsProjectLocked())
        return;
    m_sheet.GetWorkingSettings().SetProjectName(m_name->text());
    m_sheet.GetWorkingSettings().SetNotes(m_notes->toPlainText());
}

// -------------------------------------------------------- Optimization

COptOptionsPP::COptOptionsPP(IOptimizationDoc& document, CProjSettingsSheet& sheet)
    : QWidget(&sheet), m_document(document), m_sheet(sheet),
      m_record(document.GetProjectSettings().GetOptimizationSettings())
{
    auto* layout = new QVBoxLayout(this);
    auto* objective = new QGroupBox(LoadUIString(kStrSettingsPrimaryObjective), this);
    auto* objectiveLayout = new QVBoxLayout(objective);
    objectiveLayout->addWidget(new QLabel(LoadUIString(kStrMinimize), objective));
    const int objectiveTexts[] = {kStrObjectiveWaste, kStrObjectiveTotalCost, kStrObjectiveProRated};
    for (int i = 0; i < 3; ++i) {
        m_objective[i] = new QRadioButton(LoadUIString(objectiveTexts[i]), objective);
        objectiveLayout->addWidget(m_objective[i]);
    }
    objectiveLayout->addWidget(new QLabel(LoadUIString(kStrConstraints), objective));
    m_offCutsFirst = new QCheckBox(LoadUIString(kStrSettingsUseOffCutsFirst), objective);
    m_inventoryFirst = new QCheckBox(LoadUIString(kStrSettingsUseInventoryFirst), objective);
    objectiveLayout->addWidget(m_offCutsFirst);
    objectiveLayout->addWidget(m_inventoryFirst);
    layout->addWidget(objective);

    auto* packing = new QGroupBox(LoadUIString(kStrPackingStrategy), this);
    auto* packingLayout = new QVBoxLayout(packing);
    const int packingTexts[] = {kStrPackTightly, kStrBalanceLowWaste, kStrAlignParts, kStrAlignmentOverCost};
    for (int i = 0; i < 4; ++i) {
        m_packing[i] = new QRadioButton(NumberedChoice(i + 1, packingTexts[i]), packing);
        packingLayout->addWidget(m_packing[i]);
    }
    layout->addWidget(packing);
    layout->addStretch(1);

    setUpdatesEnabled(false);
    if (m_record.objective < 3)
        m_objective[m_record.objective]->setChecked(true);
    m_offCutsFirst->setChecked(m_record.useOffCutsFirst);
    m_inventoryFirst->setChecked(m_record.useInventoryFirst);
    if (m_record.packing < 4)
        m_packing[m_record.packing]->setChecked(true);
    setUpdatesEnabled(true);
    setEnabled(!sheet.IsReadOnly());
}

void COptOptionsPP::CommitToRecord()
{
    if (m_document.IsProjectLocked())
        return;
    // The words no page shows keep the sheet's values.
    m_record = m_sheet.GetWorkingSettings().GetOptimizationSettings();
    m_record.objective = m_objective[0]->isChecked() ? 0 : m_objective[1]->isChecked() ? 1 : 2;
    m_record.useOffCutsFirst = m_offCutsFirst->isChecked();
    m_record.useInventoryFirst = m_inventoryFirst->isChecked();
    m_record.packing = m_packing[0]->isChecked() ? 0 : m_packing[1]->isChecked() ? 1 : m_packing[2]->isChecked() ? 2 : 3;
    m_sheet.GetWorkingSettings().SetOptimizationSettings(m_record);
}

// --------------------------------------------------------------- sheet

CProjSettingsSheet::CProjSettingsSheet(IOptimizationDoc& document, int startPage, QWidget* parent)
    : QDialog(parent), m_document(document), m_readOnly(document.IsProjectLocked()),
      m_working(document.GetProjectSettings()), m_tabs(new QTabWidget(this))
{
    setWindowTitle(LoadUIString(kStrProjectSettingsTitle));
    m_general = new CProjSettingsGenPg(document, *this);
    m_options = new COptOptionsPP(document, *this);
    m_tabs->addTab(m_general, LoadUIString(kStrGeneralPage));
    m_tabs->addTab(m_options, LoadUIString(kStrOptimizationPage));
    // Callers may name a page past the last (the layouts toolbar asks for its
    // optimization settings by a later index): that is the last page.
    m_tabs->setCurrentIndex(std::clamp(startPage, 0, m_tabs->count() - 1));
    // A property sheet: Apply has no use here, OK and Cancel take its place.
    auto* buttons
        = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    HidePropertySheetApplyButton(buttons);
    buttons->button(QDialogButtonBox::Ok)->setText(LoadUIString(UIStringId::Ok));
    buttons->button(QDialogButtonBox::Cancel)->setText(LoadUIString(UIStringId::Cancel));
    AddHelpButton(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);
    resize(480, 440);
    if (m_readOnly)
        ShowModelMessage(LoadUIString(kStrProjectLockedSettings));
}

CProjSettingsSheet::~CProjSettingsSheet() = default;

void CProjSettingsSheet::accept()
{
    m_general->CommitToRecord();
    m_options->CommitToRecord();
    QDialog::accept();
}

int CProjSettingsSheet::DoModal()
{
    const int result = exec();
    if (result == QDialog::Accepted)
        RecordCommands();
    return result;
}

void CProjSettingsSheet::RecordCommands()
{
    CmdHistory* history = GetCmdHistory();
    if (!history)
        return;
    // Both commands make one undo step, kept open while the sheet lives.
    if (!m_scope)
        m_scope = history->OpenNamedScope(UiText(kStrEditProjectSettings));
    const OptimizationSettings oldSettings = m_document.GetOptimizationSettings();
    const OptimizationSettings newSettings = m_working.GetOptimizationSettings();
    history->Add(std::make_shared<ProjSettingsEditCmd>(m_document, m_working));
    history->Add(std::make_shared<OptimizationOptionsEditCmd>(m_document, oldSettings, newSettings));
}
