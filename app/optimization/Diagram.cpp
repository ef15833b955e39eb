#include "optimization/Diagram.h"

#include "model/CMilledPart.h"

Diagram::Diagram()
    : m_geometries(std::make_shared<AltGeometries>())
{ }

Diagram::Diagram(StockSpec stock, AltGeometriesPtr geometries, GeoStatsList stats)
    : m_stock(std::move(stock)),
      m_geometries(geometries ? std::move(geometries) : std::make_shared<AltGeometries>()),
      m_stats(std::move(stats))
{
    ComputeFixedStats();
}

const DrawnPartList& Diagram::GetFirstGeometryParts() const
{
    static const DrawnPartList none;
    return m_geometries->empty() ? none : m_geometries->begin()->second;
}

void Diagram::CollectPlacedParts(std::vector<CMilledPart*>& out) const
{
    for (const DrawnPartPtr& drawn : GetFirstGeometryParts())
        out.push_back(drawn->GetPart());
}

void Diagram::PrepareManualGeometry(int style)
{
    DrawnPartList copies;
    for (const DrawnPartPtr& drawn : m_geometries->at(style))
        copies.push_back(drawn->Clone());
    (*m_geometries)[GeometryStyles::ManualEdit] = std::move(copies);
    GeometryBasedStats noCutStatistics;
    noCutStatistics.Invalidate();
    m_stats[GeometryStyles::ManualEdit] = noCutStatistics;
}

void Diagram::RemoveGeometry(int style)
{
    m_geometries->erase(style);
    m_stats.erase(style);
}

void Diagram::SetGeometries(const AltGeometries& geometries, const GeoStatsList& stats)
{
    if (&geometries != m_geometries.get())
        *m_geometries = geometries;
    if (&stats != &m_stats)
        m_stats = stats;
    ComputeFixedStats();
}

void Diagram::SetGeometryParts(int style, DrawnPartList parts)
{
    (*m_geometries)[style] = std::move(parts);
    ComputeFixedStats();
}

std::shared_ptr<Diagram> Diagram::Clone() const
{
    auto geometries = std::make_shared<AltGeometries>();
    for (const auto& [style, parts] : *m_geometries) {
        DrawnPartList& copies = (*geometries)[style];
        for (const DrawnPartPtr& drawn : parts)
            copies.push_back(drawn->Clone());
    }
    return std::make_shared<Diagram>(m_stock, std::move(geometries), m_stats);
}

void Diagram::ComputeFixedStats()
{
    double partsArea = 0.0;
    double partsPerimeter = 0.0;
    for (const DrawnPartPtr& drawn : GetFirstGeometryParts()) {
        if (const CMilledPart* part = drawn->GetPart()) {
            partsArea += part->GetArea();
            partsPerimeter += part->GetPerimeter();
        }
    }
    const double roughWidth = m_stock.GetRoughWidth().GetInches();
    const double roughLength = m_stock.GetRoughLength().GetInches();
    m_fixed = FixedStats(partsArea, roughWidth * roughLength, partsPerimeter, roughLength);
}

void Diagram::ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper)
{
    m_stock.ResolveReferences(mapper);
}
