#pragma once
// The preferences the painters read at every pass, by id, and reading them
// when no preferences object is installed yet (the registered defaults are
// then unknown: flags read off, numbers read their given fallback).

#include "foundation/UserPrefsBase.h"

#include <QString>

namespace LayoutPref {
constexpr int DiagramFace = 1009; // text
constexpr int ShowPartIds = 2027;
constexpr int Stretch = 2028;
constexpr int ShowDimensions = 2029;
constexpr int HideLayoutDupes = 2034;
constexpr int ShowGrain = 2093;
constexpr int ShowUserInfo = 2106;
constexpr int ShowPartDescriptions = 2108;
constexpr int ShowSubAssemblies = 2109;
constexpr int OriginBottomLeft = 2118;
constexpr int ShowOuterDims = 2125;
constexpr int RotateSliceDims = 2131;
constexpr int ShowOffsets = 2132;
constexpr int SmallPartsHeight = 3004; // tenths of a point
constexpr int NormalPartColor = 3005; // 0x00BBGGRR
constexpr int NormalPartPattern = 3006; // 65535 solid, -1 white, else a hatch
constexpr int SelectedPartColor = 3007;
constexpr int SelectedPartPattern = 3008;
constexpr int ScreenWasteColor = 3011;
constexpr int ScreenWastePattern = 3012;
constexpr int ExLargeDiagramHeight = 3058; // tenths of a point
constexpr int BoldPartColor = 3060;
constexpr int MinSliceDisplayDim = 4019; // inches

constexpr int SolidPattern = 65535;
constexpr int WhitePattern = -1;
} // namespace LayoutPref

inline bool LayoutPrefFlag(int id)
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs && prefs->GetFlag(id);
}

inline int LayoutPrefInt(int id, int fallback)
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs ? prefs->GetInt(id) : fallback;
}

inline double LayoutPrefReal(int id, double fallback)
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs ? prefs->GetReal(id) : fallback;
}

// An empty stored text reads as the fallback too.
inline QString LayoutPrefText(int id, const QString& fallback)
{
    const UserPrefsBase* prefs = GetUserPrefs();
    const QString text = prefs ? prefs->GetString(id) : QString();
    return text.isEmpty() ? fallback : text;
}
