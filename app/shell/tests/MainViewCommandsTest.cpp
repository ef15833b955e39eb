// The main view's program-wide commands in the offscreen main window: undo
// and redo texts, the raw-materials backup and restore, the guides, the
// vendors, the layouts page's commands and Large Screen.
#include "ShellTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/MainViewCommands.h"
#include "shell/ShellCommands.h"
#include "shell/SmallDialogs.h"
#include "shell/ViewMgr.h"
#include "shell/controls/CFileEditCtrl.h"

#include "document/CKWLDoc.h"
#include "document/ui/CProjSettingsSheet.h"
#include "foundation/CmdHistory.h"
#include "foundation/DocumentOpener.h"
#include "foundation/UserPrefsBase.h"
#include "grids/CVendorsDlg.h"
#include "grids/TakeOffCtrl.h"
#include "layouts/ui/LayoutsCommands.h"
#include "layouts/ui/LayoutsFrame.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "layouts/ui/ThumbnailsZoneMgr.h"
#include "layouts/ui/ThumbsPanel.h"
#include "model/CMaterials.h"
#include "model/CMilledPart.h"
#include "model/CSheetGoodEx.h"
#include "model/MaterialsFiles.h"
#include "model/PartCommands.h"
#include "model/SheetGoodSizeCost.h"
#include "optimization/ui/CTooBigDlg.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSet>
#include <QTemporaryDir>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <functional>

namespace {

constexpr int kPrefMaterialsBackup = 1012;
constexpr int kPrefLargeScreen = 2082;
constexpr int kPrefSnapToKerf = 2126;

class MainViewCommandsTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        m_previousOpener = SetDocumentOpener([this](const QUrl& url) {
            m_opened << url.toLocalFile();
            return m_openerWorks;
        });
        SetGuideFolder(m_guides.path());
    }
    void TearDown() override
    {
        SetGuideFolder(QString());
        SetDocumentOpener(m_previousOpener);
        ShellTest::TearDown();
    }

    platform::CommandActions& Commands() { return m_app->GetMainFrame()->GetCommands(); }
    QAction* Action(int id)
    {
        Commands().UpdateActions();
        return Commands().Find(id);
    }

    // The next modal dialog gets the folder typed in and is confirmed, or
    // cancelled when the folder is empty.
    void AnswerFolderDialog(const QString& folder)
    {
        QTimer::singleShot(0, [this, folder] {
            auto* dialog = qobject_cast<CMatBackupDlg*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            m_dialogTitles << dialog->windowTitle();
            if (folder.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->FolderField()->setText(folder);
            dialog->accept();
        });
    }

    static void WriteFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Birch with one stock size and one part of it: a small project that
    // optimizes into one diagram.
    CMilledPart* AddOptimizablePart()
    {
        return AddBirchPart(*m_app);
    }

    QTemporaryDir m_guides;
    QStringList m_opened;
    QStringList m_dialogTitles;
    bool m_openerWorks = true;
    DocumentOpener m_previousOpener;
};

