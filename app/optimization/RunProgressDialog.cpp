#include "optimization/RunProgressDialog.h"

#include "model/ThicknessBasedOptTarget.h"
#include "optimization/OptimizationTarget.h"

namespace {

RunProgressDialogMaker& Maker()
{
    static RunProgressDialogMaker maker;
    return maker;
}

} // namespace

TaskProgressRows MakeTaskProgressRows(const OptimizationJobList& targets)
{
    TaskProgressRows rows;
    rows.reserve(targets.size());
    for (const auto& target : targets) {
        const auto criteria = target->GetCriteria();
        rows.push_back({ criteria ? criteria->GetDisplayText() : target->GetMaterialName(),
            target->GetIdentity(), TaskProgressRow::Waiting });
    }
    return rows;
}

RunProgressDialogMaker SetRunProgressDialogMaker(RunProgressDialogMaker maker)
{
    std::swap(Maker(), maker);
    return maker;
}

std::unique_ptr<RunProgressDialog> MakeRunProgressDialog(RunStartLatch& start, TaskProgressRows rows)
{
    return Maker() ? Maker()(start, std::move(rows)) : nullptr;
}
