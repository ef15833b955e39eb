#pragma once
// The preferences store as printing reads it. Printing never runs before the
// program has installed the store; a missing store is a programming error.

class UserPrefsBase;

UserPrefsBase& PrintPrefs();
