#pragma once

#include <QString>

#include <optional>

// Numbers, percentages and dates in the user's locale (QLocale's default).

// x printed with six decimals, rounded half away from zero to `decimals`
// on that text, then given the locale's decimal point, negative sign and,
// when grouping is on, its thousands separator every three digits.
QString FormatLocaleNumber(double x, int decimals, bool grouping);
// x with `decimals`, no grouping, followed by "%".
QString FormatPercent(double x, int decimals);
// n with the locale's digit grouping.
QString FormatInteger(int n);
QString FormatOptionalInteger(std::optional<int> n);
// Today in the user's short date format.
QString FormatCurrentDate();
// Stands for an absent value: "*".
QString GetPlaceholderText();