TEST_F(MainViewCommandsTest, UndoAndRedoTextsCarryTheirShortcutOnlyWhileTheyCanRun)
{
    Start();
    QAction* undo = Action(ShellCommand::EditUndo);
    QAction* redo = Action(ShellCommand::EditRedo);
    EXPECT_EQ(undo->text(), QStringLiteral("Can't Undo"));
    EXPECT_TRUE(undo->shortcut().isEmpty());

    auto* part = new CMilledPart();
    m_app->GetDocument()->AppendPart(part);
    std::unique_ptr<CMilledPart> values(part->Clone());
    values->SetDescription(QStringLiteral("Apron"));
    auto edit = std::make_shared<CPartEdit>(part, std::move(values));
    const QString name = edit->GetName();
    GetCmdHistory()->Add(edit);
    Commands().UpdateActions();
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo ") + name);
    EXPECT_EQ(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(redo->text(), QStringLiteral("Can't Redo"));
    EXPECT_TRUE(redo->shortcut().isEmpty());

    EXPECT_TRUE(Commands().Trigger(ShellCommand::EditUndo));
    EXPECT_TRUE(part->GetDescription().isEmpty());
    Commands().UpdateActions();
    EXPECT_EQ(redo->text(), QStringLiteral("&Redo ") + name);
    EXPECT_EQ(redo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Y")));
    EXPECT_EQ(undo->text(), QStringLiteral("Can't Undo"));
    EXPECT_TRUE(undo->shortcut().isEmpty()) << "the shortcut of the step before stays shown";
    EXPECT_FALSE(undo->isEnabled());

    EXPECT_TRUE(Commands().Trigger(ShellCommand::EditRedo));
    EXPECT_EQ(part->GetDescription(), QStringLiteral("Apron"));
}

TEST_F(MainViewCommandsTest, TheBackupAsksBeforeReplacingAndRemembersTheFolder)
{
    Start();
    MaterialsBase* library = GetMaterialsLibrary();
    ASSERT_TRUE(library);
    QTemporaryDir folder;
    const QString target = MaterialsFiles::PathIn(folder.path(), MaterialsFiles::kLibraryFile);

    // Cancel in the folder dialog: nothing happens.
    AnswerFolderDialog(QString());
    EXPECT_TRUE(Commands().Trigger(ShellCommand::BackupMaterials));
    EXPECT_EQ(m_dialogTitles, QStringList { QStringLiteral("Raw Materials Backup") });
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(target));

    struct Case
    {
        const char* name;
        bool existing;
        QMessageBox::StandardButton answer;
        QStringList messages;
        bool written;
    };
    const QString replace = QStringLiteral("Replace the raw materials database currently in that folder?");
    const QString saved = QStringLiteral("A copy of your raw materials database has been saved.");
    const Case cases[] = {
        { "an empty folder", false, QMessageBox::Ok, { saved }, true },
        { "a library there, kept", true, QMessageBox::Cancel, { replace }, false },
        { "a library there, replaced", true, QMessageBox::Ok, { replace, saved }, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(target);
        if (c.existing)
            WriteFile(target, "older copy");
        GetUserPrefs()->SetString(kPrefMaterialsBackup, QString());
        m_messages.clear();
        m_answer = c.answer;
        AnswerFolderDialog(folder.path());
        EXPECT_TRUE(Commands().Trigger(ShellCommand::BackupMaterials));
        EXPECT_EQ(m_messages, c.messages);
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll() != "older copy", c.written);
        EXPECT_EQ(!GetUserPrefs()->GetString(kPrefMaterialsBackup).isEmpty(), c.written);
    }

    // A folder that cannot take the file: the failure is told and the
    // remembered folder stays as it was.
    QFile::remove(target);
    ASSERT_TRUE(QDir().mkpath(target + QStringLiteral("/inside")));
    GetUserPrefs()->SetString(kPrefMaterialsBackup, QString());
    m_messages.clear();
    m_answer = QMessageBox::Ok;
    AnswerFolderDialog(folder.path());
    EXPECT_TRUE(Commands().Trigger(ShellCommand::BackupMaterials));
    ASSERT_GE(m_messages.size(), 2) << m_messages.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(
        m_messages.last().startsWith(QStringLiteral("There was a problem writing to the backup folder.")));
    EXPECT_TRUE(GetUserPrefs()->GetString(kPrefMaterialsBackup).isEmpty());
}

TEST_F(MainViewCommandsTest, RestoreReadsTheLibraryBackFromTheChosenFolder)
{
    Start();
    MaterialsBase* library = GetMaterialsLibrary();
    ASSERT_TRUE(library);
    QTemporaryDir folder;
    ASSERT_TRUE(library->SaveCopyTo(folder.path()));
    const std::size_t count = library->GetMaterials().size();
    library->GetMaterials().push_back(std::make_shared<CSheetGoodEx>(QStringLiteral("Walnut")));

    AnswerFolderDialog(folder.path());
    EXPECT_TRUE(Commands().Trigger(ShellCommand::RestoreMaterials));
    EXPECT_EQ(m_dialogTitles, QStringList { QStringLiteral("Raw Materials Restore") });
    EXPECT_EQ(library->GetMaterials().size(), count);
    EXPECT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_icons, QList { QMessageBox::Information });
}

TEST_F(MainViewCommandsTest, RestoreFromAFolderWithoutTheLibraryWarnsWithTheExclamationIcon)
{
    Start();
    QTemporaryDir empty;
    AnswerFolderDialog(empty.path());
    EXPECT_TRUE(Commands().Trigger(ShellCommand::RestoreMaterials));
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(
        m_messages.last().startsWith(QStringLiteral("There was a problem reading from the backup folder.")));
    EXPECT_EQ(m_icons, QList { QMessageBox::Warning });
}

