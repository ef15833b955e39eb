// The stored forms of diagrams, their stacks and drawn parts, and of the cut
// statistics a diagram keeps per layout style.
#include "foundation/ArchiveWrapper.h"
#include "foundation/IdentityMapper.h"
#include "foundation/SchemaVersion.h"
#include "model/CMilledPart.h"
#include "model/IOptimizableMaterial.h"
#include "model/IOptimizableSize.h"
#include "model/MaterialFactory.h"
#include "model/SharedMaterialRef.h"
#include "optimization/ArchiveRecords.h"
#include "optimization/Diagram.h"
#include "optimization/IdenticalDiagramStack.h"
#include "optimization/PartNumberLists.h"

namespace {

constexpr std::int32_t kRecordVersion = 1;

// Version, number, four coordinates, rotation.
constexpr std::uint32_t kDrawnPartBytes = 4 + 4 + 16 + 1;
// Version and three flags.
constexpr std::uint32_t kFlagsBytes = 4 + 3;
// A style and an empty drawn-part list.
constexpr std::uint32_t kGeometryEntryBytes = 4 + 4;
// A style and the older two-value statistics record.
constexpr std::uint32_t kStatsEntryBytes = 4 + 4 + (4 + 1 + 4) + (4 + 1 + 8);

template <class T> void SerializeUsageStat(ArchiveWrapper& ar, UsageStat<T>& stat)
{
    SerializeSchemaWord(ar, kRecordVersion);
    if (ar.IsStoring())
        ar << stat.valid << stat.value;
    else
        ar >> stat.valid >> stat.value;
}

void StoreDrawnParts(
    ArchiveWrapper& ar, const DrawnPartList& parts, const std::shared_ptr<IdentityMapper>& mapper)
{
    ar.Write(static_cast<std::int32_t>(parts.size()));
    for (const DrawnPartPtr& drawn : parts)
        drawn->Serialize(ar, mapper);
}

// A drawn part of a part the project no longer has is dropped: nothing could
// draw, count or list it.
DrawnPartList LoadDrawnParts(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    const std::int32_t count = ReadListCount(ar, kDrawnPartBytes);
    DrawnPartList parts;
    for (std::int32_t i = 0; i < count; ++i) {
        auto drawn = std::make_shared<DrawnPart>();
        drawn->Serialize(ar, mapper);
        if (drawn->GetPart())
            parts.push_back(std::move(drawn));
    }
    return parts;
}

void SerializeAltGeometries(
    ArchiveWrapper& ar, AltGeometries& geometries, const std::shared_ptr<IdentityMapper>& mapper)
{
    if (ar.IsStoring()) {
        ar.Write(static_cast<std::int32_t>(geometries.size()));
        for (const auto& [style, parts] : geometries) {
            ar.Write(static_cast<std::uint32_t>(style));
            StoreDrawnParts(ar, parts, mapper);
        }
        return;
    }
    const std::int32_t count = ReadListCount(ar, kGeometryEntryBytes);
    for (std::int32_t i = 0; i < count; ++i) {
        std::uint32_t style = 0;
        ar.Read(style);
        geometries[static_cast<int>(style)] = LoadDrawnParts(ar, mapper);
    }
}

void SerializeGeoStatsList(ArchiveWrapper& ar, GeoStatsList& stats)
{
    if (ar.IsStoring()) {
        ar.Write(static_cast<std::uint32_t>(stats.size()));
        for (auto& [style, entry] : stats) {
            ar.Write(static_cast<std::int32_t>(style));
            entry.Serialize(ar);
        }
        return;
    }
    const std::uint32_t count = ReadUnsignedListCount(ar, kStatsEntryBytes);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::int32_t style = 0;
        ar.Read(style);
        GeometryBasedStats entry;
        entry.Serialize(ar);
        stats[style] = entry;
    }
}

} // namespace

