#include "layouts/ui/LayoutsPaneMakers.h"

#include "grids/ITakeOffCtrl.h"
#include "layouts/ui/ITreeCtrl.h"

#include <QWidget>

std::shared_ptr<ITreeCtrl> MakeLayoutsTreeCtrl()
{
    return nullptr;
}

std::shared_ptr<ITakeOffCtrl> MakeTakeOffCtrl()
{
    return nullptr;
}

QWidget* PaneWindowOf(const std::shared_ptr<ITreeCtrl>& tree)
{
    return tree ? tree->GetSafeHwnd() : nullptr;
}

QWidget* PaneWindowOf(const std::shared_ptr<ITakeOffCtrl>& takeOff)
{
    return dynamic_cast<QWidget*>(takeOff.get());
}
