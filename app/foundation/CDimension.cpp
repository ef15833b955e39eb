#include "foundation/CDimension.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/DimensionFormatSettings.h"
#include "foundation/DimensionToken.h"
#include "foundation/LocaleFormat.h"
#include "foundation/SchemaVersion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr double InchesPerCm = 0.393700787;
constexpr double InchesPerMm = 0.0393700787;
constexpr double InchesPerMetre = 39.3700787;
constexpr int Denominators[] = { 1, 8, 16, 32, 64 };

const QChar FeetMark = QLatin1Char('\'');
const QChar InchMark = QLatin1Char('"');

bool isZero(double v)
{
    return std::fpclassify(v) == FP_ZERO;
}

// A whole number with no point and no unit mark, not negative unless allowed.
bool isPlainWhole(const DimensionToken& t, bool allowNegative)
{
    return !t.decimalPoint && !t.feet && !t.inches && (allowNegative || !t.IsNegative());
}

bool isNegativeInchFraction(const DimensionToken& t)
{
    return t.IsNegative() && t.fraction && (t.inches || !t.feet);
}

// Recognises "feet decimal-inches" and the hyphenated mixed numbers
// ("3-1/2", "5'6-1/2""), whose fraction was read as negative and is made
// positive here.
bool IsMixedNumberForm(DimensionToken (&t)[3], int n, bool allowNegative)
{
    const bool anyValid = t[0].valid || t[1].valid || t[2].valid;
    const bool anyMetric = t[0].IsMetric() || t[1].IsMetric() || t[2].IsMetric();
    if (!anyValid || anyMetric || n < 2)
        return false;
    if (t[0].feet && !t[0].decimalPoint && t[1].decimalPoint)
        return !t[0].IsNegative() && !t[1].IsNegative() && !t[1].feet;
    if (n == 2) {
        if (!isPlainWhole(t[0], allowNegative) || !isNegativeInchFraction(t[1]))
            return false;
        t[1].value = -t[1].value;
        return true;
    }
    if (!allowNegative && t[0].IsNegative())
        return false;
    if (!t[0].feet || !isPlainWhole(t[1], false) || !isNegativeInchFraction(t[2]))
        return false;
    t[2].value = -t[2].value;
    return true;
}

bool AreTokensValid(const DimensionToken (&t)[3], int n, bool mixed, bool allowNegative)
{
    if (!t[0].valid && !t[1].valid && !t[2].valid)
        return false;
    if (t[1].IsNegative() || t[2].IsNegative() || (!allowNegative && t[0].IsNegative()))
        return false;
    if (t[2].feet)
        return false;
    if (t[1].feet && (t[0].inches || t[0].feet || !t[1].fraction))
        return false;
    if ((t[0].fraction && n != 1) || (t[1].fraction && n != 2))
        return false;
    if (n == 3 && !mixed) {
        if (!t[0].feet || t[1].inches || !t[2].fraction || !t[2].inches)
            return false;
    }
    if (n == 2) {
        if (!mixed && t[0].feet && t[1].feet)
            return false;
        if (t[0].inches || !(t[0].feet || t[1].fraction))
            return false;
    }
    if (!mixed && n > 1 && (t[0].decimalPoint || t[1].decimalPoint || t[2].decimalPoint))
        return false;
    if (n < 1 || n > 3)
        return false;
    if (t[1].IsMetric() || t[2].IsMetric() || (t[0].IsMetric() && n != 1))
        return false;
    if (n > 1) {
        bool marks = false;
        for (const auto& token : t)
            marks = marks || token.feet || token.inches;
        if (!marks && GetMetricParseUnit() != 0)
            return false;
    }
    return true;
}

QString number(double x, int decimals)
{
    return FormatLocaleNumber(x, decimals, false);
}

