#pragma once
// What the program sees of one result layout: one used stock sheet with the
// copies placed on it.

#include <nestcore/CuttingRules.h>
#include <nestcore_export.h>

#include <cstdint>
#include <vector>

namespace optimization {

class PlacedPart;
class StockProxy;

class NESTCORE_EXPORT ITopLevelLayout
{
public:
    virtual ~ITopLevelLayout();

    // True when this sheet is cut exactly like a master sheet of its group.
    virtual bool IsDuplicate() const = 0;
    virtual const StockProxy* GetStockProxy() const = 0;
    // How many further sheets are cut like this one (0 for a duplicate).
    virtual std::int32_t GetDuplicateCount() const = 0;
    virtual GeometryStyle GetGeometryStyle() const = 0;
    virtual bool HasStyleLayout(GeometryStyle style) const = 0;
    // A new copy the caller owns, or null when the layout holds none in
    // that style.
    virtual ITopLevelLayout* GetStyleLayout(GeometryStyle style) const = 0;
    virtual const std::vector<PlacedPart*>& GetPlacedParts() const = 0;
    virtual std::int32_t GetNumberOfCuts(bool withPadding) const = 0;
    virtual double GetCutLengthInches(bool withPadding) const = 0;

protected:
    ITopLevelLayout() = default;
    ITopLevelLayout(const ITopLevelLayout&) = default;
    ITopLevelLayout& operator=(const ITopLevelLayout&) = default;
};

} // namespace optimization
