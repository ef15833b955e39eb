#include "grids/PartsGridStrings.h"

namespace {

const StringResource g_partsGridStrings[] = {
    { kStrAddPartTip, u"PartsGrid_AppendTip_(Click here to add a part)" },
    { kStrColUserInfo, u"PartsColumns_UserInfo_<Info>" },
    { kStrPinnedPartGeometry,
        u"Pinned_PartGeometry_This part appears on at least one pinned layout diagram. Its dimensions and "
        u"materials "
        u"may not be edited unless those diagrams are unpinned.\\n\\nWould you like to have those diagrams "
        u"unpinned for "
        u"you now so you can try this edit again?" },
    { kStrPinnedPartCopies,
        u"Pinned_PartCopies_This part appears on at least one pinned layout diagram. To reduce the number of "
        u"copies "
        u"that far, those diagrams must be unpinned.\\n\\nWould you like to have the diagrams unpinned for "
        u"you now so "
        u"you can try this edit again?" },
    { kStrPinnedGroupGeometry,
        u"Pinned_GroupGeometry_This edit would change a part on a pinned layout diagram. The edit can only "
        u"be made if "
        u"the affected diagrams are unpinned.\\n\\nWould you like to have those diagrams unpinned for you "
        u"now?" },
    { kStrPinnedGroupCopies,
        u"Pinned_GroupCopies_This edit would change a part on a pinned layout diagram. To reduce the number "
        u"of copies "
        u"that far, the affected diagrams must be unpinned.\\n\\nWould you like to have those diagrams "
        u"unpinned for you "
        u"now?" },
    { kStrColDiagramList, u"PartsColumns_DiagramList_Diagram #s" },
    { kStrMenuJumpToDiagram, u"PartsMenu_JumpToDiagram_Jump to Diagram\\tF3" },
    { kStrDeleteItems, u"Commands_DeleteItems_Delete %1" },
    { kStrGroupEditStep, u"Commands_GroupEdit_Group Edit" },
    { kStrRenumberParts, u"Commands_RenumberParts_Renumber Parts" },
    { kStrColCopies, u"PartsColumns_Copies_Copies" },
    { kStrColPartDescription, u"PartsColumns_Description_Description" },
    { kStrColPartLength, u"PartsColumns_Length_Length" },
    { kStrColPartMaterial, u"PartsColumns_MatName_Material Name" },
    { kStrColNotes, u"PartsColumns_Notes_Notes" },
    { kStrColPartID, u"PartsColumns_PartID_Part #" },
    { kStrColPartThickness, u"PartsColumns_Thick_Thick" },
    { kStrColPartWidth, u"PartsColumns_Width_Width" },
    { kStrPartsMenuCopy, u"PartsMenu_Copy_Copy" },
    { kStrPartsMenuCut, u"PartsMenu_Cut_Cut" },
    { kStrMenuDelete, u"PartsMenu_Delete_Delete" },
    { kStrPartsMenuDeleteNote, u"PartsMenu_DeleteNote_Delete Note" },
    { kStrMenuEditNote, u"PartsMenu_EditNote_Add/Edit Note" },
    { kStrMenuGroupEdit, u"PartsMenu_GroupEdit_Group Edit..." },
    { kStrMenuInsertNewPart, u"PartsMenu_InsertNew_Insert New Part" },
    { kStrPartsMenuPaste, u"PartsMenu_Paste_Paste" },
    { kStrMenuSwapLengthWidth, u"PartsMenu_SwapLW_Swap Length and Width" },
    { kStrPartsLocked,
        u"Msgs_ProjectLocked_This operation is not possible when the project is locked.\\n\\nTo unlock the "
        u"project, "
        u"click the lock icon in the tool bar,\\nor choose Tools->Project Locked to clear the check mark." },
    { kStrGroupLabelCopies, u"GroupEdit_Copies_Copies" },
    { kStrGroupLabelDescription, u"GroupEdit_Description_Description" },
    { kStrGroupEditTitle, u"GroupEdit_Title_Group Edit" },
    { kStrGroupEditIntro, u"GroupEdit_Intro_%1 parts are selected for editing. Enter the new values below." },
    { kStrGroupLabelLength, u"GroupEdit_Length_Length" },
    { kStrGroupLabelMaterial, u"GroupEdit_MatName_Material Name" },
    { kStrGroupLabelThickness, u"GroupEdit_Thickness_Thickness" },
    { kStrGroupLabelWidth, u"GroupEdit_Width_Width" },
    { kStrMenuAbbreviatedHeaders, u"PartsMenu_AbbrHeaders_Abbre&viated Column Headers" },
    { kStrMenuInsertDuplicate, u"PartsMenu_InsertDuplicate_Insert Duplicate Part\\tF7" },
};

} // namespace

std::span<const StringResource> PartsGridStringResources()
{
    return g_partsGridStrings;
}
