#include "optimization/DrawnPart.h"

#include "model/CMilledPart.h"

#include <algorithm>

void DrawnPart::CopyPlacement(DrawnPart& target) const
{
    target.m_part = m_part;
    target.m_rotated = m_rotated;
    target.m_sheetRect = m_sheetRect;
}

void DrawnPart::MoveToHandPlaced(std::uint32_t n) const
{
    if (m_part)
        m_part->MoveToHandPlaced(n);
}

void DrawnPart::MoveFromHandPlaced(std::uint32_t n) const
{
    if (m_part)
        m_part->MoveFromHandPlaced(n);
}

void DrawnPart::AddHandPlaced(std::uint32_t n) const
{
    if (m_part)
        m_part->AddHandPlacedCopies(n);
}

void DrawnPart::RemoveHandPlaced(std::uint32_t n) const
{
    if (m_part)
        m_part->RemoveHandPlacedCopies(n);
}

DrawnPartPtr FindDrawnPart(const DrawnPartList& parts, const DrawnPart& record)
{
    const auto it = std::find_if(parts.begin(), parts.end(),
                                 [&record](const DrawnPartPtr& part) { return part && *part == record; });
    return it != parts.end() ? *it : nullptr;
}

void TallyDrawnParts(const DrawnPartList& parts, DrawnPartTallyList& tally)
{
    for (const DrawnPartPtr& drawn : parts) {
        if (!drawn)
            continue;
        auto it = std::find_if(tally.begin(), tally.end(), [&drawn](const DrawnPartTally& entry) {
            return entry.part == drawn->GetPart() && entry.rotated == drawn->IsRotated();
        });
        if (it != tally.end())
            ++it->count;
        else
            tally.push_back({drawn->GetPart(), 1, drawn->IsRotated()});
    }
}
