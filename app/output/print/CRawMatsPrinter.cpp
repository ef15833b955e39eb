#include "output/print/CRawMatsPrinter.h"

#include "foundation/ResourceBase.h"
#include "foundation/UserPrefsBase.h"
#include "foundation/WaitCursor.h"
#include "grids/CSGSCGDM.h"
#include "model/CSheetGoodEx.h"
#include "model/MaterialsBase.h"
#include "output/print/PrintPrefs.h"
#include "output/print/PrintStrings.h"
#include "platform/ui/IPrintControl.h"

namespace {
// Section "Print Orientation": on is portrait.
constexpr int kRawMaterialsOrientation = 2081;
} // namespace

CRawMatsPrinter::CRawMatsPrinter(
    IDoc* document, IPrintViewMgr* viewManager, QWidget* host, platform::IPrintControl* control)
    : CPrintEngineBase(document, viewManager, host, control)
{
    BeginDocument();
}

CRawMatsPrinter::~CRawMatsPrinter() = default;

void CRawMatsPrinter::PrintBody()
{
    WaitCursor wait;
    MaterialsBase* library = GetMaterialsLibrary();
    if (library)
        library->SortMaterials();
    platform::IPrintControl& control = GetControl();
    control.SetOrientation(PrintPrefs().GetFlag(kRawMaterialsOrientation) ? 0 : 1);
    control.StartDoc();
    SetPageHeader(LoadUIString(kStrPrintRawMaterialsHeader), true);
    StartNewPage(true);
    PrintTextBlock(LoadUIString(kStrPrintRawMaterialsTitle), SectionTitle);
    if (library) {
        // One manager for the whole list, bound to each material in turn.
        CSGSCGDM sizes;
        for (const std::shared_ptr<CSheetGoodEx>& material : library->GetMaterials()) {
            if (!material)
                continue;
            const QString name = material->GetName();
            sizes.SetSheetGood(material);
            sizes.SortByDefaultColumn();
            PrintGridDisplayManager(sizes.AsPrintable(), name);
        }
    }
    control.EndDoc();
}
