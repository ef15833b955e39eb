#pragma once

#include "shell/controls/COXBitmapButton.h"

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

protected:
    void DrawItem(QPainter& painter) override;
    // Frames the band and fills it unless the button is disabled.
    virtual void DrawColorBand(QPainter& painter, QRect band, const DrawState& state);
    // Fills the inside of the band with the value shown.
    virtual void FillBand(QPainter& painter, const QRect& band) const = 0;

private:
    QRect BandRectFor(const QRect& item, const QRect& content, const ButtonLayoutResult& layout) const;
    int m_colorBandHeight = 5;
};
