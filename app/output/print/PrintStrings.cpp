#include "output/print/PrintStrings.h"

namespace {

// Section, key and text joined by underscores.
const StringResource g_printStrings[] = {
    {kStrPrintNo, u"General_No_No"},
    {kStrPrintNotes, u"GridPrint_Notes_^^Notes:"},
};

} // namespace

std::span<const StringResource> PrintStringResources()
{
    return g_printStrings;
}
