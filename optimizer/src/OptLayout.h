#pragma once
// A node of a guillotine cutting tree. Every node is a rectangle of the
// sheet that saw cuts split into a block at its origin and up to two
// remainders: the length remainder beside the block along x and the width
// remainder beside it along y, each one kerf away. A node owns its three
// children. x runs along the sheet's length, y along its width.

#include "CFreeRectangle.h"

#include <nestcore/OptDim.h>
#include <nestcore/PlacedPart.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace optimization {

class OptTopLevelLayout;
class PartProxy;
class StockProxy;

// Cut directions: 0 not split yet, 1 length-wise first, 2 width-wise first.
constexpr std::int32_t CutNone = 0;
constexpr std::int32_t CutLengthFirst = 1;
constexpr std::int32_t CutWidthFirst = 2;
// Answers of EffectiveDirection besides 1 and 2.
constexpr std::int32_t DirectionFree = 0;
constexpr std::int32_t DirectionBarred = -1; // the node admits no direction

struct NodeRecord {
    std::int32_t cutDirection = 0;
    std::uint8_t rootMark = 0;
    std::int32_t stageLevel = 0;
    std::int32_t stripDirection = 0;
    std::int32_t firstCutRestriction = 0;
    std::int32_t inheritedDirection = 0;
    std::int32_t itemState = 0; // 1/2 marked placed (2 turned), 3/4 closed
    std::uint8_t rebuiltBranch = 0;
};

using RegionList = std::vector<CFreeRectangle>;

class OptLayout
{
public:
    OptLayout(const OptDim& width, const OptDim& length, std::int32_t x, std::int32_t y,
              OptLayout* parent);
    OptLayout(const OptLayout&) = delete;
    OptLayout& operator=(const OptLayout&) = delete;
    virtual ~OptLayout();

    // Deep copy under a parent; when this node is *cursor, *cursor becomes the copy.
    virtual std::unique_ptr<OptLayout> CopyTree(OptLayout* parent, OptLayout** cursor) const;
    virtual bool CanHoldChildren() const { return true; }
    virtual bool IsOrientationFixed() const { return true; }
    virtual bool IsTurnedOnly() const { return false; }
    // Turning the leaf to `orientation` is barred because the grid count
    // decided its orientation / because it has aligned neighbours.
    virtual bool TurnMeetsGridObstacle(std::int32_t orientation) const { return false; }
    virtual bool TurnMeetsNeighbourObstacle(std::int32_t orientation) const { return false; }
    virtual bool HasAlignedNeighbours() const { return false; }
    virtual const PartProxy* GetPart() const { return nullptr; }
    virtual std::int32_t GetTurned() const { return 0; }
    virtual std::int32_t GetHandedValue() const { return 0; }
    virtual OptTopLevelLayout* GetTopLevel();
    virtual const OptTopLevelLayout* GetTopLevel() const;
    virtual bool HasNoBlock() const { return !m_block; }
    // How far the content reaches from the origin along x (alongLength) or y.
    virtual OptDim GetContentExtent(bool alongLength) const;
    virtual OptLayout* GetContinuationNode();
    virtual OptLayout* FindLeafParent(const PartProxy* part);
    virtual OptLayout* FindLeafParent(const PlacedPart* placed);
    virtual const StockProxy* GetStock() const;
    virtual void SetTurned(std::int32_t) {}
    virtual void SetPart(const PartProxy*, std::int32_t) {}
    virtual void SetOrigin(std::int32_t x, std::int32_t y);
    // Also hands the new parent's sheet to the whole subtree.
    virtual void SetParent(OptLayout* parent);
    virtual void MarkPlaced(std::int32_t value, bool turned);
    virtual void MarkClosed(bool turned);
    virtual void RegisterPlaced(PlacedPart* placed);
    virtual void CollectPlacedParts();
    virtual void CollectPlacedCopies();
    virtual void RefreshAndCollect();
    virtual void Clear();
    // Collects the free regions of the subtree anew. The root of the tree
    // lists them all (each node's own regions first, then its length
    // remainder's, width remainder's and block's); other nodes list none.
    virtual const RegionList& Relay();
    virtual void MoveBy(std::int32_t dx, std::int32_t dy);
    virtual void RelayUpward();
    virtual bool IsLoneExactFit() const { return false; }

