// The program's file dialog as the user meets it: where it starts, the name
// it proposes, and the name it answers for what is typed.
#include "FileDialogAnswer.h"

#include "shell/ShellDialogs.h"

#include "foundation/FileNames.h"

#include <NewHome.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Texts in failure messages as text, not as bytes.
static void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

class FileDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { m_previous = SetFileDialogFunction(nullptr); }
    void TearDown() override { SetFileDialogFunction(m_previous); }

    static FileDialogRequest Request(bool open, const QString& folder)
    {
        FileDialogRequest request;
        request.open = open;
        request.title = open ? QStringLiteral("Open") : QStringLiteral("Save As");
        request.filters = { QStringLiteral("Project Files (*.kwxe)"), QStringLiteral("All Files (*)") };
        request.defaultSuffix = QStringLiteral("kwxe");
        request.folder = folder;
        return request;
    }

    // The real dialog, run as the program runs it and answered with typed
    // (or the name it proposes when null).
    bool Run(const FileDialogRequest& request, QString& path, const char* typed)
    {
        AnswerNextFileDialog(m_shown, typed);
        return RunFileDialog(request, path);
    }

    kwl::testing::NewHome m_home;
    ShownFileDialog m_shown;
    FileDialogFunction m_previous;
};

} // namespace

TEST_F(FileDialogTest, SaveAsProposesTheNameInTheFolderAndAnswersItWithOneSeparator)
{
    const QString documents = m_home.DocumentsPath();
    ASSERT_TRUE(QDir().mkpath(documents));
    QString path = QStringLiteral("Untitled.kwxe");
    ASSERT_TRUE(Run(Request(false, documents + QLatin1Char('/')), path, nullptr));
    EXPECT_EQ(m_shown.folder, documents);
    EXPECT_EQ(m_shown.name, QStringLiteral("Untitled.kwxe"));
    EXPECT_EQ(path, documents + QStringLiteral("/Untitled.kwxe"));
    EXPECT_EQ(ProposedFilePath(Request(false, documents + QLatin1Char('/')), QStringLiteral("Untitled.kwxe")),
        path);

    path = QStringLiteral("Untitled.kwxe");
    ASSERT_TRUE(Run(Request(false, documents), path, "Cabinet"));
    EXPECT_EQ(path, documents + QStringLiteral("/Cabinet.kwxe")) << "a saved name gets the extension";
}

