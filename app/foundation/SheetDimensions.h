#pragma once

#include "foundation/CDimension.h"

class ArchiveWrapper;

// A sheet size with its trims. Each trim is taken off two edges: the
// usable size is the size less twice the trim.
class SheetDimensions
{
public:
    SheetDimensions() = default;

    bool IsEqual(const SheetDimensions& other) const;
    bool IsDifferent(const SheetDimensions& other) const { return !IsEqual(other); }

    // The width is more than 2 counts below twice the top/bottom trim.
    bool IsTopBottomTrimTooLarge() const;
    bool IsLeftRightTrimTooLarge() const;
    // Zero when the trim is too large.
    CDimension GetTrimmedWidth() const;
    CDimension GetTrimmedLength() const;

    const CDimension& GetWidth() const { return m_width; }
    const CDimension& GetLength() const { return m_length; }
    const CDimension& GetTopBottomTrim() const { return m_topBottomTrim; }
    const CDimension& GetLeftRightTrim() const { return m_leftRightTrim; }
    void SetWidth(const CDimension& value) { m_width = value; }
    void SetLength(const CDimension& value) { m_length = value; }
    void SetTopBottomTrim(const CDimension& value) { m_topBottomTrim = value; }
    void SetLeftRightTrim(const CDimension& value) { m_leftRightTrim = value; }

    // a - b.
    static CDimension Difference(const CDimension& a, const CDimension& b);

    void Serialize(ArchiveWrapper& ar);

private:
    CDimension m_width;
    CDimension m_length;
    CDimension m_topBottomTrim;
    CDimension m_leftRightTrim;
};
