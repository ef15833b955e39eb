#pragma once
// A leaf of the cutting tree: one placed copy of a part.

#include "OptLayout.h"

#include <nestcore/PlacedPart.h>

namespace optimization {

class OptPartLayout : public OptLayout
{
public:
    // A leaf at (x, y), turned or not; it registers its placed record with
    // the sheet above its parent.
    OptPartLayout(const PartProxy* part, std::int32_t turned, OptLayout* parent,
                  std::int32_t x, std::int32_t y);

    std::unique_ptr<OptLayout> CopyTree(OptLayout* parent, OptLayout** cursor) const override;
    bool CanHoldChildren() const override { return false; }
    bool IsOrientationFixed() const override;
    bool IsTurnedOnly() const override;
    bool TurnMeetsGridObstacle(std::int32_t orientation) const override;
    bool TurnMeetsNeighbourObstacle(std::int32_t orientation) const override;
    bool HasAlignedNeighbours() const override;
    const PartProxy* GetPart() const override { return m_part; }
    std::int32_t GetTurned() const override { return m_turned; }
    std::int32_t GetHandedValue() const override { return m_handedValue; }
    bool HasNoBlock() const override { return false; }
    OptDim GetContentExtent(bool alongLength) const override;
    void SetTurned(std::int32_t turned) override;
    void SetPart(const PartProxy* part, std::int32_t turned) override;
    void SetOrigin(std::int32_t x, std::int32_t y) override;
    void CollectPlacedParts() override;
    void CollectPlacedCopies() override;
    void RefreshAndCollect() override;
    void Clear() override;
    const RegionList& Relay() override { return m_regions; }
    void MoveBy(std::int32_t dx, std::int32_t dy) override;
    bool IsLoneExactFit() const override;

    bool IsCountDecided() const { return m_countDecided; }
    void SetWorkingValues(std::int32_t handedValue, bool countDecided);
    PlacedPart& GetPlaced() { return m_placed; }
    const PlacedPart& GetPlaced() const { return m_placed; }

    // Placed size of a part lying turned or not.
    static OptDim PlacedWidth(const PartProxy& part, std::int32_t turned);
    static OptDim PlacedLength(const PartProxy& part, std::int32_t turned);

private:
    void Refresh();

    const PartProxy* m_part;
    std::int32_t m_turned;
    std::int32_t m_handedValue = 0;
    bool m_countDecided = false;
    PlacedPart m_placed;
};

} // namespace optimization
