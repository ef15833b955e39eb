#pragma once
// What the part commands need of the project document: its parts list and
// the two operations that change a part in place. The document implements
// it beside the command history's view (IDoc).

#include <cstdint>
#include <utility>
#include <vector>

class CMilledPart;
class IOptimizableMaterial;

class IPartsDoc
{
public:
    virtual ~IPartsDoc() = default;

    // The parts in list order; the document owns them.
    virtual const std::vector<CMilledPart*>& GetPartsContainer() const = 0;
    virtual bool IsProjectLocked() const = 0;
    // The part leaves the list, the parts numbered above it move down one;
    // the caller keeps the part. The project is modified.
    virtual void RemovePart(CMilledPart* part) = 0;
    // The document takes the part over at the list position; the parts
    // numbered from its number on move up one.
    virtual void InsertPart(CMilledPart* part, int index) = 0;
    // The document takes the part over at the end, numbered count + 1.
    virtual void AppendPart(CMilledPart* part) = 0;
    // Puts parts back, each at its own position (see InsertPart).
    virtual void InsertParts(std::vector<std::pair<CMilledPart*, int>> parts) = 0;
    // explicitNumbers: each listed part takes its number; otherwise all parts
    // are numbered 1..n in list order.
    virtual void RenumberParts(const std::vector<std::pair<CMilledPart*, int>>& numbers, bool explicitNumbers)
        = 0;
    // The list takes the order (a sorted grid shows the list itself); a new
    // order modifies the project. An order that is not the list's own parts
    // changes nothing.
    virtual void ReorderParts(const std::vector<CMilledPart*>& order) = 0;
    // The part takes the values; it is re-targeted when its optimization
    // data changed. The project is modified.
    virtual void UpdatePart(CMilledPart* part, const CMilledPart& values) = 0;
    // Stores the copies dragged off the layouts and sends the part's target
    // back for optimization. The project is modified.
    virtual void SetDraggedOffCopies(CMilledPart* part, std::uint32_t count) = 0;
    // A pinned layout diagram uses the material.
    virtual bool IsMaterialPinned(const IOptimizableMaterial* material) const = 0;
};
