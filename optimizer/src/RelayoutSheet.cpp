#include "RelayoutSheet.h"

#include "FreeRectangleSearch.h"
#include "IsoDimGroup.h"
#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "PartInsertion.h"
#include "Placement.h"
#include "RegionFit.h"

#include <algorithm>

namespace optimization {

namespace {

std::unique_ptr<OptTopLevelLayout> NewTrialSheet(const OptTopLevelLayout& sheet, const ParLocalOpt& policy,
                                                 std::int32_t kind, const RelayoutFlags& flags)
{
    std::unique_ptr<OptTopLevelLayout> trial;
    if (flags.keepStyle) {
        trial = sheet.EmptyCopy();
        trial->Policy() = policy;
        trial->SetPartOrderKind(kind);
    } else {
        trial = std::make_unique<OptTopLevelLayout>(sheet.GetStockProxy(), kind, policy);
        trial->SetWithinInventory(sheet.GetWithinInventory());
    }
    if (flags.rulesOrientation)
        trial->Record().cutDirection = trial->Record().firstCutRestriction;
    trial->Relay();
    return trial;
}

void EraseOne(std::vector<const PartProxy*>& parts, const PartProxy* part)
{
    auto it = std::find(parts.begin(), parts.end(), part);
    if (it != parts.end())
        parts.erase(it);
}

} // namespace

bool ChooseStrip(const RegionList& regions, const IsoDimGroupMap& byWidth, const IsoDimGroupMap& byLength,
                 CFreeRectangle& chosen, bool found)
{
    for (const CFreeRectangle& region : regions) {
        for (const IsoDimGroupMap* groups : {&byWidth, &byLength}) {
            CFreeRectangle candidate = region;
            if (!EvaluateStrips(candidate, *groups))
                continue;
            if (found && !IsPreferred(candidate, chosen))
                continue;
            chosen = candidate;
            found = true;
        }
    }
    return found;
}

namespace {

// The loop on a list of parts; `input` (may be null) is what the result is
// compared with.
std::unique_ptr<OptTopLevelLayout> RelayoutParts(const ParLocalOpt& policy, std::int32_t kind,
                                                 const OptTopLevelLayout& templ,
                                                 std::vector<const PartProxy*> remaining,
                                                 const OptTopLevelLayout* input, ParallelOptimizer& optimizer,
                                                 const RelayoutFlags& flags)
{
    OptRunState& state = optimizer.Job().RunState();
    if (state.GetPartOrderKind() != kind)
        state.SetPartOrderKind(kind);
    SortPartSequence(remaining, kind);

    std::vector<const PartProxy*> priority;
    const PartProxy* promotedLast = nullptr;
    bool anyGroupSeen = false;
    for (int iteration = 0; iteration < kRelayoutMaxIterations; ++iteration) {
        if (optimizer.IsCancelRequested())
            return nullptr;
        std::unique_ptr<OptTopLevelLayout> trial = NewTrialSheet(templ, policy, kind, flags);
        if (!PlaceAllInto(*trial, priority, optimizer))
            return nullptr;

        std::vector<const PartProxy*> left = remaining;
        bool restart = false;
        // The part goes to the end of the priority list and the next try begins.
        auto promote = [&](const PartProxy* part) {
            promotedLast = part;
            priority.push_back(part);
            EraseOne(remaining, part);
            restart = true;
        };
        while (!left.empty() && !restart) {
            IsoDimGroupMap byWidth;
            IsoDimGroupMap byLength;
            BuildIsoDimGroups(left, byWidth, byLength);
            if (byWidth.empty() && byLength.empty()) {
                if (!anyGroupSeen)
                    return nullptr;
                SortPartSequence(left, kind);
                PlacementRequest request;
                request.sheets = {trial.get()};
                request.optimizer = &optimizer;
                for (std::size_t i = 0; i < left.size(); ++i) {
                    request.part = left[i];
                    if (!PlacePart(request)) {
                        promote(left[i]);
                        break;
                    }
                }
                if (!restart)
                    left.clear();
                break;
            }
            anyGroupSeen = true;
            CFreeRectangle chosen;
            if (!ChooseStrip(trial->GetRegions(), byWidth, byLength, chosen, false)) {
                SortPartSequence(left, kind);
                promote(left.front());
                break;
            }
            const PartProxy* first = chosen.group.GetMembers().begin()->first;
            if (first == promotedLast)
                return nullptr;
            promotedLast = nullptr;
            const std::vector<const PartProxy*> laid = LayGroup(chosen);
            trial->RebuildLists();
            if (laid.empty()) {
                // The strip found no room after all: treat it as no strip.
                SortPartSequence(left, kind);
                promote(left.front());
                break;
            }
            for (const PartProxy* part : laid)
                EraseOne(left, part);
        }
        if (restart)
            continue;

        if (flags.compare && input != nullptr && policy.CompareSameParts(*trial, *input) == 1)
            return nullptr;
        trial->Relay();
        return trial;
    }
    return nullptr;
}

} // namespace

bool PlaceAllInto(OptTopLevelLayout& sheet, const std::vector<const PartProxy*>& parts,
                  ParallelOptimizer& optimizer)
{
    PlacementRequest request;
    request.sheets = {&sheet};
    request.optimizer = &optimizer;
    return PlaceEach(request, parts);
}

std::unique_ptr<OptTopLevelLayout> RelayoutSheet(const ParLocalOpt& policy, std::int32_t partOrderKind,
                                                 const OptTopLevelLayout& sheet,
                                                 ParallelOptimizer& optimizer, const RelayoutFlags& flags)
{
    return RelayoutParts(policy, partOrderKind, sheet, sheet.GetPlacedCopies(), &sheet, optimizer, flags);
}

namespace {

// A rebuild tries several part orders; the run's own order is put back
// afterwards so that rebuilding one sheet does not reorder the parts of the
// passes that follow.
class KeepRunPartOrder
{
public:
    explicit KeepRunPartOrder(OptRunState& state) : m_state(state), m_kind(state.GetPartOrderKind()) {}
    ~KeepRunPartOrder()
    {
        if (m_state.GetPartOrderKind() != m_kind)
            m_state.SetPartOrderKind(m_kind);
    }
    KeepRunPartOrder(const KeepRunPartOrder&) = delete;
    KeepRunPartOrder& operator=(const KeepRunPartOrder&) = delete;

private:
    OptRunState& m_state;
    std::int32_t m_kind;
};

} // namespace

bool RebuildSheet(OptTopLevelLayout& sheet, const std::vector<const PartProxy*>& parts,
                  ParallelOptimizer& optimizer)
{
    const KeepRunPartOrder keep(optimizer.Job().RunState());
    std::unique_ptr<OptTopLevelLayout> rebuilt;
    std::int32_t wonKind = 0;
    for (std::int32_t kind : {OrderLargestFirst, OrderWidestFirst, OrderLongestFirst, OrderIterative}) {
        std::vector<const PartProxy*> ordered = parts;
        SortPartSequence(ordered, kind);
        std::unique_ptr<OptTopLevelLayout> trial = sheet.EmptyCopy();
        if (PlaceAllInto(*trial, ordered, optimizer)) {
            rebuilt = std::move(trial);
            wonKind = kind;
            break;
        }
        if (optimizer.IsCancelRequested())
            return false;
    }
    const bool won = rebuilt != nullptr;
    std::unique_ptr<OptTopLevelLayout> templ = sheet.EmptyCopy();
    templ->SetPartOrderKind(wonKind);

    RelayoutFlags flags;
    flags.compare = won;
    flags.keepStyle = true;
    std::unique_ptr<OptTopLevelLayout> relaid =
        RelayoutParts(templ->Policy(), wonKind, *templ, parts, rebuilt.get(), optimizer, flags);
    if (relaid)
        rebuilt = std::move(relaid);
    else if (!won)
        return false;
    sheet.AssignFrom(*rebuilt);
    sheet.SetPartOrderKind(wonKind);
    return true;
}

} // namespace optimization
