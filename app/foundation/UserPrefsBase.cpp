#include "foundation/UserPrefsBase.h"

namespace {
UserPrefsBase* g_userPrefs = nullptr;
}

UserPrefsBase* GetUserPrefs()
{
    return g_userPrefs;
}

void SetUserPrefs(UserPrefsBase* prefs)
{
    if (prefs == g_userPrefs)
        return;
    delete g_userPrefs;
    g_userPrefs = prefs;
}