TEST_F(MainViewCommandsTest, GuidesOpenThroughTheDesktopOrSayWhatIsMissing)
{
    Start();
    const QString pdfReader
        = QStringLiteral("The user's guide is a PDF document and needs a free PDF reader.\n"
                         "You can download one from https://pdfreader.example/download");
    const QString noQuickStart = QStringLiteral(
        "The electronic version of the Quick Start Guide\nhas not been installed on this computer.");
    const QString noManual = QStringLiteral(
        "The electronic version of the User's Manual\nhas not been installed on this computer.");
    struct Case
    {
        const char* name;
        int command;
        QStringList files;
        bool openerWorks;
        QString opened;
        QStringList messages;
    };
    const Case cases[] = {
        { "quick start", ShellCommand::QuickStart, { "QS.pdf" }, true, "QS.pdf", {} },
        { "quick start, no reader", ShellCommand::QuickStart, { "QS.pdf" }, false, "QS.pdf", { pdfReader } },
        { "quick start missing", ShellCommand::QuickStart, { "manual.pdf" }, true, "", { noQuickStart } },
        { "manual", ShellCommand::UsersManual, { "manual.pdf", "index.htm" }, true, "manual.pdf", {} },
        { "manual, no reader", ShellCommand::UsersManual, { "manual.pdf" }, false, "manual.pdf",
            { pdfReader } },
        { "manual pages", ShellCommand::UsersManual, { "index.htm" }, true, "index.htm", {} },
        { "manual pages, no browser", ShellCommand::UsersManual, { "index.htm" }, false, "index.htm", {} },
        { "manual missing", ShellCommand::UsersManual, { "QS.pdf" }, true, "", { noManual } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir folder(m_guides.path());
        for (const QString& name : folder.entryList(QDir::Files))
            folder.remove(name);
        for (const QString& name : c.files)
            WriteFile(folder.filePath(name), "guide");
        m_openerWorks = c.openerWorks;
        m_opened.clear();
        m_messages.clear();
        EXPECT_TRUE(Commands().Trigger(c.command));
        EXPECT_EQ(m_opened, c.opened.isEmpty() ? QStringList() : QStringList { folder.filePath(c.opened) });
        EXPECT_EQ(m_messages, c.messages);
    }
}

TEST_F(MainViewCommandsTest, TheQuickStartInvitationOpensTheGuideOnlyOnOk)
{
    Start();
    WriteFile(QDir(m_guides.path()).filePath(QStringLiteral("QS.pdf")), "guide");
    auto* commands = m_app->GetMainFrame()->findChild<MainViewCommands*>();
    ASSERT_TRUE(commands);
    for (const bool ok : { false, true }) {
        SCOPED_TRACE(ok);
        m_opened.clear();
        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<QuickStartDlg*>(QApplication::activeModalWidget())) {
                shown = dialog->TextLabel()->text();
                ok ? dialog->accept() : dialog->reject();
            }
        });
        commands->ShowQuickStart();
        EXPECT_EQ(shown, QStringLiteral("Get started fast with the two-page Quick Start Guide."));
        EXPECT_EQ(m_opened.size(), ok ? 1 : 0);
    }
}

TEST_F(MainViewCommandsTest, VendorsRunTheVendorsDialogOverTheLibrary)
{
    Start();
    QString title;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<CVendorsDlg*>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            dialog->reject();
        }
    });
    EXPECT_TRUE(Commands().Trigger(ShellCommand::Vendors));
    EXPECT_EQ(title, QStringLiteral("Vendors"));
}

