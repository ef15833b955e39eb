// From the optimizer's result layouts to the target's stacks.
#include "FakeLayouts.h"
#include "TargetTestFixture.h"

#include "optimization/CuttingRulesFactory.h"
#include "optimization/DiagramBuilder.h"
#include "optimization/OptJobFactory.h"

namespace {

void ExpectStats(const GeometryBasedStats& stats, std::uint32_t cutsPadded, double lengthPadded, std::uint32_t cuts,
                 double length)
{
    EXPECT_TRUE(stats.GetCuts(true).valid && stats.GetCuts(false).valid);
    EXPECT_EQ(stats.GetCuts(true).value, cutsPadded);
    EXPECT_DOUBLE_EQ(stats.GetCutLength(true).value, lengthPadded);
    EXPECT_EQ(stats.GetCuts(false).value, cuts);
    EXPECT_DOUBLE_EQ(stats.GetCutLength(false).value, length);
}

class BuilderTest : public TargetTest
{
protected:
    void SetUp() override
    {
        TargetTest::SetUp();
        m_material = AddMaterial(QStringLiteral("Oak"));
        m_row = AddRow(*m_material, 0.75, 48, 96, 0.25, 0.5);
        m_other = AddRow(*m_material, 0.75, 60, 120);
        m_stock = MakeStockProxy(m_usage, *m_row, m_material.get());
        m_otherStock = MakeStockProxy(m_usage, *m_other, m_material.get());
        for (int i = 0; i < 2; ++i) {
            CMilledPart* part = AddPart(m_material, Inches(0.75));
            m_proxies.push_back(std::make_shared<optimization::PartProxy>(
                part, MakePartDescriptor(*part, MakeCuttingRules(m_material.get()))));
        }
        m_inputs.material = m_material;
    }

    std::shared_ptr<CSheetGoodEx> m_material;
    std::shared_ptr<ISGSC> m_row;
    std::shared_ptr<ISGSC> m_other;
    std::shared_ptr<optimization::StockProxy> m_stock;
    std::shared_ptr<optimization::StockProxy> m_otherStock;
    PartProxyList m_proxies;
    DiagramBuildInputs m_inputs;
};

TEST_F(BuilderTest, DuplicatesAreCountedInTheirMasterInTheOptimizersOrder)
{
    std::vector<std::unique_ptr<FakeLayout>> owned;
    for (int i = 0; i < 5; ++i) {
        owned.push_back(std::make_unique<FakeLayout>(i == 3 ? m_otherStock.get() : m_stock.get()));
        owned.back()->Place(m_proxies[0].get(), {0, 0, Units(10), Units(20)});
    }
    owned[0]->duplicates = 2;
    owned[1]->duplicate = true;
    owned[4]->duplicate = true;
    std::vector<optimization::ITopLevelLayout*> layouts;
    for (const auto& layout : owned)
        layouts.push_back(layout.get());

    StackList stacks;
    BuildDiagramStacks(layouts, m_inputs, stacks);
    ASSERT_EQ(stacks.size(), 3U);
    EXPECT_EQ(stacks[0]->GetCount(), 3U);
    EXPECT_EQ(stacks[0]->GetAllCopyFlags().size(), 3U);
    EXPECT_EQ(stacks[1]->GetCount(), 1U);
    EXPECT_EQ(stacks[0]->GetStockSpec().size, std::static_pointer_cast<IOptimizableSize>(m_row));
    EXPECT_EQ(stacks[1]->GetStockSpec().size, std::static_pointer_cast<IOptimizableSize>(m_row));
    EXPECT_EQ(stacks[2]->GetStockSpec().size, std::static_pointer_cast<IOptimizableSize>(m_other));
    EXPECT_EQ(stacks[0]->GetStockSpec().material, std::static_pointer_cast<IOptimizableMaterial>(m_material));
    EXPECT_FALSE(stacks[0]->IsPinned());
    EXPECT_EQ(layouts.size(), 5U);
}

TEST_F(BuilderTest, PlacedPartsMoveOntoTheRoughSheetByTheTrims)
{
    FakeLayout layout(m_stock.get());
    layout.Place(m_proxies[0].get(), {0, 0, Units(10), Units(20)});
    layout.Place(m_proxies[0].get(), {Units(10), 0, Units(30), Units(10)}, true);
    const StackPtr stack = BuildDiagramStack(layout, m_inputs);
    const DrawnPartList& parts = stack->GetCurrentParts();
    ASSERT_EQ(parts.size(), 2U);
    // Left/right trim 1/2 in along x, top/bottom trim 1/4 in along y.
    EXPECT_EQ(parts[0]->GetSheetRect(), platform::Rect(8192, 4096, Units(10) + 8192, Units(20) + 4096));
    EXPECT_EQ(parts[1]->GetSheetRect(), platform::Rect(Units(10) + 8192, 4096, Units(30) + 8192, Units(10) + 4096));
    EXPECT_EQ(parts[0]->GetPart(), parts[1]->GetPart());
    EXPECT_FALSE(parts[0]->IsRotated());
    EXPECT_TRUE(parts[1]->IsRotated());
}

TEST_F(BuilderTest, EveryStyleTheLayoutHoldsBecomesAGeometryWithItsCutStatistics)
{
    FakeLayout layout(m_stock.get(), optimization::PreferCrossCuts);
    layout.Place(m_proxies[0].get(), {0, 0, Units(10), Units(20)}, false, 0);
    layout.Place(m_proxies[1].get(), {0, 0, Units(10), Units(20)}, false, 2);
    const StackPtr stack = BuildDiagramStack(layout, m_inputs);
    const Diagram& diagram = *stack->GetDiagram();
    ASSERT_EQ(diagram.GetAltGeometries()->size(), 2U);
    EXPECT_EQ(diagram.GetAltGeometries()->begin()->first, 0);
    EXPECT_EQ(diagram.GetAltGeometries()->rbegin()->first, 2);
    EXPECT_EQ(diagram.GetAltGeometries()->at(2).front()->GetPart(), m_proxies[1]->GetPart());
    ASSERT_EQ(diagram.GetGeoStatsList().size(), 2U);
    ExpectStats(diagram.GetGeoStatsList().at(2), 105, 50.5, 5, 40.25);
    ExpectStats(diagram.GetGeoStatsList().at(0), 103, 50.5, 3, 40.25);
    EXPECT_EQ(stack->GetCurrentGeoStyle(), 2);
}

TEST_F(BuilderTest, NewCopiesTakeTheMaterialsAnnotationStyle)
{
    for (bool fancy : {false, true}) {
        m_prefs.prefs->SetFlag(2113, fancy);
        const DrawnPartFlags flags = MakeInitialDrawnPartFlags(m_material.get());
        EXPECT_EQ(flags.IsFancyAnnotationStyle(), fancy);
        EXPECT_FALSE(flags.IsChecked());
        EXPECT_FALSE(flags.IsOverrideRotation());
    }
}

} // namespace
