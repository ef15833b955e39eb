// One optimization job: results built from the optimizer's answer, stored in
// the material's bill, and the parts' counts and reasons.
#include "FakeLayouts.h"
#include "FakeOptimizationDoc.h"
#include "TargetTestFixture.h"

#include "foundation/SessionLog.h"
#include "model/CSkippedPartInfo.h"
#include "model/ThicknessBasedOptTarget.h"
#include "optimization/CuttingRulesFactory.h"
#include "optimization/OptJobFactory.h"
#include "optimization/OptimizationManager.h"

#include <QCoreApplication>
#include <QFile>

#include <thread>

namespace {

class JobTest : public TargetTest
{
protected:
    void SetUp() override
    {
        TargetTest::SetUp();
        SetCurrentProjectSettings(&m_settings);
        m_material = AddMaterial(QStringLiteral("Maple"));
        m_row = AddRow(*m_material, 0.75, 48, 96);
        m_other = AddRow(*m_material, 0.75, 60, 120);
        m_row->SetUnlimited();
        m_other->SetUnlimited();
        m_first = AddPart(m_material, Inches(0.75));
        m_second = AddPart(m_material, Inches(0.75));
        m_target = Join(m_first);
        ASSERT_TRUE(m_target);
        m_target->AddPart(m_second);
        m_sink = m_target->CreateMaterialBOM();
        ASSERT_TRUE(m_sink);
        m_stocks = MakeStockProxies(m_usage, *m_target);
        ASSERT_EQ(m_stocks.size(), 2U);
        m_parts = MakePartProxies(*m_target, MakeCuttingRules(m_material.get()));
    }

    void TearDown() override
    {
        SetCurrentProjectSettings(nullptr);
        TargetTest::TearDown();
    }

    // A master layout of a stock with the first part on it.
    FakeLayout& AddLayout(FakeOptimizer& optimizer, int stock)
    {
        optimizer.layouts.push_back(std::make_unique<FakeLayout>(m_stocks[stock].get()));
        optimizer.layouts.back()->Place(m_parts[0].get(), { 0, 0, Units(10), Units(20) });
        return *optimizer.layouts.back();
    }

    std::unique_ptr<OptimizationManager> MakeJob(
        std::unique_ptr<FakeOptimizer> optimizer, int preferredStyle = 0)
    {
        OptimizationJobInputs inputs;
        inputs.build.material = m_material;
        inputs.preferredStyle = preferredStyle;
        inputs.progress = &m_dialog;
        return std::make_unique<OptimizationManager>(
            m_sink, m_target, m_stocks, m_parts, std::move(optimizer), inputs);
    }

    const ResultsList& Stored() const { return m_sink->GetResultsList(); }