void GeometryBasedStats::Serialize(ArchiveWrapper& ar)
{
    if (ar.IsStoring()) {
        ar.Write(std::int32_t { 2 });
        SerializeUsageStat(ar, m_cutsPadded);
        SerializeUsageStat(ar, m_cutLengthPadded);
        SerializeUsageStat(ar, m_cuts);
        SerializeUsageStat(ar, m_cutLength);
        return;
    }
    const std::uint32_t version = ReadOrThrow(ar, 2);
    SerializeUsageStat(ar, m_cutsPadded);
    SerializeUsageStat(ar, m_cutLengthPadded);
    if (version == 1) {
        Invalidate();
        return;
    }
    SerializeUsageStat(ar, m_cuts);
    SerializeUsageStat(ar, m_cutLength);
}

void DrawnPartFlags::Serialize(ArchiveWrapper& ar)
{
    SerializeSchemaWord(ar, kRecordVersion);
    if (ar.IsStoring())
        ar << m_checked << m_overrideRotation << m_fancyAnnotation;
    else
        ar >> m_checked >> m_overrideRotation >> m_fancyAnnotation;
}

void DrawnPart::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    SerializeSchemaWord(ar, kRecordVersion);
    if (ar.IsStoring()) {
        const std::int32_t number = m_part ? m_part->GetID().GetNumber() : 0;
        ar << number << m_sheetRect.top << m_sheetRect.left << m_sheetRect.bottom << m_sheetRect.right
           << m_rotated;
        return;
    }
    std::int32_t number = 0;
    ar >> number >> m_sheetRect.top >> m_sheetRect.left >> m_sheetRect.bottom >> m_sheetRect.right
        >> m_rotated;
    m_part = FindPartByNumberInContext(number, mapper);
}

void StockSpec::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    // Read into a copy: a load that fails part-way leaves the stock as it was.
    StockSpec stock = ar.IsStoring() ? *this : StockSpec {};
    SerializeSchemaWord(ar, kRecordVersion);
    SerializeSharedMaterialRef(ar, stock.material, mapper, MakeMaterialIdentity);
    mapper->SerializeObject(ar, stock.size, MakeSizeCostIdentity);
    if (ar.IsStoring()) {
        ar.Write(static_cast<std::uint32_t>(matType));
        return;
    }
    RequireLoaded(ar, stock.material);
    RequireLoaded(ar, stock.size);
    std::uint32_t type = 0;
    ar.Read(type);
    stock.matType = static_cast<int>(type);
    *this = std::move(stock);
}

void Diagram::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    SerializeSchemaWord(ar, kRecordVersion);
    m_stock.Serialize(ar, mapper);
    SerializeAltGeometries(ar, *m_geometries, mapper);
    SerializeGeoStatsList(ar, m_stats);
    if (ar.IsLoading())
        ComputeFixedStats();
}

void IdenticalDiagramStack::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    SerializeSchemaWord(ar, kRecordVersion);
    if (ar.IsStoring()) {
        ar << static_cast<std::int32_t>(m_count) << static_cast<std::uint32_t>(m_geoStyle) << m_pinned;
        mapper->SerializeRef(ar, m_diagram);
        ar.Write(static_cast<std::int32_t>(m_flags.size()));
        for (DrawnPartFlags& flags : m_flags)
            flags.Serialize(ar);
        return;
    }
    std::int32_t count = 0;
    std::uint32_t style = 0;
    ar >> count >> style >> m_pinned;
    m_count = static_cast<std::uint32_t>(count);
    m_geoStyle = static_cast<int>(style);
    mapper->SerializeRef(ar, m_diagram);
    RequireLoaded(ar, m_diagram);
    const std::int32_t flagsCount = ReadListCount(ar, kFlagsBytes);
    m_flags.clear();
    for (std::int32_t i = 0; i < flagsCount; ++i) {
        DrawnPartFlags flags;
        flags.Serialize(ar);
        m_flags.push_back(flags);
    }
}
