#pragma once
// Checks the result of one optimization target against the rules that every
// layout must keep, independently of how the optimizer built it. It works on
// plain records (lengths in counts of 1/16384 inch, the optimizer's scale) so
// that tests can hand it made-up layouts and the benchmark tool can hand it
// real ones. Every rule allows the optimizer's tolerance of 2 counts.
//
// Coordinates are those of the optimizer's placed parts: x (left, right) runs
// along the sheet's length, y (top, bottom) along its width; an unturned copy
// is its part's length along x and its width along y.

#include <cstdint>
#include <string>
#include <vector>

namespace nestcheck {

constexpr std::int64_t kTolerance = 2; // counts

struct CheckRect
{
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
};

struct CheckStock
{
    std::int64_t usableWidth = 0;  // trimmed
    std::int64_t usableLength = 0; // trimmed
    bool unlimited = false;
    std::uint32_t available = 0;
    bool buyMore = false;
};

struct CheckPart
{
    std::int32_t number = 0;
    std::int64_t width = 0;
    std::int64_t length = 0;
    std::uint32_t copies = 0;
    std::int32_t orientation = 0; // 0 either way, 1 never turned, 2 always turned
    // What the optimizer reported for the part.
    std::uint32_t reportedPlaced = 0;
    std::uint32_t skipReason = 0;
};

struct CheckCopy
{
    std::size_t part = 0; // index into CheckRun::parts
    CheckRect rect;
    bool rotated = false;
};

struct CheckSheet
{
    std::size_t stock = 0; // index into CheckRun::stocks
    std::vector<CheckCopy> copies;
};

struct CheckRun
{
    std::int64_t kerf = 0;
    std::vector<CheckStock> stocks;
    std::vector<CheckPart> parts;
    std::vector<CheckSheet> sheets; // one per sheet cut (duplicates included)
};

enum class ViolationKind
{
    BadReference,     // a sheet or copy names a stock or part that does not exist
    WrongSize,        // a copy's rectangle is not its part's size
    OutsideSheet,     // a copy reaches beyond the usable sheet
    Overlap,          // two copies overlap
    TooClose,         // two copies are closer than one kerf
    NotGuillotine,    // the copies of a sheet cannot be separated by straight through cuts
    WrongOrientation, // a copy lies against its part's orientation rule
    OverPlaced,       // more copies placed than the part has
    MissingSkipReason, // copies left unplaced without a reason
    PlacedCountMismatch, // the layouts and the reported count disagree
    OverInventory,    // a stock used beyond its count although it may not be bought
    SkippedWithRoom,  // copies left unplaced although a stock with sheets to spare holds the part
};

struct Violation
{
    ViolationKind kind;
    std::string message;
};

const char* ToString(ViolationKind kind);

std::vector<Violation> ValidateLayouts(const CheckRun& run);

} // namespace nestcheck
