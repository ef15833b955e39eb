#include "model/ThicknessBasedOptTarget.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/IdentityMapper.h"
#include "foundation/SchemaVersion.h"
#include "model/CSheetGoodEx.h"
#include "model/MaterialCommands.h"
#include "model/MaterialFactory.h"
#include "model/OptimizationTargetHooks.h"
#include "model/SharedMaterialRef.h"

#include <cstdlib>

namespace {
bool WithinCoarse(const CDimension& a, const CDimension& b)
{
    return std::abs(std::int64_t { a.GetUnits() } - b.GetUnits()) <= CDimension::CoarseTolerance;
}
} // namespace

int OptTargetCriteria::GetMaterialKind() const
{
    const auto material = GetMaterial();
    return material ? material->GetKind() : 0;
}

ThicknessBasedOptTarget::ThicknessBasedOptTarget(
    std::shared_ptr<IOptimizableMaterial> material, const CDimension& thickness)
    : m_material(std::move(material))
    , m_thickness(thickness)
{ }

bool ThicknessBasedOptTarget::Equals(const std::shared_ptr<ITargetCriteria>& other) const
{
    const auto* target = dynamic_cast<const ThicknessBasedOptTarget*>(other.get());
    return target && target->m_material == m_material && WithinCoarse(m_thickness, target->m_thickness);
}

QString ThicknessBasedOptTarget::FormatThickness() const
{
    return m_thickness.FormatDimension();
}

QString ThicknessBasedOptTarget::GetDisplayText() const
{
    const IMaterialData* data = m_material ? m_material->AsMaterialData() : nullptr;
    return FormatThickness() + QStringLiteral("  ") + (data ? data->GetName() : QString());
}

bool ThicknessBasedOptTarget::MatchesThickness(const IOptimizableSize& size) const
{
    return WithinCoarse(size.GetThickness(), m_thickness);
}

bool ThicknessBasedOptTarget::Less(const OptTargetCriteria& other) const
{
    const IOptimizableMaterial* mine = m_material.get();
    const IOptimizableMaterial* theirs = other.GetMaterial().get();
    // Targets are ordered by material first; the identity keeps the order
    // the same on every run, where addresses would not.
    const std::uint64_t a = mine ? mine->GetMaterialIdentity() : 0;
    const std::uint64_t b = theirs ? theirs->GetMaterialIdentity() : 0;
    if (a != b)
        return a < b;
    const auto& target = dynamic_cast<const ThicknessBasedOptTarget&>(other);
    return CDimension::LessWithTolerance(m_thickness, target.m_thickness);
}

std::shared_ptr<OptTargetCriteria> ThicknessBasedOptTarget::Clone() const
{
    std::shared_ptr<IOptimizableMaterial> material = m_material;
    if (auto sheetGood = std::dynamic_pointer_cast<CSheetGoodEx>(m_material))
        material = ResolvePartMaterial(sheetGood);
    return std::make_shared<ThicknessBasedOptTarget>(material, m_thickness);
}

void ThicknessBasedOptTarget::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    if (ar.IsStoring())
        ar << std::uint32_t { 1 };
    else
        ReadOrThrowInRange(ar, 1, 1);
    SerializeSharedMaterialRef(ar, m_material, mapper, MakeMaterialIdentity);
    m_thickness.Serialize(ar);
}

void ThicknessBasedOptTarget::ReceiveResolvedReference(std::shared_ptr<IManagedIdentity> object)
{
    if (!m_material)
        return;
    if (auto sheetGood = std::dynamic_pointer_cast<CSheetGoodEx>(m_material)) {
        if (sheetGood->IsDefaultMaterial())
            return;
        if (auto resolved = std::dynamic_pointer_cast<CSheetGoodEx>(object))
            m_material = resolved;
    }
}

void RegisterThicknessTargetServices()
{
    OptimizationTargetServices services = GetOptimizationTargetServices();
    services.createCriteria = [](const std::shared_ptr<IOptimizableMaterial>& material,
                                  const CDimension& thickness) -> std::shared_ptr<OptTargetCriteria> {
        return std::make_shared<ThicknessBasedOptTarget>(material, thickness);
    };
    services.acceptsStockSize
        = [](const OptTargetCriteria& criteria, const ISGSC& row) { return criteria.MatchesThickness(row); };
    services.materialOf = [](const OptTargetCriteria& criteria) -> const IOptimizableMaterial* {
        return criteria.GetMaterial().get();
    };
    RegisterOptimizationTargetServices(std::move(services));
}
