#pragma once

#include "shell/controls/BandPickerButton.h"
#include "shell/controls/COXColorPickerCtrl.h"
#include "shell/controls/IColorPickerButton.h"

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

    void SetDefaultColor(std::uint32_t color) override;
    void SetColor(std::uint32_t color, bool redraw) override;
    std::uint32_t GetColor() const override { return m_color; }
    bool EnableToolTip(bool enable) override { return COXBitmapButton::EnableToolTip(enable); }
    bool SetTrackLook(bool trackLook) override { return COXBitmapButton::SetTrackLook(trackLook); }
    void SetPopupFlags(std::uint32_t flags) override { m_colorBar.SetFlags(flags); }
    void SetButtonTexts(const QString& defaultText, const QString& customText) override;
    void SetColorToolTips(const std::vector<std::pair<std::uint32_t, QString>>& names) override;
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
