#include "output/print/ui/PrintPreferencePages.h"

#include "foundation/ResourceBase.h"
#include "foundation/ui/UIStringWidgets.h"
#include "output/print/ui/PrintUiStrings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

CPrintOptsPage::CPrintOptsPage(GeneralSettings* record, QWidget* parent)
    : CPreferencePage(record, parent)
    , m_diagramsPerPage(new QComboBox)
    , m_takeOff(new QCheckBox)
    , m_shadeRows(new QCheckBox)
{
    auto* layouts = new QGroupBox(this);
    SetWindowTextById(layouts, kStrLayoutsGroup);
    auto* perPageLabel = new QLabel;
    SetWindowTextById(perPageLabel, kStrDiagramsPerPage);
    SetWindowTextById(m_takeOff, kStrTakeOffWithLayout);
    SetWindowTextById(m_shadeRows, kStrShadeAlternateRows);

    auto* perPageRow = new QHBoxLayout;
    perPageRow->addWidget(perPageLabel);
    perPageRow->addWidget(m_diagramsPerPage);
    perPageRow->addStretch();
    auto* layoutsLayout = new QVBoxLayout(layouts);
    layoutsLayout->addLayout(perPageRow);
    layoutsLayout->addWidget(m_takeOff);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(layouts);
    layout->addWidget(m_shadeRows);
    layout->addStretch();

    m_takeOff->setChecked(Record()->layoutWithTakeOff);
    m_shadeRows->setChecked(Record()->shadeRowsForGridlines);
    // The list's index is the diagrams-per-page value.
    m_diagramsPerPage->addItems(
        { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("2x2"), QStringLiteral("1x4") });
    ApplyTakeOffRule();
    connect(m_takeOff, &QCheckBox::clicked, this, &CPrintOptsPage::ApplyTakeOffRule);
}

void CPrintOptsPage::ApplyTakeOffRule()
{
    if (m_takeOff->isChecked()) {
        m_diagramsPerPage->setEnabled(false);
        m_diagramsPerPage->setCurrentIndex(0);
        return;
    }
    m_diagramsPerPage->setEnabled(true);
    m_diagramsPerPage->setCurrentIndex(std::clamp(Record()->layoutsPageConfig, 0, 3));
}

void CPrintOptsPage::CommitToRecord()
{
    Record()->layoutWithTakeOff = m_takeOff->isChecked();
    Record()->layoutsPageConfig = m_diagramsPerPage->currentIndex();
    Record()->shadeRowsForGridlines = m_shadeRows->isChecked();
}

namespace {

constexpr int kRowLabels[CPrintOrientationPg::RowCount] = {
    kStrCoverPageSection,
    kStrPartsListSection,
    kStrLayoutsSection,
    kStrBOMSection,
    kStrTakeOffSection,
    kStrRawMaterialsSection,
    kStrOrientReports,
};

} // namespace

CPrintOrientationPg::CPrintOrientationPg(GeneralSettings* record, QWidget* parent)
    : CPreferencePage(record, parent)
{
    auto* grid = new QGridLayout;
    const int headers[] = { kStrSectionHeader, kStrPortrait, kStrLandscape };
    for (int column = 0; column < 3; ++column) {
        auto* header = new QLabel;
        SetWindowTextById(header, headers[column]);
        grid->addWidget(header, 0, column, column == 0 ? Qt::AlignLeft : Qt::AlignHCenter);
    }
    for (int row = 0; row < RowCount; ++row) {
        auto* label = new QLabel;
        SetWindowTextById(label, kRowLabels[row]);
        m_portrait[row] = new QRadioButton;
        m_landscape[row] = new QRadioButton;
        // Each row is a pair of its own.
        auto* pair = new QButtonGroup(this);
        pair->addButton(m_portrait[row]);
        pair->addButton(m_landscape[row]);
        grid->addWidget(label, row + 1, 0);
        grid->addWidget(m_portrait[row], row + 1, 1, Qt::AlignHCenter);
        grid->addWidget(m_landscape[row], row + 1, 2, Qt::AlignHCenter);
        (Flag(static_cast<Row>(row)) ? m_portrait[row] : m_landscape[row])->setChecked(true);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
}

bool& CPrintOrientationPg::Flag(Row row) const
{
    GeneralSettings& record = *Record();
    switch (row) {
    case CoverPage:
        return record.printCoverPage;
    case PartsList:
        return record.printPartsList;
    case Layouts:
        return record.printLayouts;
    case BillOfMaterials:
        return record.printBOM;
    case TakeOffLists:
        return record.printTakeOffs;
    case RawMaterials:
        return record.printRawMaterials;
    case Reports:
    case RowCount:
        break;
    }
    return record.printReports;
}

void CPrintOrientationPg::CommitToRecord()
{
    for (int row = 0; row < RowCount; ++row)
        Flag(static_cast<Row>(row)) = m_portrait[row]->isChecked();
}

void RegisterPrintPreferencePages()
{
    RegisterPreferencePage(PrefsPage::PrintOptions,
        [](GeneralSettings* record) -> CPreferencePage* { return new CPrintOptsPage(record); });
    RegisterPreferencePage(PrefsPage::PrintOrientation,
        [](GeneralSettings* record) -> CPreferencePage* { return new CPrintOrientationPg(record); });
}
