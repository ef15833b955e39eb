#include "PrintUiTestSupport.h"
#include "ScopedProgramHelp.h"

#include "foundation/ui/CUserPrefsPropSheet.h"
#include "output/print/ui/PrintPreferencePages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

constexpr std::uint32_t kAllSectionBits = PrintSettings::CoverPage | PrintSettings::PartsList
    | PrintSettings::BillOfMaterials | PrintSettings::Layouts | PrintSettings::TakeOffLists
    | PrintSettings::Reports;

using PrintDialogTest = PrintUiTest;

int CheckedScope(const CPrintLayoutsDlg& dialog)
{
    int scope = 0;
    int checked = 0;
    const std::pair<QRadioButton*, int> buttons[] = {
        { dialog.AllSectionsButton(), CPrintLayoutsDlg::AllSections },
        { dialog.SelectedSectionsButton(), CPrintLayoutsDlg::SelectedSections },
        { dialog.RawMaterialsButton(), CPrintLayoutsDlg::RawMaterials },
    };
    for (const auto& [button, value] : buttons) {
        if (button->isChecked()) {
            scope = value;
            ++checked;
        }
    }
    return checked == 1 ? scope : -checked;
}

QList<QCheckBox*> SectionBoxes(const CPrintLayoutsDlg& dialog)
{
    return { dialog.CoverPageBox(), dialog.PartsListBox(), dialog.ReportsBox(), dialog.LayoutsBox(),
        dialog.TakeOffListsBox(), dialog.BillOfMaterialsBox() };
}

TEST_F(PrintDialogTest, TheFirstDialogOpensOnAllSectionsAndLaterOnesOnTheScopeConfirmedLast)
{
    PrintSettings settings = Stored();
    settings.scope = CPrintLayoutsDlg::RawMaterials; // chosen in an earlier run
    Store(settings);
    {
        CPrintLayoutsDlg dialog(nullptr, nullptr, false);
        EXPECT_EQ(CheckedScope(dialog), CPrintLayoutsDlg::AllSections);
        dialog.SelectedSectionsButton()->click();
        EXPECT_EQ(CheckedScope(dialog), CPrintLayoutsDlg::SelectedSections);
        dialog.accept();
    }
    EXPECT_EQ(Stored().scope, CPrintLayoutsDlg::SelectedSections);
    {
        CPrintLayoutsDlg dialog(nullptr, nullptr, true);
        EXPECT_EQ(CheckedScope(dialog), CPrintLayoutsDlg::SelectedSections);
        // A click on the checked button leaves it checked.
        dialog.SelectedSectionsButton()->click();
        EXPECT_EQ(CheckedScope(dialog), CPrintLayoutsDlg::SelectedSections);
        dialog.RawMaterialsButton()->click();
        dialog.reject();
    }
    EXPECT_EQ(RememberedPrintScope(), CPrintLayoutsDlg::SelectedSections);
    EXPECT_EQ(Stored().scope, CPrintLayoutsDlg::SelectedSections);
    CPrintLayoutsDlg dialog(nullptr, nullptr, false);
    EXPECT_EQ(CheckedScope(dialog), CPrintLayoutsDlg::SelectedSections);
}

TEST_F(PrintDialogTest, DisabledSectionBoxesKeepTheirTicksAndTheirBits)
{
    PrintSettings settings = Stored();
    settings.takeOffOnLayoutPage = 0;
    settings.SetSectionBits(
        PrintSettings::CoverPage | PrintSettings::BillOfMaterials | PrintSettings::Reports);
    Store(settings);
    for (int scope : { CPrintLayoutsDlg::AllSections, CPrintLayoutsDlg::RawMaterials }) {
        SCOPED_TRACE(scope);
        CPrintLayoutsDlg dialog(nullptr, nullptr, false);
        (scope == CPrintLayoutsDlg::AllSections ? dialog.AllSectionsButton() : dialog.RawMaterialsButton())
            ->click();
        for (QCheckBox* box : SectionBoxes(dialog))
            EXPECT_FALSE(box->isEnabled()) << box->text().toStdString();
        EXPECT_TRUE(dialog.CoverPageBox()->isChecked());
        EXPECT_TRUE(dialog.BillOfMaterialsBox()->isChecked());
        EXPECT_TRUE(dialog.ReportsBox()->isChecked());
        EXPECT_FALSE(dialog.PartsListBox()->isChecked());
        dialog.accept();
        EXPECT_EQ(Stored().scope, scope);
        EXPECT_EQ(Stored().sectionBits, settings.sectionBits);
    }
    CPrintLayoutsDlg dialog(nullptr, nullptr, false);
    dialog.SelectedSectionsButton()->click();
    for (QCheckBox* box : SectionBoxes(dialog))
        EXPECT_TRUE(box->isEnabled()) << box->text().toStdString();
}

