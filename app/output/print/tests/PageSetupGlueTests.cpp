#include "PrintTestSupport.h"

#include "foundation/CUserPrefs.h"
#include "foundation/PrintSettings.h"
#include "output/print/PageSetupGlue.h"
#include "output/print/PrintMessages.h"
#include "output/print/PrintSetupCommands.h"
#include "platform/ui/PrintControl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include <stdexcept>

namespace {

// Pins the default locale for one test.
class ScopedLocale
{
public:
    explicit ScopedLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~ScopedLocale() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

// Captures the stop messages of printing.
class ScopedMessages
{
public:
    ScopedMessages()
        : m_previous(SetPrintMessageHook([this](const QString& text) { texts << text; }))
    { }
    ~ScopedMessages() { SetPrintMessageHook(m_previous); }
    QStringList texts;

private:
    PrintMessageHook m_previous;
};

PageSetup StoredSetup()
{
    return GetUserPrefs()->GetPrintSettings().GetPrinterPageSetup();
}

void StoreSetup(const PageSetup& setup)
{
    PrintSettings settings = GetUserPrefs()->GetPrintSettings();
    settings.SetPrinterPageSetup(setup);
    GetUserPrefs()->SetPrintSettings(settings);
}

} // namespace

TEST(MarginUnitsTest, ConvertedMarginsComeBackUnchanged)
{
    EXPECT_EQ(MilsToHundredthsMm(250), 635);
    EXPECT_EQ(HundredthsMmToMils(635), 250);
    EXPECT_EQ(MilsToTwips(333), 480);
    EXPECT_EQ(TwipsToMils(480), 333);
    for (int mils = 0; mils <= 2000; ++mils) {
        ASSERT_EQ(HundredthsMmToMils(MilsToHundredthsMm(mils)), mils);
        ASSERT_EQ(TwipsToMils(MilsToTwips(mils)), mils);
    }
}

// Duplex needs a printer (PDF output has none); its table is tested with
// the print control.
TEST(PrinterCodesTest, PaperBinAndOrientationRoundTrip)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    struct Case
    {
        std::uint16_t paper;
        std::uint16_t bin;
        std::uint16_t duplex;
        std::int32_t orientation;
    };
    const Case cases[] = {
        { 1, 1, 1, 1 },
        { 5, 2, 2, 2 },
        { 8, 3, 3, 1 },
        { 9, 4, 1, 2 },
        { 11, 5, 2, 1 },
        { 1, 6, 3, 2 },
        { 9, 7, 1, 1 },
        { 9, 8, 1, 1 },
        { 9, 9, 1, 1 },
        { 9, 10, 1, 1 },
        { 9, 11, 1, 1 },
        { 9, 14, 1, 1 },
        { 9, 15, 1, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.paper << " " << c.bin << " " << c.duplex);
        PageSetup setup;
        setup.paperSize = c.paper;
        setup.paperBin = c.bin;
        setup.duplex = c.duplex;
        setup.orientation = c.orientation;
        ASSERT_TRUE(ApplyPageSetupToDevMode(&printer, setup));
        PageSetup read;
        ReadDevMode(&printer, read);
        EXPECT_EQ(read.paperSize, c.paper);
        EXPECT_EQ(read.paperBin, c.bin);
        EXPECT_EQ(read.orientation, c.orientation);
    }
    // Zero codes leave the printer's own values.
    PageSetup unset;
    unset.paperSize = 0;
    unset.paperBin = 0;
    unset.duplex = 0;
    unset.orientation = 0;
    ApplyPageSetupToDevMode(&printer, unset);
    PageSetup read;
    ReadDevMode(&printer, read);
    EXPECT_EQ(read.paperSize, 9);
    EXPECT_EQ(read.paperBin, 15);
    EXPECT_EQ(read.orientation, 1);

    EXPECT_FALSE(ApplyPageSetupToDevMode(nullptr, unset));
    PageSetup noPrinter;
    noPrinter.orientation = 2;
    ReadDevMode(nullptr, noPrinter);
    EXPECT_EQ(noPrinter.orientation, 1);
    EXPECT_EQ(noPrinter.paperSize, 1);
}

