// A whole run behind the real progress dialog: real optimizer jobs on the
// task's workers, the rows moving on the dialog's thread, the close, the
// time line, and the ways a run can end early.
#include "FakeOptimizationDoc.h"
#include "TargetTestFixture.h"

#include "foundation/SessionLog.h"
#include "model/ModelUiHook.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/DiagramIndex.h"
#include "optimization/OptJobFactory.h"
#include "optimization/OptimizationTask.h"
#include "optimization/RunStartLatch.h"
#include "optimization/ui/CTaskProgressDialog.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <tbb/global_control.h>
#include <tbb/info.h>
#include <tbb/task_arena.h>
#include <tbb/task_group.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

namespace {

// The session log is one file per user, and the test processes that run at
// the same time would empty and fill it under each other's feet: this
// process keeps a log of its own.
class PrivateSessionLog : public ::testing::Environment
{
public:
    void SetUp() override { qputenv("XDG_DATA_HOME", m_folder.path().toUtf8()); }

private:
    QTemporaryDir m_folder;
};

const auto* const g_privateLog = ::testing::AddGlobalTestEnvironment(new PrivateSessionLog);

QString SessionLogText()
{
    QFile log(SessionLog::Instance().GetPath());
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

int CountLogLines(int level, const QString& text)
{
    return SessionLogText().count(QStringLiteral("[%1] %2").arg(SessionLog::LevelName(level), text));
}

// A run that never ends would hold the whole test run until its time-out:
// end the process with a message instead.
class Watchdog
{
public:
    Watchdog()
        : m_thread([this] {
            std::unique_lock lock(m_mutex);
            if (!m_done.wait_for(lock, std::chrono::seconds(60), [this] { return m_disarmed; })) {
                std::fputs("The optimization run never ended\n", stderr);
                std::abort();
            }
        })
    { }
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_disarmed = true;
        }
        m_done.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_disarmed = false;
    std::thread m_thread;
};

const QString kTimeLine = QStringLiteral("Total optimization time: ");

// Runs another job, holding it back at a gate first.
class GatedJob : public IOptimizationMgr
{
public:
    GatedJob(std::shared_ptr<IOptimizationMgr> job, std::function<void()> before, std::function<void()> after)
        : m_job(std::move(job))
        , m_before(std::move(before))
        , m_after(std::move(after))
    { }
    void Run() override
    {
        m_before();
        m_job->Run();
        m_after();
    }

private:
    std::shared_ptr<IOptimizationMgr> m_job;
    std::function<void()> m_before;
    std::function<void()> m_after;
};

// The run renumbers the results through the document's manager.
class RunDoc : public FakeOptimizationDoc
{
public:
    std::shared_ptr<BOMOptMgr> GetBOMOptMgr() const override { return manager; }
    std::shared_ptr<BOMOptMgr> manager = std::make_shared<BOMOptMgr>();
};

class ThrowingJob : public IOptimizationMgr
{
public:
    void Run() override { throw std::runtime_error("stock list damaged"); }
};

// Two targets of one maple sheet good, 3/4 in and 1/2 in, with two parts each.
class RunTest : public TargetTest
{
protected:
    void SetUp() override
    {
        TargetTest::SetUp();
        SetCurrentProjectSettings(&m_settings);
        m_material = AddMaterial(QStringLiteral("Maple"));
        for (const double thickness : { 0.75, 0.5 }) {
            AddRow(*m_material, thickness, 48, 96)->SetUnlimited();
            CMilledPart* part = AddPart(m_material, Inches(thickness), 3);
            const OptimizationTargetPtr target = Join(part);
            ASSERT_TRUE(target);
            target->AddPart(AddPart(m_material, Inches(thickness), 2));
            m_targets.push_back(target);
        }
        ASSERT_NE(m_targets[0], m_targets[1]);
        m_sink = m_targets[0]->CreateMaterialBOM();
        m_previousHook = SetModelMessageHook([this](const QString& text) { m_messages.push_back(text); });
    }

    void TearDown() override
    {
        SetModelMessageHook(m_previousHook);
        SetCurrentProjectSettings(nullptr);
        TargetTest::TearDown();
    }

    TaskProgressRows Rows() const { return MakeTaskProgressRows({ m_targets[0], m_targets[1] }); }

    // The jobs are made on this thread once the dialog exists, as the document makes them.
    OptimizationJobs MakeJobs(optimization::OptProgressDlgBase& dialog)
    {
        m_doc.progress = &dialog;
        OptimizationJobs jobs;
        for (const OptimizationTargetPtr& target : m_targets)
            jobs.push_back(target->GetJobFactory()->CreateJob(m_sink, m_usage, m_doc));
        return jobs;
    }

