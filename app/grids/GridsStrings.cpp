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
};

} // namespace

std::span<const StringResource> GridsStringResources()
{
    return g_gridsStrings;
}
