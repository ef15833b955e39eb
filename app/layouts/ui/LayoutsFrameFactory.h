#pragma once
// Makes the layouts frame and the managers of its panes for the page's view
// manager. The main view's view manager uses the real factory; tests may
// hand in managers of their own.

#include <QRect>

#include <memory>

class CKWLDoc;
class ILayoutsFrame;
class ILayoutsTakeOffListMgr;
class ILayoutsTreeMgr;
class IMainDiagramViewMgr;
class IThumbnailsZoneMgr;
class LayoutsViewMgr;
class QWidget;

class LayoutsFrameFactory
{
public:
    virtual ~LayoutsFrameFactory() = default;

    // The frame is a child of parent, hidden, and dies with it.
    virtual ILayoutsFrame* CreateFrame(LayoutsViewMgr* viewMgr, const QRect& pageRect, QWidget* parent) = 0;
    virtual std::shared_ptr<ILayoutsTreeMgr> CreateTreeMgr(LayoutsViewMgr* viewMgr, CKWLDoc* doc) = 0;
    virtual std::shared_ptr<IMainDiagramViewMgr> CreateMainDiagramViewMgr(LayoutsViewMgr* viewMgr) = 0;
    virtual std::shared_ptr<ILayoutsTakeOffListMgr> CreateTakeOffListMgr(LayoutsViewMgr* viewMgr) = 0;
    virtual std::shared_ptr<IThumbnailsZoneMgr> CreateThumbnailsZoneMgr(LayoutsViewMgr* viewMgr) = 0;
};

class RealLayoutsFrameFactory : public LayoutsFrameFactory
{
public:
    ILayoutsFrame* CreateFrame(LayoutsViewMgr* viewMgr, const QRect& pageRect, QWidget* parent) override;
    std::shared_ptr<ILayoutsTreeMgr> CreateTreeMgr(LayoutsViewMgr* viewMgr, CKWLDoc* doc) override;
    std::shared_ptr<IMainDiagramViewMgr> CreateMainDiagramViewMgr(LayoutsViewMgr* viewMgr) override;
    std::shared_ptr<ILayoutsTakeOffListMgr> CreateTakeOffListMgr(LayoutsViewMgr* viewMgr) override;
    std::shared_ptr<IThumbnailsZoneMgr> CreateThumbnailsZoneMgr(LayoutsViewMgr* viewMgr) override;
};
