#include "shell/controls/CFileEditCtrl.h"

#include "foundation/CUserPrefs.h"
#include "foundation/FileNames.h"
#include "foundation/ResourceBase.h"
#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"
#include "shell/controls/ControlsStrings.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <NewHome.h>

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace {

// The browsers answer what the test says and remember how they were opened.
class ScriptedFileEdit : public CFileEditCtrl
{
public:
    QString folderAnswer;
    QStringList fileAnswer;
    QString startFolder, startName;
    int browses = 0;

protected:
    QString RunFolderDialog(const QString& start) override
    {
        ++browses;
        startFolder = start;
        return folderAnswer;
    }
    QStringList RunFileDialog(const QString& folder, const QString& name) override
    {
        ++browses;
        startFolder = folder;
        startName = name;
        return fileAnswer;
    }
};

class FileEditCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        root = temp.path();
        InitUIStrings(root, { FoundationStringResources(), ControlsStringResources() });
        SetPrefsMessageHook([this](const QString& text) { messages.append(text); });
        ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("Folder")));
        for (const char* name : { "a.txt", "b.txt", "c.csv" })
            Touch(root + QStringLiteral("/Folder/") + QLatin1String(name));
        ASSERT_TRUE(QFile::link(root + QStringLiteral("/Folder/a.txt"), root + QStringLiteral("/link.txt")));
    }
    void TearDown() override
    {
        SetPrefsMessageHook(nullptr);
        InstallResources(nullptr);
    }
    static void Touch(const QString& path)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir temp;
    QString root;
    QStringList messages;
};

} // namespace

TEST_F(FileEditCtrlTest, FlagsNeedExactlyOneMode)
{
    CFileEditCtrl edit;
    EXPECT_FALSE(edit.SetFlags(0));
    EXPECT_FALSE(edit.SetFlags(CFileEditCtrl::FileMode | CFileEditCtrl::FolderMode));
    EXPECT_TRUE(edit.SetFlags(CFileEditCtrl::FolderMode | CFileEditCtrl::ButtonTooltip));
    EXPECT_EQ(edit.BrowseAction()->toolTip(), QStringLiteral("Browse"));
    EXPECT_FALSE(edit.SetFlags(0x3 | CFileEditCtrl::FolderMode));
    EXPECT_EQ(edit.GetFlags(), CFileEditCtrl::FolderMode | CFileEditCtrl::ButtonTooltip)
        << "a refused set leaves the flags as they were";
}

TEST_F(FileEditCtrlTest, FolderModeTrailingSeparatorRules)
{
    const struct
    {
        quint32 extra;
        QString typed;
        QString saved;
    } cases[] = {
        { CFileEditCtrl::TrailingSeparator, root + QStringLiteral("/Folder"),
            root + QStringLiteral("/Folder/") },
        { CFileEditCtrl::TrailingSeparator, QStringLiteral(" ;; ") + root + QStringLiteral("/Folder/ ; /x"),
            root + QStringLiteral("/Folder/") },
        { 0, root + QStringLiteral("/Folder/"), root + QStringLiteral("/Folder") },
        { 0, QStringLiteral("/"), QStringLiteral("/") },
        { CFileEditCtrl::TrailingSeparator, QStringLiteral("/"), QStringLiteral("/") },
        { 0, QStringLiteral(" ; "), QString() },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        CFileEditCtrl edit;
        ASSERT_TRUE(edit.SetFlags(CFileEditCtrl::FolderMode | c.extra));
        edit.LoadText(c.typed);
        EXPECT_EQ(edit.SavedText(), c.saved);
    }
}

