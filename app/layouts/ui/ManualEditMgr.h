#pragma once
// Editing a diagram with the mouse: a placed part moved on the shown diagram
// (turned a quarter with Ctrl, held to one axis with Shift), dragged off onto
// the take-off list, an unplaced part dragged from the list onto the
// diagram, and a part carried to another diagram over its thumbnail. It
// follows the pointer, lets the snap manager hold the part against kerfs,
// decides at the drop which command to run through the history, and slides
// a refused part back to where it came from.

#include "layouts/DiagramHighlight.h"
#include "layouts/SnapToKerfMgr.h"
#include "layouts/ui/ManualEditView.h"
#include "layouts/ui/PaneOwners.h"
#include "optimization/DisplayDiagram.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

// What manual editing asks of the page's view manager.
class IManualEditOwner
{
public:
    virtual ~IManualEditOwner() = default;

    virtual DisplayDiagramPtr GetCurrentDiagram() const = 0;
    virtual TakeOffSelection GetTakeOffSelection() const = 0;
    // Puts a copy of the selection back after an edit (as the page's own choice).
    virtual void RestoreTakeOffSelection(const TakeOffSelection& selection) = 0;
    virtual bool ContainsScreenPoint(const QPoint& screenPoint) const = 0;
    virtual bool IsOverTakeOffTabs(const QPoint& screenPoint) const = 0;
    virtual bool IsOverThumbnails(const QPoint& screenPoint) const = 0;
    // The diagram of the thumbnail under the point; empty for none.
    virtual ThumbnailChoice GetThumbnailAt(const QPoint& screenPoint) const = 0;
    // Shows the diagram in the main window (which ends any drag) when it differs.
    virtual void ShowThumbnailDiagram(const ThumbnailChoice& choice) = 0;
    // Arms a drag of the take-off selection from the list (focus, flags, capture).
    virtual void BeginListDrag() = 0;
    virtual void CaptureMouse() = 0;
    virtual void InvalidateAll() = 0;
    virtual void InvalidateDiagramArea() = 0;
    virtual void UpdateNow() = 0;
    virtual void RedrawThumbnails() = 0;
    // 0 the shown thickness, 1 the shown diagram, 2 the unplaced parts.
    virtual void SetTakeOffListKind(int kind) = 0;
    virtual QPoint ScreenToClientPoint(const QPoint& screenPoint) const = 0;
    virtual void SetDragCursor(Qt::CursorShape shape) = 0;
};

// Message boxes and status-bar hints of manual editing go through hooks, so
// that tests capture them; each setter answers the previous hook. Without a
// message hook a message box is shown; without a status hook the hint goes
// to the status bar of the application's main window, when there is one.
using ManualEditTextHook = std::function<void(const QString& text)>;
ManualEditTextHook SetManualEditMessageHook(ManualEditTextHook hook);
ManualEditTextHook SetManualEditStatusHook(ManualEditTextHook hook);

// Where the dragged part came from, and what the pointer is over.
namespace DragSource {
constexpr int None = 0;
constexpr int Diagram = 1;
constexpr int List = 2;
} // namespace DragSource
namespace DragTarget {
constexpr int None = 0;
constexpr int Diagram = 1;
constexpr int List = 2;
constexpr int Thumbnails = 3;
} // namespace DragTarget

class ManualEditMgr : public IManualEditView
{
public:
    // The frames of a refused part's slide back to where it came from.
    static constexpr int kSlideSteps = 10;
    static constexpr int kSlideStepMs = 16;

    explicit ManualEditMgr(IManualEditOwner* owner);

    // --- the main diagram window
    DrawnPartPtr GetDraggedPartToDraw() const override;
    bool IsDropAccepted() const override;
    std::vector<platform::Rect> GetActiveKerfScreenRects() const override;
    void SetGeometry(const PartGeometryTranslatorPtr& translator, const ScaleFactors& scale,
        const platform::Point& origin) override;
    void OnKeyDown(int key) override;
    void OnKeyUp(int key) override;

    // --- the view manager
    bool IsShowingDraggedPart() const;
    int GetSource() const { return m_source; }
    int GetTarget() const { return m_target; }
    // The user starts dragging a placed part: start is the pointer (screen),
    // grab the pivot of a quarter turn (client).
    void BeginDragOnDiagram(const DrawnPartPtr& part, const QPoint& start, const QPoint& grab);
    // The take-off list starts dragging its selected part.
    void BeginDragFromList();
    // flags: DragKeys bits.
    void OnPointerMove(int flags, const QPoint& screenPoint);
    void OnDrop();
    void CancelDrag();
    const SnapToKerfMgr& GetSnapMgr() const { return *m_snap; }
    const DrawnPartPtr& GetDraggedPart() const { return m_dragged; }

private:
    int Kind() const;
    void OnDragOver(const QPoint& screenPoint);
    void OnDragMove(int flags, const QPoint& screenPoint);
    void PrepareUnplacedPart(const QPoint& screenPoint);
    QPoint Constrain(int flags, const QPoint& point) const;
    void HoverThumbnail(const QPoint& screenPoint);
    void ReplayMove();
    void SetCursorForKind(int kind);
    bool PassesPlacementTest(const DrawnPart& candidate) const;
    void FinishMove();
    void RemovePart();
    void PlacePart();
    void Refuse();
    void SlideBack();

    IManualEditOwner* m_owner;
    std::shared_ptr<SnapToKerfMgr> m_snap;
    int m_source = DragSource::None;
    int m_target = DragTarget::None;
    int m_keyFlags = 0;
    bool m_animating = false;
    platform::Point m_animation;
    DrawnPartPtr m_dragged;
    bool m_refusedHover = false;
    PartGeometryTranslatorPtr m_translator;
    ScaleFactors m_scale;
    platform::Point m_origin;
    // Where the pointer was last seen, for the moves that keys replay.
    QPoint m_lastPointer;
};
