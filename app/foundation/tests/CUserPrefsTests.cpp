#include "foundation/CUserPrefs.h"
#include "foundation/DimensionFormatPrefs.h"
#include "foundation/DimensionFormatSettings.h"
#include "foundation/PrefsTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <platform/IniFile.h>

#include <NewHome.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

class CUserPrefsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        folder = temp.path() + QStringLiteral("/KWL Solo/");
        documents = temp.path() + QStringLiteral("/Documents/");
        SetDefaultMaterialsInstaller([this](const QString& where) { installedInto.push_back(where); });
    }
    void TearDown() override { SetDefaultMaterialsInstaller(nullptr); }

    std::unique_ptr<CUserPrefs> Start()
    {
        auto prefs = std::make_unique<CUserPrefs>();
        prefs->Init(folder, documents);
        return prefs;
    }

    QString PrefsFile() const { return folder + QStringLiteral("Prefs.ini"); }

    QStringList Lines() const
    {
        QFile file(PrefsFile());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    void WriteFile(const char* content)
    {
        QDir().mkpath(folder);
        QFile file(PrefsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    QTemporaryDir temp;
    QString folder;
    QString documents;
    QStringList installedInto;
};

void RestoreEnv(const char* name, const QByteArray& saved)
{
    if (saved.isNull())
        qunsetenv(name);
    else
        qputenv(name, saved);
}

QStringList Changed(const QStringList& before, const QStringList& after)
{
    QStringList changed;
    for (const QString& line : after)
        if (!before.contains(line))
            changed << line;
    return changed;
}

} // namespace

TEST_F(CUserPrefsTest, FirstStartWritesCompleteFileWithDefaults)
{
    auto prefs = Start();
    EXPECT_TRUE(prefs->IsNewPrefsFile());
    EXPECT_EQ(installedInto, QStringList { folder });
    EXPECT_EQ(prefs->GetAppDataFolder(), folder);
    EXPECT_EQ(prefs->GetGridStateFilePath(), folder + QStringLiteral("GridStat.KWG"));

    const QStringList lines = Lines();
    const auto keyLines
        = std::count_if(lines.begin(), lines.end(), [](const QString& l) { return l.contains(u'='); });
    EXPECT_EQ(GetPrefDefinitions().size(), 92u);
    EXPECT_EQ(keyLines, 92 + 2);
    for (const char* expected : { "Grid Height=85", "Min Slice Display Dim=2.000000",
             "Bold Part Color=8421504", "Layout With TakeOff=1", "Stretch=0", "Horz Resize Bar=-1",
             "Margin Top=500", "Bin=7", "MRU Device=", "Main Tab Face=Tahoma" })
        EXPECT_TRUE(lines.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(lines.contains(QStringLiteral("Raw Materials=") + folder));
    EXPECT_TRUE(lines.contains(QStringLiteral("Projects=") + documents));
    EXPECT_TRUE(lines.contains(QStringLiteral("Materials Backup=") + documents));
    EXPECT_TRUE(lines.contains(QStringLiteral("GridStat Path=") + folder + QStringLiteral("GridStat.KWG")));
    EXPECT_TRUE(lines.contains(QStringLiteral("AppData Path=") + folder));
    EXPECT_TRUE(lines.contains(QStringLiteral("[Numbers and Dimensions]")));

    // Every registered preference stands in its own section with its default.
    const auto file = std::filesystem::path(QFile::encodeName(PrefsFile()).toStdString());
    for (const PrefDefinition& d : GetPrefDefinitions()) {
        SCOPED_TRACE(d.id);
        const QString stored = QString::fromStdU16String(
            platform::IniFile::ReadString(file, QString::fromUtf8(d.section).toStdU16String(),
                QString::fromUtf8(d.key).toStdU16String(), u"<missing>"));
        QString expected;
        switch (d.type) {
        case PrefType::Text:
            expected = d.textDefault == PrefTextDefault::AppDataFolder ? folder
                : d.textDefault == PrefTextDefault::DocumentsFolder    ? documents
                                                                       : QString::fromUtf8(d.text);
            break;
        case PrefType::Flag:
        case PrefType::Int:
        case PrefType::ClampedInt:
            expected = QString::number(d.intDefault);
            break;
        case PrefType::Real:
            expected = QString::number(d.realDefault, 'f', 6);
            break;
        }
        EXPECT_EQ(stored, expected);
    }

    auto again = Start();
    EXPECT_FALSE(again->IsNewPrefsFile());
    EXPECT_EQ(installedInto.size(), 1); // only the first start installs the materials
    EXPECT_EQ(Lines(), lines);
}

TEST_F(CUserPrefsTest, ChangedValueRewritesExactlyItsLine)
{
    auto prefs = Start();
    struct Case
    {
        const char* what;
        std::function<void()> change;
        const char* line;
    };
    const Case cases[] = {
        { "int", [&] { prefs->SetInt(3002, 120); }, "Grid Height=120" },
        { "flag", [&] { prefs->SetFlag(2036, false); }, "Gridlines=0" },
        { "toggle", [&] { prefs->ToggleFlag(2036); }, "Gridlines=1" },
        { "text", [&] { prefs->SetString(1008, QStringLiteral("DejaVu Sans")); }, "Grid Face=DejaVu Sans" },
        { "real", [&] { prefs->SetReal(4019, 2.5); }, "Min Slice Display Dim=2.500000" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QStringList before = Lines();
        c.change();
        const QStringList after = Lines();
        EXPECT_EQ(after.size(), before.size());
        EXPECT_EQ(Changed(before, after), QStringList { QString::fromUtf8(c.line) });
    }
    EXPECT_EQ(prefs->GetInt(3002), 120);
    EXPECT_EQ(prefs->GetString(1008), QStringLiteral("DejaVu Sans"));
}

// A text that would not read back unchanged at the next start (or would
// write a second line that sets another preference) is refused where it is
// set, with a message, and neither memory nor the file changes.
TEST_F(CUserPrefsTest, TextsThatWouldNotReadBackAreRefusedWithAMessage)
{
    auto prefs = Start();
    QStringList messages;
    SetPrefsMessageHook([&](const QString& text) { messages << text; });
    const QString held = prefs->GetString(1002);
    const QString refused[] = {
        QStringLiteral("/data\r\nGridStat Path=/elsewhere"),
        QStringLiteral("/data\n"),
        QString(256, QLatin1Char('x')),
        QStringLiteral("/data/ "),
        QStringLiteral(" /data/"),
        QStringLiteral("\"/data/\""),
    };
    for (const QString& value : refused) {
        SCOPED_TRACE(value.toStdString());
        const QStringList before = Lines();
        messages.clear();
        prefs->SetString(1002, value);
        EXPECT_EQ(prefs->GetString(1002), held);
        EXPECT_EQ(Lines(), before);
        EXPECT_EQ(messages.size(), 1);
        EXPECT_FALSE(CUserPrefs::WhyTextCannotBeKept(value).isEmpty());
    }
    SetPrefsMessageHook(nullptr);
    const QString kept = QString(255, QLatin1Char('y'));
    prefs->SetString(1002, kept);
    EXPECT_EQ(Start()->GetString(1002), kept);
}

TEST_F(CUserPrefsTest, SettingTheHeldValueWritesNothing)
{
    auto prefs = Start();
    QFile::remove(PrefsFile()); // any write would bring the file back
    prefs->SetInt(3002, 85);
    prefs->SetFlag(2036, true);
    prefs->SetString(1008, QStringLiteral("Verdana"));
    prefs->SetReal(4019, 2.0);
    EXPECT_FALSE(QFile::exists(PrefsFile()));
}

TEST_F(CUserPrefsTest, OutOfRangeValuesAreClamped)
{
    WriteFile("[Font Options]\r\nGrid Height=5\r\nDiagram Height=900\r\n"
              "[Misc]\r\nMRU Count=0\r\n"
              "[Print Options]\r\nOrientation=7\r\nMargin Left=-40\r\n"
              "[UI Raw Materials]\r\nHorz Resize Bar=-5\r\n"
              "[Colors and Shading]\r\nNormal Part Pattern=-7\r\nNormal Part Color=0x1FFFFFF\r\n"
              "[UI Layouts]\r\nMin Slice Display Dim=20000.5\r\nWide Tree Width=3\r\n");
    auto prefs = Start();
    EXPECT_FALSE(prefs->IsNewPrefsFile());
    EXPECT_TRUE(installedInto.isEmpty());
    struct Case
    {
        int id;
        int expected;
    };
    for (const Case& c :
        { Case { 3002, 20 }, Case { 3003, 300 }, Case { 3061, 1 }, Case { 3034, 2 }, Case { 3031, 0 },
            Case { 3054, -1 }, Case { 3006, -7 }, Case { 3005, 0xFFFFFF }, Case { 3062, 100 } }) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(prefs->GetInt(c.id), c.expected);
    }
    EXPECT_DOUBLE_EQ(prefs->GetReal(4019), 12000.0);
    // Clamping repairs memory only; the file keeps what it had.
    EXPECT_TRUE(Lines().contains(QStringLiteral("Grid Height=5")));
}

TEST_F(CUserPrefsTest, RealsReadTheirLeadingNumber)
{
    struct Case
    {
        const char* text;
        double expected;
    };
    for (const Case& c : { Case { "3.25", 3.25 }, Case { " 4.5mm", 4.5 }, Case { "abc", 0.0 },
             Case { "-1", 0.0 }, Case { "+7", 7.0 }, Case { "1e3", 1000.0 }, Case { "nan", 0.0 } }) {
        SCOPED_TRACE(c.text);
        WriteFile((std::string("[UI Layouts]\r\nMin Slice Display Dim=") + c.text + "\r\n").c_str());
        EXPECT_DOUBLE_EQ(Start()->GetReal(4019), c.expected);
    }
}

TEST_F(CUserPrefsTest, FileWithOtherCaseAndExtraLinesReadsBack)
{
    WriteFile("; written by hand\r\n[font OPTIONS]\r\ngrid height=120\r\nSome Other Key=1\r\n"
              "[Unknown Section]\r\nfoo=bar\r\n[UI LAYOUTS]\r\nSHOW GRAIN=0\r\nstretch=7\r\n");
    auto prefs = Start();
    EXPECT_EQ(prefs->GetInt(3002), 120);
    EXPECT_FALSE(prefs->GetFlag(2093));
    EXPECT_TRUE(prefs->GetFlag(2028)); // any non-zero value is on
    EXPECT_EQ(prefs->GetInt(3003), 80); // missing keys give the default

    // The stored 7 goes back as "1" on its next change; the other lines stay.
    prefs->SetFlag(2028, false);
    prefs->SetFlag(2028, true);
    const QStringList lines = Lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("stretch=1")) || lines.contains(QStringLiteral("Stretch=1")));
    for (const char* kept :
        { "; written by hand", "Some Other Key=1", "[Unknown Section]", "foo=bar", "grid height=120" })
        EXPECT_TRUE(lines.contains(QString::fromUtf8(kept))) << kept;
}

