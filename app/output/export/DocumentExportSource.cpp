#include "output/export/DocumentExportSource.h"

#include "model/CSheetGoodEx.h"
#include "model/IOptimizableMaterial.h"
#include "model/ISGSC.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/IOptimizationDoc.h"
#include "optimization/StackOrders.h"

namespace iDeviceExport {

namespace {

ExportLineItem LineOf(const IOptimizedBOMLineItem& item)
{
    ExportLineItem line;
    line.identity = item.GetIdentity();
    if (const auto row = item.GetSizeCost())
        line.sizeCostIdentity = row->GetIdentity();
    line.quantityNeeded = item.GetQuantityNeeded();
    line.quantityInStock = item.GetQuantityInStock();
    line.totalCost = item.GetTotalCost();
    return line;
}

} // namespace

const OptTargetList& DocumentExportSource::GetTargetList() const
{
    return m_document.GetBOMOptMgr()->GetTargetsMgr()->GetTargetList();
}

std::vector<ExportMaterialBill> DocumentExportSource::GetSheetGoodsBills() const
{
    std::vector<ExportMaterialBill> bills;
    const std::shared_ptr<SheetGoodsBOM> top = m_document.GetBOMOptMgr()->GetSheetGoodsBOM();
    // In name order, as the layouts tree and the reports have it: the bill
    // is made in the order the run meets the materials, and the package
    // must not depend on which page was visited before.
    top->SortByName();
    const int count = static_cast<int>(top->GetCount());
    for (int i = 0; i < count; ++i) {
        const MaterialBOMPtr bill = top->GetMaterialBOM(i);
        if (!bill)
            continue;
        ExportMaterialBill entry;
        entry.material = bill->GetMaterial();
        entry.hasEntries = bill->HasLineItems();
        for (const OptimizationResultsPtr& results : bill->GetResultsList()) {
            if (!results)
                continue;
            ExportResultSet set;
            set.targetIdentity = results->GetTarget() ? results->GetTarget()->GetIdentity() : 0;
            set.stacks = results->GetStacks();
            for (const OptimizedLineItemPtr& item : results->GetLineItems())
                if (item)
                    set.lineItems.push_back(LineOf(*item));
            entry.results.push_back(std::move(set));
        }
        bills.push_back(std::move(entry));
    }
    return bills;
}

StackList DocumentExportSource::GetAllDiagramsInOrder() const
{
    StackList stacks;
    m_document.GetBOMOptMgr()->GetAllDiagrams(stacks);
    SortStacksFully(stacks);
    return stacks;
}

std::vector<CMilledPart*> DocumentExportSource::GetParts() const
{
    return m_document.GetPartList();
}

const ProjectSettings& DocumentExportSource::GetProjectSettings() const
{
    return m_document.GetProjectSettings();
}

} // namespace iDeviceExport
