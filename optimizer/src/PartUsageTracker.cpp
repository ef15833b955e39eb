#include <nestcore/PartUsageTracker.h>

namespace optimization {

PartUsageTracker::PartUsageTracker(const PartProxy* part) : m_part(part) {}

std::shared_ptr<PartUsageTracker> PartUsageTracker::Clone() const
{
    return std::make_shared<PartUsageTracker>(*this);
}

std::int64_t PartUsageTracker::GetUnplacedCopiesCount() const
{
    return std::int64_t(m_part->GetDescriptor().copies) - m_placed;
}

bool PartUsageTracker::IsAnyCopyUnplaced() const
{
    return m_placed != m_part->GetDescriptor().copies;
}

void PartUsageTracker::IncrementPlacedCount()
{
    ++m_placed;
    if (m_placed == m_part->GetDescriptor().copies)
        m_reason = SkipNone;
}

void PartUsageTracker::DecrementPlacedCount()
{
    if (m_placed > 0)
        --m_placed;
}

void PartUsageTracker::SetAllCopiesSkippedPreOpt(SkipReason reason)
{
    m_reason = reason;
    m_skippedPreOpt = true;
}

void PartUsageTracker::SetAnyUnplacedViableCopiesSkipped(SkipReason reason)
{
    if (m_reason == SkipNone && IsAnyCopyUnplaced())
        m_reason = reason;
}

} // namespace optimization