// The menu opens the project settings at General; the layouts toolbar's
// "Settings" opens them at the optimization settings.
TEST_F(MainViewCommandsTest, ProjectSettingsOpenAtThePageTheirCommandAsksFor)
{
    Start();
    ASSERT_TRUE(AddOptimizablePart());
    CKWLView* view = m_app->GetView();
    view->GetViewMgr()->ShowTab(CKWLView::LayoutsPage);
    auto* frame = dynamic_cast<LayoutsFrame*>(view->GetViewMgr()->GetLayoutsViewMgr()->GetFrame());
    ASSERT_TRUE(frame);
    QAction* settings = frame->Commands().Find(LayoutsCmd::OptimizationSettings);
    ASSERT_TRUE(settings);
    QWidget* settingsButton = frame->ToolBar()->widgetForAction(settings);
    ASSERT_TRUE(settingsButton);

    struct Case
    {
        const char* name;
        std::function<void()> open;
        bool optimizationPage;
    };
    const Case cases[] = {
        { "menu", [&] { Commands().Trigger(ShellCommand::ProjectSettings); }, false },
        { "layouts toolbar",
            [&] { QTest::mouseClick(settingsButton, Qt::LeftButton, {}, settingsButton->rect().center()); }, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool shown = false;
        bool optimizationPage = false;
        QTimer::singleShot(0, [&] {
            if (auto* sheet = qobject_cast<CProjSettingsSheet*>(QApplication::activeModalWidget())) {
                shown = true;
                optimizationPage
                    = sheet->findChild<QTabWidget*>()->currentWidget() == &sheet->GetOptimizationPage();
                sheet->reject();
            }
        });
        c.open();
        ASSERT_TRUE(shown);
        EXPECT_EQ(optimizationPage, c.optimizationPage);
    }
}

// The thumbnails are filled while the page is still hidden; they take the
// width the column has when the page shows, also after Large Screen was
// switched while the page was hidden.
TEST_F(MainViewCommandsTest, ThumbnailsFitTheColumnTheUserSees)
{
    Start();
    ASSERT_TRUE(AddOptimizablePart());
    CKWLView* view = m_app->GetView();
    LayoutsViewMgr* layouts = view->GetViewMgr()->GetLayoutsViewMgr();
    auto* thumbnails = dynamic_cast<ThumbnailsZoneMgr*>(layouts->GetThumbnailsMgr());
    ASSERT_TRUE(thumbnails);
    auto check = [&](const char* step) {
        SCOPED_TRACE(step);
        view->GetViewMgr()->ShowTab(CKWLView::LayoutsPage);
        QTest::qWait(1);
        ThumbsPanel* shown = nullptr;
        for (ThumbsPanel* panel : layouts->GetFrameWnd()->findChildren<ThumbsPanel*>())
            if (panel->isVisible())
                shown = panel;
        ASSERT_TRUE(shown);
        ASSERT_EQ(thumbnails->GetThumbnailCount(), 1);
        const ThumbnailList wanted
            = SizeThumbnails(thumbnails->GetDiagrams(), ThumbnailBox(shown->ClientRect().width()));
        const platform::Rect& got = thumbnails->GetThumbnails().front()->rect;
        EXPECT_EQ(got.Width(), wanted.front()->rect.Width());
        EXPECT_EQ(got.Height(), wanted.front()->rect.Height());
        EXPECT_GT(got.Width(), ThumbsPanel::kMinWidth);
        view->GetViewMgr()->ShowTab(CKWLView::PartsPage);
    };
    check("first shown");
    ASSERT_TRUE(Commands().Trigger(ShellCommand::LargeScreen));
    check("Large Screen switched");
    ASSERT_TRUE(Commands().Trigger(ShellCommand::LargeScreen));
    check("Large Screen switched back");
}

// Paint events of a window and everything inside it.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget* top)
    {
        top->installEventFilter(this);
        for (QWidget* child : top->findChildren<QWidget*>())
            child->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted.insert(watched);
        return false;
    }
    // Whether a widget of that class, or one inside it, was painted.
    template <class Widget>
    bool PaintedInside() const
    {
        for (QObject* object : painted)
            for (QObject* up = object; up; up = up->parent())
                if (qobject_cast<Widget*>(up))
                    return true;
        return false;
    }
    QSet<QObject*> painted;
};

// After the skipped-parts warning closes, the take-off list and the tree
// behind it are drawn afresh.
TEST_F(MainViewCommandsTest, TheSkippedPartsWarningRedrawsTheTakeOffListAndTheTree)
{
    Start();
    CMilledPart* part = AddOptimizablePart();
    ASSERT_TRUE(part);
    auto* tooBig = new CMilledPart();
    tooBig->SetMaterial(part->GetMaterial());
    tooBig->SetThickness(part->GetThickness());
    tooBig->SetCopies(1);
    tooBig->SetWidth(CDimension::FromInches(60));
    tooBig->SetLength(CDimension::FromInches(120));
    m_app->GetDocument()->AppendPart(tooBig);
    CKWLView* view = m_app->GetView();
    QWidget* frame = view->GetViewMgr()->GetLayoutsViewMgr()->GetFrameWnd();
    PaintRecorder recorder(frame);
    bool warned = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<CTooBigDlg*>(QApplication::activeModalWidget())) {
            answer.stop();
            warned = true;
            QTest::qWait(1);
            recorder.painted.clear();
            dialog->reject();
        }
    });
    answer.start(5);
    view->GetViewMgr()->ShowTab(CKWLView::LayoutsPage);
    for (int wait = 0; wait < 500 && !warned; ++wait)
        QTest::qWait(10);
    answer.stop();
    ASSERT_TRUE(warned);
    QTest::qWait(20);
    EXPECT_TRUE(recorder.PaintedInside<QTreeWidget>());
    EXPECT_TRUE(recorder.PaintedInside<TakeOffCtrl>());
}

