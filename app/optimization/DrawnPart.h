#pragma once
// One placed copy of a part on a diagram, and the per-copy flags of a stack.

#include "platform/Rect.h"

#include <cstdint>
#include <memory>
#include <vector>

class ArchiveWrapper;
class CMilledPart;
class IdentityMapper;

// Three bytes per copy of a stack: the thumbnail mark, the user's rotation of
// the drawing and the fancy part annotation.
class DrawnPartFlags
{
public:
    DrawnPartFlags() = default;
    DrawnPartFlags(bool checked, bool overrideRotation, bool fancyAnnotation)
        : m_checked(checked), m_overrideRotation(overrideRotation), m_fancyAnnotation(fancyAnnotation)
    { }

    bool IsChecked() const { return m_checked; }
    bool IsOverrideRotation() const { return m_overrideRotation; }
    bool IsFancyAnnotationStyle() const { return m_fancyAnnotation; }
    void SetChecked(bool value) { m_checked = value; }
    void SetFancyAnnotationStyle(bool value) { m_fancyAnnotation = value; }
    void ToggleOverrideRotation() { m_overrideRotation = !m_overrideRotation; }
    void ToggleFancyAnnotationStyle() { m_fancyAnnotation = !m_fancyAnnotation; }

    // Version 1, then the three flags.
    void Serialize(ArchiveWrapper& ar);

    friend bool operator==(const DrawnPartFlags&, const DrawnPartFlags&) = default;

private:
    bool m_checked = false;
    bool m_overrideRotation = false;
    bool m_fancyAnnotation = false;
};

// The part is owned by the project's part list; a drawn part never frees it.
// It is null only when a loaded diagram named a part the project lacks.
class DrawnPart
{
public:
    DrawnPart() = default;
    DrawnPart(CMilledPart* part, bool rotated, const platform::Rect& sheetRect)
        : m_part(part), m_rotated(rotated), m_sheetRect(sheetRect)
    { }

    CMilledPart* GetPart() const { return m_part; }
    bool IsRotated() const { return m_rotated; }
    // Layout coordinates: 1/16384 inch from the rough sheet's corner, x along its length.
    const platform::Rect& GetSheetRect() const { return m_sheetRect; }
    // Device units where the part was last drawn.
    const platform::Rect& GetScreenRect() const { return m_screenRect; }
    void SetScreenRect(const platform::Rect& rect) { m_screenRect = rect; }

    // Part, rotation and sheet rectangle; the screen rectangle stays.
    void CopyPlacement(DrawnPart& target) const;
    std::shared_ptr<DrawnPart> Clone() const { return std::make_shared<DrawnPart>(*this); }

    // The part's placed-copy counters; n copies per call.
    void MoveToHandPlaced(std::uint32_t n) const;
    void MoveFromHandPlaced(std::uint32_t n) const;
    void AddHandPlaced(std::uint32_t n) const;
    void RemoveHandPlaced(std::uint32_t n) const;

    // Version 1, the part's number, the sheet rectangle as top, left, bottom,
    // right, the rotation. Loading looks the part up by its number in the
    // project's parts, which the mapper carries; none found leaves it null.
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper);

    // Same part, rotation and sheet rectangle; the screen rectangle is ignored.
    friend bool operator==(const DrawnPart& a, const DrawnPart& b)
    {
        return a.m_part == b.m_part && a.m_rotated == b.m_rotated && a.m_sheetRect == b.m_sheetRect;
    }

private:
    CMilledPart* m_part = nullptr;
    bool m_rotated = false;
    platform::Rect m_sheetRect;
    platform::Rect m_screenRect;
};

using DrawnPartPtr = std::shared_ptr<DrawnPart>;
using DrawnPartList = std::vector<DrawnPartPtr>;

// The first drawn part equal to the record, else empty.
DrawnPartPtr FindDrawnPart(const DrawnPartList& parts, const DrawnPart& record);

// One line of a take-off list: a part in one orientation and its copies.
struct DrawnPartTally
{
    CMilledPart* part = nullptr;
    int count = 0;
    bool rotated = false;
};
using DrawnPartTallyList = std::vector<DrawnPartTally>;

// Counts the drawn parts into the tally, one entry per part and orientation
// in order of first appearance.
void TallyDrawnParts(const DrawnPartList& parts, DrawnPartTallyList& tally);
