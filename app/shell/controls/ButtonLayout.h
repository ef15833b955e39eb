#pragma once

#include <QRect>
#include <QSize>

// Where a button puts its image and its text inside its content rectangle.
// Image and text sit in boxes with fixed margins (image 5 on each side, text
// 7 left and right and 6 above and below); side by side when vertically
// centred and both exist, else stacked; boxes are cut to the content.
struct ButtonLayoutInput
{
    QSize content; // the button less its arrow area, at the origin
    QSize image; // empty: no image
    QSize text; // measured text, empty: no text
    Qt::Alignment alignment = Qt::AlignCenter; // one horizontal and one vertical flag
    bool pressed = false;
    bool toggledOn = false;
};

struct ButtonLayoutResult
{
    QRect button;
    QRect image; // empty when the image has no width or height
    QRect text; // likewise
};

ButtonLayoutResult CalcButtonLayout(const ButtonLayoutInput& input);

// The size that holds an image and a text without cutting either.
QSize CalcButtonFitSize(QSize image, QSize text, Qt::Alignment alignment);
