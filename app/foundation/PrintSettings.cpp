#include "foundation/PrintSettings.h"

bool PrintSettings::IsSectionSelected(std::uint32_t sectionBit) const
{
    switch (scope) {
    case 1:
        // The take-off lists already print beside their diagrams.
        return !(sectionBit == TakeOffLists && takeOffOnLayoutPage != 0);
    case 3:
        return true;
    default:
        return HasSectionBit(sectionBit);
    }
}

void PrintSettings::SetCurrentLayoutsOnly()
{
    currentDiagramsOnly = 1;
    scope = 2;
    sectionBits = Layouts;
}

int PrintSettings::GetDiagramsPerPage() const
{
    switch (diagramsPerPage) {
    case 1:
        return 2;
    case 2:
    case 3:
        return 4;
    default:
        return 1;
    }
}
