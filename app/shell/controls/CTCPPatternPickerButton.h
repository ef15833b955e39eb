#pragma once

#include "shell/controls/BandPickerButton.h"
#include "shell/controls/CTCPPatternPickerCtrl.h"

// A drop-down button showing a fill pattern as a band; its popup offers the
// eight patterns in 2 rows and "Default". After a pick the button emits
// clicked(), where a page reads GetPattern().
class CTCPPatternPickerButton : public BandPickerButton
{
    Q_OBJECT

public:
    explicit CTCPPatternPickerButton(QWidget* parent = nullptr);

    CTCPPatternPickerCtrl& PatternBar() { return m_patternBar; }
    void SetPattern(std::uint32_t pattern, bool redraw);
    std::uint32_t GetPattern() const { return m_pattern; }

protected:
    COXPopupBarCtrl& PopupBar() override { return m_patternBar; }
    std::uint32_t BandValue() const override { return m_pattern; }
    void StoreBandValue(std::uint32_t value) override { m_pattern = value; }
    void FillBand(QPainter& painter, const QRect& band) const override;

private:
    std::uint32_t m_pattern = CTCPPatternPickerCtrl::kHollow;
    CTCPPatternPickerCtrl m_patternBar;
};
