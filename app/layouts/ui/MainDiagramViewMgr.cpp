#include "layouts/ui/MainDiagramViewMgr.h"

#include "layouts/ui/InteractiveDiagramBase.h"
#include "layouts/ui/PaneOwners.h"
#include "optimization/DiagramGeometry.h"

MainDiagramViewMgr::MainDiagramViewMgr(IMainDiagramOwner* owner)
    : m_owner(owner)
{ }

MainDiagramViewMgr::~MainDiagramViewMgr()
{
    m_window.reset();
}

void MainDiagramViewMgr::AttachWindow(std::shared_ptr<InteractiveDiagramBase> window)
{
    m_window = std::move(window);
    if (m_window)
        m_window->Init(this, m_owner->GetManualEditView());
}

void MainDiagramViewMgr::CopyToClipboard()
{
    if (m_window)
        m_window->CopyToClipboard();
}

void MainDiagramViewMgr::UpdateControls()
{
    if (!m_window)
        return;
    const DisplayDiagramPtr diagram = m_owner->GetCurrentDiagram();
    const bool shown = diagram != nullptr;
    m_window->SetTurnButtonState(shown, shown && !diagram->IsLengthwise());
    m_window->SetLabelButtonState(shown, shown && diagram->IsFancyAnnotationStyle());
    m_window->EnableSpin(shown);
    m_window->Redraw();
}

void MainDiagramViewMgr::InvalidateArea(const platform::Rect& rect)
{
    if (m_window)
        m_window->InvalidateArea(rect);
}

void MainDiagramViewMgr::InvalidateAll()
{
    if (m_window)
        m_window->InvalidateAll();
}

void MainDiagramViewMgr::InvalidateDiagramArea()
{
    if (m_window)
        m_window->InvalidateDiagramArea();
}

void MainDiagramViewMgr::UpdateNow()
{
    if (m_window)
        m_window->UpdateNow();
}

void MainDiagramViewMgr::TakeFocus()
{
    if (m_window)
        m_window->TakeFocus();
}

bool MainDiagramViewMgr::ContainsScreenPoint(const QPoint& screenPoint) const
{
    return m_window && m_window->GetScreenRect().Contains(screenPoint.x(), screenPoint.y());
}

QPoint MainDiagramViewMgr::ScreenToClientPoint(const QPoint& screenPoint) const
{
    return m_window ? m_window->ScreenToClientPoint(screenPoint) : screenPoint;
}

DrawnPartPtr MainDiagramViewMgr::PartAt(const QPoint& clientPoint) const
{
    const DisplayDiagramPtr diagram = m_owner->GetCurrentDiagram();
    DrawnPartPtr found;
    if (diagram)
        FindDrawnPartAtPoint(
            GetCurrentParts(*diagram), platform::Point { clientPoint.x(), clientPoint.y() }, found);
    return found;
}

DisplayDiagramPtr MainDiagramViewMgr::GetCurrentDiagram() const
{
    return m_owner->GetCurrentDiagram();
}

TakeOffSelection MainDiagramViewMgr::GetHighlight() const
{
    return m_owner->GetTakeOffSelection();
}

bool MainDiagramViewMgr::IsTurnFlagMatched() const
{
    return m_owner->IsTakeOffTurnMatched();
}

int MainDiagramViewMgr::GetCaptionNumber() const
{
    return m_owner->GetCurrentDiagramIndex() + 1;
}

int MainDiagramViewMgr::GetCaptionCount() const
{
    return m_owner->GetDiagramCount();
}

void MainDiagramViewMgr::OnWindowResized()
{
    m_owner->OnMainDiagramResized();
}

void MainDiagramViewMgr::OnLeftButtonDown(const QPoint& clientPoint)
{
    if (!m_owner->GetCurrentDiagram())
        return;
    const DrawnPartPtr part = PartAt(clientPoint);
    if (!part)
        return;
    TakeFocus();
    const TakeOffSelection current = m_owner->GetTakeOffSelection();
    const bool sameTurn = !m_owner->IsTakeOffTurnMatched() || current.turned == part->IsRotated();
    if (current.part != part->GetPart() || !sameTurn) {
        TakeOffSelection picked;
        picked.part = part->GetPart();
        picked.turned = part->IsRotated();
        picked.rect = part->GetSheetRect();
        m_owner->OnTakeOffSelectionChanged(picked, SelectionSource::ViewManager);
    }
    // The press is taken here, on the part clicked, for a drag that a later
    // move may start.
    const QPoint screenOrigin = m_window ? -m_window->ScreenToClientPoint(QPoint(0, 0)) : QPoint();
    m_owner->OnDiagramPress(part, clientPoint + screenOrigin);
}

void MainDiagramViewMgr::OnMouseMove(
    Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, const QPoint& screenPoint)
{
    m_owner->OnMouseMove(buttons, modifiers, screenPoint);
}

void MainDiagramViewMgr::OnLeftButtonUp(const QPoint& screenPoint)
{
    m_owner->OnMouseUp(screenPoint);
}

void MainDiagramViewMgr::OnContextMenu(const QPoint& screenPoint)
{
    m_owner->ShowCurrentDiagramContextMenu(screenPoint);
}

void MainDiagramViewMgr::OnTurn()
{
    m_owner->TurnCurrentDiagram();
}

void MainDiagramViewMgr::OnToggleLabelStyle(bool allDiagrams)
{
    m_owner->ToggleLabelStyle(allDiagrams);
}

void MainDiagramViewMgr::OnStep(int delta)
{
    m_owner->StepDiagram(delta);
}
