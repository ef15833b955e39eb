#pragma once
// A sheet good with one stock row, parts and a shown diagram of them, with
// the default preferences installed.

#include "LayoutsTestSupport.h"
#include "OptimizationTestSupport.h"
#include "optimization/DisplayDiagram.h"

#include <memory>
#include <vector>

struct DiagramFixture
{
    ScopedDefaultPrefs prefs;
    std::shared_ptr<CSheetGoodEx> material = MakeSheetGood(QStringLiteral("Ply"));
    std::vector<std::unique_ptr<CMilledPart>> parts;
    DrawnPartList drawn;

    // A part placed at (x, y) inches, w along the sheet's length, l across.
    DrawnPartPtr Place(int number, double x, double y, double w, double l, bool rotated = false)
    {
        parts.push_back(MakePart(number, l, w, 1, material));
        drawn.push_back(Drawn(parts.back().get(), x, y, w, l, rotated));
        return drawn.back();
    }

    DisplayDiagramPtr Show(
        double width = 48, double length = 96, double tbTrim = 0, double lrTrim = 0, std::uint32_t copies = 1)
    {
        auto row = AddRow(*material, 0.75, width, length, tbTrim, lrTrim);
        StackPtr stack = MakeStack(StockSpec { material, row }, drawn, copies);
        return stack->MakeDisplayDiagram(0);
    }
};
