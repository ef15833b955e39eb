#pragma once

#include "shell/controls/COXPopupBarCtrl.h"

#include <span>

// A popup bar whose cells and default button show swatches of their values
// (colours, patterns), filled by the derived bar.
class SwatchBarCtrl : public COXPopupBarCtrl
{
    Q_OBJECT

public:
    using COXPopupBarCtrl::COXPopupBarCtrl;

protected:
    // Pick over the standard values when the bar has none of its own, with
    // missing cells padded.
    bool PickFrom(std::span<const std::uint32_t> standard, std::uint32_t pad, int alignment,
        const QRect* rect, int dx, int dy);
    void DrawButton(QPainter& painter, int cell, QRect rect) override;
    // The swatch of the default value (none for the "no value" value) left of the text.
    void DrawDefaultButton(QPainter& painter, QRect rect) override;
    virtual void FillSwatch(QPainter& painter, const QRect& rect, std::uint32_t value) const = 0;
};
