#include "foundation/UpdateHint.h"

namespace {

template <class Hint> std::shared_ptr<Hint> GetOrCreate(std::shared_ptr<Hint>& slot)
{
    if (!slot)
        slot = std::make_shared<Hint>();
    return slot;
}

// The last merged list wins; lists are never joined.
template <class Hint> void MergeRows(std::shared_ptr<Hint>& mine, const std::shared_ptr<Hint>& theirs)
{
    if (!theirs)
        return;
    auto target = GetOrCreate(mine);
    if (theirs->AreRowsGiven()) {
        target->SetRowsGiven(true);
        target->SetRows(theirs->GetRows());
    }
}

template <class Hint> void MergeCode(std::shared_ptr<Hint>& mine, const std::shared_ptr<Hint>& theirs)
{
    if (!theirs)
        return;
    auto target = GetOrCreate(mine);
    if (theirs->GetRowChangeCode() != 0)
        target->SetRowChangeCode(theirs->GetRowChangeCode());
}

constexpr int GridSourceEntries = 2;
// Only the second grid-source entry travels with a merge.
constexpr int MergedGridSource = 1;

} // namespace

UpdateHint::UpdateHint(uint64_t changeMask, uint64_t detailMask)
    : m_changeMask(changeMask)
    , m_detailMask(detailMask)
    , m_gridSourceRows(GridSourceEntries)
{ }

void UpdateHint::ResetToDefault()
{
    m_changeMask = UpdateMask::ChangeDefault;
    m_detailMask = UpdateMask::DetailAll;
}

std::shared_ptr<PartRowsHint> UpdateHint::GetPartRows()
{
    return GetOrCreate(m_partRows);
}

std::shared_ptr<SheetGoodRowsHint> UpdateHint::GetSheetGoodRowsForEdit()
{
    return GetOrCreate(m_sheetGoodRows);
}

std::shared_ptr<SizeCostRowsHint> UpdateHint::GetSizeCostRowsForEdit()
{
    return GetOrCreate(m_sizeCostRows);
}

std::shared_ptr<GridSourceRowsHint> UpdateHint::GetGridSourceRowsForEdit(int index)
{
    if (index < 0 || index >= GridSourceEntries)
        return nullptr;
    return GetOrCreate(m_gridSourceRows[static_cast<size_t>(index)]);
}

std::shared_ptr<GridSourceRowsHint> UpdateHint::PeekGridSourceRows(int index) const
{
    if (index < 0 || index >= GridSourceEntries)
        return nullptr;
    return m_gridSourceRows[static_cast<size_t>(index)];
}

std::shared_ptr<TakeOffRowsHint> UpdateHint::GetTakeOffRowsForEdit()
{
    return GetOrCreate(m_takeOffRows);
}

void UpdateHint::MarkAllPartRows()
{
    auto rows = GetPartRows();
    rows->SetRowsGiven(true);
    rows->SetRows({});
}

void UpdateHint::MarkPartRowsChanged()
{
    GetPartRows()->SetRowChangeCode(1);
}

void UpdateHint::Merge(const UpdateHint& other)
{
    MergeMasks(other);
    MergeRowHints(other);
    MergeRowChangeCodes(other);
    MergeDomainUpdateInfo(other);
    // The last step that names a diagram to show decides which one is shown.
    if (other.m_diagramToShow)
        m_diagramToShow = other.m_diagramToShow;
}

void UpdateHint::MergeMasks(const UpdateHint& other)
{
    // The extra mask is not merged: its senders send their own hint directly.
    m_changeMask |= other.m_changeMask;
    m_detailMask |= other.m_detailMask;
}

void UpdateHint::MergeRowHints(const UpdateHint& other)
{
    MergeRows(m_partRows, other.m_partRows);
    MergeRows(m_sheetGoodRows, other.m_sheetGoodRows);
    MergeRows(m_sizeCostRows, other.m_sizeCostRows);
    MergeRows(m_gridSourceRows[MergedGridSource], other.m_gridSourceRows[MergedGridSource]);
}

void UpdateHint::MergeRowChangeCodes(const UpdateHint& other)
{
    MergeCode(m_partRows, other.m_partRows);
    MergeCode(m_sheetGoodRows, other.m_sheetGoodRows);
    MergeCode(m_sizeCostRows, other.m_sizeCostRows);
    MergeCode(m_gridSourceRows[MergedGridSource], other.m_gridSourceRows[MergedGridSource]);
}

void UpdateHint::MergeDomainUpdateInfo(const UpdateHint& other)
{
    if (other.m_updateInfo)
        m_updateInfo = other.m_updateInfo;
}

void UpdateHint::Clear()
{
    m_changeMask = 0;
    m_detailMask = 0;
    m_extraMask = 0;
    m_partRows.reset();
    m_sheetGoodRows.reset();
    m_sizeCostRows.reset();
    m_takeOffRows.reset();
    m_gridSourceRows.assign(GridSourceEntries, nullptr);
    m_diagramToShow.reset();
}
