#pragma once
// The walk over the project's results that the cost and statistics reports
// share: material bills by name, then each bill's result sets in the order
// of the layouts tree, leaving out what has nothing to show.

#include "optimization/MaterialBOM.h"
#include "optimization/OptimizationResults.h"

#include <QString>

#include <vector>

class SheetGoodsBOM;

struct ReportedMaterial
{
    MaterialBOMPtr bill;
    std::vector<OptimizationResultsPtr> results; // each with diagrams
};

// The stock size a line of a bill stands for, as the reports name it.
QString StockSizeText(const IOptimizedBOMLineItem& item);

// Sorts the bill's material bills by name (the bill keeps that order) and
// answers those with results, each with its result sets that have diagrams.
std::vector<ReportedMaterial> CollectReportedResults(SheetGoodsBOM& bill);
