#include "foundation/ReportUnits.h"

#include "foundation/LocaleFormat.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"
#include "foundation/UserPrefsBase.h"

namespace {

int preferredUnit(int id)
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs ? prefs->GetInt(id) : 1; // both preferences default to 1
}

} // namespace

double ConvertLinealInches(int unit, double inches)
{
    switch (unit) {
    case LinealMeters:
        return inches / 39.3700787;
    case LinealFeet:
        return inches / 12.0;
    case LinealYards:
        return inches / 36.0;
    case LinealInches:
        return inches;
    default:
        return 0.0;
    }
}

QString GetLinealUnitName(int unit)
{
    switch (unit) {
    case LinealFeet:
        return LoadUIString(UIStringId::Feet);
    case LinealYards:
        return LoadUIString(UIStringId::Yards);
    case LinealInches:
        return LoadUIString(UIStringId::Inches);
    default:
        return LoadUIString(UIStringId::Meters);
    }
}

int ParseLinealUnitName(const QString& text)
{
    const int units[] = { LinealMeters, LinealFeet, LinealYards, LinealInches };
    for (int unit : units)
        if (text == GetLinealUnitName(unit))
            return unit;
    return LinealMeters;
}

QString GetAreaUnitName(int unit)
{
    switch (unit) {
    case AreaSquareInches:
        return LoadUIString(UIStringId::SquareInches);
    case AreaSquareFeet:
        return LoadUIString(UIStringId::SquareFeet);
    default:
        return LoadUIString(UIStringId::SquareMeters);
    }
}

int ParseAreaUnitName(const QString& text)
{
    if (text == LoadUIString(UIStringId::SquareInches))
        return AreaSquareInches;
    if (text == LoadUIString(UIStringId::SquareFeet))
        return AreaSquareFeet;
    return AreaSquareMeters;
}

QString GetLinealUnitAbbreviation()
{
    switch (preferredUnit(PrefId::LinealUnits)) {
    case LinealMeters:
        return LoadUIString(UIStringId::AbbrMeters);
    case LinealFeet:
        return LoadUIString(UIStringId::AbbrFeet);
    case LinealYards:
        return LoadUIString(UIStringId::AbbrYards);
    default:
        return LoadUIString(UIStringId::AbbrInches);
    }
}

QString GetAreaUnitAbbreviation()
{
    switch (preferredUnit(PrefId::AreaUnits)) {
    case AreaSquareFeet:
        return LoadUIString(UIStringId::AbbrSquareFeet);
    case AreaSquareMeters:
        return LoadUIString(UIStringId::AbbrSquareMeters);
    default:
        return LoadUIString(UIStringId::AbbrSquareInches);
    }
}

QString FormatLinealLength(double inches)
{
    const double value = ConvertLinealInches(preferredUnit(PrefId::LinealUnits), inches);
    return FormatLocaleNumber(value, 2, true) + QLatin1Char(' ') + GetLinealUnitAbbreviation();
}

QString FormatOptionalLinealLength(std::optional<double> inches)
{
    return inches ? FormatLinealLength(*inches) : GetPlaceholderText();
}

QString FormatArea(double squareInches)
{
    double value = squareInches;
    switch (preferredUnit(PrefId::AreaUnits)) {
    case AreaSquareFeet:
        value = squareInches / 144.0;
        break;
    case AreaSquareMeters:
        value = squareInches / 1550.0;
        break;
    default:
        break;
    }
    return FormatLocaleNumber(value, 2, true) + QLatin1Char(' ') + GetAreaUnitAbbreviation();
}
