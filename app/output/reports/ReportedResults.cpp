#include "output/reports/ReportedResults.h"

#include "model/ISGSC.h"
#include "optimization/OptimizedBOMLineItem.h"
#include "optimization/TopLevelBOM.h"

#include <algorithm>

std::vector<ReportedMaterial> CollectReportedResults(SheetGoodsBOM& bill)
{
    bill.SortByName();
    std::vector<ReportedMaterial> reported;
    // Indexes run to count - 1: the bill at the count does not exist.
    const int count = static_cast<int>(bill.GetCount());
    for (int i = 0; i < count; ++i) {
        const MaterialBOMPtr material = bill.GetMaterialBOM(i);
        if (!material || !material->HasResults())
            continue;
        ReportedMaterial entry {material, {}};
        for (const OptimizationResultsPtr& results : material->GetResultsList())
            if (results && results->HasStacks())
                entry.results.push_back(results);
        std::stable_sort(entry.results.begin(), entry.results.end(), CompareTargets);
        reported.push_back(std::move(entry));
    }
    return reported;
}

QString StockSizeText(const IOptimizedBOMLineItem& item)
{
    const std::shared_ptr<ISGSC> row = item.GetSizeCost();
    return row ? row->GetDescription() : QString();
}