TEST_F(FileEditCtrlTest, FileModeParsesListsRelativeNamesWildcardsAndLinks)
{
    const QString folder = root + QStringLiteral("/Folder/");
    const struct
    {
        quint32 extra;
        QString typed;
        QStringList paths;
    } cases[] = {
        // Only the first entry without multi-select.
        { 0, folder + QStringLiteral("a.txt; b.txt"), { folder + QStringLiteral("a.txt") } },
        // Further names are relative to the first one's folder; empty ones skipped.
        { CFileEditCtrl::MultiSelect, folder + QStringLiteral("a.txt; ; b.txt; /etc/hostname"),
            { folder + QStringLiteral("a.txt"), folder + QStringLiteral("b.txt"),
                QStringLiteral("/etc/hostname") } },
        { CFileEditCtrl::MultiSelect | CFileEditCtrl::ExpandWildcards,
            folder + QStringLiteral("c.csv; *.txt"),
            { folder + QStringLiteral("c.csv"), folder + QStringLiteral("a.txt"),
                folder + QStringLiteral("b.txt") } },
        { CFileEditCtrl::MultiSelect, folder + QStringLiteral("c.csv; *.txt"),
            { folder + QStringLiteral("c.csv"), folder + QStringLiteral("*.txt") } },
        // A link stands for its target, unless links are kept.
        { 0, root + QStringLiteral("/link.txt"), { folder + QStringLiteral("a.txt") } },
        { CFileEditCtrl::NoDereferenceLinks, root + QStringLiteral("/link.txt"),
            { root + QStringLiteral("/link.txt") } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        CFileEditCtrl edit;
        ASSERT_TRUE(edit.SetFlags(CFileEditCtrl::FileMode | c.extra));
        edit.LoadText(c.typed);
        EXPECT_EQ(edit.GetPaths(), c.paths);
        QStringList iterated;
        for (int position = edit.GetStartPosition(); position != -1;)
            iterated.append(edit.GetNextPathName(position));
        EXPECT_EQ(iterated, c.paths);
    }
}

TEST_F(FileEditCtrlTest, ValidationMessagesStopAtTheFirstFailure)
{
    const QString folder = root + QStringLiteral("/Folder");
    // Names are checked with their own bytes and shown escaped, as every
    // shown name is: a byte that is not UTF-8, a line break.
    const QByteArray latin1 = QFile::encodeName(root) + "/L\xe9gumes";
    ASSERT_EQ(::mkdir(latin1.constData(), 0700), 0);
    // QTemporaryDir cannot remove what Qt cannot name.
    struct RemoveAtEnd
    {
        std::filesystem::path folder;
        ~RemoveAtEnd() { std::filesystem::remove_all(folder); }
    } removeAtEnd { latin1.toStdString() };
    const struct
    {
        quint32 flags;
        QString typed;
        QString message; // empty: valid
    } cases[] = {
        { CFileEditCtrl::FolderMode, QString(), QStringLiteral("Please enter an existing folder name.") },
        { CFileEditCtrl::FolderMode, root + QStringLiteral("/Missing"),
            root + QStringLiteral("/Missing does not exist.") },
        { CFileEditCtrl::FolderMode | CFileEditCtrl::TrailingSeparator, folder + QStringLiteral("/a.txt"),
            folder + QStringLiteral("/a.txt/ is not a folder.") },
        { CFileEditCtrl::FolderMode, folder, QString() },
        { CFileEditCtrl::FileMode, folder, folder + QStringLiteral(" is not a file.") },
        { CFileEditCtrl::FileMode | CFileEditCtrl::MultiSelect,
            folder + QStringLiteral("/a.txt; gone.txt; nope.txt"),
            folder + QStringLiteral("/gone.txt does not exist.") },
        { CFileEditCtrl::FileMode, folder + QStringLiteral("/a.txt"), QString() },
        { CFileEditCtrl::FolderMode, DecodeFileName(latin1), QString() },
        { CFileEditCtrl::FileMode, DecodeFileName(latin1),
            root + QStringLiteral("/L\\xe9gumes is not a file.") },
        { CFileEditCtrl::FolderMode, DecodeFileName(latin1 + "/Caf\xe9\nBench"),
            root + QStringLiteral("/L\\xe9gumes/Caf\\xe9\\nBench does not exist.") },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        messages.clear();
        CFileEditCtrl edit;
        ASSERT_TRUE(edit.SetFlags(c.flags));
        edit.LoadText(c.typed);
        EXPECT_EQ(edit.Validate(), c.message.isEmpty());
        EXPECT_EQ(messages, c.message.isEmpty() ? QStringList() : QStringList(c.message));
    }
    CFileEditCtrl disabled;
    disabled.SetFlags(CFileEditCtrl::FolderMode);
    disabled.setEnabled(false);
    EXPECT_TRUE(disabled.Validate()) << "a disabled box is not checked";
}

TEST_F(FileEditCtrlTest, BrowsingFillsTheTextAndCanBeVetoed)
{
    ScriptedFileEdit folders;
    folders.SetFlags(CFileEditCtrl::FolderMode | CFileEditCtrl::TrailingSeparator);
    folders.LoadText(root + QStringLiteral("/Folder/"));
    folders.folderAnswer = root;
    int browsed = 0;
    QObject::connect(&folders, &CFileEditCtrl::browsed, [&] { ++browsed; });
    // Ctrl with "." browses like the button.
    QTest::keyClick(&folders, Qt::Key_Period, Qt::ControlModifier);
    EXPECT_EQ(folders.startFolder, root + QStringLiteral("/Folder"))
        << "the browser starts without the separator";
    EXPECT_EQ(folders.text(), root + QStringLiteral("/"));
    EXPECT_EQ(browsed, 1);

    bool veto = true;
    QObject::connect(&folders, &CFileEditCtrl::browseStarting, [&](bool* cancel) { *cancel = veto; });
    folders.BrowseAction()->trigger();
    EXPECT_EQ(folders.browses, 1) << "the veto stops the browse";

    ScriptedFileEdit files;
    files.SetFlags(CFileEditCtrl::FileMode | CFileEditCtrl::MultiSelect);
    files.LoadText(root + QStringLiteral("/Folder/gone/x.txt"));
    files.fileAnswer = { root + QStringLiteral("/Folder/a.txt"), root + QStringLiteral("/Folder/b.txt") };
    files.Browse();
    EXPECT_EQ(files.startFolder, root + QStringLiteral("/Folder")) << "the nearest existing folder";
    EXPECT_EQ(files.startName, QString()) << "a missing file is not proposed";
    EXPECT_EQ(files.text(), root + QStringLiteral("/Folder/a.txt; b.txt"));
    files.fileAnswer.clear();
    files.Browse();
    EXPECT_EQ(files.startName, QStringLiteral("a.txt"));
    EXPECT_EQ(files.text(), root + QStringLiteral("/Folder/a.txt; b.txt"))
        << "a cancelled browse changes nothing";
}

TEST_F(FileEditCtrlTest, ABrowseFromAGoneOrEmptyPathStartsInTheDocumentsFolder)
{
    kwl::testing::NewHome home;
    const QString documents = home.DocumentsPath();
    const struct
    {
        quint32 mode;
        QString text;
    } cases[] = {
        { CFileEditCtrl::FolderMode, home.Path() + QStringLiteral("/Gone/") },
        { CFileEditCtrl::FolderMode, QStringLiteral("C:\\") },
        { CFileEditCtrl::FolderMode, QString() },
        { CFileEditCtrl::FileMode, QString() },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        ScriptedFileEdit edit;
        edit.SetFlags(c.mode | CFileEditCtrl::TrailingSeparator);
        edit.LoadText(c.text);
        edit.Browse();
        EXPECT_EQ(QDir::cleanPath(edit.startFolder), documents);
        EXPECT_TRUE(QFileInfo(documents).isDir());
    }
}

TEST_F(FileEditCtrlTest, DroppedFiles)
{
    const QString folder = root + QStringLiteral("/Folder/");
    const QStringList three = { folder + QStringLiteral("a.txt"), folder + QStringLiteral("b.txt"),
        root + QStringLiteral("/link.txt") };
    const struct
    {
        quint32 flags;
        QString text;
    } cases[] = {
        { CFileEditCtrl::FolderMode, folder + QStringLiteral("a.txt") },
        { CFileEditCtrl::FileMode, folder + QStringLiteral("a.txt") },
        { CFileEditCtrl::FileMode | CFileEditCtrl::MultiSelect,
            folder + QStringLiteral("a.txt; b.txt; a.txt") },
        { CFileEditCtrl::FileMode | CFileEditCtrl::MultiSelect | CFileEditCtrl::NoDereferenceLinks,
            folder + QStringLiteral("a.txt; b.txt; ") + root + QStringLiteral("/link.txt") },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        CFileEditCtrl edit;
        edit.SetFlags(c.flags);
        edit.DropFiles(three);
        EXPECT_EQ(edit.text(), c.text);
    }
}

TEST_F(FileEditCtrlTest, ButtonOnTheLeftMovesTheText)
{
    struct Edit : CFileEditCtrl
    {
        using QLineEdit::cursorRect;
    };
    Edit right;
    right.SetFlags(CFileEditCtrl::FolderMode);
    Edit left;
    left.SetFlags(CFileEditCtrl::FolderMode | CFileEditCtrl::ButtonLeft);
    for (Edit* edit : { &right, &left }) {
        edit->resize(200, 24);
        edit->setText(QStringLiteral("x"));
        edit->show();
    }
    // The text starts right of a button on the left.
    EXPECT_GT(left.cursorRect().left(), right.cursorRect().left() + 10);
}
