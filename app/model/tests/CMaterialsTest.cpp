#include "ModelTestSupport.h"

#include "model/ModelStrings.h"

#include <platform/ArchiveError.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <functional>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// The structure of a library without identities: materials with their
// rows (and each row's vendor by position in the vendor list), then vendors.
QStringList Describe(CMaterials& library)
{
    QStringList lines;
    const VendorList& vendors = library.GetVendors();
    auto vendorIndex = [&](const std::shared_ptr<CVendor>& vendor) {
        const auto it = std::find(vendors.begin(), vendors.end(), vendor);
        return it == vendors.end() ? -1 : static_cast<int>(it - vendors.begin());
    };
    for (const auto& material : library.GetMaterials()) {
        lines << QStringLiteral("material %1 kerf %2 grain %3")
                     .arg(material->GetStoredName())
                     .arg(material->GetSawSetup().GetKerf().GetUnits())
                     .arg(material->GetGrainInfo().GetHasGrain());
        for (const auto& row : material->GetSizeCosts())
            lines << QStringLiteral("  row %1 x %2 x %3 vendor %4")
                         .arg(row->GetThickness().GetUnits())
                         .arg(row->GetRoughWidth().GetUnits())
                         .arg(row->GetRoughLength().GetUnits())
                         .arg(vendorIndex(row->GetVendor()));
    }
    for (const auto& vendor : vendors)
        lines << QStringLiteral("vendor '%1'").arg(vendor->GetName());
    return lines;
}

class CMaterialsTest : public LibraryTest
{
protected:
    // Two sheet goods with several rows; two vendors shared across materials.
    void FillSample()
    {
        auto acme = std::make_shared<CVendor>();
        acme->SetName(QStringLiteral("Acme Panels"));
        auto birch = std::make_shared<CVendor>();
        birch->SetName(QStringLiteral("Birch & Co"));
        m_library->AddVendor(acme);
        m_library->AddVendor(birch);

        auto plywood = AddSheetGood(QStringLiteral("Plywood 3/4"));
        plywood->GetSizeCosts().push_back(MakeRow(0.75, 48, 96, acme));
        plywood->GetSizeCosts().push_back(MakeRow(0.75, 60, 120, birch));
        plywood->GetSizeCosts().push_back(MakeRow(0.5, 48, 96, acme));
        auto mdf = AddSheetGood(QStringLiteral("MDF"));
        mdf->GetGrainInfoForEdit().SetHasGrain(false);
        mdf->GetSawSetupForEdit().SetKerf(CDimension::FromInches(0.1875));
        mdf->GetSizeCosts().push_back(MakeRow(0.625, 49, 97, birch));
        mdf->GetSizeCosts().push_back(MakeRow(0.625, 61, 97, acme));
        m_library->RebuildMaterialNameList();
    }

    void StoreSample()
    {
        FillSample();
        m_library->SetModified(true);
        m_library->Store();
        ASSERT_FALSE(m_library->IsModified());
        ASSERT_TRUE(QFileInfo::exists(PathOf(MaterialsFiles::kLibraryFile)));
    }

    // A second library over the same folder, as the next start would see it.
    std::unique_ptr<CMaterials> FreshLibrary()
    {
        auto library = std::make_unique<CMaterials>(false);
        library->SetFolder(Folder());
        return library;
    }
};

