#pragma once

class CMoney;
class SheetDimensions;

// What a pricing scheme needs of a stock-size row: its unit cost and its
// sheet size with trims.
class ISheetPriceable
{
public:
    virtual ~ISheetPriceable() = default;
    virtual CMoney GetUnitCost() const = 0;
    virtual SheetDimensions GetSheetDimensions() const = 0;
};
