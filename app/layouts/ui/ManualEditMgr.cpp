#include "layouts/ui/ManualEditMgr.h"

#include "foundation/CmdHistory.h"
#include "foundation/ResourceBase.h"
#include "layouts/LayoutPrefs.h"
#include "layouts/LayoutsStrings.h"
#include "model/CMilledPart.h"
#include "optimization/Diagram.h"
#include "optimization/DiagramGeometry.h"
#include "optimization/manual/DiagramEditCommands.h"
#include "optimization/manual/ManualEditStrings.h"
#include "optimization/manual/PrepareForManualEditingCmd.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <utility>

namespace {

constexpr int kPrefAutoManualEdit = 2124;

ManualEditTextHook& MessageHook()
{
    static ManualEditTextHook hook;
    return hook;
}

ManualEditTextHook& StatusHook()
{
    static ManualEditTextHook hook;
    return hook;
}

void ShowMessage(const QString& text)
{
    if (MessageHook()) {
        MessageHook()(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
        QApplication::activeWindow());
    box.exec();
}

void ShowStatusHint(const QString& text)
{
    if (StatusHook()) {
        StatusHook()(text);
        return;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<QMainWindow*>(widget)) {
            window->statusBar()->showMessage(text);
            return;
        }
    }
}

void Run(const std::shared_ptr<CommandBase>& command)
{
    if (CmdHistory* history = GetCmdHistory())
        history->Add(command);
}

platform::Point ToPoint(const QPoint& point)
{
    return { point.x(), point.y() };
}

} // namespace

ManualEditTextHook SetManualEditMessageHook(ManualEditTextHook hook)
{
    return std::exchange(MessageHook(), std::move(hook));
}

ManualEditTextHook SetManualEditStatusHook(ManualEditTextHook hook)
{
    return std::exchange(StatusHook(), std::move(hook));
}

ManualEditMgr::ManualEditMgr(IManualEditOwner* owner)
    : m_owner(owner)
    , m_snap(std::make_shared<SnapToKerfMgr>())
{ }

int ManualEditMgr::Kind() const
{
    return ClassifyEditState(m_source, m_target);
}

// --- what the window draws

bool ManualEditMgr::IsShowingDraggedPart() const
{
    const TakeOffSelection selection = m_owner->GetTakeOffSelection();
    if (!selection.dragArmed)
        return false;
    switch (m_target) {
    case DragTarget::None:
        return !selection.rect.IsEmpty();
    case DragTarget::Diagram:
        return true;
    default:
        return false;
    }
}

DrawnPartPtr ManualEditMgr::GetDraggedPartToDraw() const
{
    if (!m_dragged || (!m_animating && (m_source == DragSource::None || !IsShowingDraggedPart())))
        return nullptr;
    if (m_animating) {
        DrawnPartPtr copy = m_dragged->Clone();
        const platform::Point start = m_snap->GetStartPoint();
        copy->SetScreenRect(
            m_dragged->GetScreenRect().Offsetted(m_animation.x - start.x, m_animation.y - start.y));
        return copy;
    }
    if (m_target == DragTarget::Diagram)
        return m_snap->Candidate();
    return m_dragged->Clone();
}

bool ManualEditMgr::PassesPlacementTest(const DrawnPart& candidate) const
{
    const DisplayDiagramPtr diagram = m_owner->GetCurrentDiagram();
    if (!diagram)
        return false;
    return IsPlacementFree(
        m_source == DragSource::Diagram ? m_dragged.get() : nullptr, candidate, diagram->GetStack());
}

bool ManualEditMgr::IsDropAccepted() const
{
    if (m_target != DragTarget::Diagram || m_animating)
        return true;
    const DrawnPartPtr candidate = m_snap->Candidate();
    return candidate && PassesPlacementTest(*candidate);
}

std::vector<platform::Rect> ManualEditMgr::GetActiveKerfScreenRects() const
{
    std::vector<platform::Rect> rects;
    if (m_source == DragSource::None || m_target != DragTarget::Diagram)
        return rects;
    if (const SnapStatePtr& snap = m_snap->GetHorizontalSnap())
        rects.push_back(m_snap->KerfScreenRect(*snap));
    if (const SnapStatePtr& snap = m_snap->GetVerticalSnap())
        rects.push_back(m_snap->KerfScreenRect(*snap));
    return rects;
}

