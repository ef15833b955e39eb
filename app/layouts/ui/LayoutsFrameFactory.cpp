#include "layouts/ui/LayoutsFrameFactory.h"

#include "layouts/ui/LayoutsFrame.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "layouts/ui/MainDiagramViewMgr.h"
#include "layouts/ui/ThumbnailsZoneMgr.h"

ILayoutsFrame* RealLayoutsFrameFactory::CreateFrame(
    LayoutsViewMgr* viewMgr, const QRect& pageRect, QWidget* parent)
{
    auto* frame = new LayoutsFrame(viewMgr, pageRect, parent);
    frame->raise();
    return frame;
}

std::shared_ptr<ILayoutsTreeMgr> RealLayoutsFrameFactory::CreateTreeMgr(LayoutsViewMgr*, CKWLDoc*)
{
    return nullptr;
}

std::shared_ptr<IMainDiagramViewMgr> RealLayoutsFrameFactory::CreateMainDiagramViewMgr(
    LayoutsViewMgr* viewMgr)
{
    return std::make_shared<MainDiagramViewMgr>(viewMgr);
}

std::shared_ptr<ILayoutsTakeOffListMgr> RealLayoutsFrameFactory::CreateTakeOffListMgr(LayoutsViewMgr*)
{
    return nullptr;
}

std::shared_ptr<IThumbnailsZoneMgr> RealLayoutsFrameFactory::CreateThumbnailsZoneMgr(LayoutsViewMgr* viewMgr)
{
    return std::make_shared<ThumbnailsZoneMgr>(viewMgr);
}
