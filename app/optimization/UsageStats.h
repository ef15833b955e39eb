#pragma once
// How much material a layout uses and how much sawing it takes. Each value
// knows whether it is valid: a hand-edited layout has no cut statistics, and
// any sum that includes it is marked invalid instead of showing a wrong figure.

#include <cstdint>

class ArchiveWrapper;

template <class T>
struct UsageStat
{
    bool valid = true;
    T value {};
};

using UsageCount = UsageStat<std::uint32_t>;
using UsageMeasure = UsageStat<double>;

// The unused share of the sheet: 1 for an empty or zero-sized sheet, 0 when
// the parts cover it completely, else 1 - partsArea / sheetArea.
double YieldRatio(double partsArea, double sheetArea);

// The cut statistics of one geometry of a diagram.
class GeometryBasedStats
{
public:
    GeometryBasedStats() = default;
    GeometryBasedStats(std::uint32_t cutsWithPadding, double cutLengthWithPadding,
                       std::uint32_t cutsWithoutPadding, double cutLengthWithoutPadding);
    // Each value with its own validity, as a stored record gives them.
    GeometryBasedStats(UsageCount cutsWithPadding, UsageMeasure cutLengthWithPadding, UsageCount cutsWithoutPadding,
                       UsageMeasure cutLengthWithoutPadding)
        : m_cutsPadded(cutsWithPadding), m_cutLengthPadded(cutLengthWithPadding), m_cuts(cutsWithoutPadding),
          m_cutLength(cutLengthWithoutPadding)
    { }

    // Values valid on both sides are added; any other becomes invalid.
    void Add(const GeometryBasedStats& other);
    // Scales by a number of identical sheets (read as unsigned; counts wrap).
    void MultiplyBy(std::int32_t count);
    void Invalidate();
    bool IsComplete() const;

    const UsageCount& GetCuts(bool withPadding) const { return withPadding ? m_cutsPadded : m_cuts; }
    const UsageMeasure& GetCutLength(bool withPadding) const
    {
        return withPadding ? m_cutLengthPadded : m_cutLength;
    }

    // Version 2, then the four values, each with its own version and
    // validity. Version 1 held two values; they are read and all four count
    // as invalid.
    void Serialize(ArchiveWrapper& ar);

private:
    UsageCount m_cutsPadded;
    UsageMeasure m_cutLengthPadded;
    UsageCount m_cuts;
    UsageMeasure m_cutLength;
};

// The geometry-independent figures of a diagram.
class FixedStats
{
public:
    FixedStats() = default;
    FixedStats(double partsArea, double sheetArea, double partsPerimeter, double stockLength)
        : m_partsArea(partsArea), m_sheetArea(sheetArea), m_partsPerimeter(partsPerimeter),
          m_stockLength(stockLength)
    { }

    void Clear() { *this = FixedStats(); }
    void Add(const FixedStats& other);
    void MultiplyBy(std::int32_t count);

    double GetPartsArea() const { return m_partsArea; }
    double GetSheetArea() const { return m_sheetArea; }
    double GetPartsPerimeter() const { return m_partsPerimeter; }
    double GetStockLength() const { return m_stockLength; }
    double YieldRatio() const { return ::YieldRatio(m_partsArea, m_sheetArea); }

private:
    double m_partsArea = 0.0;
    double m_sheetArea = 0.0;
    double m_partsPerimeter = 0.0;
    double m_stockLength = 0.0;
};

class UsageStats
{
public:
    UsageStats() = default;
    UsageStats(const FixedStats& fixed, const GeometryBasedStats& geometry)
        : m_fixed(fixed), m_geometry(geometry)
    { }

    void Clear() { *this = UsageStats(); }
    void Add(const UsageStats& other);
    void MultiplyBy(std::int32_t count);
    // Some sheet in the sum had no cut statistics.
    bool IsIncomplete() const { return !m_geometry.IsComplete(); }

    const FixedStats& GetFixed() const { return m_fixed; }
    const GeometryBasedStats& GetGeometry() const { return m_geometry; }
    const UsageCount& GetCuts(bool withPadding) const { return m_geometry.GetCuts(withPadding); }
    const UsageMeasure& GetCutLength(bool withPadding) const { return m_geometry.GetCutLength(withPadding); }

private:
    FixedStats m_fixed;
    GeometryBasedStats m_geometry;
};
