#pragma once
// What the optimization run needs of the project document. The document sits
// above this layer and implements it beside the command history's view
// (IDoc) and the settings edit's view (IProjectSettingsDoc).

#include "foundation/IDoc.h"
#include "model/IProjectSettingsDoc.h"

#include <memory>
#include <vector>

class BOMOptMgr;
class CMilledPart;
class OptTargetBase;
struct OptimizationSettings;

namespace optimization {
class OptProgressDlgBase;
}

// The targets a run optimizes, in the order the run starts them.
using OptimizationJobList = std::vector<std::shared_ptr<OptTargetBase>>;

class IOptimizationDoc : public IDoc, public IProjectSettingsDoc
{
public:
    ~IOptimizationDoc() override = default;

    virtual OptimizationJobList& GetOptimizationJobs() = 0;
    // The dialog of the run in progress; null outside a run.
    virtual optimization::OptProgressDlgBase* GetProgressDialog() const = 0;
    virtual std::shared_ptr<BOMOptMgr> GetBOMOptMgr() const = 0;
    virtual bool IsFullyOptimized() const = 0;
    // The project's parts in list order; the document owns them.
    virtual const std::vector<CMilledPart*>& GetPartList() const = 0;
    // Some part has copies neither the optimizer nor the user placed.
    virtual bool HasUnplacedCopies() const = 0;
    // Copies the record into the project's settings; the project is modified.
    virtual void SetOptimizationSettings(const OptimizationSettings& settings) = 0;
    // A hand edit of the layouts (pinning, moving a part) changed the project.
    virtual void SetModified() = 0;
};
