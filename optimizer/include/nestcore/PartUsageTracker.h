#pragma once
// How many copies of one part a run has placed, and why the others were not.

#include <nestcore/PartProxy.h>
#include <nestcore/ProxyOrder.h>
#include <nestcore/SkipReason.h>
#include <nestcore_export.h>

#include <cstdint>
#include <map>
#include <memory>

namespace optimization {


class NESTCORE_EXPORT PartUsageTracker
{
public:
    explicit PartUsageTracker(const PartProxy* part);

    std::shared_ptr<PartUsageTracker> Clone() const;

    const PartProxy* GetPartProxy() const { return m_part; }
    std::uint32_t GetPlacedCopiesCount() const { return m_placed; }
    SkipReason GetSkipReason() const { return m_reason; }
    bool IsSkippedPreOpt() const { return m_skippedPreOpt; }

    std::int64_t GetUnplacedCopiesCount() const;
    bool IsAnyCopyUnplaced() const;

    void IncrementPlacedCount();
    void DecrementPlacedCount();
    void SetAllCopiesSkippedPreOpt(SkipReason reason);
    void SetAnyUnplacedViableCopiesSkipped(SkipReason reason);

private:
    const PartProxy* m_part;
    std::uint32_t m_placed = 0;
    SkipReason m_reason = SkipNone;
    bool m_skippedPreOpt = false;
};

// The part trackers of a run, walked by the program after the run.
using PartUsageMap =
    std::map<const PartProxy*, std::shared_ptr<PartUsageTracker>, ProxyOrder>;

} // namespace optimization
