#pragma once

#include "layouts/ui/IMainDiagramViewMgr.h"

class IMainDiagramOwner;

class MainDiagramViewMgr : public IMainDiagramViewMgr
{
public:
    // The owner (the page's view manager) is not owned.
    explicit MainDiagramViewMgr(IMainDiagramOwner* owner);
    ~MainDiagramViewMgr() override;

    void AttachWindow(std::shared_ptr<InteractiveDiagramBase> window) override;
    void CopyToClipboard() override;
    void UpdateControls() override;
    void InvalidateArea(const platform::Rect& rect) override;
    void InvalidateAll() override;
    void InvalidateDiagramArea() override;
    void UpdateNow() override;
    void TakeFocus() override;
    bool ContainsScreenPoint(const QPoint& screenPoint) const override;
    QPoint ScreenToClientPoint(const QPoint& screenPoint) const override;
    DrawnPartPtr PartAt(const QPoint& clientPoint) const override;

    DisplayDiagramPtr GetCurrentDiagram() const override;
    TakeOffSelection GetHighlight() const override;
    bool IsTurnFlagMatched() const override;
    int GetCaptionNumber() const override;
    int GetCaptionCount() const override;
    void OnWindowResized() override;
    void OnLeftButtonDown(const QPoint& clientPoint) override;
    void OnMouseMove(
        Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, const QPoint& screenPoint) override;
    void OnLeftButtonUp(const QPoint& screenPoint) override;
    void OnContextMenu(const QPoint& screenPoint) override;
    void OnTurn() override;
    void OnToggleLabelStyle(bool allDiagrams) override;
    void OnStep(int delta) override;

private:
    IMainDiagramOwner* m_owner;
    std::shared_ptr<InteractiveDiagramBase> m_window;
};
