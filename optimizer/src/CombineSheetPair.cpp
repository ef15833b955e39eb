#include "CombineSheetPair.h"

#include "CLayoutSet.h"
#include "LayoutGrouping.h"
#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "OptimizationJob.h"
#include "ParallelOptimizer.h"
#include "Placement.h"
#include "UsageTrackers.h"

#include <algorithm>
#include <cstdlib>

namespace optimization {

namespace {

constexpr std::int32_t kTolerance = 2; // counts

std::int32_t Counts(const OptDim& length)
{
    return length.ToEncodedInt();
}

// The cut direction the sheet's root is held to, 0 when free.
std::int32_t FixedDirection(const OptTopLevelLayout& sheet)
{
    const NodeRecord& record = sheet.Record();
    if (record.firstCutRestriction != 0)
        return record.firstCutRestriction;
    if (record.itemState == 1 || record.itemState == 2)
        return record.cutDirection;
    return 0;
}

// Cuts a moved subtree back to the box it now lives in: empty remainders
// that reached beyond are shortened, or dropped when nothing is left of
// them. Content never reaches beyond the box, since the box was sized from
// the content's extent.
void ClipToBox(OptLayout& node, std::int32_t maxX, std::int32_t maxY)
{
    struct Slot
    {
        OptLayout* (OptLayout::*get)() const;
        std::unique_ptr<OptLayout> (OptLayout::*release)();
    };
    const Slot slots[] = {
        { &OptLayout::GetBlock, &OptLayout::ReleaseBlock },
        { &OptLayout::GetLengthRemainder, &OptLayout::ReleaseLengthRemainder },
        { &OptLayout::GetWidthRemainder, &OptLayout::ReleaseWidthRemainder },
    };
    for (const Slot& slot : slots) {
        OptLayout* child = (node.*slot.get)();
        if (!child || !child->CanHoldChildren())
            continue;
        const std::int32_t roomX = maxX - child->GetX();
        const std::int32_t roomY = maxY - child->GetY();
        if (child->HasNoBlock() && (roomX <= kTolerance || roomY <= kTolerance)) {
            (node.*slot.release)(); // an empty remainder wholly beyond the box
            continue;
        }
        if (Counts(child->GetLength()) > roomX)
            child->SetLength(OptDim::FromInternalRep(roomX));
        if (Counts(child->GetWidth()) > roomY)
            child->SetWidth(OptDim::FromInternalRep(roomY));
        ClipToBox(*child, maxX, maxY);
    }
}

// A new node of `combined` that takes over the children of `sheet`, moved
// by (dx, dy) and cut back to the node's box.
std::unique_ptr<OptLayout> TakeOverChildren(OptTopLevelLayout& combined, OptTopLevelLayout::ChildKind kind,
    OptTopLevelLayout& sheet, const OptDim& width, const OptDim& length, std::int32_t dx, std::int32_t dy)
{
    std::unique_ptr<OptLayout> node
        = combined.MakeChild(kind, width, length, combined.GetX() + dx, combined.GetY() + dy);
    node->Record().cutDirection = sheet.Record().cutDirection;
    std::unique_ptr<OptLayout> block = sheet.ReleaseBlock();
    std::unique_ptr<OptLayout> lengthRem = sheet.ReleaseLengthRemainder();
    std::unique_ptr<OptLayout> widthRem = sheet.ReleaseWidthRemainder();
    for (OptLayout* child : { block.get(), lengthRem.get(), widthRem.get() })
        if (child && (dx != 0 || dy != 0))
            child->MoveBy(dx, dy);
    node->SetBlock(std::move(block));
    node->SetLengthRemainder(std::move(lengthRem));
    node->SetWidthRemainder(std::move(widthRem));
    ClipToBox(*node, node->GetX() + Counts(node->GetLength()), node->GetY() + Counts(node->GetWidth()));
    return node;
}

// The first sheet of `stock` in the set, other than `except`, not marked
// within inventory, receives the mark.
void HandOnInventoryMark(CLayoutSet& set, const StockProxy* stock, const OptTopLevelLayout* except)
{
    for (OptTopLevelLayout* layout : set.Layouts()) {
        if (layout != except && layout->GetStockProxy() == stock && layout->GetWithinInventory() == 0) {
            layout->SetWithinInventory(1);
            return;
        }
    }
}

} // namespace

bool JoinSideBySide(bool alongLength, OptTopLevelLayout& combined, OptTopLevelLayout& x, OptTopLevelLayout& y)
{
    const std::int32_t fixed = FixedDirection(combined);
    if (fixed != 0 && (alongLength ? fixed == CutLengthFirst : fixed != CutLengthFirst))
        return false;

    const std::int32_t extentX = std::max(0, Counts(x.GetContentExtent(alongLength)));
    const std::int32_t extentY = std::max(0, Counts(y.GetContentExtent(alongLength)));
    const std::int32_t kerf = Counts(combined.Kerf());
    const std::int32_t side = Counts(alongLength ? combined.GetLength() : combined.GetWidth());
    if (extentX + kerf + extentY > side + kTolerance)
        return false;

    const bool xFirst = extentX < extentY - kTolerance;
    OptTopLevelLayout& first = xFirst ? x : y;
    OptTopLevelLayout& second = xFirst ? y : x;
    const std::int32_t firstExtent = xFirst ? extentX : extentY;
    const std::int32_t offset = firstExtent + kerf;

    combined.Clear();
    const OptDim width = combined.GetWidth();
    const OptDim length = combined.GetLength();
    const OptDim firstSize = OptDim::FromInternalRep(firstExtent);
    const OptDim secondSize = OptDim::FromInternalRep(std::max(0, side - offset));
    if (alongLength) {
        combined.SetBlock(
            TakeOverChildren(combined, OptLayout::ChildKind::Block, first, width, firstSize, 0, 0));
        combined.SetLengthRemainder(TakeOverChildren(
            combined, OptLayout::ChildKind::LengthRemainder, second, width, secondSize, offset, 0));
        combined.Record().cutDirection = CutWidthFirst;
    } else {
        combined.SetBlock(
            TakeOverChildren(combined, OptLayout::ChildKind::Block, first, firstSize, length, 0, 0));
        combined.SetWidthRemainder(TakeOverChildren(
            combined, OptLayout::ChildKind::WidthRemainder, second, secondSize, length, 0, offset));
        combined.Record().cutDirection = CutLengthFirst;
    }
    for (OptTopLevelLayout* sheet : { &first, &second }) {
        sheet->RebuildLists();
        sheet->Relay();
    }
    combined.RebuildLists();
    combined.Relay();
    return true;
}

bool CombineSheetPair(ParallelOptimizer& optimizer, std::unique_ptr<OptTopLevelLayout>& sheet, bool flag)
{
    OptimizationJob& job = optimizer.Job();
    OptRunState& state = job.RunState();
    CLayoutSet& set = state.Layouts();
    const StockTrackerMap& trackers = state.StockTrackers();
    if (trackers.size() == 1)
        return false;

    OptTopLevelLayout& s = *sheet;
    OptTopLevelLayout* partner = set.FindSameSize(s, true);
    if (!partner)
        return false;
    OptTopLevelLayout& r = *partner;
    StockUsageTracker& sTracker = *TrackerOf(trackers, s.GetStockProxy());
    StockUsageTracker& rTracker = *TrackerOf(trackers, r.GetStockProxy());

    const JobPolicy& policy = job.Policy();
    const ParStockComparer& comparer = *policy.stockComparer;
    const ParLocalOpt policyCopy(policy.localOpt);
    const std::int64_t sheetLength = Counts(s.GetLength());
    const std::int64_t sheetWidth = Counts(s.GetWidth());
    const std::int64_t kerf = Counts(job.Rules().GetKerf());
    auto within = [](std::int64_t value, std::int64_t low, std::int64_t high) {
        return value >= low && value <= high;
    };

    for (const auto& [stock, tracker] : trackers) {
        if (!tracker->IsUsable())
            continue;
        const std::int64_t stockLength = Counts(stock->GetCanvas().GetTrimmedLength());
        const std::int64_t stockWidth = Counts(stock->GetCanvas().GetTrimmedWidth());
        const bool alongLength
            = within(stockLength, 2 * sheetLength - kTolerance, 2 * sheetLength + kerf + kTolerance)
            && std::llabs(stockWidth - sheetWidth) <= kTolerance;
        const bool alongWidth
            = within(stockWidth, 2 * sheetWidth - kTolerance, 2 * sheetWidth + kerf + kTolerance)
            && std::llabs(stockLength - sheetLength) <= kTolerance;
        if (!alongLength && !alongWidth)
            continue;
        if (comparer.RefusesCombine(sTracker, rTracker, *tracker))
            continue;

        auto combined = std::make_unique<OptTopLevelLayout>(stock, state.GetPartOrderKind(), policy.localOpt);
        combined->SetWithinInventory(tracker->HasSheetsLeft() ? 1 : 0);
        combined->Relay();

        std::vector<const PartProxy*> copies = r.GetPlacedCopies();
        copies.insert(copies.end(), s.GetPlacedCopies().begin(), s.GetPlacedCopies().end());
        SortPartSequence(copies, state.GetPartOrderKind());
        PlacementRequest request;
        request.searchExistingSheets = false; // the regions of the new sheet alone
        request.sheets = { combined.get() };
        request.optimizer = &optimizer;
        const bool allPlaced = PlaceEach(request, copies);
        const std::unique_ptr<OptTopLevelLayout> sCopy = s.Copy();
        const std::unique_ptr<OptTopLevelLayout> rCopy = r.Copy();

        bool joined = false;
        if (!allPlaced) {
            if (!JoinSideBySide(alongLength, *combined, s, r))
                continue;
            joined = true;
        }
        if (policy.layoutsComparer.CompareCombineLayouts(
                *sCopy, *rCopy, *combined, policyCopy, comparer, trackers)
            == -1) {
            if (!joined && comparer.GetKind() != 2) {
                // Placed one by one it loses; cut as the two old trees end to
                // end it is taken without asking again.
                if (!JoinSideBySide(alongLength, *combined, s, r))
                    continue;
            } else {
                if (joined) {
                    s.AssignFrom(*sCopy);
                    r.AssignFrom(*rCopy);
                }
                continue;
            }
        }

        // The combined sheet replaces both.
        rTracker.SetSheetsUsed(rTracker.GetSheetsUsed() - 1);
        if (OptTopLevelLayout* master = s.GetMaster(); master && !flag)
            master->SetDuplicateCount(master->GetDuplicateCount() - 1);
        // The partner's duplicates get a master of their own before it goes.
        TakeOutOfGroup(r, set, false);
        auto& layouts = set.Layouts();
        layouts.erase(std::find(layouts.begin(), layouts.end(), partner));
        const bool partnerWithin = r.GetWithinInventory() != 0;
        const StockProxy* partnerStock = r.GetStockProxy();
        delete partner;
        sheet = std::move(combined);
        if (partnerWithin)
            HandOnInventoryMark(set, partnerStock, nullptr);
        return true;
    }
    return false;
}

} // namespace optimization
