#include "optimization/OptimizationTask.h"

#include "foundation/SessionLog.h"
#include "model/ModelUiHook.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/IOptimizationDoc.h"
#include "optimization/RunProgressDialog.h"
#include "optimization/RunStartLatch.h"

#include <tbb/global_control.h>
#include <tbb/info.h>
#include <tbb/parallel_for_each.h>
#include <tbb/task_arena.h>
#include <tbb/task_group.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>

namespace {

// Milliseconds of a clock that wraps after 49 days; differences stay right
// across the wrap.
std::uint32_t TickCount()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

QString ReasonOf(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("unknown error");
    }
}

} // namespace

void OptimizationRunFailures::Record(const QString& reason)
{
    std::lock_guard lock(m_mutex);
    m_reasons.push_back(reason);
}

bool OptimizationRunFailures::Any() const
{
    std::lock_guard lock(m_mutex);
    return !m_reasons.empty();
}

QString OptimizationRunFailures::First() const
{
    std::lock_guard lock(m_mutex);
    return m_reasons.empty() ? QString() : m_reasons.front();
}

OptimizationTask::OptimizationTask(IOptimizationDoc& document, RunStartLatch& start,
    RunProgressDialog& dialog, OptimizationJobs jobs, OptimizationRunFailures& failures)
    : m_document(&document)
    , m_start(&start)
    , m_dialog(&dialog)
    , m_jobs(std::move(jobs))
    , m_failures(&failures)
{ }

void OptimizationTask::RunOptimizationJobs() const
{
    m_start->Wait();
    const std::uint32_t started = TickCount();
    try {
        RunJobs();
    } catch (...) {
        m_failures->Record(ReasonOf(std::current_exception()));
    }
    // Whatever happened, the dialog must close: the document waits for this
    // task only once the dialog's loop has ended.
    m_dialog->PostRunDone();
    const auto elapsed = static_cast<std::int32_t>(TickCount() - started);
    SessionLog::Instance().Write(
        SessionLog::Timer, QStringLiteral("Total optimization time: %1 ms").arg(elapsed));
}

void OptimizationTask::RunJobs() const
{
    tbb::parallel_for_each(
        m_jobs.begin(), m_jobs.end(), [this](const std::shared_ptr<IOptimizationMgr>& job) {
            // A job that throws must not take the other jobs, or the close of
            // the dialog, with it.
            try {
                BOMOptMgr::RunOptimizationJob(*job);
            } catch (...) {
                m_failures->Record(ReasonOf(std::current_exception()));
            }
        });
}

OptimizationTask MakeOptimizationTask(IOptimizationDoc& document, RunStartLatch& start,
    RunProgressDialog& dialog, OptimizationJobs jobs, OptimizationRunFailures& failures)
{
    return OptimizationTask(document, start, dialog, std::move(jobs), failures);
}

bool RunOptimizationJobsWithProgress(
    IOptimizationDoc& document, RunStartLatch& start, RunProgressDialog& dialog, OptimizationJobs jobs)
{
    OptimizationRunFailures failures;
    // The optimizer sizes its batches by the concurrency of the arena it runs
    // in. This thread sits in the dialog and never joins the work, so the run
    // has an arena of its own whose every slot is a worker's, and for the run
    // as many workers as cores may work; a lower limit set for the process
    // still holds, and then the arena is sized by the workers it allows.
    const int cores = std::max(1, tbb::info::default_concurrency());
    const tbb::global_control workerPerCore(
        tbb::global_control::max_allowed_parallelism, static_cast<std::size_t>(cores) + 1);
    const std::size_t allowed
        = tbb::global_control::active_value(tbb::global_control::max_allowed_parallelism);
    const std::size_t workers = std::clamp<std::size_t>(allowed - 1, 1, static_cast<std::size_t>(cores));
    tbb::task_arena arena(static_cast<int>(workers), 0);
    tbb::task_group group;
    start.Reset();
    // Enqueued, not executed: this thread must not wait for the run before it
    // shows the dialog, and where the limit leaves no worker at all an
    // enqueued task still gets one, so the run always starts.
    arena.enqueue(group.defer(MakeOptimizationTask(document, start, dialog, std::move(jobs), failures)));
    dialog.RunModal();
    // A dialog whose loop ended before it was ready never opened the latch:
    // release the task with the cancel flag set, so that its jobs end at once
    // and the wait below ends.
    if (!start.IsOpen()) {
        dialog.RequestCancel();
        start.Open();
    }
    try {
        group.wait();
    } catch (...) {
        failures.Record(ReasonOf(std::current_exception()));
    }
    // The numbering learns the results on this thread, once no job writes
    // any more; after a cancel too, so that the stacks of the jobs that
    // finished have their labels.
    if (const std::shared_ptr<BOMOptMgr> manager = document.GetBOMOptMgr())
        manager->AfterOptimizationRun();
    if (failures.Any()) {
        const QString text = QStringLiteral("Optimization failed: %1").arg(failures.First());
        SessionLog::Instance().Write(SessionLog::Error, text);
        ShowModelMessage(text);
    }
    return !dialog.IsCancelRequested() && !failures.Any();
}
