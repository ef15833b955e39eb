// The program's file dialog as the user meets it: where it starts, the name
// it proposes, and the name it answers for what is typed.
#include "shell/ShellDialogs.h"

#include <NewHome.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>

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

    // The real dialog, run as the program runs it. Once it shows, what it
    // shows is noted; then typed (unless null) replaces the name and the
    // dialog's Open or Save button is clicked.
    bool Run(const FileDialogRequest& request, QString& path, const char* typed)
    {
        QTimer::singleShot(0, [this, typed, open = request.open] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no file dialog";
                return;
            }
            Answer(*dialog, typed, open);
            // A dialog that refused the name would wait for another.
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog is still open";
                dialog->reject();
            }
        });
        return RunFileDialog(request, path);
    }

    void Answer(QFileDialog& dialog, const char* typed, bool open)
    {
        m_shownFolder = dialog.directory().absolutePath();
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        ASSERT_TRUE(name && buttons);
        m_shownName = name->text();
        if (typed) {
            name->clear();
            QTest::keyClicks(name, QString::fromUtf8(typed));
        }
        QPushButton* accept = buttons->button(open ? QDialogButtonBox::Open : QDialogButtonBox::Save);
        ASSERT_TRUE(accept && accept->isEnabled()) << name->text().toStdString();
        accept->click();
    }

    kwl::testing::NewHome m_home;
    QString m_shownFolder;
    QString m_shownName;
    FileDialogFunction m_previous;
};

} // namespace

TEST_F(FileDialogTest, SaveAsProposesTheNameInTheFolderAndAnswersItWithOneSeparator)
{
    const QString documents = m_home.DocumentsPath();
    ASSERT_TRUE(QDir().mkpath(documents));
    QString path = QStringLiteral("Untitled.kwxe");
    ASSERT_TRUE(Run(Request(false, documents + QLatin1Char('/')), path, nullptr));
    EXPECT_EQ(m_shownFolder, documents);
    EXPECT_EQ(m_shownName, QStringLiteral("Untitled.kwxe"));
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
        EXPECT_EQ(m_shownFolder, documents);
        EXPECT_NE(m_shownFolder, QDir::currentPath());
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
