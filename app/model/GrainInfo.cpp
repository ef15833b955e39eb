#include "model/GrainInfo.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/SchemaVersion.h"
#include "foundation/UpdateMasks.h"
#include "model/FormatGeneration.h"

void GrainInfo::AssignFrom(const GrainInfo& other)
{
    m_hasGrain = other.m_hasGrain;
    m_longSideHorizontal = other.m_longSideHorizontal;
    m_grainDirection = other.m_grainDirection;
}

void GrainInfo::SetHasGrain(bool hasGrain)
{
    m_hasGrain = hasGrain;
    if (!hasGrain)
        m_grainDirection = false;
}

bool GrainInfo::operator==(const GrainInfo& other) const
{
    return m_hasGrain == other.m_hasGrain && m_longSideHorizontal == other.m_longSideHorizontal
        && m_grainDirection == other.m_grainDirection;
}

bool GrainCuttingDiffers(const GrainInfo& a, const GrainInfo& b)
{
    return a.GetHasGrain() != b.GetHasGrain() || a.GetGrainDirection() != b.GetGrainDirection();
}

std::uint64_t GrainChangeMask(const GrainInfo& oldInfo, const GrainInfo& newInfo)
{
    if (GrainCuttingDiffers(oldInfo, newInfo))
        return UpdateMask::Change0100 | UpdateMask::Change0008;
    if (oldInfo.GetLongSideHorizontal() != newInfo.GetLongSideHorizontal())
        return UpdateMask::Change0100;
    return 0;
}

int GrainChangeCode(const GrainInfo& oldInfo, const GrainInfo& newInfo)
{
    if (GrainCuttingDiffers(oldInfo, newInfo))
        return 1;
    if (oldInfo.GetLongSideHorizontal() != newInfo.GetLongSideHorizontal())
        return 2;
    return 0;
}

void GrainInfo::Serialize(ArchiveWrapper& ar)
{
    static constexpr char kSection[] = "GrainInfo";
    static constexpr std::int32_t kVersion = 2;
    ar.BeginSection(kSection, kVersion);
    if (ar.IsSkipping()) {
        ar.EndSection(kSection);
        return;
    }
    if (ar.IsStoring()) {
        ar.Write(kVersion);
        ar.Write(m_hasGrain).Write(m_longSideHorizontal).Write(m_grainDirection);
    } else {
        // Grain information came with generation 11.
        if (FormatGeneration(ar) < 11)
            ThrowBadSchema(ar);
        const std::uint32_t version = ReadOrThrowInRange(ar, 1, 2);
        ar.Read(m_hasGrain).Read(m_longSideHorizontal);
        if (version == 2)
            ar.Read(m_grainDirection);
    }
    ar.EndSection(kSection);
}