    Watchdog m_watchdog;
    ProjectSettings m_settings;
    RunDoc m_doc;
    RunStartLatch m_start;
    std::shared_ptr<CSheetGoodEx> m_material;
    std::vector<OptimizationTargetPtr> m_targets;
    MaterialBOMPtr m_sink;
    ModelMessageHook m_previousHook;
    std::vector<QString> m_messages;
};

TEST_F(RunTest, BothRowsMoveThroughRunningToFinishedAndOneTimeLineIsLogged)
{
    const int timeLines = CountLogLines(SessionLog::Timer, kTimeLine);
    CTaskProgressDialog dialog(m_start, Rows());
    std::vector<std::pair<int, int>> moves;
    QObject::connect(&dialog, &CTaskProgressDialog::taskStateChanged,
        [&moves](int row, int state) { moves.emplace_back(row, state); });

    EXPECT_TRUE(RunOptimizationJobsWithProgress(m_doc, m_start, dialog, MakeJobs(dialog)));

    EXPECT_FALSE(dialog.isVisible());
    for (int row : { 0, 1 }) {
        SCOPED_TRACE(row);
        std::vector<int> states;
        for (const auto& [movedRow, state] : moves) {
            if (movedRow == row)
                states.push_back(state);
        }
        EXPECT_EQ(states, (std::vector<int> { TaskProgressRow::Running, TaskProgressRow::Finished }));
        EXPECT_EQ(dialog.GetRows()[static_cast<std::size_t>(row)].state, TaskProgressRow::Finished);
        EXPECT_TRUE(m_targets[static_cast<std::size_t>(row)]->IsOptimized());
    }
    EXPECT_EQ(m_sink->GetResultsList().size(), 2U);
    EXPECT_EQ(CountLogLines(SessionLog::Timer, kTimeLine), timeLines + 1);
    EXPECT_TRUE(m_messages.empty());
}

// A machine without spare threads: the task must not wait for this thread,
// which sits in the dialog.
TEST_F(RunTest, RunsWithASingleThread)
{
    const tbb::global_control single(tbb::global_control::max_allowed_parallelism, 1);
    CTaskProgressDialog dialog(m_start, Rows());
    EXPECT_TRUE(RunOptimizationJobsWithProgress(m_doc, m_start, dialog, MakeJobs(dialog)));
    EXPECT_TRUE(m_targets[0]->IsOptimized());
    EXPECT_TRUE(m_targets[1]->IsOptimized());
}

TEST_F(RunTest, ACancelAfterOneTargetEndedKeepsItsResultsAndLeavesTheOtherPending)
{
    CTaskProgressDialog dialog(m_start, Rows());
    // Cancel with the button as soon as a row has finished, then let the
    // jobs go on. Only the job that starts second waits for the cancel, so
    // the run cannot stall on a single worker thread.
    RunStartLatch cancelled;
    QObject::connect(&dialog, &CTaskProgressDialog::taskStateChanged, [&](int, int state) {
        if (state == TaskProgressRow::Finished && dialog.GetCancelButton()->isEnabled()) {
            QTest::mouseClick(dialog.GetCancelButton(), Qt::LeftButton);
            cancelled.Open();
        }
    });
    std::atomic<int> started { 0 };
    std::atomic<int> first { -1 };
    OptimizationJobs jobs = MakeJobs(dialog);
    for (int i = 0; i < 2; ++i) {
        jobs[static_cast<std::size_t>(i)] = std::make_shared<GatedJob>(
            jobs[static_cast<std::size_t>(i)],
            [&, i] {
                if (started++ == 0)
                    first = i;
                else
                    cancelled.Wait();
            },
            [&, i] {
                if (first == i)
                    cancelled.Wait();
            });
    }

    EXPECT_FALSE(RunOptimizationJobsWithProgress(m_doc, m_start, dialog, std::move(jobs)));

    ASSERT_NE(first, -1);
    const std::size_t done = static_cast<std::size_t>(first.load());
    const std::size_t other = 1 - done;
    EXPECT_TRUE(dialog.IsCancelRequested());
    EXPECT_FALSE(dialog.isEnabled());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(m_targets[done]->IsOptimized());
    EXPECT_FALSE(m_targets[other]->IsOptimized());
    ASSERT_EQ(m_sink->GetResultsList().size(), 1U);
    EXPECT_EQ(m_sink->GetResultsList().front()->GetTarget(), m_targets[done]);
    EXPECT_EQ(dialog.GetRows()[done].state, TaskProgressRow::Finished);
    EXPECT_EQ(dialog.GetRows()[other].state, TaskProgressRow::Waiting);
    EXPECT_TRUE(m_messages.empty());
}

// After a cancel the finished target's stacks are numbered all the same, so
// that labelling them never fails.
TEST_F(RunTest, ACancelledRunStillNumbersWhatFinished)
{
    m_doc.manager->GetSheetGoodsBOM()->AddMaterialBOM(m_sink);
    CTaskProgressDialog dialog(m_start, Rows());
    QObject::connect(&dialog, &CTaskProgressDialog::taskStateChanged, [&](int, int state) {
        if (state == TaskProgressRow::Finished && dialog.GetCancelButton()->isEnabled())
            QTest::mouseClick(dialog.GetCancelButton(), Qt::LeftButton);
    });
    OptimizationJobs jobs = MakeJobs(dialog);
    jobs.resize(1);
    EXPECT_FALSE(RunOptimizationJobsWithProgress(m_doc, m_start, dialog, std::move(jobs)));
    ASSERT_TRUE(dialog.IsCancelRequested());
    ASSERT_EQ(m_sink->GetResultsList().size(), 1U);
    const StackList& stacks = m_sink->GetResultsList().front()->GetStacks();
    ASSERT_FALSE(stacks.empty());
    for (const StackPtr& stack : stacks)
        EXPECT_FALSE(GetDiagramIndex().FindDiagramLabel(stack).isEmpty());
}

TEST_F(RunTest, AThrowingJobClosesTheDialogAndIsReportedAfterTheRun)
{
    const QString failure = QStringLiteral("Optimization failed: stock list damaged");
    const int failures = CountLogLines(SessionLog::Error, failure);
    CTaskProgressDialog dialog(m_start, Rows());
    OptimizationJobs jobs = MakeJobs(dialog);
    jobs[1] = std::make_shared<ThrowingJob>();

    EXPECT_FALSE(RunOptimizationJobsWithProgress(m_doc, m_start, dialog, std::move(jobs)));

    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(m_targets[0]->IsOptimized());
    EXPECT_EQ(m_messages, std::vector<QString> { failure });
    EXPECT_EQ(CountLogLines(SessionLog::Error, failure), failures + 1);
}

// Starts as many tasks as the concurrency the run's batches are sized by,
// each waiting until all of them have started: a thread short, the last one
// cannot start while the others wait, so each waits a while at most and
// tells whether they all met.
class MeetingJob : public IOptimizationMgr
{
public:
    void Run() override
    {
        sizedFor = tbb::this_task_arena::max_concurrency();
        tbb::task_group tasks;
        for (int i = 0; i < sizedFor; ++i)
            tasks.run([this] { Meet(); });
        tasks.wait();
    }

