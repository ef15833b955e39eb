#include "output/print/PrintPrefs.h"

#include "foundation/UserPrefsBase.h"

#include <stdexcept>

UserPrefsBase& PrintPrefs()
{
    UserPrefsBase* prefs = GetUserPrefs();
    if (!prefs)
        throw std::logic_error("printing needs the preferences store");
    return *prefs;
}

float PrintPrefPoints(int preference)
{
    return static_cast<float>(PrintPrefs().GetInt(preference)) / 10.0F;
}
