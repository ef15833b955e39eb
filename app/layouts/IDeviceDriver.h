#pragma once
// The drawing surface of the layout-diagram painters: the screen draws in
// pixels, the printer in twips (1/1440 inch). A painter asks the surface for
// its text margins and text sizes and so lays out the same diagram in either
// unit. Rectangles follow the platform's edge rule (right and bottom outside).

#include "platform/Rect.h"

#include <QString>

class QPainter;

class IDeviceDriver
{
public:
    virtual ~IDeviceDriver() = default;

    // The painter to draw on (the screen's own, or the printed page's).
    virtual QPainter* GetDeviceContext() = 0;
    // About 1/20 and 1/40 inch.
    virtual int GetTextMarginX() = 0;
    virtual int GetTextMarginY() = 0;
    // Line height of the current font.
    virtual int GetTextHeight() = 0;
    // Selects the small-text font and answers its line height.
    virtual int GetSmallTextHeight() = 0;
    // The text's width plus twice the horizontal text margin.
    virtual int GetTextWidth(const QString& text) = 0;
    virtual void DrawFramedText(platform::Rect rect, const QString& text) = 0;
    virtual void DrawLabel(const QString& text, const platform::Rect& rect, bool vertical, int margin) = 0;
    virtual bool TextFitsHeight(const QString& text, const platform::Rect& rect, bool vertical) = 0;
    virtual bool TextFitsWidth(const QString& text, const platform::Rect& rect) = 0;
    virtual void DrawRectangle(const platform::Rect& rect) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
    // value: the text colour (0x00BBGGRR).
    virtual void DrawFittedLabel(const QString& text, const platform::Rect& rect, int value) = 0;
    virtual void DrawRightText(const QString& text, const platform::Rect& rect, bool opaque) = 0;
    virtual void DrawVerticalLabel(const QString& text, const platform::Rect& rect, bool opaque) = 0;
    // mode 0: centred at the bottom, 1: centred at the top, 2 and 3 the same
    // turned upwards.
    virtual void DrawAlignedText(const QString& text, int mode, const platform::Rect& rect) = 0;
    virtual void DrawTextInRect(const QString& text, const platform::Rect& rect, bool vertical) = 0;
    virtual void DrawVerticalText(const QString& text, const platform::Rect& rect) = 0;
    virtual void DrawRightCentredText(const QString& text, const platform::Rect& rect) = 0;
};
