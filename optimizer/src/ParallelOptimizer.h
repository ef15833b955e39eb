#pragma once
// The optimizer the factory hands out. Run takes the job through a fixed
// sequence: a cancel check, the pre-check that settles targets with nothing
// to do, the "run started" notification, the passes with a cancel point
// after each, the grouping of identical sheets and the "run ended"
// notification. A cancel point that finds the user cancelled ends the run at
// once with false and nothing more reported.
//
// Nothing leaves Run as an exception: a failure inside (for example memory
// running out) ends the run as failed (false) and drops the half-built
// result.

#include "OptimizationJob.h"

#include <nestcore/IParallelOptimizer.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace optimization {

class CLayoutSet;
class IOptProgressDlg;

class ParallelOptimizer final : public IParallelOptimizer
{
public:
    ParallelOptimizer(std::unique_ptr<OptimizationJob> job, IOptProgressDlg* dialog);
    ~ParallelOptimizer() override;

    bool Run() override;
    void GetLayouts(std::vector<ITopLevelLayout*>& layouts) const override;
    const PartUsageMap& GetPartUsage() const override;

    // Trials of the passes: a new optimizer with the same dialog and a full
    // or detached clone of the job.
    std::unique_ptr<ParallelOptimizer> MakeFullCopy() const;
    std::unique_ptr<ParallelOptimizer> MakeDetachedCopy() const;
    // For work that runs beside other work of the same run and needs the
    // policy, the part order kind and the cancel answer but no sheets and no
    // trackers (its trackers and part sequence are empty): it may set the
    // part order kind without disturbing the others.
    std::unique_ptr<ParallelOptimizer> MakeScratchCopy() const;
    // Takes the trial's job; the trial gets the old one and deletes it with itself.
    void AdoptJobOf(ParallelOptimizer& trial);

    OptimizationJob& Job() { return *m_job; }
    const OptimizationJob& Job() const { return *m_job; }
    IOptProgressDlg* ProgressDialog() const { return m_dialog; }

    // False without a dialog; else the dialog's answer.
    bool IsCancelRequested() const;

    // The passes' judgement of two layout sets: 1 when `candidate` is better
    // than `current`, -1 when worse, 0 when equal.
    std::int32_t CompareSets(const CLayoutSet& current, const CLayoutSet& candidate) const;

    // True when the pre-check settled the target (nothing for the passes).
    bool PreCheck();

private:
    enum class Outcome { Finished, Cancelled };
    Outcome RunSteps();
    // Gives the copies the First Pass left unplaced their skip reason.
    void MarkUnplacedCopies();
    void NotifyStarted() const;
    void NotifyEnded() const;

    std::unique_ptr<OptimizationJob> m_job;
    IOptProgressDlg* m_dialog;
    bool m_ran = false;
    bool m_result = false;
};

} // namespace optimization
