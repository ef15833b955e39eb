#include "shell/prefs/CShadingPg.h"

#include "foundation/NamedColors.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"
#include "foundation/ui/ColorPickerSetup.h"
#include "foundation/ui/UIStringWidgets.h"
#include "shell/controls/COXColorPickerButton.h"
#include "shell/controls/CTCPPatternPickerButton.h"
#include "shell/prefs/PageWidgets.h"
#include "shell/prefs/PrefsStrings.h"
#include "shell/prefs/ShadingPreview.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr std::uint32_t kSolid = CTCPPatternPickerCtrl::kSolid;
constexpr std::uint32_t kHollow = CTCPPatternPickerCtrl::kHollow;

// Where each row keeps its colour and pattern in the record, and what
// "Default" gives.
struct RowFields
{
    std::int32_t GeneralSettings::*color;
    std::int32_t GeneralSettings::*pattern;
    platform::ColorRef defaultColor;
    std::uint32_t defaultPattern;
};

constexpr RowFields kRowFields[CShadingPg::RowCount] = {
    { &GeneralSettings::normalPartColor, &GeneralSettings::normalPartPattern, 0xFEDCD3, kSolid },
    { &GeneralSettings::selectedPartColor, &GeneralSettings::selectedPartPattern, 0xCAFFFF, kSolid },
    { &GeneralSettings::printedPartColor, &GeneralSettings::printedPartPattern, 0xFFFFFF, kSolid },
    { &GeneralSettings::screenWasteColor, &GeneralSettings::screenWastePattern, 0xFFFFFF, kSolid },
    { &GeneralSettings::printedWasteColor, &GeneralSettings::printedWastePattern, 0x808080, 3 },
};

bool IsWasteRow(int row)
{
    return row == CShadingPg::ScreenWaste || row == CShadingPg::PrintedWaste;
}

} // namespace

