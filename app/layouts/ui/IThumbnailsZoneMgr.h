#pragma once
// The manager of the thumbnails pane as the page's view manager and the
// pane's own windows see it.

#include "layouts/ui/PaneOwners.h"
#include "layouts/ui/ThumbnailInfo.h"
#include "optimization/IdenticalDiagramStack.h"

#include <QPoint>

#include <memory>
#include <vector>

class ThumbnailsZone;

class IThumbnailsZoneMgr
{
public:
    virtual ~IThumbnailsZoneMgr() = default;

    virtual int GetThumbnailCount() const = 0;
    virtual void AttachZone(std::shared_ptr<ThumbnailsZone> zone) = 0;
    // Rebuilds the column from the stacks of the selected results (one
    // thumbnail per copy, or per stack while identical layouts are hidden)
    // and answers the diagram to show: the preferred one when the column
    // has it, else the first.
    virtual void SetDiagrams(
        ThumbnailChoice& out, const StackList& stacks, const DisplayDiagramPtr& preferred, int kind)
        = 0;
    // Brings the current diagram into view when asked; repaints the pane.
    virtual void Refresh(bool scrollToCurrent) = 0;
    virtual void Clear() = 0;
    // Empty at the end (or start) of the column and outside it.
    virtual DisplayDiagramPtr GetNextDiagram() const = 0;
    virtual DisplayDiagramPtr GetPreviousDiagram() const = 0;
    virtual DisplayDiagramPtr GetDiagram(int index) const = 0;
    virtual void CollectCheckedDiagrams(std::vector<DisplayDiagramPtr>& out) const = 0;
    virtual bool IsPointInZone(const QPoint& screenPoint) const = 0;
    virtual void HitTestThumbnail(ThumbnailChoice& out, const QPoint& screenPoint) const = 0;

    // From the pane's windows.
    virtual IThumbnailsOwner* GetOwner() const = 0;
    // The column reached the width it is first seen at: the thumbnails are
    // sized again for it when it differs from the width they were sized for.
    virtual void FitThumbnailsToColumn() = 0;
    virtual void OnThumbnailClicked(const ThumbnailInfo& thumbnail) = 0;
    // A single check box clicked: the mark flips and the project is modified.
    virtual void OnCheckBoxClicked(const ThumbnailInfo& thumbnail) = 0;
    virtual void OnThumbnailRightClicked(const ThumbnailInfo& thumbnail, const QPoint& screenPoint) = 0;
    virtual void CheckAll(bool checked) = 0;
    virtual void QuickPrint() = 0;
    // Ctrl-click unpins.
    virtual void PinAll(bool unpin) = 0;
};
