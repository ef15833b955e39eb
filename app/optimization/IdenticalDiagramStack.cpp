#include "optimization/IdenticalDiagramStack.h"

#include "optimization/DisplayDiagram.h"
#include "optimization/PinnedUsage.h"

#include <algorithm>
#include <utility>

IdenticalDiagramStack::IdenticalDiagramStack()
    : m_diagram(std::make_shared<Diagram>())
{ }

IdenticalDiagramStack::IdenticalDiagramStack(DiagramPtr diagram, std::uint32_t count, const DrawnPartFlags& flags,
                                             int geoStyle)
    : m_diagram(diagram ? std::move(diagram) : std::make_shared<Diagram>()),
      m_count(count),
      m_geoStyle(geoStyle),
      m_flags(count, flags)
{ }

void IdenticalDiagramStack::RemoveCopy()
{
    if (m_count > 0)
        --m_count;
}

const DrawnPartFlags* IdenticalDiagramStack::FindCopyFlags(int copyIndex) const
{
    if (copyIndex < 0 || static_cast<std::size_t>(copyIndex) >= m_flags.size())
        return nullptr;
    return &m_flags[static_cast<std::size_t>(copyIndex)];
}

DrawnPartFlags* IdenticalDiagramStack::FindCopyFlags(int copyIndex)
{
    return const_cast<DrawnPartFlags*>(std::as_const(*this).FindCopyFlags(copyIndex));
}

DrawnPartFlags IdenticalDiagramStack::GetCopyFlags(int copyIndex) const
{
    const DrawnPartFlags* flags = FindCopyFlags(copyIndex);
    return flags ? *flags : DrawnPartFlags();
}

void IdenticalDiagramStack::SetFancyAnnotationStyleForAll(bool value)
{
    for (DrawnPartFlags& flags : m_flags)
        flags.SetFancyAnnotationStyle(value);
}

UsageStats IdenticalDiagramStack::GetCurrentStats() const
{
    const GeoStatsList& stats = m_diagram->GetGeoStatsList();
    const auto it = stats.find(m_geoStyle);
    GeometryBasedStats geometry;
    if (it != stats.end())
        geometry = it->second;
    else
        geometry.Invalidate(); // a style without statistics has none to report
    return UsageStats(m_diagram->GetFixedStats(), geometry);
}

UsageStats IdenticalDiagramStack::GetTotalStats() const
{
    UsageStats stats = GetCurrentStats();
    stats.MultiplyBy(static_cast<std::int32_t>(m_count));
    return stats;
}

std::shared_ptr<DisplayDiagram> IdenticalDiagramStack::MakeDisplayDiagram(int copyIndex)
{
    return std::make_shared<DisplayDiagram>(shared_from_this(), copyIndex);
}

std::shared_ptr<IdenticalDiagramStack> IdenticalDiagramStack::Split(int copyIndex, std::uint32_t n)
{
    n = std::min(n, m_count);
    auto split = std::make_shared<IdenticalDiagramStack>(m_diagram->Clone(), n, GetCopyFlags(copyIndex), m_geoStyle);
    split->m_pinned = m_pinned;
    if (FindCopyFlags(copyIndex))
        m_flags.erase(m_flags.begin() + copyIndex);
    m_count -= n;
    return split;
}

void IdenticalDiagramStack::MergeFrom(const IdenticalDiagramStack& other, int index)
{
    const DrawnPartFlags flags = other.GetCopyFlags(0);
    const auto position = static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(m_flags.size())));
    m_flags.insert(m_flags.begin() + static_cast<std::ptrdiff_t>(position), flags);
    m_count += other.m_count;
}

void IdenticalDiagramStack::Pin(PinnedUsage& usage)
{
    m_pinned = true;
    ApplyPinnedUsage(usage);
}

void IdenticalDiagramStack::ApplyPinnedUsage(PinnedUsage& usage)
{
    usage.Add(GetStockSpec(), m_count);
    for (const DrawnPartPtr& drawn : m_diagram->GetFirstGeometryParts())
        drawn->MoveToHandPlaced(m_count);
}

void IdenticalDiagramStack::Unpin(PinnedUsage& usage)
{
    m_pinned = false;
    WithdrawPinnedUsage(usage);
}

void IdenticalDiagramStack::WithdrawPinnedUsage(PinnedUsage& usage)
{
    usage.Remove(GetStockSpec(), m_count);
    for (const DrawnPartPtr& drawn : m_diagram->GetFirstGeometryParts())
        drawn->MoveFromHandPlaced(m_count);
}

void IdenticalDiagramStack::RestorePinnedUsage(PinnedUsage& usage)
{
    usage.Add(GetStockSpec(), m_count);
    for (const DrawnPartPtr& drawn : m_diagram->GetFirstGeometryParts())
        drawn->AddHandPlaced(m_count);
}

void IdenticalDiagramStack::AddDrawnPart(const DrawnPartPtr& drawn)
{
    DrawnPartList parts = m_diagram->GetGeometryParts(GeometryStyles::ManualEdit);
    parts.push_back(drawn);
    m_diagram->SetGeometryParts(GeometryStyles::ManualEdit, std::move(parts));
    drawn->AddHandPlaced(m_count);
}

void IdenticalDiagramStack::RemoveDrawnPart(const DrawnPartPtr& drawn)
{
    DrawnPartList parts = m_diagram->GetGeometryParts(GeometryStyles::ManualEdit);
    std::erase(parts, drawn);
    m_diagram->SetGeometryParts(GeometryStyles::ManualEdit, std::move(parts));
    drawn->RemoveHandPlaced(m_count);
}

bool StackShowsPart(const CMilledPart* part, const IdenticalDiagramStack& stack)
{
    if (!stack.HasGeometry(stack.GetCurrentGeoStyle()))
        return false;
    const DrawnPartList& parts = stack.GetCurrentParts();
    return std::any_of(parts.begin(), parts.end(),
                       [part](const DrawnPartPtr& drawn) { return drawn->GetPart() == part; });
}
