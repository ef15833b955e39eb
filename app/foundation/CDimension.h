#pragma once

#include "foundation/CParseField.h"

#include <QString>

#include <cstdint>

class ArchiveWrapper;

// A length: a signed count of 1/16384 inch with a cached value in inches, at
// most 12000 inches. Two lengths are equal within 2 counts. Parsed from and
// formatted in the user's units.
class CDimension : public IFieldParseable
{
public:
    static constexpr std::int32_t UnitsPerInch = 16384;
    static constexpr double InchesPerUnit = 0.00006103515625;
    static constexpr double MaxInches = 12000.0;
    static constexpr std::int32_t MaxUnits = 196608000;
    static constexpr std::int32_t Tolerance = 2;
    static constexpr std::int32_t CoarseTolerance = 32;

    CDimension() = default;
    static CDimension FromUnits(std::int32_t units);
    // Keeps the given inches in the cache exactly as given.
    static CDimension FromInches(double inches);
    // Parses what the user typed; check IsValid afterwards.
    CDimension(const QString& text, bool allowZero, bool allowNegative);

    static const CDimension& Zero();
    static const CDimension& Max();

    bool IsValid() const { return m_valid; }
    bool IsOverflow() const { return m_overflow; }
    std::int32_t GetUnits() const { return m_units; }
    double GetInches() const;

    static bool ApproxEqual(const CDimension& a, const CDimension& b);
    static bool ApproxEqualCoarse(const CDimension& a, const CDimension& b);
    // a + 2 counts < b.
    static bool LessWithTolerance(const CDimension& a, const CDimension& b);
    // a + 32 counts < b.
    static bool IsLessCoarse(const CDimension& a, const CDimension& b);

    // count -= other's count, without a bound check.
    void Subtract(const CDimension& other);
    // The product, or the maximum with the overflow flag when it would pass
    // the maximum, wrap, or the factor is negative.
    CDimension MultiplySaturating(int factor) const;

    // 0 for style or precision and -1 for decimals take the user's settings.
    QString FormatDimension(int style = 0, int precision = 0, int decimals = -1) const;
    QString FormatDimensionAs(int style, int precision, int decimals, bool hideUnits, bool cadStyle) const;

    bool ToField(CParseField& field, unsigned flags) const override;
    // ParseField without zero or negative values.
    bool FromField(const CParseField& field) override;
    // A number in the field wins over its text; a value out of range or a
    // bad text fails and leaves the length unchanged.
    bool ParseField(const CParseField& field, bool allowZero, bool allowNegative);

    virtual void Serialize(ArchiveWrapper& ar);

private:
    void Parse(const QString& text, bool allowZero, bool allowNegative);
    void LoadLegacy(ArchiveWrapper& ar);
    void SetFromInches(double inches);

    bool m_valid = true;
    std::int32_t m_units = 0;
    mutable double m_inches = 0.0;
    mutable bool m_inchesValid = true;
    bool m_overflow = false;
};

// Converts inches to the count: truncation toward zero of inches * 16384 + 0.5.
std::int32_t InchesToUnits(double inches);

// Cell-value validators of the grids: 0 stored, 1 rejected, 2 unchanged.
int ParseDimensionInRange(
    const QString& text, CDimension& target, bool allowZero, double maxInches, bool allowNegative);
int ParseCountInRange(const QString& text, int& target, int maximum, bool allowNegative);
// Keys of three 32-bit words, equal when all three are.
bool SizeKeyEquals(const std::int32_t (&a)[3], const std::int32_t (&b)[3]);
