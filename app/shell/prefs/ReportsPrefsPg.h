#pragma once

#include "foundation/ui/CUserPrefsPropSheet.h"

class QComboBox;
class QLineEdit;

// Units of area and lineal totals in the reports, and how many diagrams the
// reports list for each part.
class ReportsPrefsPg : public CPreferencePage
{
    Q_OBJECT

public:
    explicit ReportsPrefsPg(GeneralSettings* record, QWidget* parent = nullptr);
    void CommitToRecord() override;

    QComboBox* AreaUnitList() const { return m_areaUnits; }
    QComboBox* LinealUnitList() const { return m_linealUnits; }
    QLineEdit* MaxDiagramsEdit() const { return m_maxDiagrams; }

private:
    QComboBox* m_areaUnits;
    QComboBox* m_linealUnits;
    QLineEdit* m_maxDiagrams;
};
