#include "platform/ui/Document.h"
#include "platform/ui/RecentFileList.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

struct RecordingView : platform::DocView {
    std::vector<long> hints;
    void OnDocUpdate(platform::DocView*, long hint, void*) override { hints.push_back(hint); }
};

TEST(DocumentTest, UpdateAllViewsSkipsSenderAndPathSetsTitle)
{
    platform::Document doc;
    RecordingView a, b;
    doc.AddView(&a);
    doc.AddView(&b);
    doc.AddView(&a);  // registered once only
    doc.UpdateAllViews(&a, 7);
    EXPECT_TRUE(a.hints.empty());
    ASSERT_EQ(b.hints, std::vector<long>{7});
    doc.RemoveView(&b);
    doc.UpdateAllViews(nullptr, 3);
    EXPECT_EQ(a.hints, std::vector<long>{3});
    EXPECT_EQ(b.hints.size(), 1u);

    doc.SetPathName(QStringLiteral("/tmp/x/Shop bench.kwxe"), false);
    EXPECT_EQ(doc.Title(), QStringLiteral("Shop bench.kwxe"));
    EXPECT_FALSE(doc.IsModified());
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.IsModified());
}

TEST(DocumentTest, ProposedFileNameCutsTitleAtReservedCharacters)
{
    const struct {
        const char* title;
        const char* expected;
    } cases[] = {
        {"A #1", "A.kwxe"},         {"Cabinet", "Cabinet.kwxe"}, {"50%off", "50.kwxe"},
        {"a;b", "a.kwxe"},          {"dir/name", "dir.kwxe"},    {"x\\y", "x.kwxe"},
        {"No#space", "No.kwxe"},    {"", ".kwxe"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::ProposedFileName(QString::fromUtf8(c.title), QStringLiteral(".kwxe")),
                  QString::fromUtf8(c.expected))
            << c.title;
}

// The user's settings in a folder of the test's own while it lives. Qt
// finds that folder once per process and keeps it, so a test that changes
// the environment instead moves only the first such test; the folder Qt
// had is put back at the end, and later tests find what they would have.
class OwnSettingsFolder
{
public:
    OwnSettingsFolder()
        : m_previous(CurrentFolder())
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
    }
    ~OwnSettingsFolder() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_previous); }
    OwnSettingsFolder(const OwnSettingsFolder&) = delete;
    OwnSettingsFolder& operator=(const OwnSettingsFolder&) = delete;

    QString Path() const { return m_folder.path(); }

    // Where Qt keeps the user's settings now (it gives no other way to ask).
    static QString CurrentFolder()
    {
        const QString file = QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("o"),
                                       QStringLiteral("a"))
                                 .fileName();
        return file.chopped(QStringLiteral("/o/a.conf").size());
    }

private:
    QTemporaryDir m_folder;
    QString m_previous;
};

// Each test has a settings file of its own: the other list test may run
// at the same time.
class RecentFileListTest : public ::testing::Test
{
protected:
    OwnSettingsFolder m_settingsFolder;
};

TEST_F(RecentFileListTest, NewestFirstBoundedAndPersisted)
{

    platform::RecentFileList list(3);
    for (const char* p : {"/a", "/b", "/c", "/d"})
        list.Add(QString::fromUtf8(p));
    list.Add(QStringLiteral("/b"));  // re-opening moves to the front, no duplicate
    EXPECT_EQ(list.Files(), (QStringList{"/b", "/d", "/c"}));
    list.Save();

    platform::RecentFileList reread(3);
    reread.Load();
    EXPECT_EQ(reread.Files(), list.Files());

    platform::Document doc;
    doc.SetRecentFileList(&reread);
    doc.SetPathName(QStringLiteral("/e"));
    EXPECT_EQ(reread.Files().front(), QStringLiteral("/e"));
}

// Names are kept as the codec's bytes, so that a name which no text holds
// (the program's names keep bytes that are not UTF-8 as lone surrogates)
// comes back exactly; the text list of an earlier version is still read.
TEST_F(RecentFileListTest, NamesComeBackAsTheirBytesAndTheEarlierTextListIsRead)
{
    QSettings settings(QStringLiteral("Marrowby Design"), QStringLiteral("Kerfwell Plus Solo"));
    ASSERT_TRUE(settings.fileName().startsWith(m_settingsFolder.Path()));
    settings.setValue(QStringLiteral("RecentFiles/Files"),
        QStringList { QStringLiteral("/old/A.kwxe"), QStringLiteral("/old/B.kwxe") });
    settings.sync();

    // Its bytes as they come, U+DC00 + byte for a byte that is not UTF-8.
    const platform::FileNameCodec codec {
        [](const QString& name) {
            QByteArray bytes;
            for (const QChar c : name)
                bytes.append(c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF ? char(c.unicode() - 0xDC00)
                                                                            : char(c.toLatin1()));
            return bytes;
        },
        [](const QByteArray& bytes) {
            QString name;
            for (const char c : bytes)
                name.append(uchar(c) >= 0x80 ? QChar(0xDC00 + uchar(c)) : QChar(c));
            return name;
        },
    };
    platform::RecentFileList earlier(4, codec);
    earlier.Load();
    EXPECT_EQ(
        earlier.Files(), (QStringList { QStringLiteral("/old/A.kwxe"), QStringLiteral("/old/B.kwxe") }));

    const QString latin1 = codec.decode(QByteArrayLiteral("/caf\xe9/Bench.kwxe"));
    earlier.Add(latin1);
    earlier.Save();
    settings.sync();
    EXPECT_FALSE(settings.contains(QStringLiteral("RecentFiles/Files")));
    // Read from the disk, as a new process would, not from the cache.
    const timespec longAgo[2] = { { 1000000000, 0 }, { 1000000000, 0 } };
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(settings.fileName()).constData(), longAgo, 0), 0);
    platform::RecentFileList reread(4, codec);
    reread.Load();
    EXPECT_EQ(reread.Files(),
        (QStringList { latin1, QStringLiteral("/old/A.kwxe"), QStringLiteral("/old/B.kwxe") }));
}

}  // namespace
