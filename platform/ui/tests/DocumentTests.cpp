#include "platform/ui/Document.h"
#include "platform/ui/RecentFileList.h"

#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

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

TEST(RecentFileListTest, NewestFirstBoundedAndPersisted)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QStandardPaths::setTestModeEnabled(true);

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

}  // namespace
