#pragma once

#include <span>

// One string resource: section, key and text joined by underscores
// ("Units_AbbrFt_ft"); "\n" and "\t" stand for a line feed and a tab.
struct StringResource
{
    int id;
    const char16_t* text;
};

// The foundation's own strings; every module of the program keeps its own
// table and the start-up hands all of them to the string service.
std::span<const StringResource> FoundationStringResources();

// Ids of the foundation's strings.
namespace UIStringId {
constexpr int AbbrSquareFeet = 77;
constexpr int AbbrSquareInches = 78;
constexpr int AbbrSquareMeters = 79;
constexpr int SquareFeet = 89;
constexpr int SquareMeters = 90;
constexpr int SquareInches = 91;
constexpr int Inches = 141;
constexpr int Feet = 142;
constexpr int Yards = 143;
constexpr int Meters = 144;
constexpr int AbbrInches = 146;
constexpr int AbbrFeet = 147;
constexpr int AbbrYards = 148;
constexpr int AbbrMeters = 149;
constexpr int SessionLogWriteFailed = 331;
constexpr int CantRedoMenu = 4211;
constexpr int CantUndoMenu = 4212;
constexpr int RedoMenu = 4221;
constexpr int UndoMenu = 4222;
constexpr int Cancel = 4539;
constexpr int Help = 4543;
constexpr int Ok = 4549;
} // namespace UIStringId
