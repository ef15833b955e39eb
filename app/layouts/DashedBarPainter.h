#pragma once
// The highlighted kerf bars of the interactive diagram: filled dashes of 20
// units with gaps of 15, orange.

#include "platform/Rect.h"

class QPainter;

class DashedBarPainter
{
public:
    static constexpr int kDash = 20;
    static constexpr int kGap = 15;
    static constexpr unsigned kColor = 0x1879F2; // 0x00BBGGRR

    explicit DashedBarPainter(QPainter* dc)
        : m_dc(dc)
    { }

    // Dashes along x from the left edge (horizontal) or along y from the
    // top (vertical); the last one is cut at the far edge.
    void Draw(bool vertical, const platform::Rect& rect);

private:
    QPainter* m_dc;
};
