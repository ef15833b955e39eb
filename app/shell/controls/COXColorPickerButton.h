#pragma once

#include "foundation/ui/ColorPickerSetup.h"
#include "shell/controls/BandPickerButton.h"
#include "shell/controls/COXColorPickerCtrl.h"

// A drop-down button showing a colour as a band; its popup offers 40
// colours in 4 rows, "Default" and "Custom...". After a pick the button
// emits clicked(), where a page reads GetColor().
class COXColorPickerButton : public BandPickerButton, public IColorPickerButton
{
    Q_OBJECT

public:
    static constexpr std::uint32_t kDefaultColor = 0xFF000000;
    static constexpr std::uint32_t kNoColor = 0xFFFFFFFF;

    explicit COXColorPickerButton(QWidget* parent = nullptr);

    COXColorPickerCtrl& ColorBar() { return m_colorBar; }

    void SetDefaultColor(platform::ColorRef color) override;
    void SetColor(platform::ColorRef color, bool redraw) override;
    platform::ColorRef GetColor() const override { return m_color; }
    bool EnableToolTip(bool enable) override { return COXBitmapButton::EnableToolTip(enable); }
    bool SetTrackLook(bool trackLook) override { return COXBitmapButton::SetTrackLook(trackLook); }
    void SetPopupFlags(unsigned flags) override { m_colorBar.SetFlags(flags); }
    void SetDefaultButtonText(const QString& text) override { m_colorBar.SetDefaultButtonText(text); }
    void SetCustomButtonText(const QString& text) override { m_colorBar.SetCustomButtonText(text); }
    void SetToolTipTexts(const std::vector<std::pair<platform::ColorRef, QString>>& texts) override;
    void SetCellSize(int width, int height) override { m_colorBar.SetButtonSize(width, height); }

protected:
    COXPopupBarCtrl& PopupBar() override { return m_colorBar; }
    std::uint32_t BandValue() const override { return Resolved(m_color); }
    void StoreBandValue(std::uint32_t value) override { m_color = Resolved(value); }
    void FillBand(QPainter& painter, const QRect& band) const override;

private:
    std::uint32_t Resolved(std::uint32_t color) const;

    std::uint32_t m_color = kNoColor;
    COXColorPickerCtrl m_colorBar;
};
