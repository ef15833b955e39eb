#include "optimization/OptimizationTarget.h"

#include "foundation/IdentityMapper.h"
#include "model/CMilledPart.h"
#include "model/IMaterialData.h"
#include "model/IOptimizableMaterial.h"
#include "model/IOptimizableSize.h"
#include "model/ThicknessBasedOptTarget.h"
#include "optimization/MaterialBOM.h"
#include "optimization/PinnedUsage.h"
#include "optimization/StockSpec.h"

#include <algorithm>

void OptTargetBase::AddPart(CMilledPart* part)
{
    m_parts.push_back(part);
    SetOptimized(false);
}

void OptTargetBase::RemovePart(const CMilledPart* part)
{
    std::erase(m_parts, part);
    SetOptimized(false);
}

bool OptTargetBase::ContainsPart(const CMilledPart* part) const
{
    return std::find(m_parts.begin(), m_parts.end(), part) != m_parts.end();
}

void OptTargetBase::ResetPartPlacement()
{
    for (CMilledPart* part : m_parts)
        part->ClearHandPlacedCopies();
    SetOptimized(false);
}

void OptTargetBase::ClearParts()
{
    ResetPartPlacement();
    m_parts.clear();
}

OptimizationTarget::OptimizationTarget()
    : m_criteria(std::make_shared<ThicknessBasedOptTarget>())
{ }

OptimizationTarget::OptimizationTarget(std::shared_ptr<OptTargetCriteria> criteria, const PinnedUsage& usage)
    : m_criteria(std::move(criteria))
{
    RefreshStock(usage);
}

OptimizationTarget::~OptimizationTarget() = default;

std::shared_ptr<IOptimizableMaterial> OptimizationTarget::GetMaterial() const
{
    return m_criteria ? m_criteria->GetMaterial() : nullptr;
}

QString OptimizationTarget::GetMaterialName() const
{
    const auto material = GetMaterial();
    const IMaterialData* data = material ? material->AsMaterialData() : nullptr;
    return data ? data->GetName() : QString();
}

int OptimizationTarget::GetMaterialKind() const
{
    const auto material = GetMaterial();
    return material ? material->GetKind() : 0;
}

std::shared_ptr<IOptimizedMaterialBOM> OptimizationTarget::CreateMaterialBOM() const
{
    const auto material = GetMaterial();
    return material ? std::dynamic_pointer_cast<IOptimizedMaterialBOM>(material->CreateBOM()) : nullptr;
}

void OptimizationTarget::RemovePinnedLayout(const StackPtr& stack)
{
    std::erase(m_pinned, stack);
}

bool OptimizationTarget::MatchesStock(const StockSpec& stock) const
{
    return m_criteria && CriteriaMatchesStock(*m_criteria, stock);
}

bool OptimizationTarget::CriteriaEquals(const std::shared_ptr<OptTargetCriteria>& criteria) const
{
    return m_criteria && m_criteria->Equals(criteria);
}

QString OptimizationTarget::FormatThickness() const
{
    return m_criteria ? m_criteria->FormatThickness() : QString();
}

void OptimizationTarget::RefreshStock(const PinnedUsage& usage)
{
    m_stock.clear();
    if (const auto material = GetMaterial())
        m_stock = material->GetStockSizes(*m_criteria, usage.GetStockUsage());
    SetOptimized(false);
}

void OptimizationTarget::RenewCriteria()
{
    if (m_criteria)
        m_criteria = m_criteria->Clone();
    for (const StackPtr& stack : m_pinned)
        stack->RelinkStock();
}

void OptimizationTarget::ReapplyPinnedLayouts(PinnedUsage& usage)
{
    for (const StackPtr& stack : m_pinned)
        stack->ApplyPinnedUsage(usage);
}

void OptimizationTarget::WithdrawPinnedLayouts(PinnedUsage& usage)
{
    for (const StackPtr& stack : m_pinned)
        stack->WithdrawPinnedUsage(usage);
}

void OptimizationTarget::RestorePinnedLayouts(PinnedUsage& usage)
{
    for (const StackPtr& stack : m_pinned)
        if (stack->IsPinned())
            stack->RestorePinnedUsage(usage);
}

void OptimizationTarget::ResetParts(bool keepParts)
{
    if (keepParts) {
        ResetPartPlacement();
    } else {
        ClearParts();
        RenewCriteria();
    }
}

void OptimizationTarget::ResetForReoptimization(PinnedUsage& usage, bool keepParts)
{
    WithdrawPinnedLayouts(usage);
    ResetParts(keepParts);
    ReapplyPinnedLayouts(usage);
    RefreshStock(usage);
}

void OptimizationTarget::RestoreAfterLoad(PinnedUsage& usage, bool keepParts)
{
    // A locked project's target keeps the results it was saved with, and a
    // locked project never runs again: only the pinned sheets and the
    // hand-placed copies are counted anew, and the target stays as optimized
    // as the file says.
    const bool optimized = keepParts && IsOptimized();
    ResetParts(keepParts);
    RestorePinnedLayouts(usage);
    RefreshStock(usage);
    SetOptimized(optimized);
}


bool CriteriaMatchesStock(const OptTargetCriteria& criteria, const StockSpec& stock)
{
    return stock.material && stock.size && criteria.GetMaterial() == stock.material
        && criteria.MatchesThickness(*stock.size);
}

std::shared_ptr<IManagedIdentity> MakeCriteriaFromTypeCode(std::uint32_t typeCode)
{
    if (typeCode == ThicknessBasedOptTarget::kTypeCode)
        return std::make_shared<ThicknessBasedOptTarget>();
    return nullptr;
}
