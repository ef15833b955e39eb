#include "optimization/DiagramSortPredicates.h"

#include "optimization/DiagramIndex.h"

namespace {

constexpr std::int32_t kLengthTolerance = 32;
constexpr std::int32_t kSizeTolerance = 2;

bool SizeGreater(const CDimension& aFirst, const CDimension& aSecond, const CDimension& bFirst,
                 const CDimension& bSecond)
{
    const std::int64_t first = std::int64_t {aFirst.GetUnits()} - bFirst.GetUnits();
    if (first > kSizeTolerance)
        return true;
    if (first < -kSizeTolerance)
        return false;
    return std::int64_t {aSecond.GetUnits()} - bSecond.GetUnits() > kSizeTolerance;
}

} // namespace

bool DiagramYieldGreater(StackPtr a, StackPtr b)
{
    return GetYieldRatio(a) > GetYieldRatio(b);
}

bool DiagramYieldGreater(DisplayDiagramPtr a, DisplayDiagramPtr b)
{
    return GetYieldRatio(a) > GetYieldRatio(b);
}

bool DiagramLabelLess(DisplayDiagramPtr a, DisplayDiagramPtr b)
{
    const DiagramIndex& index = GetDiagramIndex();
    return index.FindDiagramLabel(a->GetStack()) < index.FindDiagramLabel(b->GetStack());
}

bool DiagramLengthLess(DisplayDiagramPtr a, DisplayDiagramPtr b)
{
    return std::int64_t {b->GetDrawnLength().GetUnits()} - a->GetDrawnLength().GetUnits() > kLengthTolerance;
}

bool DiagramSizeGreater(StackPtr a, StackPtr b)
{
    return SizeGreater(a->GetRoughLength(), a->GetRoughWidth(), b->GetRoughLength(), b->GetRoughWidth());
}

bool DiagramSizeGreater(DisplayDiagramPtr a, DisplayDiagramPtr b)
{
    return SizeGreater(a->GetRoughLength(), a->GetRoughWidth(), b->GetRoughLength(), b->GetRoughWidth());
}
