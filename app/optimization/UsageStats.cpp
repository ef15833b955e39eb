#include "optimization/UsageStats.h"

namespace {

template <class T>
void AddStat(UsageStat<T>& sum, const UsageStat<T>& other)
{
    if (sum.valid && other.valid)
        sum.value += other.value;
    else
        sum.valid = false;
}

// A negative count stands for its unsigned reading, as a sheet count is unsigned.
std::uint32_t AsSheetCount(std::int32_t count)
{
    return static_cast<std::uint32_t>(count);
}

// Counts multiply as unsigned 32-bit numbers (wrapping), measures as doubles.
template <class T>
void Scale(UsageStat<T>& stat, std::uint32_t factor)
{
    if (stat.valid)
        stat.value *= factor;
}

} // namespace

double YieldRatio(double partsArea, double sheetArea)
{
    if (sheetArea < 0.00001)
        return 1.0;
    if (!(partsArea < sheetArea))
        return 0.0;
    return 1.0 - partsArea / sheetArea;
}

GeometryBasedStats::GeometryBasedStats(std::uint32_t cutsWithPadding, double cutLengthWithPadding,
                                       std::uint32_t cutsWithoutPadding, double cutLengthWithoutPadding)
    : m_cutsPadded {true, cutsWithPadding}, m_cutLengthPadded {true, cutLengthWithPadding},
      m_cuts {true, cutsWithoutPadding}, m_cutLength {true, cutLengthWithoutPadding}
{ }

void GeometryBasedStats::Add(const GeometryBasedStats& other)
{
    AddStat(m_cutsPadded, other.m_cutsPadded);
    AddStat(m_cutLengthPadded, other.m_cutLengthPadded);
    AddStat(m_cuts, other.m_cuts);
    AddStat(m_cutLength, other.m_cutLength);
}

void GeometryBasedStats::MultiplyBy(std::int32_t count)
{
    const std::uint32_t factor = AsSheetCount(count);
    Scale(m_cutsPadded, factor);
    Scale(m_cutLengthPadded, factor);
    Scale(m_cuts, factor);
    Scale(m_cutLength, factor);
}

void GeometryBasedStats::Invalidate()
{
    m_cutsPadded.valid = m_cutLengthPadded.valid = m_cuts.valid = m_cutLength.valid = false;
}

bool GeometryBasedStats::IsComplete() const
{
    return m_cutsPadded.valid && m_cutLengthPadded.valid && m_cuts.valid && m_cutLength.valid;
}

void FixedStats::Add(const FixedStats& other)
{
    m_partsArea += other.m_partsArea;
    m_sheetArea += other.m_sheetArea;
    m_partsPerimeter += other.m_partsPerimeter;
    m_stockLength += other.m_stockLength;
}

void FixedStats::MultiplyBy(std::int32_t count)
{
    const double factor = AsSheetCount(count);
    m_partsArea *= factor;
    m_sheetArea *= factor;
    m_partsPerimeter *= factor;
    m_stockLength *= factor;
}

void UsageStats::Add(const UsageStats& other)
{
    m_fixed.Add(other.m_fixed);
    m_geometry.Add(other.m_geometry);
}

void UsageStats::MultiplyBy(std::int32_t count)
{
    m_fixed.MultiplyBy(count);
    m_geometry.MultiplyBy(count);
}
