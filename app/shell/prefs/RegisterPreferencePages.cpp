#include "shell/prefs/RegisterPreferencePages.h"

#include "shell/prefs/CDispStylePg.h"
#include "shell/prefs/CFileLocationsPP.h"
#include "shell/prefs/CFormatsPg.h"
#include "shell/prefs/CPickListPrefsPg.h"
#include "shell/prefs/CShadingPg.h"
#include "shell/prefs/ReportsPrefsPg.h"

namespace {

template <typename Page> void Register(PrefsPage place)
{
    RegisterPreferencePage(
        place, [](GeneralSettings* record) -> CPreferencePage* { return new Page(record); });
}

} // namespace

void RegisterShellPreferencePages()
{
    Register<CDispStylePg>(PrefsPage::DisplayStyle);
    Register<CPickListPrefsPg>(PrefsPage::PickList);
    Register<CFileLocationsPP>(PrefsPage::FileLocations);
    Register<CFormatsPg>(PrefsPage::Fonts);
    Register<CShadingPg>(PrefsPage::Shading);
    Register<ReportsPrefsPg>(PrefsPage::Reports);
}