TEST_F(CMaterialsTest, StoreLoadStoreKeepsStructureAndSharesVendors)
{
    StoreSample();
    const QStringList before = Describe(*m_library);

    auto loaded = FreshLibrary();
    ASSERT_TRUE(loaded->Load(false, false, true));
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(u'\n').toStdString();
    EXPECT_EQ(Describe(*loaded), before);

    // Each row's vendor is the very object in the vendor list, so one
    // vendor serves rows of both materials.
    const auto& vendors = loaded->GetVendors();
    const auto& plywood = loaded->GetMaterials().at(0)->GetSizeCosts();
    const auto& mdf = loaded->GetMaterials().at(1)->GetSizeCosts();
    EXPECT_EQ(plywood[0]->GetVendor(), plywood[2]->GetVendor());
    EXPECT_EQ(plywood[0]->GetVendor(), mdf[1]->GetVendor());
    EXPECT_EQ(plywood[1]->GetVendor(), mdf[0]->GetVendor());
    EXPECT_NE(std::find(vendors.begin(), vendors.end(), plywood[0]->GetVendor()), vendors.end());

    // Storing what was loaded writes the same structure again.
    loaded->SetFolder(m_dir.filePath(QStringLiteral("second")));
    ASSERT_TRUE(QDir().mkpath(loaded->GetFolder()));
    loaded->Store();
    auto again = std::make_unique<CMaterials>(false);
    again->SetFolder(loaded->GetFolder());
    ASSERT_TRUE(again->Load(false, false, true));
    EXPECT_EQ(Describe(*again), before);
}

TEST_F(CMaterialsTest, EmptyNamedVendorIsAddedOnceAtTheFront)
{
    // The sample library has the empty-named vendor of construction.
    StoreSample();
    auto loaded = FreshLibrary();
    ASSERT_TRUE(loaded->Load(false, false, true));
    EXPECT_EQ(loaded->GetVendors().size(), m_library->GetVendors().size());

    // A library without one gains it at the front.
    m_library->RemoveVendor(m_library->GetVendors().front());
    m_library->Store();
    auto withoutEmpty = FreshLibrary();
    ASSERT_TRUE(withoutEmpty->Load(false, false, true));
    ASSERT_FALSE(withoutEmpty->GetVendors().empty());
    EXPECT_TRUE(withoutEmpty->GetVendors().front()->GetName().isEmpty());
    EXPECT_EQ(withoutEmpty->GetVendors().size(), m_library->GetVendors().size() + 1);
}

TEST_F(CMaterialsTest, TruncatedLibraryNeverCrashesAndFallsBackToTheBackup)
{
    StoreSample();
    const QByteArray good = ReadAll(PathOf(MaterialsFiles::kLibraryFile));
    ASSERT_GT(good.size(), 200);
    const QStringList expected = Describe(*m_library);

    for (qsizetype size = 0; size < good.size(); size += 97) {
        SCOPED_TRACE(size);
        QDir folder(Folder());
        for (const QString& name : folder.entryList({ QStringLiteral("Matls*") }, QDir::Files))
            folder.remove(name);
        WriteAll(PathOf(MaterialsFiles::kBackupFile), good);
        WriteAll(PathOf(MaterialsFiles::kLibraryFile), good.left(size));
        m_messages.clear();

        auto library = FreshLibrary();
        ASSERT_TRUE(library->Load(false, false, true));
        EXPECT_EQ(Describe(*library), expected);
        EXPECT_EQ(m_messages, QStringList { UiText(kStrLibraryBackupUsed) });
        // The damaged file is kept aside; the backup is untouched.
        EXPECT_FALSE(QFileInfo::exists(PathOf(MaterialsFiles::kLibraryFile)));
        EXPECT_EQ(
            ReadAll(PathOf(MaterialsFiles::kLibraryFile) + QStringLiteral(".unreadable")), good.left(size));
        EXPECT_EQ(ReadAll(PathOf(MaterialsFiles::kBackupFile)), good);
    }
}