TEST_F(PrintDialogTest, TheTakeOffListsBoxFollowsTheTakeOffBesideTheDiagramsOption)
{
    const struct
    {
        int takeOffBeside;
        bool checked;
        bool enabled;
        std::uint32_t storedBits;
    } cases[] = {
        { 1, false, false, kAllSectionBits & ~PrintSettings::TakeOffLists },
        { 0, true, true, kAllSectionBits },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.takeOffBeside);
        ResetRememberedPrintScope();
        PrintSettings settings = Stored();
        settings.takeOffOnLayoutPage = test.takeOffBeside;
        settings.SetSectionBits(kAllSectionBits);
        Store(settings);
        CPrintLayoutsDlg dialog(nullptr, nullptr, false);
        dialog.SelectedSectionsButton()->click();
        EXPECT_EQ(dialog.TakeOffListsBox()->isChecked(), test.checked);
        EXPECT_EQ(dialog.TakeOffListsBox()->isEnabled(), test.enabled);
        EXPECT_TRUE(dialog.LayoutsBox()->isEnabled());
        dialog.accept();
        EXPECT_EQ(Stored().sectionBits, test.storedBits);
    }
}

TEST_F(PrintDialogTest, OptionsChangesTheTakeOffListsBoxWhileTheDialogIsOpen)
{
    PrintSettings settings = Stored();
    settings.takeOffOnLayoutPage = 0;
    settings.SetSectionBits(PrintSettings::TakeOffLists);
    Store(settings);
    CPrintLayoutsDlg dialog(nullptr, nullptr, false);
    dialog.SelectedSectionsButton()->click();
    ASSERT_TRUE(dialog.TakeOffListsBox()->isChecked());

    // The sheet opens on the print options page; the user flips the option.
    const auto flipOption = [](bool on, bool confirm) {
        QTimer::singleShot(0, [on, confirm] {
            auto* sheet = qobject_cast<CUserPrefsPropSheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            EXPECT_EQ(sheet->GetTabs()->currentIndex(), static_cast<int>(PrefsPage::PrintOptions));
            auto* page = dynamic_cast<CPrintOptsPage*>(sheet->GetPage(PrefsPage::PrintOptions));
            ASSERT_NE(page, nullptr);
            page->TakeOffBox()->setChecked(on);
            confirm ? sheet->accept() : sheet->reject();
        });
    };
    flipOption(true, false);
    dialog.OptionsButton()->click();
    EXPECT_TRUE(dialog.TakeOffListsBox()->isChecked()); // a cancelled sheet changes nothing

    flipOption(true, true);
    dialog.OptionsButton()->click();
    EXPECT_NE(Stored().takeOffOnLayoutPage, 0);
    EXPECT_FALSE(dialog.TakeOffListsBox()->isChecked());
    EXPECT_FALSE(dialog.TakeOffListsBox()->isEnabled());

    flipOption(false, true);
    dialog.OptionsButton()->click();
    EXPECT_TRUE(dialog.TakeOffListsBox()->isChecked()); // bit 0x100 was set
    EXPECT_TRUE(dialog.TakeOffListsBox()->isEnabled());
    EXPECT_TRUE(dialog.SelectedSectionsButton()->isChecked()); // the choice made here stays
}

TEST_F(PrintDialogTest, PreviewAndPrintDifferInCaptionAndDefaultButtonOnly)
{
    FakePrintHost host;
    const struct
    {
        bool preview;
        const char* caption;
        const char* button;
    } cases[] = { { true, "Print Preview", "Preview" }, { false, "Print", "Print" } };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.caption);
        CPrintLayoutsDlg dialog(nullptr, &host, test.preview);
        EXPECT_EQ(dialog.windowTitle(), QString::fromLatin1(test.caption));
        EXPECT_EQ(dialog.DefaultButton()->text(), QString::fromLatin1(test.button));
        EXPECT_TRUE(dialog.DefaultButton()->isDefault());
        EXPECT_EQ(dialog.SetupButton()->text(), QStringLiteral("&Setup..."));
    }
}

// The dialog's Help opens the dialog's own page of the help, and only when
// the help is installed.
TEST_F(PrintDialogTest, HelpOpensTheDialogsTopicWhenTheHelpIsInstalled)
{
    FakePrintHost host;
    for (const bool installed : { false, true }) {
        SCOPED_TRACE(installed);
        ScopedProgramHelp help(installed, { CPrintLayoutsDlg::kHelpTopic });
        CPrintLayoutsDlg dialog(nullptr, &host, false);
        EXPECT_EQ(dialog.HelpButton()->isEnabled(), installed);
        dialog.HelpButton()->click();
        EXPECT_EQ(
            help.opened, installed ? QStringList { help.Page(CPrintLayoutsDlg::kHelpTopic) } : QStringList());
    }
}

TEST_F(PrintDialogTest, PdfOutputIsAlwaysOfferedAndASetupFailureIsAMessage)
{
    CPrintLayoutsDlg dialog(nullptr, nullptr, false);
    QComboBox* printers = dialog.PrinterChoice();
    ASSERT_GT(printers->count(), 0);
    const int pdf = printers->count() - 1;
    EXPECT_TRUE(printers->itemData(pdf).toString().isEmpty());
    if (printers->count() == 1) {
        // No printer installed: PDF output, not a dead end.
        EXPECT_TRUE(dialog.IsPdfOutput());
    }
    printers->setCurrentIndex(pdf);
    Q_EMIT printers->activated(pdf);
    EXPECT_TRUE(dialog.IsPdfOutput());

    dialog.SetSetupDialogRunner([](QPrinter&, QWidget*) -> bool { throw std::runtime_error("no driver"); });
    dialog.SetupButton()->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.front(), QStringLiteral("Could not access the print driver"));
    EXPECT_TRUE(dialog.IsPdfOutput());
}

} // namespace
