#pragma once
// The root of one sheet's cutting tree: the stock's usable area with the
// lists of the copies placed on it, its group of identical sheets, its copy
// of the local-optimization policy and its alternative layouts by style.
// This is what the program reads through ITopLevelLayout.

#include "OptLayout.h"
#include "ParLocalOpt.h"

#include <nestcore/ITopLevelLayout.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace optimization {

class OptTopLevelLayout;
using StyleMap = std::map<GeometryStyle, std::unique_ptr<OptTopLevelLayout>>;

class OptTopLevelLayout : public OptLayout, public ITopLevelLayout
{
public:
    OptTopLevelLayout(const StockProxy* stock, std::int32_t partOrderKind, const ParLocalOpt& policy);
    ~OptTopLevelLayout() override;

    // Deep copy with tree, lists, policy and group links; shares the style map.
    std::unique_ptr<OptTopLevelLayout> Copy() const;
    // Deep copy standing alone: no group links, a fresh style map.
    std::unique_ptr<OptTopLevelLayout> IsolatedCopy() const;
    // The same tree and fields standing alone, for a caller that changes the
    // tree at once: its lists and regions are left empty until the caller
    // rebuilds and relays it.
    std::unique_ptr<OptTopLevelLayout> BareIsolatedCopy() const;
    // A stand-in for a trial that mostly reads the sheet: the fields, lists
    // and root of a Copy (lists in tree order), but the tree below the root
    // is this sheet's own, read in place. Its own fields may change; the
    // first change of its tree (AssignFrom, a relay, a rebuild of its lists,
    // taking a copy out) gives it a tree of its own first. It must not
    // outlive this sheet or see this sheet's tree change, and copies made
    // from it are full copies.
    std::unique_ptr<OptTopLevelLayout> LightCopy() const;
    bool ReadsBorrowedTree() const { return m_borrowsTree; }
    // A light copy takes a copy of the borrowed tree for its own and is
    // re-laid: it is then what a Copy would be, its lists in their order.
    void OwnTree();
    // The regions of the tree; a light copy, which lists none while it
    // reads a borrowed tree, first takes the tree for its own (a light copy
    // belongs to the one caller that made it, so even the const question
    // may do that).
    RegionList& GetRegions()
    {
        OwnTree();
        return m_regions;
    }
    const RegionList& GetRegions() const
    {
        const_cast<OptTopLevelLayout*>(this)->OwnTree();
        return m_regions;
    }
    // A new empty sheet of the same stock that keeps the cut orientation or
    // off-cut setting (and a shortened usable region) of this one.
    std::unique_ptr<OptTopLevelLayout> EmptyCopy() const;
    // Moves the other sheet's tree into this one; rebuilds both sheets' lists.
    void AssignFrom(OptTopLevelLayout& other);

    // ITopLevelLayout
    bool IsDuplicate() const override { return m_master != nullptr; }
    const StockProxy* GetStockProxy() const override { return m_stock; }
    std::int32_t GetDuplicateCount() const override { return m_duplicateCount; }
    GeometryStyle GetGeometryStyle() const override { return m_policy.GetStyleWord(); }
    bool HasStyleLayout(GeometryStyle style) const override;
    ITopLevelLayout* GetStyleLayout(GeometryStyle style) const override;
    const std::vector<PlacedPart*>& GetPlacedParts() const override { return m_placedParts; }
    std::int32_t GetNumberOfCuts(bool withPadding) const override;
    double GetCutLengthInches(bool withPadding) const override;

    // Node operations of the root.
    std::unique_ptr<OptLayout> CopyTree(OptLayout* parent, OptLayout** cursor) const override;
    OptTopLevelLayout* GetTopLevel() override { return this; }
    const OptTopLevelLayout* GetTopLevel() const override { return this; }
    OptLayout* GetContinuationNode() override { return nullptr; }
    const StockProxy* GetStock() const override { return m_stock; }
    void SetParent(OptLayout*) override { }
    void MarkClosed(bool turned) override;
    void RegisterPlaced(PlacedPart* placed) override;
    void Clear() override;
    void RelayUpward() override { Relay(); }
    const RegionList& Relay() override;
    // Sets the cut orientation: direction 1 when dirFlag (unless the first-cut
    // restriction decides), item state 2 when turnedState else 1; files the
    // present layout in the style map first when `file` is set.
    void SetCutOrientation(bool dirFlag, bool turnedState, bool file);

    // Lists.
    const std::vector<const PartProxy*>& GetPlacedCopies() const { return m_placedCopies; }
    std::vector<const PartProxy*>& PlacedCopies() { return m_placedCopies; }
    std::vector<PlacedPart*>& PlacedParts() { return m_placedParts; }
    // Rebuilds both lists from the tree.
    void RebuildLists();
    // Sorts the placed copies by the proxies' factory order.
    void SortPlacedCopies();

