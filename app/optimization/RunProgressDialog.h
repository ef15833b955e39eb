#pragma once
// The modal progress dialog of an optimization run, as the run and the
// document see it. The dialog itself is a window of the user-interface
// layer; this layer has no widgets, so the document gets it from the maker
// that layer installs at start-up.

#include "optimization/IOptimizationDoc.h"

#include <nestcore/OptProgressDlgBase.h>

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class RunStartLatch;

// One line of the dialog: a target of the run.
struct TaskProgressRow
{
    enum State { Waiting = 0, Running = 1, Finished = 2 };

    QString label;
    std::uint64_t identity = 0;
    int state = Waiting;
};

using TaskProgressRows = std::vector<TaskProgressRow>;

// One row per target, in the run's order: the criteria's display text and the
// target's identity, waiting.
TaskProgressRows MakeTaskProgressRows(const OptimizationJobList& targets);

class RunProgressDialog : public optimization::OptProgressDlgBase
{
public:
    // User-interface thread: shows the dialog and returns when it has closed.
    // The dialog opens the run's start latch once it is ready for progress.
    virtual void RunModal() = 0;
    // Any thread: the dialog closes on its own thread, after the progress
    // posted before this call.
    virtual void PostRunDone() = 0;
};

using RunProgressDialogMaker
    = std::function<std::unique_ptr<RunProgressDialog>(RunStartLatch& start, TaskProgressRows rows)>;

// Installs the maker and answers the previous one.
RunProgressDialogMaker SetRunProgressDialogMaker(RunProgressDialogMaker maker);
// The installed maker's dialog; null without a maker.
std::unique_ptr<RunProgressDialog> MakeRunProgressDialog(RunStartLatch& start, TaskProgressRows rows);
