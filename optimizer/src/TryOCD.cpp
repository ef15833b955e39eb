#include "TryOCD.h"

#include "FreeRectangleSearch.h"
#include "LayoutOrders.h"
#include "OptRunState.h"
#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "PartInsertion.h"
#include "Placement.h"
#include "TryOCDMemo.h"

#include <nestcore/StockProxy.h>

#include <tbb/blocked_range.h>
#include <tbb/combinable.h>
#include <tbb/parallel_for.h>
#include <tbb/task_group.h>

#include <atomic>
#include <limits>

namespace optimization {

namespace {

void Traverse(OptLayout* node, std::vector<OptLayout*>& out)
{
    if (node == nullptr || !node->CanHoldChildren())
        return;
    out.push_back(node);
    Traverse(node->GetBlock(), out);
    Traverse(node->GetLengthRemainder(), out);
    Traverse(node->GetWidthRemainder(), out);
}

void CollectParts(const OptLayout* node, std::vector<const PartProxy*>& out)
{
    if (node == nullptr)
        return;
    if (!node->CanHoldChildren()) {
        if (node->GetPart() != nullptr)
            out.push_back(node->GetPart());
        return;
    }
    CollectParts(node->GetBlock(), out);
    CollectParts(node->GetLengthRemainder(), out);
    CollectParts(node->GetWidthRemainder(), out);
}

double PartArea(const PartProxy& part)
{
    return part.GetDescriptor().width.GetInches() * part.GetDescriptor().length.GetInches();
}

// Adds the area of every part of the tree, in the order CollectParts lists
// them (a sum of doubles depends on its order).
void AddPartAreas(const OptLayout* node, double& sum)
{
    if (node == nullptr)
        return;
    if (!node->CanHoldChildren()) {
        if (node->GetPart() != nullptr)
            sum += PartArea(*node->GetPart());
        return;
    }
    AddPartAreas(node->GetBlock(), sum);
    AddPartAreas(node->GetLengthRemainder(), sum);
    AddPartAreas(node->GetWidthRemainder(), sum);
}

// Fills the lazily computed inches of every length of the tree before the
// workers read the sheet, so that they never write to it.
void WarmLengths(const OptLayout* node)
{
    if (node == nullptr)
        return;
    node->GetWidth().GetInches();
    node->GetLength().GetInches();
    node->GetFurtherLength().GetInches();
    WarmLengths(node->GetBlock());
    WarmLengths(node->GetLengthRemainder());
    WarmLengths(node->GetWidthRemainder());
}

bool Eligible(const NodeRecord& record, bool forcing)
{
    if (record.firstCutRestriction != 0 || record.rebuiltBranch != 0)
        return false;
    if (record.rootMark != 0)
        return record.stripDirection == 0 && (forcing || record.itemState != 1);
    return record.itemState != 2 && (forcing || record.itemState != 1);
}

TryOCDResultUnit Failure(std::size_t index, bool cancelled = false)
{
    TryOCDResultUnit result;
    result.index = index;
    result.cancelled = cancelled;
    return result;
}

} // namespace

bool LeavesRoomFor(const OptTopLevelLayout& sheet, const PartProxy& part)
{
    double covered = PartArea(part);
    AddPartAreas(&sheet, covered);
    // The stock's usable size bounds every layout of the sheet; its inches
    // are computed before any worker starts.
    const CanvasDescriptor& canvas = sheet.GetStockProxy()->GetCanvas();
    const double slack = 4.0 / OptDim::DIM_SCALE_FACTOR;
    const double room = (canvas.GetTrimmedWidth().GetInches() + slack) * (canvas.GetTrimmedLength().GetInches() + slack);
    return covered <= room * (1.0 + 1e-9);
}

std::vector<TryOCDWorkUnit> MakeTryOCDWorkUnits(OptTopLevelLayout& sheet)
{
    std::vector<OptLayout*> nodes;
    Traverse(&sheet, nodes);
    std::vector<TryOCDWorkUnit> units;
    units.reserve(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i)
        units.push_back({nodes[i], i});
    return units;
}

TryOCDResultUnit EvaluateTryOCDUnit(const OptTopLevelLayout& sheet, const TryOCDWorkUnit& unit,
                                    const TryOCDContext& context)
{
    ParallelOptimizer& optimizer = *context.optimizer;
    // A unit copies and rebuilds a whole sheet: after a cancel none starts.
    if (optimizer.IsCancelRequested())
        return Failure(unit.index, true);
    const bool forcing = context.forcedPart != nullptr;
    if (!Eligible(unit.node->Record(), forcing))
        return Failure(unit.index);

    // The branch's parts are read off the sheet itself, so that an empty
    // branch fails without the cost of a copy.
    std::vector<const PartProxy*> parts;
    CollectParts(unit.node, parts);
    if (parts.empty())
        return Failure(unit.index);
    if (forcing)
        parts.push_back(context.forcedPart);
    SortPartSequence(parts, optimizer.Job().RunState().GetPartOrderKind());

    // The parts go in one after the other in this order; the first that
    // does not go in fails the unit. Up to that point the forced part plays
    // no part when it sorts after it (it comes last among its ties, being
    // added last), so the same sheet content fails there again for every
    // forced part that sorts after it.
    std::size_t forcedAt = parts.size();
    if (forcing)
        for (std::size_t i = parts.size(); i-- > 0;)
            if (parts[i] == context.forcedPart) {
                forcedAt = i;
                break;
            }
    TryOCDMemo* memo = context.sheetKey ? &optimizer.Job().RunState().FailureMemo() : nullptr;
    MemoKey unitKey;
    std::int64_t knownAt = -1;
    if (memo) {
        unitKey = WithNumber(*context.sheetKey, unit.index);
        knownAt = memo->KnownUnitFailure(unitKey);
        if (knownAt >= 0 && forcedAt <= std::size_t(knownAt))
            knownAt = -1;
        if (knownAt >= 0 && !memo->CheckMode())
            return Failure(unit.index);
    }
    auto failAt = [&](std::size_t position) {
        if (memo && forcedAt > position && !optimizer.IsCancelRequested()) {
            if (knownAt >= 0 && std::size_t(knownAt) != position)
                TryOCDMemo::Mismatch("a work unit failed at another part than remembered");
            memo->RememberUnitFailure(unitKey, position);
        }
        return Failure(unit.index);
    };

    // The copy is cleared in part and relaid below; it needs no lists or
    // regions before that.
    std::shared_ptr<OptTopLevelLayout> copy(sheet.BareIsolatedCopy());
    copy->SetTriedMark(nullptr);
    std::vector<OptLayout*> nodes;
    Traverse(copy.get(), nodes);
    if (unit.index >= nodes.size())
        return Failure(unit.index);
    OptLayout* node = nodes[unit.index];
    const std::int32_t direction = node->Record().cutDirection;
    node->Clear();
    copy->RebuildLists();
    copy->Relay();

    // With a block left, only regions of the other direction take part.
    RegionFilter filter;
    filter.byDirection = !copy->HasNoBlock();
    filter.wantDirection1 = direction != CutLengthFirst;
    filter.skipExcluded = optimizer.Job().Policy().localOpt.GetOption();
    CFreeRectangle* chosen = SelectFreeRectangle(copy->GetRegions(), *parts.front(), nullptr, filter);
    if (chosen == nullptr)
        return failAt(0);
    CFreeRectangle region = *chosen;
    region.owner->Record().rebuiltBranch = 1;
    // An empty node takes the other direction here; beside a block the
    // insertion sets the direction the region was made for (the same, by the
    // filter), and a new strip must leave the direction of the content it
    // moves aside as it was laid, or that content's regions come out wrong.
    if (region.side == SideWholeNode)
        region.owner->Record().cutDirection = direction == CutLengthFirst ? CutWidthFirst : CutLengthFirst;
    InsertPart(region, parts.front());

    PlacementRequest request;
    request.searchExistingSheets = true;
    request.sheets = {copy.get()};
    request.noTryOCD = true;
    request.optimizer = &optimizer;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        request.part = parts[i];
        const bool placed = PlacePart(request);
        if (optimizer.IsCancelRequested())
            return Failure(unit.index, true);
        if (!placed)
            return failAt(i);
    }
    if (knownAt >= 0)
        TryOCDMemo::Mismatch("a work unit remembered as failing placed all its parts");
    if (!forcing && sheet.Policy().CompareSameParts(sheet, *copy) != 1)
        return Failure(unit.index);

