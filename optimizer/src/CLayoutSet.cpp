#include "CLayoutSet.h"

#include "CompareValues.h"
#include "OptTopLevelLayout.h"

#include <nestcore/PartProxy.h>
#include <nestcore/ProxyOrder.h>
#include <nestcore/StockProxy.h>

#include <tbb/parallel_for.h>

#include <algorithm>
#include <unordered_map>

namespace optimization {

namespace {
// Below this many sheets a set is copied one sheet after the other.
constexpr std::size_t kParallelCopyFrom = 8;
} // namespace

CLayoutSet::~CLayoutSet()
{
    DeleteAll();
}

void CLayoutSet::DeleteAll()
{
    if (m_owns)
        for (OptTopLevelLayout* layout : m_layouts)
            delete layout;
    m_layouts.clear();
}

double CLayoutSet::PlacedArea() const
{
    double area = 0.0;
    for (const OptTopLevelLayout* layout : m_layouts)
        area += layout->PlacedArea();
    return area;
}

double CLayoutSet::PlacedAreaOnOffCuts() const
{
    double area = 0.0;
    for (const OptTopLevelLayout* layout : m_layouts)
        if (layout->GetStockProxy()->GetInventory().offCut)
            area += layout->PlacedArea();
    return area;
}

double CLayoutSet::PlacedAreaWithinInventory() const
{
    double area = 0.0;
    for (const OptTopLevelLayout* layout : m_layouts)
        if (layout->GetWithinInventory())
            area += layout->PlacedArea();
    return area;
}

double CLayoutSet::WasteArea() const
{
    double area = 0.0;
    for (const OptTopLevelLayout* layout : m_layouts)
        area += layout->GetStockProxy()->GetCanvas().GetRoughArea() - layout->PlacedArea();
    return area;
}

double CLayoutSet::FreeAreaOfOthers(const OptTopLevelLayout& sheet) const
{
    double area = 0.0;
    for (const OptTopLevelLayout* layout : m_layouts)
        if (layout != &sheet)
            area += layout->FreeArea();
    return area;
}

double CLayoutSet::CostOfPlacedArea() const
{
    double cost = 0.0;
    for (const OptTopLevelLayout* layout : m_layouts) {
        const double placed = layout->PlacedArea();
        // An unusable stock has no finite unit cost; it can hold nothing.
        if (placed > kAreaEpsilon)
            cost += placed * layout->GetStockProxy()->GetCanvas().GetUnitAreaCost();
    }
    return cost;
}

double CLayoutSet::CostPerPlacedArea() const
{
    const double placed = PlacedArea();
    if (placed <= kAreaEpsilon)
        return kEmptySheetCost;
    double cost = 0.0;
    for (const OptTopLevelLayout* layout : m_layouts)
        cost += layout->GetStockProxy()->GetCanvas().GetFullStockCost();
    return cost / placed;
}

std::int32_t CLayoutSet::AlignedNeighbours() const
{
    std::int32_t total = 0;
    for (const OptTopLevelLayout* layout : m_layouts)
        total += layout->TotalAlignedNeighbours();
    return total;
}

std::int32_t CLayoutSet::AlignedPartEdges() const
{
    std::int32_t total = 0;
    for (const OptTopLevelLayout* layout : m_layouts)
        total += layout->AlignedPartEdges();
    return total;
}

std::int64_t CLayoutSet::LargestFreeRectangleArea() const
{
    std::int64_t largest = 0;
    for (const OptTopLevelLayout* layout : m_layouts)
        largest = std::max(largest, layout->LargestFreeRectangleArea());
    return largest;
}

std::vector<const PartProxy*> CLayoutSet::SortedCopies() const
{
    std::vector<const PartProxy*> copies;
    for (const OptTopLevelLayout* layout : m_layouts)
        copies.insert(copies.end(), layout->GetPlacedCopies().begin(),
                      layout->GetPlacedCopies().end());
    std::stable_sort(copies.begin(), copies.end(), ProxyOrder());
    return copies;
}

bool CLayoutSet::SameParts(const CLayoutSet& other) const
{
    return SortedCopies() == other.SortedCopies();
}

void CLayoutSet::CopyInto(CLayoutSet& out, bool keepLinks) const
{
    out.DeleteAll();
    out.m_owns = true;
    std::unordered_map<const OptTopLevelLayout*, OptTopLevelLayout*> copyOf;
    // Each copy reads only its own sheet, so the copies are made side by
    // side; the set owns each as soon as it is made.
    out.m_layouts.assign(m_layouts.size(), nullptr);
    auto copyOne = [&](std::size_t i) {
        const OptTopLevelLayout* layout = m_layouts[i];
        out.m_layouts[i] = (keepLinks ? layout->Copy() : layout->IsolatedCopy()).release();
    };
    if (m_layouts.size() >= kParallelCopyFrom)
        tbb::parallel_for(std::size_t(0), m_layouts.size(), copyOne);
    else
        for (std::size_t i = 0; i < m_layouts.size(); ++i)
            copyOne(i);
    for (std::size_t i = 0; i < m_layouts.size(); ++i)
        copyOf[m_layouts[i]] = out.m_layouts[i];
    if (keepLinks) {
        for (OptTopLevelLayout* copy : out.m_layouts) {
            if (!copy->GetMaster())
                continue;
            auto it = copyOf.find(copy->GetMaster());
            copy->SetMaster(it != copyOf.end() ? it->second : nullptr);
            if (it == copyOf.end())
                copy->SetDuplicateCount(0);
        }
    }
}

void CLayoutSet::RemoveLayoutsWithoutBlock()
{
    std::vector<OptTopLevelLayout*> kept;
    for (OptTopLevelLayout* layout : m_layouts) {
        if (layout->HasNoBlock()) {
            if (m_owns)
                delete layout;
        } else {
            kept.push_back(layout);
        }
    }
    m_layouts.swap(kept);
}

void CLayoutSet::ResetStyleWords()
{
    for (OptTopLevelLayout* layout : m_layouts)
        layout->Policy().SetStyleWord(StandardLayout);
}

void CLayoutSet::RelayInDirection(bool dirFlag)
{
    for (OptTopLevelLayout* layout : m_layouts) {
        layout->SetCutOrientation(dirFlag, false, false);
        layout->Policy().SetStyleWord(dirFlag ? PreferRipCuts : PreferCrossCuts);
        layout->Relay();
    }
}

OptTopLevelLayout* CLayoutSet::FindSameSize(const OptTopLevelLayout& sheet, bool mastersOnly) const
{
    for (OptTopLevelLayout* layout : m_layouts) {
        if (layout == &sheet || (mastersOnly && layout->IsDuplicate()))
            continue;
        if (layout->SameRootSize(sheet))
            return layout;
    }
    return nullptr;
}

std::vector<ITopLevelLayout*> CLayoutSet::ResultLayouts() const
{
    return std::vector<ITopLevelLayout*>(m_layouts.begin(), m_layouts.end());
}

} // namespace optimization
