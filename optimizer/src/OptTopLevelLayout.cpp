#include "OptTopLevelLayout.h"

#include "OptPartLayout.h"

#include <nestcore/PartProxy.h>
#include <nestcore/ProxyOrder.h>
#include <nestcore/StockProxy.h>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace optimization {

namespace {

constexpr double kAreaEpsilon = 0.00001;

bool SameCount(std::int32_t a, std::int32_t b)
{
    return std::llabs(std::int64_t(a) - b) <= OptDim::INTERNAL_EPSILON;
}

std::int32_t RestrictionFromRules(const StockProxy* stock)
{
    const FirstCutSpecification firstCut = stock->GetRules().GetFirstCutSpecification();
    if (firstCut == FirstCutNone)
        return 0;
    return firstCut == FirstCutWithGrain ? 1 : 2;
}

// The leaves' records and copies in the order RebuildLists collects them,
// read without touching the tree.
void CollectInTreeOrder(OptLayout* node, std::vector<PlacedPart*>& placed, std::vector<const PartProxy*>& copies)
{
    if (!node->CanHoldChildren()) {
        auto* leaf = static_cast<OptPartLayout*>(node);
        if (const PartProxy* part = leaf->GetPart()) {
            placed.push_back(&leaf->GetPlaced());
            copies.push_back(part);
        }
        return;
    }
    for (OptLayout* child : {node->GetBlock(), node->GetLengthRemainder(), node->GetWidthRemainder()})
        if (child)
            CollectInTreeOrder(child, placed, copies);
}

std::vector<const PartProxy*> SortedByFactoryOrder(std::vector<const PartProxy*> copies)
{
    std::stable_sort(copies.begin(), copies.end(), ProxyOrder());
    return copies;
}

} // namespace

OptTopLevelLayout::OptTopLevelLayout(
    const StockProxy* stock, std::int32_t partOrderKind, const ParLocalOpt& policy)
    : OptLayout(stock->GetCanvas().GetTrimmedWidth(), stock->GetCanvas().GetTrimmedLength(), 0, 0, nullptr)
    , m_stock(stock)
    , m_policy(policy)
    , m_styleMap(std::make_shared<StyleMap>())
    , m_partOrderKind(partOrderKind)
{
    m_top = this;
    ResetRootRecord();
}

OptTopLevelLayout::~OptTopLevelLayout()
{
    // The leaves' records go with the tree; nothing refers to them after this.
    m_placedParts.clear();
    ReleaseBorrowedTree();
}

void OptTopLevelLayout::ReleaseBorrowedTree()
{
    if (!m_borrowsTree)
        return;
    static_cast<void>(m_block.release());
    static_cast<void>(m_lengthRem.release());
    static_cast<void>(m_widthRem.release());
    m_borrowsTree = false;
}

void OptTopLevelLayout::CopyBorrowedTree()
{
    if (!m_borrowsTree)
        return;
    std::unique_ptr<OptLayout> block = m_block ? m_block->CopyTree(this, nullptr) : nullptr;
    std::unique_ptr<OptLayout> lengthRem = m_lengthRem ? m_lengthRem->CopyTree(this, nullptr) : nullptr;
    std::unique_ptr<OptLayout> widthRem = m_widthRem ? m_widthRem->CopyTree(this, nullptr) : nullptr;
    ReleaseBorrowedTree();
    m_block = std::move(block);
    m_lengthRem = std::move(lengthRem);
    m_widthRem = std::move(widthRem);
    // The records listed were the lender's; the copies keep their order.
    m_placedParts.clear();
    OptLayout::CollectPlacedParts();
}

void OptTopLevelLayout::OwnTree()
{
    if (!m_borrowsTree)
        return;
    CopyBorrowedTree();
    Relay();
}