    int sizedFor = 0;
    bool allMet = true;

private:
    void Meet()
    {
        std::unique_lock lock(m_mutex);
        ++m_arrived;
        m_all.notify_all();
        if (!m_all.wait_for(lock, std::chrono::seconds(10), [this] { return m_arrived == sizedFor; }))
            allMet = false;
    }

    std::mutex m_mutex;
    std::condition_variable m_all;
    int m_arrived = 0;
};

// The run computes on one thread per core, none of them the thread in the
// dialog, and the optimizer's batches are sized by exactly those; under a
// process-wide limit of threads, by the workers the limit leaves.
TEST_F(RunTest, EveryThreadTheBatchesAreSizedForComputes)
{
    const int cores = tbb::info::default_concurrency();
    for (const std::optional<int> limit : { std::optional<int>(), std::optional<int>(3) }) {
        SCOPED_TRACE(limit.value_or(0));
        std::unique_ptr<tbb::global_control> limited;
        if (limit)
            limited = std::make_unique<tbb::global_control>(
                tbb::global_control::max_allowed_parallelism, static_cast<std::size_t>(*limit));
        CTaskProgressDialog dialog(m_start, Rows());
        const auto job = std::make_shared<MeetingJob>();

        EXPECT_TRUE(RunOptimizationJobsWithProgress(m_doc, m_start, dialog, { job }));

        EXPECT_EQ(job->sizedFor, limit ? std::min(cores, *limit - 1) : cores);
        EXPECT_TRUE(job->allMet);
    }
}

// A dialog whose loop ends before it was ever ready.
class NeverReadyDialog : public RunProgressDialog
{
public:
    void RunModal() override { }
    void PostRunDone() override { ++closes; }
    int closes = 0;
};

TEST_F(RunTest, ADialogThatEndsBeforeItIsReadyReleasesTheTaskCancelled)
{
    NeverReadyDialog dialog;
    EXPECT_FALSE(RunOptimizationJobsWithProgress(m_doc, m_start, dialog, MakeJobs(dialog)));

    EXPECT_TRUE(dialog.IsCancelRequested());
    EXPECT_EQ(dialog.closes, 1);
    EXPECT_FALSE(m_targets[0]->IsOptimized());
    EXPECT_FALSE(m_targets[1]->IsOptimized());
    EXPECT_TRUE(m_sink->GetResultsList().empty());
}

} // namespace
