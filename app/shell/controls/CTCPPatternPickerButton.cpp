#include "shell/controls/CTCPPatternPickerButton.h"

CTCPPatternPickerButton::CTCPPatternPickerButton(QWidget* parent)
    : BandPickerButton(parent)
    , m_patternBar(8, 2, CTCPPatternPickerCtrl::kSolid, 30, 30)
{
    m_patternBar.Create(this, COXPopupBarCtrl::NoTearOff);
    connect(&m_patternBar, &COXPopupBarCtrl::floatingPick, this, [this] {
        m_pattern = m_patternBar.SelectedValue();
        update();
        Q_EMIT floatingPick();
    });
}

void CTCPPatternPickerButton::SetPattern(std::uint32_t pattern, bool redraw)
{
    m_pattern = pattern;
    if (redraw)
        update();
}

void CTCPPatternPickerButton::OnDropDown()
{
    m_patternBar.SetSelectedValue(m_pattern);
    const int alignment = (GetExtendedStyle() & RightDropDown) ? 1 : 3;
    const QRect own(mapToGlobal(QPoint(0, 0)), size());
    if (m_patternBar.Pick(alignment, &own, 0, 0)) {
        m_pattern = m_patternBar.SelectedValue();
        update();
    }
}

void CTCPPatternPickerButton::FillBand(QPainter& painter, const QRect& band) const
{
    FillPattern(painter, band, m_pattern);
}
