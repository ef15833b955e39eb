#pragma once
// The background half of an optimization run. The document shows the modal
// progress dialog on the user-interface thread while one task waits for the
// dialog to be ready, runs every job of the run in parallel (on one worker
// per core, in an arena of the run's own), renumbers the results unless the
// user cancelled, closes the dialog and logs the time the run took. The
// jobs are made on the user-interface thread beforehand, so the task never
// reads the project, the materials library or the command history itself.

#include "optimization/OptimizationManager.h"

#include <QString>

#include <memory>
#include <mutex>
#include <vector>

class IOptimizationDoc;
class RunProgressDialog;
class RunStartLatch;

using OptimizationJobs = std::vector<std::shared_ptr<IOptimizationMgr>>;

// What went wrong in the jobs of a run: written by the workers, read on the
// user-interface thread after the run.
class OptimizationRunFailures
{
public:
    void Record(const QString& reason);
    bool Any() const;
    // The first reason recorded.
    QString First() const;

private:
    mutable std::mutex m_mutex;
    std::vector<QString> m_reasons;
};

class OptimizationTask
{
public:
    OptimizationTask(IOptimizationDoc& document, RunStartLatch& start, RunProgressDialog& dialog,
        OptimizationJobs jobs, OptimizationRunFailures& failures);

    // On a worker thread. Never throws: a job that throws is recorded and
    // the dialog is closed all the same.
    void operator()() const { RunOptimizationJobs(); }
    void RunOptimizationJobs() const;

private:
    void RunJobs() const;

    IOptimizationDoc* m_document;
    RunStartLatch* m_start;
    RunProgressDialog* m_dialog;
    OptimizationJobs m_jobs;
    OptimizationRunFailures* m_failures;
};

OptimizationTask MakeOptimizationTask(IOptimizationDoc& document, RunStartLatch& start,
    RunProgressDialog& dialog, OptimizationJobs jobs, OptimizationRunFailures& failures);

// The whole run on the user-interface thread: the task in the background,
// the dialog in front, then the wait. A failed job is logged and shown once
// the run is over. Answers true when the user did not cancel and no job
// failed.
bool RunOptimizationJobsWithProgress(
    IOptimizationDoc& document, RunStartLatch& start, RunProgressDialog& dialog, OptimizationJobs jobs);
