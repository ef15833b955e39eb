#include "shell/prefs/CFileLocationsPP.h"
#include "shell/controls/CFileEditCtrl.h"

#include "PrefsPageTest.h"

#include <QDir>
#include <QFile>

namespace {

class FileLocationsPageTest : public PrefsPageTest
{
protected:
    void SetUp() override
    {
        PrefsPageTest::SetUp();
        root = temp.path();
        ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("Projects")));
        ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("Materials")));
        QFile file(root + QStringLiteral("/notes.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        record.projectsFolder = root + QStringLiteral("/Projects/");
        record.materialsFolder = root + QStringLiteral("/Materials/");
        record.exportFolder = root + QStringLiteral("/Projects/");
    }

    QString root;
};

} // namespace

TEST_F(FileLocationsPageTest, FolderFieldsValidateWithTheirMessages)
{
    const struct
    {
        QString typed;
        QString message; // empty: valid
    } cases[] = {
        { QString(), QStringLiteral("Please enter an existing folder name.") },
        { QStringLiteral(" ; "), QStringLiteral("Please enter an existing folder name.") },
        { root + QStringLiteral("/Missing"), root + QStringLiteral("/Missing/ does not exist.") },
        { root + QStringLiteral("/notes.txt"), root + QStringLiteral("/notes.txt/ is not a folder.") },
        { root + QStringLiteral("/Projects"), QString() },
        { QStringLiteral("; ") + root + QStringLiteral("/Materials/ ; /nowhere"), QString() },
    };
    CFileLocationsPP page(&record);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        messages.clear();
        page.ExportField()->setText(c.typed);
        EXPECT_EQ(page.OnKillActive(), c.message.isEmpty());
        EXPECT_EQ(messages, c.message.isEmpty() ? QStringList() : QStringList(c.message));
    }
    page.ExportField()->setText(QString());
    page.ExportField()->setEnabled(false);
    EXPECT_TRUE(page.OnKillActive()) << "a disabled field is not checked";
}

TEST_F(FileLocationsPageTest, StoresFullFoldersWithTrailingSeparator)
{
    CFileLocationsPP page(&record);
    EXPECT_GT(ColourCount(page), 2);
    EXPECT_EQ(page.ProjectsField()->text(), record.projectsFolder);
    page.ProjectsField()->setText(root + QStringLiteral("/Materials/../Projects"));
    page.ExportField()->setText(QStringLiteral("/"));
    page.CommitToRecord();
    EXPECT_EQ(record.projectsFolder, root + QStringLiteral("/Projects/"));
    EXPECT_EQ(record.exportFolder, QStringLiteral("/"));
    EXPECT_EQ(record.materialsFolder, root + QStringLiteral("/Materials/"));
}

TEST_F(FileLocationsPageTest, UntouchedFolderKeepsItsStoredText)
{
    // Written without the separator; confirming must not make it a new
    // materials folder, which would move the library.
    record.materialsFolder = root + QStringLiteral("/Materials");
    CFileLocationsPP page(&record);
    page.CommitToRecord();
    EXPECT_EQ(record.materialsFolder, root + QStringLiteral("/Materials"));
}

TEST_F(FileLocationsPageTest, AStoredFolderThatIsGoneLetsThePageGoButATypedOneDoesNot)
{
    // Removed since it was stored: the user meets it on the page, and can
    // still confirm every other preference.
    record.projectsFolder = root + QStringLiteral("/Gone/");
    record.exportFolder = QStringLiteral("C:\\");
    CFileLocationsPP page(&record);
    EXPECT_TRUE(page.OnKillActive());
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    page.CommitToRecord();
    EXPECT_EQ(record.projectsFolder, root + QStringLiteral("/Gone/"));

    page.MaterialsField()->setText(root + QStringLiteral("/Gone"));
    EXPECT_FALSE(page.OnKillActive());
    EXPECT_EQ(messages, QStringList(root + QStringLiteral("/Gone/ does not exist.")));
}
