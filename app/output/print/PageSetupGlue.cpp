#include "output/print/PageSetupGlue.h"

#include "foundation/PrintSettings.h"
#include "foundation/UserPrefsBase.h"
#include "output/print/PrintMessages.h"
#include "output/print/PrintPrefs.h"
#include "platform/ui/IPrintControl.h"
#include "platform/ui/PrinterCodes.h"

#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

namespace {

int Rounded(double value)
{
    return static_cast<int>(std::lround(value));
}

// The US system shows inches; every other locale millimetres.
bool LocaleShowsInches()
{
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem;
}

} // namespace

int MilsToHundredthsMm(int mils)
{
    return Rounded(mils * 25.4 / 10.0);
}

int HundredthsMmToMils(int hundredthsMm)
{
    return Rounded(hundredthsMm * 10.0 / 25.4);
}

int MilsToTwips(int mils)
{
    return Rounded(mils * 1.44);
}

int TwipsToMils(double twips)
{
    return Rounded(twips / 1.44);
}

bool GetPrinterHandles(const QString& device, QPrinter& printer)
{
    if (!device.isEmpty()) {
        if (QPrinterInfo::printerInfo(device).isNull())
            return false;
        printer.setPrinterName(device);
        return true;
    }
    const QString defaultPrinter = QPrinterInfo::defaultPrinterName();
    if (defaultPrinter.isEmpty())
        printer.setOutputFormat(QPrinter::PdfFormat);
    else
        printer.setPrinterName(defaultPrinter);
    return true;
}