TEST_F(CUserPrefsTest, UnregisteredIdsReadAsEmpty)
{
    auto prefs = Start();
    EXPECT_EQ(prefs->GetString(1999), QString());
    EXPECT_FALSE(prefs->GetFlag(2999));
    EXPECT_EQ(prefs->GetInt(3999), 0);
    EXPECT_EQ(prefs->GetReal(4999), 0.0);
    const QStringList before = Lines();
    prefs->SetInt(3999, 5); // kept in memory, nowhere to write it
    EXPECT_EQ(prefs->GetInt(3999), 5);
    EXPECT_EQ(Lines(), before);
}

TEST_F(CUserPrefsTest, IgnorePrefsMarksTheFileOnly)
{
    WriteFile("[Print Options]\r\nIgnore Prefs=1\r\n");
    auto prefs = Start();
    EXPECT_TRUE(Lines().contains(QStringLiteral("Ignore Prefs Always=1")));
    EXPECT_FALSE(prefs->GetFlag(2115));
}

TEST_F(CUserPrefsTest, PrintSettingsPersistInTheirPreferences)
{
    auto prefs = Start();
    EXPECT_EQ(prefs->GetPrintSettings(), PrintSettings());

    PrintSettings settings = prefs->GetPrintSettings();
    PageSetup page;
    page.device = QStringLiteral("Office");
    page.driver = QStringLiteral("drv");
    page.port = QStringLiteral("lp0");
    page.leftMargin = 100;
    page.topMargin = 200;
    page.rightMargin = 300;
    page.bottomMargin = 400;
    page.orientation = 2;
    page.paperSize = 9;
    page.paperBin = 0;
    page.duplex = 2;
    settings.SetPrinterPageSetup(page);
    settings.diagramsPerPage = 3;
    settings.takeOffOnLayoutPage = 0;
    prefs->SetPrintSettings(settings);
    EXPECT_EQ(prefs->GetPrintSettings(), settings);
    for (const char* line : { "MRU Device=Office", "Driver=drv", "Port=lp0", "Margin Left=100",
             "Margin Top=200", "Margin Right=300", "Margin Bottom=400", "Orientation=2", "StdPaperSize=9",
             "Bin=0", "Duplex Mode=2", "Layouts Page Config SG=3", "Layout With TakeOff=0" })
        EXPECT_TRUE(Lines().contains(QString::fromUtf8(line))) << line;

    auto next = Start();
    EXPECT_EQ(next->GetPrintSettings().GetPrinterPageSetup(), page);
    EXPECT_EQ(next->GetPrintSettings().diagramsPerPage, 3);
    EXPECT_EQ(next->GetPrintSettings().takeOffOnLayoutPage, 0);
}

