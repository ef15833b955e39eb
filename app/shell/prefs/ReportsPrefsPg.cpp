#include "shell/prefs/ReportsPrefsPg.h"

#include "foundation/ReportUnits.h"
#include "foundation/ui/UIStringWidgets.h"
#include "shell/prefs/PageWidgets.h"
#include "shell/prefs/PrefsStrings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <climits>

namespace {

// The unit names in alphabetical order, the record's unit selected.
void FillUnitList(QComboBox* list, QStringList names, const QString& selected)
{
    std::sort(names.begin(), names.end(),
        [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    list->addItems(names);
    list->setCurrentIndex(list->findText(selected, Qt::MatchExactly));
}

} // namespace

ReportsPrefsPg::ReportsPrefsPg(GeneralSettings* record, QWidget* parent)
    : CPreferencePage(record, parent)
    , m_areaUnits(new QComboBox)
    , m_linealUnits(new QComboBox)
    , m_maxDiagrams(new QLineEdit)
{
    FillUnitList(m_areaUnits,
        { GetAreaUnitName(AreaSquareInches), GetAreaUnitName(AreaSquareFeet),
            GetAreaUnitName(AreaSquareMeters) },
        GetAreaUnitName(Record()->areaUnits));
    FillUnitList(m_linealUnits,
        { GetLinealUnitName(LinealInches), GetLinealUnitName(LinealFeet), GetLinealUnitName(LinealYards),
            GetLinealUnitName(LinealMeters) },
        GetLinealUnitName(Record()->linealUnits));
    // Digits only, as a numeric edit box takes them.
    m_maxDiagrams->setValidator(new QIntValidator(0, INT_MAX, m_maxDiagrams));
    m_maxDiagrams->setText(QString::number(Record()->maxDiagramsList));

    auto* layout = new QFormLayout(this);
    layout->addRow(NewPageLabel(kStrAreaUnitsLabel), m_areaUnits);
    layout->addRow(NewPageLabel(kStrLinealUnitsLabel), m_linealUnits);
    layout->addRow(NewPageLabel(kStrMaxDiagramsLabel, true), m_maxDiagrams);
}

void ReportsPrefsPg::CommitToRecord()
{
    Record()->areaUnits = ParseAreaUnitName(m_areaUnits->currentText());
    Record()->linealUnits = ParseLinealUnitName(m_linealUnits->currentText());
    // An empty field or 0 stores 1.
    bool ok = false;
    const int diagrams = m_maxDiagrams->text().toInt(&ok);
    Record()->maxDiagramsList = ok && diagrams >= 1 ? diagrams : 1;
}
