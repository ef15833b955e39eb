#pragma once

#include "foundation/CParseField.h"

#include <platform/Currency.h>

#include <QString>

#include <cstdint>

// A currency amount: a fixed-point count of 1/10000 units, shown and parsed
// in the user's locale and exchanged with grid and clipboard fields.
class CMoney : public IFieldParseable
{
public:
    // ParseCurrency flags.
    enum ParseFlags : unsigned {
        AllowZero = 0x1,
        AllowNegative = 0x2,
        UnparsableIsSuccess = 0x4
    };

    CMoney() = default;
    explicit CMoney(const platform::Currency& value) : m_value(value) {}
    // The amount of a real number: truncated toward zero to 1/10000.
    static CMoney FromReal(double amount);
    static CMoney FromCount(std::int64_t count) { return CMoney(platform::Currency(count)); }

    const platform::Currency& GetCurrency() const { return m_value; }
    void SetCurrency(const platform::Currency& value) { m_value = value; }
    std::int64_t GetCount() const { return m_value.count(); }
    bool IsValid() const { return m_value.isValid(); }

    // The amount in the user's currency format (symbol, grouping, decimals).
    QString FormatText() const;
    // Parses a currency text of the user's locale (an empty text reads as 0).
    // A refused or unparsable text leaves the amount unchanged.
    bool ParseCurrency(const QString& text, unsigned flags);

    bool ToField(CParseField& field, unsigned flags) const override;
    bool FromField(const CParseField& field) override;

    double AsReal() const { return m_value.asReal(); }
    CMoney MultiplyBy(double factor) const { return FromReal(AsReal() * factor); }
    void SetFromReal(double amount);

    CMoney& operator+=(const CMoney& other);
    friend bool operator==(const CMoney& a, const CMoney& b) { return a.m_value == b.m_value; }

private:
    platform::Currency m_value;
};
