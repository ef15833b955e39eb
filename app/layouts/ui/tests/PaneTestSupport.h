#pragma once
// A stand-in for the page's view manager that records what the panes report,
// and a manual editing view whose answers the test sets.

#include "layouts/ui/ManualEditView.h"
#include "layouts/ui/PaneOwners.h"

#include <QStringList>

#include <vector>

class FakeManualEditView : public IManualEditView
{
public:
    DrawnPartPtr dragged;
    bool accepted = true;
    std::vector<platform::Rect> kerfs;
    platform::Point origin;
    std::vector<int> keysDown;

    DrawnPartPtr GetDraggedPartToDraw() const override { return dragged; }
    bool IsDropAccepted() const override { return accepted; }
    std::vector<platform::Rect> GetActiveKerfScreenRects() const override { return kerfs; }
    void SetGeometry(
        const PartGeometryTranslatorPtr&, const ScaleFactors&, const platform::Point& topLeft) override
    {
        origin = topLeft;
    }
    void OnKeyDown(int key) override { keysDown.push_back(key); }
    void OnKeyUp(int) override { }
};

class FakePageOwner : public IMainDiagramOwner, public IThumbnailsOwner
{
public:
    DisplayDiagramPtr current;
    int currentIndex = 0;
    int diagramCount = 1;
    TakeOffSelection selection;
    bool turnMatched = false;
    bool editAllowed = true;
    OptimizationSettings settings;
    std::shared_ptr<FakeManualEditView> manualEdit = std::make_shared<FakeManualEditView>();
    // What the panes reported, one word per call.
    QStringList calls;
    std::vector<int> steps;
    std::vector<bool> labelAll;
    std::vector<ThumbnailChoice> chosen;
    std::vector<DisplayDiagramPtr> pinned;

    DisplayDiagramPtr GetCurrentDiagram() const override { return current; }
    int GetCurrentDiagramIndex() const override { return currentIndex; }
    TakeOffSelection GetTakeOffSelection() const override { return selection; }
    bool IsTakeOffTurnMatched() const override { return turnMatched; }

    int GetDiagramCount() const override { return diagramCount; }
    std::shared_ptr<IManualEditView> GetManualEditView() const override { return manualEdit; }
    void OnTakeOffSelectionChanged(const TakeOffSelection& picked, int source) override
    {
        selection = picked;
        calls << QStringLiteral("select %1").arg(source);
    }
    void OnMainDiagramResized() override { calls << QStringLiteral("resized"); }
    void TurnCurrentDiagram() override { calls << QStringLiteral("turn"); }
    void ToggleLabelStyle(bool all) override { labelAll.push_back(all); }
    void StepDiagram(int delta) override { steps.push_back(delta); }
    void ShowCurrentDiagramContextMenu(const QPoint&) override { calls << QStringLiteral("menu"); }
    void OnMouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, const QPoint&) override { }
    void OnMouseUp(const QPoint&) override { calls << QStringLiteral("up"); }
    void OnDiagramPress(const DrawnPartPtr&, const QPoint&) override { calls << QStringLiteral("press"); }

    void OnThumbnailSelected(const ThumbnailChoice& choice) override { chosen.push_back(choice); }
    void ShowDiagramContextMenu(const DisplayDiagramPtr&, const QPoint&) override
    {
        calls << QStringLiteral("thumbnail menu");
    }
    void PinDiagrams(const std::vector<DisplayDiagramPtr>& diagrams) override
    {
        calls << QStringLiteral("pin");
        pinned = diagrams;
    }
    void UnpinDiagrams(const std::vector<DisplayDiagramPtr>& diagrams) override
    {
        calls << QStringLiteral("unpin");
        pinned = diagrams;
    }
    void MarkModified() override { calls << QStringLiteral("modified"); }
    void PrintActivePage() override { calls << QStringLiteral("print"); }
    bool IsEditAllowed() const override { return editAllowed; }
    OptimizationSettings GetOptimizationSettings() const override { return settings; }

    // Drops what was reported so far.
    void Forget() { calls.clear(); }
};
