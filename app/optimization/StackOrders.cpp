#include "optimization/StackOrders.h"

#include "foundation/CDimension.h"
#include "model/IOptimizableSize.h"
#include "model/ThicknessBasedOptTarget.h"
#include "optimization/DiagramIndex.h"
#include "optimization/DiagramSortPredicates.h"
#include "optimization/OptimizationTarget.h"

#include <algorithm>

namespace {

// Pinned ones to the front by swapping from both ends, as the lists have
// always been partitioned; the later sorts decide among equals only.
template <class List>
void PartitionPinnedFirst(List& list)
{
    auto front = list.begin();
    auto back = list.end();
    while (true) {
        while (front != back && IsPinned(*front))
            ++front;
        if (front == back)
            return;
        --back;
        while (front != back && !IsPinned(*back))
            --back;
        if (front == back)
            return;
        std::iter_swap(front, back);
        ++front;
    }
}

std::uint64_t RowIdentity(const StockSpec& stock)
{
    return stock.size ? stock.size->GetIdentity() : 0;
}

// Longer first, then wider, both within the length tolerance; rows of the
// same size by identity, which is stable from run to run where addresses
// are not.
template <class Item> bool StockSizeBefore(const Item& a, const Item& b)
{
    if (DiagramSizeGreater(a, b))
        return true;
    if (DiagramSizeGreater(b, a))
        return false;
    return RowIdentity(GetStockSpec(a)) < RowIdentity(GetStockSpec(b));
}

template <class List>
void SortByWasteThenStockSize(List& list)
{
    PartitionPinnedFirst(list);
    std::stable_sort(
        list.begin(), list.end(), [](const auto& a, const auto& b) { return DiagramYieldGreater(a, b); });
    std::stable_sort(
        list.begin(), list.end(), [](const auto& a, const auto& b) { return StockSizeBefore(a, b); });
}

} // namespace

void SortStacksForResults(StackList& stacks)
{
    SortByWasteThenStockSize(stacks);
}

void SortStacksFully(StackList& stacks)
{
    SortStacksForResults(stacks);
    std::stable_sort(stacks.begin(), stacks.end(), [](const StackPtr& a, const StackPtr& b) {
        return CDimension::IsLessCoarse(a->GetStockSpec().GetThickness(), b->GetStockSpec().GetThickness());
    });
    std::stable_sort(stacks.begin(), stacks.end(), [](const StackPtr& a, const StackPtr& b) {
        return a->GetStockSpec().GetMaterialName() < b->GetStockSpec().GetMaterialName();
    });
}

void SortDisplayDiagrams(DisplayDiagramList& diagrams)
{
    SortByWasteThenStockSize(diagrams);
}

void ExpandStacks(const StackList& stacks, bool expand, DisplayDiagramList& out)
{
    for (const StackPtr& stack : stacks)
        AppendDisplayDiagrams(stack, expand, out);
}

void AppendDisplayDiagrams(const StackPtr& stack, bool expand, DisplayDiagramList& out)
{
    const int copies = expand ? static_cast<int>(stack->GetCount()) : 1;
    for (int copy = 0; copy < copies; ++copy)
        out.push_back(stack->MakeDisplayDiagram(copy));
}

void KeepStacksOfSameTarget(StackList& stacks, const StackPtr& stack)
{
    const DiagramIndex& index = GetDiagramIndex();
    const OptimizationTargetPtr target = index.GetStackTarget(stack);
    std::erase_if(stacks, [&](const StackPtr& other) { return index.GetStackTarget(other) != target; });
}

bool TargetKindGreater(const std::shared_ptr<OptTargetBase>& a, const std::shared_ptr<OptTargetBase>& b)
{
    return a->GetMaterialKind() > b->GetMaterialKind();
}

bool TargetNameLess(const std::shared_ptr<OptTargetBase>& a, const std::shared_ptr<OptTargetBase>& b)
{
    return a->GetMaterialName() < b->GetMaterialName();
}

bool TargetThicknessLess(const std::shared_ptr<OptTargetBase>& a, const std::shared_ptr<OptTargetBase>& b)
{
    const auto criteriaA = a->GetCriteria();
    const auto criteriaB = b->GetCriteria();
    if (!criteriaA || !criteriaB)
        return false;
    return CDimension::LessWithTolerance(criteriaA->GetThickness(), criteriaB->GetThickness());
}
