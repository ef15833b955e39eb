#pragma once
// A project's bills and targets as the document holds them, over the target
// tests' world: parts join targets through the manager, and a target is
// "optimized" with hand-made stacks.

#include "TargetTestFixture.h"

#include "optimization/BOMOptMgr.h"
#include "optimization/MaterialBOM.h"
#include "optimization/TopLevelBOM.h"

class ProjectTest : public TargetTest
{
protected:
    PartList Parts() const
    {
        PartList parts;
        for (const auto& part : m_parts)
            parts.push_back(part.get());
        return parts;
    }

    OptimizationTargetPtr TargetOf(const CMilledPart* part) const
    {
        return m_bom->GetTargetsMgr()->FindTargetOfPart(part);
    }

    MaterialBOMPtr BillOf(const QString& name) const
    {
        return std::dynamic_pointer_cast<IOptimizedMaterialBOM>(m_bom->GetSheetGoodsBOM()->FindLineItemByName(name));
    }

    // The target optimized: these stacks are its results, numbered.
    OptimizationResultsPtr Optimized(const OptimizationTargetPtr& target, const StackList& stacks)
    {
        const auto results = ResultsFor(target, stacks);
        m_bom->GetSheetGoodsBOM()->GetMaterialBOMForTarget(*target)->SetResults(results);
        target->SetOptimized(true);
        m_bom->AfterOptimizationRun();
        return results;
    }

    std::shared_ptr<BOMOptMgr> m_bom = std::make_shared<BOMOptMgr>();
};
