#include "layouts/ui/LayoutsFrameFactory.h"

#include "document/CKWLDoc.h"
#include "layouts/ui/LayoutsFrame.h"
#include "layouts/ui/LayoutsTakeOffListMgr.h"
#include "layouts/ui/LayoutsTreeMgr.h"
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

std::shared_ptr<ILayoutsTreeMgr> RealLayoutsFrameFactory::CreateTreeMgr(LayoutsViewMgr* viewMgr, CKWLDoc* doc)
{
    return std::make_shared<LayoutsTreeMgr>(viewMgr, doc);
}

std::shared_ptr<IMainDiagramViewMgr> RealLayoutsFrameFactory::CreateMainDiagramViewMgr(
    LayoutsViewMgr* viewMgr)
{
    return std::make_shared<MainDiagramViewMgr>(viewMgr);
}

std::shared_ptr<ILayoutsTakeOffListMgr> RealLayoutsFrameFactory::CreateTakeOffListMgr(LayoutsViewMgr* viewMgr)
{
    return std::make_shared<LayoutsTakeOffListMgr>(viewMgr);
}

std::shared_ptr<IThumbnailsZoneMgr> RealLayoutsFrameFactory::CreateThumbnailsZoneMgr(LayoutsViewMgr* viewMgr)
{
    return std::make_shared<ThumbnailsZoneMgr>(viewMgr);
}
