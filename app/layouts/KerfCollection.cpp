#include "layouts/KerfCollection.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::int32_t PartEdge(const platform::Rect& r, std::int32_t side)
{
    switch (side) {
    case 0:
        return r.top;
    case 1:
        return r.bottom;
    case 2:
        return r.left;
    default:
        return r.right;
    }
}

std::int32_t KerfEdge(const Kerf& kerf, std::int32_t side)
{
    const platform::Rect& r = kerf.GetRect();
    switch (side) {
    case 0:
        return r.bottom;
    case 1:
        return r.top;
    case 2:
        return r.right;
    default:
        return r.left;
    }
}

bool MovesTowardsPlus(std::int32_t direction)
{
    return direction == 1 || direction == 3;
}

std::int32_t Distance(std::int32_t a, std::int32_t b)
{
    return std::abs(a - b);
}

bool Approaches(const SnapState& s)
{
    return (s.direction == 0 && s.side == 2) || (s.direction == 1 && s.side == 3)
        || (s.direction == 2 && s.side == 0) || (s.direction == 3 && s.side == 1);
}

SnapState MakeState(const Kerf& kerf, const MovingPart& part, std::int32_t tolerance)
{
    const platform::Rect& r = part.rect;
    const platform::Rect& k = kerf.GetRect();
    SnapState s;
    s.kerf = kerf;
    if (kerf.IsVertical()) {
        s.side = Distance(r.left, k.right) < Distance(r.right, k.left) ? 2 : 3;
        s.direction = part.dx >= 0 ? 1 : 0;
    } else {
        s.side = Distance(r.top, k.bottom) >= Distance(r.bottom, k.top) ? 1 : 0;
        s.direction = part.dy >= 0 ? 3 : 2;
    }
    s.kerfEdge = KerfEdge(kerf, s.side);
    s.releaseCoordinate
        = MovesTowardsPlus(s.direction) ? s.kerfEdge - 2 * tolerance : s.kerfEdge + 2 * tolerance;
    return s;
}

bool Qualifies(const Kerf& kerf, const platform::Rect& r, std::int32_t t)
{
    const platform::Rect& k = kerf.GetRect();
    if (kerf.IsVertical())
        return !(k.bottom < r.top) && !(k.top > r.bottom)
            && (Distance(r.left, k.right) < t || Distance(r.right, k.left) < t);
    return !(k.right < r.left) && !(k.left > r.right)
        && (Distance(r.top, k.bottom) < t || Distance(r.bottom, k.top) < t);
}

SnapStatePtr Query(const KerfList& list, const MovingPart& part, std::int32_t tolerance)
{
    SnapStatePtr best;
    std::int32_t bestDistance = 0;
    for (const Kerf& kerf : list) {
        if (!Qualifies(kerf, part.rect, tolerance))
            continue;
        const SnapState s = MakeState(kerf, part, tolerance);
        const std::int32_t d = Distance(s.kerfEdge, PartEdge(part.rect, s.side));
        bool better = !best;
        if (best) {
            if (d != bestDistance)
                better = d < bestDistance;
            else if (Approaches(s) != Approaches(*best))
                better = Approaches(s);
            else if (s.kerf.GetPosition() != best->kerf.GetPosition())
                better = s.kerf.GetPosition() < best->kerf.GetPosition();
            else
                better = s.kerf.GetStart() < best->kerf.GetStart();
        }
        if (better) {
            best = std::make_shared<SnapState>(s);
            bestDistance = d;
        }
    }
    return best;
}

bool OverlapsHorizontalBand(const platform::Rect& part, std::int32_t p, std::int32_t k)
{
    return p + k > part.top && p < part.bottom;
}

bool OverlapsVerticalBand(const platform::Rect& part, std::int32_t p, std::int32_t k)
{
    return p + k > part.left && p < part.right;
}

template <class Key> DrawnPartList SortedBy(const DrawnPartList& parts, Key key)
{
    DrawnPartList sorted = parts;
    std::stable_sort(sorted.begin(), sorted.end(),
        [&](const DrawnPartPtr& a, const DrawnPartPtr& b) { return key(*a) < key(*b); });
    return sorted;
}

} // namespace

