// Projects dropped on the program window, a save that fails over a saved
// project, and Copy on the Reports page through the Edit menu.
#include "ShellTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/ShellCommands.h"
#include "shell/ViewMgr.h"

#include "foundation/FileNames.h"

#include <platform/ui/RecentFileList.h>
#include "gridctrl/CUGRowMode.h"
#include "output/reports/ReportsCreatorBase.h"

#include <filesystem>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <sys/stat.h>

namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Drags the links over the window and drops them; true when the window
// took both the drag and the drop.
bool DropOn(QWidget& window, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
}

TEST_F(ShellTest, AProjectDroppedOnTheWindowOpens)
{
    CKerfwellPlusApp& app = Start();
    QTemporaryDir folder;
    CKWLDoc& document = *app.GetDocument();
    AddBirchPart(app, 3)->SetDescription(QStringLiteral("Dropped"));
    m_chosenPath = folder.filePath(QStringLiteral("Dropped.kwxe"));
    ASSERT_TRUE(app.OnFileSaveAs());
    platform::CommandActions& commands = app.GetMainFrame()->GetCommands();
    ASSERT_TRUE(commands.Trigger(ShellCommand::FileNew));
    ASSERT_TRUE(document.GetPartList().empty());
    const QString dropped = m_chosenPath;
    m_chosenPath.clear();

    // Links that name no file on this machine are left alone.
    EXPECT_FALSE(DropOn(*app.GetMainFrame(), { QUrl(QStringLiteral("https://example.com/Dropped.kwxe")) }));
    EXPECT_TRUE(document.GetPartList().empty());

    EXPECT_TRUE(DropOn(*app.GetMainFrame(), { QUrl::fromLocalFile(dropped) }));
    EXPECT_EQ(document.PathName(), dropped);
    ASSERT_EQ(document.GetPartList().size(), 1U);
    EXPECT_EQ(document.GetPartList()[0]->GetDescription(), QStringLiteral("Dropped"));
    EXPECT_EQ(document.GetPartList()[0]->GetCopies(), 3U);
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(m_messages.isEmpty());
}

// A folder named in Latin-1: the name's bytes are not UTF-8. The project is
// saved there, saved again without a new name, dropped on the window and
// named on the command line.
TEST_F(ShellTest, AProjectInAFolderNamedInLatin1SavesAndOpens)
{
    QTemporaryDir folder;
    const QByteArray rawFolder = QFile::encodeName(folder.path()) + QByteArrayLiteral("/caf\xe9");
    ASSERT_EQ(::mkdir(rawFolder.constData(), 0700), 0);
    // QTemporaryDir cannot remove what Qt cannot name.
    struct RemoveAtEnd {
        std::filesystem::path folder;
        ~RemoveAtEnd() { std::filesystem::remove_all(folder); }
    } removeAtEnd {rawFolder.toStdString()};
    const QByteArray rawFile = rawFolder + QByteArrayLiteral("/Bench.kwxe");
    const QString path = DecodeFileName(rawFile);
    auto fileSize = [&] {
        struct stat status {};
        return ::stat(rawFile.constData(), &status) == 0 ? qint64(status.st_size) : -1;
    };

    CKerfwellPlusApp& app = Start();
    CKWLDoc& document = *app.GetDocument();
    AddBirchPart(app, 3)->SetDescription(QStringLiteral("Latin"));
    m_chosenPath = path;
    ASSERT_TRUE(app.OnFileSaveAs());
    EXPECT_GT(fileSize(), 0);
    m_chosenPath.clear();
    m_dialogs.clear();
    AddBirchPart(app, 1);
    EXPECT_TRUE(app.GetMainFrame()->GetCommands().Trigger(ShellCommand::FileSave));
    EXPECT_TRUE(m_dialogs.isEmpty());
    EXPECT_FALSE(document.IsModified());

    ASSERT_TRUE(app.GetMainFrame()->GetCommands().Trigger(ShellCommand::FileNew));
    EXPECT_TRUE(DropOn(*app.GetMainFrame(), { QUrl::fromEncoded("file://" + rawFile.toPercentEncoding("/")) }));
    EXPECT_EQ(document.PathName(), path);
    EXPECT_EQ(document.GetPartList().size(), 2U);
    EXPECT_TRUE(m_messages.isEmpty());

    // Picked again from the recent files, it is found and opens.
    ASSERT_TRUE(app.GetMainFrame()->GetCommands().Trigger(ShellCommand::FileNew));
    ASSERT_TRUE(app.GetRecentFileList()->Files().contains(path));
    app.OnOpenRecentFile(path);
    EXPECT_EQ(document.PathName(), path);
    EXPECT_TRUE(m_messages.isEmpty());

    m_app.reset();
    const char* argv[] = { "KWLSolo", rawFile.constData() };
    CKerfwellPlusApp& started = Start(DecodeArguments(2, argv));
    QCoreApplication::processEvents();
    EXPECT_EQ(started.GetDocument()->PathName(), path);
    ASSERT_EQ(started.GetDocument()->GetPartList().size(), 2U);
    EXPECT_EQ(started.GetDocument()->GetPartList()[0]->GetDescription(), QStringLiteral("Latin"));
    EXPECT_TRUE(m_messages.isEmpty());
}

