#include "ParallelOptimizer.h"

#include "LayoutGrouping.h"
#include "OptTopLevelLayout.h"
#include "RegionFit.h"
#include "RunPasses.h"

#include <nestcore/IOptProgressDlg.h>
#include <nestcore/OptProgressDlgBase.h>

namespace optimization {

IParallelOptimizer::~IParallelOptimizer() = default;

ParallelOptimizer::ParallelOptimizer(std::unique_ptr<OptimizationJob> job, IOptProgressDlg* dialog)
    : m_job(std::move(job))
    , m_dialog(dialog)
{ }

ParallelOptimizer::~ParallelOptimizer() = default;

std::unique_ptr<ParallelOptimizer> ParallelOptimizer::MakeFullCopy() const
{
    return std::make_unique<ParallelOptimizer>(m_job->CloneFull(), m_dialog);
}

std::unique_ptr<ParallelOptimizer> ParallelOptimizer::MakeDetachedCopy() const
{
    return std::make_unique<ParallelOptimizer>(m_job->CloneDetached(), m_dialog);
}

std::unique_ptr<ParallelOptimizer> ParallelOptimizer::MakeScratchCopy() const
{
    return std::make_unique<ParallelOptimizer>(m_job->CloneKindOnly(), m_dialog);
}

void ParallelOptimizer::AdoptJobOf(ParallelOptimizer& trial)
{
    m_job.swap(trial.m_job);
}

bool ParallelOptimizer::IsCancelRequested() const
{
    return m_dialog != nullptr && m_dialog->IsCancelRequested();
}

std::int32_t ParallelOptimizer::CompareSets(const CLayoutSet& current, const CLayoutSet& candidate) const
{
    const JobPolicy& policy = m_job->Policy();
    const ParLocalOpt freshPolicy(policy.localOpt);
    return policy.layoutsComparer.CompareGeneral(current, candidate, freshPolicy, *policy.stockComparer);
}

void ParallelOptimizer::GetLayouts(std::vector<ITopLevelLayout*>& layouts) const
{
    // Growing the caller's vector may run out of memory: then it stays as it
    // was rather than an exception reaching the program.
    try {
        const auto& sheets = m_job->RunState().Layouts().Layouts();
        layouts.reserve(layouts.size() + sheets.size());
        for (OptTopLevelLayout* sheet : sheets)
            layouts.push_back(sheet);
    } catch (...) { }
}

const PartUsageMap& ParallelOptimizer::GetPartUsage() const
{
    return m_job->RunState().PartTrackers();
}

bool ParallelOptimizer::PreCheck()
{
    OptRunState& state = m_job->RunState();
    bool anyWanted = false;
    for (const auto& [part, tracker] : state.PartTrackers())
        anyWanted = anyWanted || part->GetDescriptor().copies > 0;
    if (!anyWanted)
        return true;
    if (m_job->Target().IsMaterialUnspecifiedOrDeleted()) {
        for (const auto& tracker : state.PartSequence())
            tracker->SetAllCopiesSkippedPreOpt(SkipNoMaterial);
        return true;
    }
    if (state.StockTrackers().empty()) {
        for (const auto& tracker : state.PartSequence())
            tracker->SetAllCopiesSkippedPreOpt(SkipNoStockThickness);
        return true;
    }
    for (const auto& tracker : state.PartSequence())
        if (tracker->GetPartProxy()->GetDescriptor().excluded != 0)
            tracker->SetAllCopiesSkippedPreOpt(SkipExcluded);
    return false;
}

void ParallelOptimizer::MarkUnplacedCopies()
{
    // A part that fits some stock was left over because the stocks it fits
    // ran out of sheets; only a part that no stock can hold lacks a stock
    // wide and long enough.
    const OptRunState& state = m_job->RunState();
    for (const auto& tracker : state.PartSequence()) {
        bool fitsSomeStock = false;
        for (const auto& [stock, stockTracker] : state.StockTrackers())
            fitsSomeStock = fitsSomeStock || FitsStock(*tracker->GetPartProxy(), *stock);
        tracker->SetAnyUnplacedViableCopiesSkipped(
            fitsSomeStock ? SkipNotEnoughInventory : SkipNoStockWideLongEnough);
    }
}

// The notifications go to the dialog's own base, which the program's dialog
// derives from; a bare cancel query gets none.
void ParallelOptimizer::NotifyStarted() const
{
    if (auto* dialog = dynamic_cast<OptProgressDlgBase*>(m_dialog))
        dialog->OnRunStarted(static_cast<std::uint32_t>(m_job->Target().GetUID()));
}

void ParallelOptimizer::NotifyEnded() const
{
    if (auto* dialog = dynamic_cast<OptProgressDlgBase*>(m_dialog))
        dialog->OnRunEnded(static_cast<std::uint32_t>(m_job->Target().GetUID()));
}

ParallelOptimizer::Outcome ParallelOptimizer::RunSteps()
{
    if (IsCancelRequested())
        return Outcome::Cancelled;
    if (PreCheck())
        return Outcome::Finished;
    NotifyStarted();

    RunFirstPass(*this);
    MarkUnplacedCopies();
    if (IsCancelRequested())
        return Outcome::Cancelled;

    RunGlobalIsoDimPass(*this);
    if (IsCancelRequested())
        return Outcome::Cancelled;

    RunSecondPass(*this);
    if (IsCancelRequested())
        return Outcome::Cancelled;

    {
        OptRunState& state = m_job->RunState();
        GroupIdenticalSheets(state.Layouts());
        for (OptTopLevelLayout* sheet : state.Layouts().Layouts())
            sheet->SetPartOrderKind(state.GetPartOrderKind());
    }

    RunLocalOptimization(*this);
    if (IsCancelRequested())
        return Outcome::Cancelled;

    RunImprovementDispatcher(*this, ImprovementMode::Third);
    if (IsCancelRequested())
        return Outcome::Cancelled;

    RunSpecialLocalPass(*this);
    if (IsCancelRequested())
        return Outcome::Cancelled;

    RunRetrySkippedParts(*this);

    const JobPolicy& policy = m_job->Policy();
    const bool stockSelectionPrimary = policy.layoutsComparer.IsStockSelectionPrimary();
    if (stockSelectionPrimary && policy.localOpt.GetMode() == 1) {
        RunImprovementDispatcher(*this, ImprovementMode::Cleanup);
        if (IsCancelRequested())
            return Outcome::Cancelled;
    }
    if (stockSelectionPrimary && !m_job->Policy().stockComparer->GetUnitAreaFlag()) {
        RunImprovementDispatcher(*this, ImprovementMode::EliminateLayouts);
        if (IsCancelRequested())
            return Outcome::Cancelled;
    }

    GroupIdenticalSheets(m_job->RunState().Layouts());
    NotifyEnded();
    return Outcome::Finished;
}

bool ParallelOptimizer::Run()
{
    // One optimizer serves one run; asking again answers the same.
    if (m_ran)
        return m_result;
    m_ran = true;
    try {
        m_result = RunSteps() == Outcome::Finished;
    } catch (...) {
        // Out of memory or a broken invariant: the run failed. Drop what was
        // half built so that nobody reads it as a result.
        m_result = false;
        try {
            m_job->RunState().Discard();
        } catch (...) { }
    }
    return m_result;
}

} // namespace optimization