Kerf::Kerf(std::int32_t position, std::int32_t from, std::int32_t to, std::int32_t width, bool vertical,
    bool partKerf)
    : m_vertical(vertical ? 1 : 0)
    , m_partKerf(partKerf)
{
    if (vertical)
        m_rect = platform::Rect(position, from, position + width, to);
    else
        m_rect = platform::Rect(from, position, to, position + width);
}

bool Kerf::Covers(const Kerf& other) const
{
    return GetPosition() == other.GetPosition() && other.GetStart() >= GetStart()
        && other.GetEnd() <= GetEnd();
}

void RemoveKerf(KerfList& list, const Kerf& kerf)
{
    list.erase(std::remove(list.begin(), list.end(), kerf), list.end());
}

SnapStatePtr KerfCollection::QueryVertical(const MovingPart& part, std::int32_t tolerance) const
{
    return Query(m_vertical, part, tolerance);
}

SnapStatePtr KerfCollection::QueryHorizontal(const MovingPart& part, std::int32_t tolerance) const
{
    return Query(m_horizontal, part, tolerance);
}

void KerfCollection::RemoveVerticalKerf(const Kerf& kerf)
{
    RemoveKerf(m_vertical, kerf);
}

void KerfCollection::RemoveHorizontalKerf(const Kerf& kerf)
{
    RemoveKerf(m_horizontal, kerf);
}

KerfSheet KerfSheetOf(const DisplayDiagram& diagram)
{
    const StockSpec& stock = diagram.GetStockSpec();
    return { stock.GetRoughWidth().GetUnits(), stock.GetRoughLength().GetUnits(),
        stock.GetTopBottomTrim().GetUnits(), stock.GetLeftRightTrim().GetUnits(),
        stock.GetKerf().GetUnits() };
}

KerfBuilder::KerfBuilder(const KerfSheet& sheet, const DrawnPartList& parts, DrawnPartPtr excluded)
    : m_sheet(sheet)
    , m_parts(parts)
    , m_excluded(std::move(excluded))
    , m_byLeft(SortedBy(parts, [](const DrawnPart& p) { return p.GetSheetRect().left; }))
    , m_byRight(SortedBy(parts, [](const DrawnPart& p) { return p.GetSheetRect().right; }))
    , m_byTop(SortedBy(parts, [](const DrawnPart& p) { return p.GetSheetRect().top; }))
    , m_byBottom(SortedBy(parts, [](const DrawnPart& p) { return p.GetSheetRect().bottom; }))
{ }

Kerf KerfBuilder::Extend(const Kerf& kerf) const
{
    const std::int32_t p = kerf.GetPosition();
    const std::int32_t k = m_sheet.kerf;
    const bool vertical = kerf.IsVertical();
    const DrawnPartList& byNear = vertical ? m_byTop : m_byLeft;
    const DrawnPartList& byFar = vertical ? m_byBottom : m_byRight;
    auto nearEdge = [&](const platform::Rect& r) { return vertical ? r.top : r.left; };
    auto farEdge = [&](const platform::Rect& r) { return vertical ? r.bottom : r.right; };
    auto blocks = [&](const DrawnPartPtr& part) {
        if (IsExcluded(part))
            return false;
        const platform::Rect& r = part->GetSheetRect();
        return vertical ? OverlapsVerticalBand(r, p, k) : OverlapsHorizontalBand(r, p, k);
    };

    std::int32_t end = vertical ? m_sheet.width : m_sheet.length;
    auto first = std::partition_point(byNear.begin(), byNear.end(),
        [&](const DrawnPartPtr& part) { return nearEdge(part->GetSheetRect()) < kerf.GetEnd(); });
    for (auto it = first; it != byNear.end(); ++it) {
        if (blocks(*it)) {
            end = nearEdge((*it)->GetSheetRect());
            break;
        }
    }

    std::int32_t start = 0;
    auto past = std::partition_point(byFar.begin(), byFar.end(),
        [&](const DrawnPartPtr& part) { return farEdge(part->GetSheetRect()) <= kerf.GetStart(); });
    for (auto it = past; it != byFar.begin();) {
        --it;
        if (blocks(*it)) {
            start = farEdge((*it)->GetSheetRect());
            break;
        }
    }
    return Kerf(p, start, end, k, vertical, true);
}

