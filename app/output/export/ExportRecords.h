#pragma once
// The project copied into plain records for the mobile companion package.
// The records are filled first and written afterwards, so the package file
// never sees the live project change under it. Lengths are the stored counts
// of 1/16384 inch, identities managed identities, money currency units; a
// field left unset is 0, false or empty, which the package leaves out.

#include "model/CostPriceDTO.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class IdenticalDiagramStack;

namespace iDeviceExport {

// The material type every sheet-good record carries.
constexpr std::int32_t kSheetGoodMatType = 3;

struct OptTgtDTO
{
    std::uint64_t ID = 0;
    std::uint64_t MaterialID = 0;
    std::int32_t EncStockThick = 0;
    QString DisplayName;
};

struct XSizeCost
{
    std::uint64_t ID = 0;
    std::uint64_t MatID = 0;
    std::uint64_t NSID = 0;
    std::int32_t EncActualT = 0;
    std::int32_t EncActualW = 0;
    std::int32_t EncNomW = 0;
    std::int32_t EncL = 0;
    double UnitCost = 0.0;
    std::int32_t Units = 0;
    std::int32_t Yield = 1;
    double Inv = 0.0;
    bool Unlimited = false;
    bool CBM = false;
    bool OC = false;
    std::int32_t EncLRTrim = 0;
    std::int32_t EncTBTrim = 0;
    QString Vendor;
    QString Bin;
    QString Notes;
};

struct XMaterialWithSizes
{
    std::uint64_t ID = 0;
    std::int32_t MatType = 0;
    QString Name;
    bool HasGrain = false;
    bool ForcePartRot = false;
    std::int32_t EncKerf = 0;
    std::int32_t EncPartPad = 0;
    std::int32_t FCD = 0;
    std::int32_t PrefStyle = 0;
    std::vector<XSizeCost> SizeCosts;
};

// A material priced by unit rather than by sheet; this program makes none,
// the package keeps its place for the companion application.
struct XMaterialWithCost
{
    std::uint64_t ID = 0;
    std::int32_t MatType = 0;
    QString Name;
    double UnitCost = 0.0;
    std::int32_t Units = 0;
    QString Vendor;
    QString Bin;
    QString Markup;
    bool Taxable = false;
    QString Code;
    std::int32_t EncBandingTD = 0;
    std::int32_t EncBandingOH = 0;
    std::int32_t EncBandingH = 0;
    std::int32_t EncBandingT = 0;
    bool Roll = false;
    QString Category;
    QString Notes;
};

struct XStockSpec
{
    std::int32_t MatType = 0;
    std::uint64_t MaterialID = 0;
    std::uint64_t SCID = 0;
};

struct XBomLineItemDTO
{
    std::uint64_t ID = 0;
    XStockSpec StockSpec;
    double Qty = 0.0;
    double QtyFromInv = 0.0;
    std::uint64_t OptTgtID = 0;
    CostPriceDTO CostPrice;
};

struct XPartEdge
{
    std::int32_t Status = 0;
    std::uint64_t MatID = 0;
};

struct XPart
{
    std::int32_t PartType = 0;
    std::uint32_t Ord = 0;
    std::uint64_t OptTgtID = 0;
    QString UserID;
    QString Description;
    double ExtQty = 0.0;
    std::uint32_t Copies = 0;
    double Qty = 0.0;
    QString SA;
    QString CompID;
    QString NestedCompNames;
    std::uint32_t NestedCompQty = 0;
    QString Info;
    std::int32_t T = 0;
    std::int32_t FinishedW = 0;
    std::int32_t FinishedL = 0;
    std::int32_t RoughW = 0;
    std::int32_t RoughL = 0;
    std::int32_t SkipReason = 0;
    std::uint64_t MatID = 0;
    std::int32_t MatSpec = 0;
    bool CR = false;
    std::uint32_t SkipCount = 0;
    QString Notes;
    XPartEdge Front;
    XPartEdge Back;
    XPartEdge Left;
    XPartEdge Right;
};

// The stack is read when the package is written; holding it keeps its
// diagram alive until then.
struct XDiagramStack
{
    std::shared_ptr<IdenticalDiagramStack> Stack;
    std::uint64_t OptTgtID = 0;
};

struct XComponent
{
    QString Name;
    QString Filename;
    QString FileTitle;
    QString ProjectName;
    std::uint32_t Qty = 0;
};

struct XProjectSettings
{
    QString Name;
    std::uint64_t PrimaryMat = 0;
    std::uint64_t SecondaryMat = 0;
    std::uint64_t PrimaryBanding = 0;
    std::uint64_t SecondaryBanding = 0;
    QString Notes;
    std::int32_t PrimaryObj = 0;
    std::int32_t PackingStratPrimary = 0;
    std::int32_t PackingStratSecondary = 0;
    // Spelled as the companion application reads it.
    std::int32_t PackaingStratOther = 0;
    bool UseOffCutsFirst = false;
    bool UseInvFirst = false;
    std::int32_t ARMethod = 0;
};

// Everything one export writes, owned by value.
struct ExportPackage
{
    std::vector<OptTgtDTO> OptTargets;
    std::vector<XMaterialWithSizes> MaterialsWithSizes;
    std::vector<XMaterialWithCost> MaterialsWithCosts;
    std::vector<XBomLineItemDTO> BomLineItems;
    std::vector<XPart> Parts;
    std::vector<XDiagramStack> DiagramStacks;
    std::vector<XComponent> Components;
    XProjectSettings Settings;
};

} // namespace iDeviceExport