TEST(PrinterNamesTest, PdfOutputLeavesTheStoredNames)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    PageSetup setup;
    setup.device = QStringLiteral("Workshop");
    setup.driver = QStringLiteral("Laser");
    setup.port = QStringLiteral("lpt");
    ReadDevNames(&printer, setup);
    ReadDevNames(nullptr, setup);
    EXPECT_EQ(setup.device, QStringLiteral("Workshop"));
    EXPECT_EQ(setup.driver, QStringLiteral("Laser"));
    EXPECT_EQ(setup.port, QStringLiteral("lpt"));
    EXPECT_FALSE(GetPrinterHandles(QStringLiteral("No such printer here"), printer));
}

TEST(PageSetupCommandTest, UnchangedDialogKeepsEveryMarginInBothUnitSystems)
{
    struct Case
    {
        const char* locale;
        QPageLayout::Unit unit;
    };
    for (const Case c : { Case { "de_DE", QPageLayout::Millimeter }, Case { "en_US", QPageLayout::Inch } }) {
        SCOPED_TRACE(c.locale);
        ScopedLocale locale { QLocale(QString::fromLatin1(c.locale)) };
        ScopedPrintPrefs prefs;
        PageSetup setup;
        setup.leftMargin = 250;
        setup.topMargin = 333;
        setup.rightMargin = 517;
        setup.bottomMargin = 1999;
        StoreSetup(setup);
        QPageLayout::Unit shown = QPageLayout::Point;
        QMarginsF shownMargins;
        const bool stored = RunPageSetupCommand(nullptr, [&](QPrinter& printer, QWidget*) {
            shown = printer.pageLayout().units();
            shownMargins = printer.pageLayout().margins();
            return true;
        });
        EXPECT_TRUE(stored);
        EXPECT_EQ(shown, c.unit);
        if (c.unit == QPageLayout::Millimeter) {
            EXPECT_DOUBLE_EQ(shownMargins.left(), 6.35);
        }
        const PageSetup after = StoredSetup();
        EXPECT_EQ(after.leftMargin, 250);
        EXPECT_EQ(after.topMargin, 333);
        EXPECT_EQ(after.rightMargin, 517);
        EXPECT_EQ(after.bottomMargin, 1999);
    }
}

TEST(PageSetupCommandTest, StoresTheConfirmedDialog)
{
    ScopedLocale locale { QLocale(QStringLiteral("de_DE")) };
    ScopedPrintPrefs prefs;
    bool ignoredWhileOpen = false;
    const bool stored = RunPageSetupCommand(nullptr, [&](QPrinter& printer, QWidget*) {
        ignoredWhileOpen = GetUserPrefs()->GetFlag(2114);
        QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(20, 10, 20, 15),
            QPageLayout::Millimeter);
        printer.setPageLayout(layout);
        return true;
    });
    EXPECT_TRUE(stored);
    EXPECT_TRUE(ignoredWhileOpen);
    EXPECT_FALSE(GetUserPrefs()->GetFlag(2114));
    const PageSetup after = StoredSetup();
    EXPECT_EQ(after.orientation, 2);
    EXPECT_EQ(after.paperSize, 9);
    EXPECT_EQ(after.leftMargin, 787);
    EXPECT_EQ(after.topMargin, 394);
    EXPECT_EQ(after.bottomMargin, 591);

    // Cancelling stores nothing.
    EXPECT_FALSE(RunPageSetupCommand(nullptr, [](QPrinter& printer, QWidget*) {
        printer.setPageOrientation(QPageLayout::Portrait);
        return false;
    }));
    EXPECT_EQ(StoredSetup().orientation, 2);
}