void KerfBuilder::AddSideKerf(KerfList& list, const Kerf& kerf)
{
    for (const Kerf& existing : list)
        if (existing.Covers(kerf))
            return;
    list.push_back(Extend(kerf));
}

KerfCollectionPtr KerfBuilder::Compute()
{
    const KerfSheet& s = m_sheet;
    const std::int32_t k = s.kerf;
    m_horizontal.clear();
    m_vertical.clear();
    m_vertical.emplace_back(s.leftRightTrim - k, 0, s.width, k, true, false);
    m_vertical.emplace_back(s.length - s.leftRightTrim, 0, s.width, k, true, false);
    m_horizontal.emplace_back(s.topBottomTrim - k, 0, s.length, k, false, false);
    m_horizontal.emplace_back(s.width - s.topBottomTrim, 0, s.length, k, false, false);
    for (const DrawnPartPtr& part : m_parts) {
        if (!part || IsExcluded(part))
            continue;
        const platform::Rect& r = part->GetSheetRect();
        AddSideKerf(m_horizontal, Kerf(r.top - k, r.left, r.right, k, false, true));
        AddSideKerf(m_horizontal, Kerf(r.bottom, r.left, r.right, k, false, true));
        AddSideKerf(m_vertical, Kerf(r.left - k, r.top, r.bottom, k, true, true));
        AddSideKerf(m_vertical, Kerf(r.right, r.top, r.bottom, k, true, true));
    }
    return std::make_shared<KerfCollection>(std::move(m_horizontal), std::move(m_vertical));
}

KerfCollectionPtr BuildSnapKerfs(const DisplayDiagram& diagram, const DrawnPartPtr& excluded)
{
    return KerfBuilder(KerfSheetOf(diagram), GetCurrentParts(diagram), excluded).Compute();
}

KerfCollectionPtr BuildThroughCuts(const KerfSheet& sheet, const DrawnPartList& parts)
{
    const KerfCollectionPtr all = KerfBuilder(sheet, parts).Compute();
    auto keep = [](const KerfList& list, std::int32_t fullLength) {
        KerfList kept;
        for (const Kerf& kerf : list)
            if (kerf.GetLength() >= fullLength)
                kept.push_back(kerf);
        std::stable_sort(kept.begin(), kept.end(),
            [](const Kerf& a, const Kerf& b) { return a.GetPosition() < b.GetPosition(); });
        return kept;
    };
    return std::make_shared<KerfCollection>(
        keep(all->GetHorizontal(), sheet.length), keep(all->GetVertical(), sheet.width));
}

KerfCollectionPtr BuildThroughCuts(const DisplayDiagram& diagram)
{
    return BuildThroughCuts(KerfSheetOf(diagram), GetCurrentParts(diagram));
}

SnapStatePtr UpdateSnap(const MovingPart& part, std::int32_t tolerance, const SnapState& snap)
{
    const bool moving = (snap.direction == 0 && part.dx < 0) || (snap.direction == 1 && part.dx > 0)
        || (snap.direction == 2 && part.dy < 0) || (snap.direction == 3 && part.dy > 0);
    const std::int32_t edge = PartEdge(part.rect, snap.side);
    const std::int32_t d = Distance(edge, snap.kerfEdge);
    const std::int32_t limit = moving ? tolerance : Distance(snap.releaseCoordinate, snap.kerfEdge);
    if (limit < d)
        return nullptr;
    auto kept = std::make_shared<SnapState>(snap);
    if (moving) {
        const bool plus = MovesTowardsPlus(snap.direction);
        std::int32_t c = plus ? snap.kerfEdge - tolerance : snap.kerfEdge + tolerance;
        if (edge > std::min(c, snap.kerfEdge) && edge < std::max(c, snap.kerfEdge))
            c = plus ? edge - tolerance : edge + tolerance;
        if (Distance(snap.kerfEdge, c) < Distance(snap.kerfEdge, snap.releaseCoordinate))
            kept->releaseCoordinate = c;
    }
    return kept;
}

platform::Point SnapCorrection(
    const platform::Rect& part, const SnapState* horizontal, const SnapState* vertical)
{
    platform::Point move;
    if (vertical)
        move.x = vertical->kerfEdge - PartEdge(part, vertical->side);
    if (horizontal)
        move.y = horizontal->kerfEdge - PartEdge(part, horizontal->side);
    return move;
}