TEST_F(CUserPrefsTest, ResetPageSetupRestoresTheAlternateOnly)
{
    auto prefs = Start();
    PrintSettings settings;
    settings.printerPageSetup.device = QStringLiteral("Office");
    settings.alternatePageSetup.device = QStringLiteral("Plotter");
    settings.alternatePageSetup.orientation = 2;
    prefs->SetPrintSettings(settings);
    prefs->ResetPageSetup();
    EXPECT_EQ(prefs->GetPrintSettings().GetAlternatePageSetup(), PageSetup());
    EXPECT_EQ(prefs->GetPrintSettings().GetPrinterPageSetup().device, QStringLiteral("Office"));
}

TEST_F(CUserPrefsTest, MetricDimensionsAreCentimetresAndMillimetres)
{
    auto prefs = Start();
    for (int style = 1; style <= 5; ++style) {
        prefs->SetInt(3016, style);
        EXPECT_EQ(prefs->IsMetricDimensions(), style >= 4) << style;
    }
}

TEST_F(CUserPrefsTest, DeletedFileIsWrittenAfreshNextStart)
{
    auto prefs = Start();
    prefs->SetInt(3002, 150);
    EXPECT_TRUE(prefs->DeletePrefsFile());
    EXPECT_FALSE(QFile::exists(PrefsFile()));
    EXPECT_TRUE(prefs->DeletePrefsFile()); // a second removal fails quietly
    auto next = Start();
    EXPECT_TRUE(next->IsNewPrefsFile());
    EXPECT_EQ(next->GetInt(3002), 85);
}

