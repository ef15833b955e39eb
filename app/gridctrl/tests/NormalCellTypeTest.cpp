#include "gridctrl/CUGCtrl.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>

namespace {

// Draws every cell of the grid through its type, as the grid area does,
// with columns and rows laid out from (0, 0).
QImage paintCells(CUGCtrl& grid, const std::vector<int>& widths, int rowHeight)
{
    int totalWidth = 0;
    for (int w : widths)
        totalWidth += w;
    QImage image(totalWidth, rowHeight * grid.GetRowCount(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    painter.setFont(*grid.GetDefaultFont());
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        int x = 0;
        for (int column = 0; column < grid.GetColumnCount(); ++column) {
            CUGCell cell;
            grid.GetCellWithDefaults(column, row, &cell);
            const platform::Rect rect(x, row * rowHeight, x + widths[column], (row + 1) * rowHeight);
            painter.save();
            grid.GetCellTypeObject(column, row)->Draw(&painter, rect, column, row, &cell, 0, 0);
            painter.restore();
            x += widths[column];
        }
    }
    return image;
}

int darkPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(image.pixel(x, y)) < 110;
    return count;
}

bool isBlack(const QImage& image, int x, int y)
{
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

} // namespace

class NormalCellType : public ::testing::Test {
protected:
    void SetUp() override
    {
        const int font = grid.AddFont(-12, 0, 0, 0, 400, false, false, false, 0, 0, 0, 0, 0,
                                      QStringLiteral("DejaVu Sans"));
        grid.SetDefaultFont(grid.GetFont(font));
        // Empty glyph boxes would pass a pixel check: the face must be real.
        ASSERT_TRUE(QFontInfo(*grid.GetDefaultFont()).family().contains(QStringLiteral("DejaVu")));
        grid.SetColumnCount(static_cast<int>(widths.size()));
        for (int c = 0; c < static_cast<int>(widths.size()); ++c)
            grid.SetColumnWidth(c, widths[c]);
    }

    CUGCtrl grid;
    std::vector<int> widths{80, 80, 80};
    static constexpr int kRowHeight = 20;
};

TEST_F(NormalCellType, TextAlignmentsAndOverflow)
{
    grid.SetRowCount(3);
    grid.SetCellTextAt(0, 0, QStringLiteral("Left"));
    grid.SetCellTextAt(1, 0, QStringLiteral("Right"));
    grid.SetCellAlignmentAt(1, 0, CUGCell::kAlignRight);
    grid.SetCellTextAt(2, 0, QStringLiteral("Mid"));
    grid.SetCellAlignmentAt(2, 0, CUGCell::kAlignCenter);
    // A right-aligned text wider than its cell starts at the left margin.
    grid.SetCellTextAt(0, 1, QStringLiteral("WWWWWWWWWWWWWWWWWWWW"));
    grid.SetCellAlignmentAt(0, 1, CUGCell::kAlignRight);
    grid.SetCellTextAt(0, 2, QStringLiteral("A long text that runs over"));

    QImage image = paintCells(grid, widths, kRowHeight);
    EXPECT_GT(darkPixels(image, QRect(2, 2, 30, 16)), 10);   // "Left" at the left
    EXPECT_EQ(darkPixels(image, QRect(45, 0, 34, 19)), 0);
    EXPECT_EQ(darkPixels(image, QRect(80, 0, 35, 19)), 0);   // "Right" at the right
    EXPECT_GT(darkPixels(image, QRect(120, 2, 37, 16)), 10);
    EXPECT_EQ(darkPixels(image, QRect(160, 0, 18, 19)), 0);  // "Mid" centred
    EXPECT_EQ(darkPixels(image, QRect(220, 0, 18, 19)), 0);
    EXPECT_GT(darkPixels(image, QRect(185, 2, 30, 16)), 10);
    EXPECT_GT(darkPixels(image, QRect(2, 22, 4, 16)), 3);    // starts at the margin
    // The empty cell to the right of a long text shows its continuation.
    EXPECT_GT(darkPixels(image, QRect(82, 42, 60, 16)), 10);

    grid.EnableExpandingEditor(false);
    image = paintCells(grid, widths, kRowHeight);
    EXPECT_EQ(darkPixels(image, QRect(82, 42, 60, 16)), 0);
    // Grid lines on: one light line at the right and bottom of each cell.
    EXPECT_EQ(image.pixel(79, 10), qRgb(220, 220, 220));
    EXPECT_EQ(image.pixel(40, 19), qRgb(220, 220, 220));
    EXPECT_NE(image.pixel(78, 10), qRgb(220, 220, 220));
}

TEST_F(NormalCellType, EachBorderKind)
{
    grid.SetRowCount(2);
    grid.SetCellBorderAt(0, 0, CUGCellType::kBorderThinLeft | CUGCellType::kBorderThinTop);
    grid.SetCellBorderAt(1, 0, CUGCellType::kBorderMediumLeft);
    grid.SetCellBorderAt(2, 0, CUGCellType::kBorderThickLeft | CUGCellType::kBorderThickRight);
    grid.SetCellBorderAt(0, 1, CUGCellType::kBorderRecessed);
    grid.SetCellBorderAt(1, 1, CUGCellType::kBorderRaised);
    const QImage image = paintCells(grid, widths, kRowHeight);

    EXPECT_TRUE(isBlack(image, 0, 10));
    EXPECT_TRUE(isBlack(image, 40, 0));
    EXPECT_FALSE(isBlack(image, 1, 10));
    EXPECT_TRUE(isBlack(image, 80, 10));
    EXPECT_TRUE(isBlack(image, 81, 10));
    EXPECT_FALSE(isBlack(image, 82, 10));
    for (int x : {160, 161, 162, 237, 238, 239})
        EXPECT_TRUE(isBlack(image, x, 10)) << x;
    EXPECT_FALSE(isBlack(image, 163, 10));

    const QRgb shadow = platform::ToQColor(platform::SystemColorRef(platform::SystemColor::ButtonShadow)).rgb();
    const QRgb light = platform::ToQColor(platform::SystemColorRef(platform::SystemColor::ButtonHighlight)).rgb();
    ASSERT_NE(shadow, light);
    // Recessed: shadow above and left, light below and right, no grid line.
    EXPECT_EQ(image.pixel(0, 30), shadow);
    EXPECT_EQ(image.pixel(40, 20), shadow);
    EXPECT_EQ(image.pixel(79, 30), light);
    EXPECT_EQ(image.pixel(40, 39), light);
    // Raised: the other way round.
    EXPECT_EQ(image.pixel(80, 30), light);
    EXPECT_EQ(image.pixel(159, 30), shadow);
}