TEST_F(FileDialogTest, AFolderThatIsGoneStartsTheDialogInTheDocumentsFolder)
{
    const QString gone = m_home.Path() + QStringLiteral("/Projects/");
    const QString documents = m_home.DocumentsPath();
    const struct
    {
        bool open;
        QString folder;
        QString name;
    } cases[] = {
        { false, gone, QStringLiteral("Untitled.kwxe") },
        { false, QString(), QStringLiteral("Untitled.kwxe") },
        { false, documents, gone + QStringLiteral("Cabinet.kwxe") }, // the project's own folder is gone
        { true, gone, QString() },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder.toStdString() + " " + c.name.toStdString());
        QString path = c.name;
        if (c.open) {
            // Answered with a file that is there.
            QDir().mkpath(documents);
            QFile there(documents + QStringLiteral("/Opened.kwxe"));
            ASSERT_TRUE(there.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(Run(Request(c.open, c.folder), path, c.open ? "Opened.kwxe" : nullptr));
        EXPECT_EQ(m_shown.folder, documents);
        EXPECT_NE(m_shown.folder, QDir::currentPath());
        if (!c.open) {
            EXPECT_EQ(path, ProposedFilePath(Request(c.open, c.folder), c.name));
        }
        EXPECT_EQ(QFileInfo(path).path(), documents);
    }
}

TEST_F(FileDialogTest, OpenTakesATypedNameWithoutAnExtensionAsItIs)
{
    const QString documents = m_home.DocumentsPath();
    ASSERT_TRUE(QDir().mkpath(documents));
    QFile file(documents + QStringLiteral("/Cabinet"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QString path;
    ASSERT_TRUE(Run(Request(true, documents), path, "Cabinet"));
    EXPECT_EQ(path, documents + QStringLiteral("/Cabinet"));
}

// A name whose bytes are not UTF-8 (a folder and a project named in
// Latin-1), or that holds a line break: the dialog lists the name's own
// folder and shows the name escaped; answered unchanged, the name's own
// bytes come back, and a file that is there is asked about first. A typed
// name goes into the folder the dialog listed.
TEST_F(FileDialogTest, ANameThatIsNotUtf8IsProposedInItsOwnFolderAndAnsweredWithItsBytes)
{
    const QByteArray latin1 = QFile::encodeName(m_home.Path()) + "/L\xe9gumes";
    const QByteArray documents = QFile::encodeName(m_home.DocumentsPath());
    const QByteArray there = latin1 + "/\xe9t\xe9.kwxe";
    ASSERT_EQ(::mkdir(latin1.constData(), 0700), 0);
    // Qt's own file functions cannot remove it: the bytes are not UTF-8.
    struct RemoveAtEnd
    {
        std::filesystem::path folder;
        ~RemoveAtEnd() { std::filesystem::remove_all(folder); }
    } removeAtEnd { latin1.toStdString() };
    ASSERT_EQ(::mkdir(documents.constData(), 0700), 0);
    const int file = ::creat(there.constData(), 0600);
    ASSERT_GE(file, 0);
    ::close(file);
    QStringList questions;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    const QuestionFunction previous
        = SetQuestionFunction([&](const QString& text, QMessageBox::StandardButtons, QMessageBox::Icon) {
              questions << text;
              return answer;
          });

    const struct
    {
        const char* trace;
        QByteArray proposed;
        const char* typed;
        QMessageBox::StandardButton replace;
        QByteArray listed; // the folder the dialog lists
        QString shownName;
        QByteArray chosen; // empty: cancelled
    } cases[] = {
        { "a new name", latin1 + "/l\xe9gume.kwxe", nullptr, QMessageBox::Yes, latin1,
            QStringLiteral("l\\xe9gume.kwxe"), latin1 + "/l\xe9gume.kwxe" },
        { "a typed name", latin1 + "/l\xe9gume.kwxe", "Soup", QMessageBox::Yes, latin1,
            QStringLiteral("l\\xe9gume.kwxe"), latin1 + "/Soup.kwxe" },
        { "a line break", documents + "/Caf\xe9\nShelf.kwxe", nullptr, QMessageBox::Yes, documents,
            QStringLiteral("Caf\\xe9\\nShelf.kwxe"), documents + "/Caf\xe9\nShelf.kwxe" },
        { "a file that is there, replaced", there, nullptr, QMessageBox::Yes, latin1,
            QStringLiteral("\\xe9t\\xe9.kwxe"), there },
        { "a file that is there, kept", there, nullptr, QMessageBox::No, latin1,
            QStringLiteral("\\xe9t\\xe9.kwxe"), QByteArray() },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trace);
        questions.clear();
        answer = c.replace;
        m_shown = {};
        QString path = DecodeFileName(c.proposed);
        EXPECT_EQ(Run(Request(false, m_home.DocumentsPath()), path, c.typed), !c.chosen.isEmpty());
        EXPECT_EQ(m_shown.listed, c.listed);
        EXPECT_EQ(m_shown.name, c.shownName);
        if (!c.chosen.isEmpty()) {
            EXPECT_EQ(EncodeFileName(path), c.chosen);
        }
        // Only a file that is there is asked about, by the name shown.
        ASSERT_EQ(questions.size(), c.proposed == there ? 1 : 0);
        if (!questions.isEmpty()) {
            EXPECT_TRUE(questions.front().contains(c.shownName)) << questions.front().toStdString();
        }
    }
    SetQuestionFunction(previous);

    // A bare name starts in the folder asked for, named in Latin-1 too.
    QString bare = QStringLiteral("Untitled.kwxe");
    ASSERT_TRUE(Run(Request(false, DecodeFileName(latin1)), bare, nullptr));
    EXPECT_EQ(m_shown.listed, latin1);
    EXPECT_EQ(EncodeFileName(bare), latin1 + "/Untitled.kwxe");
}
