#pragma once
// Reading numbers, dates and currency amounts from cell texts in the user's
// locale (QLocale's default). Separate from the cell so that the parsers can
// be tested on their own and shared by the editors.

#include <QString>

#include <optional>

namespace gridctrl {

// The longest leading decimal number of the text after the locale's
// thousands separator and currency symbol are removed and its decimal
// separator becomes '.'; 0.0 when nothing is readable.
double NumberFromText(const QString& text);

// A date (and optional time) in the locale's formats, or ISO 8601, as days
// since 30 December 1899 with the time as the fraction; nothing when the
// text is no date.
std::optional<double> DateFromText(const QString& text);

// A currency amount such as "$12.99", "-$3.50" or "($3.50)", cents kept;
// nothing when no number can be read.
std::optional<double> CurrencyFromText(const QString& text);

} // namespace gridctrl
