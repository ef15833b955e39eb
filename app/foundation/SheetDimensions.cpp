#include "foundation/SheetDimensions.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/SchemaVersion.h"

bool SheetDimensions::IsEqual(const SheetDimensions& other) const
{
    return CDimension::ApproxEqual(m_width, other.m_width)
        && CDimension::ApproxEqual(m_length, other.m_length)
        && CDimension::ApproxEqual(m_topBottomTrim, other.m_topBottomTrim)
        && CDimension::ApproxEqual(m_leftRightTrim, other.m_leftRightTrim);
}

bool SheetDimensions::IsTopBottomTrimTooLarge() const
{
    return CDimension::LessWithTolerance(m_width, m_topBottomTrim.MultiplySaturating(2));
}

bool SheetDimensions::IsLeftRightTrimTooLarge() const
{
    return CDimension::LessWithTolerance(m_length, m_leftRightTrim.MultiplySaturating(2));
}

CDimension SheetDimensions::GetTrimmedWidth() const
{
    if (IsTopBottomTrimTooLarge())
        return CDimension::Zero();
    return Difference(m_width, m_topBottomTrim.MultiplySaturating(2));
}

CDimension SheetDimensions::GetTrimmedLength() const
{
    if (IsLeftRightTrimTooLarge())
        return CDimension::Zero();
    return Difference(m_length, m_leftRightTrim.MultiplySaturating(2));
}

CDimension SheetDimensions::Difference(const CDimension& a, const CDimension& b)
{
    CDimension result = a;
    result.Subtract(b);
    return result;
}

void SheetDimensions::Serialize(ArchiveWrapper& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(0);
    } else {
        std::int32_t version = -1;
        ar >> version;
        if (version != 0)
            ThrowBadSchema(ar);
    }
    m_width.Serialize(ar);
    m_length.Serialize(ar);
    m_topBottomTrim.Serialize(ar);
    m_leftRightTrim.Serialize(ar);
}
