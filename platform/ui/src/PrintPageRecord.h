#pragma once
// The control's display list: what each composed page holds, in twips from
// the paper's top-left corner, and how it is played back onto a device.

#include <QColor>
#include <QLineF>
#include <QPageSize>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <variant>
#include <vector>

class QPagedPaintDevice;
class QPicture;

namespace platform {

struct PrintFont
{
    QString family = QStringLiteral("Arial");
    float points = 10.0F;
    bool bold = false;
};

// Paper and margins of one page.
struct PageGeometry
{
    QPageSize paper = QPageSize(QPageSize::Letter);
    int orientation = 0; // 0 portrait, 1 landscape
    double marginLeft = 360.0;
    double marginTop = 720.0;
    double marginRight = 360.0;
    double marginBottom = 720.0;
    double footerMargin = 0.0;

    double Width() const;
    double Height() const;
    double BodyLeft() const { return marginLeft; }
    double BodyTop() const { return marginTop; }
    double BodyRight() const { return Width() - marginRight; }
    double BodyBottom() const;
};

// One line of text: drawn at baseline inside a frame that is moved to origin
// and turned counter-clockwise by angle (tenths of a degree).
struct TextItem
{
    QString text;
    PrintFont font;
    std::uint32_t color = 0;
    QPointF origin;
    int angle = 0;
    QPointF baseline;
};

// Pen and brush as the drawing settings describe them.
struct DrawSettings
{
    int penStyle = 0;
    int penWidth = 0;
    std::uint32_t penColor = 0;
    std::uint32_t brushColor = 0xFFFFFF;
    int brushStyle = 1;
};

struct ShapeItem
{
    enum Kind { Rectangle, Line } kind = Rectangle;
    QRectF rect;
    QLineF line;
    QPointF corner; // rounding of a rectangle's corners
    DrawSettings draw;
    QPointF origin;
    int angle = 0;
};

struct PictureItem
{
    std::shared_ptr<QPicture> picture;
};

using PageItem = std::variant<TextItem, ShapeItem, PictureItem>;

struct PageRecord
{
    PageGeometry geometry;
    QString header;
    PrintFont headerFont;
    std::vector<PageItem> items;
};

// Asked before each page is played back with its index (from 0) and the
// page count; false stops the playback there.
using PageGate = std::function<bool(int page, int count)>;

// Plays the pages back, one device page each; false when the device cannot
// be painted on. A playback the gate stops is not a failure.
bool RenderPages(const std::vector<PageRecord>& pages, QPagedPaintDevice& device, const PageGate& gate = {});

} // namespace platform