std::unique_ptr<OptTopLevelLayout> OptTopLevelLayout::LightCopy() const
{
    auto copy = std::make_unique<OptTopLevelLayout>(m_stock, m_partOrderKind, m_policy);
    copy->m_width = m_width;
    copy->m_length = m_length;
    copy->m_x = m_x;
    copy->m_y = m_y;
    copy->m_record = m_record;
    copy->m_further = m_further;
    copy->m_depth = m_depth;
    CopyFieldsInto(*copy);
    copy->m_block.reset(m_block.get());
    copy->m_lengthRem.reset(m_lengthRem.get());
    copy->m_widthRem.reset(m_widthRem.get());
    copy->m_borrowsTree = true;
    CollectInTreeOrder(copy.get(), copy->m_placedParts, copy->m_placedCopies);
    return copy;
}

const RegionList& OptTopLevelLayout::Relay()
{
    CopyBorrowedTree();
    return OptLayout::Relay();
}

void OptTopLevelLayout::ResetRootRecord()
{
    m_record.rootMark = 1;
    m_record.firstCutRestriction = RestrictionFromRules(m_stock);
}

void OptTopLevelLayout::CopyFieldsInto(OptTopLevelLayout& copy) const
{
    copy.m_withinInventory = m_withinInventory;
    copy.m_tried = m_tried;
    copy.m_duplicateCount = m_duplicateCount;
    copy.m_master = m_master;
    copy.m_policy = m_policy;
    copy.m_done = m_done;
    copy.m_styleMap = m_styleMap;
    copy.m_partOrderKind = m_partOrderKind;
}

std::unique_ptr<OptTopLevelLayout> OptTopLevelLayout::Copy() const
{
    auto copy = std::make_unique<OptTopLevelLayout>(m_stock, m_partOrderKind, m_policy);
    CopyNodeInto(*copy, nullptr);
    CopyFieldsInto(*copy);
    copy->RebuildLists();
    copy->Relay();
    return copy;
}

std::unique_ptr<OptLayout> OptTopLevelLayout::CopyTree(OptLayout*, OptLayout** cursor) const
{
    auto copy = std::make_unique<OptTopLevelLayout>(m_stock, m_partOrderKind, m_policy);
    CopyNodeInto(*copy, cursor);
    CopyFieldsInto(*copy);
    copy->RebuildLists();
    copy->Relay();
    return copy;
}

std::unique_ptr<OptTopLevelLayout> OptTopLevelLayout::IsolatedCopy() const
{
    auto copy = Copy();
    copy->m_master = nullptr;
    copy->m_duplicateCount = 0;
    copy->ResetStyleMap();
    return copy;
}

std::unique_ptr<OptTopLevelLayout> OptTopLevelLayout::BareIsolatedCopy() const
{
    auto copy = std::make_unique<OptTopLevelLayout>(m_stock, m_partOrderKind, m_policy);
    CopyNodeInto(*copy, nullptr);
    CopyFieldsInto(*copy);
    copy->m_master = nullptr;
    copy->m_duplicateCount = 0;
    copy->ResetStyleMap();
    return copy;
}

std::unique_ptr<OptTopLevelLayout> OptTopLevelLayout::EmptyCopy() const
{
    auto copy = std::make_unique<OptTopLevelLayout>(m_stock, m_partOrderKind, m_policy);
    copy->m_withinInventory = m_withinInventory;
    const std::int32_t state = m_record.itemState;
    if (state == 1 || state == 2) {
        copy->SetCutOrientation(m_record.stripDirection == 1, state == 2, false);
    } else if (state == 3 || state == 4) {
        copy->MarkClosed(state == 4);
        // A shortened usable region (an off-cut trial) is kept.
        copy->m_width = m_width;
        copy->m_length = m_length;
    }
    copy->Relay();
    return copy;
}

void OptTopLevelLayout::AssignFrom(OptTopLevelLayout& other)
{
    if (&other == this)
        return;
    if (other.m_borrowsTree) {
        // The lender keeps its tree: a full copy moves instead, and the
        // light copy is left empty as a moved-from sheet is.
        std::unique_ptr<OptTopLevelLayout> own = other.Copy();
        other.ReleaseBorrowedTree();
        other.RebuildLists();
        other.Relay();
        AssignFrom(*own);
        return;
    }
    ReleaseBorrowedTree();
    DeleteChildren();
    m_width = other.m_width;
    m_length = other.m_length;
    m_record = other.m_record;
    m_further = other.m_further;
    SetBlock(other.ReleaseBlock());
    SetLengthRemainder(other.ReleaseLengthRemainder());
    SetWidthRemainder(other.ReleaseWidthRemainder());
    RebuildLists();
    other.RebuildLists();
    Relay();
    other.Relay();
}

