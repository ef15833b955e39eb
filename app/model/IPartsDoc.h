#pragma once
// What the part commands need of the project document: its parts list and
// the two operations that change a part in place. The document implements
// it beside the command history's view (IDoc).

#include <cstdint>
#include <vector>

class CMilledPart;
class IOptimizableMaterial;

class IPartsDoc
{
public:
    virtual ~IPartsDoc() = default;

    // The parts in list order; the document owns them.
    virtual const std::vector<CMilledPart*>& GetPartsContainer() const = 0;
    // The part takes the values; it is re-targeted when its optimization
    // data changed. The project is modified.
    virtual void UpdatePart(CMilledPart* part, const CMilledPart& values) = 0;
    // Stores the copies dragged off the layouts and sends the part's target
    // back for optimization. The project is modified.
    virtual void SetDraggedOffCopies(CMilledPart* part, std::uint32_t count) = 0;
    // A pinned layout diagram uses the material.
    virtual bool IsMaterialPinned(const IOptimizableMaterial* material) const = 0;
};
