#include "shell/controls/ButtonLayout.h"

#include <algorithm>

namespace {

constexpr int kImageMargin = 5; // horizontal and vertical, each side
constexpr int kTextMarginX = 7;
constexpr int kTextMarginY = 6;
constexpr int kPressedOffset = 2;
constexpr int kToggledOffset = 1;

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };

HAlign Horizontal(Qt::Alignment alignment)
{
    const bool left = alignment & Qt::AlignLeft;
    const bool right = alignment & Qt::AlignRight;
    if (left == right)
        return HAlign::Center;
    return left ? HAlign::Left : HAlign::Right;
}

VAlign Vertical(Qt::Alignment alignment)
{
    const bool top = alignment & Qt::AlignTop;
    const bool bottom = alignment & Qt::AlignBottom;
    if (top == bottom)
        return VAlign::Center;
    return top ? VAlign::Top : VAlign::Bottom;
}

QRect NonEmpty(int x, int y, int w, int h)
{
    if (w <= 0 || h <= 0)
        return QRect();
    return QRect(x, y, w, h);
}

} // namespace

ButtonLayoutResult CalcButtonLayout(const ButtonLayoutInput& input)
{
    const int W = input.content.width();
    const int H = input.content.height();
    const bool hasImage = input.image.width() > 0 && input.image.height() > 0;
    int iw = hasImage ? input.image.width() : 0;
    int ih = hasImage ? input.image.height() : 0;
    int tw = std::max(0, input.text.width());
    int th = std::max(0, input.text.height());
    const HAlign hAlign = Horizontal(input.alignment);
    const VAlign vAlign = Vertical(input.alignment);

    int ix = 0, iy = 0, tx = 0, ty = 0;
    if (vAlign == VAlign::Center && iw >= 1 && tw > 0) {
        // Side by side: the text's horizontal margin only next to the image.
        int imageBoxW = iw + 2 * kImageMargin, imageBoxH = ih + 2 * kImageMargin;
        int textBoxW = tw + kTextMarginX, textBoxH = th + 2 * kTextMarginY;
        if (textBoxW > W) {
            textBoxW = W;
            tw = W - kTextMarginX;
        }
        if (textBoxH > H) {
            textBoxH = H;
            th = H - 2 * kTextMarginY;
        }
        const int rest = W - textBoxW;
        if (imageBoxW > rest) {
            imageBoxW = rest;
            iw = rest - 2 * kImageMargin;
        }
        if (imageBoxH > H) {
            imageBoxH = H;
            ih = H - 2 * kImageMargin;
        }
        iw = std::max(0, iw);
        ih = std::max(0, ih);
        tw = std::max(0, tw);
        th = std::max(0, th);
        imageBoxW = std::max(0, imageBoxW);
        textBoxW = std::max(0, textBoxW);
        if (iw == 0)
            tw = std::max(0, textBoxW - 2 * kTextMarginX);
        if (hAlign == HAlign::Right) {
            tx = 0;
            ix = textBoxW + kImageMargin;
        } else {
            ix = kImageMargin;
            tx = imageBoxW + kTextMarginX;
        }
        iy = (H - imageBoxH) / 2 + kImageMargin;
        ty = (H - textBoxH) / 2 + kTextMarginY;
    } else {
        // Stacked: the text box has its vertical margin once next to an image.
        const int textMarginsY = hasImage ? kTextMarginY : 2 * kTextMarginY;
        const bool hasText = tw > 0 && th > 0;
        int textBoxW = hasText ? tw + 2 * kTextMarginX : 0;
        int textBoxH = hasText ? th + textMarginsY : 0;
        int imageBoxW = hasImage ? iw + 2 * kImageMargin : 0;
        int imageBoxH = hasImage ? ih + 2 * kImageMargin : 0;
        if (textBoxW > W) {
            textBoxW = W;
            tw = W - 2 * kTextMarginX;
        }
        if (textBoxH > H) {
            textBoxH = H;
            th = H - textMarginsY;
        }
        if (imageBoxW > W) {
            imageBoxW = W;
            iw = W - 2 * kImageMargin;
        }
        if (hasImage && imageBoxH > H - textBoxH) {
            imageBoxH = std::max(0, H - textBoxH);
            ih = imageBoxH - 2 * kImageMargin;
        }
        iw = std::max(0, iw);
        ih = std::max(0, ih);
        tw = std::max(0, tw);
        th = std::max(0, th);

        switch (hAlign) {
        case HAlign::Center:
            tx = (W - textBoxW) / 2 + kTextMarginX;
            ix = (W - imageBoxW) / 2 + kImageMargin;
            break;
        case HAlign::Left:
            tx = kTextMarginX;
            ix = kImageMargin;
            break;
        case HAlign::Right:
            tx = W - kTextMarginX - tw;
            ix = W - kImageMargin - iw;
            break;
        }
        switch (vAlign) {
        case VAlign::Top:
            iy = kImageMargin;
            ty = hasImage ? imageBoxH + kTextMarginY : kTextMarginY;
            break;
        case VAlign::Center: {
            const int blockTop = (H - imageBoxH - textBoxH) / 2;
            iy = blockTop + kImageMargin;
            ty = blockTop + imageBoxH + kTextMarginY;
            break;
        }
        case VAlign::Bottom:
            iy = H - ih - kImageMargin;
            ty = hasImage ? kTextMarginY : H - th - kTextMarginY;
            break;
        }
    }

    ButtonLayoutResult result;
    result.button = QRect(0, 0, W, H);
    result.image = hasImage ? NonEmpty(ix, iy, iw, ih) : QRect();
    result.text = NonEmpty(tx, ty, tw, th);
    QPoint offset;
    if (input.pressed)
        offset = QPoint(kPressedOffset, kPressedOffset);
    else if (input.toggledOn)
        offset = QPoint(kToggledOffset, kToggledOffset);
    if (!result.image.isNull())
        result.image.translate(offset);
    if (!result.text.isNull())
        result.text.translate(offset);
    return result;
}

QSize CalcButtonFitSize(QSize image, QSize text, Qt::Alignment alignment)
{
    const bool hasImage = image.width() > 0 && image.height() > 0;
    const bool hasText = text.width() > 0 && text.height() > 0;
    if (!hasImage && !hasText)
        return QSize(2 * kTextMarginX, 2 * kTextMarginY);
    const QSize imageBox = hasImage ? image + QSize(2 * kImageMargin, 2 * kImageMargin) : QSize();
    if (!hasImage)
        return text + QSize(2 * kTextMarginX, 2 * kTextMarginY);
    if (!hasText)
        return imageBox;
    if (Vertical(alignment) != VAlign::Center)
        return QSize(std::max(imageBox.width(), text.width() + 2 * kTextMarginX),
            imageBox.height() + text.height() + kTextMarginY);
    return QSize(imageBox.width() + text.width() + kTextMarginX,
        std::max(imageBox.height(), text.height() + 2 * kTextMarginY));
}
