#pragma once
// What the panes of the layouts page ask of the page's view manager. Panes
// never talk to each other: each reports here, and the view manager keeps the
// page's one selection and tells the others.

#include "layouts/DiagramHighlight.h"
#include "model/OptimizationSettings.h"
#include "optimization/DisplayDiagram.h"

#include <QPoint>

#include <memory>
#include <vector>

class IManualEditView;

// Source codes of a change of the page's selection.
namespace SelectionSource {
constexpr int None = 0;
constexpr int Tree = 1;
constexpr int Thumbnails = 2;
constexpr int ViewManager = 4;
constexpr int TakeOffList = 8;
} // namespace SelectionSource

// A thumbnail picked, or the one the column selected: the diagram (empty for
// none) and its zero-based position in the column.
struct ThumbnailChoice
{
    DisplayDiagramPtr diagram;
    int index = 0;
};

// Shared by every pane that draws the shown diagram.
class IDiagramPaneOwner
{
public:
    virtual ~IDiagramPaneOwner() = default;

    virtual DisplayDiagramPtr GetCurrentDiagram() const = 0;
    virtual int GetCurrentDiagramIndex() const = 0;
    virtual TakeOffSelection GetTakeOffSelection() const = 0;
    // The take-off list shows part and turn apart (its display mode 1), so
    // the highlight matches the turn flag too.
    virtual bool IsTakeOffTurnMatched() const = 0;
};

class IMainDiagramOwner : public virtual IDiagramPaneOwner
{
public:
    virtual int GetDiagramCount() const = 0;
    virtual std::shared_ptr<IManualEditView> GetManualEditView() const = 0;
    // A part picked on the diagram becomes the page's selection.
    virtual void OnTakeOffSelectionChanged(const TakeOffSelection& selection, int source) = 0;
    virtual void OnMainDiagramResized() = 0;
    virtual void TurnCurrentDiagram() = 0;
    virtual void ToggleLabelStyle(bool allDiagrams) = 0;
    // Negative: the next diagram; zero or positive: the previous one.
    virtual void StepDiagram(int delta) = 0;
    virtual void ShowCurrentDiagramContextMenu(const QPoint& screenPoint) = 0;
    // buttons: the mouse buttons held during the move.
    virtual void OnMouseMove(
        Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, const QPoint& screenPoint)
        = 0;
    virtual void OnMouseUp(const QPoint& screenPoint) = 0;
    // The left button went down on a drawn part of the shown diagram: the
    // press that a later move may turn into a drag.
    virtual void OnDiagramPress(const DrawnPartPtr& part, const QPoint& screenPoint) = 0;
};

class IThumbnailsOwner : public virtual IDiagramPaneOwner
{
public:
    virtual void OnThumbnailSelected(const ThumbnailChoice& choice) = 0;
    virtual void ShowDiagramContextMenu(const DisplayDiagramPtr& diagram, const QPoint& screenPoint) = 0;
    virtual void PinDiagrams(const std::vector<DisplayDiagramPtr>& diagrams) = 0;
    virtual void UnpinDiagrams(const std::vector<DisplayDiagramPtr>& diagrams) = 0;
    virtual void MarkModified() = 0;
    virtual void PrintActivePage() = 0;
    // False while a command of the command history runs.
    virtual bool IsEditAllowed() const = 0;
    // The project's optimization settings (the text line names one word).
    virtual OptimizationSettings GetOptimizationSettings() const = 0;
};
