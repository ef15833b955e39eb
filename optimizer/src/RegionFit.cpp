#include "RegionFit.h"

#include "OptLayout.h"
#include "OptPartLayout.h"
#include "OptTopLevelLayout.h"

#include <nestcore/PartProxy.h>
#include <nestcore/StockProxy.h>

#include <algorithm>
#include <cstdlib>

namespace optimization {

namespace {

constexpr std::int64_t kEps = OptDim::INTERNAL_EPSILON;

bool Same(std::int64_t a, std::int64_t b)
{
    return std::llabs(a - b) <= kEps;
}

std::int64_t Counts(const OptDim& d)
{
    return d.ToEncodedInt();
}

struct Score {
    std::int32_t value = 0;
    std::uint32_t flags = 0;
};

// Scores the part lying `turned` in the region (higher flags are better).
Score ScoreOrientation(const CFreeRectangle& rect, const PartProxy& part, std::int32_t turned)
{
    const std::int64_t pw = Counts(OptPartLayout::PlacedWidth(part, turned));
    const std::int64_t pl = Counts(OptPartLayout::PlacedLength(part, turned));
    const std::int64_t rw = Counts(rect.width);
    const std::int64_t rl = Counts(rect.length);

    // R1 runs in the region's own cut direction, R2 in the other.
    const std::int64_t size1 = rect.directionFlag ? rw : rl;
    const std::int64_t size2 = rect.directionFlag ? rl : rw;
    const std::int64_t part1 = rect.directionFlag ? pw : pl;
    const std::int64_t part2 = rect.directionFlag ? pl : pw;
    const std::int64_t r1 = size1 - part1;
    const std::int64_t r2 = size2 - part2;

    Score score;
    bool acrossIsWidth = rect.directionFlag;
    if (rect.side == SideLengthRemainder)
        acrossIsWidth = true;
    else if (rect.side == SideWidthRemainder)
        acrossIsWidth = false;
    score.value = (acrossIsWidth ? Same(pw, rw) : Same(pl, rl)) ? 1 : 0;

    if (!(rect.turnBlocked && rect.policy.GetSixthWord() != 0))
        score.flags += 1;
    std::int32_t neighbours = 0;
    if (rect.owner) {
        if (const OptTopLevelLayout* top = rect.owner->GetTopLevel()) {
            OptRect at;
            at.left = rect.x;
            at.top = rect.y;
            at.right = rect.x + std::int32_t(pl);
            at.bottom = rect.y + std::int32_t(pw);
            neighbours = top->AlignedNeighboursOf(at);
        }
    }
    const bool large = rect.policy.IsLineMinded();
    if (neighbours >= 2)
        score.flags += large ? 1024 : 4;
    else if (neighbours == 1)
        score.flags += large ? 512 : 2;
    if (Same(r2, 0))
        score.flags += 256;
    if (Same(r1, 0))
        score.flags += 128;
    if (r2 > part2 + kEps)
        score.flags += 64;
    if (r1 > part1 + kEps)
        score.flags += 32;
    if (r2 <= size2 / 16 + kEps)
        score.flags += 16;
    if (r1 <= size1 / 16 + kEps)
        score.flags += 8;
    return score;
}

bool Fits(const CFreeRectangle& rect, const PartProxy& part, std::int32_t turned)
{
    const std::int32_t orientation = part.GetDescriptor().orientation;
    if (turned == 0 && orientation == OrientationTurnedOnly)
        return false;
    if (turned == 1 && orientation == OrientationAsGiven)
        return false;
    return Counts(OptPartLayout::PlacedWidth(part, turned)) <= Counts(rect.width) + kEps
           && Counts(OptPartLayout::PlacedLength(part, turned)) <= Counts(rect.length) + kEps;
}

std::int64_t Grid(const CFreeRectangle& rect, const PartProxy& part, std::int32_t turned)
{
    const std::int64_t kerf = rect.owner ? Counts(rect.owner->Kerf()) : 0;
    const std::int64_t pw = Counts(OptPartLayout::PlacedWidth(part, turned));
    const std::int64_t pl = Counts(OptPartLayout::PlacedLength(part, turned));
    // A part of no size would fill the region without end; count it once.
    const std::int64_t across = pw + kerf > 0 ? (Counts(rect.width) - pw) / (pw + kerf) + 1 : 1;
    const std::int64_t along = pl + kerf > 0 ? (Counts(rect.length) - pl) / (pl + kerf) + 1 : 1;
    return std::max<std::int64_t>(across, 0) * std::max<std::int64_t>(along, 0);
}

const OptDim& Spacing(const CFreeRectangle& rect, OptDim& out)
{
    out = OptDim();
    if (rect.owner) {
        out = rect.owner->Kerf();
        out += rect.owner->Padding() * 2u;
    }
    return out;
}

// -1 when a wins, 1 when b wins, 0 undecided.
std::int32_t Decide(bool aWins, bool bWins)
{
    if (aWins && !bWins)
        return -1;
    if (bWins && !aWins)
        return 1;
    return 0;
}

} // namespace

RemainderResult RemainderTest(const OptLayout& node, std::int32_t direction,
                              std::int32_t blockOrientation, std::int32_t side, bool strict)
{
    RemainderResult result;
    const OptLayout* block = node.GetBlock();
    if (!block)
        return result;
    const bool swap = blockOrientation != block->GetTurned();
    const std::int64_t bw = Counts(swap ? block->GetLength() : block->GetWidth());
    const std::int64_t bl = Counts(swap ? block->GetWidth() : block->GetLength());
    const std::int64_t freeW = Counts(node.GetWidth()) - bw;
    const std::int64_t freeL = Counts(node.GetLength()) - bl;
    const std::int64_t kerf = Counts(node.Kerf());
    const std::int64_t twicePad = 2 * Counts(node.Padding());
    if (strict) {
        if (freeW + kEps < 0 || freeL + kEps < 0)
            return result;
        const std::int64_t room = std::max<std::int64_t>(0, (side == 2 ? freeW : freeL) - kerf);
        if (twicePad + kEps >= room)
            return result;
    }
    if (side == 1) {
        result.length = OptDim::FromInternalRep(std::int32_t(freeL - kerf));
        result.width = direction == 1 ? OptDim::FromInternalRep(std::int32_t(bw)) : node.GetWidth();
        result.x = node.GetX() + std::int32_t(bl + kerf);
        result.y = node.GetY();
        result.passes = freeL - kerf > kEps;
    } else {
        result.width = OptDim::FromInternalRep(std::int32_t(freeW - kerf));
        result.length = direction == 1 ? node.GetLength() : OptDim::FromInternalRep(std::int32_t(bl));
        result.x = node.GetX();
        result.y = node.GetY() + std::int32_t(bw + kerf);
        result.passes = freeW - kerf > kEps;
    }
    return result;
}

bool FitPart(CFreeRectangle& rect, const PartProxy& part, std::int32_t onlyOrientation)
{
    rect.standsOut = false;
    rect.turnsBlock = false;
    rect.countDecided = false;
    const bool unturned = onlyOrientation != 1 && Fits(rect, part, 0);
    const bool turned = onlyOrientation != 0 && Fits(rect, part, 1);
    if (!unturned && !turned)
        return false;

    std::int32_t chosen = unturned ? 0 : 1;
    Score score = ScoreOrientation(rect, part, chosen);
    if (unturned && turned) {
        const Score turnedScore = ScoreOrientation(rect, part, 1);
        const std::int64_t gridU = Grid(rect, part, 0);
        const std::int64_t gridT = Grid(rect, part, 1);
        const std::int64_t copies = part.GetDescriptor().copies;
        if (gridU != gridT && std::min(gridU, gridT) < copies) {
            rect.countDecided = true;
            if (gridT > gridU) {
                chosen = 1;
                score = turnedScore;
            }
        } else if (turnedScore.flags > score.flags) {
            chosen = 1;
            score = turnedScore;
        }
    }
    rect.chosenOrientation = chosen;
    rect.value = score.value;
    rect.flags = score.flags;

    if (rect.besideBlock && rect.owner && rect.owner->GetBlock()) {
        const OptLayout* block = rect.owner->GetBlock();
        rect.turnsBlock = block->GetTurned() != rect.blockOrientation;
        const bool swap = rect.blockOrientation != block->GetTurned();
        const std::int64_t blockW = Counts(swap ? block->GetLength() : block->GetWidth());
        const std::int64_t blockL = Counts(swap ? block->GetWidth() : block->GetLength());
        const std::int64_t partW = Counts(OptPartLayout::PlacedWidth(part, chosen));
        const std::int64_t partL = Counts(OptPartLayout::PlacedLength(part, chosen));
        if (rect.directionFlag && rect.side == SideWidthRemainder && blockL + kEps < partL)
            rect.standsOut = true;
        if (!rect.directionFlag && rect.side == SideLengthRemainder && blockW + kEps < partW)
            rect.standsOut = true;
    }
    return true;
}

bool FitsStock(const PartProxy& part, const StockProxy& stock)
{
    CFreeRectangle whole;
    whole.width = stock.GetCanvas().GetTrimmedWidth();
    whole.length = stock.GetCanvas().GetTrimmedLength();
    return FitPart(whole, part);
}

std::uint32_t GridCount(const CFreeRectangle& rect, const PartProxy& part)
{
    std::int64_t best = 0;
    for (std::int32_t turned : {0, 1})
        if (Fits(rect, part, turned))
            best = std::max(best, Grid(rect, part, turned));
    return std::uint32_t(std::min<std::int64_t>(best, 0xffffffff));
}

bool IsPreferred(const CFreeRectangle& candidate, const CFreeRectangle& best)
{
    const ParLocalOpt& policy = candidate.policy;
    const bool styled = policy.GetStyleWord() == PreferRipCuts
                        || policy.GetStyleWord() == PreferCrossCuts;

    // 1. Grade.
    std::int32_t gradeC = candidate.grade;
    std::int32_t gradeB = best.grade;
    if (styled && candidate.stripEvaluated) {
        if (gradeC == 1)
            gradeC = 0;
        if (gradeB == 1)
            gradeB = 0;
    }
    if (gradeC != gradeB)
        return gradeC < gradeB;

    // 2. Avoid marks.
    if (policy.IsLineMinded()) {
        if (std::int32_t r = Decide(!candidate.CarriesAvoidMarks(), !best.CarriesAvoidMarks()))
            return r < 0;
    }

    // 3. Strips of equal-dimension groups.
    if (candidate.stripEvaluated) {
        const IsoDimGroup& gc = candidate.group;
        const IsoDimGroup& gb = best.group;
        if (gc.IsEmpty() && gb.IsEmpty())
            return true;
        if (gc.IsEmpty() != gb.IsEmpty())
            return gb.IsEmpty();
        if (candidate.groupEvaluationType == 1) {
            if (styled) {
                const bool alongStyle = policy.GetStyleWord() == PreferCrossCuts;
                if (std::int32_t r = Decide(gc.GetDirectionFlag() == alongStyle,
                                            gb.GetDirectionFlag() == alongStyle))
                    return r < 0;
                if (std::int32_t r = Decide(!candidate.turnsBlock, !best.turnsBlock))
                    return r < 0;
                if (gc.GetKey() == gb.GetKey() && gc.IsPartial() != gb.IsPartial())
                    return !gc.IsPartial();
                if (candidate.grade != best.grade)
                    return candidate.grade < best.grade;
                if (gc.GetKey() != gb.GetKey()) {
                    // The larger key wins unless a member of its group lies
                    // across the strip; then the run length decides.
                    const bool candidateLarger = gb.GetKey() < gc.GetKey();
                    const IsoDimGroup& larger = candidateLarger ? gc : gb;
                    if (!larger.HasMemberLyingAcross())
                        return candidateLarger;
                }
                OptDim spacingC, spacingB;
                const OptDim runC = gc.GetRunLength(Spacing(candidate, spacingC));
                const OptDim runB = gb.GetRunLength(Spacing(best, spacingB));
                if (runC != runB)
                    return runB < runC;
            }
            if (gc.GetMembers().size() != gb.GetMembers().size())
                return gc.GetMembers().size() > gb.GetMembers().size();
        }
    }

    // 4. and 5. Flags word, then area.
    if (candidate.flags != best.flags)
        return candidate.flags > best.flags;
    if (candidate.Area() == best.Area())
        return false;
    if (candidate.flags & (64u | 32u))
        return candidate.Area() > best.Area();
    return candidate.Area() < best.Area();
}

} // namespace optimization
