#include "LayoutGrouping.h"

#include "CLayoutSet.h"
#include "OptTopLevelLayout.h"

namespace optimization {

namespace {

bool Identical(const OptTopLevelLayout& a, const OptTopLevelLayout& b)
{
    // Both lists are sorted by factory order before this is asked.
    return a.GetStockProxy() == b.GetStockProxy() && a.SameRootSize(b)
           && a.GetPlacedCopies() == b.GetPlacedCopies();
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
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        OptTopLevelLayout& master = *layouts[i];
        if (master.IsDuplicate())
            continue;
        for (std::size_t j = i + 1; j < layouts.size(); ++j) {
            OptTopLevelLayout& other = *layouts[j];
            if (!other.IsDuplicate() && Identical(master, other))
                Join(other, master);
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
