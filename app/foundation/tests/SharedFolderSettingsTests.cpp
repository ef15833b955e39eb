#include "foundation/SharedFolderSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Utf16File(const char* text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (const char* c = text; *c; ++c) {
        bytes.append(*c);
        bytes.append('\0');
    }
    return bytes;
}

} // namespace

TEST(SharedFolderSettings, MissingFileIsCreatedEmptyAndDefaultsStand)
{
    QTemporaryDir temp;
    const QString path = QDir(temp.path()).filePath(QStringLiteral("SharedMats.ini"));
    SharedFolderSettings settings(path);
    settings.Load();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\xFF\xFE", 2)) << "an empty UTF-16LE file with its byte-order mark";
    EXPECT_FALSE(settings.IsSharingEnabled());
    EXPECT_FALSE(settings.GetFlag(SharedFolderSettings::EnableAutoCheckout));
    EXPECT_TRUE(settings.GetFlag(SharedFolderSettings::AllowOfflineEditing));
    EXPECT_TRUE(settings.GetFlag(SharedFolderSettings::AutomaticCheckins));
    EXPECT_EQ(settings.GetText(SharedFolderSettings::NetworkFolder), QString());
    EXPECT_EQ(settings.GetInt(SharedFolderSettings::State), 0);
}

TEST(SharedFolderSettings, ReadsTheFileAndClampsTheState)
{
    struct Case
    {
        const char* state;
        int expected;
    };
    const Case cases[] = { { "12", 8 }, { "-3", 0 }, { "5", 5 }, { "x", 0 } };
    QTemporaryDir temp;
    const QString path = QDir(temp.path()).filePath(QStringLiteral("SharedMats.ini"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        const std::string text = std::string("[Setup]\r\nSharing Enabled=1\r\nNetwork Folder=/srv/mats\r\n"
                                             "[Prefs]\r\nAutomatic Checkins=0\r\n[Status]\r\nState=")
            + c.state + "\r\n";
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(Utf16File(text.c_str()));
        file.close();

        SharedFolderSettings settings(path);
        settings.Load();
        EXPECT_EQ(settings.GetInt(SharedFolderSettings::State), c.expected);
        EXPECT_TRUE(settings.IsSharingEnabled());
        EXPECT_FALSE(settings.GetFlag(SharedFolderSettings::AutomaticCheckins));
        EXPECT_TRUE(settings.GetFlag(SharedFolderSettings::AllowOfflineEditing)) << "a missing key keeps its default";
        EXPECT_EQ(settings.GetText(SharedFolderSettings::NetworkFolder), QStringLiteral("/srv/mats"));
    }
}
