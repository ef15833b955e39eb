#pragma once
// Small builders for the tests of the optimization layer: sheet goods with
// stock rows, parts, and stacks of hand-made diagrams.

#include "FakePrefs.h"
#include "foundation/IDoc.h"
#include "foundation/SheetDimensions.h"
#include "model/CMilledPart.h"
#include "model/CSheetGoodEx.h"
#include "model/SheetGoodSizeCost.h"
#include "optimization/IdenticalDiagramStack.h"

#include <memory>
#include <vector>

inline CDimension Inches(double inches)
{
    return CDimension::FromInches(inches);
}

inline std::int32_t Units(double inches)
{
    return CDimension::FromInches(inches).GetUnits();
}

inline std::shared_ptr<CSheetGoodEx> MakeSheetGood(const QString& name, double kerfInches = 0.125)
{
    auto material = std::make_shared<CSheetGoodEx>(name);
    material->GetSawSetupForEdit().SetKerf(Inches(kerfInches));
    return material;
}

// A row of the material: thickness, width and length in inches.
inline std::shared_ptr<ISGSC> AddRow(CSheetGoodEx& material, double thickness, double width, double length,
                                     double topBottomTrim = 0.0, double leftRightTrim = 0.0)
{
    auto row = std::make_shared<SheetGoodSizeCost>();
    row->SetThickness(Inches(thickness));
    SheetDimensions sheet = row->GetSheetDimensions();
    sheet.SetWidth(Inches(width));
    sheet.SetLength(Inches(length));
    sheet.SetTopBottomTrim(Inches(topBottomTrim));
    sheet.SetLeftRightTrim(Inches(leftRightTrim));
    row->SetSheetDimensions(sheet);
    material.GetSizeCosts().push_back(row);
    return row;
}

inline std::unique_ptr<CMilledPart> MakePart(int number, double width, double length, std::uint32_t copies,
                                             const std::shared_ptr<CSheetGoodEx>& material = nullptr,
                                             double thickness = 0.75)
{
    auto part = std::make_unique<CMilledPart>();
    part->GetIDForEdit().SetNumber(number);
    part->SetWidth(Inches(width));
    part->SetLength(Inches(length));
    part->SetThickness(Inches(thickness));
    part->SetCopies(copies);
    if (material)
        part->SetMaterial(material);
    return part;
}

// A drawn part at (x, y) inches, w along x and l along y.
inline DrawnPartPtr Drawn(CMilledPart* part, double x, double y, double w, double l, bool rotated = false)
{
    return std::make_shared<DrawnPart>(part, rotated,
                                       platform::Rect(Units(x), Units(y), Units(x + w), Units(y + l)));
}

// A stack whose diagram has the given parts in style 0 (and the other styles
// given), with cut statistics for each.
inline StackPtr MakeStack(const StockSpec& stock, const DrawnPartList& parts, std::uint32_t count,
                          std::vector<int> styles = {0}, bool fancy = false)
{
    auto geometries = std::make_shared<AltGeometries>();
    GeoStatsList stats;
    for (int style : styles) {
        DrawnPartList copies;
        for (const DrawnPartPtr& drawn : parts)
            copies.push_back(style == styles.front() ? drawn : drawn->Clone());
        (*geometries)[style] = copies;
        stats[style] = GeometryBasedStats(3, 96.0, 2, 90.0);
    }
    auto diagram = std::make_shared<Diagram>(stock, geometries, stats);
    return std::make_shared<IdenticalDiagramStack>(diagram, count, DrawnPartFlags(false, false, fancy), styles.front());
}

// A document that answers the history's questions and does nothing.
class QuietDoc : public IDoc
{
public:
    bool IsProjectLocked() const override { return false; }
    void FlushPendingUpdate() override { }
    void AddPendingUpdate(const UpdateHint&) override { }
    void FreezeOrUnlock(std::shared_ptr<DomainUpdateInfo>) override { }
    void UpdateMaterialInBOM(std::shared_ptr<DomainUpdateInfo>) override { }
    void RefreshBOM() override { }
    bool SyncMaterialsLibrary() override { return true; }
};
