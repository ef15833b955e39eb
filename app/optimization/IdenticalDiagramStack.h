#pragma once
// Count sheets of one stock size cut exactly alike: one diagram, the layout
// style shown, the pinned flag and one flags record per copy. Results, bills
// of materials, pinning and manual editing all handle layouts in this unit.

#include "foundation/ManagedIdentity.h"
#include "optimization/Diagram.h"
#include "optimization/DrawnPart.h"
#include "optimization/UsageStats.h"

#include <cstdint>
#include <memory>
#include <vector>

class DisplayDiagram;
class PinnedUsage;

class IdenticalDiagramStack : public ManagedIdentityNotRemappedOnLockProject,
                              public std::enable_shared_from_this<IdenticalDiagramStack>
{
public:
    // For loading: an empty diagram, no copies.
    IdenticalDiagramStack();
    IdenticalDiagramStack(DiagramPtr diagram, std::uint32_t count, const DrawnPartFlags& flags, int geoStyle);

    DiagramPtr GetDiagram() const { return m_diagram; }
    const StockSpec& GetStockSpec() const { return m_diagram->GetStockSpec(); }
    CDimension GetRoughWidth() const { return GetStockSpec().GetRoughWidth(); }
    CDimension GetRoughLength() const { return GetStockSpec().GetRoughLength(); }
    double GetYieldRatio() const { return m_diagram->GetFixedStats().YieldRatio(); }
    void CollectPlacedParts(std::vector<CMilledPart*>& out) const { m_diagram->CollectPlacedParts(out); }
    // The drawn parts of the style shown; that style must be present.
    const DrawnPartList& GetCurrentParts() const { return m_diagram->GetGeometryParts(m_geoStyle); }
    bool HasGeometry(int style) const { return m_diagram->HasGeometry(style); }

    std::uint32_t GetCount() const { return m_count; }
    int GetCurrentGeoStyle() const { return m_geoStyle; }
    void SetCurrentGeoStyle(int style) { m_geoStyle = style; }
    bool HasSeveralCopies() const { return m_count > 1; }
    // An empty diagram removed and restored; the flags stay as they are.
    void AddCopy() { ++m_count; }
    void RemoveCopy();
    bool IsPinned() const { return m_pinned; }
    bool IsNotPinned() const { return !m_pinned; }

    // The flags of copy i; null for an index the stack does not have.
    const DrawnPartFlags* FindCopyFlags(int copyIndex) const;
    DrawnPartFlags* FindCopyFlags(int copyIndex);
    // The flags of copy i, the default record for an index it does not have.
    DrawnPartFlags GetCopyFlags(int copyIndex) const;
    const std::vector<DrawnPartFlags>& GetAllCopyFlags() const { return m_flags; }
    void SetFancyAnnotationStyleForAll(bool value);

    // One sheet's statistics in the style shown, and those of all sheets.
    UsageStats GetCurrentStats() const;
    UsageStats GetTotalStats() const;

    std::shared_ptr<DisplayDiagram> MakeDisplayDiagram(int copyIndex);

    // Splits n sheets off, with copy i's flags and a diagram of their own.
    std::shared_ptr<IdenticalDiagramStack> Split(int copyIndex, std::uint32_t n);
    // Undoes a split: other's flags go back in at the index.
    void MergeFrom(const IdenticalDiagramStack& other, int index);

    // Pinning changes the flag, the pinned usage and the parts' placed
    // counts together: pinned copies count as placed by hand.
    void Pin(PinnedUsage& usage);
    void Unpin(PinnedUsage& usage);
    // What pinning does apart from the flag: the sheets into the usage, the
    // copies from the optimizer's count to the hand-placed one.
    void ApplyPinnedUsage(PinnedUsage& usage);
    // Takes back what ApplyPinnedUsage did.
    void WithdrawPinnedUsage(PinnedUsage& usage);
    // A pinned stack of a loaded target adds its sheets and copies again;
    // the flag stays.
    void RestorePinnedUsage(PinnedUsage& usage);

    // Manual editing, on the manual geometry (style 5) only: each drawn part
    // stands for Count copies placed by hand.
    void AddDrawnPart(const DrawnPartPtr& drawn);
    void RemoveDrawnPart(const DrawnPartPtr& drawn);

    // The stock against the materials library as it is now.
    void RelinkStock() { m_diagram->GetStockSpecForEdit().Relink(); }

    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;
    void ReceiveResolvedReference(std::shared_ptr<IManagedIdentity>) override { }
    void ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper) { m_diagram->ResolveReferences(mapper); }

private:
    DiagramPtr m_diagram;
    std::uint32_t m_count = 0;
    int m_geoStyle = GeometryStyles::Standard;
    bool m_pinned = false;
    std::vector<DrawnPartFlags> m_flags;
};

using StackPtr = std::shared_ptr<IdenticalDiagramStack>;
using StackList = std::vector<StackPtr>;

// A drawn part of the stack's shown geometry is of this part.
bool StackShowsPart(const CMilledPart* part, const IdenticalDiagramStack& stack);
