#include "LayoutGrouping.h"

#include "CLayoutSet.h"
#include "OptTopLevelLayout.h"

#include <functional>
#include <unordered_map>
#include <vector>

namespace optimization {

namespace {

bool Identical(const OptTopLevelLayout& a, const OptTopLevelLayout& b)
{
    // Both lists are sorted by factory order before this is asked.
    return a.GetStockProxy() == b.GetStockProxy() && a.SameRootSize(b)
           && a.GetPlacedCopies() == b.GetPlacedCopies();
}

// Equal for identical sheets (the root size, compared with a tolerance, is
// left out); only the bucketing depends on it.
std::size_t ContentHash(const OptTopLevelLayout& sheet)
{
    std::size_t hash = std::hash<const void*>()(sheet.GetStockProxy());
    for (const PartProxy* part : sheet.GetPlacedCopies())
        hash = hash * 1099511628211u ^ std::hash<const void*>()(part);
    return hash;
}

void Join(OptTopLevelLayout& duplicate, OptTopLevelLayout& master)
{
    duplicate.SetMaster(&master);
    duplicate.SetDuplicateCount(0);
    duplicate.ShareStyleMap(master.GetStyleMap());
    master.SetDuplicateCount(master.GetDuplicateCount() + 1);
}

} // namespace

void GroupIdenticalSheets(CLayoutSet& set)
{
    auto& layouts = set.Layouts();
    for (OptTopLevelLayout* layout : layouts) {
        layout->SetMaster(nullptr);
        layout->SetDuplicateCount(0);
        layout->SortPlacedCopies();
    }
    // Only sheets of one stock with the same copies can be identical, so
    // the sheets are bucketed by a hash of those and compared within their
    // bucket, in set order: the groups come out as a comparison of every
    // pair in set order makes them, and buckets never meet.
    std::unordered_map<std::size_t, std::vector<OptTopLevelLayout*>> buckets;
    buckets.reserve(layouts.size());
    for (OptTopLevelLayout* layout : layouts)
        buckets[ContentHash(*layout)].push_back(layout);
    for (auto& entry : buckets) {
        std::vector<OptTopLevelLayout*>& bucket = entry.second;
        for (std::size_t i = 0; i < bucket.size(); ++i) {
            OptTopLevelLayout& master = *bucket[i];
            if (master.IsDuplicate())
                continue;
            for (std::size_t j = i + 1; j < bucket.size(); ++j) {
                OptTopLevelLayout& other = *bucket[j];
                if (!other.IsDuplicate() && Identical(master, other))
                    Join(other, master);
            }
        }
    }
}

void TakeOutOfGroup(OptTopLevelLayout& sheet, CLayoutSet& set, bool regroup)
{
    auto& layouts = set.Layouts();
    if (OptTopLevelLayout* master = sheet.GetMaster()) {
        master->SetDuplicateCount(master->GetDuplicateCount() - 1);
        sheet.SetMaster(nullptr);
        sheet.SetDuplicateCount(0);
        sheet.ResetStyleMap();
    } else if (sheet.GetDuplicateCount() > 0) {
        OptTopLevelLayout* heir = nullptr;
        for (OptTopLevelLayout* layout : layouts) {
            if (layout->GetMaster() != &sheet)
                continue;
            if (!heir) {
                heir = layout;
                heir->SetMaster(nullptr);
                heir->SetDuplicateCount(0);
            } else {
                Join(*layout, *heir);
            }
        }
        sheet.SetDuplicateCount(0);
        sheet.ResetStyleMap();
    }
    if (!regroup)
        return;

    for (OptTopLevelLayout* layout : layouts)
        layout->SortPlacedCopies();
    for (OptTopLevelLayout* candidate : layouts) {
        if (candidate == &sheet || candidate->IsDuplicate() || !Identical(*candidate, sheet))
            continue;
        candidate->SetDuplicateCount(candidate->GetDuplicateCount() + sheet.GetDuplicateCount() + 1);
        for (OptTopLevelLayout* layout : layouts) {
            if (layout->GetMaster() == &sheet) {
                layout->SetMaster(candidate);
                layout->SetDuplicateCount(0);
                layout->ShareStyleMap(candidate->GetStyleMap());
            }
        }
        sheet.SetMaster(candidate);
        sheet.SetDuplicateCount(0);
        sheet.ShareStyleMap(candidate->GetStyleMap());
        return;
    }
}

} // namespace optimization