bool OptTopLevelLayout::HasStyleLayout(GeometryStyle style) const
{
    auto it = m_styleMap->find(style);
    return it != m_styleMap->end() && it->second != nullptr;
}

ITopLevelLayout* OptTopLevelLayout::GetStyleLayout(GeometryStyle style) const
{
    // Nothing is thrown across the library boundary: a style never entered
    // answers null like an empty entry.
    auto it = m_styleMap->find(style);
    if (it == m_styleMap->end() || !it->second)
        return nullptr;
    try {
        auto copy = it->second->Copy();
        copy->ResetStyleMap();
        copy->m_master = m_master;
        copy->m_duplicateCount = IsDuplicate() ? 0 : m_duplicateCount;
        return copy.release();
    } catch (...) {
        // Out of memory while copying: the program gets no copy rather
        // than an exception from inside the library.
        return nullptr;
    }
}

std::int32_t OptTopLevelLayout::GetNumberOfCuts(bool withPadding) const
{
    std::int32_t cuts = CutCount();
    const CanvasDescriptor& canvas = m_stock->GetCanvas();
    if (canvas.HasTBTrim())
        cuts += 2;
    if (canvas.HasLRTrim())
        cuts += 2;
    if (withPadding && m_stock->GetRules().GetPartPadding() != OptDim::Zero)
        cuts += 4 * std::int32_t(m_placedParts.size());
    return cuts;
}

double OptTopLevelLayout::GetCutLengthInches(bool withPadding) const
{
    double total = 0.0;
    const CanvasDescriptor& canvas = m_stock->GetCanvas();
    if (canvas.HasTBTrim())
        total += 2.0 * canvas.GetRoughLength().GetInches();
    if (canvas.HasLRTrim())
        total += 2.0 * m_width.GetInches();
    total += CutLengthInches();
    if (withPadding && m_stock->GetRules().GetPartPadding() != OptDim::Zero) {
        for (const PlacedPart* placed : m_placedParts) {
            const PartDescriptor& d = placed->GetPartProxy()->GetDescriptor();
            total += 2.0 * d.length.GetInches() + 2.0 * d.furtherLength.GetInches();
        }
    }
    return total;
}

void OptTopLevelLayout::MarkClosed(bool turned)
{
    CopyBorrowedTree();
    const GeometryStyle style = m_policy.GetStyleWord();
    if (m_styleMap->find(style) == m_styleMap->end())
        FileStyleLayout(style, this);
    OptLayout::MarkClosed(turned);
}

void OptTopLevelLayout::RegisterPlaced(PlacedPart* placed)
{
    m_placedParts.push_back(placed);
}

void OptTopLevelLayout::Clear()
{
    ReleaseBorrowedTree();
    OptLayout::Clear();
    m_placedParts.clear();
    m_placedCopies.clear();
    m_tried = nullptr;
    m_done = 0;
    m_record.firstCutRestriction = RestrictionFromRules(m_stock);
    ResetStyleMap();
}

void OptTopLevelLayout::SetCutOrientation(bool dirFlag, bool turnedState, bool file)
{
    if (file)
        FileStyleLayout(m_policy.GetStyleWord(), this);
    const std::int32_t restriction = m_record.firstCutRestriction;
    const std::int32_t direction
        = restriction != 0 ? restriction : (dirFlag ? CutLengthFirst : CutWidthFirst);
    m_record.cutDirection = direction;
    m_record.stripDirection = direction;
    m_record.itemState = turnedState ? 2 : 1;
}

