// The optimization run and the project lock of the project document.
#include "document/CKWLDoc.h"

#include "document/IDocumentShell.h"

#include "foundation/IdentityMapper.h"
#include "foundation/UserPrefsBase.h"
#include "model/CMilledPart.h"
#include "model/MaterialsBase.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/OptimizationTarget.h"
#include "optimization/OptimizationTask.h"
#include "optimization/RunProgressDialog.h"

namespace {
constexpr int kPrefSkippedPartsAlert = 2047;
}

bool CKWLDoc::Optimize(int mode)
{
    if (!m_shell || !m_shell->IsMainViewInitialized() || mode == 0 || IsProjectLocked() || IsFullyOptimized())
        return true;
    m_jobs.clear();
    OptTargetList pending;
    m_bom->CollectPendingJobs(static_cast<std::uint32_t>(mode), pending);
    m_jobs.assign(pending.begin(), pending.end());
    if (m_jobs.empty())
        return true;

    // While the jobs write parts and results, the views that show them must
    // not paint; the progress dialog is a window of its own.
    m_shell->SetViewsPainting(false);
    std::unique_ptr<RunProgressDialog> dialog = MakeRunProgressDialog(m_start, MakeTaskProgressRows(m_jobs));
    if (!dialog) {
        m_shell->SetViewsPainting(true);
        m_jobs.clear();
        return false;
    }
    // The jobs take everything they read of the project here, the dialog
    // among it, before any of them runs.
    m_progress = dialog.get();
    OptimizationJobs jobs;
    for (const auto& target : m_jobs)
        if (auto job = m_bom->MakeOptimizationJob(std::dynamic_pointer_cast<OptimizationTarget>(target), *this))
            jobs.push_back(std::move(job));
    const bool done = RunOptimizationJobsWithProgress(*this, m_start, *dialog, std::move(jobs));
    m_shell->SetViewsPainting(true);
    const bool cancelled = dialog->IsCancelRequested();
    m_progress = nullptr;

    const UserPrefsBase* prefs = GetUserPrefs();
    if (!cancelled && prefs && prefs->GetFlag(kPrefSkippedPartsAlert) && HasUnplacedCopies())
        m_shell->PostSkippedPartsAlert();
    m_jobs.clear();
    return done;
}

bool CKWLDoc::LockProject()
{
    if (m_locked)
        return true;
    if (!Optimize(-1))
        return false;
    // The parts and the results move to copies of their materials and stock
    // rows, which later edits of the library leave alone.
    auto context = std::make_shared<std::vector<CMilledPart*>>(m_parts);
    const auto mapper = std::make_shared<IdentityMapper>(context);
    for (CMilledPart* part : m_parts) {
        part->SetLocked(true);
        part->ResolveReferences(mapper);
    }
    m_bom->RemapReferences(mapper);
    m_locked = 1;
    SetModifiedFlag(true);
    if (MaterialsBase* library = GetMaterialsLibrary())
        library->SetLockedProjectFlag();
    return true;
}
