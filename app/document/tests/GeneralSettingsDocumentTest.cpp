// The general-settings edit over the project document: a new materials
// folder refreshes every view, moves the library and rebuilds the layouts,
// and the document re-synchronizes the library from the folder.
#include "ProjectDocumentFixture.h"

#include "foundation/CUserPrefs.h"
#include "foundation/CmdHistory.h"
#include "foundation/DomainUpdateInfo.h"
#include "foundation/GeneralSettingsEditCmd.h"
#include "foundation/SharedFolderSettings.h"
#include "foundation/UpdateMasks.h"
#include "model/MaterialsFiles.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

// The masks of every update the document sends.
class MaskRecorder : public platform::DocView
{
public:
    void OnDocUpdate(platform::DocView*, long, void* hintObject) override
    {
        const auto* hint = static_cast<const UpdateHint*>(hintObject);
        changes.push_back(hint ? hint->GetChangeFlags() : 0);
        details.push_back(hint ? hint->GetDetailFlags() : 0);
    }
    std::vector<std::uint64_t> changes;
    std::vector<std::uint64_t> details;
};

class GeneralSettingsDocumentTest : public ProjectDocumentTest
{
protected:
    void SetUp() override
    {
        ProjectDocumentTest::SetUp();
        // Preferences on disk: the library's folder is one of them.
        auto* prefs = new CUserPrefs;
        prefs->Init(PathOf(QStringLiteral("prefs/")), PathOf(QStringLiteral("docs/")));
        SetUserPrefs(prefs);
        m_prefs.prefs = nullptr;
        MaterialsFiles::SetProgramFolder(Folder("program"));
        SharedFolderSettings::Instance().SetFilePath(PathOf(QStringLiteral("SharedMats.ini")));
        SetSharing(false);

        m_oldFolder = Folder("old");
        m_newFolder = Folder("new");
        m_library->SetFolder(m_oldFolder);
        m_library->Store();
        prefs->SetString(1002, m_oldFolder);
        m_doc->AddView(&m_view);
    }

    void TearDown() override
    {
        m_doc->RemoveView(&m_view);
        QFile::remove(PathOf(QStringLiteral("SharedMats.ini")));
        SharedFolderSettings::Instance().Load();
        MaterialsFiles::SetProgramFolder(QString());
        ProjectDocumentTest::TearDown();
    }

    QString Folder(const char* name) const
    {
        const QString folder = PathOf(QString::fromLatin1(name));
        QDir().mkpath(folder);
        return folder;
    }

    QString LibraryFileIn(const QString& folder) const
    {
        return MaterialsFiles::PathIn(folder, MaterialsFiles::kLibraryFile);
    }

    void SetSharing(bool on)
    {
        WriteAll(PathOf(QStringLiteral("SharedMats.ini")),
            on ? QByteArray("[Setup]\r\nSharing Enabled=1\r\n") : QByteArray());
        SharedFolderSettings::Instance().Load();
    }

    // Another library, holding Birch, waits in the new folder.
    void PutLibraryWithBirchInNewFolder()
    {
        AddMaterial(QStringLiteral("Birch"));
        ASSERT_TRUE(m_library->SaveCopyTo(m_newFolder));
        m_library->GetMaterials().pop_back();
        m_library->SetModified(false);
    }

    std::shared_ptr<GeneralSettingsEditCmd> EditFolder(const QString& folder, int gridHeight = -1)
    {
        GeneralSettings edited = TakeGeneralSettingsSnapshot();
        edited.materialsFolder = folder;
        if (gridHeight >= 0)
            edited.gridHeight = gridHeight;
        auto command = std::make_shared<GeneralSettingsEditCmd>(edited);
        m_view.changes.clear();
        m_view.details.clear();
        GetCmdHistory()->Add(command);
        return command;
    }

    void ExpectEverythingRefreshed()
    {
        ASSERT_FALSE(m_view.changes.empty());
        EXPECT_EQ(m_view.changes.back(), UpdateMask::ChangeDefault);
        EXPECT_EQ(m_view.details.back(), ~std::uint64_t { 0 });
    }

    QString m_oldFolder;
    QString m_newFolder;
    MaskRecorder m_view;
};

