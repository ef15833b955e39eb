#pragma once
// The result record of one copy on one sheet.

#include <nestcore_export.h>

#include <cstdint>

namespace optimization {

class PartProxy;

// A rectangle on the sheet in counts of 1/16384 inch; x runs along the
// sheet's length (left to right), y along its width (top to bottom).
struct OptRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

class NESTCORE_EXPORT PlacedPart
{
public:
    PlacedPart();
    PlacedPart(const PartProxy* part, const OptRect& rect, bool rotated);

    const PartProxy* GetPart() const { return m_part; }
    const PartProxy* GetPartProxy() const { return m_part; }
    void SetPart(const PartProxy* part) { m_part = part; }
    const OptRect& GetRect() const { return m_rect; }
    const OptRect& GetLocation() const { return m_rect; }
    void SetRect(const OptRect& rect) { m_rect = rect; }
    bool IsRotated() const { return m_rotated; }
    void SetIsRotated(bool rotated) { m_rotated = rotated; }

    // Same part, orientation and top-left corner (the size is not compared).
    bool operator==(const PlacedPart& other) const;
    // By left, then by top.
    bool operator<(const PlacedPart& other) const;

private:
    const PartProxy* m_part;
    OptRect m_rect;
    bool m_rotated;
};

} // namespace optimization
