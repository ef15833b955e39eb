#include "foundation/TCPResource.h"

#include "FakePrefs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const StringResource kTable[] = {
    { 10, u"Colors_DkBlue_Dark Blue" },
    { 11, u"A_B_C_D" },
    { 12, u"NoUnderscore" },
    { 13, u"Head_Line_First\\nSecond\\tTabbed" },
    { 14, u"Grid_PartNo_Part Number" },
    { 15, u"Two_Pieces" },
    { 16, u"__" },
};

class TCPResourceTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void TearDown() override { InstallResources(nullptr); }

    void writeOverride(const QByteArray& content)
    {
        QFile f(QDir(m_dir.path()).filePath(QStringLiteral("Abbr_English.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    TCPResource* create() { return InitUIStrings(m_dir.path(), { kTable }); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(TCPResourceTest, SplitsResourcesIntoSectionKeyAndText)
{
    TCPResource* r = create();
    struct Case
    {
        int id;
        const char *section, *key, *text;
    };
    const Case cases[] = {
        { 10, "Colors", "DkBlue", "Dark Blue" },
        { 11, "A", "B", "C" },
        { 12, "", "", "NoUnderscore" },
        { 13, "Head", "Line", "First\nSecond\tTabbed" },
        { 15, "", "", "Two" },
        { 16, "", "", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(r->GetSection(c.id), QString::fromUtf8(c.section));
        EXPECT_EQ(r->GetKey(c.id), QString::fromUtf8(c.key));
        EXPECT_EQ(r->Text(c.id), QString::fromUtf8(c.text));
        EXPECT_TRUE(r->HasText(c.id));
    }
    EXPECT_EQ(r->FirstLine(13), QStringLiteral("First"));
    EXPECT_EQ(r->SecondPart(13), QStringLiteral("Second\tTabbed"));
    EXPECT_EQ(r->FirstLine(10), QStringLiteral("Dark Blue"));
    EXPECT_EQ(r->SecondPart(10), QString());
    EXPECT_FALSE(r->HasText(999));
    EXPECT_EQ(r->Text(999), QString()); // a missing resource is an empty text
    EXPECT_EQ(r->Text(0xE001), QStringLiteral("Ready"));
    EXPECT_EQ(r->GetSection(0xEF00), QStringLiteral("Windows"));
    EXPECT_EQ(GetResources(), r);
}

TEST_F(TCPResourceTest, AbbreviatedHeadersComeFromTheOverrideFile)
{
    writeOverride("[grid]\r\npartno=P#\\nNo.\r\n[Colors]\r\nDkBlue=\r\n[Windows]\r\nIdleMsg=Waiting\r\n");
    ScopedFakePrefs prefs;
    TCPResource* r = create();
    EXPECT_EQ(r->HeaderText(14), QStringLiteral("Part Number")); // preference off
    prefs.prefs->SetFlag(PrefId::AbbreviatedHeaders, true);
    EXPECT_EQ(r->HeaderText(14), QStringLiteral("P#\nNo."));
    EXPECT_EQ(r->HeaderText(10), QStringLiteral("Dark Blue")); // empty override is none
    EXPECT_EQ(r->HeaderText(12), QStringLiteral("NoUnderscore"));
    EXPECT_EQ(r->HeaderText(0xE001), QStringLiteral("Waiting"));
    EXPECT_EQ(r->Text(14), QStringLiteral("Part Number"));
}

TEST_F(TCPResourceTest, MissingOverrideFileGivesNoOverride)
{
    ScopedFakePrefs prefs;
    prefs.prefs->SetFlag(PrefId::AbbreviatedHeaders, true);
    TCPResource* r = create();
    EXPECT_EQ(r->HeaderText(14), QStringLiteral("Part Number"));
    EXPECT_TRUE(r->GetOverrideFilePath().endsWith(QStringLiteral("/Abbr_English.ini")));
}

TEST_F(TCPResourceTest, FoundationTableIsWellFormed)
{
    TCPResource* r = InitUIStrings(m_dir.path(), { FoundationStringResources() });
    EXPECT_EQ(r->Text(UIStringId::Feet), QStringLiteral("Feet (ft)"));
    EXPECT_EQ(r->Text(UIStringId::AbbrSquareMeters), QStringLiteral("m2"));
    EXPECT_EQ(r->Text(UIStringId::Ok), QStringLiteral("OK"));
    EXPECT_EQ(r->Text(UIStringId::UndoMenu), QStringLiteral("&Undo\tCtrl+Z"));
    for (const StringResource& s : FoundationStringResources())
        EXPECT_FALSE(r->GetKey(s.id).isEmpty()) << s.id;
}
