#pragma once

#include "foundation/CDimension.h"

#include <cstdint>

class ArchiveWrapper;

// Saw setup of a material: kerf, part padding, first-cut direction and the
// preferred layout style (the optimizer's GeometryStyle numbering 0..4).
class CSawSetupEx
{
public:
    // First-cut modes as the rest of the program sees them.
    enum FirstCutMode { DoesntMatter = 0, WithGrain = 1, AgainstGrain = 2 };

    CSawSetupEx();
    // Copies every field, the object version word included.
    CSawSetupEx(const CSawSetupEx&) = default;
    CSawSetupEx& operator=(const CSawSetupEx&) = default;
    virtual ~CSawSetupEx() = default;

    // Copies the cutting data and the layout style; the version word stays.
    void AssignFrom(const CSawSetupEx& other);

    int GetFirstCutMode() const;
    void SetFirstCutMode(int mode);

    const CDimension& GetKerf() const { return m_kerf; }
    void SetKerf(const CDimension& kerf) { m_kerf = kerf; }
    const CDimension& GetPadding() const { return m_padding; }
    void SetPadding(const CDimension& padding) { m_padding = padding; }
    std::int32_t GetLayoutStyle() const { return m_layoutStyle; }
    void SetLayoutStyle(std::int32_t style) { m_layoutStyle = style; }

    std::int32_t GetVersionWord() const { return m_version; }
    std::int32_t GetFirstCutSet() const { return m_firstCutSet; }
    std::int32_t GetFirstCutWithGrain() const { return m_firstCutWithGrain; }

    // Section "CSawSetupEx", version 2.
    virtual void Serialize(ArchiveWrapper& ar);

private:
    std::int32_t m_version = 1;
    CDimension m_kerf;
    CDimension m_padding;
    std::int32_t m_firstCutSet = 0;
    std::int32_t m_firstCutWithGrain = 0;
    std::int32_t m_layoutStyle = 0;
};

// Kerf or padding differ beyond the length tolerance, or the first-cut modes differ.
bool SawCuttingDiffers(const CSawSetupEx& a, const CSawSetupEx& b);
bool LayoutStyleDiffers(const CSawSetupEx& a, const CSawSetupEx& b);
bool operator==(const CSawSetupEx& a, const CSawSetupEx& b);
// 1032 (0x400 | 0x8) when the cutting differs, 1024 when only the style does, else 0.
std::uint64_t SawSetupChangeMask(const CSawSetupEx& oldSetup, const CSawSetupEx& newSetup);
// Bit 1 cutting differs, bit 2 layout style differs.
int SawSetupChangeCode(const CSawSetupEx& oldSetup, const CSawSetupEx& newSetup);
