#pragma once
// What the main diagram window needs of manual editing: the dragged part to
// draw over the diagram and whether its drop would be taken, the kerf bands
// it snaps to, the geometry of the last paint (so pointer positions can be
// turned into layout units) and the keys. The manual edit manager
// implements it.

#include "foundation/ScaleFactors.h"
#include "model/PartGeometryTranslator.h"
#include "optimization/DrawnPart.h"
#include "platform/Rect.h"

#include <vector>

class IManualEditView
{
public:
    virtual ~IManualEditView() = default;

    // The dragged part's record (its screen rectangle is where to draw it),
    // or empty when no dragged part is shown.
    virtual DrawnPartPtr GetDraggedPartToDraw() const = 0;
    // False while the pointer is over the diagram and the placement there
    // would be refused.
    virtual bool IsDropAccepted() const = 0;
    // The screen rectangles of the active kerf snaps: the horizontal kerf's
    // band first, then the vertical kerf's.
    virtual std::vector<platform::Rect> GetActiveKerfScreenRects() const = 0;
    // How the diagram was last painted: layout to screen, with the sheet's
    // top-left corner in client pixels.
    virtual void SetGeometry(
        const PartGeometryTranslatorPtr& translator, const ScaleFactors& scale, const platform::Point& origin)
        = 0;
    virtual void OnKeyDown(int key) = 0;
    virtual void OnKeyUp(int key) = 0;
};
