#pragma once
// One stock size handed to the optimizer: the program's opaque handles and
// copies of the size's geometry, inventory and saw rules.

#include <nestcore/CanvasDescriptor.h>
#include <nestcore/CuttingRules.h>
#include <nestcore/InitialInventory.h>
#include <nestcore/ProxyPosition.h>
#include <nestcore_export.h>

class IOptimizableSize;
class IOptimizableMaterial;

namespace optimization {

class NESTCORE_EXPORT StockProxy : public ProxyPosition
{
public:
    StockProxy(const IOptimizableSize* size, const IOptimizableMaterial* material,
               const CanvasDescriptor& canvas, const InitialInventory& inventory,
               const CuttingRules& rules);

    const IOptimizableSize* GetSize() const { return m_size; }
    const IOptimizableMaterial* GetMaterial() const { return m_material; }
    const CanvasDescriptor& GetCanvas() const { return m_canvas; }
    const InitialInventory& GetInventory() const { return m_inventory; }
    const CuttingRules& GetRules() const { return m_rules; }

private:
    const IOptimizableSize* m_size;         // never called
    const IOptimizableMaterial* m_material; // never called
    CanvasDescriptor m_canvas;
    InitialInventory m_inventory;
    CuttingRules m_rules;
};

} // namespace optimization
