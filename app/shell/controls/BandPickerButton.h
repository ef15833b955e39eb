#pragma once

#include "shell/controls/COXBitmapButton.h"
#include "shell/controls/COXPopupBarCtrl.h"

// The drop-down button of the two pickers: it shows the current value as a
// band under its content (the whole face when it has neither text nor
// image) and opens its popup bar below itself.
class BandPickerButton : public COXBitmapButton
{
    Q_OBJECT

public:
    explicit BandPickerButton(QWidget* parent = nullptr);

    int ColorBandHeight() const { return m_colorBandHeight; }
    QSize GetArrowSize() const override;
    // The band's rectangle, before the pressed offset.
    QRect BandRect() const;

Q_SIGNALS:
    // A torn-off bar picked a value, now shown by the button.
    void floatingPick();

protected:
    // The bar that picks the value, and the value the band shows.
    virtual COXPopupBarCtrl& PopupBar() = 0;
    virtual std::uint32_t BandValue() const = 0;
    virtual void StoreBandValue(std::uint32_t value) = 0;
    // Shows picks of a torn-off bar; derived constructors call it once the bar exists.
    void FollowFloatingBar();
    // Opens the bar below the button (right of it for a right drop-down).
    void OnDropDown() override;
    void DrawItem(QPainter& painter) override;
    // Frames the band and fills it unless the button is disabled.
    virtual void DrawColorBand(QPainter& painter, QRect band, const DrawState& state);
    // Fills the inside of the band with the value shown.
    virtual void FillBand(QPainter& painter, const QRect& band) const = 0;

private:
    QRect BandRectFor(const QRect& item, const QRect& content, const ButtonLayoutResult& layout) const;
    int m_colorBandHeight = 5;
};