bool ApplyPageSetupToDevMode(QPrinter* printer, const PageSetup& setup)
{
    if (!printer)
        return false;
    if (setup.orientation != 0)
        printer->setPageOrientation(setup.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (setup.paperSize != 0) {
        const QPageSize::PageSizeId id = QPageSize::id(setup.paperSize);
        if (id != QPageSize::Custom)
            printer->setPageSize(QPageSize(id));
    }
    if (setup.paperBin != 0) {
        if (const auto source = platform::PaperSourceFromBinCode(setup.paperBin))
            printer->setPaperSource(*source);
    }
    if (setup.duplex != 0) {
        if (const auto duplex = platform::DuplexModeFromCode(setup.duplex))
            printer->setDuplex(*duplex);
    }
    return true;
}

void ReadDevMode(const QPrinter* printer, PageSetup& setup)
{
    if (!printer) {
        setup.orientation = 1;
        return;
    }
    const QPageLayout layout = printer->pageLayout();
    setup.orientation = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
    setup.paperSize = static_cast<std::uint16_t>(layout.pageSize().windowsId());
    setup.paperBin = static_cast<std::uint16_t>(platform::BinCodeFromPaperSource(printer->paperSource()));
    setup.duplex = static_cast<std::uint16_t>(platform::DuplexCodeFromMode(printer->duplex()));
}

void ReadDevNames(const QPrinter* printer, PageSetup& setup)
{
    if (!printer || printer->outputFormat() != QPrinter::NativeFormat || printer->printerName().isEmpty())
        return;
    setup.device = printer->printerName();
    setup.driver = QPrinterInfo::printerInfo(setup.device).makeAndModel();
    setup.port.clear();
}

bool InitPageSetupDialog(QPrinter& printer, const PageSetup& setup)
{
    try {
        if (!GetPrinterHandles(setup.device, printer))
            return false;
        ApplyPageSetupToDevMode(&printer, setup);
        QMarginsF margins;
        QPageLayout::Unit unit = QPageLayout::Inch;
        if (LocaleShowsInches()) {
            margins = QMarginsF(setup.leftMargin, setup.topMargin, setup.rightMargin, setup.bottomMargin)
                / 1000.0;
        } else {
            unit = QPageLayout::Millimeter;
            margins = QMarginsF(MilsToHundredthsMm(setup.leftMargin), MilsToHundredthsMm(setup.topMargin),
                          MilsToHundredthsMm(setup.rightMargin), MilsToHundredthsMm(setup.bottomMargin))
                / 100.0;
        }
        QPageLayout layout = printer.pageLayout();
        layout.setUnits(unit);
        layout.setMinimumMargins(QMarginsF());
        layout.setMargins(margins);
        printer.setPageLayout(layout);
        return true;
    } catch (...) {
        ShowPrintStopMessage(QStringLiteral("Could not access the print driver"));
        return false;
    }
}

void ApplyPageSetupDialogResult(const QPrinter& printer)
{
    PrintSettings settings = PrintPrefs().GetPrintSettings();
    PageSetup setup = settings.GetPrinterPageSetup();
    ReadDevNames(&printer, setup);
    ReadDevMode(&printer, setup);
    const QPageLayout layout = printer.pageLayout();
    if (layout.units() == QPageLayout::Inch) {
        const QMarginsF inches = layout.margins() * 1000.0;
        setup.leftMargin = Rounded(inches.left());
        setup.topMargin = Rounded(inches.top());
        setup.rightMargin = Rounded(inches.right());
        setup.bottomMargin = Rounded(inches.bottom());
    } else {
        const QMarginsF hundredths = layout.margins(QPageLayout::Millimeter) * 100.0;
        setup.leftMargin = HundredthsMmToMils(Rounded(hundredths.left()));
        setup.topMargin = HundredthsMmToMils(Rounded(hundredths.top()));
        setup.rightMargin = HundredthsMmToMils(Rounded(hundredths.right()));
        setup.bottomMargin = HundredthsMmToMils(Rounded(hundredths.bottom()));
    }
    settings.SetPrinterPageSetup(setup);
    PrintPrefs().SetPrintSettings(settings);
}

bool InitPrintDialog(QPrinter& printer)
{
    return GetPrinterHandles(PrintPrefs().GetPrintSettings().GetPrinterPageSetup().device, printer);
}

void StorePrintDialogResult(const QPrinter& printer)
{
    PrintSettings settings = PrintPrefs().GetPrintSettings();
    PageSetup setup = settings.GetPrinterPageSetup();
    ReadDevNames(&printer, setup);
    ReadDevMode(&printer, setup);
    settings.SetPrinterPageSetup(setup);
    PrintPrefs().SetPrintSettings(settings);
}

void ApplyPageSetup(platform::IPrintControl& control)
{
    const PageSetup setup = PrintPrefs().GetPrintSettings().GetPrinterPageSetup();
    if (!setup.device.isEmpty())
        control.SetDevice(setup.device);
    if (!setup.port.isEmpty())
        control.SetPort(setup.port);
    if (setup.paperSize != 0 && QPageSize::id(setup.paperSize) != QPageSize::Custom)
        control.SetPaperSize(setup.paperSize);
    if (setup.paperBin != 0)
        control.SetPaperBin(setup.paperBin);
    if (platform::DuplexModeFromCode(setup.duplex))
        control.SetDuplex(setup.duplex);
    control.SetMarginTop(MilsToTwips(setup.topMargin));
    control.SetMarginBottom(MilsToTwips(setup.bottomMargin));
    control.SetMarginLeft(MilsToTwips(setup.leftMargin));
    control.SetMarginRight(MilsToTwips(setup.rightMargin));
    control.SetFooterMargin(control.MarginBottom() + kFooterGapTwips);
    control.SetOrientation(setup.orientation != 1 ? 1 : 0);
}

void ReadPageSetup(platform::IPrintControl& control)
{
    PrintSettings settings = PrintPrefs().GetPrintSettings();
    PageSetup setup = settings.GetPrinterPageSetup();
    setup.device = control.Device();
    setup.driver = control.Driver();
    setup.port = control.Port();
    setup.leftMargin = TwipsToMils(control.MarginLeft());
    setup.topMargin = TwipsToMils(control.MarginTop());
    setup.rightMargin = TwipsToMils(control.MarginRight());
    setup.bottomMargin = TwipsToMils(control.FooterMargin());
    setup.orientation = control.Orientation() == 1 ? 2 : 1;
    setup.paperSize = static_cast<std::uint16_t>(control.PaperSize());
    setup.paperBin = static_cast<std::uint16_t>(control.PaperBin());
    setup.duplex = static_cast<std::uint16_t>(control.Duplex());
    settings.SetPrinterPageSetup(setup);
    control.SetMarginBottom(control.FooterMargin());
    control.SetFooterMargin(control.MarginBottom() + kFooterGapTwips);
    PrintPrefs().SetPrintSettings(settings);
}