TEST_F(GeneralSettingsDocumentTest, ANewFolderReloadsTheLibraryThereAndRebuildsTheLayouts)
{
    Append(m_oak, 10, 20, 2, QStringLiteral("Rail"));
    RunJobs(*m_doc);
    ASSERT_TRUE(m_doc->IsFullyOptimized());
    PutLibraryWithBirchInNewFolder();
    GetCmdHistory()->Clear();
    m_shell.events.clear();

    const auto command = EditFolder(m_newFolder);
    EXPECT_TRUE(std::dynamic_pointer_cast<DefaultUpdateInfo>(command->GetUpdateInfo()));
    ExpectEverythingRefreshed();
    EXPECT_EQ(m_library->GetFolder(), m_newFolder);
    EXPECT_EQ(GetUserPrefs()->GetString(1002), m_newFolder);
    EXPECT_TRUE(m_library->FindMaterial(QStringLiteral("Birch")));
    EXPECT_FALSE(m_library->HasSnapshot());
    EXPECT_TRUE(m_shell.events.contains(QStringLiteral("clearTree")));
    // Every target is computed again from the parts.
    EXPECT_FALSE(m_doc->IsFullyOptimized());
    RunJobs(*m_doc);
    EXPECT_TRUE(m_doc->IsFullyOptimized());

    HistoryUndo();
    ExpectEverythingRefreshed();
    EXPECT_EQ(m_library->GetFolder(), m_oldFolder);
    EXPECT_EQ(GetUserPrefs()->GetString(1002), m_oldFolder);
    EXPECT_FALSE(m_library->FindMaterial(QStringLiteral("Birch")));
    EXPECT_TRUE(m_library->FindMaterial(QStringLiteral("Oak")));
    EXPECT_FALSE(m_doc->IsFullyOptimized());

    HistoryRedo();
    ExpectEverythingRefreshed();
    EXPECT_EQ(m_library->GetFolder(), m_newFolder);
    EXPECT_TRUE(m_library->FindMaterial(QStringLiteral("Birch")));
}

TEST_F(GeneralSettingsDocumentTest, AnEmptyFolderReceivesTheLibrary)
{
    ASSERT_FALSE(QFile::exists(LibraryFileIn(m_newFolder)));
    EXPECT_TRUE(std::dynamic_pointer_cast<DefaultUpdateInfo>(EditFolder(m_newFolder)->GetUpdateInfo()));
    EXPECT_EQ(ReadAll(LibraryFileIn(m_newFolder)), ReadAll(LibraryFileIn(m_oldFolder)));
    EXPECT_EQ(m_library->GetFolder(), m_newFolder);
    EXPECT_TRUE(m_library->FindMaterial(QStringLiteral("Oak")));
}

TEST_F(GeneralSettingsDocumentTest, AFolderWhoseLibraryCannotBeReadIsNotTaken)
{
    WriteAll(LibraryFileIn(m_newFolder), QByteArray("not a library"));
    const auto command = EditFolder(m_newFolder, 100);
    EXPECT_EQ(m_library->GetFolder(), m_oldFolder);
    EXPECT_EQ(GetUserPrefs()->GetString(1002), m_oldFolder);
    EXPECT_EQ(command->GetNewSettings().materialsFolder, m_oldFolder);
    EXPECT_TRUE(m_library->FindMaterial(QStringLiteral("Oak"))) << "the library held stays";
    EXPECT_TRUE(m_library->FindMaterial(QStringLiteral("Ash")));
    EXPECT_EQ(GetUserPrefs()->GetInt(3002), 100) << "the other settings still apply";
    EXPECT_FALSE(m_shown.isEmpty()) << "the user hears why";
}

TEST_F(GeneralSettingsDocumentTest, WithSharingALibraryInTheNewFolderIsLoadedNotOverwritten)
{
    SetSharing(true);
    PutLibraryWithBirchInNewFolder();
    const QByteArray theirs = ReadAll(LibraryFileIn(m_newFolder));
    const auto command = EditFolder(m_newFolder);
    EXPECT_FALSE(std::dynamic_pointer_cast<DefaultUpdateInfo>(command->GetUpdateInfo()));
    ExpectEverythingRefreshed();
    EXPECT_EQ(ReadAll(LibraryFileIn(m_newFolder)), theirs);
    EXPECT_TRUE(m_library->FindMaterial(QStringLiteral("Birch")));
    EXPECT_EQ(m_library->GetFolder(), m_newFolder);
}

} // namespace
