#include "model/CMoney.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

// Counts of 1/10000 beyond this do not fit the 64-bit count.
constexpr double kMaxCount = 9.2e18;

// The count of 1/10000 units of a real amount, truncated toward zero. A
// product such as 4.35 x 10000 lands a hair below the whole count it stands
// for; truncating that would lose a ten-thousandth, so a value within
// rounding noise of a whole count is taken as that count.
bool CountFromReal(double amount, std::int64_t& count)
{
    if (!std::isfinite(amount))
        return false;
    const double scaled = amount * static_cast<double>(platform::Currency::UnitsPerWhole);
    if (std::fabs(scaled) >= kMaxCount)
        return false;
    const double nearest = std::round(scaled);
    const double noise = std::max(1e-7, std::fabs(scaled) * 1e-12);
    const double whole = std::fabs(scaled - nearest) <= noise ? nearest : std::trunc(scaled);
    count = static_cast<std::int64_t>(whole);
    return true;
}

// Removes what a currency text carries besides the number: the locale's
// currency symbol and ISO code, and blanks (the locales put no-break spaces
// between number and symbol).
QString StripCurrencyDecoration(const QString& text, const QLocale& locale)
{
    QString number = text;
    for (const QString& mark : {locale.currencySymbol(QLocale::CurrencySymbol),
                                locale.currencySymbol(QLocale::CurrencyIsoCode)}) {
        if (!mark.isEmpty())
            number.remove(mark);
    }
    number.remove(u' ');
    number.remove(QChar(0x00A0));
    number.remove(QChar(0x202F));
    return number;
}

// Reads an amount in the user's locale: plain numbers, grouped numbers and
// the locale's own currency texts ("$1,234.50", "1.234,50 €", "($3.00)").
bool ParseAmount(const QString& text, std::int64_t& count)
{
    const QLocale locale;
    QString number = StripCurrencyDecoration(text.trimmed(), locale);
    bool negative = false;
    if (number.size() >= 2 && number.startsWith(u'(') && number.endsWith(u')')) {
        negative = true;
        number = number.mid(1, number.size() - 2);
    }
    if (number.isEmpty())
        return false;
    bool ok = false;
    double amount = locale.toDouble(number, &ok);
    if (!ok)
        return false;
    if (negative)
        amount = -amount;
    // Text carries decimals exactly as typed: round the fifth decimal away.
    const double scaled = std::round(amount * static_cast<double>(platform::Currency::UnitsPerWhole));
    if (!std::isfinite(scaled) || std::fabs(scaled) >= kMaxCount)
        return false;
    count = static_cast<std::int64_t>(scaled);
    return true;
}

} // namespace

CMoney CMoney::FromReal(double amount)
{
    CMoney money;
    money.SetFromReal(amount);
    return money;
}

void CMoney::SetFromReal(double amount)
{
    std::int64_t count = 0;
    if (CountFromReal(amount, count))
        m_value = platform::Currency(count);
    else
        m_value = platform::Currency(0, platform::Currency::Invalid);
}

QString CMoney::FormatText() const
{
    static constexpr int kMaxChars = 29;
    const QString text = QLocale().toCurrencyString(AsReal());
    if (!text.isEmpty() && text.size() <= kMaxChars)
        return text;
    // Without a usable currency format the callers still get an amount.
    return QLocale().toString(AsReal(), 'f', 2).left(kMaxChars);
}

bool CMoney::ParseCurrency(const QString& text, unsigned flags)
{
    std::int64_t count = 0;
    if (!ParseAmount(text.isEmpty() ? QStringLiteral("0") : text, count))
        return (flags & UnparsableIsSuccess) != 0;
    if (count < 0 && !(flags & AllowNegative))
        return false;
    if (count == 0 && !(flags & AllowZero))
        return false;
    m_value = platform::Currency(count);
    return true;
}

bool CMoney::ToField(CParseField& field, unsigned flags) const
{
    if (flags & CParseField::TextSet)
        field.SetText(FormatText());
    if (flags & CParseField::NumberSet)
        field.SetNumber(AsReal());
    return true;
}

bool CMoney::FromField(const CParseField& field)
{
    if (field.HasNumber()) {
        const double amount = field.GetNumber();
        if (!(amount >= 0.0))
            return false;
        std::int64_t count = 0;
        if (!CountFromReal(amount, count))
            return false;
        m_value = platform::Currency(count);
        return true;
    }
    if (field.HasText())
        return ParseCurrency(field.GetText(), AllowZero);
    return false;
}

CMoney& CMoney::operator+=(const CMoney& other)
{
    m_value += other.m_value;
    return *this;
}
