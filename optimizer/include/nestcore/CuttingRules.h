#pragma once
// The saw rules of one material.

#include <nestcore/OptDim.h>
#include <nestcore_export.h>

#include <cstdint>

namespace optimization {

enum FirstCutSpecification : std::int32_t {
    FirstCutNone = 0,      // either direction may be cut first
    FirstCutWithGrain = 1, // the first cut runs with the grain
    FirstCutAcrossGrain = 2,
};

// Layout styles; the numbering is shared with the program.
enum GeometryStyle : std::int32_t {
    StandardLayout = 0,
    PreferRipCuts = 1,
    PreferCrossCuts = 2,
    MaxSideOffCut = 3,
    MaxBottomOffCut = 4,
};

class NESTCORE_EXPORT CuttingRules
{
public:
    CuttingRules();
    CuttingRules(const OptDim& kerf, FirstCutSpecification firstCut, bool grain,
                 const OptDim& partPadding, GeometryStyle preferredStyle);

    const OptDim& GetKerf() const { return m_kerf; }
    const OptDim& GetPartPadding() const { return m_partPadding; }
    FirstCutSpecification GetFirstCutSpecification() const { return m_firstCut; }
    bool HasGrain() const { return m_grain; }
    GeometryStyle GetPreferredGeometryStyle() const { return m_preferredStyle; }

    bool IsFirstCutSpecified() const;
    bool IsFirstCutSpecifiedWithGrain() const;
    bool IsHorizontalSlicesAllowed() const;
    bool IsVerticalSlicesAllowed() const;

private:
    OptDim m_kerf;
    FirstCutSpecification m_firstCut = FirstCutNone;
    bool m_grain = false;
    OptDim m_partPadding;
    GeometryStyle m_preferredStyle = StandardLayout;
};

} // namespace optimization
