#pragma once
// The Page Setup and Print Setup commands and the print control's first
// creation at start-up. The main window wires them to its menu and its
// start-up guard.

#include <QWidget>

#include <functional>

class QPrinter;

// "Ignore Prefs" (preference 2114): on exactly while a print, preview or
// page-setup dialog is open.
constexpr int kPrefIgnorePrefs = 2114;

// Keeps "Ignore Prefs" on for the life of a dialog command.
class IgnorePrefsScope
{
public:
    IgnorePrefsScope();
    ~IgnorePrefsScope();
    IgnorePrefsScope(const IgnorePrefsScope&) = delete;
    IgnorePrefsScope& operator=(const IgnorePrefsScope&) = delete;
};

// Runs a dialog over the printer; true when the user confirmed it.
using PrinterDialogRunner = std::function<bool(QPrinter& printer, QWidget* parent)>;

bool ExecPageSetupDialog(QPrinter& printer, QWidget* parent);
bool ExecPrintSetupDialog(QPrinter& printer, QWidget* parent);

// Page Setup: the page-setup dialog over the stored printer page setup; a
// confirmed dialog is stored. When it fails, it is tried once more from the
// default page setup; when that fails too, the stored settings are put back
// as they were and "Could not access the print driver" is shown. "Ignore
// Prefs" is on while it runs. Answers whether a result was stored.
bool RunPageSetupCommand(QWidget* parent, const PrinterDialogRunner& run = ExecPageSetupDialog);

// Print Setup: its dialog over the stored printer; the chosen printer, paper
// and orientation are stored.
bool RunPrintSetupCommand(QWidget* parent, const PrinterDialogRunner& run = ExecPrintSetupDialog);

// Creates the print control once and lets it go, so that the print system is
// started (this may take long, or hang, on a broken installation). True when
// the control could be created.
bool CreatePrintControlOnce();
