#include "shell/controls/CTCPPatternPickerButton.h"

CTCPPatternPickerButton::CTCPPatternPickerButton(QWidget* parent)
    : BandPickerButton(parent)
    , m_patternBar(8, 2, CTCPPatternPickerCtrl::kSolid, 30, 30)
{
    m_patternBar.Create(this, COXPopupBarCtrl::NoTearOff);
    FollowFloatingBar();
}

void CTCPPatternPickerButton::SetPattern(std::uint32_t pattern, bool redraw)
{
    m_pattern = pattern;
    if (redraw)
        update();
}

void CTCPPatternPickerButton::FillBand(QPainter& painter, const QRect& band) const
{
    FillPattern(painter, band, m_pattern);
}
