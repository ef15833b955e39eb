#pragma once

#include "foundation/DomainUpdateInfo.h"

#include <cstdint>
#include <memory>

class CSheetGoodEx;

// What a material command did to one sheet good. Change code 0: a new
// material; 1: its data changed; 2: an edit whose six flags the caller gives.
// Flag 1 makes the document collect the material's bill-of-materials items,
// flag 5 refresh the bill of materials, flag 6 update the material in it.
template <class Material> class MaterialUpdateInfo : public DomainUpdateInfo
{
public:
    MaterialUpdateInfo(std::int32_t code, std::shared_ptr<Material> material)
        : m_code(code)
        , m_material(std::move(material))
    {
        m_flags[0] = code != 0;
        m_flags[1] = code == 1;
        m_flags[2] = m_flags[3] = code == 1 && m_material && m_material->Query29();
    }
    MaterialUpdateInfo(std::shared_ptr<Material> material, const bool (&flags)[6])
        : m_code(2)
        , m_material(std::move(material))
    {
        for (int i = 0; i < 6; ++i)
            m_flags[i] = flags[i];
    }

    bool HasChanges() const override { return m_flags[0]; }
    bool Query2() const override { return m_flags[2]; }
    bool UpdatesMaterialInBOM() const override { return m_flags[5]; }
    bool AffectsTarget(std::shared_ptr<OptimizationTarget> target) const override;
    bool InventoryUsageChanged() const override { return m_flags[1]; }
    bool Query7() const override { return false; }
    bool Query8() const override { return false; }
    bool Query9() const override { return false; }
    bool InventoryFirstChanged() const override { return false; }
    bool AffectsMaterial(std::shared_ptr<IOptimizableMaterial> material) const override;
    bool NeedsBOMRefresh() const override { return m_flags[4]; }

    std::int32_t GetCode() const { return m_code; }
    const std::shared_ptr<Material>& GetMaterial() const { return m_material; }
    // Flag n, counted from 1.
    bool GetFlag(int n) const { return m_flags[n - 1]; }

private:
    std::int32_t m_code;
    std::shared_ptr<Material> m_material;
    bool m_flags[6] = {};
};

using SheetGoodUpdateInfo = MaterialUpdateInfo<CSheetGoodEx>;
extern template class MaterialUpdateInfo<CSheetGoodEx>;
