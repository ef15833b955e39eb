#pragma once

#include "foundation/ui/CUserPrefsPropSheet.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

// How lengths and part sizes are written: the unit, the fraction precision
// or the number of decimals, CAD style, units shown or not, alignment and
// which of width and length comes first.
class CDispStylePg : public CPreferencePage
{
    Q_OBJECT

public:
    // Unit buttons in the order of the dimension styles 1 to 5.
    enum Unit { Inches, FeetInches, DecimalInches, Centimeters, Millimeters, UnitCount };

    explicit CDispStylePg(GeneralSettings* record, QWidget* parent = nullptr);
    void CommitToRecord() override;

    QRadioButton* UnitButton(Unit unit) const { return m_units[unit]; }
    QCheckBox* CadStyleBox() const { return m_cadStyle; }
    QComboBox* PrecisionList() const { return m_precision; }
    QComboBox* DecimalsList() const { return m_decimals; }
    QCheckBox* HideUnitsBox() const { return m_hideUnits; }
    QRadioButton* AlignLeftButton() const { return m_alignLeft; }
    QRadioButton* WidthByLengthButton() const { return m_widthByLength; }
    QRadioButton* LengthByWidthButton() const { return m_lengthByWidth; }

private:
    // Enables precision or decimals, fills the decimals list up to what the
    // unit allows, and offers CAD style only for feet and inches or decimal inches.
    void ApplyUnitRule();

    QRadioButton* m_units[UnitCount] {};
    QButtonGroup* m_unitGroup;
    QCheckBox* m_cadStyle;
    QLabel* m_precisionLabel;
    QComboBox* m_precision;
    QLabel* m_decimalsLabel;
    QComboBox* m_decimals;
    QCheckBox* m_hideUnits;
    QRadioButton* m_alignLeft;
    QRadioButton* m_alignRight;
    QRadioButton* m_widthByLength;
    QRadioButton* m_lengthByWidth;
    int m_decimalsIndex = 0;
};
