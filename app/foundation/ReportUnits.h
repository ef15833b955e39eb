#pragma once

#include <QString>

#include <optional>

// Units of lineal and area totals in reports, chosen by the "Lineal Units"
// and "Area Units" preferences.
enum LinealUnit { LinealMeters = 0, LinealFeet = 1, LinealYards = 2, LinealInches = 3 };
enum AreaUnit { AreaSquareInches = 0, AreaSquareFeet = 1, AreaSquareMeters = 2 };

// Inches in unit; 0 for an unknown unit.
double ConvertLinealInches(int unit, double inches);
QString GetLinealUnitName(int unit);
// The unit whose full name is text; meters when none matches.
int ParseLinealUnitName(const QString& text);
QString GetAreaUnitName(int unit);
int ParseAreaUnitName(const QString& text);
QString GetLinealUnitAbbreviation();
QString GetAreaUnitAbbreviation();
// In the preferred unit, two decimals with grouping, a space and the unit.
QString FormatLinealLength(double inches);
QString FormatOptionalLinealLength(std::optional<double> inches);
QString FormatArea(double squareInches);