void OptTopLevelLayout::RebuildLists()
{
    CopyBorrowedTree();
    m_placedParts.clear();
    m_placedCopies.clear();
    OptLayout::CollectPlacedParts();
    OptLayout::CollectPlacedCopies();
}

void OptTopLevelLayout::SortPlacedCopies()
{
    // Most lists are sorted already: the check costs no buffer and leaves
    // a sorted list untouched.
    if (std::is_sorted(m_placedCopies.begin(), m_placedCopies.end(), ProxyOrder()))
        return;
    std::stable_sort(m_placedCopies.begin(), m_placedCopies.end(), ProxyOrder());
}

void OptTopLevelLayout::FileStyleLayout(GeometryStyle style, const OptTopLevelLayout* layout)
{
    StyleMap& map = *m_styleMap;
    if (!layout) {
        map[style].reset();
        return;
    }
    if (style == m_stock->GetRules().GetPreferredGeometryStyle()) {
        for (auto& entry : map) {
            if (entry.first != style && entry.second.get() == layout) {
                auto moved = std::move(entry.second);
                moved->m_policy.SetStyleWord(style);
                map[style] = std::move(moved);
                return;
            }
        }
    }
    auto copy = layout->IsolatedCopy();
    if (style == StandardLayout)
        copy->m_policy.SetStyleWord(StandardLayout);
    map[style] = std::move(copy);
}

bool OptTopLevelLayout::TakeCopyOut(const PartProxy* part)
{
    CopyBorrowedTree();
    OptLayout* parent = FindLeafParent(part);
    if (!parent)
        return false;
    return TakeLeafOut(*parent,
        [part](const OptLayout& child) { return !child.CanHoldChildren() && child.GetPart() == part; });
}

bool OptTopLevelLayout::TakeCopyOut(const PlacedPart* placed)
{
    CopyBorrowedTree();
    OptLayout* parent = FindLeafParent(placed);
    if (!parent)
        return false;
    return TakeLeafOut(*parent, [placed](const OptLayout& child) {
        const auto* leaf = dynamic_cast<const OptPartLayout*>(&child);
        return leaf && &leaf->GetPlaced() == placed;
    });
}

bool OptTopLevelLayout::TakeLeafOut(
    OptLayout& parentNode, const std::function<bool(const OptLayout&)>& isLeaf)
{
    OptLayout* parent = &parentNode;
    std::unique_ptr<OptLayout> leaf;
    int slot = 0;
    if (parent->GetBlock() && isLeaf(*parent->GetBlock())) {
        leaf = parent->ReleaseBlock();
    } else if (parent->GetLengthRemainder() && isLeaf(*parent->GetLengthRemainder())) {
        leaf = parent->ReleaseLengthRemainder();
        slot = 1;
    } else if (parent->GetWidthRemainder() && isLeaf(*parent->GetWidthRemainder())) {
        leaf = parent->ReleaseWidthRemainder();
        slot = 2;
    } else {
        return false;
    }
    auto empty = std::make_unique<OptLayout>(
        leaf->GetWidth(), leaf->GetLength(), leaf->GetX(), leaf->GetY(), parent);
    empty->Record().cutDirection = leaf->Record().cutDirection;
    if (leaf->Record().rebuiltBranch)
        empty->Record().rebuiltBranch = leaf->Record().rebuiltBranch;
    empty->SetFurtherLength(leaf->GetFurtherLength());
    const std::int32_t depth = leaf->GetDepth();
    leaf.reset();
    if (slot == 0)
        parent->SetBlock(std::move(empty));
    else if (slot == 1)
        parent->SetLengthRemainder(std::move(empty));
    else
        parent->SetWidthRemainder(std::move(empty));
    (slot == 0          ? parent->GetBlock()
            : slot == 1 ? parent->GetLengthRemainder()
                        : parent->GetWidthRemainder())
        ->SetDepth(depth);
    // The leaf's record left the sheet with it.
    RebuildLists();
    return true;
}

double OptTopLevelLayout::PlacedArea() const
{
    double area = 0.0;
    for (const PartProxy* part : m_placedCopies)
        area += part->GetDescriptor().area;
    return area;
}

