#include "foundation/AppFolders.h"

#include <NewHome.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

void WriteFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

TEST(DocumentsFolderTest, IsTheDesktopsCreatedWhenMissingAndElseTheHome)
{
    const struct
    {
        const char* userDirs; // the line of user-dirs.dirs, none when null
        const char* given; // below the home; none when null
        const char* expected; // below the home
    } cases[] = {
        { nullptr, nullptr, "/Documents/" },
        { "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"", nullptr, "/Dokumente/" },
        { nullptr, "//Projects//2024/", "/Projects/2024/" },
        { nullptr, "/Projects", "/Projects/" },
        // A regular file where a folder must be made: no folder can be.
        { nullptr, "/plain.txt/Documents", "/" },
        { "XDG_DOCUMENTS_DIR=\"$HOME/plain.txt/Docs\"", nullptr, "/" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.userDirs ? c.userDirs : "") + " " + (c.given ? c.given : ""));
        kwl::testing::NewHome home;
        ASSERT_FALSE(QFileInfo::exists(home.DocumentsPath()));
        WriteFile(home.Path() + QStringLiteral("/plain.txt"), "text");
        if (c.userDirs)
            WriteFile(home.Path() + QStringLiteral("/.config/user-dirs.dirs"), QByteArray(c.userDirs) + '\n');
        const QString given = c.given ? home.Path() + QString::fromUtf8(c.given) : QString();
        const QString expected = home.Path() + QString::fromUtf8(c.expected);
        const QString folder = EnsureDocumentsFolder(given);
        EXPECT_EQ(folder, expected);
        EXPECT_TRUE(QFileInfo(folder).isDir());
    }
}

TEST(DocumentsFolderTest, DialogsStartInAnExistingFolderOrInTheDocuments)
{
    kwl::testing::NewHome home;
    const QString projects = home.Path() + QStringLiteral("/Projects");
    ASSERT_TRUE(QDir().mkpath(projects));
    const QString documents = home.DocumentsPath() + QLatin1Char('/');
    const struct
    {
        QString folder;
        QString start;
    } cases[] = {
        { projects, projects + QLatin1Char('/') },
        { projects + QStringLiteral("//"), projects + QLatin1Char('/') },
        { home.Path() + QStringLiteral("/Gone/"), documents },
        { QString(), documents },
        { QStringLiteral("C:\\"), documents },
        { QStringLiteral("Projects"), documents },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        EXPECT_EQ(DialogStartFolder(c.folder), c.start);
    }
    EXPECT_TRUE(QFileInfo(documents).isDir());
}
