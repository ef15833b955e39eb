#include "document/DocumentStrings.h"

namespace {

const StringResource g_documentStrings[] = {
    {kStrProgramVersion, u"Document_Version_1.0"},
    {kStrNewerFileVersion,
     u"Document_NewerVersion_The file you are trying to open was created with Kerfwell Plus version %1.\\n"
     u"You currently have installed Kerfwell Plus version %2.\\n"
     u"In order to open this document, please install an updated version of the program."},
    {kStrDocumentReadError,
     u"Document_ReadError_AR-101: Error reading document: file is either corrupted or has an unknown version number."},
    {kStrSaveChanges, u"Document_SaveChanges_Save changes to %1?"},
    {kStrUntitled, u"Document_Untitled_Untitled"},
};

}  // namespace

std::span<const StringResource> DocumentStringResources()
{
    return g_documentStrings;
}
