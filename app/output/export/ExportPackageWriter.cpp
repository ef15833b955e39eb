#include "output/export/ExportPackageWriter.h"

#include "foundation/FileNames.h"
#include "model/SafeFileWrite.h"

#include "model/CMilledPart.h"
#include "model/IOptimizableMaterial.h"
#include "model/IOptimizableSize.h"
#include "optimization/IdenticalDiagramStack.h"

#include <qzXml/XDoc.h>
#include <qzXml/XElement.h>

#include <string>

namespace iDeviceExport {

namespace {

using qzXml::XElement;

std::u16string Text(const QString& text)
{
    return text.toStdU16String();
}

// The XML writer leaves an empty text out; a Notes element exists only for
// notes that say something.
void AddNotes(XElement& element, const QString& notes)
{
    if (!notes.isEmpty())
        element.AddChild(u"Notes", Text(notes));
}

// The one shape of every list section: the list element, then one item
// element per record, filled by the item writer.
template <class Records, class ItemWriter>
void WriteList(XElement& parent, const char16_t* listName, const char16_t* itemName, const Records& records,
               ItemWriter writeItem)
{
    XElement list = parent.AddChild(listName);
    for (const auto& record : records) {
        XElement item = list.AddChild(itemName);
        writeItem(item, record);
    }
}

// A list section over a map keyed by layout style: each item carries the
// key first, then what the item writer makes of the mapped value.
template <class Map, class ItemWriter>
void WriteMap(XElement& parent, const char16_t* listName, const char16_t* itemName, const char16_t* keyName,
              const Map& map, ItemWriter writeItem)
{
    WriteList(parent, listName, itemName, map, [&](XElement& item, const auto& entry) {
        item.WithAttribute(keyName, std::int32_t {entry.first});
        writeItem(item, entry.second);
    });
}

void WriteOptTgt(XElement& item, const OptTgtDTO& target)
{
    item.WithAttribute(u"ID", target.ID)
        .WithAttribute(u"MaterialID", target.MaterialID)
        .WithAttribute(u"EncStockThick", target.EncStockThick)
        .WithAttribute(u"DisplayName", Text(target.DisplayName));
}

void WriteSizeCost(XElement& item, const XSizeCost& row)
{
    item.WithAttribute(u"ID", row.ID)
        .WithAttribute(u"MatID", row.MatID)
        .WithAttribute(u"NSID", row.NSID)
        .WithAttribute(u"EncActualT", row.EncActualT)
        .WithAttribute(u"EncActualW", row.EncActualW)
        .WithAttribute(u"EncNomW", row.EncNomW)
        .WithAttribute(u"EncL", row.EncL)
        .WithAttribute(u"UnitCost", row.UnitCost)
        .WithAttribute(u"Units", row.Units)
        .WithAttribute(u"Yield", row.Yield)
        .WithAttribute(u"Inv", row.Inv)
        .WithAttribute(u"Unlimited", row.Unlimited)
        .WithAttribute(u"CBM", row.CBM)
        .WithAttribute(u"OC", row.OC)
        .WithAttribute(u"EncLRTrim", row.EncLRTrim)
        .WithAttribute(u"EncTBTrim", row.EncTBTrim)
        .WithAttribute(u"Vendor", Text(row.Vendor))
        .WithAttribute(u"Bin", Text(row.Bin));
    AddNotes(item, row.Notes);
}

void WriteMaterialWithSizes(XElement& item, const XMaterialWithSizes& material)
{
    item.WithAttribute(u"ID", material.ID)
        .WithAttribute(u"MatType", material.MatType)
        .WithAttribute(u"Name", Text(material.Name))
        .WithAttribute(u"HasGrain", material.HasGrain)
        .WithAttribute(u"ForcePartRot", material.ForcePartRot)
        .WithAttribute(u"EncKerf", material.EncKerf)
        .WithAttribute(u"EncPartPad", material.EncPartPad)
        .WithAttribute(u"FCD", material.FCD)
        .WithAttribute(u"PrefStyle", material.PrefStyle);
    WriteList(item, u"SizeCosts", u"SizeCost", material.SizeCosts, WriteSizeCost);
}

void WriteMaterialWithCost(XElement& item, const XMaterialWithCost& material)
{
    item.WithAttribute(u"ID", material.ID)
        .WithAttribute(u"MatType", material.MatType)
        .WithAttribute(u"Name", Text(material.Name))
        .WithAttribute(u"UnitCost", material.UnitCost)
        .WithAttribute(u"Units", material.Units)
        .WithAttribute(u"Vendor", Text(material.Vendor))
        .WithAttribute(u"Bin", Text(material.Bin))
        .WithAttribute(u"Markup", Text(material.Markup))
        .WithAttribute(u"Taxable", material.Taxable)
        .WithAttribute(u"Code", Text(material.Code))
        .WithAttribute(u"EncBandingTD", material.EncBandingTD)
        .WithAttribute(u"EncBandingOH", material.EncBandingOH)
        .WithAttribute(u"EncBandingH", material.EncBandingH)
        .WithAttribute(u"EncBandingT", material.EncBandingT)
        .WithAttribute(u"Roll", material.Roll)
        .WithAttribute(u"Category", Text(material.Category));
    AddNotes(item, material.Notes);
}

// The stock of a line item, from its record.
void WriteStockSpec(XElement& element, const XStockSpec& stock)
{
    element.WithAttribute(u"MaterialID", stock.MaterialID)
        .WithAttribute(u"SCID", stock.SCID)
        .WithAttribute(u"MatType", stock.MatType);
}

// The stock of a diagram, read from the diagram itself.
void WriteStockSpec(XElement& element, const Diagram& diagram)
{
    const StockSpec& stock = diagram.GetStockSpec();
    element.WithAttribute(u"MaterialID", stock.material ? stock.material->GetMaterialIdentity() : std::uint64_t {0})
        .WithAttribute(u"SCID", stock.size ? stock.size->GetIdentity() : std::uint64_t {0})
        .WithAttribute(u"MatType", kSheetGoodMatType);
}

void WriteBomLineItem(XElement& item, const XBomLineItemDTO& line)
{
    item.WithAttribute(u"ID", line.ID)
        .WithAttribute(u"Qty", line.Qty)
        .WithAttribute(u"QtyFromInv", line.QtyFromInv)
        .WithAttribute(u"OptTgtID", line.OptTgtID);
    XElement stock = item.AddChild(u"StockSpec");
    WriteStockSpec(stock, line.StockSpec);
    // Money in currency units; the third and sixth amounts have no place in
    // the package.
    item.AddChild(u"CostPrice")
        .WithAttribute(u"TotalCost", line.CostPrice[0].AsReal())
        .WithAttribute(u"TaxableCost", line.CostPrice[1].AsReal())
        .WithAttribute(u"TotalPrice", line.CostPrice[3].AsReal())
        .WithAttribute(u"TaxablePrice", line.CostPrice[4].AsReal());
}

void WritePartEdge(XElement& part, const char16_t* name, const XPartEdge& edge)
{
    if (edge.Status != 0)
        part.AddChild(name).WithAttribute(u"Status", edge.Status).WithAttribute(u"MatID", edge.MatID);
}

void WritePart(XElement& item, const XPart& part)
{
    item.WithAttribute(u"PartType", part.PartType)
        .WithAttribute(u"Ord", part.Ord)
        .WithAttribute(u"OptTgtID", part.OptTgtID)
        .WithAttribute(u"UserID", Text(part.UserID))
        .WithAttribute(u"Description", Text(part.Description))
        .WithAttribute(u"ExtQty", part.ExtQty)
        .WithAttribute(u"Copies", part.Copies)
        .WithAttribute(u"Qty", part.Qty)
        .WithAttribute(u"SA", Text(part.SA))
        .WithAttribute(u"CompID", Text(part.CompID))
        .WithAttribute(u"NestedCompNames", Text(part.NestedCompNames))
        .WithAttribute(u"NestedCompQty", part.NestedCompQty)
        .WithAttribute(u"Info", Text(part.Info))
        .WithAttribute(u"T", part.T)
        .WithAttribute(u"FinishedW", part.FinishedW)
        .WithAttribute(u"FinishedL", part.FinishedL)
        .WithAttribute(u"RoughW", part.RoughW)
        .WithAttribute(u"RoughL", part.RoughL)
        .WithAttribute(u"SkipReason", part.SkipReason)
        .WithAttribute(u"MatID", part.MatID)
        .WithAttribute(u"MatSpec", part.MatSpec)
        .WithAttribute(u"CR", part.CR)
        .WithAttribute(u"SkipCount", part.SkipCount);
    WritePartEdge(item, u"Front", part.Front);
    WritePartEdge(item, u"Back", part.Back);
    WritePartEdge(item, u"Left", part.Left);
    WritePartEdge(item, u"Right", part.Right);
    AddNotes(item, part.Notes);
}

void WriteDrawnPart(XElement& item, const DrawnPartPtr& drawn)
{
    const CMilledPart* part = drawn->GetPart();
    item.WithAttribute(u"Ord", part ? static_cast<std::uint32_t>(part->GetID().GetNumber()) : std::uint32_t {0})
        .WithAttribute(u"Rot", drawn->IsRotated());
    // Offsets go through the 32-bit setter: they are 32-bit counts, and
    // `long` is 64 bits wide here.
    const platform::Rect& rect = drawn->GetSheetRect();
    item.AddChild(u"Off").WithAttribute(u"L", std::int32_t {rect.left}).WithAttribute(u"T", std::int32_t {rect.top});
}

void WriteDrawnPartsOfStyle(XElement& item, const DrawnPartList& parts)
{
    WriteList(item, u"DisplayGeometry", u"DP", parts, WriteDrawnPart);
}

// A statistic the diagram has not computed is written as 0, that is, left out.
template <class T>
T ValueOrZero(const UsageStat<T>& stat)
{
    return stat.valid ? stat.value : T {};
}

void WriteGeoStats(XElement& item, const GeometryBasedStats& stats)
{
    item.WithAttribute(u"NumCutsWithPadding", ValueOrZero(stats.GetCuts(true)))
        .WithAttribute(u"CutLengthInchesWithPadding", ValueOrZero(stats.GetCutLength(true)))
        .WithAttribute(u"NumCutsWithoutPadding", ValueOrZero(stats.GetCuts(false)))
        .WithAttribute(u"CutLengthInchesWithoutPadding", ValueOrZero(stats.GetCutLength(false)));
}

void WriteFixedStats(XElement& element, const FixedStats& stats)
{
    element.WithAttribute(u"PartsRoughAreaSqIn", stats.GetPartsArea())
        .WithAttribute(u"WastePct", stats.YieldRatio())
        .WithAttribute(u"PartsPerimInches", stats.GetPartsPerimeter())
        .WithAttribute(u"LinealStockInches", stats.GetStockLength());
}

void WriteDiagram(XElement& element, const Diagram& diagram)
{
    WriteMap(element, u"AltGeometries", u"AltGeometry", u"GeoStyle", *diagram.GetAltGeometries(),
             WriteDrawnPartsOfStyle);
    WriteMap(element, u"GeoStatsList", u"GeoStats", u"GeoStyle", diagram.GetGeoStatsList(), WriteGeoStats);
    XElement fixed = element.AddChild(u"FixedStats");
    WriteFixedStats(fixed, diagram.GetFixedStats());
}

void WriteDiagramStack(XElement& item, const XDiagramStack& record)
{
    item.WithAttribute(u"OptTgtID", record.OptTgtID);
    const IdenticalDiagramStack* stack = record.Stack.get();
    if (!stack)
        return;
    item.WithAttribute(u"Count", stack->GetCount())
        .WithAttribute(u"CurrentGeoStyle", std::int32_t {stack->GetCurrentGeoStyle()})
        .WithAttribute(u"IsPinned", stack->IsPinned());
    const DiagramPtr diagram = stack->GetDiagram();
    XElement stock = item.AddChild(u"StockSpec");
    WriteStockSpec(stock, *diagram);
    XElement diagramElement = item.AddChild(u"Diagram");
    WriteDiagram(diagramElement, *diagram);
    const DrawnPartFlags flags = stack->GetCopyFlags(0);
    item.AddChild(u"PresentationState")
        .WithAttribute(u"IsChecked", flags.IsChecked())
        .WithAttribute(u"IsOverrideRotation", flags.IsOverrideRotation())
        .WithAttribute(u"IsFancyAnnotationStyle", flags.IsFancyAnnotationStyle());
}

void WriteComponent(XElement& item, const XComponent& component)
{
    item.WithAttribute(u"Name", Text(component.Name))
        .WithAttribute(u"Filename", Text(component.Filename))
        .WithAttribute(u"FileTitle", Text(component.FileTitle))
        .WithAttribute(u"ProjectName", Text(component.ProjectName))
        .WithAttribute(u"Qty", component.Qty);
}

void WriteProjectSettings(XElement& element, const XProjectSettings& settings)
{
    element.WithAttribute(u"Name", Text(settings.Name))
        .WithAttribute(u"PrimaryMat", settings.PrimaryMat)
        .WithAttribute(u"SecondaryMat", settings.SecondaryMat)
        .WithAttribute(u"PrimaryBanding", settings.PrimaryBanding)
        .WithAttribute(u"SecondaryBanding", settings.SecondaryBanding)
        .WithAttribute(u"PrimaryObj", settings.PrimaryObj)
        .WithAttribute(u"PackingStratPrimary", settings.PackingStratPrimary)
        .WithAttribute(u"PackingStratSecondary", settings.PackingStratSecondary)
        .WithAttribute(u"PackaingStratOther", settings.PackaingStratOther)
        .WithAttribute(u"UseOffCutsFirst", settings.UseOffCutsFirst)
        .WithAttribute(u"UseInvFirst", settings.UseInvFirst)
        .WithAttribute(u"ARMethod", settings.ARMethod);
    AddNotes(element, settings.Notes);
}

} // namespace

bool ExportPackageWriter::Write(const ExportPackage& package, const QString& path, QString* reason) const
{
    qzXml::XDoc doc;
    XElement root = doc.AddChild(u"QxPackage");
    root.WithAttribute(u"Schema", std::int32_t {1});
    WriteList(root, u"OptTargets", u"OptTgt", package.OptTargets, WriteOptTgt);
    WriteList(root, u"MaterialsWithSizes", u"MaterialWithSizes", package.MaterialsWithSizes, WriteMaterialWithSizes);
    WriteList(root, u"MaterialsWithCosts", u"MaterialWithCost", package.MaterialsWithCosts, WriteMaterialWithCost);
    WriteList(root, u"BomLineItems", u"BomLineItem", package.BomLineItems, WriteBomLineItem);
    WriteList(root, u"Parts", u"Part", package.Parts, WritePart);
    WriteList(root, u"Diagrams", u"DiagramStack", package.DiagramStacks, WriteDiagramStack);
    WriteList(root, u"Components", u"Component", package.Components, WriteComponent);
    XElement settings = root.AddChild(u"ProjectSettings");
    WriteProjectSettings(settings, package.Settings);
    if (path.isEmpty())
        return false;
    QString error;
    if (WriteFileThroughTemporaryWith(
            path, [&doc](const QByteArray& tempFileName) { return doc.Save(tempFileName.toStdString()); },
            &error))
        return true;
    if (reason) {
        // The error names the file before its reason; the caller shows the
        // name on a line of its own.
        const QString named = DisplayFileName(path) + QStringLiteral(": ");
        *reason = error.startsWith(named) ? error.mid(named.size()) : error;
    }
    return false;
}

} // namespace iDeviceExport