QString FormatFractionalInches(double x, int precision, bool hyphen, bool hideUnits)
{
    QString text;
    if (x < 0.0) {
        text = QStringLiteral("-");
        x = -x;
    }
    const double whole = std::floor(x);
    const double fraction = x - whole;
    if (isZero(fraction)) {
        text += number(whole, 0);
    } else {
        int d = Denominators[qBound(0, precision, 4)];
        int k = static_cast<int>(std::floor(fraction * d + 0.5));
        if (k == d) {
            text += number(whole + 1, 0);
        } else if (k == 0) {
            text += number(whole, 0);
        } else {
            while (k % 2 == 0) {
                k /= 2;
                d /= 2;
            }
            if (isZero(whole) && !hyphen)
                text += QStringLiteral("%1/%2").arg(k).arg(d);
            else
                text += QStringLiteral("%1%2%3/%4")
                            .arg(number(whole, 0), hyphen ? QStringLiteral("-") : QStringLiteral(" "))
                            .arg(k)
                            .arg(d);
        }
    }
    if (!hideUnits)
        text += InchMark;
    return text;
}

// Whole feet of x, toward zero. Kept as a real: a length built from any
// number of inches must format without an out-of-range conversion to int.
double wholeFeet(double x)
{
    return std::trunc(std::trunc(x) / 12.0);
}

QString feetText(double feet)
{
    return FormatLocaleNumber(feet, 0, true) + FeetMark;
}

QString FormatFeetInches(double x, int precision, bool hideUnits)
{
    double feet = std::fabs(wholeFeet(x));
    const double rest = std::fabs(x) - 12.0 * feet;
    QString s = FormatFractionalInches(rest, precision, false, hideUnits);
    if (s.startsWith(QLatin1String("12"))) {
        s.clear();
        ++feet;
    } else if (s.startsWith(QLatin1Char('0')) && !isZero(feet)) {
        s.clear();
    }
    QString text;
    if (!isZero(feet)) {
        text = feetText(feet);
        if (!s.isEmpty())
            text += QLatin1Char(' ');
    }
    text += s;
    return x < 0.0 ? QLatin1Char('-') + text : text;
}

QString FormatFeetInchesCad(double x, int precision, bool hideUnits)
{
    double feet = std::fabs(wholeFeet(x));
    const double rest = std::fabs(x) - 12.0 * feet;
    QString s = FormatFractionalInches(rest, precision, true, hideUnits);
    if (s.startsWith(QLatin1String("12"))) {
        s = QStringLiteral("0");
        if (!hideUnits)
            s += InchMark;
        ++feet;
    }
    QString text;
    if (!isZero(feet))
        text = feetText(feet);
    text += s;
    return x < 0.0 ? QLatin1Char('-') + text : text;
}

QString FormatFeetDecimalInches(double x, int decimals, bool hideUnits)
{
    double feet = wholeFeet(x);
    double rest = x - 12.0 * feet;
    if (12.0 - rest < CDimension::InchesPerUnit) {
        ++feet;
        rest = 0.0;
    }
    QString text = feetText(feet) + number(rest, decimals);
    if (!hideUnits)
        text += InchMark;
    return text;
}

} // namespace

