#include "optimization/manual/ManualEditDocument.h"

#include "foundation/CommandBase.h"
#include "foundation/UserPrefsBase.h"
#include "optimization/IOptimizationDoc.h"

namespace {
constexpr int kPrefHideLayoutDupes = 2034;
} // namespace

IOptimizationDoc* GetOptimizationDoc(const CommandBase& command)
{
    return dynamic_cast<IOptimizationDoc*>(command.GetTarget());
}

std::shared_ptr<BOMOptMgr> GetOptimizationMgr(const CommandBase& command)
{
    const IOptimizationDoc* document = GetOptimizationDoc(command);
    return document ? document->GetBOMOptMgr() : nullptr;
}

void MarkProjectModified(const CommandBase& command)
{
    if (IOptimizationDoc* document = GetOptimizationDoc(command))
        document->SetModified();
}

bool IsHidingLayoutDupes()
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs && prefs->GetFlag(kPrefHideLayoutDupes);
}
