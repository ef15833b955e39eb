#pragma once
// The main diagram window as its manager sees it.

#include "platform/Rect.h"

#include <QPoint>

#include <memory>

class IMainDiagramViewMgr;
class IManualEditView;

class InteractiveDiagramBase
{
public:
    virtual ~InteractiveDiagramBase() = default;

    // The manager is not owned; the manual editing view is shared.
    virtual void Init(IMainDiagramViewMgr* viewMgr, std::shared_ptr<IManualEditView> manualEdit) = 0;
    // Repaints everything, background included.
    virtual void Redraw() = 0;
    virtual void SetTurnButtonState(bool enabled, bool pressed) = 0;
    virtual void SetLabelButtonState(bool enabled, bool pressed) = 0;
    virtual void EnableSpin(bool enabled) = 0;
    // The shown diagram as a picture, added to what the clipboard holds.
    virtual void CopyToClipboard() = 0;
    // Limited to the part above the control strip.
    virtual void InvalidateArea(const platform::Rect& rect) = 0;
    virtual void InvalidateAll() = 0;
    // Everything above the control strip.
    virtual void InvalidateDiagramArea() = 0;
    virtual void TakeFocus() = 0;
    // Paints what is invalid at once.
    virtual void UpdateNow() = 0;
    virtual platform::Rect GetScreenRect() const = 0;
    virtual QPoint ScreenToClientPoint(const QPoint& point) const = 0;
};
