#include "foundation/LocaleFormat.h"

#include "foundation/SessionLog.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>

namespace {

// Adds one to the decimal digits in `digits` (most significant first).
void incrementDigits(QString& digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == QLatin1Char('9')) {
            digits[i] = QLatin1Char('0');
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
            return;
        }
    }
    digits.prepend(QLatin1Char('1'));
}

} // namespace

QString FormatLocaleNumber(double x, int decimals, bool grouping)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%f", x);
    if (!std::isfinite(x)) {
        SessionLog::Instance().Write(SessionLog::Error,
            QStringLiteral("::GetNumberFormat failed with code %1 and input %2")
                .arg(0)
                .arg(QString::fromLatin1(buffer)));
        return QString();
    }
    decimals = qBound(0, decimals, 9);
    QString text = QString::fromLatin1(buffer);
    bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        text.remove(0, 1);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    QString whole = text.left(point);
    QString fraction = text.mid(point + 1);

    // Round the printed text, as the locale formatting of a number text does.
    if (fraction.size() > decimals) {
        const bool up = fraction[decimals] >= QLatin1Char('5');
        fraction.truncate(decimals);
        if (up) {
            QString digits = whole + fraction;
            incrementDigits(digits);
            whole = digits.left(digits.size() - decimals);
            fraction = digits.right(decimals);
        }
    }
    while (fraction.size() < decimals)
        fraction.append(QLatin1Char('0'));

    const QLocale locale;
    if (grouping && whole.size() > 3) {
        const QString separator = locale.groupSeparator();
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, separator);
    }
    // No "-0.00".
    if (negative && !(whole + fraction).contains(QRegularExpression(QStringLiteral("[1-9]"))))
        negative = false;

    QString result = whole;
    if (decimals > 0)
        result += locale.decimalPoint() + fraction;
    if (negative)
        result.prepend(locale.negativeSign());
    return result;
}

QString FormatPercent(double x, int decimals)
{
    return FormatLocaleNumber(x, decimals, false) + QLatin1Char('%');
}

QString FormatInteger(int n)
{
    return FormatLocaleNumber(n, 0, true);
}

QString FormatOptionalInteger(std::optional<int> n)
{
    return n ? FormatInteger(*n) : GetPlaceholderText();
}

QString FormatCurrentDate()
{
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
}

QString GetPlaceholderText()
{
    return QStringLiteral("*");
}