TEST(PageSetupCommandTest, FailingAgainAfterTheRetryKeepsTheOldSetup)
{
    ScopedPrintPrefs prefs;
    ScopedMessages messages;
    PageSetup setup;
    setup.leftMargin = 1000;
    setup.orientation = 2;
    setup.paperSize = 9;
    StoreSetup(setup);
    const PrintSettings before = GetUserPrefs()->GetPrintSettings();
    int attempts = 0;
    EXPECT_FALSE(RunPageSetupCommand(nullptr, [&](QPrinter&, QWidget*) -> bool {
        ++attempts;
        throw std::runtime_error("driver gone");
    }));
    EXPECT_EQ(attempts, 2);
    EXPECT_TRUE(GetUserPrefs()->GetPrintSettings() == before);
    EXPECT_EQ(messages.texts, QStringList { QStringLiteral("Could not access the print driver") });
    EXPECT_FALSE(GetUserPrefs()->GetFlag(2114));

    // A retry that works runs from the defaults.
    attempts = 0;
    EXPECT_TRUE(RunPageSetupCommand(nullptr, [&](QPrinter&, QWidget*) -> bool {
        if (++attempts == 1)
            throw std::runtime_error("driver busy");
        return true;
    }));
    EXPECT_EQ(StoredSetup().leftMargin, PageSetup().leftMargin);
}

TEST(PrintSetupCommandTest, StoresThePrinterPaper)
{
    ScopedPrintPrefs prefs;
    EXPECT_TRUE(RunPrintSetupCommand(nullptr, [](QPrinter& printer, QWidget*) {
        printer.setPageSize(QPageSize(QPageSize::Legal));
        return true;
    }));
    EXPECT_EQ(StoredSetup().paperSize, 5);
}

// The title and the button texts of the real Print Setup dialog, closed
// unanswered.
struct PrintSetupLook
{
    QString title;
    QStringList texts;
};

PrintSetupLook LookAtThePrintSetupDialog()
{
    QPrinter printer;
    PrintSetupLook look;
    QTimer::singleShot(0, [&look] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        look.title = dialog->windowTitle();
        for (const QPushButton* button : dialog->findChildren<QPushButton*>())
            look.texts << button->text();
        dialog->close();
    });
    EXPECT_FALSE(ExecPrintSetupDialog(printer, nullptr));
    return look;
}

TEST(PrintSetupCommandTest, TheWindowIsTitledPrintSetup)
{
    EXPECT_EQ(LookAtThePrintSetupDialog().title, QStringLiteral("Print Setup"));
}

TEST(PrintSetupCommandTest, TheDialogsButtonDoesNotPromiseAPrint)
{
    const QStringList texts = LookAtThePrintSetupDialog().texts;
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_TRUE(texts.contains(QStringLiteral("OK")) || texts.contains(QStringLiteral("&OK")))
        << texts.join(QLatin1Char('|')).toStdString();
    for (const QString& text : texts)
        EXPECT_FALSE(QString(text).remove(QLatin1Char('&')).startsWith(QStringLiteral("Print")))
            << text.toStdString();
}

TEST(ControlPageSetupTest, StoredSetupReachesTheControlInTwips)
{
    ScopedPrintPrefs prefs;
    PageSetup setup;
    setup.leftMargin = 333;
    setup.topMargin = 500;
    setup.rightMargin = 250;
    setup.bottomMargin = 517;
    setup.orientation = 2;
    setup.paperSize = 9;
    setup.paperBin = 0;
    StoreSetup(setup);
    platform::PrintControl control;
    control.SetDevice(QStringLiteral("Kept"));
    control.SetPaperBin(4);
    ApplyPageSetup(control);
    EXPECT_EQ(control.Device(), QStringLiteral("Kept")); // an empty name changes nothing
    EXPECT_EQ(control.PaperBin(), 4);
    EXPECT_DOUBLE_EQ(control.MarginLeft(), 480.0);
    EXPECT_DOUBLE_EQ(control.MarginBottom(), 744.0);
    EXPECT_DOUBLE_EQ(control.FooterMargin(), 924.0);
    EXPECT_EQ(control.Orientation(), 1);
    EXPECT_EQ(control.PaperSize(), 9);

    // Read back as the control's page-setup dialog leaves it.
    control.SetFooterMargin(control.MarginBottom());
    ReadPageSetup(control);
    const PageSetup after = StoredSetup();
    EXPECT_EQ(after.leftMargin, 333);
    EXPECT_EQ(after.bottomMargin, 517);
    EXPECT_EQ(after.orientation, 2);
    EXPECT_DOUBLE_EQ(control.FooterMargin(), 924.0);
}

TEST(PrintControlStartupTest, TheControlCanBeCreated)
{
    EXPECT_TRUE(CreatePrintControlOnce());
}