void ManualEditMgr::SetGeometry(
    const PartGeometryTranslatorPtr& translator, const ScaleFactors& scale, const platform::Point& origin)
{
    m_translator = translator;
    m_scale = scale;
    m_origin = origin;
    m_snap->SetGeometry(translator, scale, origin);
}

// --- beginning

void ManualEditMgr::BeginDragOnDiagram(const DrawnPartPtr& part, const QPoint& start, const QPoint& grab)
{
    if (m_source != DragSource::None) {
        m_owner->InvalidateAll();
        CancelDrag();
        return;
    }
    const DisplayDiagramPtr diagram = m_owner->GetCurrentDiagram();
    if (!part || !diagram)
        return;
    m_keyFlags = 0;
    m_dragged = part;
    m_source = DragSource::Diagram;
    m_target = DragTarget::Diagram;
    m_lastPointer = start;
    ShowStatusHint(LoadUIString(kStrDiagramDragHint));
    m_snap->Begin(*diagram, part, ToPoint(start), ToPoint(grab));
}

void ManualEditMgr::BeginDragFromList()
{
    if (m_source != DragSource::None) {
        m_owner->InvalidateAll();
        CancelDrag();
        return;
    }
    m_source = DragSource::List;
    m_target = DragTarget::List;
    m_owner->CaptureMouse();
    SetCursorForKind(Kind());
    ShowStatusHint(LoadUIString(kStrListDragHint));
}

// --- following the pointer

void ManualEditMgr::OnPointerMove(int flags, const QPoint& screenPoint)
{
    if (!(flags & DragKeys::LeftButton))
        return;
    m_lastPointer = screenPoint;
    OnDragOver(screenPoint);
    OnDragMove(flags, screenPoint);
}

void ManualEditMgr::OnDragOver(const QPoint& screenPoint)
{
    int target = DragTarget::None;
    if (m_owner->ContainsScreenPoint(screenPoint))
        target = DragTarget::Diagram;
    else if (m_owner->IsOverTakeOffTabs(screenPoint))
        target = DragTarget::List;
    else if (m_owner->IsOverThumbnails(screenPoint))
        target = DragTarget::Thumbnails;
    if (target == m_target)
        return;
    m_target = target;
    const int kind = Kind();
    switch (kind) {
    case 2:
    case 4:
    case 5:
    case 6:
        m_snap->ClearActiveSnaps();
        m_owner->InvalidateDiagramArea();
        break;
    case 3:
        PrepareUnplacedPart(screenPoint);
        break;
    default:
        break;
    }
    SetCursorForKind(kind);
}

void ManualEditMgr::PrepareUnplacedPart(const QPoint& screenPoint)
{
    m_source = DragSource::List;
    m_target = DragTarget::Diagram;
    m_keyFlags = 0;
    const DisplayDiagramPtr diagram = m_owner->GetCurrentDiagram();
    CMilledPart* part = m_owner->GetTakeOffSelection().part;
    if (!diagram || !part)
        return;
    // Unturned, a part's length runs along the sheet's length.
    const platform::Rect layout(0, 0, part->GetLength().GetUnits(), part->GetWidth().GetUnits());
    const platform::Rect screen = m_snap->LayoutToScreenRect(layout);
    m_dragged = std::make_shared<DrawnPart>(part, false, layout);
    m_dragged->SetScreenRect(screen);
    const QPoint client = m_owner->ScreenToClientPoint(screenPoint);
    const platform::Point start { screen.left + screenPoint.x() - client.x(),
        screen.top + screenPoint.y() - client.y() };
    m_snap->Begin(*diagram, m_dragged, start, screen.TopLeft());
}

QPoint ManualEditMgr::Constrain(int flags, const QPoint& point) const
{
    if (!(flags & DragKeys::Shift) || Kind() != 1)
        return point;
    const platform::Point start = m_snap->GetStartPoint();
    if (std::abs(point.y() - start.y) <= std::abs(point.x() - start.x))
        return QPoint(point.x(), start.y);
    return QPoint(start.x, point.y());
}

