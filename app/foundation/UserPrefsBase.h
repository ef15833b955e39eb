#pragma once

#include <QString>

struct PrintSettings; // the print settings record, defined with the preferences store

// Preference ids read outside the store. Ranges by type: 1000-1999 text,
// 2000-2999 flags, 3000-3999 integers, 4000-4999 reals.
namespace PrefId {
constexpr int DisplayWxL = 2007; // "Regional Settings" / "Display WxL"
constexpr int HideDimensionUnits = 2009; // "Numbers and Dimensions" / "Hide Dimension Units"
constexpr int ProRateCosts = 2026; // "Pick List Options" / "Pro-Rate Costs"
constexpr int AbbreviatedHeaders = 2037; // "Grid Options" / "Abbreviated Headers"
constexpr int CadStyle = 2095; // "Numbers and Dimensions" / "CAD Style"
constexpr int PartNumberStyle = 3015; // "Numbers and Dimensions" / "Part Number Style"
constexpr int DimensionsStyle = 3016; // "Numbers and Dimensions" / "Dimensions Style"
constexpr int DimensionsPrecision = 3017; // "Numbers and Dimensions" / "Dimensions Precision"
constexpr int DimensionsDecimals = 3018; // "Numbers and Dimensions" / "Dimensions Decimals"
constexpr int DimensionAlignment = 3021; // "Numbers and Dimensions" / "Dimension Alignment"
constexpr int AreaUnits = 3050; // "Reports" / "Area Units"
constexpr int LinealUnits = 3051; // "Reports" / "Lineal Units"
} // namespace PrefId

// Every preference by numeric id. An id that was never registered reads as
// the empty text, false, 0 or 0.0.
class UserPrefsBase
{
public:
    virtual ~UserPrefsBase() = default;

    virtual bool IsNewPrefsFile() const = 0;
    virtual QString GetString(int id) const = 0;
    virtual bool GetFlag(int id) const = 0;
    virtual int GetInt(int id) const = 0;
    virtual double GetReal(int id) const = 0;
    virtual void SetReal(int id, double value) = 0;
    virtual void SetString(int id, const QString& value) = 0;
    virtual void SetFlag(int id, bool value) = 0;
    virtual void SetInt(int id, int value) = 0;
    virtual void ToggleFlag(int id) = 0;
    virtual const PrintSettings& GetPrintSettings() const = 0;
    virtual void SetPrintSettings(const PrintSettings& settings) = 0;
    virtual void ResetPageSetup() = 0;
    virtual bool IsMetricDimensions() const = 0;
    virtual bool DeletePrefsFile() = 0;
};

// The one preferences object; null until the program (or a test) installs one.
UserPrefsBase* GetUserPrefs();
// Installs prefs as the one preferences object and takes it over; the
// previous one is destroyed unless it is the same object.
void SetUserPrefs(UserPrefsBase* prefs);
