#include "grids/GridsStrings.h"

namespace {

const StringResource g_gridsStrings[] = {
    {kStrColumnBin, u"Materials_Bin_Bin"},
    {kStrColumnVendor, u"Materials_Vendor_Vendor"},
    {kStrColumnFromInventory, u"PickListColumns_FromInventory_From Inv."},
    {kStrColumnLength, u"PickListColumns_Length_Length"},
    {kStrColumnMaterialName, u"PickListColumns_MatName_Material Name"},
    {kStrColumnToBuy, u"PickListColumns_NewPurchase_To Buy"},
    {kStrColumnQuantity, u"PickListColumns_Quantity_Quantity"},
    {kStrColumnThickness, u"PickListColumns_Thick_Thick"},
    {kStrColumnTotalCost, u"PickListColumns_TotalCost_Total Cost"},
    {kStrColumnUnitCost, u"PickListColumns_UnitCost_Unit Cost"},
    {kStrColumnUnits, u"PickListColumns_Units_Units"},
    {kStrColumnWidth, u"PickListColumns_Width_Width"},
    {kStrDelete, u"Dialogs_Delete_Delete"},
    {kStrDeleteVendor, u"Vendors_DeleteVendor_Delete vendor"},
    {kStrVendorsTitle, u"Vendors_Title_Vendors"},
    {kStrEditVendorsList, u"Vendors_EditList_Edit Vendors List"},
    {kStrTakeOffInfoColumn, u"LOTakeOffList_Info_<Info>"},
    {kStrTakeOffShowInfo, u"LOTakeOffList_ShowInfo_Show &Info column from parts list"},
    {kStrTakeOffUnplacedCopies, u"LOTakeOffList_UnplacedCopies_Unplaced Copies"},
    {kStrTakeOffTabMaterial, u"LOTakeOffList_TabMaterial_Selected Material/Thickness"},
    {kStrTakeOffTabDiagram, u"LOTakeOffList_TabDiagram_Selected Diagram"},
    {kStrTakeOffTabUnplaced, u"LOTakeOffList_TabUnplaced_Unplaced Parts"},
    {kStrTakeOffDiagramList, u"LOTakeOffList_DiagramList_Diagram #s"},
    {kStrTakeOffLength, u"LOTakeOffList_Length_Length"},
    {kStrTakeOffWidth, u"LOTakeOffList_Width_Width"},
    {kStrTakeOffX, u"LOTakeOffList_X_X"},
    {kStrTakeOffY, u"LOTakeOffList_Y_Y"},
    {kStrTakeOffCopiesInLayout, u"LOTakeOffList_CopiesInLayout_Copies in Layout"},
    {kStrTakeOffCopiesPlaced, u"LOTakeOffList_CopiesPlaced_Copies Placed"},
    {kStrTakeOffDescription, u"LOTakeOffList_Description_Description"},
    {kStrTakeOffPartId, u"LOTakeOffList_PartID_Part #"},
    {kStrTakeOffTurnedMark, u"LOTakeOffList_Rotated_[R]"},
    {kStrTakeOffReasonSkipped, u"LOTakeOffList_ReasonSkipped_Reason Skipped"},
};

} // namespace

std::span<const StringResource> GridsStringResources()
{
    return g_gridsStrings;
}
