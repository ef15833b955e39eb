#include "output/export/ExportStrings.h"

namespace {

const StringResource g_exportStrings[] = {
    {kStrExportSucceeded, u"Export_Succeeded_Export was successful."},
    {kStrExportFailed,
     u"Export_Failed_Kerfwell Plus could not export the data.\\n\\nThere was a problem saving the file to disk."},
};

} // namespace

std::span<const StringResource> ExportStringResources()
{
    return g_exportStrings;
}
