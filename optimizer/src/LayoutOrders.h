#pragma once
// The orders by which the run sorts stock, parts, regions and sheets. Each
// predicate is a strict weak order on exact values (counts or exact
// doubles), so it is safe for std::sort, std::stable_sort and map keys.

#include "CFreeRectangle.h"
#include "StockUsageTracker.h"

#include <nestcore/PartUsageTracker.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace optimization {

class OptTopLevelLayout;

// Stock.
bool StockBySize(const StockProxy& a, const StockProxy& b);
bool StockBySizeLargestFirst(const StockProxy& a, const StockProxy& b);
bool StockByFullCost(const StockProxy& a, const StockProxy& b);
bool StockByUnitAreaCost(const StockProxy& a, const StockProxy& b);
bool StockWidestFirst(const StockProxy& a, const StockProxy& b);
bool StockLongestFirst(const StockProxy& a, const StockProxy& b);

// Parts (larger first).
enum PartOrderKind : std::int32_t {
    OrderLargestFirst = 0,
    OrderIterative = 1,
    OrderWidestFirst = 2,
    OrderLongestFirst = 3,
};
bool PartBySize(const PartProxy& a, const PartProxy& b, bool firstFlag, bool secondFlag);
bool PartByWidth(const PartProxy& a, const PartProxy& b);
bool PartByLength(const PartProxy& a, const PartProxy& b);
// The predicate of the part order kind (false for every pair of an unknown kind).
bool PartByKind(const PartProxy& a, const PartProxy& b, std::int32_t kind);
// Sorts by part number (stable), then stably by the part order kind.
void SortPartSequence(std::vector<std::shared_ptr<PartUsageTracker>>& parts,
                      std::int32_t kind);
void SortPartSequence(std::vector<const PartProxy*>& parts, std::int32_t kind);

// Regions: larger area first.
bool RegionByArea(const CFreeRectangle& a, const CFreeRectangle& b);

// Stock usable for a new sheet.
bool IsStockUsable(const StockUsageTracker& stock, bool strict);
// Every part on the sheet still has as many unplaced copies as the sheet holds.
bool IsSheetStillPossible(const OptTopLevelLayout& sheet, const PartUsageMap& trackers);

// Sheets.
bool SheetByWaste(const OptTopLevelLayout* a, const OptTopLevelLayout* b,
                  bool emptyFirst = false);
bool SheetByWasteHighestFirst(const OptTopLevelLayout* a, const OptTopLevelLayout* b);
// Full stock cost over placed area; 2147483647 for an empty sheet.
double CostPerPlacedArea(const OptTopLevelLayout& sheet);
bool SheetByCostPerPlacedAreaHighestFirst(const OptTopLevelLayout* a,
                                          const OptTopLevelLayout* b);

} // namespace optimization