    // Geometry.
    const OptDim& GetWidth() const { return m_width; }
    const OptDim& GetLength() const { return m_length; }
    void SetWidth(const OptDim& width) { m_width = width; }
    void SetLength(const OptDim& length) { m_length = length; }
    std::int32_t GetX() const { return m_x; }
    std::int32_t GetY() const { return m_y; }
    NodeRecord& Record() { return m_record; }
    const NodeRecord& Record() const { return m_record; }
    const OptDim& GetFurtherLength() const { return m_further; }
    void SetFurtherLength(const OptDim& length) { m_further = length; }
    // Sets the further length on this node and all of its subtree.
    void PassFurtherLength(const OptDim& length);

    // Tree.
    OptLayout* GetParent() const { return m_parent; }
    OptLayout* GetBlock() const { return m_block.get(); }
    OptLayout* GetLengthRemainder() const { return m_lengthRem.get(); }
    OptLayout* GetWidthRemainder() const { return m_widthRem.get(); }
    bool HasRemainders() const { return m_lengthRem || m_widthRem; }
    // The setters adopt the child (parent and depth set) and delete the old one.
    void SetBlock(std::unique_ptr<OptLayout> child);
    void SetLengthRemainder(std::unique_ptr<OptLayout> child);
    void SetWidthRemainder(std::unique_ptr<OptLayout> child);
    std::unique_ptr<OptLayout> ReleaseBlock();
    std::unique_ptr<OptLayout> ReleaseLengthRemainder();
    std::unique_ptr<OptLayout> ReleaseWidthRemainder();
    // Makes an empty child node with the record of a new child.
    enum class ChildKind { Block, LengthRemainder, WidthRemainder, StripAlongY, StripAlongX };
    std::unique_ptr<OptLayout> MakeChild(ChildKind kind, const OptDim& width,
                                         const OptDim& length, std::int32_t x,
                                         std::int32_t y) const;
    // Renews stage level and inherited direction of the direct children.
    void RenewChildRecords();
    std::int32_t GetDepth() const { return m_depth; }
    void SetDepth(std::int32_t depth);
    bool IsInSubtreeOf(const OptLayout* ancestor) const;

    // Working lists of the placement: all regions of the tree (root only)
    // and the node's own.
    const RegionList& GetRegions() const { return m_regions; }
    RegionList& GetRegions() { return m_regions; }
    const RegionList& GetOwnRegions() const { return m_ownRegions; }

    // Measures of the subtree.
    std::int32_t CutCount() const;
    double CutLengthInches() const;
    std::int32_t EffectiveDirection() const;
    bool AdmitsDirection(std::int32_t direction) const;

    const OptDim& Kerf() const;
    const OptDim& Padding() const;

protected:
    // The relay the calling thread is in (0 outside one): nothing of the
    // tree changes while it lasts.
    static std::uint64_t CurrentRelay();

    void CopyNodeInto(OptLayout& copy, OptLayout** cursor) const;
    void CollectOwnRegions();
    void CollectSubtreeRegions();
    void GatherRegions(RegionList& out) const;
    // The own regions of the subtree, counted.
    std::size_t CountRegions() const;
    void DeleteChildren();
    void Adopt(OptLayout& child);
    void SetTopLevel(OptTopLevelLayout* top);

    OptDim m_width;
    OptDim m_length;
    std::int32_t m_x;
    std::int32_t m_y;
    NodeRecord m_record;
    OptDim m_further;
    std::unique_ptr<OptLayout> m_block;
    std::unique_ptr<OptLayout> m_lengthRem;
    std::unique_ptr<OptLayout> m_widthRem;
    OptLayout* m_parent;
    // The sheet at the root of the tree, kept by every node so that finding
    // it does not walk up a deep tree (null while the node is detached).
    OptTopLevelLayout* m_top;
    RegionList m_regions;    // the root's: every region of the tree
    RegionList m_ownRegions; // this node's own regions
    std::int32_t m_depth;

private:
    // Content extents computed during one relay of the tree, which does not
    // change the tree meanwhile; outside a relay nothing is cached.
    mutable std::uint64_t m_extentRelay[2] = {0, 0};
    mutable std::int32_t m_extent[2] = {0, 0};
};

} // namespace optimization
