// Moving the materials library through the general-settings edit, with the
// real library behind the foundation's hook.
#include "foundation/CUserPrefs.h"
#include "foundation/GeneralSettingsEditCmd.h"
#include "foundation/SharedFolderSettings.h"
#include "model/LibraryFolderHook.h"

#include "ModelTestSupport.h"

#include <QDir>
#include <QFile>

namespace {

// Re-synchronizes as the project document does: writes the library where
// its folder holds none, else reloads it from there.
class SyncingDoc : public CountingDoc
{
public:
    bool SyncMaterialsLibrary() override
    {
        MaterialsBase* library = GetMaterialsLibrary();
        if (!library->Exists()) {
            library->Store();
            return true;
        }
        if (!library->Reload())
            return false;
        library->DropSnapshot();
        return true;
    }
};

class LibraryFolderMoveTest : public LibraryTest
{
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        InstallLibraryFolderHook();
        auto* prefs = new CUserPrefs;
        prefs->Init(m_dir.filePath(QStringLiteral("prefs/")), m_dir.filePath(QStringLiteral("docs/")));
        SetUserPrefs(prefs);
        prefs->SetString(1002, Folder());
        CreateCmdHistory(&m_syncingDoc);
        m_shared = m_dir.filePath(QStringLiteral("SharedMats.ini"));
        QFile ini(m_shared);
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Setup]\r\nSharing Enabled=1\r\n");
        ini.close();
        SharedFolderSettings::Instance().SetFilePath(m_shared);
        SharedFolderSettings::Instance().Load();
    }

    void TearDown() override
    {
        QFile::remove(m_shared);
        SharedFolderSettings::Instance().Load();
        SetUserPrefs(nullptr);
        LibraryTest::TearDown();
    }

    QString NewFolder() const
    {
        const QString folder = m_dir.filePath(QStringLiteral("shared"));
        QDir().mkpath(folder);
        return folder;
    }

    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void MoveLibraryTo(const QString& folder)
    {
        GeneralSettings edited = TakeGeneralSettingsSnapshot();
        edited.materialsFolder = folder;
        GetCmdHistory()->Add(std::make_shared<GeneralSettingsEditCmd>(edited));
    }

    SyncingDoc m_syncingDoc;
    QString m_shared;
};

} // namespace

TEST_F(LibraryFolderMoveTest, SharedLibraryAlreadyInTheNewFolderIsLoadedNotOverwritten)
{
    // Another user's library waits in the shared folder.
    AddSheetGood(QStringLiteral("Birch"));
    ASSERT_TRUE(m_library->SaveCopyTo(NewFolder()));
    const QString sharedFile = MaterialsFiles::PathIn(NewFolder(), MaterialsFiles::kLibraryFile);
    const QByteArray theirs = Bytes(sharedFile);
    m_library->GetMaterials().clear();
    AddSheetGood(QStringLiteral("Oak"));
    m_library->SetModified(true);

    MoveLibraryTo(NewFolder());
    EXPECT_EQ(Bytes(sharedFile), theirs);
    EXPECT_TRUE(m_library->FindMaterial(QStringLiteral("Birch")));
    EXPECT_FALSE(m_library->FindMaterial(QStringLiteral("Oak")));
    EXPECT_EQ(m_library->GetFolder(), NewFolder());
    EXPECT_EQ(GetUserPrefs()->GetString(1002), NewFolder());
    EXPECT_TRUE(Bytes(PathOf("Matls.KWDE")).contains(QByteArray("O\0a\0k", 5))) << "our own changes were saved first";
}

TEST_F(LibraryFolderMoveTest, SharedLibraryIsWrittenIntoAnEmptyFolder)
{
    AddSheetGood(QStringLiteral("Oak"));
    MoveLibraryTo(NewFolder());
    EXPECT_TRUE(m_library->ExistsIn(NewFolder()));
    EXPECT_FALSE(m_library->IsModified());
    EXPECT_TRUE(m_library->FindMaterial(QStringLiteral("Oak")));
    EXPECT_EQ(GetUserPrefs()->GetString(1002), NewFolder());
}
