#include "shell/controls/ControlsStrings.h"

namespace {

const StringResource g_controlsStrings[] = {
    { kStrAllFiles, u"FileDlg_AllFiles_All Files (*.*)" },
    { kStrBrowse, u"FileEdit_Browse_Browse" },
    { kStrPathDoesNotExist, u"FileEdit_DoesNotExist_%1 does not exist." },
    { kStrEnterExistingFolder, u"FileEdit_EnterFolder_Please enter an existing folder name." },
};

} // namespace

std::span<const StringResource> ControlsStringResources()
{
    return g_controlsStrings;
}
