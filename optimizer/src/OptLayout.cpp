#include "OptLayout.h"

#include "OptPartLayout.h"
#include "OptTopLevelLayout.h"

#include <nestcore/StockProxy.h>

#include <algorithm>
#include <atomic>

namespace optimization {

namespace {
const OptDim kNoLength;

// Every relay gets its own number, unique across threads, so that a cached
// extent is only trusted within the relay that computed it.
std::atomic<std::uint64_t> g_nextRelay{1};
thread_local std::uint64_t t_relay = 0;

// Marks the outermost relay of the calling thread.
class RelayScope
{
public:
    RelayScope() : m_outer(t_relay == 0)
    {
        if (m_outer)
            t_relay = g_nextRelay.fetch_add(1, std::memory_order_relaxed);
    }
    ~RelayScope()
    {
        if (m_outer)
            t_relay = 0;
    }
    RelayScope(const RelayScope&) = delete;
    RelayScope& operator=(const RelayScope&) = delete;

private:
    bool m_outer;
};
} // namespace

OptLayout::OptLayout(const OptDim& width, const OptDim& length, std::int32_t x, std::int32_t y,
                     OptLayout* parent)
    : m_width(width)
    , m_length(length)
    , m_x(x)
    , m_y(y)
    , m_parent(parent)
    , m_top(parent ? parent->m_top : nullptr)
    , m_depth(parent ? parent->m_depth + 1 : 1)
{
}

OptLayout::~OptLayout() = default;

std::uint64_t OptLayout::CurrentRelay()
{
    return t_relay;
}

std::unique_ptr<OptLayout> OptLayout::CopyTree(OptLayout* parent, OptLayout** cursor) const
{
    auto copy = std::make_unique<OptLayout>(m_width, m_length, m_x, m_y, parent);
    CopyNodeInto(*copy, cursor);
    return copy;
}

void OptLayout::CopyNodeInto(OptLayout& copy, OptLayout** cursor) const
{
    copy.m_width = m_width;
    copy.m_length = m_length;
    copy.m_x = m_x;
    copy.m_y = m_y;
    copy.m_record = m_record;
    copy.m_further = m_further;
    copy.m_depth = m_depth;
    if (cursor && *cursor == this)
        *cursor = &copy;
    // Regions point at their owner nodes, so they are collected afresh on
    // the copy rather than copied.
    copy.DeleteChildren();
    if (m_block)
        copy.m_block = m_block->CopyTree(&copy, cursor);
    if (m_lengthRem)
        copy.m_lengthRem = m_lengthRem->CopyTree(&copy, cursor);
    if (m_widthRem)
        copy.m_widthRem = m_widthRem->CopyTree(&copy, cursor);
}

OptTopLevelLayout* OptLayout::GetTopLevel()
{
    return m_top;
}

const OptTopLevelLayout* OptLayout::GetTopLevel() const
{
    return m_top;
}

void OptLayout::SetParent(OptLayout* parent)
{
    m_parent = parent;
    SetTopLevel(parent ? parent->m_top : nullptr);
}

void OptLayout::SetTopLevel(OptTopLevelLayout* top)
{
    m_top = top;
    for (OptLayout* child : {m_block.get(), m_lengthRem.get(), m_widthRem.get()})
        if (child)
            child->SetTopLevel(top);
}

OptDim OptLayout::GetContentExtent(bool alongLength) const
{
    const int axis = alongLength ? 1 : 0;
    if (t_relay != 0 && m_extentRelay[axis] == t_relay)
        return OptDim::FromInternalRep(m_extent[axis]);
    // How far the content reaches from this node's origin.
    std::int32_t reach = 0;
    for (const OptLayout* child : {m_block.get(), m_lengthRem.get(), m_widthRem.get()}) {
        if (!child || (child != m_block.get() && !child->m_block))
            continue; // an empty remainder holds no content
        const std::int32_t offset = alongLength ? child->m_x - m_x : child->m_y - m_y;
        reach = std::max(reach, offset + child->GetContentExtent(alongLength).ToEncodedInt());
    }
    if (t_relay != 0) {
        m_extentRelay[axis] = t_relay;
        m_extent[axis] = reach;
    }
    return OptDim::FromInternalRep(reach);
}

OptLayout* OptLayout::GetContinuationNode()
{
    if (!m_parent)
        return nullptr;
    OptLayout* lengthRem = m_parent->m_lengthRem.get();
    if (m_parent->m_widthRem.get() == this && lengthRem && lengthRem->HasRemainders()) {
        lengthRem->SetDepth(m_parent->m_depth + 1);
        OptLayout* node = lengthRem;
        while (node->m_depth <= 6) {
            OptLayout* next = nullptr;
            if (node->m_widthRem && node->m_widthRem->HasRemainders())
                next = node->m_widthRem.get();
            else if (node->m_lengthRem && node->m_lengthRem->HasRemainders())
                next = node->m_lengthRem.get();
            if (!next)
                break;
            node = next;
        }
        return node;
    }
    return m_parent;
}

OptLayout* OptLayout::FindLeafParent(const PartProxy* part)
{
    for (OptLayout* child : {m_block.get(), m_lengthRem.get(), m_widthRem.get()}) {
        if (!child)
            continue;
        if (!child->CanHoldChildren() && child->GetPart() == part)
            return this;
        if (OptLayout* found = child->FindLeafParent(part))
            return found;
    }
    return nullptr;
}

OptLayout* OptLayout::FindLeafParent(const PlacedPart* placed)
{
    for (OptLayout* child : {m_block.get(), m_lengthRem.get(), m_widthRem.get()}) {
        if (!child)
            continue;
        if (auto* leaf = dynamic_cast<OptPartLayout*>(child); leaf && &leaf->GetPlaced() == placed)
            return this;
        if (OptLayout* found = child->FindLeafParent(placed))
            return found;
    }
    return nullptr;
}

const StockProxy* OptLayout::GetStock() const
{
    const OptTopLevelLayout* top = GetTopLevel();
    return top ? top->GetStockProxy() : nullptr;
}

const OptDim& OptLayout::Kerf() const
{
    const StockProxy* stock = GetStock();
    return stock ? stock->GetRules().GetKerf() : kNoLength;
}

const OptDim& OptLayout::Padding() const
{
    const StockProxy* stock = GetStock();
    return stock ? stock->GetRules().GetPartPadding() : kNoLength;
}

void OptLayout::SetOrigin(std::int32_t x, std::int32_t y)
{
    m_x = x;
    m_y = y;
}

void OptLayout::MarkPlaced(std::int32_t value, bool turned)
{
    m_record.stripDirection = value;
    m_record.itemState = turned ? 2 : 1;
}

void OptLayout::MarkClosed(bool turned)
{
    m_record.itemState = turned ? 4 : 3;
    m_record.stripDirection = 0;
}

void OptLayout::RegisterPlaced(PlacedPart* placed)
{
    if (m_parent)
        m_parent->RegisterPlaced(placed);
}

void OptLayout::CollectPlacedParts()
{
    for (OptLayout* child : {m_block.get(), m_lengthRem.get(), m_widthRem.get()})
        if (child)
            child->CollectPlacedParts();
}

void OptLayout::CollectPlacedCopies()
{
    for (OptLayout* child : {m_block.get(), m_lengthRem.get(), m_widthRem.get()})
        if (child)
            child->CollectPlacedCopies();
}

void OptLayout::RefreshAndCollect()
{
    for (OptLayout* child : {m_block.get(), m_lengthRem.get(), m_widthRem.get()})
        if (child)
            child->RefreshAndCollect();
}

void OptLayout::DeleteChildren()
{
    m_block.reset();
    m_lengthRem.reset();
    m_widthRem.reset();
}

void OptLayout::Clear()
{
    DeleteChildren();
    m_regions.clear();
    m_ownRegions.clear();
}

const RegionList& OptLayout::Relay()
{
    const RelayScope scope;
    CollectSubtreeRegions();
    if (m_parent == nullptr)
        GatherRegions(m_regions);
    return m_regions;
}

void OptLayout::CollectSubtreeRegions()
{
    for (OptLayout* child : {m_lengthRem.get(), m_widthRem.get(), m_block.get()})
        if (child && child->CanHoldChildren())
            child->CollectSubtreeRegions();
    CollectOwnRegions();
}

void OptLayout::GatherRegions(RegionList& out) const
{
    // Each node's own regions, then its length remainder's, width
    // remainder's and block's, depth first.
    if (&out == &m_regions) {
        out.clear();
        // A fresh copy of a sheet gathers into an empty list: size it once
        // rather than grow it; a list that kept its storage needs no count.
        if (out.capacity() == 0)
            out.reserve(CountRegions());
    }
    out.insert(out.end(), m_ownRegions.begin(), m_ownRegions.end());
    for (const OptLayout* child : {m_lengthRem.get(), m_widthRem.get(), m_block.get()})
        if (child)
            child->GatherRegions(out);
}

std::size_t OptLayout::CountRegions() const
{
    std::size_t count = m_ownRegions.size();
    for (const OptLayout* child : {m_lengthRem.get(), m_widthRem.get(), m_block.get()})
        if (child)
            count += child->CountRegions();
    return count;
}

void OptLayout::RelayUpward()
{
    // The ancestors' own regions depend on their children; only the root
    // keeps the list of all regions of its tree.
    const RelayScope scope;
    CollectSubtreeRegions();
    OptLayout* root = this;
    for (OptLayout* node = m_parent; node; node = node->m_parent) {
        node->CollectOwnRegions();
        root = node;
    }
    root->GatherRegions(root->m_regions);
}

void OptLayout::MoveBy(std::int32_t dx, std::int32_t dy)
{
    m_x += dx;
    m_y += dy;
    for (OptLayout* child : {m_block.get(), m_lengthRem.get(), m_widthRem.get()})
        if (child)
            child->MoveBy(dx, dy);
}

void OptLayout::PassFurtherLength(const OptDim& length)
{
    m_further = length;
    for (OptLayout* child : {m_block.get(), m_lengthRem.get(), m_widthRem.get()})
        if (child)
            child->PassFurtherLength(length);
}

void OptLayout::Adopt(OptLayout& child)
{
    child.SetParent(this);
    child.SetDepth(m_depth + 1);
}

void OptLayout::SetBlock(std::unique_ptr<OptLayout> child)
{
    if (child)
        Adopt(*child);
    m_block = std::move(child);
}

void OptLayout::SetLengthRemainder(std::unique_ptr<OptLayout> child)
{
    if (child)
        Adopt(*child);
    m_lengthRem = std::move(child);
}

void OptLayout::SetWidthRemainder(std::unique_ptr<OptLayout> child)
{
    if (child)
        Adopt(*child);
    m_widthRem = std::move(child);
}

std::unique_ptr<OptLayout> OptLayout::ReleaseBlock() { return std::move(m_block); }
std::unique_ptr<OptLayout> OptLayout::ReleaseLengthRemainder() { return std::move(m_lengthRem); }
std::unique_ptr<OptLayout> OptLayout::ReleaseWidthRemainder() { return std::move(m_widthRem); }

std::unique_ptr<OptLayout> OptLayout::MakeChild(ChildKind kind, const OptDim& width,
                                                const OptDim& length, std::int32_t x,
                                                std::int32_t y) const
{
    auto child = std::make_unique<OptLayout>(width, length, x, y, const_cast<OptLayout*>(this));
    NodeRecord& rec = child->m_record;
    rec.stageLevel = m_record.stageLevel;
    switch (kind) {
    case ChildKind::Block:
        rec.inheritedDirection = m_record.cutDirection;
        break;
    case ChildKind::LengthRemainder:
        rec.inheritedDirection = 2;
        if (m_record.cutDirection == CutLengthFirst)
            rec.stageLevel += 1;
        break;
    case ChildKind::WidthRemainder:
        rec.inheritedDirection = 1;
        if (m_record.cutDirection == CutWidthFirst)
            rec.stageLevel += 1;
        break;
    case ChildKind::StripAlongY:
        rec.inheritedDirection = 1;
        break;
    case ChildKind::StripAlongX:
        rec.inheritedDirection = 2;
        break;
    }
    return child;
}

void OptLayout::RenewChildRecords()
{
    const std::int32_t level = m_record.stageLevel;
    if (m_block) {
        m_block->m_record.stageLevel = level;
        m_block->m_record.inheritedDirection = m_record.cutDirection;
    }
    if (m_lengthRem) {
        m_lengthRem->m_record.stageLevel = level + (m_record.cutDirection == CutLengthFirst ? 1 : 0);
        m_lengthRem->m_record.inheritedDirection = 2;
    }
    if (m_widthRem) {
        m_widthRem->m_record.stageLevel = level + (m_record.cutDirection == CutWidthFirst ? 1 : 0);
        m_widthRem->m_record.inheritedDirection = 1;
    }
}

void OptLayout::SetDepth(std::int32_t depth)
{
    m_depth = depth;
    for (OptLayout* child : {m_block.get(), m_lengthRem.get(), m_widthRem.get()})
        if (child)
            child->SetDepth(depth + 1);
}

bool OptLayout::IsInSubtreeOf(const OptLayout* ancestor) const
{
    for (const OptLayout* node = this; node; node = node->m_parent)
        if (node == ancestor)
            return true;
    return false;
}

std::int32_t OptLayout::CutCount() const
{
    if (!m_block)
        return 0;
    std::int32_t count = m_block->CutCount();
    if (m_widthRem)
        count += m_widthRem->CutCount() + 1;
    else if (m_block->m_width < m_width)
        count += 1;
    if (m_lengthRem)
        count += m_lengthRem->CutCount() + 1;
    else if (m_block->m_length < m_length)
        count += 1;
    return count;
}

double OptLayout::CutLengthInches() const
{
    if (!m_block)
        return 0.0;
    double total = m_block->CutLengthInches();
    // The cut between block and width remainder runs along x.
    if (m_widthRem || m_block->m_width < m_width) {
        total += (m_record.cutDirection == CutLengthFirst ? m_length : m_block->m_length).GetInches();
        if (m_widthRem)
            total += m_widthRem->CutLengthInches();
    }
    // The cut between block and length remainder runs along y.
    if (m_lengthRem || m_block->m_length < m_length) {
        total += (m_record.cutDirection == CutWidthFirst ? m_width : m_block->m_width).GetInches();
        if (m_lengthRem)
            total += m_lengthRem->CutLengthInches();
    }
    return total;
}

std::int32_t OptLayout::EffectiveDirection() const
{
    const NodeRecord& r = m_record;
    if (r.firstCutRestriction != 0)
        return r.firstCutRestriction;
    if (r.rebuiltBranch)
        return r.cutDirection;
    if (r.rootMark)
        return r.stripDirection; // 0 is free
    if (r.itemState == 2)
        return r.stripDirection != 0 ? r.stripDirection : DirectionBarred;
    return DirectionFree;
}

bool OptLayout::AdmitsDirection(std::int32_t direction) const
{
    const std::int32_t effective = EffectiveDirection();
    if (effective == DirectionFree)
        return true;
    return effective == direction;
}

} // namespace optimization
