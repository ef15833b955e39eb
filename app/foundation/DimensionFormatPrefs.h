#pragma once

#include <functional>

class UserPrefsBase;

// Hands the stored number and length formats to the formatters at start-up.
// The part-number formatter lives in the data model, which registers how it
// takes the "Part Number Style".
void ApplyDimensionFormats(const UserPrefsBase& prefs);

using PartNumberStyleReceiver = std::function<void(int style)>;
void SetPartNumberStyleReceiver(PartNumberStyleReceiver receiver);
