#pragma once
// The lines along which the saw would cut a diagram: a kerf beside every side
// of every placed part, run along its line until another part blocks it, and
// the four trim lines of the sheet. A dragged part snaps to them; the
// through-cuts (kerfs as long as the sheet) place the outer dimensions.
// Layout units throughout (1/16384 inch, x along the sheet's length).

#include "optimization/DisplayDiagram.h"
#include "optimization/DrawnPart.h"
#include "platform/Rect.h"

#include <cstdint>
#include <memory>
#include <vector>

class Kerf
{
public:
    Kerf() = default;
    // A vertical kerf is a band in x from position, running from..to in y;
    // a horizontal one a band in y running along x.
    Kerf(std::int32_t position, std::int32_t from, std::int32_t to, std::int32_t width, bool vertical,
        bool partKerf);

    const platform::Rect& GetRect() const { return m_rect; }
    bool IsVertical() const { return m_vertical != 0; }
    bool IsPartKerf() const { return m_partKerf; }
    std::int32_t GetPosition() const { return IsVertical() ? m_rect.left : m_rect.top; }
    std::int32_t GetStart() const { return IsVertical() ? m_rect.top : m_rect.left; }
    std::int32_t GetEnd() const { return IsVertical() ? m_rect.bottom : m_rect.right; }
    std::int32_t GetLength() const { return GetEnd() - GetStart(); }
    // Same position, and the other's span within this one's.
    bool Covers(const Kerf& other) const;

    friend bool operator==(const Kerf&, const Kerf&) = default;

private:
    platform::Rect m_rect;
    std::int32_t m_vertical = 0;
    bool m_partKerf = false;
};
using KerfList = std::vector<Kerf>;

// Removes every kerf equal to the given one (cancels snapping to it),
// keeping the order of the rest.
void RemoveKerf(KerfList& list, const Kerf& kerf);

// Where a part meets a kerf. Sides: 0 the part's top meets the kerf's bottom,
// 1 bottom meets top, 2 left meets right, 3 right meets left. Directions of
// the motion that made the snap: 0 towards -x, 1 +x, 2 -y, 3 +y.
struct SnapState
{
    Kerf kerf;
    std::int32_t side = 0;
    std::int32_t direction = 0;
    // Moving back past it (against the direction) lets the snap go.
    std::int32_t releaseCoordinate = 0;
    std::int32_t kerfEdge = 0;
};
using SnapStatePtr = std::shared_ptr<SnapState>;

// The query's input: the last motion and the part's rectangle.
struct MovingPart
{
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    platform::Rect rect;
};

class KerfCollection
{
public:
    KerfCollection() = default;
    KerfCollection(KerfList horizontal, KerfList vertical)
        : m_horizontal(std::move(horizontal))
        , m_vertical(std::move(vertical))
    { }

    const KerfList& GetHorizontal() const { return m_horizontal; }
    const KerfList& GetVertical() const { return m_vertical; }

    // Snaps in x (vertical kerfs) and in y (horizontal kerfs); empty when no
    // kerf lies closer than the tolerance.
    SnapStatePtr QueryVertical(const MovingPart& part, std::int32_t tolerance) const;
    SnapStatePtr QueryHorizontal(const MovingPart& part, std::int32_t tolerance) const;
    void RemoveVerticalKerf(const Kerf& kerf);
    void RemoveHorizontalKerf(const Kerf& kerf);

private:
    KerfList m_horizontal;
    KerfList m_vertical;
};
using KerfCollectionPtr = std::shared_ptr<KerfCollection>;

// The sheet as the kerf derivation reads it, in layout units.
struct KerfSheet
{
    std::int32_t width = 0; // W, the y extent
    std::int32_t length = 0; // L, the x extent
    std::int32_t topBottomTrim = 0; // ty
    std::int32_t leftRightTrim = 0; // tx
    std::int32_t kerf = 0; // k
};
KerfSheet KerfSheetOf(const DisplayDiagram& diagram);

class KerfBuilder
{
public:
    // The excluded part (the dragged one) gets no kerfs and blocks nothing.
    KerfBuilder(const KerfSheet& sheet, const DrawnPartList& parts, DrawnPartPtr excluded = nullptr);

    KerfCollectionPtr Compute();

private:
    bool IsExcluded(const DrawnPartPtr& part) const { return m_excluded && part == m_excluded; }
    void AddSideKerf(KerfList& list, const Kerf& kerf);
    Kerf Extend(const Kerf& kerf) const;

    KerfSheet m_sheet;
    const DrawnPartList& m_parts;
    DrawnPartPtr m_excluded;
    DrawnPartList m_byLeft;
    DrawnPartList m_byRight;
    DrawnPartList m_byTop;
    DrawnPartList m_byBottom;
    KerfList m_horizontal;
    KerfList m_vertical;
};

KerfCollectionPtr BuildSnapKerfs(const DisplayDiagram& diagram, const DrawnPartPtr& excluded);
// Only the kerfs as long as the sheet, each list sorted by position.
KerfCollectionPtr BuildThroughCuts(const KerfSheet& sheet, const DrawnPartList& parts);
KerfCollectionPtr BuildThroughCuts(const DisplayDiagram& diagram);

// The snap kept (a copy, possibly with a new release coordinate) or empty
// when it lets go.
SnapStatePtr UpdateSnap(const MovingPart& part, std::int32_t tolerance, const SnapState& snap);
// The move that puts the part onto its snaps: x from the vertical snap, y
// from the horizontal one, 0 for an axis without a snap.
platform::Point SnapCorrection(
    const platform::Rect& part, const SnapState* horizontal, const SnapState* vertical);
