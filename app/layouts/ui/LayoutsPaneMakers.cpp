#include "layouts/ui/LayoutsPaneMakers.h"

#include "grids/TakeOffCtrl.h"
#include "layouts/ui/WrappedTreeCtrl.h"

#include <QWidget>

namespace {
constexpr int kTakeOffCtrlId = 6227;
}

std::shared_ptr<ITreeCtrl> MakeLayoutsTreeCtrl(QWidget* parent)
{
    auto tree = std::make_shared<WrappedTreeCtrl>();
    return tree->Create(parent) ? tree : nullptr;
}

std::shared_ptr<ITakeOffCtrl> MakeTakeOffCtrl(QWidget* parent)
{
    auto control = std::make_shared<TakeOffCtrl>();
    return control->Create(parent, kTakeOffCtrlId) ? control : nullptr;
}

QWidget* PaneWindowOf(const std::shared_ptr<ITreeCtrl>& tree)
{
    return tree ? tree->GetSafeHwnd() : nullptr;
}

QWidget* PaneWindowOf(const std::shared_ptr<ITakeOffCtrl>& takeOff)
{
    return dynamic_cast<QWidget*>(takeOff.get());
}
