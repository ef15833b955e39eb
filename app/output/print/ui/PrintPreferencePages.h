#pragma once
// The two pages of the preferences sheet that belong to printing: the print
// options (diagrams per page, the take-off list beside its diagrams, shaded
// grid rows) and the orientation of each printed section.

#include "foundation/ui/CUserPrefsPropSheet.h"

#include <array>

class QCheckBox;
class QComboBox;
class QRadioButton;

class CPrintOptsPage : public CPreferencePage
{
    Q_OBJECT

public:
    explicit CPrintOptsPage(GeneralSettings* record, QWidget* parent = nullptr);
    void CommitToRecord() override;

    QComboBox* DiagramsPerPageList() const { return m_diagramsPerPage; }
    QCheckBox* TakeOffBox() const { return m_takeOff; }
    QCheckBox* ShadeRowsBox() const { return m_shadeRows; }

private:
    // With the take-off list beside the diagrams only one diagram fits a page.
    void ApplyTakeOffRule();

    QComboBox* m_diagramsPerPage;
    QCheckBox* m_takeOff;
    QCheckBox* m_shadeRows;
};

class CPrintOrientationPg : public CPreferencePage
{
    Q_OBJECT

public:
    // Rows in the order shown.
    enum Row {
        CoverPage,
        PartsList,
        Layouts,
        BillOfMaterials,
        TakeOffLists,
        RawMaterials,
        Reports,
        RowCount
    };

    explicit CPrintOrientationPg(GeneralSettings* record, QWidget* parent = nullptr);
    void CommitToRecord() override;

    QRadioButton* PortraitButton(Row row) const { return m_portrait[row]; }
    QRadioButton* LandscapeButton(Row row) const { return m_landscape[row]; }

private:
    // The record's flag of a row: on means portrait.
    bool& Flag(Row row) const;

    std::array<QRadioButton*, RowCount> m_portrait {};
    std::array<QRadioButton*, RowCount> m_landscape {};
};

// Puts the two pages into their places (2 and 3) of the preferences sheet;
// the program calls it once at start-up.
void RegisterPrintPreferencePages();