    ProjectSettings m_settings;
    FakeProgressDialog m_dialog;
    std::shared_ptr<CSheetGoodEx> m_material;
    std::shared_ptr<ISGSC> m_row;
    std::shared_ptr<ISGSC> m_other;
    CMilledPart* m_first = nullptr;
    CMilledPart* m_second = nullptr;
    OptimizationTargetPtr m_target;
    MaterialBOMPtr m_sink;
    StockProxyList m_stocks;
    PartProxyList m_parts;
};

TEST_F(JobTest, StacksOfOneRowObjectShareALineItem)
{
    auto optimizer = std::make_unique<FakeOptimizer>();
    AddLayout(*optimizer, 0);
    AddLayout(*optimizer, 1);
    AddLayout(*optimizer, 0).Place(m_parts[1].get(), { Units(12), 0, Units(22), Units(20) });
    MakeJob(std::move(optimizer))->Run();

    ASSERT_EQ(Stored().size(), 1U);
    const OptimizationResultsPtr& results = Stored().front();
    EXPECT_EQ(results->GetStacks().size(), 3U);
    const OptimizedLineItemList& items = results->GetLineItems();
    ASSERT_EQ(items.size(), 2U);
    EXPECT_EQ(items[0]->GetSizeCost(), m_row);
    EXPECT_EQ(items[0]->GetLayouts().size(), 2U);
    EXPECT_EQ(items[1]->GetSizeCost(), m_other);
    EXPECT_EQ(items[1]->GetLayouts().size(), 1U);
    EXPECT_TRUE(m_target->IsOptimized());
}

TEST_F(JobTest, PinnedStacksJoinEveryResultAndKeepTheirStyle)
{
    const StackPtr pinned
        = MakeStack({ m_material, m_other, 0 }, { Drawn(m_second, 0, 0, 10, 20) }, 1, { 0, 2 });
    pinned->Pin(m_usage);
    m_target->AddPinnedLayout(pinned);

    auto optimizer = std::make_unique<FakeOptimizer>();
    AddLayout(*optimizer, 1).AddStyle(2);
    AddLayout(*optimizer, 0);
    MakeJob(std::move(optimizer), 2)->Run();

    ASSERT_EQ(Stored().size(), 1U);
    const OptimizationResultsPtr& results = Stored().front();
    ASSERT_EQ(results->GetStacks().size(), 3U);
    ASSERT_EQ(results->GetLineItems().size(), 2U);
    const OptimizedLineItemPtr& first = results->GetLineItems().front();
    EXPECT_EQ(first->GetSizeCost(), m_other);
    ASSERT_EQ(first->GetLayouts().size(), 2U);
    EXPECT_EQ(first->GetLayouts()[1], pinned);
    EXPECT_EQ(pinned->GetCurrentGeoStyle(), 0);
    for (const StackPtr& stack : results->GetStacks()) {
        if (stack != pinned) {
            EXPECT_EQ(stack->GetCurrentGeoStyle(), stack->HasGeometry(2) ? 2 : 0);
        }
    }
}

TEST_F(JobTest, PartsTakeTheOptimizersCountsButNotItsManualEditReason)
{
    m_first->SetSkipReason(CSkippedPartInfo::NoInventory);
    m_second->SetSkipReason(CSkippedPartInfo::Undetermined);
    auto optimizer = std::make_unique<FakeOptimizer>();
    optimizer->Report(m_parts[0].get(), 4, optimization::SkipNone);
    optimizer->Report(m_parts[1].get(), 1, optimization::SkipManualEdit);
    MakeJob(std::move(optimizer))->Run();

    EXPECT_EQ(m_first->GetOptimizerPlacedCopies(), 4U);
    EXPECT_EQ(m_first->GetSkipInfo().GetReason(), 0U);
    EXPECT_EQ(m_second->GetOptimizerPlacedCopies(), 1U);
    EXPECT_EQ(m_second->GetSkipInfo().GetReason(), CSkippedPartInfo::Undetermined);
}

TEST_F(JobTest, ACancelledJobChangesNothing)
{
    m_first->SetOptimizerPlacedCopies(2);
    m_first->SetSkipReason(CSkippedPartInfo::NoInventory);
    auto optimizer = std::make_unique<FakeOptimizer>();
    AddLayout(*optimizer, 0);
    optimizer->Report(m_parts[0].get(), 4, optimization::SkipNone);
    optimizer->answer = false;
    m_dialog.RequestCancel();
    MakeJob(std::move(optimizer))->Run();

    EXPECT_TRUE(Stored().empty());
    EXPECT_FALSE(m_target->IsOptimized());
    EXPECT_EQ(m_first->GetOptimizerPlacedCopies(), 2U);
    EXPECT_EQ(m_first->GetSkipInfo().GetReason(), CSkippedPartInfo::NoInventory);
}

// A failed optimizer settles its target: otherwise every showing of the
// layouts would collect it and fail again.
void ExpectFailedTarget(const MaterialBOMPtr& sink, const OptimizationTargetPtr& target)
{
    ASSERT_EQ(sink->GetResultsList().size(), 1U);
    EXPECT_FALSE(sink->GetResultsList().front()->IsPending());
    EXPECT_TRUE(sink->GetResultsList().front()->GetStacks().empty());
    EXPECT_TRUE(target->IsOptimized());
    for (CMilledPart* part : target->GetParts()) {
        EXPECT_EQ(part->GetSkipInfo().GetReason(), CSkippedPartInfo::Undetermined);
        EXPECT_EQ(part->GetOptimizerPlacedCopies(), 0U);
    }
}

TEST_F(JobTest, AnOptimizerThatFailsWithoutCancelMarksTheTargetFailed)
{
    m_first->SetOptimizerPlacedCopies(3);
    auto optimizer = std::make_unique<FakeOptimizer>();
    optimizer->answer = false;
    MakeJob(std::move(optimizer))->Run();
    ExpectFailedTarget(m_sink, m_target);
}

// Other test programs write to the same session log at the same time: only
// the lines naming this program's own target count.
int CountFailureLines(const QString& target)
{
    QFile log(SessionLog::Instance().GetPath());
    return log.open(QIODevice::ReadOnly)
        ? QString::fromUtf8(log.readAll()).count(QStringLiteral("Optimization failed: ") + target)
        : -1;
}

TEST_F(JobTest, ATargetTheOptimizerRefusesIsFailedAndLogged)
{
    m_material->SetName(QStringLiteral("Maple %1").arg(QCoreApplication::applicationPid()));
    const QString target = m_target->GetCriteria()->GetDisplayText();
    const int logged = CountFailureLines(target);
    m_first->SetLength(Inches(13000));
    FakeOptimizationDoc doc;
    const auto job = m_target->GetJobFactory()->CreateJob(m_sink, m_usage, doc);
    ASSERT_TRUE(job);
    job->Run();
    ExpectFailedTarget(m_sink, m_target);

    EXPECT_EQ(CountFailureLines(target), logged + 1);
}

TEST_F(JobTest, OneJobThroughTheOptimizerStoresDiagramsLineItemsAndReasons)
{
    m_material->GetSizeCosts().erase(m_material->GetSizeCosts().begin() + 1);
    m_target->RefreshStock(m_usage);
    CMilledPart* tooLarge = AddPart(m_material, Inches(0.75), 1);
    tooLarge->SetWidth(Inches(50));
    tooLarge->SetLength(Inches(100));
    m_target->AddPart(tooLarge);
    m_prefs.prefs->SetFlag(2113, false);
    FakeOptimizationDoc doc;
    doc.progress = &m_dialog;
    const auto job = m_target->GetJobFactory()->CreateJob(m_sink, m_usage, doc);
    // The job took what it reads of the project when it was made.
    m_prefs.prefs->SetFlag(2113, true);
    job->Run();

    ASSERT_EQ(Stored().size(), 1U);
    const OptimizationResultsPtr& results = Stored().front();
    ASSERT_FALSE(results->GetStacks().empty());
    ASSERT_EQ(results->GetLineItems().size(), 1U);
    EXPECT_EQ(results->GetLineItems()[0]->GetSizeCost(), m_row);
    std::uint32_t drawn = 0;
    for (const StackPtr& stack : results->GetStacks()) {
        EXPECT_FALSE(stack->GetAllCopyFlags().front().IsFancyAnnotationStyle());
        for (const DrawnPartPtr& part : stack->GetCurrentParts()) {
            EXPECT_TRUE(part->GetPart() == m_first || part->GetPart() == m_second);
            EXPECT_LE(part->GetSheetRect().right, Units(96));
            EXPECT_LE(part->GetSheetRect().bottom, Units(48));
            drawn += stack->GetCount();
        }
    }
    EXPECT_EQ(drawn, 8U);
    EXPECT_TRUE(m_target->IsOptimized());
    EXPECT_EQ(m_first->GetOptimizerPlacedCopies(), 4U);
    EXPECT_EQ(m_first->GetSkipInfo().GetReason(), 0U);
    EXPECT_EQ(tooLarge->GetOptimizerPlacedCopies(), 0U);
    EXPECT_EQ(tooLarge->GetSkipInfo().GetReason(), CSkippedPartInfo::NoStockWL);
}

} // namespace

namespace {

// Two thicknesses of one material share the material's bill: their jobs,
// made on this thread, run on two workers at once.
TEST_F(JobTest, JobsOfOneMaterialRunOnWorkersAtOnce)
{
    AddRow(*m_material, 0.5, 48, 96)->SetUnlimited();
    CMilledPart* thin = AddPart(m_material, Inches(0.5), 3);
    const OptimizationTargetPtr other = Join(thin);
    ASSERT_TRUE(other);
    ASSERT_NE(other, m_target);
    FakeOptimizationDoc doc;
    const auto first = m_target->GetJobFactory()->CreateJob(m_sink, m_usage, doc);
    const auto second = other->GetJobFactory()->CreateJob(m_sink, m_usage, doc);
    std::thread a([&first] { first->Run(); });
    std::thread b([&second] { second->Run(); });
    a.join();
    b.join();

    EXPECT_EQ(Stored().size(), 2U);
    EXPECT_TRUE(m_target->IsOptimized());
    EXPECT_TRUE(other->IsOptimized());
    EXPECT_EQ(thin->GetOptimizerPlacedCopies(), 3U);
    EXPECT_EQ(m_first->GetOptimizerPlacedCopies(), 4U);
}

} // namespace
