#pragma once
// How many sheets of one stock size a run has opened.

#include <nestcore/StockProxy.h>

#include <cstdint>
#include <memory>

namespace optimization {

class StockUsageTracker
{
public:
    explicit StockUsageTracker(const StockProxy* stock) : m_stock(stock) {}

    std::shared_ptr<StockUsageTracker> Clone() const;

    const StockProxy* GetStock() const { return m_stock; }
    std::uint32_t GetSheetsUsed() const { return m_used; }
    void SetSheetsUsed(std::uint32_t used) { m_used = used; }

    // Unlimited, or fewer sheets used than available.
    bool HasSheetsLeft() const;
    bool IsOffCut() const;
    // Unlimited, usable beyond its count, or sheets left within the count.
    bool IsUsable() const;
    // Counts one more sheet; true exactly when this takes the last available
    // sheet of a limited stock.
    bool UseOneSheet();

private:
    const StockProxy* m_stock;
    std::uint32_t m_used = 0;
};

} // namespace optimization
