#pragma once
// Between the stored page setup and Qt's printers: which printer, paper,
// bin, duplex and orientation a QPrinter carries, the margins the page-setup
// dialog shows in the user's unit, and the page set-up of the print control.

#include "foundation/PageSetup.h"

#include <QString>

class QPrinter;

namespace platform {
class IPrintControl;
}

// Stored margins are thousandths of an inch. The dialog shows hundredths of a
// millimetre outside the US; the print control takes twips. Every conversion
// rounds to the nearest unit, so a value converted there and back is the value
// it was.
int MilsToHundredthsMm(int mils);
int HundredthsMmToMils(int hundredthsMm);
int MilsToTwips(int mils);
int TwipsToMils(double twips);

// Points the printer at the named device, the default printer for an empty
// name, or PDF output when the system has no printer. False when the named
// printer does not exist.
bool GetPrinterHandles(const QString& device, QPrinter& printer);
// Sets orientation, paper size, bin and duplex where the page setup has a
// value (0 leaves the printer's own). False for no printer.
bool ApplyPageSetupToDevMode(QPrinter* printer, const PageSetup& setup);
// Orientation, paper size, bin and duplex of the printer (0 where the printer
// has no code); without a printer only the orientation, portrait.
void ReadDevMode(const QPrinter* printer, PageSetup& setup);
// The printer's device and driver names, stored only when it names a device
// (PDF output names none). A Linux printer has no port: the port is cleared.
void ReadDevNames(const QPrinter* printer, PageSetup& setup);

// Prepares the printer a page-setup dialog edits. Failures are shown as
// "Could not access the print driver" and answer false.
bool InitPageSetupDialog(QPrinter& printer, const PageSetup& setup);
// After the dialog was confirmed: printer and margins into the stored settings.
void ApplyPageSetupDialogResult(const QPrinter& printer);
// The print dialog's printer from the stored settings.
bool InitPrintDialog(QPrinter& printer);
// After the print dialog was confirmed: the printer into the stored settings.
void StorePrintDialogResult(const QPrinter& printer);

// The stored page setup given to the print control, and read back from it
// after its own page-setup dialog. The control's body ends a footer margin
// (1/8 inch above the bottom margin) from the paper's bottom.
constexpr double kFooterGapTwips = 180.0;
void ApplyPageSetup(platform::IPrintControl& control);
void ReadPageSetup(platform::IPrintControl& control);