// The project saved before keeps its name and its file, and stays modified,
// so that the next Save still writes the work where it belongs.
TEST_F(ShellTest, AFailedSaveAsKeepsTheSavedProjectsPathAndChanges)
{
    CKerfwellPlusApp& app = Start();
    QTemporaryDir folder;
    CKWLDoc& document = *app.GetDocument();
    CMilledPart* part = AddBirchPart(app);
    ASSERT_TRUE(part);
    const QString saved = folder.filePath(QStringLiteral("Saved.kwxe"));
    m_chosenPath = saved;
    ASSERT_TRUE(app.OnFileSaveAs());
    const QByteArray before = Bytes(saved);
    ASSERT_FALSE(before.isEmpty());
    const QString title = document.Title();

    part->SetDescription(QStringLiteral("Changed"));
    document.SetModified();
    m_chosenPath = QStringLiteral("/nonexistent-folder/Other.kwxe");
    EXPECT_FALSE(app.OnFileSaveAs());
    EXPECT_EQ(m_messages.size(), 1);
    EXPECT_EQ(document.PathName(), saved);
    EXPECT_EQ(document.Title(), title);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(Bytes(saved), before);
    ASSERT_EQ(document.GetPartList().size(), 1U);
    EXPECT_EQ(document.GetPartList()[0]->GetDescription(), QStringLiteral("Changed"));

    // Save writes over the project's own file without asking for a name.
    m_chosenPath.clear();
    m_dialogs.clear();
    EXPECT_TRUE(app.GetMainFrame()->GetCommands().Trigger(ShellCommand::FileSave));
    EXPECT_TRUE(m_dialogs.isEmpty());
    EXPECT_FALSE(document.IsModified());
    EXPECT_NE(Bytes(saved), before);
    EXPECT_TRUE(app.OpenDocumentFile(saved));
    ASSERT_EQ(document.GetPartList().size(), 1U);
    EXPECT_EQ(document.GetPartList()[0]->GetDescription(), QStringLiteral("Changed"));
}

TEST_F(ShellTest, CopyOnTheReportsPagePutsTheShownReportOnTheClipboard)
{
    CKerfwellPlusApp& app = Start();
    CMilledPart* part = AddBirchPart(app);
    ASSERT_TRUE(part);
    app.GetDocument()->NotifyAllChanged(); // heard by the hidden Reports page
    platform::CommandActions& commands = app.GetMainFrame()->GetCommands();
    ViewMgr& views = *app.GetView()->GetViewMgr();
    app.GetView()->GetPartsGrid()->ClearSelections();
    commands.UpdateActions();
    EXPECT_FALSE(commands.Find(ShellCommand::EditCopy)->isEnabled()) << "no part row is selected";

    views.ShowTab(CKWLView::ReportsPage);
    EXPECT_TRUE(app.GetDocument()->IsFullyOptimized()) << "the page optimizes before it reports";
    EXPECT_TRUE(views.HasCopyableContent(CKWLView::ReportsPage));
    commands.UpdateActions();
    ASSERT_TRUE(commands.Find(ShellCommand::EditCopy)->isEnabled());

    QApplication::clipboard()->clear();
    EXPECT_TRUE(commands.Trigger(ShellCommand::EditCopy));
    const QStringList lines = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 3);
    ASSERT_TRUE(views.GetReportsViewMgr());
    EXPECT_EQ(lines[0], views.GetReportsViewMgr()->GetReportTitle());
    EXPECT_FALSE(lines[0].isEmpty());
    EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("Birch")));

    // The view manager's own Copy of the page copies the same text.
    const QString copied = QApplication::clipboard()->text();
    QApplication::clipboard()->clear();
    views.CopyReportToClipboard();
    EXPECT_EQ(QApplication::clipboard()->text(), copied);

    // Another report, chosen and rebuilt through the view manager.
    views.SelectReport(kReportPartsStats);
    EXPECT_EQ(views.GetSelectedReport(), int(kReportPartsStats));
    EXPECT_EQ(views.GetReportGrid(), &views.GetReportsViewMgr()->GetReportGrid());
    auto copyLines = [&views] {
        QApplication::clipboard()->clear();
        views.CopyPage(CKWLView::ReportsPage);
        return QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    };
    QStringList parts = copyLines();
    ASSERT_GE(parts.size(), 3);
    EXPECT_EQ(parts[0], QStringLiteral("Parts Statistics"));
    EXPECT_TRUE(parts[2].startsWith(QStringLiteral("Birch\t2\t"))) << parts[2].toStdString();
    part->SetCopies(7);
    EXPECT_TRUE(copyLines()[2].startsWith(QStringLiteral("Birch\t2\t"))) << "no rebuild without a change";
    views.RefreshReport();
    parts = copyLines();
    ASSERT_GE(parts.size(), 3);
    EXPECT_TRUE(parts[2].startsWith(QStringLiteral("Birch\t7\t"))) << parts[2].toStdString();
}

} // namespace