std::int32_t InchesToUnits(double inches)
{
    // Out-of-range or non-numbers never reach the cast, whose result would be undefined.
    const double units = std::trunc(inches * CDimension::UnitsPerInch + 0.5);
    if (!(units >= std::numeric_limits<std::int32_t>::min()))
        return std::isnan(units) ? 0 : std::numeric_limits<std::int32_t>::min();
    if (units > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(units);
}

CDimension CDimension::FromUnits(std::int32_t units)
{
    CDimension d;
    d.m_units = units;
    d.m_inchesValid = false;
    return d;
}

CDimension CDimension::FromInches(double inches)
{
    CDimension d;
    d.SetFromInches(inches);
    return d;
}

void CDimension::SetFromInches(double inches)
{
    m_valid = true;
    m_units = InchesToUnits(inches);
    m_inches = inches;
    m_inchesValid = true;
    m_overflow = false;
}

CDimension::CDimension(const QString& text, bool allowZero, bool allowNegative)
{
    Parse(text, allowZero, allowNegative);
}

const CDimension& CDimension::Zero()
{
    static const CDimension zero;
    return zero;
}

const CDimension& CDimension::Max()
{
    static const CDimension max = FromInches(MaxInches);
    return max;
}

double CDimension::GetInches() const
{
    if (!m_inchesValid) {
        m_inches = m_units * InchesPerUnit;
        m_inchesValid = true;
    }
    return m_inches;
}

bool CDimension::ApproxEqual(const CDimension& a, const CDimension& b)
{
    return std::llabs(static_cast<long long>(a.m_units) - b.m_units) <= Tolerance;
}

bool CDimension::ApproxEqualCoarse(const CDimension& a, const CDimension& b)
{
    return std::llabs(static_cast<long long>(a.m_units) - b.m_units) <= CoarseTolerance;
}

bool CDimension::LessWithTolerance(const CDimension& a, const CDimension& b)
{
    return static_cast<long long>(a.m_units) + Tolerance < b.m_units;
}

bool CDimension::IsLessCoarse(const CDimension& a, const CDimension& b)
{
    return static_cast<long long>(a.m_units) + CoarseTolerance < b.m_units;
}

void CDimension::Subtract(const CDimension& other)
{
    m_units -= other.m_units;
    m_inchesValid = false;
}

CDimension CDimension::MultiplySaturating(int factor) const
{
    const long long product = static_cast<long long>(m_units) * factor;
    if (factor >= 0 && product <= MaxUnits && product >= std::numeric_limits<std::int32_t>::min()
        && !(m_units > 0 && product < 0))
        return FromUnits(static_cast<std::int32_t>(product));
    CDimension max = Max();
    max.m_overflow = true;
    return max;
}

void CDimension::Parse(const QString& input, bool allowZero, bool allowNegative)
{
    m_units = 0;
    m_inches = 0.0;
    m_inchesValid = true;
    m_overflow = false;
    m_valid = false;

    QString text = input.isEmpty() ? QStringLiteral("0") : input;
    if (text.count(QLatin1Char(',')) >= 2)
        return;
    text.replace(QLatin1Char(','), QLatin1Char('.'));

    DimensionToken t[3];
    qsizetype pos = 0;
    int n = 0;
    for (auto& token : t) {
        token.Parse(text, pos);
        if (!token.empty)
            ++n;
    }
    const bool mixed = IsMixedNumberForm(t, n, allowNegative);
    if (!AreTokensValid(t, n, mixed, allowNegative))
        return;

    // A leading minus sign negates the whole length ("-3 1/2" is -3.5, not
    // -3 + 1/2), so that a negative length's own display text reads back as
    // the same length. The later tokens are never negative here.
    const double sign = t[0].IsNegative() ? -1.0 : 1.0;
    const double first = std::fabs(t[0].value);
    const bool bare = n == 1 && !t[0].feet && !t[0].inches;
    const int style = GetDimensionFormatSettings().style;
    double inches = 0.0;
    // A unit the user typed wins over the unit of the display style.
    if (t[0].cm)
        inches = first * InchesPerCm;
    else if (t[0].mm)
        inches = first * InchesPerMm;
    else if (t[0].metre)
        inches = first * InchesPerMetre;
    else if (bare && style == DimensionFormatSettings::Centimetres)
        inches = first * InchesPerCm;
    else if (bare && style == DimensionFormatSettings::Millimetres)
        inches = first * InchesPerMm;
    else if (!t[0].feet)
        inches = (first + t[1].value) * (t[1].feet ? 12.0 : 1.0);
    else
        inches = first * 12.0 + t[1].value + t[2].value;
    inches *= sign;

    if (!(std::fabs(inches) <= MaxInches)) // also refuses a negative beyond the range
        return;
    m_inches = inches;
    m_units = InchesToUnits(inches);
    m_valid = allowZero || m_units != 0;
}

QString CDimension::FormatDimension(int style, int precision, int decimals) const
{
    const DimensionFormatSettings& s = GetDimensionFormatSettings();
    return FormatDimensionAs(style == 0 ? s.style : style, precision == 0 ? s.precision : precision,
        decimals == -1 ? s.decimals : decimals, s.hideUnits, s.cadStyle);
}

QString CDimension::FormatDimensionAs(
    int style, int precision, int decimals, bool hideUnits, bool cadStyle) const
{
    const double x = GetInches();
    switch (style) {
    case DimensionFormatSettings::FractionalInches:
        return FormatFractionalInches(x, precision, false, hideUnits);
    case DimensionFormatSettings::FeetInches:
        return cadStyle ? FormatFeetInchesCad(x, precision, hideUnits)
                        : FormatFeetInches(x, precision, hideUnits);
    case DimensionFormatSettings::DecimalInches:
        if (cadStyle)
            return FormatFeetDecimalInches(x, decimals, hideUnits);
        return number(x, decimals) + (hideUnits ? QString() : QString(InchMark));
    case DimensionFormatSettings::Centimetres:
        return number(x / InchesPerCm, decimals) + (hideUnits ? QString() : QStringLiteral("cm"));
    case DimensionFormatSettings::Millimetres:
        return number(x / InchesPerMm, decimals) + (hideUnits ? QString() : QStringLiteral("mm"));
    default:
        return QString();
    }
}

bool CDimension::ToField(CParseField& field, unsigned flags) const
{
    if (flags & CParseField::TextSet)
        field.SetText(FormatDimension());
    if (flags & CParseField::NumberSet)
        field.SetNumber(GetInches());
    return true;
}

bool CDimension::FromField(const CParseField& field)
{
    return ParseField(field, false, false);
}

bool CDimension::ParseField(const CParseField& field, bool allowZero, bool allowNegative)
{
    if (field.HasNumber()) {
        const double lowest = allowNegative ? -MaxInches : allowZero ? 0.0 : InchesPerUnit;
        const double value = field.GetNumber();
        if (!(value >= lowest && value <= MaxInches))
            return false;
        SetFromInches(value);
        return true;
    }
    if (field.HasText()) {
        QString text = field.GetText();
        text.remove(QLatin1Char('~'));
        const CDimension parsed(text, allowZero, allowNegative);
        if (!parsed.IsValid())
            return false;
        *this = parsed;
        return true;
    }
    return true;
}

void CDimension::Serialize(ArchiveWrapper& ar)
{
    ar.BeginSection("CDimension", 2);
    if (!ar.IsSkipping()) {
        if (ar.IsStoring())
            ar << std::int32_t(2) << m_units;
        else
            LoadLegacy(ar);
    }
    ar.EndSection("CDimension");
}

void CDimension::LoadLegacy(ArchiveWrapper& ar)
{
    const std::uint32_t generation = ar.GetDataVersion() & 0x7FFFFFFFu;
    std::int32_t count = 0;
    if (generation >= 6) {
        std::int32_t version = 0;
        ar >> version;
        if (version != 1 && version != 2)
            ThrowBadSchema(ar);
        ar >> count;
        // Old counts of 1/256 inch; kept within the range so the scale-up cannot wrap.
        if (version == 1)
            count = static_cast<std::int32_t>(std::clamp<long long>(64LL * count, -MaxUnits, MaxUnits));
    } else if (generation >= 1 && generation <= 3) {
        double inches = 0.0;
        ar >> inches;
        if (!std::isfinite(inches))
            inches = 0.0;
        SetFromInches(qBound(-MaxInches, inches, MaxInches));
        return;
    } else {
        ar >> count;
        count = static_cast<std::int32_t>(std::clamp<long long>(128LL * count, -MaxUnits, MaxUnits));
    }
    m_valid = true;
    m_units = count;
    m_inchesValid = false;
    m_overflow = false;
}

int ParseDimensionInRange(
    const QString& text, CDimension& target, bool allowZero, double maxInches, bool allowNegative)
{
    const CDimension parsed(text, allowZero, allowNegative);
    if (!parsed.IsValid() || parsed.GetInches() > maxInches)
        return 1;
    if (CDimension::ApproxEqual(parsed, target))
        return 2;
    target = parsed;
    return 0;
}

int ParseCountInRange(const QString& text, int& target, int maximum, bool allowNegative)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    long long value = 0;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
        value = value * 10 + (text[i++].unicode() - '0');
        if (value > std::numeric_limits<int>::max())
            return 1; // far above any maximum
    }
    if (negative)
        value = -value;
    if ((value < 0 && !allowNegative) || value > maximum)
        return 1;
    target = static_cast<int>(value);
    return 0;
}

bool SizeKeyEquals(const std::int32_t (&a)[3], const std::int32_t (&b)[3])
{
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}