    TryOCDResultUnit success;
    success.index = unit.index;
    success.sheet = std::move(copy);
    success.success = true;
    return success;
}

TryOCDResultUnit ReduceTryOCD(TryOCDResultUnit a, TryOCDResultUnit b)
{
    if (a.success && b.success)
        return a.index < b.index ? a : b;
    if (a.success)
        return a;
    if (b.success)
        return b;
    b.cancelled = a.cancelled || b.cancelled;
    return b;
}

bool TryOCD(OptTopLevelLayout& sheet, const TryOCDContext& context)
{
    if (sheet.HasNoBlock())
        return false;
    if (context.forcedPart != nullptr && !LeavesRoomFor(sheet, *context.forcedPart))
        return false;

    // A part alike in a plain place of the part order that failed on the
    // same content fails again: the memory answers without a rebuild.
    ParallelOptimizer& optimizer = *context.optimizer;
    const OptRunState& state = optimizer.Job().RunState();
    TryOCDMemo& memo = state.FailureMemo();
    const std::int32_t kind = state.GetPartOrderKind();
    const MemoKey sheetKey = SheetContentKey(sheet, kind, optimizer.Job().Policy().localOpt.GetOption());
    const bool byLikeness = context.forcedPart != nullptr && state.HasPlainPlace(context.forcedPart, kind);
    const MemoKey failureKey = byLikeness ? WithPartLikeness(sheetKey, *context.forcedPart) : MemoKey {};
    const bool knownFailure = byLikeness && memo.KnownFailure(failureKey);
    if (knownFailure && !memo.CheckMode())
        return false;
    TryOCDContext withMemo = context;
    withMemo.sheetKey = &sheetKey;

    const std::vector<TryOCDWorkUnit> units = MakeTryOCDWorkUnits(sheet);
    TryOCDResultUnit result = Failure(std::numeric_limits<std::size_t>::max());
    if (units.size() < kTryOCDParallelFrom) {
        for (const TryOCDWorkUnit& unit : units) {
            result = ReduceTryOCD(result, EvaluateTryOCDUnit(sheet, unit, withMemo));
            if (result.success || result.cancelled)
                break;
        }
    } else {
        WarmLengths(&sheet);
        tbb::combinable<TryOCDResultUnit> local(
            [] { return Failure(std::numeric_limits<std::size_t>::max()); });
        // A cancelled unit stops the units not yet started as well. A unit
        // after one that already succeeded can no longer win: it is skipped.
        tbb::task_group_context group;
        std::atomic<std::size_t> firstSuccess{std::numeric_limits<std::size_t>::max()};
        tbb::parallel_for(
            tbb::blocked_range<std::size_t>(0, units.size(), 1),
            [&](const tbb::blocked_range<std::size_t>& range) {
                TryOCDResultUnit& mine = local.local();
                for (std::size_t i = range.begin(); i != range.end(); ++i) {
                    if (i > firstSuccess.load(std::memory_order_relaxed))
                        return;
                    mine = ReduceTryOCD(std::move(mine), EvaluateTryOCDUnit(sheet, units[i], withMemo));
                    if (mine.success) {
                        std::size_t seen = firstSuccess.load(std::memory_order_relaxed);
                        while (mine.index < seen
                               && !firstSuccess.compare_exchange_weak(seen, mine.index, std::memory_order_relaxed)) {
                        }
                    }
                    if (mine.cancelled) {
                        group.cancel_group_execution();
                        return;
                    }
                }
            },
            tbb::auto_partitioner(), group);
        local.combine_each([&](const TryOCDResultUnit& r) { result = ReduceTryOCD(std::move(result), r); });
    }
    const bool cancelled = result.cancelled || optimizer.IsCancelRequested();
    if (!cancelled && knownFailure && result.success)
        TryOCDMemo::Mismatch("a part alike failed on the same sheet content, yet this one goes in");
    if (!cancelled && byLikeness && !result.success)
        memo.RememberFailure(failureKey);
    if (cancelled || !result.success)
        return false;
    sheet.AssignFrom(*result.sheet);
    sheet.Relay();
    return true;
}

} // namespace optimization
