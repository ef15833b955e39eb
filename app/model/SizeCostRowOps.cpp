#include "model/SizeCostRowOps.h"

#include "foundation/UpdateMasks.h"
#include "model/CPricingScheme.h"
#include "model/CSGSizeCost.h"
#include "model/ISGSC.h"
#include "model/ISoftDeleteable.h"
#include "model/ModelStrings.h"
#include "model/SizeCostCompare.h"

namespace {

int UnitCode(const ISGSC& row)
{
    const CSheetGoodPS* scheme = row.GetPricingScheme();
    return scheme ? scheme->GetUnitCode() : -1;
}

// The count as a 32-bit number; an unlimited row counts as the largest one.
std::int64_t InventoryCount(const ISGSC& row)
{
    return row.IsUnlimited() ? 2147483647 : static_cast<std::int64_t>(row.GetInventory());
}

bool SheetDiffers(const ISGSC& a, const ISGSC& b)
{
    const SheetDimensions sa = a.GetSheetDimensions();
    const SheetDimensions sb = b.GetSheetDimensions();
    return !CDimension::ApproxEqual(sa.GetWidth(), sb.GetWidth())
        || !CDimension::ApproxEqual(sa.GetLength(), sb.GetLength())
        || !CDimension::ApproxEqual(sa.GetTopBottomTrim(), sb.GetTopBottomTrim())
        || !CDimension::ApproxEqual(sa.GetLeftRightTrim(), sb.GetLeftRightTrim());
}

// Everything but the stock kind, in the order the comparison takes.
bool OtherValuesDiffer(const ISGSC& a, const ISGSC& b)
{
    return !(a.GetUnitCost() == b.GetUnitCost()) || a.CanBuyMore() != b.CanBuyMore()
        || UnitCode(a) != UnitCode(b) || SheetDiffers(a, b) || InventoryCount(a) != InventoryCount(b);
}

} // namespace

std::uint64_t GetSizeCostAllChangedMask()
{
    return UpdateMask::Change0040 | UpdateMask::Change0008;
}

std::uint64_t DiffSheetGoodSizeCostMask(const ISGSC& a, const ISGSC& b)
{
    std::uint64_t mask = GetSizeCostMismatchCode(a, b) | UpdateMask::Change0040;
    if (OtherValuesDiffer(a, b))
        mask |= UpdateMask::Change0008;
    return mask;
}

std::uint64_t DiffSheetGoodSizeCostKind(const ISGSC& a, const ISGSC& b)
{
    return UpdateMask::Detail0080 | (SheetGoodSizeCostDiffers(a, b) ? UpdateMask::Detail0001 : 0);
}

bool SheetGoodSizeCostDiffers(const ISGSC& a, const ISGSC& b)
{
    return IsDifferentStockKind(a, b) || OtherValuesDiffer(a, b);
}

ISGSC& CopySheetGoodProperties(ISGSC& target, const ISGSC& source)
{
    if (source.IsUnlimited()) {
        target.SetUnlimited();
    } else {
        target.SetInventory(source.GetInventory());
        target.SetCanBuyMore(source.GetRecord().GetCanBuyMoreFlag());
    }
    target.SetOffCut(source.IsOffCut());
    target.SetVendor(source.GetVendor());
    target.SetSpecialNotes(source.GetSpecialNotes());
    target.SetBin(source.GetBin());
    if (const CSheetGoodPS* scheme = source.GetPricingScheme()) {
        std::unique_ptr<CPricingScheme> copy = scheme->CreateCopy();
        target.SetPricingScheme(std::unique_ptr<CSheetGoodPS>(dynamic_cast<CSheetGoodPS*>(copy.release())));
    }
    target.SetThickness(source.GetThickness());
    target.SetSheetDimensions(source.GetSheetDimensions());
    const CMoney cost = source.GetUnitCost();
    target.SetUnitCost(&cost);
    return target;
}

void CopyByteFlag(ISoftDeleteable& target, const ISoftDeleteable& source)
{
    target.SetDeleted(source.IsDeleted());
}

QString GetRefNameOrDeleted(const ISoftDeleteable& object)
{
    return object.IsDeleted() ? UiText(kStrDeletedVendor) : object.GetSoftDeletedName();
}
