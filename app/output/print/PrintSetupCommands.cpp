#include "output/print/PrintSetupCommands.h"

#include "foundation/PrintSettings.h"
#include "foundation/UserPrefsBase.h"
#include "output/print/PageSetupGlue.h"
#include "output/print/PrintMessages.h"
#include "output/print/PrintPrefs.h"
#include "output/print/PrintSetupDialog.h"
#include "platform/ui/PageSetupDialog.h"
#include "platform/ui/PrintControl.h"

#include <QPrinter>

namespace {

// A dialog that could not be prepared; it has shown its own message.
struct DialogNotReady
{
};

// One attempt of the page setup; throws when it cannot run.
bool TryPageSetup(QWidget* parent, const PrinterDialogRunner& run)
{
    QPrinter printer;
    if (!InitPageSetupDialog(printer, PrintPrefs().GetPrintSettings().GetPrinterPageSetup()))
        throw DialogNotReady {};
    if (!run(printer, parent))
        return false;
    ApplyPageSetupDialogResult(printer);
    return true;
}

} // namespace

IgnorePrefsScope::IgnorePrefsScope()
{
    PrintPrefs().SetFlag(kPrefIgnorePrefs, true);
}

IgnorePrefsScope::~IgnorePrefsScope()
{
    if (UserPrefsBase* prefs = GetUserPrefs())
        prefs->SetFlag(kPrefIgnorePrefs, false);
}

bool ExecPageSetupDialog(QPrinter& printer, QWidget* parent)
{
    return platform::ExecPageSetupDialog(printer, parent);
}

bool ExecPrintSetupDialog(QPrinter& printer, QWidget* parent)
{
    PrintSetupDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool RunPageSetupCommand(QWidget* parent, const PrinterDialogRunner& run)
{
    IgnorePrefsScope ignorePrefs;
    const PrintSettings before = PrintPrefs().GetPrintSettings();
    try {
        return TryPageSetup(parent, run);
    } catch (...) { }
    // Once more from the default printer page setup; a second failure must
    // not leave the defaults behind in place of the user's page setup.
    PrintSettings defaults = before;
    defaults.SetPrinterPageSetup(PageSetup());
    PrintPrefs().SetPrintSettings(defaults);
    try {
        return TryPageSetup(parent, run);
    } catch (const DialogNotReady&) {
        PrintPrefs().SetPrintSettings(before);
    } catch (...) {
        PrintPrefs().SetPrintSettings(before);
        ShowPrintStopMessage(QStringLiteral("Could not access the print driver"));
    }
    return false;
}

bool RunPrintSetupCommand(QWidget* parent, const PrinterDialogRunner& run)
{
    QPrinter printer;
    if (!InitPrintDialog(printer))
        GetPrinterHandles(QString(), printer);
    ApplyPageSetupToDevMode(&printer, PrintPrefs().GetPrintSettings().GetPrinterPageSetup());
    if (!run(printer, parent))
        return false;
    StorePrintDialogResult(printer);
    return true;
}

bool CreatePrintControlOnce()
{
    return platform::CreatePrintControl() != nullptr;
}