TEST_F(CMaterialsTest, UnreadableFilesFallBackToShippedDefaults)
{
    StoreSample();
    const QByteArray good = ReadAll(PathOf(MaterialsFiles::kLibraryFile));
    const QString program = m_dir.filePath(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkpath(program));
    WriteAll(MaterialsFiles::PathIn(program, MaterialsFiles::kDefaultsFile), good);

    struct Case
    {
        const char* name;
        QByteArray library; // empty: no file
        QByteArray backup;
        int message; // 0: none
        bool loaded;
    };
    const QByteArray damaged = good.left(good.size() / 2);
    // The messages compared below are real texts, not two empty ones.
    ASSERT_FALSE(UiText(kStrLibraryDefaultsUsed).isEmpty());
    const Case cases[] = {
        { "library only", good, {}, 0, true },
        { "backup only", {}, good, kStrLibraryBackupUsed, true },
        { "neither", {}, {}, kStrLibraryDefaultsUsed, true },
        { "both damaged", damaged, damaged, kStrLibraryDefaultsUsed, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir folder(Folder());
        for (const QString& name : folder.entryList({ QStringLiteral("Matls*") }, QDir::Files))
            folder.remove(name);
        if (!c.library.isEmpty())
            WriteAll(PathOf(MaterialsFiles::kLibraryFile), c.library);
        if (!c.backup.isEmpty())
            WriteAll(PathOf(MaterialsFiles::kBackupFile), c.backup);
        m_messages.clear();
        auto library = FreshLibrary();
        EXPECT_EQ(library->Load(false, false, true), c.loaded);
        EXPECT_EQ(library->GetMaterials().size(), 2u);
        EXPECT_EQ(m_messages, c.message ? QStringList { UiText(c.message) } : QStringList {});
    }

    // Nothing at all: the library stays empty but for the empty vendor.
    QFile::remove(MaterialsFiles::PathIn(program, MaterialsFiles::kDefaultsFile));
    QDir folder(Folder());
    for (const QString& name : folder.entryList({ QStringLiteral("Matls*") }, QDir::Files))
        folder.remove(name);
    m_messages.clear();
    auto empty = FreshLibrary();
    EXPECT_FALSE(empty->Load(false, false, true));
    EXPECT_TRUE(empty->GetMaterials().empty());
    EXPECT_EQ(empty->GetVendors().size(), 1u);
    EXPECT_EQ(m_messages, QStringList { UiText(kStrLibraryNoFiles) });
    // A second load without force reads nothing.
    EXPECT_FALSE(empty->Load(false, false, true));
}

TEST_F(CMaterialsTest, StoreRotatesOneBackupAndKeepsSetAsideFiles)
{
    StoreSample();
    const QByteArray first = ReadAll(PathOf(MaterialsFiles::kLibraryFile));
    AddSheetGood(QStringLiteral("Hardboard"));
    m_library->Store();
    const QByteArray second = ReadAll(PathOf(MaterialsFiles::kLibraryFile));
    EXPECT_EQ(ReadAll(PathOf(MaterialsFiles::kBackupFile)), first);
    AddSheetGood(QStringLiteral("Melamine"));
    m_library->Store();
    // The previous file is the backup; the older backup is gone.
    EXPECT_EQ(ReadAll(PathOf(MaterialsFiles::kBackupFile)), second);
    EXPECT_NE(ReadAll(PathOf(MaterialsFiles::kLibraryFile)), second);
    QDir folder(Folder());
    EXPECT_EQ(folder.entryList({ QStringLiteral("Matls*") }, QDir::Files).size(), 2);

    // A library that could not be read stays aside through later stores.
    WriteAll(PathOf(MaterialsFiles::kLibraryFile), QByteArray("newer program's library"));
    auto library = FreshLibrary();
    ASSERT_TRUE(library->Load(false, false, true));
    library->Store();
    library->Store();
    EXPECT_EQ(ReadAll(PathOf(MaterialsFiles::kLibraryFile) + QStringLiteral(".unreadable")),
        QByteArray("newer program's library"));
}

TEST_F(CMaterialsTest, FailedStoreKeepsFilesAndModifiedFlag)
{
    StoreSample();
    const QByteArray stored = ReadAll(PathOf(MaterialsFiles::kLibraryFile));
    m_library->SetFolder(m_dir.filePath(QStringLiteral("missing")));
    m_library->SetModified(true);
    m_library->StoreIfDirty();
    EXPECT_TRUE(m_library->IsModified());
    EXPECT_EQ(m_messages.size(), 1);
    EXPECT_EQ(ReadAll(PathOf(MaterialsFiles::kLibraryFile)), stored);
}

// The single backup slot is for the version this library read or wrote: a
// library file it never loaded (it loaded the backup, the shipped defaults or
// nothing) or one changed since (another program) is set aside, not rotated
// into the slot that the next store empties.
TEST_F(CMaterialsTest, StoreSetsAsideALibraryFileItDidNotLoad)
{
    const QByteArray foreign("another program's library");
    struct Case
    {
        const char* label;
        std::function<void(CMaterials&)> loadThenChange;
    };
    const Case cases[] = {
        { "loaded from the backup",
            [&](CMaterials& library) {
                QFile::rename(PathOf(MaterialsFiles::kLibraryFile), PathOf(MaterialsFiles::kBackupFile));
                ASSERT_TRUE(library.Load(false, false, true));
                WriteAll(PathOf(MaterialsFiles::kLibraryFile), foreign);
            } },
        { "changed since it was read",
            [&](CMaterials& library) {
                ASSERT_TRUE(library.Load(false, false, true));
                WriteAll(PathOf(MaterialsFiles::kLibraryFile), foreign);
            } },
        { "folder missing at start-up",
            [&](CMaterials& library) {
                library.SetFolder(m_dir.filePath(QStringLiteral("later")));
                EXPECT_FALSE(library.Load(false, false, true));
                QDir(Folder()).mkdir(QStringLiteral("later"));
                library.SetFolder(Folder());
                WriteAll(PathOf(MaterialsFiles::kLibraryFile), foreign);
            } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        for (const QString& name : QDir(Folder()).entryList(QDir::Files))
            QFile::remove(QDir(Folder()).filePath(name));
        StoreSample();
        auto library = FreshLibrary();
        c.loadThenChange(*library);
        library->SetModified(true);
        library->Store();
        library->SetModified(true);
        library->Store();
        EXPECT_EQ(ReadAll(PathOf(MaterialsFiles::kLibraryFile) + QStringLiteral(".unreadable")), foreign);
        EXPECT_NE(ReadAll(PathOf(MaterialsFiles::kLibraryFile)), foreign);
    }
}

// The new file goes to a temporary file first: a store that fails part-way
// (here at a file-size limit) leaves the library file as it was, keeps the
// library modified and names the cause as the user knows it: no more room.
TEST_F(CMaterialsTest, StoreFailingPartWayLeavesTheFileAlone)
{
    StoreSample();
    const QByteArray stored = ReadAll(PathOf(MaterialsFiles::kLibraryFile));
    AddSheetGood(QStringLiteral("Hardboard"));
    m_library->SetModified(true);
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit {};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &limit);
        m_messages.clear();
        m_library->StoreIfDirty();
        const bool sound = m_library->IsModified() && ReadAll(PathOf(MaterialsFiles::kLibraryFile)) == stored
            && m_messages.size() == 1 && m_messages.front().contains(QString::fromLocal8Bit(strerror(ENOSPC)))
            && !m_messages.front().contains(QStringLiteral("Unknown error"));
        _exit(sound ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(QDir(Folder()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(CMaterialsTest, StoreKeepsThePermissionsOfTheFileItReplaces)
{
    StoreSample();
    const QString path = PathOf(MaterialsFiles::kLibraryFile);
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(path, ownerOnly));
    m_library->SetModified(true);
    m_library->Store();
    const auto ownerGroupOther = QFileDevice::Permissions::fromInt(0x7077);
    EXPECT_EQ(QFile::permissions(path) & ownerGroupOther, ownerOnly);
}

TEST_F(CMaterialsTest, FailedReloadKeepsMaterialsAndVendors)
{
    StoreSample();
    const QStringList before = Describe(*m_library);
    const QString names = m_library->GetMaterialNameList();
    auto firstMaterial = m_library->GetMaterials().front();
    WriteAll(PathOf(MaterialsFiles::kLibraryFile), QByteArray("damaged"));
    QFile::remove(PathOf(MaterialsFiles::kBackupFile));

    EXPECT_FALSE(m_library->Reload());
    EXPECT_EQ(Describe(*m_library), before);
    EXPECT_EQ(m_library->GetMaterialNameList(), names);
    EXPECT_EQ(m_library->GetMaterials().front(), firstMaterial);
    EXPECT_FALSE(m_library->HasSnapshot());

    EXPECT_FALSE(m_library->ReloadOwnFile());
    EXPECT_EQ(Describe(*m_library), before);
}

TEST_F(CMaterialsTest, ReloadKeepsSnapshotUntilDropped)
{
    StoreSample();
    ASSERT_TRUE(m_library->Reload());
    EXPECT_TRUE(m_library->HasSnapshot());
    m_library->DropSnapshot();
    EXPECT_FALSE(m_library->HasSnapshot());
}

TEST_F(CMaterialsTest, LookupsIgnoreCaseAndOrderLogically)
{
    auto ten = AddSheetGood(QStringLiteral("Panel 10"));
    auto nine = AddSheetGood(QStringLiteral("panel 9"));
    auto hidden = AddSheetGood(QStringLiteral("Hidden"));
    hidden->SetPlaceholder(true);

    EXPECT_EQ(m_library->FindMaterial(QStringLiteral("PANEL 10")), ten);
    EXPECT_EQ(m_library->FindMaterial(QStringLiteral("Hidden")), nullptr);
    EXPECT_EQ(m_library->FindMaterial(QString()), hidden);
    EXPECT_EQ(m_library->FindMaterialOfKind(QStringLiteral("nothing"), 3), GetDefaultMaterial());
    EXPECT_EQ(m_library->FindMaterialOfKind(QStringLiteral("Panel 10"), 1), GetDefaultMaterial());
    // The placeholder's empty name sorts first, so it is dropped here.
    hidden->SetPlaceholder(false);
    std::erase(m_library->GetMaterials(), hidden);
    EXPECT_EQ(m_library->GetFirstMaterial(), nine);
}

TEST_F(CMaterialsTest, VendorLookupUsesDisplayedName)
{
    auto vendor = m_library->FindOrAddVendor(QStringLiteral("Timber Yard"));
    EXPECT_EQ(m_library->FindVendor(QStringLiteral("timber yard")), vendor);
    EXPECT_EQ(m_library->FindOrAddVendor(QStringLiteral("TIMBER YARD")), vendor);
    // Adding through the library is no undo step.
    EXPECT_FALSE(GetCmdHistory()->CanUndo());
    m_library->RemoveVendor(vendor);
    EXPECT_TRUE(vendor->IsDeleted());
    EXPECT_EQ(m_library->FindVendor(QStringLiteral("Timber Yard")), nullptr);

    // No empty entry joins the list: stored, it would make the file unreadable.
    const std::size_t count = m_library->GetVendors().size();
    m_library->AddVendor(nullptr);
    m_library->RemoveVendor(nullptr);
    EXPECT_EQ(m_library->GetVendors().size(), count);
}

TEST_F(CMaterialsTest, ShippedDefaultsDescribeTheCommonSheetGoods)
{
    // Built beside the tests from the description in the repository.
    MaterialsFiles::SetProgramFolder(QString());
    const QString path
        = MaterialsFiles::PathIn(MaterialsFiles::ProgramFolder(), MaterialsFiles::kDefaultsFile);
    ASSERT_TRUE(QFileInfo::exists(path)) << path.toStdString();
    auto library = FreshLibrary();
    ASSERT_TRUE(library->Load(false, false, true));
    EXPECT_EQ(m_messages, QStringList { UiText(kStrLibraryDefaultsUsed) });
    ASSERT_EQ(library->GetMaterials().size(), 3u);
    for (const auto& material : library->GetMaterials()) {
        SCOPED_TRACE(material->GetStoredName().toStdString());
        EXPECT_EQ(material->GetSawSetup().GetKerf().GetUnits(), CDimension::UnitsPerInch / 8);
        ASSERT_EQ(material->GetSizeCosts().size(), 1u);
    }
    const auto board = library->FindMaterial(QStringLiteral("Board 18 mm"));
    ASSERT_TRUE(board);
    EXPECT_NEAR(board->GetSizeCosts()[0]->GetRoughWidth().GetInches(), 1220 / 25.4, 1e-3);
}

} // namespace

namespace {

TEST_F(CMaterialsTest, CopyToAnotherFolderAndRestoreFromIt)
{
    StoreSample();
    const QString backupFolder = m_dir.filePath(QStringLiteral("backup"));
    ASSERT_TRUE(QDir().mkpath(backupFolder));
    EXPECT_FALSE(m_library->ExistsIn(backupFolder));
    m_library->SetModified(true);
    EXPECT_TRUE(m_library->SaveCopyTo(backupFolder));
    EXPECT_TRUE(m_library->ExistsIn(backupFolder));
    // The copy stored the library's own file first.
    EXPECT_FALSE(m_library->IsModified());

    // The library's own file now differs from the copy.
    AddSheetGood(QStringLiteral("Hardboard"));
    m_library->Store();

    // With or without fallback, the restore reads the chosen folder (without
    // fallback it read the library's own file, a restore of nothing).
    for (const bool withFallback : { true, false }) {
        SCOPED_TRACE(withFallback);
        std::erase_if(m_library->GetMaterials(), [](const auto&) { return true; });
        EXPECT_TRUE(m_library->LoadFromFolder(backupFolder, withFallback));
        EXPECT_EQ(m_library->GetMaterials().size(), 2u);
        EXPECT_EQ(m_library->FindMaterial(QStringLiteral("Hardboard")), nullptr);
        EXPECT_FALSE(m_library->HasSnapshot());

        // A folder without a library: the library keeps what it had.
        const QString emptyFolder = m_dir.filePath(QStringLiteral("empty"));
        ASSERT_TRUE(QDir().mkpath(emptyFolder));
        EXPECT_FALSE(m_library->LoadFromFolder(emptyFolder, withFallback));
        EXPECT_EQ(m_library->GetMaterials().size(), 2u);
    }
}

} // namespace

namespace {

TEST_F(CMaterialsTest, RefusedHeadersNameTheFile)
{
    FillSample();
    const QByteArray good = m_library->ToBytes();
    auto withWord = [&](int offset, std::uint32_t value) {
        QByteArray bytes = good;
        for (int i = 0; i < 4; ++i)
            bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        return bytes;
    };
    struct Case
    {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        { "schema below 0x8000000B", withWord(0, 0x8000000A) },
        { "schema without the version flag", withWord(0, 0x0000000F) },
        { "version 5", withWord(4, 5) },
        { "version 0", withWord(4, 0) },
    };
    const QString path = PathOf(MaterialsFiles::kLibraryFile);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMaterials library(false);
        try {
            library.FromBytes(c.bytes, path);
            ADD_FAILURE() << "accepted";
        } catch (const platform::ArchiveError& error) {
            EXPECT_EQ(error.cause(), platform::ArchiveError::BadSchema);
            EXPECT_EQ(QString::fromStdString(error.fileName()), path);
        }
        EXPECT_TRUE(library.GetMaterials().empty());
    }
}

} // namespace

namespace {

// Every single damaged byte of a library file is either refused with the
// archive error naming the file, leaving the library as it was, or read into
// a library that can be used and stored again: never a crash, a stray
// exception or a row without a pricing scheme. (A stored kind that made no
// material was refused without the file's name.)
TEST_F(CMaterialsTest, DamagedOrCutBytesAreRefusedOrReadIntoAUsableLibrary)
{
    FillSample();
    const QByteArray good = m_library->ToBytes();
    const QString path = PathOf(MaterialsFiles::kLibraryFile);
    int refused = 0;
    for (qsizetype at = 0; at < good.size(); ++at) {
        const auto original = static_cast<std::uint8_t>(good[at]);
        for (const std::uint8_t value : { std::uint8_t { 0x00 }, std::uint8_t { 0xFF },
                 static_cast<std::uint8_t>(original + 1), static_cast<std::uint8_t>(original ^ 0x80) }) {
            if (value == original)
                continue;
            SCOPED_TRACE(testing::Message() << "byte " << at << " := " << int { value });
            QByteArray bytes = good;
            bytes[at] = static_cast<char>(value);
            CMaterials library(false);
            try {
                library.FromBytes(bytes, path);
            } catch (const platform::ArchiveError& error) {
                ++refused;
                EXPECT_EQ(error.fileName(), path.toStdString()) << error.what();
                EXPECT_TRUE(library.GetMaterials().empty());
                continue;
            } catch (const std::exception& error) {
                ADD_FAILURE() << "stray exception: " << error.what();
                continue;
            }
            for (const auto& material : library.GetMaterials()) {
                ASSERT_TRUE(material);
                for (const auto& row : material->GetSizeCosts()) {
                    ASSERT_TRUE(row);
                    ASSERT_TRUE(row->GetPricingScheme());
                    (void)row->GetDescription();
                    (void)row->GetFullCost();
                    (void)row->GetInventoryText();
                    EXPECT_TRUE(row->Matches(*row));
                }
            }
            for (const auto& vendor : library.GetVendors())
                ASSERT_TRUE(vendor);
            EXPECT_NO_THROW(library.ToBytes());
        }
    }
    EXPECT_GT(refused, 0);

    // Cut short anywhere: always the archive error.
    for (qsizetype size = 0; size < good.size(); ++size) {
        SCOPED_TRACE(testing::Message() << "cut at " << size);
        CMaterials library(false);
        try {
            library.FromBytes(good.left(size), path);
            ADD_FAILURE() << "accepted";
        } catch (const platform::ArchiveError& error) {
            EXPECT_EQ(error.fileName(), path.toStdString()) << error.what();
        }
        EXPECT_TRUE(library.GetMaterials().empty());
    }
}

} // namespace

namespace {

TEST_F(CMaterialsTest, MaterialEntriesThatReferBackAreRefused)
{
    // A library of one material without rows and without vendors: header and
    // identity preamble (56 bytes), the count, the material, the vendor count.
    CMaterials single;
    single.GetMaterials().push_back(std::make_shared<CSheetGoodEx>(QStringLiteral("Oak")));
    const QByteArray one = single.ToBytes();
    const QByteArray header = one.left(56);
    const QByteArray material = one.mid(60, one.size() - 64);
    const QByteArray noVendors = one.right(4);
    ASSERT_EQ(material.at(0), 0) << "a material stored whole";
    const QByteArray ownIdentity = material.mid(1, 8);
    const QByteArray defaultIdentity = header.mid(24, 8);

    auto twoEntries = [&](const QByteArray& secondIdentity) {
        QByteArray bytes = header;
        bytes += QByteArray("\x02\x00\x00\x00", 4);
        bytes += material;
        bytes += QByteArray(1, '\x01') + secondIdentity;
        return bytes + noVendors;
    };
    const QString path = PathOf(MaterialsFiles::kLibraryFile);
    for (const auto& [name, identity] : { std::pair { "the same material again", ownIdentity },
             std::pair { "the default material", defaultIdentity } }) {
        SCOPED_TRACE(name);
        CMaterials library(false);
        try {
            library.FromBytes(twoEntries(identity), path);
            ADD_FAILURE() << "accepted";
        } catch (const platform::ArchiveError& error) {
            EXPECT_EQ(error.cause(), platform::ArchiveError::BadIndex);
            EXPECT_EQ(error.fileName(), path.toStdString());
        }
        EXPECT_TRUE(library.GetMaterials().empty());
    }
}

} // namespace
