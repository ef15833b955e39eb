#include "shell/prefs/CPickListPrefsPg.h"

#include "foundation/ui/UIStringWidgets.h"
#include "shell/prefs/PrefsStrings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

CPickListPrefsPg::CPickListPrefsPg(GeneralSettings* record, QWidget* parent)
    : CPreferencePage(record, parent)
    , m_roundUp(new QRadioButton)
    , m_proRate(new QRadioButton)
    , m_warnSkipped(new QCheckBox)
{
    auto* rounding = new QGroupBox(this);
    SetWindowTextById(rounding, kStrRoundingGroup);
    SetWindowTextById(m_roundUp, kStrRoundUpCosts);
    SetWindowTextById(m_proRate, kStrProRateCosts);
    SetWindowTextById(m_warnSkipped, kStrWarnSkippedParts);
    auto* roundingLayout = new QVBoxLayout(rounding);
    roundingLayout->addWidget(m_roundUp);
    roundingLayout->addWidget(m_proRate);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rounding);
    layout->addWidget(m_warnSkipped);
    layout->addStretch();

    (Record()->proRateCosts ? m_proRate : m_roundUp)->setChecked(true);
    m_warnSkipped->setChecked(Record()->skippedPartsAlert);
}

void CPickListPrefsPg::CommitToRecord()
{
    Record()->proRateCosts = m_proRate->isChecked();
    Record()->skippedPartsAlert = m_warnSkipped->isChecked();
}