double OptTopLevelLayout::PaddedPlacedArea() const
{
    double area = 0.0;
    for (const PartProxy* part : m_placedCopies)
        area += part->GetDescriptor().paddedArea;
    return area;
}

double OptTopLevelLayout::FreeArea() const
{
    return m_stock->GetCanvas().GetTrimmedArea() - PaddedPlacedArea();
}

double OptTopLevelLayout::GetWaste() const
{
    const double rough = m_stock->GetCanvas().GetRoughArea();
    if (rough <= kAreaEpsilon)
        return 1.0;
    const double placed = PlacedArea();
    if (placed > rough)
        return 0.0;
    return 1.0 - placed / rough;
}

namespace {
// Two edges as one sortable key. Edges lie well within 32 bits (lengths up to
// the largest the optimizer represents, plus a kerf and the tolerance); the
// offset keeps a small negative value in order.
constexpr std::int64_t kKeyOffset = std::int64_t(1) << 30;
std::uint64_t PackEdges(std::int64_t first, std::int64_t second)
{
    return (std::uint64_t(first + kKeyOffset) << 32) | std::uint64_t(second + kKeyOffset);
}
} // namespace

void OptTopLevelLayout::AlignIndex::Reset(std::size_t entries)
{
    std::size_t capacity = 16;
    while (capacity < 4 * entries)
        capacity *= 2;
    slots.assign(capacity, Slot { kEmpty, 0 });
    shift = 64;
    for (std::size_t c = capacity; c > 1; c /= 2)
        --shift;
}

std::size_t OptTopLevelLayout::AlignIndex::Home(std::uint64_t key) const
{
    // Fibonacci hashing: the top bits of the product spread nearby edges.
    return std::size_t((key * 0x9E3779B97F4A7C15ull) >> shift);
}

void OptTopLevelLayout::AlignIndex::Add(std::uint64_t key)
{
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = Home(key);; i = (i + 1) & mask) {
        Slot& slot = slots[i];
        if (slot.key == key) {
            ++slot.count;
            return;
        }
        if (slot.key == kEmpty) {
            slot = Slot { key, 1 };
            return;
        }
    }
}

std::uint32_t OptTopLevelLayout::AlignIndex::Count(std::uint64_t key) const
{
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = Home(key);; i = (i + 1) & mask) {
        const Slot& slot = slots[i];
        if (slot.key == key)
            return slot.count;
        if (slot.key == kEmpty)
            return 0;
    }
}

void OptTopLevelLayout::MakeAlignIndex(AlignIndex& index) const
{
    const std::int64_t kerf = m_stock->GetRules().GetKerf().ToEncodedInt();
    // Both kinds of entry in one table: the lowest bit tells them apart.
    index.Reset(2 * m_placedParts.size());
    for (const PlacedPart* placed : m_placedParts) {
        const OptRect& p = placed->GetRect();
        index.Add(PackEdges(std::int64_t(p.right) + kerf, p.bottom) << 1);
        index.Add((PackEdges(std::int64_t(p.bottom) + kerf, p.right) << 1) | 1);
    }
}

std::int32_t OptTopLevelLayout::CountAligned(const AlignIndex& index, const OptRect& rect)
{
    // Entries whose first edge lies within the tolerance of `first` and whose
    // second edge within that of `second`: every pair of edges in that box
    // is looked up exactly.
    auto count = [&index](std::uint64_t tag, std::int64_t first, std::int64_t second) {
        std::int64_t n = 0;
        for (std::int64_t a = first - OptDim::INTERNAL_EPSILON; a <= first + OptDim::INTERNAL_EPSILON; ++a)
            for (std::int64_t b = second - OptDim::INTERNAL_EPSILON; b <= second + OptDim::INTERNAL_EPSILON;
                 ++b)
                n += index.Count((PackEdges(a, b) << 1) | tag);
        return n;
    };
    return static_cast<std::int32_t>(count(0, rect.left, rect.bottom) + count(1, rect.top, rect.right));
}

