// The real Print Setup dialog: only what the command keeps (printer, paper,
// orientation), and that kept from one setup to the next.
#include "PrintTestSupport.h"

#include "foundation/PrintSettings.h"
#include "foundation/UserPrefsBase.h"
#include "output/print/PrintSetupCommands.h"
#include "output/print/PrintSetupDialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QTimer>

#include <functional>

namespace {

// Runs Print Setup with its real dialog, which the test answers as it
// comes up.
bool RunPrintSetup(const std::function<void(QDialog&)>& answer)
{
    QTimer::singleShot(0, [&answer] {
        QWidget* window = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QDialog*>(window))
            answer(*dialog);
        else if (window)
            window->close();
    });
    return RunPrintSetupCommand(nullptr);
}

// The same, for an answer that needs the dialog's own controls.
bool RunPrintSetupDialog(const std::function<void(PrintSetupDialog&)>& answer)
{
    return RunPrintSetup(std::function<void(QDialog&)>([&answer](QDialog& window) {
        if (auto* dialog = qobject_cast<PrintSetupDialog*>(&window)) {
            answer(*dialog);
            return;
        }
        ADD_FAILURE() << "not the Print Setup dialog: " << window.metaObject()->className();
        window.reject();
    }));
}

PageSetup StoredSetup()
{
    return GetUserPrefs()->GetPrintSettings().GetPrinterPageSetup();
}

void ChoosePaper(PrintSetupDialog& dialog, QPageSize::PageSizeId id)
{
    const int index = dialog.PaperChoice()->findText(QPageSize::name(id));
    ASSERT_GE(index, 0) << QPageSize::name(id).toStdString();
    dialog.PaperChoice()->setCurrentIndex(index);
}

TEST(PrintSetupDialogTest, ShowsThePrinterThePaperAndTheOrientationOnly)
{
    ScopedPrintPrefs prefs;
    int choices = -1;
    QStringList radios; // "text" or "text (checked)", without mnemonics
    QStringList texts;
    int textFields = -1;
    int numberFields = -1;
    QStringList printers;
    QString paper;
    EXPECT_FALSE(RunPrintSetup([&](QDialog& dialog) {
        choices = static_cast<int>(dialog.findChildren<QComboBox*>().size());
        for (const QRadioButton* radio : dialog.findChildren<QRadioButton*>())
            radios << radio->text().remove(QLatin1Char('&')) + (radio->isChecked() ? " (checked)" : "");
        textFields = static_cast<int>(dialog.findChildren<QLineEdit*>().size());
        numberFields = static_cast<int>(dialog.findChildren<QAbstractSpinBox*>().size());
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            texts << label->text();
        for (const QGroupBox* box : dialog.findChildren<QGroupBox*>())
            texts << box->title();
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            texts << button->text();
        if (auto* setup = qobject_cast<PrintSetupDialog*>(&dialog)) {
            for (int i = 0; i < setup->PrinterChoice()->count(); ++i)
                printers << setup->PrinterChoice()->itemText(i);
            paper = setup->PaperChoice()->currentText();
        }
        dialog.reject();
    }));
    EXPECT_EQ(choices, 2) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(printers.join(QLatin1Char('|')).toStdString(),
        (QPrinterInfo::availablePrinterNames() << QStringLiteral("PDF File"))
            .join(QLatin1Char('|'))
            .toStdString());
    EXPECT_EQ(paper.toStdString(), QPageSize::name(QPageSize::Letter).toStdString())
        << "the stored paper of a default page setup";
    EXPECT_EQ(radios.join(QLatin1Char('|')).toStdString(), "Portrait (checked)|Landscape");
    // No output file, no copies, no page range.
    EXPECT_EQ(textFields, 0);
    EXPECT_EQ(numberFields, 0);
    for (const QString& text : texts) {
        for (const char* word : { "file", "cop", "page", "range", "collate" })
            EXPECT_FALSE(text.contains(QLatin1String(word), Qt::CaseInsensitive)) << text.toStdString();
    }
}

TEST(PrintSetupDialogTest, ThePaperAndOrientationChosenAreStoredAndShownNextTime)
{
    ScopedPrintPrefs prefs;
    const PageSetup before = StoredSetup();
    EXPECT_TRUE(RunPrintSetupDialog([](PrintSetupDialog& dialog) {
        QComboBox* printers = dialog.PrinterChoice();
        printers->setCurrentIndex(printers->count() - 1);
        Q_EMIT printers->activated(printers->count() - 1);
        ChoosePaper(dialog, QPageSize::Legal);
        dialog.LandscapeButton()->setChecked(true);
        dialog.accept();
    }));
    PageSetup stored = StoredSetup();
    EXPECT_EQ(stored.paperSize, 5); // legal
    EXPECT_EQ(stored.orientation, 2);
    EXPECT_EQ(stored.device, before.device) << "PDF output names no printer";
    EXPECT_EQ(stored.leftMargin, before.leftMargin) << "margins are Page Setup's";

    // Shown as stored; a cancelled setup stores nothing.
    QString paper;
    bool landscape = false;
    EXPECT_FALSE(RunPrintSetupDialog([&](PrintSetupDialog& dialog) {
        paper = dialog.PaperChoice()->currentText();
        landscape = dialog.LandscapeButton()->isChecked();
        ChoosePaper(dialog, QPageSize::A4);
        dialog.PortraitButton()->setChecked(true);
        dialog.reject();
    }));
    EXPECT_EQ(paper.toStdString(), QPageSize::name(QPageSize::Legal).toStdString());
    EXPECT_TRUE(landscape);
    stored = StoredSetup();
    EXPECT_EQ(stored.paperSize, 5);
    EXPECT_EQ(stored.orientation, 2);
}

} // namespace
