#include "model/ParseFieldRow.h"

#include "model/ModelStrings.h"

#include <cmath>
#include <limits>

void ParseFieldRow::ClearFields()
{
    m_fields.clear();
    m_extraFields.clear();
}

namespace {

CParseField TextField(const QString& text, int column)
{
    CParseField field;
    field.SetText(text);
    field.SetColumn(column);
    return field;
}

// Leading blanks and a sign, then digits up to the first other character.
std::int64_t LeadingInteger(const QString& text)
{
    int pos = 0;
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 10 - 9;
    for (; pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128; ++pos) {
        if (value > limit)
            break; // keep a runaway digit string from overflowing
        value = value * 10 + (text[pos].unicode() - u'0');
    }
    return negative ? -value : value;
}

template <typename T>
T TruncatedNumber(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double truncated = std::trunc(value);
    if (truncated >= static_cast<double>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    if (truncated <= static_cast<double>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    return static_cast<T>(truncated);
}

} // namespace

void AppendTwoFieldRow(ParseFieldRows& rows, const QString& first, const QString& second)
{
    ParseFieldRow row;
    row.AppendField(TextField(first, 0));
    row.AppendField(TextField(second, 1));
    rows.push_back(std::move(row));
}

void AppendSingleFieldRow(ParseFieldRows& rows, const QString& text)
{
    ParseFieldRow row;
    row.AppendField(TextField(text, 0));
    rows.push_back(std::move(row));
}

int ParseFieldToInt(const CParseField& field)
{
    if (field.HasNumber())
        return TruncatedNumber<int>(field.GetNumber());
    const std::int64_t value = LeadingInteger(field.GetText());
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

std::int64_t ParseFieldToLong(const CParseField& field)
{
    if (field.HasNumber())
        return TruncatedNumber<std::int64_t>(field.GetNumber());
    return LeadingInteger(field.GetText());
}

bool ParseFieldToBool(const CParseField& field)
{
    if (field.HasNumber())
        return field.GetNumber() < 0.0 || field.GetNumber() > 0.0;
    const QString& text = field.GetText();
    const auto is = [&text](const QString& word) { return text.compare(word, Qt::CaseInsensitive) == 0; };
    return is(QStringLiteral("yes")) || is(UiText(kStrYes)) || is(QStringLiteral("true"))
        || is(QStringLiteral("ok")) || text == QStringLiteral("1") || text == QStringLiteral("-1");
}