std::int32_t OptTopLevelLayout::AlignedNeighboursOf(const OptRect& rect) const
{
    // Within a relay the question may come for many copies: after a few
    // the index pays.
    if (const std::uint64_t relay = CurrentRelay(); relay != 0 && m_placedParts.size() > kAlignIndexFrom) {
        if (m_alignRelay != relay) {
            m_alignRelay = relay;
            m_alignQueries = 0;
        }
        if (++m_alignQueries == kAlignIndexAfter)
            MakeAlignIndex(m_alignIndex);
        if (m_alignQueries >= kAlignIndexAfter)
            return CountAligned(m_alignIndex, rect);
    }
    const std::int32_t kerf = m_stock->GetRules().GetKerf().ToEncodedInt();
    std::int32_t count = 0;
    for (const PlacedPart* placed : m_placedParts) {
        const OptRect& p = placed->GetRect();
        if (SameCount(p.right + kerf, rect.left) && SameCount(p.bottom, rect.bottom))
            ++count;
        if (SameCount(p.bottom + kerf, rect.top) && SameCount(p.right, rect.right))
            ++count;
    }
    return count;
}

std::int32_t OptTopLevelLayout::TotalAlignedNeighbours() const
{
    if (m_placedParts.size() <= kAlignIndexFrom) {
        std::int32_t total = 0;
        for (const PlacedPart* placed : m_placedParts)
            total += AlignedNeighboursOf(placed->GetRect());
        return total;
    }
    // A local index: the sheet may be read by several threads at once.
    AlignIndex index;
    MakeAlignIndex(index);
    std::int32_t total = 0;
    for (const PlacedPart* placed : m_placedParts)
        total += CountAligned(index, placed->GetRect());
    return total;
}

std::int32_t OptTopLevelLayout::AlignedPartEdges() const
{
    // Exact edges as keys: a tolerant key would not be a strict weak order.
    std::map<std::int32_t, std::int32_t> bottoms;
    std::map<std::int32_t, std::int32_t> rights;
    for (const PlacedPart* placed : m_placedParts) {
        ++bottoms[placed->GetRect().bottom];
        ++rights[placed->GetRect().right];
    }
    std::int32_t total = 0;
    for (const auto* groups : { &bottoms, &rights })
        for (const auto& group : *groups)
            if (group.second >= 2)
                total += group.second;
    return total;
}

namespace {
std::int32_t StripChain(const OptLayout* node)
{
    std::int32_t strips = 1;
    if (node->GetWidthRemainder() && node->Record().cutDirection == CutLengthFirst)
        strips += StripChain(node->GetWidthRemainder());
    return strips;
}
} // namespace

std::int32_t OptTopLevelLayout::StripCount() const
{
    if (m_stock->GetRules().GetFirstCutSpecification() == FirstCutWithGrain)
        return StripChain(this);
    if (!GetLengthRemainder() || m_record.cutDirection != CutWidthFirst)
        return 1;
    return 1 + StripChain(GetLengthRemainder());
}

std::int64_t OptTopLevelLayout::LargestFreeRectangleArea() const
{
    std::int64_t largest = 0;
    for (const CFreeRectangle& rect : GetRegions())
        largest = std::max(largest, rect.Area());
    return largest;
}

bool OptTopLevelLayout::ContainsPartsOf(const OptTopLevelLayout& other) const
{
    const auto mine = SortedByFactoryOrder(m_placedCopies);
    const auto theirs = SortedByFactoryOrder(other.m_placedCopies);
    return std::includes(mine.begin(), mine.end(), theirs.begin(), theirs.end(), ProxyOrder());
}

bool OptTopLevelLayout::SamePartsAs(const OptTopLevelLayout& other) const
{
    return m_placedCopies.size() == other.m_placedCopies.size()
        && SortedByFactoryOrder(m_placedCopies) == SortedByFactoryOrder(other.m_placedCopies);
}

bool OptTopLevelLayout::SameRootSize(const OptTopLevelLayout& other) const
{
    return m_width == other.m_width && m_length == other.m_length;
}

} // namespace optimization
