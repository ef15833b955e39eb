#include "optimization/manual/ManualEditStrings.h"

#include "foundation/ResourceBase.h"
#include "optimization/Diagram.h"

namespace {

const StringResource g_manualEditStrings[] = {
    { kStrManualEditStyle, u"LayoutStyles_ManualEdit_Manual Edit" },
    { kStrPinDiagram, u"Command_PinDiagram_Pin Diagram" },
    { kStrUnpinDiagram, u"Command_UnpinDiagram_Unpin Diagram" },
    { kStrPinAllDiagrams, u"Command_PinAllDiagrams_Pin All Diagrams" },
    { kStrUnpinAllDiagrams, u"Command_UnpinAllDiagrams_Unpin All Diagrams" },
    { kStrConvertToManualEdit, u"Command_ConvertToManualEdit_Convert Diagram to Manual Edit" },
    { kStrMovePart, u"Command_MovePart_Move Part" },
    { kStrRemovePart, u"Command_RemovePart_Remove Part" },
    { kStrAddPartToDiagram, u"Command_AddPartToDiagram_Add Part to Diagram" },
    { kStrRemoveEmptyDiagram, u"Command_RemoveEmptyDiagram_Remove Empty Diagram" },
    { kStrMaxBottomOffCutStyle, u"LayoutStyles_MaxBottomOffCut_Max. Bottom Off-Cut" },
    { kStrMaxSideOffCutStyle, u"LayoutStyles_MaxSideOffCut_Max. Side Off-Cut" },
    { kStrPreferCrossCutsStyle, u"LayoutStyles_PreferCrossCuts_Prefer Cross-Cuts" },
    { kStrPreferRipCutsStyle, u"LayoutStyles_PreferRipCuts_Prefer Rip-Cuts" },
    { kStrStandardLayoutStyle, u"LayoutStyles_Standard_Standard Layout" },
};

} // namespace

std::span<const StringResource> ManualEditStringResources()
{
    return g_manualEditStrings;
}

QString GetLayoutStyleLabel(int style)
{
    switch (style) {
    case GeometryStyles::PreferRipCuts:
        return LoadUIString(kStrPreferRipCutsStyle);
    case GeometryStyles::PreferCrossCuts:
        return LoadUIString(kStrPreferCrossCutsStyle);
    case GeometryStyles::MaxSideOffCut:
        return LoadUIString(kStrMaxSideOffCutStyle);
    case GeometryStyles::MaxBottomOffCut:
        return LoadUIString(kStrMaxBottomOffCutStyle);
    case GeometryStyles::ManualEdit:
        return LoadUIString(kStrManualEditStyle);
    default:
        return LoadUIString(kStrStandardLayoutStyle);
    }
}
