#pragma once
// A project-like world for the target tests: a materials library holding
// the test's sheet goods, the data model's and this layer's services, an
// empty diagram numbering and preferences in memory.

#include "OptimizationTestSupport.h"

#include "model/CMaterials.h"
#include "optimization/DiagramIndex.h"
#include "optimization/OptTargetsMgr.h"
#include "optimization/OptimizationResults.h"
#include "optimization/OptimizationManager.h"
#include "optimization/OptimizationServices.h"
#include "optimization/PinnedUsage.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class TargetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterSheetGoodServices();
        RegisterOptimizationServices();
        m_library = new CMaterials(false);
        SetMaterialsLibrary(m_library);
        GetDiagramIndex().Clear();
        m_prefs.prefs->SetInt(3086, 5);
    }

    void TearDown() override
    {
        GetDiagramIndex().Clear();
        SetMaterialsLibrary(nullptr);
    }

    std::shared_ptr<CSheetGoodEx> AddMaterial(const QString& name)
    {
        auto material = MakeSheetGood(name);
        m_library->GetMaterials().push_back(material);
        return material;
    }

    CMilledPart* AddPart(const std::shared_ptr<CSheetGoodEx>& material, CDimension thickness,
                         std::uint32_t copies = 4)
    {
        m_parts.push_back(MakePart(static_cast<int>(m_parts.size()) + 1, 10, 20, copies, material));
        m_parts.back()->SetThickness(thickness);
        return m_parts.back().get();
    }

    // Finds or makes the part's target and puts the part in it.
    OptimizationTargetPtr Join(CMilledPart* part)
    {
        OptimizationTargetPtr target = m_mgr.FindOrCreateTargetForPart(*part, m_usage);
        if (target)
            target->AddPart(part);
        return target;
    }

    // A stack of count sheets of the target's first stock size with the parts drawn once each.
    StackPtr StackFor(const OptimizationTargetPtr& target, std::vector<CMilledPart*> parts, std::uint32_t count)
    {
        StockSpec stock {target->GetMaterial(), target->GetStockList().front(), 0};
        DrawnPartList drawn;
        double x = 0;
        for (CMilledPart* part : parts) {
            drawn.push_back(Drawn(part, x, 0, 10, 20));
            x += 12;
        }
        return MakeStack(stock, drawn, count);
    }

    // The results of a run as the job assembles them: one line per stock
    // row, made by the material, in the order the rows are first used.
    OptimizationResultsPtr ResultsFor(const OptimizationTargetPtr& target, const StackList& stacks)
    {
        OptimizedLineItemList items;
        for (const StackPtr& stack : stacks) {
            if (const OptimizedLineItemPtr item = FindOrCreateLineItem(stack, items))
                item->AddLayout(stack);
        }
        return std::make_shared<OptimizationResults>(target, stacks, items);
    }

    ScopedFakePrefs m_prefs;
    CMaterials* m_library = nullptr;
    OptTargetsMgr m_mgr;
    PinnedUsage m_usage;
    std::vector<std::unique_ptr<CMilledPart>> m_parts;
};
