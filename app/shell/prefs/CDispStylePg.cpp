#include "shell/prefs/CDispStylePg.h"

#include "foundation/ui/UIStringWidgets.h"
#include "shell/prefs/PrefsStrings.h"

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

namespace {

constexpr int kAlignLeft = 33;
constexpr int kAlignRight = 34;

QRadioButton* NewRadio(int textId, QWidget* parent)
{
    auto* button = new QRadioButton(parent);
    SetWindowTextById(button, textId);
    return button;
}

} // namespace

CDispStylePg::CDispStylePg(GeneralSettings* record, QWidget* parent)
    : CPreferencePage(record, parent)
    , m_unitGroup(new QButtonGroup(this))
    , m_cadStyle(new QCheckBox(this))
    , m_precisionLabel(new QLabel(this))
    , m_precision(new QComboBox(this))
    , m_decimalsLabel(new QLabel(this))
    , m_decimals(new QComboBox(this))
    , m_hideUnits(new QCheckBox(this))
    , m_alignLeft(NewRadio(kStrAlignLeft, this))
    , m_alignRight(NewRadio(kStrAlignRight, this))
    , m_widthByLength(NewRadio(kStrWidthByLength, this))
    , m_lengthByWidth(NewRadio(kStrLengthByWidth, this))
{
    // The record as the page's values: styles 1 to 4 are their buttons, any
    // other style Millimeters; precision 1 to 3 their entries, any other 1/64.
    const int style = Record()->dimensionsStyle;
    const int unit = style >= 1 && style <= 4 ? style - 1 : Millimeters;
    const int precision = Record()->dimensionsPrecision;
    const int precisionIndex = precision >= 1 && precision <= 3 ? precision - 1 : 3;
    m_decimalsIndex = std::max(Record()->dimensionsDecimals, 0);

    auto* styleGroup = new QGroupBox(this);
    SetWindowTextById(styleGroup, kStrDimensionStyleGroup);
    auto* styleLayout = new QVBoxLayout(styleGroup);
    const int unitTexts[UnitCount] = { kStrUnitInches, kStrUnitFeetInches, kStrUnitDecimalInches,
        kStrUnitCentimeters, kStrUnitMillimeters };
    for (int i = 0; i < UnitCount; ++i) {
        m_units[i] = NewRadio(unitTexts[i], styleGroup);
        m_unitGroup->addButton(m_units[i], i);
        styleLayout->addWidget(m_units[i]);
        connect(m_units[i], &QRadioButton::clicked, this, &CDispStylePg::ApplyUnitRule);
    }
    SetWindowTextById(m_cadStyle, kStrCadStyle);
    styleLayout->addWidget(m_cadStyle);

    SetWindowTextById(m_precisionLabel, kStrPrecisionLabel);
    m_precision->addItems(
        { QStringLiteral("1/8"), QStringLiteral("1/16"), QStringLiteral("1/32"), QStringLiteral("1/64") });
    SetWindowTextById(m_decimalsLabel, kStrDecimalsLabel);
    SetWindowTextById(m_hideUnits, kStrHideUnits);
    auto* alignmentLabel = new QLabel(this);
    SetWindowTextById(alignmentLabel, kStrAlignmentLabel);
    // The two pairs of radio buttons are groups of their own.
    auto* alignGroup = new QButtonGroup(this);
    alignGroup->addButton(m_alignLeft);
    alignGroup->addButton(m_alignRight);
    auto* orderGroup = new QButtonGroup(this);
    orderGroup->addButton(m_widthByLength);
    orderGroup->addButton(m_lengthByWidth);

    auto* numbers = new QGridLayout;
    numbers->addWidget(m_precisionLabel, 0, 0);
    numbers->addWidget(m_precision, 0, 1);
    numbers->addWidget(m_decimalsLabel, 1, 0);
    numbers->addWidget(m_decimals, 1, 1);
    numbers->addWidget(m_hideUnits, 2, 0, 1, 2);
    auto* alignment = new QHBoxLayout;
    alignment->addWidget(alignmentLabel);
    alignment->addWidget(m_alignLeft);
    alignment->addWidget(m_alignRight);
    alignment->addStretch();
    numbers->addLayout(alignment, 3, 0, 1, 2);

    auto* dimensionsGroup = new QGroupBox(this);
    SetWindowTextById(dimensionsGroup, kStrDimensionsGroup);
    auto* dimensionsLayout = new QVBoxLayout(dimensionsGroup);
    dimensionsLayout->addWidget(m_widthByLength);
    dimensionsLayout->addWidget(m_lengthByWidth);

    auto* layout = new QGridLayout(this);
    layout->addWidget(styleGroup, 0, 0);
    layout->addLayout(numbers, 0, 1);
    layout->addWidget(dimensionsGroup, 1, 0);
    layout->setRowStretch(2, 1);

    // Opening.
    m_units[unit]->setChecked(true);
    m_precision->setCurrentIndex(precisionIndex);
    m_hideUnits->setChecked(Record()->hideDimensionUnits && style != 2);
    (Record()->dimensionAlignment == kAlignLeft ? m_alignLeft : m_alignRight)->setChecked(true);
    (Record()->displayWxL ? m_widthByLength : m_lengthByWidth)->setChecked(true);
    ApplyUnitRule();
}

void CDispStylePg::ApplyUnitRule()
{
    const int unit = m_unitGroup->checkedId();
    const bool fractional = unit == Inches || unit == FeetInches;
    m_precisionLabel->setEnabled(fractional);
    m_precision->setEnabled(fractional);
    m_decimalsLabel->setEnabled(!fractional);
    m_decimals->setEnabled(!fractional);

    const int largest = unit == Millimeters ? 1 : unit == Centimeters ? 2 : 4;
    int index = m_decimals->count() > 0 ? m_decimals->currentIndex() : m_decimalsIndex;
    index = std::clamp(index, 0, largest);
    m_decimals->clear();
    for (int decimals = 0; decimals <= largest; ++decimals)
        m_decimals->addItem(QString::number(decimals));
    m_decimals->setCurrentIndex(index);

    const bool cadAllowed = unit == FeetInches || unit == DecimalInches;
    m_cadStyle->setEnabled(cadAllowed);
    m_cadStyle->setChecked(cadAllowed && Record()->cadStyle);
}

void CDispStylePg::CommitToRecord()
{
    GeneralSettings& record = *Record();
    const int unit = m_unitGroup->checkedId();
    record.dimensionsStyle = unit >= 0 ? unit + 1 : 0;
    const int precision = m_precision->currentIndex();
    record.dimensionsPrecision = precision >= 0 ? precision + 1 : 0;
    record.dimensionsDecimals = m_decimals->currentIndex();
    record.cadStyle = m_cadStyle->isChecked();
    record.hideDimensionUnits = m_hideUnits->isChecked();
    record.dimensionAlignment = m_alignLeft->isChecked() ? kAlignLeft : kAlignRight;
    record.displayWxL = m_widthByLength->isChecked();
}
