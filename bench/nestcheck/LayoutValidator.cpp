#include "LayoutValidator.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace nestcheck {

namespace {

std::string Describe(const CheckRun& run, const CheckCopy& c)
{
    std::string s = "part ";
    s += c.part < run.parts.size() ? std::to_string(run.parts[c.part].number) : std::string("?");
    s += " at (" + std::to_string(c.rect.left) + ", " + std::to_string(c.rect.top) + ")-(" +
         std::to_string(c.rect.right) + ", " + std::to_string(c.rect.bottom) + ")";
    return s;
}

bool Near(std::int64_t a, std::int64_t b)
{
    return std::llabs(a - b) <= kTolerance;
}

// Copies that straddle no full cut line at a time are split off into two
// groups until every group holds one copy; a group that no straight cut
// separates makes the sheet impossible to cut with through cuts. A cut takes
// a kerf's width, so the line between the groups must leave that much room.
bool CanGuillotine(const std::vector<CheckRect>& rects, std::int64_t kerf)
{
    std::vector<std::vector<std::size_t>> pending;
    std::vector<std::size_t> all(rects.size());
    std::iota(all.begin(), all.end(), 0);
    pending.push_back(std::move(all));
    while (!pending.empty()) {
        std::vector<std::size_t> group = std::move(pending.back());
        pending.pop_back();
        if (group.size() <= 1)
            continue;
        bool split = false;
        for (int axis = 0; axis < 2 && !split; ++axis) {
            auto lo = [&](std::size_t i) { return axis == 0 ? rects[i].left : rects[i].top; };
            auto hi = [&](std::size_t i) { return axis == 0 ? rects[i].right : rects[i].bottom; };
            std::sort(group.begin(), group.end(), [&](std::size_t a, std::size_t b) {
                return lo(a) != lo(b) ? lo(a) < lo(b) : a < b;
            });
            std::int64_t reach = hi(group[0]);
            for (std::size_t k = 1; k < group.size(); ++k) {
                if (reach + kerf <= lo(group[k]) + kTolerance) {
                    pending.emplace_back(group.begin(), group.begin() + static_cast<std::ptrdiff_t>(k));
                    pending.emplace_back(group.begin() + static_cast<std::ptrdiff_t>(k), group.end());
                    split = true;
                    break;
                }
                reach = std::max(reach, hi(group[k]));
            }
        }
        if (!split)
            return false;
    }
    return true;
}

void CheckSheetGeometry(const CheckRun& run, std::size_t sheetIndex, std::vector<Violation>& out)
{
    const CheckSheet& sheet = run.sheets[sheetIndex];
    const std::string where = "sheet " + std::to_string(sheetIndex + 1) + ": ";
    const CheckStock& stock = run.stocks[sheet.stock];
    std::vector<CheckRect> rects;
    bool crowded = false; // some pair overlaps or lies closer than a kerf
    for (const CheckCopy& c : sheet.copies) {
        const CheckPart& part = run.parts[c.part];
        const std::int64_t alongX = c.rect.right - c.rect.left;
        const std::int64_t alongY = c.rect.bottom - c.rect.top;
        const std::int64_t wantX = c.rotated ? part.width : part.length;
        const std::int64_t wantY = c.rotated ? part.length : part.width;
        if (!Near(alongX, wantX) || !Near(alongY, wantY))
            out.push_back({ViolationKind::WrongSize, where + Describe(run, c) + " is not the part's size"});
        if (c.rect.left < -kTolerance || c.rect.top < -kTolerance || c.rect.right > stock.usableLength + kTolerance ||
            c.rect.bottom > stock.usableWidth + kTolerance)
            out.push_back({ViolationKind::OutsideSheet, where + Describe(run, c) + " reaches beyond the usable sheet " +
                                                             std::to_string(stock.usableLength) + " x " +
                                                             std::to_string(stock.usableWidth)});
        if ((part.orientation == 1 && c.rotated) || (part.orientation == 2 && !c.rotated))
            out.push_back({ViolationKind::WrongOrientation,
                           where + Describe(run, c) + (c.rotated ? " is turned" : " is not turned") +
                               " against orientation rule " + std::to_string(part.orientation)});
        rects.push_back(c.rect);
    }
    for (std::size_t a = 0; a < sheet.copies.size(); ++a) {
        for (std::size_t b = a + 1; b < sheet.copies.size(); ++b) {
            const CheckRect& ra = rects[a];
            const CheckRect& rb = rects[b];
            // Gap between the two along each axis; negative when they overlap there.
            const std::int64_t gapX = std::max(rb.left - ra.right, ra.left - rb.right);
            const std::int64_t gapY = std::max(rb.top - ra.bottom, ra.top - rb.bottom);
            if (gapX >= run.kerf - kTolerance || gapY >= run.kerf - kTolerance)
                continue;
            const bool overlap = gapX < -kTolerance && gapY < -kTolerance;
            crowded = true;
            out.push_back({overlap ? ViolationKind::Overlap : ViolationKind::TooClose,
                           where + Describe(run, sheet.copies[a]) + (overlap ? " overlaps " : " is closer than a kerf to ") +
                               Describe(run, sheet.copies[b])});
        }
    }
    // Copies that overlap or crowd each other are reported as such; no saw
    // cut can part them anyway.
    if (!crowded && !CanGuillotine(rects, run.kerf))
        out.push_back({ViolationKind::NotGuillotine, where + "the copies cannot be separated by through cuts"});
}

// An empty sheet of the stock holds one copy of the part, lying as its
// orientation rule allows.
bool FitsEmptySheet(const CheckPart& part, const CheckStock& stock)
{
    const auto fits = [&](std::int64_t alongX, std::int64_t alongY) {
        return alongX <= stock.usableLength + kTolerance && alongY <= stock.usableWidth + kTolerance;
    };
    return (part.orientation != 2 && fits(part.length, part.width)) ||
           (part.orientation != 1 && fits(part.width, part.length));
}

} // namespace