TEST_F(CUserPrefsTest, DefaultFolderIsKwlSoloUnderUserData)
{
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(temp.path() + QStringLiteral("/data")));
    CreateUserPrefs();
    InitUserPrefs();
    ASSERT_TRUE(GetCUserPrefs());
    EXPECT_EQ(GetCUserPrefs()->GetAppDataFolder(), temp.path() + QStringLiteral("/data/KWL Solo/"));
    EXPECT_TRUE(QFile::exists(temp.path() + QStringLiteral("/data/KWL Solo/Prefs.ini")));
    EXPECT_EQ(GetUserPrefs()->GetString(1014), GetCUserPrefs()->GetAppDataFolder());
    SetUserPrefs(nullptr);
    RestoreEnv("XDG_DATA_HOME", saved);
}

TEST_F(CUserPrefsTest, OnANewHomeTheDocumentsFolderIsMadeForTheFolderDefaults)
{
    kwl::testing::NewHome home;
    const QString made = home.DocumentsPath() + QLatin1Char('/');
    CUserPrefs prefs;
    prefs.Init(folder);
    EXPECT_EQ(prefs.GetDocumentsFolder(), made);
    EXPECT_TRUE(QFileInfo(made).isDir());
    for (int id : { 1004, 1006, 1012 }) {
        SCOPED_TRACE(id);
        EXPECT_EQ(prefs.GetString(id), made);
    }
}

