#pragma once
// The drawing surface of the diagrams on the screen (and on any QPainter that
// counts in pixels: a window, an image, the clipboard's bitmap).

#include "layouts/IDeviceDriver.h"

#include <QFont>

class QPaintDevice;

class CDCScreenDriver : public IDeviceDriver
{
public:
    // The painter is not owned. Like a fresh device context it starts with
    // a black pen, no brush, a white background and opaque background mode.
    explicit CDCScreenDriver(QPainter* dc);

    QPainter* GetDeviceContext() override { return m_dc; }
    int GetTextMarginX() override { return 5; }
    int GetTextMarginY() override { return 3; }
    int GetTextHeight() override;
    int GetSmallTextHeight() override;
    int GetTextWidth(const QString& text) override;
    void DrawFramedText(platform::Rect rect, const QString& text) override;
    void DrawLabel(const QString& text, const platform::Rect& rect, bool vertical, int margin) override;
    bool TextFitsHeight(const QString& text, const platform::Rect& rect, bool vertical) override;
    bool TextFitsWidth(const QString& text, const platform::Rect& rect) override;
    void DrawRectangle(const platform::Rect& rect) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void DrawFittedLabel(const QString& text, const platform::Rect& rect, int value) override;
    void DrawRightText(const QString& text, const platform::Rect& rect, bool opaque) override;
    void DrawVerticalLabel(const QString& text, const platform::Rect& rect, bool opaque) override;
    void DrawAlignedText(const QString& text, int mode, const platform::Rect& rect) override;
    void DrawTextInRect(const QString& text, const platform::Rect& rect, bool vertical) override;
    void DrawVerticalText(const QString& text, const platform::Rect& rect) override;
    void DrawRightCentredText(const QString& text, const platform::Rect& rect) override;

private:
    QPainter* m_dc;
};

// The large part number's font for a part of the given extent (its height,
// or its width for turned text), in device units of the paint device:
// "Diagram Face" bold at "Ex Large Diagram Height", scaled down for parts
// smaller than the reference height, never below "Small Parts Height".
QFont FancyPartNumberFont(int extent, QPaintDevice* device);
// The text height of the unscaled part-number font times 1.2. Measured again
// whenever the face or the size preference has changed since the last call.
int FancyPartNumberReferenceHeight(QPaintDevice* device);