const char* ToString(ViolationKind kind)
{
    switch (kind) {
    case ViolationKind::BadReference: return "bad reference";
    case ViolationKind::WrongSize: return "wrong size";
    case ViolationKind::OutsideSheet: return "outside sheet";
    case ViolationKind::Overlap: return "overlap";
    case ViolationKind::TooClose: return "too close";
    case ViolationKind::NotGuillotine: return "not guillotine";
    case ViolationKind::WrongOrientation: return "wrong orientation";
    case ViolationKind::OverPlaced: return "over placed";
    case ViolationKind::MissingSkipReason: return "missing skip reason";
    case ViolationKind::PlacedCountMismatch: return "placed count mismatch";
    case ViolationKind::OverInventory: return "over inventory";
    case ViolationKind::SkippedWithRoom: return "skipped with room";
    }
    return "unknown";
}

std::vector<Violation> ValidateLayouts(const CheckRun& run)
{
    std::vector<Violation> out;
    std::vector<std::uint64_t> placed(run.parts.size(), 0);
    std::vector<std::uint64_t> used(run.stocks.size(), 0);
    for (std::size_t s = 0; s < run.sheets.size(); ++s) {
        const CheckSheet& sheet = run.sheets[s];
        bool sound = sheet.stock < run.stocks.size();
        for (const CheckCopy& c : sheet.copies)
            sound = sound && c.part < run.parts.size();
        if (!sound) {
            out.push_back({ViolationKind::BadReference, "sheet " + std::to_string(s + 1) + " names an unknown stock or part"});
            continue;
        }
        ++used[sheet.stock];
        for (const CheckCopy& c : sheet.copies)
            ++placed[c.part];
        CheckSheetGeometry(run, s, out);
    }
    for (std::size_t p = 0; p < run.parts.size(); ++p) {
        const CheckPart& part = run.parts[p];
        const std::string name = "part " + std::to_string(part.number) + ": ";
        if (placed[p] > part.copies)
            out.push_back({ViolationKind::OverPlaced, name + std::to_string(placed[p]) + " copies placed of " +
                                                          std::to_string(part.copies)});
        if (placed[p] != part.reportedPlaced)
            out.push_back({ViolationKind::PlacedCountMismatch, name + std::to_string(placed[p]) +
                                                                   " copies on the sheets, " +
                                                                   std::to_string(part.reportedPlaced) + " reported"});
        if (part.reportedPlaced < part.copies && part.skipReason == 0)
            out.push_back({ViolationKind::MissingSkipReason,
                           name + std::to_string(part.copies - part.reportedPlaced) + " copies unplaced without a reason"});
    }
    // A copy is only left over when every stock that could hold it is used
    // up: a stock that is unlimited, may be bought or has sheets unused would
    // have taken it on a sheet of its own. (Sheets of unknown stock leave the
    // counts of sheets used unknown.)
    const bool countsKnown = std::none_of(out.begin(), out.end(), [](const Violation& v) {
        return v.kind == ViolationKind::BadReference;
    });
    for (std::size_t p = 0; p < run.parts.size() && countsKnown; ++p) {
        const CheckPart& part = run.parts[p];
        if (placed[p] >= part.copies)
            continue;
        for (std::size_t k = 0; k < run.stocks.size(); ++k) {
            const CheckStock& stock = run.stocks[k];
            if ((stock.unlimited || stock.buyMore || used[k] < stock.available) && FitsEmptySheet(part, stock)) {
                out.push_back({ViolationKind::SkippedWithRoom,
                               "part " + std::to_string(part.number) + ": " + std::to_string(part.copies - placed[p]) +
                                   " copies unplaced although stock " + std::to_string(k + 1) + " has room"});
                break;
            }
        }
    }
    for (std::size_t k = 0; k < run.stocks.size(); ++k) {
        const CheckStock& stock = run.stocks[k];
        if (!stock.unlimited && !stock.buyMore && used[k] > stock.available)
            out.push_back({ViolationKind::OverInventory, "stock " + std::to_string(k + 1) + ": " + std::to_string(used[k]) +
                                                             " sheets used of " + std::to_string(stock.available)});
    }
    return out;
}

} // namespace nestcheck
