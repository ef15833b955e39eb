#pragma once
// The preferences store as printing reads it. Printing never runs before the
// program has installed the store; a missing store is a programming error.

class UserPrefsBase;

UserPrefsBase& PrintPrefs();
// A font-size preference (tenths of a point) in points.
float PrintPrefPoints(int preference);

// The preferences printing reads; font sizes are tenths of a point.
namespace PrintPrefId {
constexpr int GridFace = 1008; // "Font Options"
constexpr int DiagramFace = 1009;
constexpr int ProRateCosts = 2026; // "Pick List Options"
constexpr int Stretch = 2028;
constexpr int Gridlines = 2036; // "Grid Options"
constexpr int ShadeRowsForGridlines = 2110;
constexpr int GridHeight = 3002;
constexpr int SmallPartsHeight = 3004;
constexpr int ExLargeDiagramHeight = 3058;
constexpr int BoldDiagramDimsHeight = 3059;
} // namespace PrintPrefId
