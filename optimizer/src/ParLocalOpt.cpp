#include "ParLocalOpt.h"

#include "CLayoutSet.h"
#include "CompareValues.h"
#include "OptTopLevelLayout.h"

namespace optimization {

ParLocalOpt::~ParLocalOpt() = default;

std::unique_ptr<ParLocalOpt> ParLocalOpt::Clone() const
{
    return std::make_unique<ParLocalOpt>(*this);
}

void ParLocalOpt::SetMode(std::int32_t mode)
{
    m_mode = mode;
    if (mode != 1)
        m_option = false;
}

bool ParLocalOpt::IsLineMinded() const
{
    return m_style == PreferRipCuts || m_style == PreferCrossCuts || m_fourth != 0 || m_mode == 0;
}

std::int32_t ParLocalOpt::CompareSameParts(const OptTopLevelLayout& a,
                                           const OptTopLevelLayout& b) const
{
    if (m_mode == 1) {
        if (std::int32_t r = LargerWins(a.LargestFreeRectangleArea(), b.LargestFreeRectangleArea()))
            return r;
    }
    if (m_style == PreferRipCuts || m_style == PreferCrossCuts)
        return LargerWins(a.StripCount(), b.StripCount());
    if (std::int32_t r = LargerWins(a.AlignedPartEdges(), b.AlignedPartEdges()))
        return r;
    return LargerWins(a.TotalAlignedNeighbours(), b.TotalAlignedNeighbours());
}

std::int32_t ParLocalOpt::CompareSheets(const OptTopLevelLayout& a,
                                        const OptTopLevelLayout& b) const
{
    CLayoutSet setA;
    CLayoutSet setB;
    setA.Add(const_cast<OptTopLevelLayout*>(&a));
    setB.Add(const_cast<OptTopLevelLayout*>(&b));
    return CompareSets(setA, setB);
}

std::int32_t ParLocalOpt::CompareSets(const CLayoutSet& a, const CLayoutSet& b) const
{
    if (m_mode == 1 && a.SameParts(b)) {
        if (std::int32_t r = LargerWins(a.LargestFreeRectangleArea(), b.LargestFreeRectangleArea()))
            return r;
    }
    if (std::int32_t r = LargerWins(a.AlignedPartEdges(), b.AlignedPartEdges()))
        return r;
    return LargerWins(a.AlignedNeighbours(), b.AlignedNeighbours());
}

std::int32_t ParLocalOpt::CompareCombine(const OptTopLevelLayout& a, const OptTopLevelLayout& b,
                                         const OptTopLevelLayout& combined) const
{
    if (std::int32_t r = LargerWins(a.AlignedPartEdges() + b.AlignedPartEdges(),
                                    combined.AlignedPartEdges()))
        return r;
    return LargerWins(a.TotalAlignedNeighbours() + b.TotalAlignedNeighbours(),
                      combined.TotalAlignedNeighbours());
}

} // namespace optimization
