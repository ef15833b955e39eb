#pragma once
// The manager of the main diagram pane: it passes the window's events to the
// page's view manager, and the view manager's requests to the window.

#include "layouts/DiagramHighlight.h"
#include "optimization/DisplayDiagram.h"
#include "platform/Rect.h"

#include <QPoint>

#include <memory>

class InteractiveDiagramBase;
class IManualEditView;

class IMainDiagramViewMgr
{
public:
    virtual ~IMainDiagramViewMgr() = default;

    // Binds the window: it gets this manager and the manual editing view.
    virtual void AttachWindow(std::shared_ptr<InteractiveDiagramBase> window) = 0;
    virtual void CopyToClipboard() = 0;
    // Buttons and spin control from the shown diagram, then a redraw.
    virtual void UpdateControls() = 0;
    virtual void InvalidateArea(const platform::Rect& rect) = 0;
    virtual void InvalidateAll() = 0;
    virtual void InvalidateDiagramArea() = 0;
    virtual void UpdateNow() = 0;
    virtual void TakeFocus() = 0;
    virtual bool ContainsScreenPoint(const QPoint& screenPoint) const = 0;
    virtual QPoint ScreenToClientPoint(const QPoint& screenPoint) const = 0;
    // The drawn part of the shown copy under the client point (as last
    // painted), the earlier in the list where parts overlap; empty for none.
    virtual DrawnPartPtr PartAt(const QPoint& clientPoint) const = 0;

    // From the window.
    virtual DisplayDiagramPtr GetCurrentDiagram() const = 0;
    virtual TakeOffSelection GetHighlight() const = 0;
    virtual bool IsTurnFlagMatched() const = 0;
    // 1-based number of the shown diagram and the number of diagrams shown.
    virtual int GetCaptionNumber() const = 0;
    virtual int GetCaptionCount() const = 0;
    virtual void OnWindowResized() = 0;
    virtual void OnLeftButtonDown(const QPoint& clientPoint) = 0;
    virtual void OnMouseMove(
        Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, const QPoint& screenPoint)
        = 0;
    virtual void OnLeftButtonUp(const QPoint& screenPoint) = 0;
    virtual void OnContextMenu(const QPoint& screenPoint) = 0;
    virtual void OnTurn() = 0;
    virtual void OnToggleLabelStyle(bool allDiagrams) = 0;
    virtual void OnStep(int delta) = 0;
};