    // Marks and links.
    std::int32_t GetWithinInventory() const { return m_withinInventory; }
    void SetWithinInventory(std::int32_t mark) { m_withinInventory = mark; }
    const PartProxy* GetTriedMark() const { return m_tried; }
    void SetTriedMark(const PartProxy* part) { m_tried = part; }
    void SetDuplicateCount(std::int32_t count) { m_duplicateCount = count; }
    OptTopLevelLayout* GetMaster() const { return m_master; }
    void SetMaster(OptTopLevelLayout* master) { m_master = master; }
    std::int32_t GetDoneMark() const { return m_done; }
    void SetDoneMark(std::int32_t done) { m_done = done; }
    std::int32_t GetPartOrderKind() const { return m_partOrderKind; }
    void SetPartOrderKind(std::int32_t kind) { m_partOrderKind = kind; }
    ParLocalOpt& Policy() { return m_policy; }
    const ParLocalOpt& Policy() const { return m_policy; }

    // Style map.
    const std::shared_ptr<StyleMap>& GetStyleMap() const { return m_styleMap; }
    void ShareStyleMap(const std::shared_ptr<StyleMap>& map) { m_styleMap = map; }
    void ResetStyleMap() { m_styleMap = std::make_shared<StyleMap>(); }
    // Files a copy of `layout` under `style`, or empties the entry for null.
    void FileStyleLayout(GeometryStyle style, const OptTopLevelLayout* layout);

    // Takes the leaf holding `part` out of the tree, leaving an empty node
    // in its place; false when no leaf holds it. The caller rebuilds the
    // lists and re-lays the sheet.
    bool TakeCopyOut(const PartProxy* part);
    // The same for the leaf of one placed record of this sheet.
    bool TakeCopyOut(const PlacedPart* placed);

    // Measures (areas in square inches).
    double PlacedArea() const;
    double PaddedPlacedArea() const;
    // Trimmed area of the stock less the padded areas of the copies.
    double FreeArea() const;
    // 1 - placed area / rough area (1 for no rough area, 0 when over-full).
    double GetWaste() const;
    // Placed copies that end one kerf before `rect` with the same bottom,
    // plus those that end one kerf above it with the same right edge.
    std::int32_t AlignedNeighboursOf(const OptRect& rect) const;
    std::int32_t TotalAlignedNeighbours() const;
    // Copies that share their bottom edge, or their right edge, with another.
    std::int32_t AlignedPartEdges() const;
    std::int32_t StripCount() const;
    // Width times length of the largest free region, in counts squared.
    std::int64_t LargestFreeRectangleArea() const;
    // Every placed copy of `other` lies in this sheet (as multisets).
    bool ContainsPartsOf(const OptTopLevelLayout& other) const;
    bool SamePartsAs(const OptTopLevelLayout& other) const;
    bool SameRootSize(const OptTopLevelLayout& other) const;

private:
    // The placed copies' edges that a neighbour lines up with, counted in a
    // flat hash table, so that counting a rectangle's aligned neighbours
    // takes a few exact look-ups. Each key packs two edges, the first in the
    // high half, shifted left by one for the kind: 0 for (right + kerf,
    // bottom), 1 for (bottom + kerf, right). The table keeps its storage
    // from one relay to the next.
    struct AlignIndex
    {
        struct Slot
        {
            std::uint64_t key;
            std::uint32_t count;
        };
        static constexpr std::uint64_t kEmpty = ~std::uint64_t(0);
        std::vector<Slot> slots;
        int shift = 64;
        void Reset(std::size_t entries);
        std::size_t Home(std::uint64_t key) const;
        void Add(std::uint64_t key);
        std::uint32_t Count(std::uint64_t key) const;
    };
    void MakeAlignIndex(AlignIndex& index) const;
    static std::int32_t CountAligned(const AlignIndex& index, const OptRect& rect);

    void CopyFieldsInto(OptTopLevelLayout& copy) const;
    // A light copy's first change of its tree: the borrowed tree is copied
    // into one of its own (the placed records then are its own too).
    void CopyBorrowedTree();
    // Lets go of a borrowed tree without deleting it.
    void ReleaseBorrowedTree();
    void ResetRootRecord();
    // Puts an empty node in place of the child of `parent` that `isLeaf` picks.
    bool TakeLeafOut(OptLayout& parent, const std::function<bool(const OptLayout&)>& isLeaf);

    std::vector<const PartProxy*> m_placedCopies;
    std::vector<PlacedPart*> m_placedParts;
    const StockProxy* m_stock;
    std::int32_t m_withinInventory = 0;
    const PartProxy* m_tried = nullptr;
    std::int32_t m_duplicateCount = 0;
    OptTopLevelLayout* m_master = nullptr;
    ParLocalOpt m_policy;
    std::int32_t m_done = 0;
    std::shared_ptr<StyleMap> m_styleMap;
    std::int32_t m_partOrderKind;
    bool m_borrowsTree = false;
    // Built at most once per relay, while the copies stay where they are;
    // below these counts of copies and questions a plain scan is cheaper.
    static constexpr std::size_t kAlignIndexFrom = 64;
    static constexpr std::uint32_t kAlignIndexAfter = 2;
    mutable AlignIndex m_alignIndex;
    mutable std::uint64_t m_alignRelay = 0;
    mutable std::uint32_t m_alignQueries = 0;
};

} // namespace optimization
