#pragma once

#include <QString>

// The inventory of a stock size: a count, or unlimited; off-cuts never buy more.
template <class Count>
class IInventoryable
{
public:
    virtual ~IInventoryable() = default;
    // "*" when unlimited, else the count.
    virtual QString GetInventoryText() const = 0;
    virtual Count GetInventory() const = 0;
    virtual bool IsUnlimited() const = 0;
    virtual bool CanBuyMore() const = 0;
    virtual bool IsOffCut() const = 0;
    // Stores the count and makes the size limited.
    virtual void SetInventory(Count count) = 0;
    virtual void SetUnlimited() = 0;
    virtual void SetCanBuyMore(bool canBuyMore) = 0;
    virtual void SetOffCut(bool offCut) = 0;
};
