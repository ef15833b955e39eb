#include "foundation/CUserPrefs.h"
#include "foundation/CmdHistory.h"
#include "foundation/DimensionFormatSettings.h"
#include "foundation/GeneralSettingsEditCmd.h"
#include "foundation/IDoc.h"
#include "foundation/MaterialsLibraryHook.h"
#include "foundation/SharedFolderSettings.h"
#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Records what the edit asked of the document; the re-synchronization
// answers as told.
class SettingsDoc : public IDoc
{
public:
    bool IsProjectLocked() const override { return false; }
    void FlushPendingUpdate() override { }
    void AddPendingUpdate(const UpdateHint&) override { }
    void FreezeOrUnlock(std::shared_ptr<DomainUpdateInfo>) override { }
    void UpdateMaterialInBOM(std::shared_ptr<DomainUpdateInfo>) override { }
    void RefreshBOM() override { ++bomRefreshes; }
    bool SyncMaterialsLibrary() override
    {
        calls.push_back("sync");
        return syncSucceeds;
    }
    bool syncSucceeds = true;
    int bomRefreshes = 0;
    std::vector<std::string> calls;
};

// A library that only remembers its folder and what was asked of it.
class FakeLibrary : public IMaterialsLibraryFolder
{
public:
    explicit FakeLibrary(std::vector<std::string>& log)
        : calls(log)
    { }
    void StoreIfDirty() override { calls.push_back("storeIfDirty"); }
    void SetFolder(const QString& value) override
    {
        folder = value;
        calls.push_back("folder " + value.toStdString());
    }
    bool ExistsIn(const QString& value) const override { return foldersWithLibrary.contains(value); }
    void StoreNow() override { calls.push_back("store " + folder.toStdString()); }

    std::vector<std::string>& calls;
    QString folder;
    QStringList foldersWithLibrary;
};

class GeneralSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        InitUIStrings(temp.path(), { FoundationStringResources() });
        prefs = new CUserPrefs;
        prefs->Init(Path("KWL Solo/"), Path("Documents/"));
        SetUserPrefs(prefs);
        CreateCmdHistory(&doc);
        library = std::make_shared<FakeLibrary>(doc.calls);
        SetMaterialsLibraryFolder(library);
        SharedFolderSettings::Instance().SetFilePath(Path("SharedMats.ini"));
        SetSharing(false);
    }

    void TearDown() override
    {
        CreateCmdHistory(nullptr);
        SetMaterialsLibraryFolder(nullptr);
        SetUserPrefs(nullptr);
        InstallResources(nullptr);
        SharedFolderSettings::Instance().Load();
    }

    QString Path(const char* name) const { return QDir(temp.path()).filePath(QString::fromUtf8(name)); }

    void SetSharing(bool on)
    {
        QFile file(Path("SharedMats.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(on ? "[Setup]\r\nSharing Enabled=1\r\n" : "");
        file.close();
        SharedFolderSettings::Instance().Load();
    }

    QByteArray PrefsBytes() const
    {
        QFile file(prefs->GetPrefsFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Runs an edit of the current record through the history.
    std::shared_ptr<GeneralSettingsEditCmd> Edit(const std::function<void(GeneralSettings&)>& change)
    {
        GeneralSettings edited = TakeGeneralSettingsSnapshot();
        change(edited);
        auto command = std::make_shared<GeneralSettingsEditCmd>(edited);
        GetCmdHistory()->Add(command);
        return command;
    }

    QTemporaryDir temp;
    CUserPrefs* prefs = nullptr;
    SettingsDoc doc;
    std::shared_ptr<FakeLibrary> library;
};

} // namespace

TEST_F(GeneralSettingsTest, AppliedRecordIsStoredAndReadBack)
{
    GeneralSettings edited = TakeGeneralSettingsSnapshot();
    EXPECT_EQ(edited.gridFace, QStringLiteral("Verdana"));
    EXPECT_TRUE(edited.layoutWithTakeOff);
    edited.dimensionsStyle = 5;
    edited.dimensionsDecimals = 3;
    edited.cadStyle = true;
    edited.minSliceDisplayDim = 3.5;
    edited.exportFolder = QStringLiteral("/tmp/export \u00e9");
    edited.layoutWithTakeOff = false;
    edited.layoutsPageConfig = 3;
    edited.printedWastePattern = 5;
    edited.maxDiagramsList = 9;
    ApplyGeneralSettings(edited);

    EXPECT_EQ(TakeGeneralSettingsSnapshot(), edited);
    EXPECT_EQ(prefs->GetPrintSettings().takeOffOnLayoutPage, 0);
    EXPECT_EQ(prefs->GetPrintSettings().diagramsPerPage, 3);
    EXPECT_EQ(GetDimensionFormatSettings().style, 5);
    EXPECT_EQ(GetDimensionFormatSettings().decimals, 1) << "millimetres show one decimal";
    EXPECT_TRUE(GetDimensionFormatSettings().cadStyle);

    // The next start reads the same record from the file.
    CUserPrefs reread;
    reread.Init(Path("KWL Solo/"), Path("Documents/"));
    EXPECT_EQ(reread.GetString(1006), edited.exportFolder);
    EXPECT_EQ(reread.GetInt(3014), 5);
    EXPECT_FALSE(reread.GetPrintSettings().takeOffOnLayoutPage);
    SetDimensionFormatSettings(DimensionFormatSettings());
}

TEST(GeneralSettingsMasks, EachChangeRefreshesItsViews)
{
    struct Case
    {
        const char* what;
        std::function<void(GeneralSettings&)> change;
        std::uint64_t changeMask;
        std::uint64_t detailMask;
    };
    const Case cases[] = {
        { "nothing", [](GeneralSettings&) { }, 0, 0 },
        { "pro-rate", [](GeneralSettings& s) { s.proRateCosts = true; }, 0x8, 0 },
        { "materials folder", [](GeneralSettings& s) { s.materialsFolder = QStringLiteral("/x"); s.gridHeight = 9; },
            0x801749, ~std::uint64_t { 0 } },
        { "printed colour", [](GeneralSettings& s) { s.printedPartColor = 0x123456; }, 0, 0 },
        { "grid height", [](GeneralSettings& s) { s.gridHeight = 120; }, 0x880049, 0x1000 },
        { "grid face case", [](GeneralSettings& s) { s.gridFace = QStringLiteral("verdana"); }, 0x880049, 0x1000 },
        { "diagram face", [](GeneralSettings& s) { s.diagramFace = QStringLiteral("Arial"); }, 0x80000, 0x10 },
        { "bold part colour", [](GeneralSettings& s) { s.boldPartColor = 1; }, 0x80000, 0x10 },
        { "screen waste", [](GeneralSettings& s) { s.screenWastePattern = 2; }, 0, 0x2000 },
        { "show grain", [](GeneralSettings& s) { s.showGrain = false; }, 0, 0x2000 },
        { "dimension style", [](GeneralSettings& s) { s.dimensionsStyle = 3; }, 0x800449, 0x48 },
        { "area units", [](GeneralSettings& s) { s.areaUnits = 0; }, 0x800449, 0x48 },
        { "width before length", [](GeneralSettings& s) { s.displayWxL = false; }, 0, 0x48 },
        { "origin", [](GeneralSettings& s) { s.originBottomLeft = true; }, 0x800449, 0x4A },
        { "slice size", [](GeneralSettings& s) { s.minSliceDisplayDim = 2.0000001; }, 0, 0x8 },
        { "offsets", [](GeneralSettings& s) { s.showOffsets = true; }, 0, 0x8 },
    };
    GeneralSettings before;
    before.gridFace = QStringLiteral("Verdana");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GeneralSettings after = before;
        c.change(after);
        EXPECT_EQ(GeneralSettingsChangeMask(before, after), c.changeMask);
        EXPECT_EQ(GeneralSettingsDetailMask(before, after), c.detailMask);
    }
}

TEST_F(GeneralSettingsTest, ProRateAloneRefreshesTheBillOfMaterials)
{
    auto command = Edit([](GeneralSettings& s) { s.proRateCosts = true; });
    EXPECT_EQ(command->GetUpdateHint().GetChangeFlags(), 0x8u);
    EXPECT_EQ(command->GetUpdateHint().GetDetailFlags(), 0u);
    ASSERT_TRUE(command->GetUpdateHint().PeekPartRows());
    EXPECT_EQ(command->GetUpdateHint().PeekPartRows()->GetRowChangeCode(), 1);
    auto info = std::dynamic_pointer_cast<ManualUpdateInfo>(command->GetUpdateInfo());
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->NeedsBOMRefresh());
    EXPECT_TRUE(prefs->GetFlag(2026));
    EXPECT_EQ(doc.bomRefreshes, 1);

    HistoryUndo();
    EXPECT_FALSE(prefs->GetFlag(2026));
    EXPECT_EQ(doc.bomRefreshes, 2);
    HistoryRedo();
    EXPECT_TRUE(prefs->GetFlag(2026));
    EXPECT_TRUE(doc.calls.empty()) << "the library stays where it is";
}

