#pragma once

#include <cstdint>

class ArchiveWrapper;

// Grain of a sheet good: whether parts must follow a grain direction, which
// direction, and whether layouts are drawn with the longer side horizontal.
// Only has-grain reaches the optimizer; the other two flags affect drawing.
class GrainInfo
{
public:
    GrainInfo() = default;
    GrainInfo(const GrainInfo&) = default;
    GrainInfo& operator=(const GrainInfo&) = default;
    virtual ~GrainInfo() = default;

    // Copies the three stored flags.
    void AssignFrom(const GrainInfo& other);

    bool GetHasGrain() const { return m_hasGrain; }
    // Clearing has-grain also clears the direction: a direction without grain
    // means nothing and must not come back when grain is switched on again.
    void SetHasGrain(bool hasGrain);
    bool GetLongSideHorizontal() const { return m_longSideHorizontal; }
    void SetLongSideHorizontal(bool flag) { m_longSideHorizontal = flag; }
    bool GetGrainDirection() const { return m_grainDirection; }
    void SetGrainDirection(bool flag) { m_grainDirection = flag; }

    bool operator==(const GrainInfo& other) const;

    // Section "GrainInfo", version 2: int32 version, then three bools.
    virtual void Serialize(ArchiveWrapper& ar);

private:
    bool m_hasGrain = true;
    bool m_longSideHorizontal = true;
    bool m_grainDirection = false;
};

// True when has-grain or the direction differ: a change the optimizer sees.
bool GrainCuttingDiffers(const GrainInfo& a, const GrainInfo& b);
// 264 (drawing 256 + optimizer input 8) for a cutting change, 256 when only
// long-side-horizontal differs, else 0.
std::uint64_t GrainChangeMask(const GrainInfo& oldInfo, const GrainInfo& newInfo);
// 1 for a cutting change, 2 when only long-side-horizontal differs, else 0.
int GrainChangeCode(const GrainInfo& oldInfo, const GrainInfo& newInfo);