void ManualEditMgr::OnDragMove(int flags, const QPoint& screenPoint)
{
    switch (Kind()) {
    case 1:
    case 3:
        m_snap->Move(flags, ToPoint(Constrain(flags, screenPoint)));
        m_owner->InvalidateDiagramArea();
        m_keyFlags = flags;
        break;
    case 5:
    case 6:
        HoverThumbnail(screenPoint);
        break;
    default:
        break;
    }
}

void ManualEditMgr::HoverThumbnail(const QPoint& screenPoint)
{
    m_refusedHover = false;
    const ThumbnailChoice choice = m_owner->GetThumbnailAt(screenPoint);
    const DisplayDiagramPtr shown = m_owner->GetCurrentDiagram();
    if (!choice.diagram || (shown && *choice.diagram == *shown)) {
        SetCursorForKind(Kind());
        return;
    }
    if (!LayoutPrefFlag(kPrefAutoManualEdit)
        && choice.diagram->GetStack()->GetCurrentGeoStyle() != GeometryStyles::ManualEdit) {
        m_owner->SetDragCursor(Qt::ForbiddenCursor);
        m_refusedHover = true;
        return;
    }
    if (m_source == DragSource::Diagram && shown && m_dragged) {
        ShowStatusHint(QString());
        const TakeOffSelection kept = m_owner->GetTakeOffSelection();
        Run(std::make_shared<PartRemoveCmd>(shown->GetStack(), shown->GetCopyIndex(), m_dragged));
        m_owner->RestoreTakeOffSelection(kept);
        m_owner->SetTakeOffListKind(2);
    }
    m_owner->ShowThumbnailDiagram(choice);
    // The part now travels as an unplaced part, whichever diagram is shown.
    CancelDrag();
    m_owner->BeginListDrag();
}

void ManualEditMgr::SetCursorForKind(int kind)
{
    switch (kind) {
    case 2:
    case 4:
    case 5:
    case 6:
        m_owner->SetDragCursor(Qt::DragMoveCursor);
        break;
    default:
        m_owner->SetDragCursor(Qt::ArrowCursor);
        break;
    }
}

// --- keys

void ManualEditMgr::ReplayMove()
{
    OnDragOver(m_lastPointer);
    OnDragMove(m_keyFlags | DragKeys::LeftButton, m_lastPointer);
}

void ManualEditMgr::OnKeyDown(int key)
{
    if (Kind() != 1)
        return;
    const int flag = key == Qt::Key_Control ? DragKeys::Control : key == Qt::Key_Shift ? DragKeys::Shift : 0;
    if (flag && !(m_keyFlags & flag)) {
        m_keyFlags |= flag;
        ReplayMove();
    }
}

void ManualEditMgr::OnKeyUp(int key)
{
    if (m_target != DragTarget::Diagram)
        return;
    if (key == Qt::Key_X) {
        m_snap->CancelActiveKerfs();
        ReplayMove();
    }
    if (Kind() != 1)
        return;
    const int flag = key == Qt::Key_Control ? DragKeys::Control : key == Qt::Key_Shift ? DragKeys::Shift : 0;
    if (flag && (m_keyFlags & flag)) {
        m_keyFlags &= ~flag;
        ReplayMove();
    }
}

// --- dropping

void ManualEditMgr::OnDrop()
{
    int kind = Kind();
    // A placed part released outside the three panes is a move: the
    // placement test decides.
    if (m_source == DragSource::Diagram && m_target == DragTarget::None)
        kind = 1;
    switch (kind) {
    case 1:
        FinishMove();
        break;
    case 2:
        RemovePart();
        break;
    case 3:
        PlacePart();
        break;
    case 4:
        m_owner->SetDragCursor(Qt::ArrowCursor);
        CancelDrag();
        m_owner->InvalidateAll();
        break;
    case 5:
    case 6:
        Refuse();
        break;
    default:
        break;
    }
}

