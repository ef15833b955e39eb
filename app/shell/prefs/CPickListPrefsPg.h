#pragma once

#include "foundation/ui/CUserPrefsPropSheet.h"

class QCheckBox;
class QRadioButton;

// How the bill of materials counts costs (whole boards and sheets or
// pro-rated usage), and whether skipped parts raise a warning.
class CPickListPrefsPg : public CPreferencePage
{
    Q_OBJECT

public:
    explicit CPickListPrefsPg(GeneralSettings* record, QWidget* parent = nullptr);
    void CommitToRecord() override;

    QRadioButton* RoundUpButton() const { return m_roundUp; }
    QRadioButton* ProRateButton() const { return m_proRate; }
    QCheckBox* WarnSkippedBox() const { return m_warnSkipped; }

private:
    QRadioButton* m_roundUp;
    QRadioButton* m_proRate;
    QCheckBox* m_warnSkipped;
};