TEST_F(CUserPrefsTest, TheDriveRootEarlierBuildsStoredForTheBackupFolderReadsAsTheDocumentsFolder)
{
    WriteFile("[Folder Locations]\r\nMaterials Backup=C:\\\r\nExport=C:\\\r\nProjects=/srv/projects/\r\n");
    QDir().mkpath(documents);
    auto prefs = Start();
    EXPECT_EQ(prefs->GetString(1012), documents);
    EXPECT_EQ(prefs->GetString(1006), documents);
    EXPECT_EQ(prefs->GetString(1004), QStringLiteral("/srv/projects/")); // a folder the user chose stays
}

TEST_F(CUserPrefsTest, StartUpHandsTheFormatsOn)
{
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(temp.path()));
    folder = temp.path() + QStringLiteral("/KWL Solo/");
    int partNumberStyle = 0;
    SetPartNumberStyleReceiver([&](int style) { partNumberStyle = style; });
    const DimensionFormatSettings before = GetDimensionFormatSettings();

    struct Case
    {
        const char* file;
        int style;
        int decimals;
        int stored;
    };
    const Case cases[] = {
        { "[Numbers and Dimensions]\r\nDimensions Style=5\r\nDimensions Decimals=3\r\nPart Number "
          "Style=2\r\n",
            5, 1, 3 },
        { "[Numbers and Dimensions]\r\nDimensions Style=4\r\nDimensions Decimals=4\r\nPart Number "
          "Style=2\r\n",
            4, 2, 4 },
        { "[Numbers and Dimensions]\r\nDimensions Style=3\r\nDimensions Decimals=4\r\nPart Number Style=2\r\n"
          "CAD Style=1\r\nHide Dimension Units=1\r\nDimension Alignment=36\r\n",
            3, 4, 4 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        WriteFile(c.file);
        CreateUserPrefs();
        InitUserPrefs();
        EXPECT_EQ(GetDimensionFormatSettings().style, c.style);
        EXPECT_EQ(GetDimensionFormatSettings().decimals, c.decimals);
        EXPECT_EQ(GetUserPrefs()->GetInt(3018), c.stored); // the store keeps what was read
        EXPECT_EQ(partNumberStyle, 2);
    }
    EXPECT_TRUE(GetDimensionFormatSettings().cadStyle);
    EXPECT_TRUE(GetDimensionFormatSettings().hideUnits);
    EXPECT_EQ(GetDimensionFormatSettings().alignment, 36);

    SetUserPrefs(nullptr);
    SetPartNumberStyleReceiver(nullptr);
    SetDimensionFormatSettings(before);
    RestoreEnv("XDG_DATA_HOME", saved);
}
