#pragma once

#include "foundation/ui/CUserPrefsPropSheet.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class COXColorPickerButton;
class CTCPPatternPickerButton;
class QLabel;
class QRadioButton;
class ShadingPreview;

// Fill colour and pattern of parts (normal, selected, printed) and of waste
// (on screen, printed), each with a preview; or grain lines instead of
// waste shading.
class CShadingPg : public CPreferencePage
{
    Q_OBJECT

public:
    enum Row { NormalPart, SelectedPart, PrintedPart, ScreenWaste, PrintedWaste, RowCount };

    // One pattern the pattern pickers offer.
    struct PatternEntry
    {
        std::uint32_t value;
        QString name;
    };

    explicit CShadingPg(GeneralSettings* record, QWidget* parent = nullptr);
    void CommitToRecord() override;

    COXColorPickerButton* ColorPicker(Row row) const { return m_rows[row].color; }
    CTCPPatternPickerButton* PatternPicker(Row row) const { return m_rows[row].pattern; }
    ShadingPreview* Preview(Row row) const { return m_rows[row].preview; }
    QRadioButton* ShowGrainButton() const { return m_showGrain; }
    QRadioButton* ShadeWasteButton() const { return m_shadeWaste; }
    const std::vector<PatternEntry>& Patterns() const { return m_patterns; }

private:
    struct RowControls
    {
        COXColorPickerButton* color = nullptr;
        CTCPPatternPickerButton* pattern = nullptr;
        ShadingPreview* preview = nullptr;
    };

    // The waste pickers and labels only when waste is shaded; repaints the previews.
    void ApplyWasteRule();
    void UpdatePreview(Row row);

    std::vector<PatternEntry> m_patterns;
    std::array<RowControls, RowCount> m_rows;
    QLabel* m_screenWasteLabel;
    QLabel* m_printedWasteLabel;
    QRadioButton* m_showGrain;
    QRadioButton* m_shadeWaste;
};
