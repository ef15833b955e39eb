#include "model/ModelStrings.h"

#include "foundation/ResourceBase.h"

namespace {

// The data model's string resources: section, key and text joined by underscores.
const StringResource g_modelStrings[] = {
    {kStrUnitBoards, u"PricingUnits_Boards_Boards"},
    {kStrSkipManualEdit, u"SkipReason_ManualEdit_The part was dragged off a layout diagram during manual editing."},
    {kStrSkipBriefManualEdit, u"SkipReasonBrief_ManualEdit_Manual edit"},
    {kStrLibraryUnavailable, u"Materials_Unavailable_The raw materials database file is unavailable or damaged."},
    {kStrEditMaterial, u"Commands_EditMaterial_Edit Material"},
    {kStrNewMaterial, u"Commands_NewMaterial_New Material"},
    {kStrNewSizeCost, u"Commands_NewSizeCost_New Size-Cost Info"},
    {kStrDeleteMaterial, u"Command_DeleteMaterial_Delete Material"},
    {kStrMaterialsRestored, u"Materials_Restored_Your raw materials database has been restored."},
    {kStrMaterialsNotRestored,
     u"Materials_NotRestored_There was a problem reading from the backup folder.\\n\\nYour raw materials database was not restored."},
    {kStrInsertItems, u"Command_InsertItems_Insert %1"},
    {kStrMaterialPinned,
     u"Msgs_MaterialPinned_This material is used by a pinned layout diagram.\\nIt may not be deleted unless you first unpin the diagram."},
    {kStrPart, u"Parts_Part_Part"},
    {kStrEditItem, u"Command_EditItem_Edit %1"},
    {kStrReoptimizeUnplaced, u"Command_ReoptimizeUnplaced_Reoptimize Unplaced Parts"},
    {kStrSizeCostInfo, u"Materials_SizeCostInfo_Size-Cost Info"},
    {kStrSheetGood, u"Materials_SheetGood_Sheet Good"},
    {kStrLibraryBackupUsed, u"Materials_AR103_AR-103: Raw Materials data file is damaged or missing.\\n Automatic backup is being used."},
    {kStrLibraryDefaultsUsed, u"Materials_AR104_AR-104: Raw Materials data file and automatic backup are damaged or missing.\\nDefault raw materials file is being used."},
    {kStrLibraryNoFiles, u"Materials_AR105_AR-105: No Raw Materials data files are available."},
    {kStrMaterialNameTaken, u"Materials_NameTaken_is already in the list of Materials."},
    {kStrPlacedOfCopies, u"LOTakeOffList_PlacedOf_%1 of %2"},
    {kStrSheetGoods, u"RawMaterials_SheetGoods_Sheet Goods"},
    {kStrDeletedVendor, u"Vendors_Deleted_<Deleted>"},
    {kStrNotApplicable, u"Materials_NotApplicable_N/A"},
    {kStrNewMaterialName, u"Materials_New_New"},
    {kStrNotSpecified, u"Materials_NotSpecified_Not Specified"},
    {kStrYes, u"General_Yes_Yes"},
    {kStrSkipNoInventory, u"SkipReason_NoInventory_There is not enough inventory of the specified material, in the appropriate sizes for this part."},
    {kStrSkipNoMaterial, u"SkipReason_NoMaterial_No material name is specified for this part."},
    {kStrSkipNoStockSize, u"SkipReason_NoStockSize_The specified material does not have any stock sizes listed on the Raw Materials tab."},
    {kStrSkipNoStockThickness, u"SkipReason_NoStockThickness_The specified material does not have any stock size of the right thickness listed on the Raw Materials tab, or there is not enough inventory."},
    {kStrSkipNoStockWL, u"SkipReason_NoStockWL_The specified material stock sizes of the right thickness are either too narrow or too short, or there is not enough inventory."},
    {kStrSkipUndetermined, u"SkipReason_Undetermined_The specific reason this part was skipped has not been determined. Please see the User's Guide for troubleshooting tips."},
    {kStrSkipBriefNoInventory, u"SkipReasonBrief_NoInventory_Insufficient inventory"},
    {kStrSkipBriefNoMaterial, u"SkipReasonBrief_NoMaterial_Unspecified material"},
    {kStrSkipBriefNoStockSize, u"SkipReasonBrief_NoStockSize_No stock sizes"},
    {kStrSkipBriefNoStockThickness, u"SkipReasonBrief_NoStockThickness_Stock thickness/inventory"},
    {kStrSkipBriefNoStockWL, u"SkipReasonBrief_NoStockWL_Narrow/short stock"},
    {kStrSkipBriefUndetermined, u"SkipReasonBrief_Undetermined_Undetermined"},
    {kStrDefaultSheetUnit, u"PricingUnits_DefaultSheet_Sheets"},
    {kStrUnitLinealFeet, u"PricingUnits_LinealFeet_Lineal Ft."},
    {kStrUnitLinealMetres, u"PricingUnits_LinealMetres_Lineal M."},
    {kStrUnitSheets, u"PricingUnits_Sheets_Sheets"},
    {kStrUnitSquareFeet, u"PricingUnits_SquareFeet_Sq. Ft."},
    {kStrUnitSquareMetres, u"PricingUnits_SquareMetres_Sq. M."},
    {kStrEditGrain, u"Commands_EditGrain_Edit Grain Information"},
    {kStrMinimizeProRatedCostSentence, u"CoverPageContent_MinProRatedCost_Minimize pro-rated cost."},
    {kStrMinimizeTotalCostSentence, u"CoverPageContent_MinTotalCost_Minimize total cost."},
    {kStrMinimizeWasteSentence, u"CoverPageContent_MinWaste_Minimize Waste."},
    {kStrEditProjectSettings, u"Command_EditProjectSettings_Edit Project Settings"},
    {kStrEditSizeCost, u"Commands_EditSizeCost_Edit Size-Cost Info"},
    {kStrDeleteSizeCost, u"Commands_DeleteSizeCost_Delete Size-Cost Info"},
};

} // namespace

std::span<const StringResource> ModelStringResources()
{
    return g_modelStrings;
}

QString UiText(int id)
{
    return LoadUIString(id);
}
