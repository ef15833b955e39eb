#pragma once
// Integer rectangles and points with the desktop platform's rule: a rectangle
// {left, top, right, bottom} holds the points with left <= x < right and
// top <= y < bottom, so the right and bottom edges lie outside. Painters,
// hit tests and the grid all measure with this one type so that a cell or a
// drawn part never claims the pixel row of its neighbour.

#include <algorithm>
#include <cstdint>

namespace platform {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr Rect() = default;
    constexpr Rect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
        : left(l), top(t), right(r), bottom(b) {}

    constexpr std::int32_t Width() const { return right - left; }
    constexpr std::int32_t Height() const { return bottom - top; }

    // Empty when it encloses no point: zero or negative width or height.
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }

    // Left and top edges inside, right and bottom edges outside.
    constexpr bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr bool Contains(std::int32_t x, std::int32_t y) const { return Contains(Point{x, y}); }

    constexpr Point TopLeft() const { return {left, top}; }
    constexpr Point BottomRight() const { return {right, bottom}; }
    constexpr Point Center() const { return {left + (right - left) / 2, top + (bottom - top) / 2}; }

    constexpr void Offset(std::int32_t dx, std::int32_t dy) {
        left += dx; right += dx; top += dy; bottom += dy;
    }
    constexpr Rect Offsetted(std::int32_t dx, std::int32_t dy) const {
        Rect r = *this; r.Offset(dx, dy); return r;
    }
    // Moves every side outward by the amount (inward for negative amounts).
    constexpr void Inflate(std::int32_t dx, std::int32_t dy) {
        left -= dx; right += dx; top -= dy; bottom += dy;
    }
    constexpr void Deflate(std::int32_t dx, std::int32_t dy) { Inflate(-dx, -dy); }

    // Swaps the sides where right < left or bottom < top.
    constexpr Rect Normalized() const {
        return Rect(std::min(left, right), std::min(top, bottom),
                    std::max(left, right), std::max(top, bottom));
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

// The overlap of two rectangles. When they share no point (touching edges
// share none) the answer is false and out is the all-zero rectangle.
constexpr bool IntersectRect(Rect& out, const Rect& a, const Rect& b) {
    Rect r(std::max(a.left, b.left), std::max(a.top, b.top),
           std::min(a.right, b.right), std::min(a.bottom, b.bottom));
    if (a.IsEmpty() || b.IsEmpty() || r.IsEmpty()) {
        out = Rect();
        return false;
    }
    out = r;
    return true;
}

constexpr bool Intersects(const Rect& a, const Rect& b) {
    Rect ignored;
    return IntersectRect(ignored, a, b);
}

// The smallest rectangle holding both; an empty one adds nothing.
constexpr Rect UnionRect(const Rect& a, const Rect& b) {
    if (a.IsEmpty()) return b.IsEmpty() ? Rect() : b;
    if (b.IsEmpty()) return a;
    return Rect(std::min(a.left, b.left), std::min(a.top, b.top),
                std::max(a.right, b.right), std::max(a.bottom, b.bottom));
}

} // namespace platform
