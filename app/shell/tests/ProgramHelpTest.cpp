// Every Help button and help command of the program follows one rule: it is
// enabled exactly when the program's help is installed, and then opens it.
#include "ShellTestSupport.h"

#include "ScopedProgramHelp.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/ShellCommands.h"
#include "shell/SmallDialogs.h"
#include "shell/ViewMgr.h"

#include "document/ui/CProjSettingsSheet.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"
#include "foundation/ui/CUserPrefsPropSheet.h"
#include "grids/CGroupEditDlg.h"
#include "grids/CVendorsDlg.h"
#include "grids/MatInfoCtrl.h"
#include "grids/MatInfoPresenter.h"
#include "grids/RMTree.h"
#include "output/print/ui/CPrintLayoutsDlg.h"

#include <platform/ui/CommandActions.h>

#include <QAction>
#include <QPushButton>

#include <functional>
#include <memory>

namespace {

// One Help button or help command as the user meets it.
struct HelpProbe
{
    std::function<bool()> enabled;
    std::function<void()> click;
    std::unique_ptr<QWidget> dialog; // the dialog that holds the button, if the probe made one
};

// The dialog's button that reads "Help".
QPushButton* HelpButtonOf(QWidget& dialog)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (QString(button->text()).remove(QLatin1Char('&')) == LoadUIString(UIStringId::Help))
            return button;
    return nullptr;
}

// The dialog shown with its Help button, as the user sees it.
HelpProbe DialogProbe(std::unique_ptr<QWidget> dialog)
{
    HelpProbe probe;
    dialog->show();
    QPushButton* button = HelpButtonOf(*dialog);
    EXPECT_TRUE(button);
    probe.enabled = [button] { return button && button->isEnabled(); };
    probe.click = [button] {
        if (button)
            button->click();
    };
    probe.dialog = std::move(dialog);
    return probe;
}

class ProgramHelpTest : public ShellTest
{
protected:
    // The project has two parts, so that Group Edit has something to edit.
    void StartWithTwoParts()
    {
        CKerfwellPlusApp& app = Start();
        CMilledPart* first = AddBirchPart(app);
        ASSERT_TRUE(first);
        ASSERT_TRUE(AddBirchPart(app));
        m_material = first->GetMaterial();
    }

    HelpProbe CommandProbe(int id)
    {
        platform::CommandActions& commands = m_app->GetMainFrame()->GetCommands();
        HelpProbe probe;
        probe.enabled = [&commands, id] {
            commands.UpdateActions();
            return commands.Find(id)->isEnabled();
        };
        probe.click = [&commands, id] { commands.Trigger(id); };
        return probe;
    }

    // The strip's button on the Raw Materials page, the material shown.
    HelpProbe MaterialsHelpProbe()
    {
        CKWLView& view = *m_app->GetView();
        // The button looks at the help whenever it shows.
        view.GetViewMgr()->ShowTab(CKWLView::PartsPage);
        view.GetViewMgr()->ShowTab(CKWLView::RawMaterialsPage);
        view.GetRMTree().SelectItemByData(m_material.get());
        auto* button = view.findChild<QPushButton*>(QString::number(MatInfoCtrl::kHelpId));
        EXPECT_TRUE(button && button->isVisible());
        HelpProbe probe;
        probe.enabled = [button] { return button && button->isEnabled(); };
        probe.click = [button] {
            if (button)
                button->click();
        };
        return probe;
    }

    std::shared_ptr<CSheetGoodEx> m_material;
};

TEST_F(ProgramHelpTest, EveryHelpButtonAndCommandIsEnabledExactlyWhenTheHelpIsInstalled)
{
    StartWithTwoParts();
    CKWLView& view = *m_app->GetView();
    CKWLDoc& document = *m_app->GetDocument();
    const int print = CPrintLayoutsDlg::kHelpTopic;
    const int materials = MatInfoPresenter::kHelpContext;
    const struct
    {
        const char* name;
        int topic; // 0: the contents
        std::function<HelpProbe()> probe;
    } cases[] = {
        { "Help Contents command", 0, [&] { return CommandProbe(ShellCommand::HelpContents); } },
        { "Help with Materials", materials, [&] { return MaterialsHelpProbe(); } },
        { "Vendors", 0,
            [&] {
                return DialogProbe(std::make_unique<CVendorsDlg>(*GetMaterialsLibrary(), nullptr, &view));
            } },
        { "Group Edit", 0,
            [&] {
                return DialogProbe(std::make_unique<CGroupEditDlg>(document, document.GetPartList(), &view));
            } },
        { "Print", print,
            [&] { return DialogProbe(std::make_unique<CPrintLayoutsDlg>(&document, &view, false, &view)); } },
        { "Print Preview", print,
            [&] { return DialogProbe(std::make_unique<CPrintLayoutsDlg>(&document, &view, true, &view)); } },
        { "Raw Materials Backup", 0,
            [&] { return DialogProbe(std::make_unique<CMatBackupDlg>(true, &view)); } },
        { "Raw Materials Restore", 0,
            [&] { return DialogProbe(std::make_unique<CMatBackupDlg>(false, &view)); } },
        { "General Preferences (and Print Options)", 0,
            [&] {
                return DialogProbe(std::make_unique<CUserPrefsPropSheet>(PrefsPage::DisplayStyle, &view));
            } },
        { "Project Settings", 0,
            [&] { return DialogProbe(std::make_unique<CProjSettingsSheet>(document, 0, &view)); } },
    };
    for (const bool installed : { false, true }) {
        ScopedProgramHelp help(installed, { print, materials });
        for (const auto& test : cases) {
            SCOPED_TRACE(QStringLiteral("%1, help %2")
                             .arg(QString::fromLatin1(test.name),
                                 installed ? QStringLiteral("installed") : QStringLiteral("missing"))
                             .toStdString());
            HelpProbe probe = test.probe();
            help.opened.clear();
            EXPECT_EQ(probe.enabled(), installed);
            probe.click();
            const QString page = test.topic ? help.Page(test.topic) : help.Contents();
            EXPECT_EQ(help.opened, installed ? QStringList { page } : QStringList());
        }
    }
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();
}

} // namespace
