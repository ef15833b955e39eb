#include "model/CSawSetupEx.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/SchemaVersion.h"
#include "foundation/UpdateMasks.h"
#include "model/FormatGeneration.h"

namespace {
constexpr double kDefaultKerfInches = 0.125;
}

CSawSetupEx::CSawSetupEx()
    : m_kerf(CDimension::FromInches(kDefaultKerfInches))
{
}

void CSawSetupEx::AssignFrom(const CSawSetupEx& other)
{
    m_kerf = other.m_kerf;
    m_padding = other.m_padding;
    m_firstCutSet = other.m_firstCutSet;
    m_firstCutWithGrain = other.m_firstCutWithGrain;
    m_layoutStyle = other.m_layoutStyle;
}

int CSawSetupEx::GetFirstCutMode() const
{
    if (m_firstCutSet == 0)
        return DoesntMatter;
    return m_firstCutWithGrain > 0 ? WithGrain : AgainstGrain;
}

void CSawSetupEx::SetFirstCutMode(int mode)
{
    if (mode == DoesntMatter) {
        m_firstCutSet = 0;
        return;
    }
    m_firstCutSet = 1;
    m_firstCutWithGrain = mode == WithGrain ? 1 : 0;
}

bool SawCuttingDiffers(const CSawSetupEx& a, const CSawSetupEx& b)
{
    return !CDimension::ApproxEqual(a.GetKerf(), b.GetKerf())
        || !CDimension::ApproxEqual(a.GetPadding(), b.GetPadding())
        || a.GetFirstCutMode() != b.GetFirstCutMode();
}

bool LayoutStyleDiffers(const CSawSetupEx& a, const CSawSetupEx& b)
{
    return a.GetLayoutStyle() != b.GetLayoutStyle();
}

bool operator==(const CSawSetupEx& a, const CSawSetupEx& b)
{
    return !SawCuttingDiffers(a, b) && !LayoutStyleDiffers(a, b);
}

std::uint64_t SawSetupChangeMask(const CSawSetupEx& oldSetup, const CSawSetupEx& newSetup)
{
    if (SawCuttingDiffers(oldSetup, newSetup))
        return UpdateMask::Change0400 | UpdateMask::Change0008;
    if (LayoutStyleDiffers(oldSetup, newSetup))
        return UpdateMask::Change0400;
    return 0;
}

int SawSetupChangeCode(const CSawSetupEx& oldSetup, const CSawSetupEx& newSetup)
{
    int code = 0;
    if (SawCuttingDiffers(oldSetup, newSetup))
        code |= 1;
    if (LayoutStyleDiffers(oldSetup, newSetup))
        code |= 2;
    return code;
}

void CSawSetupEx::Serialize(ArchiveWrapper& ar)
{
    static constexpr char kSection[] = "CSawSetupEx";
    static constexpr std::int32_t kVersion = 2;
    ar.BeginSection(kSection, kVersion);
    if (ar.IsSkipping()) {
        ar.EndSection(kSection);
        return;
    }
    if (ar.IsStoring()) {
        ar.Write(kVersion);
        m_kerf.Serialize(ar);
        m_padding.Serialize(ar);
        ar.Write(m_firstCutSet).Write(m_firstCutWithGrain).Write(m_layoutStyle);
    } else {
        // Files before generation 15 carry no version word.
        std::uint32_t version = 0;
        if (FormatGeneration(ar) >= 15) {
            ar.Read(version);
            if (version > static_cast<std::uint32_t>(kVersion))
                ThrowBadSchema(ar);
        }
        m_kerf.Serialize(ar);
        m_padding.Serialize(ar);
        ar.Read(m_firstCutSet).Read(m_firstCutWithGrain);
        if (version > 1)
            ar.Read(m_layoutStyle);
    }
    ar.EndSection(kSection);
}
