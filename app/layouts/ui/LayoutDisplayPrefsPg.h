#pragma once
// The "Layout Display" page of the preferences sheet: how diagrams are
// labelled and dimensioned and whether dragging converts them to manual
// editing. It edits the sheet's record; the sheet writes it back on OK.

#include "foundation/ui/CUserPrefsPropSheet.h"

class CDimensionEdit;
class QCheckBox;
class QLabel;
class QRadioButton;

class LayoutDisplayPrefsPg : public CPreferencePage
{
    Q_OBJECT

public:
    explicit LayoutDisplayPrefsPg(GeneralSettings* record, QWidget* parent = nullptr);
    void CommitToRecord() override;

    QRadioButton* PlainButton() const { return m_plain; }
    QRadioButton* BoldButton() const { return m_bold; }
    QCheckBox* OriginBottomLeftBox() const { return m_originBottomLeft; }
    QCheckBox* ShowSliceSizesBox() const { return m_showOuterDims; }
    QCheckBox* AutoManualEditBox() const { return m_autoManualEdit; }
    QLabel* MinSliceLabel() const { return m_minSliceLabel; }
    CDimensionEdit* MinSliceEdit() const { return m_minSlice; }
    QCheckBox* RotateSliceDimsBox() const { return m_rotateSliceDims; }
    QCheckBox* ShowOffsetsBox() const { return m_showOffsets; }

private:
    // The slice settings only mean something while slice sizes are shown.
    void ApplyEnablingRule();

    QLabel* m_styleLabel;
    QRadioButton* m_plain;
    QRadioButton* m_bold;
    QCheckBox* m_originBottomLeft;
    QCheckBox* m_showOuterDims;
    QCheckBox* m_autoManualEdit;
    QLabel* m_minSliceLabel;
    CDimensionEdit* m_minSlice;
    QCheckBox* m_rotateSliceDims;
    QCheckBox* m_showOffsets;
};

// Puts the page into its place of the preferences sheet; the shell calls it
// once at start-up, before any sheet is built.
void RegisterLayoutDisplayPreferencePage();
