#pragma once

#include <cstdint>
#include <map>
#include <memory>

class IOptimizableMaterial;
class IOptimizableSize;
class ISGSC;
class OptimizationTarget;
class OptTargetCriteria;

// Comparisons of two size/cost rows for the row commands and the grid.

// Thickness equal within the length tolerance.
bool SameThickness(const ISGSC& a, const ISGSC& b);
// 8 (optimizer input changed) when thickness, unlimited or off-cut differ, else 0.
std::uint64_t GetSizeCostMismatchCode(const ISGSC& a, const ISGSC& b);
int SizeCostKindDiffers(const ISGSC& a, const ISGSC& b);
bool IsDifferentStockKind(const ISGSC& a, const ISGSC& b);
// Thickness, width, length and both trims equal within the length tolerance.
bool SameSize(const ISGSC& a, const ISGSC& b);

// The target is of this material and accepts the row.
bool IsTargetStockSize(const IOptimizableMaterial* material, const ISGSC& row, const OptimizationTarget& target);

// Sheets of each stock size already used (pinned layouts); a size that is not
// in the map has used none.
using StockUsageMap = std::map<const IOptimizableSize*, unsigned int>;
// A row is offered when it is unlimited, may be bought beyond stock, or has
// more sheets than already used; and the criteria accept it.
bool IsOfferedStockSize(const ISGSC& row, const StockUsageMap& usage, const OptTargetCriteria& criteria);