TEST_F(GeneralSettingsTest, OkWithoutChangeIsOneStepThatWritesNothing)
{
    const QByteArray before = PrefsBytes();
    const QDateTime modified = QFileInfo(prefs->GetPrefsFilePath()).lastModified();
    auto command = Edit([](GeneralSettings&) { });
    EXPECT_EQ(command->GetName(), QStringLiteral("Edit General Settings"));
    EXPECT_EQ(GetUndoMenuText(), QStringLiteral("&Undo Edit General Settings\tCtrl+Z"));
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1u);
    EXPECT_EQ(command->GetUpdateHint().GetChangeFlags(), 0u);
    EXPECT_EQ(PrefsBytes(), before);
    EXPECT_EQ(QFileInfo(prefs->GetPrefsFilePath()).lastModified(), modified);
}

TEST_F(GeneralSettingsTest, NewFolderWithoutSharingReloadsTheLibraryThere)
{
    const QString oldFolder = prefs->GetString(1002);
    const QString newFolder = Path("elsewhere");
    auto command = Edit([&](GeneralSettings& s) { s.materialsFolder = newFolder; });
    EXPECT_EQ(command->GetUpdateHint().GetChangeFlags(), 0x801749u);
    EXPECT_EQ(command->GetUpdateHint().GetDetailFlags(), ~std::uint64_t { 0 });
    EXPECT_TRUE(std::dynamic_pointer_cast<DefaultUpdateInfo>(command->GetUpdateInfo()));
    EXPECT_EQ(doc.calls,
        (std::vector<std::string> { "storeIfDirty", "folder " + newFolder.toStdString(), "sync" }));
    EXPECT_EQ(prefs->GetString(1002), newFolder);

    doc.calls.clear();
    HistoryUndo();
    EXPECT_EQ(doc.calls,
        (std::vector<std::string> { "storeIfDirty", "folder " + oldFolder.toStdString(), "sync" }));
    EXPECT_EQ(prefs->GetString(1002), oldFolder);
}

TEST_F(GeneralSettingsTest, FailedReloadKeepsTheOldFolder)
{
    const QString oldFolder = prefs->GetString(1002);
    doc.syncSucceeds = false;
    auto command = Edit([&](GeneralSettings& s) {
        s.materialsFolder = Path("broken");
        s.gridHeight = 100;
    });
    EXPECT_EQ(library->folder, oldFolder);
    EXPECT_EQ(prefs->GetString(1002), oldFolder);
    EXPECT_EQ(command->GetNewSettings().materialsFolder, oldFolder);
    EXPECT_EQ(prefs->GetInt(3002), 100) << "the other settings still apply";
}

TEST_F(GeneralSettingsTest, SharedLibraryIsWrittenOnlyIntoAnEmptyFolder)
{
    SetSharing(true);
    const QString empty = Path("empty");
    auto command = Edit([&](GeneralSettings& s) { s.materialsFolder = empty; });
    EXPECT_TRUE(std::dynamic_pointer_cast<ManualUpdateInfo>(command->GetUpdateInfo()))
        << "with sharing the payload stays the manual one";
    EXPECT_EQ(doc.calls,
        (std::vector<std::string> { "storeIfDirty", "folder " + empty.toStdString(), "store " + empty.toStdString() }));

    // A folder that already holds a library is read from, never written over.
    const QString occupied = Path("occupied");
    library->foldersWithLibrary << occupied;
    doc.calls.clear();
    Edit([&](GeneralSettings& s) { s.materialsFolder = occupied; });
    EXPECT_EQ(doc.calls, (std::vector<std::string> { "storeIfDirty", "folder " + occupied.toStdString(), "sync" }));
    EXPECT_EQ(prefs->GetString(1002), occupied);
}