CShadingPg::CShadingPg(GeneralSettings* record, QWidget* parent)
    : CPreferencePage(record, parent)
    , m_patterns {
        { 3, LoadUIString(kStrPatternDwnDiagonal) },
        { 4, LoadUIString(kStrPatternCrosshatch) },
        { 5, LoadUIString(kStrPatternDiagCrosshatch) },
        { 2, LoadUIString(kStrPatternUpDiagonal) },
        { 0, LoadUIString(kStrPatternHorizontal) },
        { 1, LoadUIString(kStrPatternVertical) },
        { kSolid, LoadUIString(kStrPatternSolid) },
        { kHollow, LoadUIString(kStrPatternHollow) },
    }
    , m_screenWasteLabel(NewPageLabel(kStrShadingOnScreen))
    , m_printedWasteLabel(NewPageLabel(kStrShadingPrintedWaste))
    , m_showGrain(new QRadioButton)
    , m_shadeWaste(new QRadioButton)
{
    NamedColorList colors;
    BuildNamedColorList(colors);
    std::vector<std::uint32_t> patternValues;
    std::vector<std::pair<std::uint32_t, QString>> patternNames;
    for (const PatternEntry& entry : m_patterns) {
        patternValues.push_back(entry.value);
        patternNames.emplace_back(entry.value, entry.name);
    }
    const QString defaultText = LoadUIString(UIStringId::ColorPickerDefault);

    for (int row = 0; row < RowCount; ++row) {
        const RowFields& fields = kRowFields[row];
        RowControls& controls = m_rows[row];
        controls.color = new COXColorPickerButton;
        controls.pattern = new CTCPPatternPickerButton;
        controls.preview = new ShadingPreview;
        for (QWidget* picker :
            { static_cast<QWidget*>(controls.color), static_cast<QWidget*>(controls.pattern) })
            picker->setMinimumSize(60, 24);

        SetUpColorPicker(colors, *controls.color, static_cast<platform::ColorRef>(Record()->*fields.color),
            fields.defaultColor);
        // The pattern button looks and tells like its colour neighbour.
        controls.pattern->EnableToolTip(true);
        controls.pattern->SetTrackLook(true);
        CTCPPatternPickerCtrl& bar = controls.pattern->PatternBar();
        bar.SetButtons(patternValues);
        bar.SetToolTipTexts(patternNames);
        bar.SetDefaultButtonText(defaultText);
        bar.SetDefaultValue(fields.defaultPattern);
        controls.pattern->SetPattern(static_cast<std::uint32_t>(Record()->*fields.pattern), true);

        const Row which = static_cast<Row>(row);
        connect(controls.color, &QAbstractButton::clicked, this, [this, which] { UpdatePreview(which); });
        connect(controls.pattern, &QAbstractButton::clicked, this, [this, which] { UpdatePreview(which); });
    }

    // Parts above, waste below; each row: label, colour, pattern, preview.
    auto* parts = new QGroupBox(this);
    SetWindowTextById(parts, kStrShadingParts);
    auto* partsGrid = new QGridLayout(parts);
    const int partLabels[] = { kStrShadingNormal, kStrShadingSelected, kStrShadingPrintedPart };
    for (int row = NormalPart; row <= PrintedPart; ++row) {
        partsGrid->addWidget(NewPageLabel(partLabels[row]), row, 0);
        partsGrid->addWidget(m_rows[row].color, row, 1);
        partsGrid->addWidget(m_rows[row].pattern, row, 2);
        partsGrid->addWidget(m_rows[row].preview, row, 3);
    }

    auto* waste = new QGroupBox(this);
    SetWindowTextById(waste, kStrShadingWaste);
    SetWindowTextById(m_showGrain, kStrShowGrainInWaste);
    SetWindowTextById(m_shadeWaste, kStrShadeWaste);
    auto* wasteGrid = new QGridLayout(waste);
    wasteGrid->addWidget(m_showGrain, 0, 0, 1, 4);
    wasteGrid->addWidget(m_shadeWaste, 1, 0, 1, 4);
    QLabel* const wasteLabels[] = { m_screenWasteLabel, m_printedWasteLabel };
    for (int row = ScreenWaste; row <= PrintedWaste; ++row) {
        const int line = row - ScreenWaste + 2;
        wasteGrid->addWidget(wasteLabels[row - ScreenWaste], line, 0);
        wasteGrid->addWidget(m_rows[row].color, line, 1);
        wasteGrid->addWidget(m_rows[row].pattern, line, 2);
        wasteGrid->addWidget(m_rows[row].preview, line, 3);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(parts);
    layout->addWidget(waste);
    layout->addStretch();

    (Record()->showGrain ? m_showGrain : m_shadeWaste)->setChecked(true);
    connect(m_showGrain, &QRadioButton::clicked, this, &CShadingPg::ApplyWasteRule);
    connect(m_shadeWaste, &QRadioButton::clicked, this, &CShadingPg::ApplyWasteRule);
    ApplyWasteRule();
}

void CShadingPg::ApplyWasteRule()
{
    const bool shaded = !m_showGrain->isChecked();
    for (int row = ScreenWaste; row <= PrintedWaste; ++row) {
        m_rows[row].color->setEnabled(shaded);
        m_rows[row].pattern->setEnabled(shaded);
    }
    m_screenWasteLabel->setEnabled(shaded);
    m_printedWasteLabel->setEnabled(shaded);
    for (int row = 0; row < RowCount; ++row)
        UpdatePreview(static_cast<Row>(row));
}

void CShadingPg::UpdatePreview(Row row)
{
    const RowControls& controls = m_rows[row];
    controls.preview->SetShading(controls.color->GetColor(), controls.pattern->GetPattern(),
        !IsWasteRow(row) || !m_showGrain->isChecked());
}

void CShadingPg::CommitToRecord()
{
    for (int row = 0; row < RowCount; ++row) {
        Record()->*kRowFields[row].color = static_cast<std::int32_t>(m_rows[row].color->GetColor());
        Record()->*kRowFields[row].pattern = static_cast<std::int32_t>(m_rows[row].pattern->GetPattern());
    }
    Record()->showGrain = m_showGrain->isChecked();
}
