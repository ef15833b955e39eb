#pragma once
// What the document printer reaches of the main view's pages. The view
// manager, which sits above printing, implements it; printing never sees
// the window layers themselves.

#include "optimization/DisplayDiagram.h"

#include <memory>
#include <vector>

class CTakeOffGDM;
class CUGRowMode;
class IPrintable;

class IPrintViewMgr
{
public:
    virtual ~IPrintViewMgr() = default;

    // Runs the document's optimization (the mode as the document takes it);
    // false when the user cancelled or a job failed.
    virtual bool OptimizeForPrinting(int mode) = 0;

    // The parts list's grid manager; null when there is none.
    virtual IPrintable* GetPartsListPrintable() = 0;

    // Reloads the B.O.M. page from the project; false when it holds no
    // bill of materials.
    virtual bool ReloadBOMPage() = 0;
    // The B.O.M. page's sheet-goods grid.
    virtual CUGRowMode* GetBOMGrid() = 0;

    // The Reports page: the report shown (its index in the report
    // registry), showing another one, its grid, and rebuilding the shown one.
    virtual int GetSelectedReport() = 0;
    virtual void SelectReport(int index) = 0;
    virtual CUGRowMode* GetReportGrid() = 0;
    virtual void RefreshReport() = 0;

    // The layouts page's take-off grid manager, whose print copies print
    // the take-off lists with the columns shown on screen; null without one.
    virtual std::shared_ptr<CTakeOffGDM> GetTakeOffGridMgr() = 0;

    // Appends the diagrams the layouts page shows checked for quick
    // printing, in the order shown.
    virtual void CollectThumbnailDiagrams(std::vector<DisplayDiagramPtr>& out) = 0;
};
