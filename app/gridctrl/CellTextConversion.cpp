#include "gridctrl/CellTextConversion.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <charconv>

namespace gridctrl {

namespace {

// Reads the longest leading decimal number ("-12.5e3", "+.5") of a text that
// already uses '.' as its decimal separator. Locale-independent: the C
// library's readers follow the process locale, which Qt sets from the user's.
std::optional<double> readLeadingNumber(const QString& text)
{
    const QByteArray bytes = text.trimmed().toLatin1();
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    double value = 0.0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument)
        return std::nullopt;
    if (result.ec == std::errc::result_out_of_range)
        return std::nullopt;
    return negative ? -value : value;
}

QString normalisedNumberText(const QString& text, const QLocale& locale)
{
    QString t = text;
    if (!locale.groupSeparator().isEmpty())
        t.remove(locale.groupSeparator());
    const QString symbol = locale.currencySymbol();
    if (!symbol.isEmpty())
        t.remove(symbol);
    if (locale.decimalPoint() != QStringLiteral("."))
        t.replace(locale.decimalPoint(), QStringLiteral("."));
    return t;
}

} // namespace

double NumberFromText(const QString& text)
{
    return readLeadingNumber(normalisedNumberText(text, QLocale())).value_or(0.0);
}

std::optional<double> DateFromText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    const QLocale locale;
    QDateTime when;
    for (QLocale::FormatType format : {QLocale::ShortFormat, QLocale::LongFormat, QLocale::NarrowFormat}) {
        when = locale.toDateTime(t, format);
        if (when.isValid())
            break;
        const QDate date = locale.toDate(t, format);
        if (date.isValid()) {
            when = QDateTime(date, QTime(0, 0));
            break;
        }
    }
    if (!when.isValid())
        when = QDateTime::fromString(t, Qt::ISODate);
    if (!when.isValid()) {
        const QDate date = QDate::fromString(t, Qt::ISODate);
        if (date.isValid())
            when = QDateTime(date, QTime(0, 0));
    }
    if (!when.isValid())
        return std::nullopt;
    const double days = static_cast<double>(QDate(1899, 12, 30).daysTo(when.date()));
    const double fraction = when.time().msecsSinceStartOfDay() / 86400000.0;
    return days + fraction;
}

std::optional<double> CurrencyFromText(const QString& text)
{
    const QLocale locale;
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'))) {
        negative = true;
        t = t.mid(1, t.size() - 2);
    }
    t = normalisedNumberText(t, locale).trimmed();
    // The sign may stand before or after the symbol that was removed.
    if (t.startsWith(locale.negativeSign()) || t.startsWith(QLatin1Char('-'))) {
        negative = !negative;
        t = t.mid(1).trimmed();
    }
    const auto value = readLeadingNumber(t);
    if (!value)
        return std::nullopt;
    return negative ? -*value : *value;
}

} // namespace gridctrl
