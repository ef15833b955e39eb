#include <nestcore/CuttingRules.h>
#include <nestcore/PartDescriptor.h>

namespace optimization {

CuttingRules::CuttingRules() = default;

CuttingRules::CuttingRules(const OptDim& kerf, FirstCutSpecification firstCut, bool grain,
                           const OptDim& partPadding, GeometryStyle preferredStyle)
    : m_kerf(kerf)
    , m_firstCut(firstCut)
    , m_grain(grain)
    , m_partPadding(partPadding)
    , m_preferredStyle(preferredStyle)
{
}

bool CuttingRules::IsFirstCutSpecified() const { return m_firstCut != FirstCutNone; }
bool CuttingRules::IsFirstCutSpecifiedWithGrain() const { return m_firstCut == FirstCutWithGrain; }
bool CuttingRules::IsHorizontalSlicesAllowed() const { return m_firstCut != FirstCutAcrossGrain; }
bool CuttingRules::IsVerticalSlicesAllowed() const { return m_firstCut != FirstCutWithGrain; }

PartDescriptor::PartDescriptor() = default;

} // namespace optimization
