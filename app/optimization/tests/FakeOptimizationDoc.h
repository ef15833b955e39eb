#pragma once
// A project document reduced to what this layer calls: the settings record,
// the pending jobs, the progress dialog of a run and the part list.

#include "model/ProjectSettings.h"
#include "optimization/IOptimizationDoc.h"

#include <nestcore/OptProgressDlgBase.h>

#include <algorithm>

class FakeOptimizationDoc : public IOptimizationDoc
{
public:
    bool IsProjectLocked() const override { return locked; }
    void FlushPendingUpdate() override { }
    void AddPendingUpdate(const UpdateHint&) override { }
    void FreezeOrUnlock(std::shared_ptr<DomainUpdateInfo>) override { }
    void UpdateMaterialInBOM(std::shared_ptr<DomainUpdateInfo>) override { }
    void RefreshBOM() override { }
    bool SyncMaterialsLibrary() override { return true; }

    const ProjectSettings& GetProjectSettings() const override { return settings; }
    void SetProjectSettings(const ProjectSettings& value) override
    {
        settings = value;
        modified = true;
    }

    OptimizationJobList& GetOptimizationJobs() override { return jobs; }
    optimization::OptProgressDlgBase* GetProgressDialog() const override { return progress; }
    std::shared_ptr<BOMOptMgr> GetBOMOptMgr() const override { return bom; }
    bool IsFullyOptimized() const override { return jobs.empty(); }
    const std::vector<CMilledPart*>& GetPartList() const override { return parts; }
    bool HasUnplacedCopies() const override { return false; }
    void SetOptimizationSettings(const OptimizationSettings& value) override
    {
        settings.SetOptimizationSettings(value);
        modified = true;
    }
    void SetModified() override { modified = true; }

    ProjectSettings settings;
    OptimizationJobList jobs;
    optimization::OptProgressDlgBase* progress = nullptr;
    std::vector<CMilledPart*> parts;
    std::shared_ptr<BOMOptMgr> bom;
    bool locked = false;
    bool modified = false;
};

// The run's dialog without a window: the cancel flag only.
class FakeProgressDialog : public optimization::OptProgressDlgBase
{
};
