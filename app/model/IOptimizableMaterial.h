#pragma once

#include "model/PinnableID.h"
#include "model/SizeCostCompare.h"

#include <cstdint>
#include <memory>
#include <vector>

class BOMLineItemBase;
class IMaterialData;
class MaterialBOMBase;
class IOptimizableSize;
class ISGSC;
class OptTargetCriteria;
class UniqueStamp;

// A material as the optimization run sees it: the stock sizes it offers to a
// target and the rows found again from the handles the optimizer returns.
// The material's managed identity is reached through GetMaterialIdentity.
class IOptimizableMaterial : public PinnableID
{
public:
    static constexpr int kKindSheetGood = 3;

    // The rows offered to a target, in list order.
    virtual std::vector<std::shared_ptr<IOptimizableSize>> GetStockSizes(
        const OptTargetCriteria& criteria, const StockUsageMap& usage) const = 0;
    // Named "Not Specified", or a placeholder.
    virtual bool IsUnspecified() const = 0;
    virtual bool Query9() const { return true; }
    virtual int GetKind() const = 0;
    virtual const IMaterialData* AsMaterialData() const = 0;
    // The row whose optimizer view is this handle.
    virtual std::shared_ptr<ISGSC> FindSizeCost(const IOptimizableSize* handle) const = 0;
    // The first own row equal in every stored field to row.
    virtual std::shared_ptr<IOptimizableSize> FindMatchingSizeCost(const ISGSC& row) const = 0;
    // Appends a row through an unrecorded row command.
    virtual void AddSizeCostUnrecorded(const std::shared_ptr<ISGSC>& row) = 0;
    virtual std::shared_ptr<ISGSC> FindSizeCostByPinnableID(const UniqueStamp& stamp) const = 0;
    virtual std::uint64_t GetMaterialIdentity() const = 0;
    // The material's bill of materials, and the line of one of its rows
    // (empty until the optimization results registered their factories).
    virtual std::shared_ptr<MaterialBOMBase> CreateBOM() = 0;
    virtual std::shared_ptr<BOMLineItemBase> CreateBOMLineItem(const std::shared_ptr<ISGSC>& row) const = 0;
};
