#include "PartInsertion.h"

#include "OptPartLayout.h"
#include "OptTopLevelLayout.h"
#include "RegionFit.h"

#include <nestcore/PartProxy.h>
#include <nestcore/StockProxy.h>

#include <algorithm>

namespace optimization {

namespace {

// Puts the part as the block of an empty node.
void PlaceAsBlock(OptLayout& node, const PartProxy* part, std::int32_t turned,
                  std::int32_t handedValue, bool countDecided)
{
    auto leaf = std::make_unique<OptPartLayout>(part, turned, &node, node.GetX(), node.GetY());
    leaf->SetWorkingValues(handedValue, countDecided);
    leaf->Record().stageLevel = node.Record().stageLevel;
    leaf->Record().inheritedDirection = node.Record().cutDirection;
    node.SetBlock(std::move(leaf));
}

OptLayout* StripNodeOf(OptLayout* node)
{
    for (; node; node = node->GetParent())
        if (node->Record().itemState != 0)
            return node;
    return nullptr;
}

OptLayout* InsertBesideBlock(CFreeRectangle& rect, const PartProxy* part)
{
    OptLayout& node = *rect.owner;
    OptLayout* block = node.GetBlock();
    if (rect.turnsBlock)
        block->SetTurned(rect.blockOrientation);

    const PartProxy* toInsert = part;
    std::int32_t turned = rect.chosenOrientation;
    std::int32_t handed = rect.handedValue;
    std::int32_t blockOrientation = rect.blockOrientation;
    if (rect.standsOut && block->GetPart()) {
        // The part that stands out becomes the block; the block's part goes
        // beside it instead.
        toInsert = block->GetPart();
        turned = block->GetTurned();
        handed = 0;
        block->SetPart(part, rect.chosenOrientation);
        blockOrientation = rect.chosenOrientation;
    }

    node.Record().cutDirection = rect.directionFlag ? CutLengthFirst : CutWidthFirst;
    const std::int32_t direction = node.Record().cutDirection;
    for (std::int32_t side : {1, 2}) {
        const RemainderResult test = RemainderTest(node, direction, blockOrientation, side, false);
        // The region's own side always gets its remainder: the part goes there.
        if (!test.passes && side != rect.side)
            continue;
        const auto kind = side == 1 ? OptLayout::ChildKind::LengthRemainder
                                    : OptLayout::ChildKind::WidthRemainder;
        auto child = node.MakeChild(kind, test.width, test.length, test.x, test.y);
        if (side == 1)
            node.SetLengthRemainder(std::move(child));
        else
            node.SetWidthRemainder(std::move(child));
    }
    OptLayout* target = rect.side == SideLengthRemainder ? node.GetLengthRemainder()
                                                         : node.GetWidthRemainder();
    PlaceAsBlock(*target, toInsert, turned, handed, rect.countDecided);

    const std::int32_t state = node.Record().itemState;
    if ((state == 1 || state == 2) && rect.grade == 0) {
        const bool turnedState = state == 2;
        if (direction == CutLengthFirst) {
            const OptDim further = node.GetBlock()->GetWidth();
            node.SetFurtherLength(further);
            if (OptLayout* lengthRem = node.GetLengthRemainder())
                lengthRem->PassFurtherLength(further);
            if (OptLayout* widthRem = node.GetWidthRemainder())
                widthRem->MarkPlaced(1, turnedState);
        } else {
            const OptDim further = node.GetBlock()->GetLength();
            node.SetFurtherLength(further);
            if (OptLayout* widthRem = node.GetWidthRemainder())
                widthRem->PassFurtherLength(further);
            if (OptLayout* lengthRem = node.GetLengthRemainder())
                lengthRem->MarkPlaced(2, turnedState);
        }
    }
    return target;
}

// After a new strip took part of a node, the content moved into M may still
// hold empty remainders that reach into the strip; they are cut back to M's
// rectangle (and dropped when nothing usable is left), so that no two nodes
// of the tree overlap.
void ClipToBounds(OptLayout& node, std::int64_t xEnd, std::int64_t yEnd)
{
    auto clip = [&](OptLayout* child) -> bool { // false: drop the child
        if (!child->CanHoldChildren())
            return true; // a placed copy: the strip never reaches it
        const std::int64_t length = std::min<std::int64_t>(child->GetLength().ToEncodedInt(),
                                                           xEnd - child->GetX());
        const std::int64_t width = std::min<std::int64_t>(child->GetWidth().ToEncodedInt(),
                                                          yEnd - child->GetY());
        if ((length <= OptDim::INTERNAL_EPSILON || width <= OptDim::INTERNAL_EPSILON)
            && child->HasNoBlock())
            return false;
        child->SetLength(OptDim::FromInternalRep(std::int32_t(std::max<std::int64_t>(length, 0))));
        child->SetWidth(OptDim::FromInternalRep(std::int32_t(std::max<std::int64_t>(width, 0))));
        ClipToBounds(*child, child->GetX() + length, child->GetY() + width);
        return true;
    };
    if (OptLayout* block = node.GetBlock(); block && !clip(block))
        node.ReleaseBlock().reset();
    if (OptLayout* lengthRem = node.GetLengthRemainder(); lengthRem && !clip(lengthRem))
        node.ReleaseLengthRemainder().reset();
    if (OptLayout* widthRem = node.GetWidthRemainder(); widthRem && !clip(widthRem))
        node.ReleaseWidthRemainder().reset();
}

OptLayout* InsertNewStrip(CFreeRectangle& rect, const PartProxy* part)
{
    OptLayout& node = *rect.owner;
    const std::int32_t kerf = node.Kerf().ToEncodedInt();
    const bool alongY = rect.side == SideNewStripAlongY;

    // M takes over the node's present content.
    OptDim mWidth = node.GetWidth();
    OptDim mLength = node.GetLength();
    if (alongY)
        mWidth -= OptDim::FromInternalRep(rect.width.ToEncodedInt() + kerf);
    else
        mLength -= OptDim::FromInternalRep(rect.length.ToEncodedInt() + kerf);
    const std::int32_t oldDirection = node.Record().cutDirection;
    auto block = node.ReleaseBlock();
    auto lengthRem = node.ReleaseLengthRemainder();
    auto widthRem = node.ReleaseWidthRemainder();

    node.Record().cutDirection = alongY ? CutLengthFirst : CutWidthFirst;
    auto m = node.MakeChild(OptLayout::ChildKind::Block, mWidth, mLength, node.GetX(), node.GetY());
    m->Record().cutDirection = oldDirection;
    m->SetBlock(std::move(block));
    m->SetLengthRemainder(std::move(lengthRem));
    m->SetWidthRemainder(std::move(widthRem));
    ClipToBounds(*m, std::int64_t(m->GetX()) + mLength.ToEncodedInt(),
                 std::int64_t(m->GetY()) + mWidth.ToEncodedInt());
    node.SetBlock(std::move(m));
    if (OptTopLevelLayout* top = node.GetTopLevel())
        top->RenewChildRecords();

    OptLayout* strip = nullptr;
    if (alongY) {
        auto w = node.MakeChild(OptLayout::ChildKind::StripAlongY, rect.width, node.GetLength(),
                                node.GetX(), node.GetY() + mWidth.ToEncodedInt() + kerf);
        strip = w.get();
        node.SetWidthRemainder(std::move(w));
    } else {
        auto w = node.MakeChild(OptLayout::ChildKind::StripAlongX, node.GetWidth(), rect.length,
                                node.GetX() + mLength.ToEncodedInt() + kerf, node.GetY());
        strip = w.get();
        node.SetLengthRemainder(std::move(w));
    }
    node.Relay();
    PlaceAsBlock(*strip, part, rect.chosenOrientation, rect.handedValue, rect.countDecided);
    return strip;
}

} // namespace

void ResetRegionEvaluation(OptTopLevelLayout& sheet)
{
    // Only the sheet lists regions for the searches; the nodes' own lists
    // are never evaluated.
    for (CFreeRectangle& r : sheet.GetRegions())
        r.ResetEvaluation();
}

OptLayout* InsertPart(CFreeRectangle& rect, const PartProxy* part)
{
    OptLayout* node = rect.owner;
    // The re-laying below rebuilds the region lists, which may hold `rect`.
    const std::int32_t grade = rect.grade;
    OptLayout* answer = nullptr;
    switch (rect.side) {
    case SideWholeNode:
        PlaceAsBlock(*node, part, rect.chosenOrientation, rect.handedValue, rect.countDecided);
        answer = node;
        break;
    case SideLengthRemainder:
    case SideWidthRemainder:
        answer = InsertBesideBlock(rect, part);
        break;
    case SideNewStripAlongY:
    case SideNewStripAlongX:
        answer = InsertNewStrip(rect, part);
        break;
    }

    OptTopLevelLayout* top = node->GetTopLevel();
    if (top)
        top->RebuildLists();
    node->RelayUpward();
    if (top)
        ResetRegionEvaluation(*top);
    if (grade != 0) {
        if (OptLayout* strip = StripNodeOf(node)) {
            const StockProxy* stock = node->GetStock();
            const bool withGrain =
                stock && stock->GetRules().GetFirstCutSpecification() == FirstCutWithGrain;
            strip->PassFurtherLength(withGrain ? strip->GetWidth() : strip->GetLength());
        }
    }
    return answer;
}

std::vector<const PartProxy*> LayGroup(CFreeRectangle& rect)
{
    std::vector<const PartProxy*> laid;
    // The group travels with the evaluation, which the insertion resets.
    const IsoDimGroup group = rect.group;
    OptLayout* owner = rect.owner;
    const bool g = group.GetDirectionFlag();
    const std::int32_t effective = owner->EffectiveDirection();
    const bool alternate = rect.side == SideWholeNode && owner->Record().rootMark
                           && effective != DirectionFree && (effective == 1) == g;

    std::vector<std::pair<const PartProxy*, std::int32_t>> sequence;
    for (const auto& [part, member] : group.GetMembers())
        for (std::uint32_t i = 0; i < member.fitCount; ++i)
            sequence.emplace_back(part, member.turned);
    if (sequence.empty())
        return laid;

    rect.stripEvaluated = false;
    rect.group.Clear();
    // Every copy is fitted lying as its group entry says, so that the marks
    // the insertion acts on (turning the block, changing places with it)
    // belong to that orientation; a copy that does not fit so ends the strip.
    if (!FitPart(rect, *sequence.front().first, sequence.front().second))
        return laid;
    rect.handedValue = 1;
    OptLayout* x = InsertPart(rect, sequence.front().first);
    laid.push_back(sequence.front().first);
    std::int32_t lastOrientation = sequence.front().second;

    const std::int32_t stripSide = g ? 2 : 1;
    for (std::size_t i = 1; i < sequence.size(); ++i) {
        bool expected = g;
        if (alternate)
            expected = i == 2 ? !g : g;
        else
            expected = i == 1 ? !g : g;
        const CFreeRectangle* found = nullptr;
        for (const CFreeRectangle& r : x->GetOwnRegions()) {
            if (r.owner == x && r.side == stripSide && r.directionFlag == expected
                && r.blockOrientation == lastOrientation) {
                found = &r;
                break;
            }
        }
        if (!found)
            break; // no room for the rest of the strip here
        CFreeRectangle next = *found;
        if (!FitPart(next, *sequence[i].first, sequence[i].second))
            break;
        next.stripContinuation = true;
        next.handedValue = 1;
        x = InsertPart(next, sequence[i].first);
        laid.push_back(sequence[i].first);
        lastOrientation = sequence[i].second;
    }
    if (OptTopLevelLayout* top = owner->GetTopLevel())
        ResetRegionEvaluation(*top);
    return laid;
}

void InstallFirstBlockWithOffCut(OptTopLevelLayout& sheet, std::unique_ptr<OptLayout> region,
                                 std::int32_t offCutDirection)
{
    region->MoveBy(sheet.GetX() - region->GetX(), sheet.GetY() - region->GetY());
    const OptDim regionWidth = region->GetWidth();
    const OptDim regionLength = region->GetLength();
    sheet.ReleaseLengthRemainder().reset();
    sheet.ReleaseWidthRemainder().reset();
    sheet.SetBlock(std::move(region));

    const FirstCutSpecification firstCut = sheet.GetStockProxy()->GetRules().GetFirstCutSpecification();
    std::int32_t a = offCutDirection;
    if (firstCut != FirstCutNone)
        a = firstCut == FirstCutWithGrain ? 1 : 2;
    sheet.Record().cutDirection = a;
    sheet.Record().stripDirection = a;

    const std::int64_t kerf = sheet.Kerf().ToEncodedInt();
    const std::int64_t limit = 2 * std::int64_t(sheet.Padding().ToEncodedInt()) + OptDim::INTERNAL_EPSILON;
    if (a == 1) {
        const std::int64_t width = std::int64_t(sheet.GetWidth().ToEncodedInt())
                                   - (regionWidth.ToEncodedInt() + kerf);
        if (width > limit)
            sheet.SetWidthRemainder(sheet.MakeChild(
                OptLayout::ChildKind::WidthRemainder, OptDim::FromInternalRep(std::int32_t(width)),
                sheet.GetLength(), sheet.GetX(),
                sheet.GetY() + regionWidth.ToEncodedInt() + std::int32_t(kerf)));
    } else {
        const std::int64_t length = std::int64_t(sheet.GetLength().ToEncodedInt())
                                    - (regionLength.ToEncodedInt() + kerf);
        if (length > limit)
            sheet.SetLengthRemainder(sheet.MakeChild(
                OptLayout::ChildKind::LengthRemainder, sheet.GetWidth(),
                OptDim::FromInternalRep(std::int32_t(length)),
                sheet.GetX() + regionLength.ToEncodedInt() + std::int32_t(kerf), sheet.GetY()));
    }
    sheet.RebuildLists();
    sheet.Relay();
    ResetRegionEvaluation(sheet);
}

} // namespace optimization