TEST_F(MainViewCommandsTest, LayoutsCommandsFollowThePageAndLargeScreenWaitsForADrag)
{
    Start();
    CMilledPart* part = AddOptimizablePart();
    CKWLView* view = m_app->GetView();
    const int layoutsOnly[]
        = { ShellCommand::PinDiagram, ShellCommand::PinAllDiagrams, ShellCommand::UnpinAllDiagrams };
    for (int id : layoutsOnly)
        EXPECT_FALSE(Action(id)->isEnabled()) << id;
    view->GetViewMgr()->ShowTab(CKWLView::LayoutsPage);
    LayoutsViewMgr* layouts = view->GetViewMgr()->GetLayoutsViewMgr();
    ASSERT_TRUE(layouts->HasCurrentDiagram());
    for (int id : layoutsOnly)
        EXPECT_TRUE(Action(id)->isEnabled()) << id;
    EXPECT_FALSE(Action(ShellCommand::RemoveEmptyDiagram)->isEnabled());

    EXPECT_FALSE(Action(ShellCommand::PinDiagram)->isChecked());
    EXPECT_TRUE(Commands().Trigger(ShellCommand::PinDiagram));
    EXPECT_TRUE(Action(ShellCommand::PinDiagram)->isChecked());
    EXPECT_TRUE(Commands().Trigger(ShellCommand::UnpinAllDiagrams));
    EXPECT_FALSE(Action(ShellCommand::PinDiagram)->isChecked());

    // Reoptimizing needs an unlocked project.
    EXPECT_TRUE(Action(ShellCommand::ReoptimizeUnplaced)->isEnabled());
    ASSERT_TRUE(m_app->GetDocument()->LockProject());
    EXPECT_FALSE(Action(ShellCommand::ReoptimizeUnplaced)->isEnabled());
    m_app->GetDocument()->UnlockProject();

    const bool snap = GetUserPrefs()->GetFlag(kPrefSnapToKerf);
    EXPECT_TRUE(Commands().Trigger(ShellCommand::SnapToKerf));
    EXPECT_NE(GetUserPrefs()->GetFlag(kPrefSnapToKerf), snap);
    EXPECT_EQ(Action(ShellCommand::SnapToKerf)->isChecked(), !snap);

    const bool large = GetUserPrefs()->GetFlag(kPrefLargeScreen);
    TakeOffSelection dragged;
    dragged.part = part;
    dragged.dragArmed = true;
    // The take-off list answers the first report with its own, unarmed
    // selection; the second, with the list already on the part, stays armed.
    layouts->OnTakeOffSelectionChanged(dragged, SelectionSource::TakeOffList);
    layouts->OnTakeOffSelectionChanged(dragged, SelectionSource::TakeOffList);
    ASSERT_TRUE(layouts->IsDragInProgress());
    EXPECT_TRUE(Commands().Trigger(ShellCommand::LargeScreen));
    EXPECT_EQ(GetUserPrefs()->GetFlag(kPrefLargeScreen), large);
    layouts->OnTakeOffSelectionChanged(TakeOffSelection(), SelectionSource::TakeOffList);
    EXPECT_TRUE(Commands().Trigger(ShellCommand::LargeScreen));
    EXPECT_NE(GetUserPrefs()->GetFlag(kPrefLargeScreen), large);
    EXPECT_EQ(Action(ShellCommand::LargeScreen)->isChecked(), !large);

    view->GetViewMgr()->ShowTab(CKWLView::PartsPage);
    for (int id : layoutsOnly)
        EXPECT_FALSE(Action(id)->isEnabled()) << id;
}

} // namespace
