#include "foundation/UIStringTable.h"

namespace {

const StringResource g_foundationStrings[] = {
    { UIStringId::AbbrSquareFeet, u"Units_AbbrSqFt_ft2" },
    { UIStringId::AbbrSquareInches, u"Units_AbbrSqIn_in2" },
    { UIStringId::AbbrSquareMeters, u"Units_AbbrSqM_m2" },
    { UIStringId::SquareFeet, u"Units_SqFeet_Square Feet (ft2)" },
    { UIStringId::SquareMeters, u"Units_SqMeters_Square Meters (m2)" },
    { UIStringId::SquareInches, u"Units_SqInches_Square Inches (in2)" },
    { UIStringId::Inches, u"Units_Inches_Inches (in)" },
    { UIStringId::Feet, u"Units_Feet_Feet (ft)" },
    { UIStringId::Yards, u"Units_Yards_Yards (yds)" },
    { UIStringId::Meters, u"Units_Meters_Meters (m)" },
    { UIStringId::AbbrInches, u"Units_AbbrIn_in" },
    { UIStringId::AbbrFeet, u"Units_AbbrFt_ft" },
    { UIStringId::AbbrYards, u"Units_AbbrYd_yds" },
    { UIStringId::AbbrMeters, u"Units_AbbrM_m" },
    { UIStringId::SessionLogWriteFailed,
        u"Messages_SessionLogFailed_The session log could not be written. Further log entries of this "
        u"session are lost." },
    { UIStringId::CantRedoMenu, u"Menu_CantRedo_Can't Redo" },
    { UIStringId::CantUndoMenu, u"Menu_CantUndo_Can't Undo" },
    { UIStringId::RedoMenu, u"Menu_Redo_&Redo\\tCtrl+Y" },
    { UIStringId::UndoMenu, u"Menu_Undo_&Undo\\tCtrl+Z" },
    { UIStringId::Cancel, u"Buttons_Cancel_Cancel" },
    { UIStringId::Help, u"Buttons_Help_Help" },
    { UIStringId::Ok, u"Buttons_OK_OK" },
};

} // namespace

std::span<const StringResource> FoundationStringResources()
{
    return g_foundationStrings;
}
