#pragma once
// The cutting layout of one stock sheet: for every layout style in which the
// sheet can be cut, the parts as placed, with the statistics of the sheet.

#include "foundation/ManagedIdentity.h"
#include "optimization/DrawnPart.h"
#include "optimization/StockSpec.h"
#include "optimization/UsageStats.h"

#include <map>
#include <memory>
#include <vector>

// Layout styles 0..4 come from the optimizer; 5 only from manual editing.
namespace GeometryStyles {
constexpr int Standard = 0;
constexpr int PreferRipCuts = 1;
constexpr int PreferCrossCuts = 2;
constexpr int MaxSideOffCut = 3;
constexpr int MaxBottomOffCut = 4;
constexpr int ManualEdit = 5;
} // namespace GeometryStyles

using AltGeometries = std::map<int, DrawnPartList>;
using AltGeometriesPtr = std::shared_ptr<AltGeometries>;
using GeoStatsList = std::map<int, GeometryBasedStats>;

class Diagram : public ManagedIdentityNotRemappedOnLockProject, public std::enable_shared_from_this<Diagram>
{
public:
    // For loading: no stock, no geometries.
    Diagram();
    Diagram(StockSpec stock, AltGeometriesPtr geometries, GeoStatsList stats);

    const StockSpec& GetStockSpec() const { return m_stock; }
    StockSpec& GetStockSpecForEdit() { return m_stock; }
    AltGeometriesPtr GetAltGeometries() const { return m_geometries; }
    const GeoStatsList& GetGeoStatsList() const { return m_stats; }
    const FixedStats& GetFixedStats() const { return m_fixed; }

    bool HasGeometry(int style) const { return m_geometries->count(style) != 0; }
    // The style must be present.
    const DrawnPartList& GetGeometryParts(int style) const { return m_geometries->at(style); }
    // The lowest style's parts; every geometry holds the same parts.
    const DrawnPartList& GetFirstGeometryParts() const;
    // One entry per drawn part of the first geometry.
    void CollectPlacedParts(std::vector<CMilledPart*>& out) const;

    // Style 5 becomes a copy of the style's drawn parts, without cut statistics.
    void PrepareManualGeometry(int style);
    void RemoveGeometry(int style);
    void RemoveManualGeometry() { RemoveGeometry(GeometryStyles::ManualEdit); }
    // Puts back geometries saved before a manual edit.
    void SetGeometries(const AltGeometries& geometries, const GeoStatsList& stats);
    // Replaces the parts of one style and recomputes the fixed statistics.
    void SetGeometryParts(int style, DrawnPartList parts);

    // New identity, the same stock, copies of every drawn part.
    std::shared_ptr<Diagram> Clone() const;
    void ComputeFixedStats();

    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;
    void ReceiveResolvedReference(std::shared_ptr<IManagedIdentity>) override { }
    void ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper);

private:
    StockSpec m_stock;
    AltGeometriesPtr m_geometries;
    FixedStats m_fixed;
    GeoStatsList m_stats;
};

using DiagramPtr = std::shared_ptr<Diagram>;