void ManualEditMgr::FinishMove()
{
    const DrawnPartPtr candidate = m_snap->Candidate();
    const bool changed = m_snap->SnappedPoint() != m_snap->GetStartPoint()
        || (candidate && candidate->IsRotated() != m_dragged->IsRotated());
    const DisplayDiagramPtr diagram = m_owner->GetCurrentDiagram();
    if (!changed || !candidate || !diagram || !PassesPlacementTest(*candidate)) {
        SlideBack();
        CancelDrag();
        return;
    }
    m_source = m_target = 0;
    Run(std::make_shared<PartMoveCmd>(diagram->GetStack(), diagram->GetCopyIndex(), m_dragged, candidate));
    m_snap->End();
}

void ManualEditMgr::RemovePart()
{
    const DisplayDiagramPtr diagram = m_owner->GetCurrentDiagram();
    const DrawnPartPtr part = m_dragged;
    CancelDrag();
    m_owner->SetDragCursor(Qt::ArrowCursor);
    if (diagram && part)
        Run(std::make_shared<PartRemoveCmd>(diagram->GetStack(), diagram->GetCopyIndex(), part));
}

void ManualEditMgr::PlacePart()
{
    m_owner->SetDragCursor(Qt::ArrowCursor);
    m_source = m_target = 0;
    const DrawnPartPtr candidate = m_snap->Candidate();
    const DisplayDiagramPtr diagram = m_owner->GetCurrentDiagram();
    CmdHistory* history = GetCmdHistory();
    if (candidate && diagram && history && PassesPlacementTest(*candidate)) {
        // A diagram without its Manual Edit layout is prepared first, as a
        // drag on it would be, and the part goes onto the stack that the
        // preparation edited: one step for the user.
        const auto scope = history->OpenNamedScope(LoadUIString(kStrAddPartToDiagram));
        StackPtr stack = diagram->GetStack();
        int copyIndex = diagram->GetCopyIndex();
        if (!stack->HasGeometry(GeometryStyles::ManualEdit)) {
            const auto prepare = std::make_shared<PrepareForManualEditingCmd>(stack, copyIndex);
            history->Add(prepare);
            if (prepare->GetSpawnedStack()) {
                stack = prepare->GetSpawnedStack();
                copyIndex = 0;
            }
        }
        history->Add(std::make_shared<UnplacedPartDragToDiagramCmd>(stack, copyIndex, candidate));
    }
    m_snap->End();
    m_owner->InvalidateAll();
}

void ManualEditMgr::Refuse()
{
    m_owner->SetDragCursor(Qt::ArrowCursor);
    CancelDrag();
    m_owner->InvalidateAll();
    ShowMessage(LoadUIString(m_refusedHover ? kStrAutoConvertOff : kStrDropOnMainDiagram));
}

void ManualEditMgr::SlideBack()
{
    m_animating = true;
    const platform::Point shown = m_snap->ScreenOffset();
    platform::Rect rect = m_dragged->GetScreenRect().Offsetted(shown.x, shown.y);
    m_animation = m_snap->SnappedPoint();
    const platform::Rect home = m_dragged->GetScreenRect();
    const int stepX = (home.left - rect.left) / kSlideSteps;
    const int stepY = (home.top - rect.top) / kSlideSteps;
    // Painted at once, frame by frame, on this thread: no events are
    // processed while the part slides.
    for (int i = 0; i < kSlideSteps; ++i) {
        QElapsedTimer timer;
        timer.start();
        m_animation.x += stepX;
        m_animation.y += stepY;
        rect.Offset(stepX, stepY);
        m_owner->InvalidateDiagramArea();
        m_owner->UpdateNow();
        const qint64 spent = timer.elapsed();
        if (spent < kSlideStepMs)
            std::this_thread::sleep_for(std::chrono::milliseconds(kSlideStepMs - spent));
    }
    m_animating = false;
    m_owner->InvalidateAll();
    m_owner->RedrawThumbnails();
}

void ManualEditMgr::CancelDrag()
{
    ShowStatusHint(QString());
    m_source = m_target = 0;
    m_snap->End();
}
