#include "foundation/DimensionToken.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

enum class NumberStatus { Ok, Nothing, Range };

// Reads a decimal real number at pos (leading spaces, sign, digits, one
// point, exponent) as the C runtime's conversion does, but never "inf",
// "nan" or hexadecimal forms. On success pos is past the number and
// `consumed` holds its text.
NumberStatus readNumber(const QString& text, qsizetype& pos, double& value, QString& consumed)
{
    qsizetype i = pos;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0) {
        value = 0.0;
        return NumberStatus::Nothing;
    }
    if (i < text.size() && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < text.size() && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    consumed = text.mid(start, i - start);
    std::string ascii = consumed.toStdString();
    const bool negative = ascii.front() == '-';
    if (ascii.front() == '+' || ascii.front() == '-')
        ascii.erase(0, 1);
    double magnitude = 0.0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), magnitude);
    pos = i;
    if (result.ec == std::errc::result_out_of_range || !std::isfinite(magnitude))
        return NumberStatus::Range;
    value = negative ? -magnitude : magnitude;
    return NumberStatus::Ok;
}

bool isZero(double v)
{
    return std::fpclassify(v) == FP_ZERO;
}

bool isM(QChar c)
{
    return c == QLatin1Char('m') || c == QLatin1Char('M');
}

} // namespace

void DimensionToken::Parse(const QString& text, qsizetype& pos)
{
    *this = DimensionToken();
    qsizetype i = pos;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    if (i >= text.size()) {
        empty = true;
        return;
    }

    auto fail = [this] { valid = false; };

    QString numberText;
    const NumberStatus status = readNumber(text, i, value, numberText);
    if (status == NumberStatus::Range)
        return fail();
    // Nothing could be read: only a number text starting with the digit 0
    // may read as zero.
    if (status == NumberStatus::Nothing || (isZero(value) && !numberText.startsWith(QLatin1Char('0'))))
        return fail();

    if (i < text.size() && text[i] == QLatin1Char('/')) {
        ++i;
        double denominator = 0.0;
        QString denominatorText;
        const NumberStatus d = readNumber(text, i, denominator, denominatorText);
        if (d == NumberStatus::Range || !(denominator > 0.0) || !(value < denominator))
            return fail();
        value /= denominator;
        fraction = true;
        numberText += denominatorText;
    }

    const auto points = numberText.count(QLatin1Char('.'));
    if ((fraction && points > 0) || points > 1)
        return fail();
    decimalPoint = points == 1;

    while (i < text.size() && isSpace(text[i]))
        ++i;
    if (i < text.size()) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (c == QLatin1Char('\'')) {
            feet = true;
            ++i;
        } else if (c == QLatin1Char('"')) {
            inches = true;
            ++i;
        } else if (c == QLatin1Char('i') && next == QLatin1Char('n')) {
            inches = true;
            i += 2;
        } else if ((c == QLatin1Char('c') || c == QLatin1Char('C')) && isM(next)) {
            cm = true;
            i += 2;
        } else if (isM(c) && isM(next)) {
            mm = true;
            i += 2;
        } else if (isM(c)) {
            metre = true;
            ++i;
        }
    }
    if (fraction && IsMetric())
        return fail();
    pos = i;
}
