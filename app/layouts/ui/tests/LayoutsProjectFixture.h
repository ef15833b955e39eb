#pragma once
// A real project for the layouts page's panes: the document of the project
// tests with its materials Oak and Ash, optimized by running its jobs, the
// strings of every layer the panes show, and a stand-in for the page's view
// manager that records what the take-off list and the tree report.

#include "ProjectDocumentFixture.h"

#include "grids/GridsStrings.h"
#include "layouts/LayoutsStrings.h"
#include "layouts/ui/ILayoutsTakeOffListMgr.h"
#include "layouts/ui/ILayoutsTreeMgr.h"
#include "model/ThicknessBasedOptTarget.h"
#include "optimization/TopLevelBOM.h"

#include <vector>

class FakeLayoutsPageOwner : public ITakeOffListOwner, public ILayoutsTreeOwner
{
public:
    DisplayDiagramPtr current;
    OptimizationResultsPtr results;
    TakeOffSelection selection;
    bool editAllowed = true;
    std::vector<TakeOffSelection> reported;
    std::vector<int> sources;
    std::vector<int> modes;
    // The page's selection at each drag.
    std::vector<TakeOffSelection> drags;
    std::vector<LayoutsTreeSelection> treeReports;
    int resized = 0;
    std::vector<int> frameCommands;

    DisplayDiagramPtr GetCurrentDiagram() const override { return current; }
    int GetCurrentDiagramIndex() const override { return 0; }
    TakeOffSelection GetTakeOffSelection() const override { return selection; }
    bool IsTakeOffTurnMatched() const override { return true; }

    OptimizationResultsPtr GetSelectedResults() const override { return results; }
    void OnTakeOffSelectionChanged(const TakeOffSelection& picked, int source) override
    {
        selection = picked;
        reported.push_back(picked);
        sources.push_back(source);
    }
    void SetTakeOffMode(int kind) override { modes.push_back(kind); }
    bool IsManualEditingAllowed() const override { return editAllowed; }
    void BeginListDrag() override { drags.push_back(selection); }
    void OnListKeyDown(int) override { }
    void OnListKeyUp(int) override { }

    void OnTreeSelectionChanged(const LayoutsTreeSelection& picked) override
    {
        treeReports.push_back(picked);
    }
    void OnTreeResized() override { ++resized; }
    QWidget* GetFrameWnd() const override { return nullptr; }
    void SendFrameCommand(int id) override { frameCommands.push_back(id); }
};

class LayoutsProjectTest : public ProjectDocumentTest
{
protected:
    void SetUp() override
    {
        ProjectDocumentTest::SetUp();
        InitUIStrings(m_strings.path(),
            { FoundationStringResources(), ModelStringResources(), OptimizationStringResources(),
                DocumentStringResources(), GridsStringResources(), LayoutsStringResources() });
    }

    void Optimize()
    {
        RunJobs(*m_doc);
        ASSERT_TRUE(m_doc->IsFullyOptimized());
    }

    // The results of the material at the thickness; empty when none.
    OptimizationResultsPtr ResultsOf(
        const std::shared_ptr<CSheetGoodEx>& material, double thickness = 0.75) const
    {
        const auto bom = m_doc->GetSheetGoodsBOM();
        for (unsigned i = 0; i < bom->GetCount(); ++i) {
            const MaterialBOMPtr materialBom = bom->GetMaterialBOM(static_cast<int>(i));
            if (!materialBom || materialBom->GetMaterial() != material)
                continue;
            for (const OptimizationResultsPtr& results : materialBom->GetResultsList())
                if (results->GetTarget()
                    && results->GetTarget()->GetCriteria()->GetThickness().GetUnits() == Units(thickness))
                    return results;
        }
        return nullptr;
    }

    QTemporaryDir m_strings;
    FakeLayoutsPageOwner m_owner;
};
