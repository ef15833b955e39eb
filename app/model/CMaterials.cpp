#include "model/CMaterials.h"

#include "foundation/FileNames.h"
#include "foundation/IdentityMapper.h"
#include "foundation/RealArchive.h"
#include "foundation/RegularFileReader.h"
#include "foundation/SchemaVersion.h"
#include "foundation/ThreadAffinity.h"
#include "model/CSheetGoodEx.h"
#include "model/CVendor.h"
#include "model/MaterialCmd.h"
#include "model/MaterialFactory.h"
#include "model/MaterialsFiles.h"
#include "model/ModelTexts.h"
#include "model/ModelUiHook.h"
#include "model/VendorCommands.h"
#include <platform/BinaryArchive.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <sstream>

namespace {
MaterialsBase*& LibrarySlot()
{
    static MaterialsBase* library = nullptr;
    return library;
}

ThreadAffinity& LibraryThread()
{
    static ThreadAffinity thread;
    return thread;
}

bool SameNameNoCase(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
} // namespace

MaterialsBase* GetMaterialsLibrary()
{
    LibraryThread().Check();
    return LibrarySlot();
}

void SetMaterialsLibrary(MaterialsBase* library)
{
    LibraryThread().Claim();
    MaterialsBase*& slot = LibrarySlot();
    if (slot != library)
        delete slot;
    slot = library;
}

CMaterials* CreateMaterialsLibrary()
{
    auto* library = new CMaterials(false);
    SetMaterialsLibrary(library);
    return library;
}

bool InstallMaterialFiles(const QString& folder)
{
    const QString target = MaterialsFiles::PathIn(folder, MaterialsFiles::kLibraryFile);
    if (QFileInfo::exists(target))
        return false;
    const QString program = MaterialsFiles::ProgramFolder();
    for (const char* name :
        { MaterialsFiles::kLibraryFile, MaterialsFiles::kBackupFile, MaterialsFiles::kDefaultsFile }) {
        const QString source = MaterialsFiles::PathIn(program, name);
        // QFile::copy never overwrites an existing file. Only a regular file
        // of a library's size is copied: a pipe would wait for ever.
        const bool readable = RegularFileReader(source, MaterialsFiles::kMaxLibraryFileBytes).GetOutcome()
            == RegularFileReader::Outcome::Open;
        if (readable && QFile::copy(source, target))
            return true;
    }
    return false;
}

CMaterials::CMaterials(bool secondary)
    : m_secondary(secondary)
    , m_fileTime(QDateTime::currentSecsSinceEpoch())
{
    m_vendors.push_back(std::make_shared<CVendor>());
}

CMaterials::CMaterials() = default;

CMaterials::~CMaterials() = default;

std::shared_ptr<CSheetGoodEx> CMaterials::FindMaterial(const QString& name) const
{
    for (const auto& material : m_materials)
        if (SameNameNoCase(material->GetName(), name))
            return material;
    return {};
}

std::shared_ptr<CSheetGoodEx> CMaterials::FindMaterialOfKind(const QString& name, int kind) const
{
    if (kind == CSheetGoodEx::kKind)
        if (auto found = FindMaterial(name))
            return found;
    return GetDefaultMaterial();
}

std::shared_ptr<CSheetGoodEx> CMaterials::GetFirstMaterial() const
{
    if (m_materials.empty())
        return {};
    QStringList names;
    for (const auto& material : m_materials)
        names << material->GetName();
    std::stable_sort(names.begin(), names.end(),
        [](const QString& a, const QString& b) { return LogicalCompare(a, b) < 0; });
    return FindMaterialOfKind(names.front(), CSheetGoodEx::kKind);
}

void CMaterials::RebuildMaterialNameList()
{
    QStringList names;
    for (const auto& material : m_materials)
        names << material->GetName();
    m_materialNames = JoinNameList(names);
    RebuildVendorNameList();
}

void CMaterials::AddVendor(const std::shared_ptr<CVendor>& vendor)
{
    // An empty entry would be stored as a reference to nothing, which no
    // load accepts: the whole library file would be lost.
    if (!vendor)
        return;
    m_vendors.push_back(vendor);
    RebuildVendorNameList();
}

void CMaterials::RemoveVendor(const std::shared_ptr<CVendor>& entry)
{
    // A copy: the caller may pass an element of the list itself, which the
    // erase would move under the reference.
    const std::shared_ptr<CVendor> vendor = entry;
    if (!vendor)
        return;
    std::erase(m_vendors, vendor);
    vendor->SetDeleted(true);
    // A stale name in the drop-down list would, once picked, make a new
    // vendor of that name.
    RebuildVendorNameList();
}

std::shared_ptr<CVendor> CMaterials::FindVendor(const QString& name) const
{
    for (const auto& vendor : m_vendors)
        if (vendor->GetDisplayName().compare(name, Qt::CaseInsensitive) == 0)
            return vendor;
    return {};
}

std::shared_ptr<CVendor> CMaterials::FindOrAddVendor(const QString& name)
{
    if (auto found = FindVendor(name))
        return found;
    auto vendor = std::make_shared<CVendor>();
    vendor->SetName(name);
    RunUnrecordedMaterialCommand(std::make_shared<CVendorNew>(vendor));
    return vendor;
}

void CMaterials::RebuildVendorNameList()
{
    QStringList names;
    for (const auto& vendor : m_vendors)
        names << vendor->GetDisplayName();
    m_vendorNames = JoinNameList(names);
}

void CMaterials::StoreIfDirty()
{
    if (m_modified)
        Store();
}

void CMaterials::Store()
{
    if (StoreToFolder(m_folder, false, &m_ownFile)) {
        m_ownFile = MaterialsFiles::StampOf(MaterialsFiles::PathIn(m_folder, MaterialsFiles::kLibraryFile));
        m_modified = false;
        NoteLibraryStored();
    }
}

bool CMaterials::SaveCopyTo(const QString& folder)
{
    StoreIfDirty();
    const bool modified = m_modified;
    const bool written = StoreToFolder(folder, true);
    m_modified = modified;
    return written;
}

bool CMaterials::StoreToFolder(
    const QString& folder, bool rotationMustSucceed, const MaterialsFiles::FileStamp* known)
{
    QByteArray bytes;
    try {
        bytes = ToBytes();
    } catch (const std::exception& error) {
        ShowModelMessage(QString::fromUtf8(error.what()));
        return false;
    }
    QString error;
    QString aside;
    if (!MaterialsFiles::WriteLibraryFile(folder, bytes, true, rotationMustSucceed, &error, known, &aside)) {
        ShowModelMessage(FileWriteErrorText(error));
        return false;
    }
    if (!aside.isEmpty())
        LogWarning(QStringLiteral("Materials file not loaded by this library kept as: ")
            + QDir::toNativeSeparators(aside));
    return true;
}

bool CMaterials::ExistsIn(const QString& folder) const
{
    return QFileInfo::exists(MaterialsFiles::PathIn(folder, MaterialsFiles::kLibraryFile));
}

bool CMaterials::Exists() const
{
    return ExistsIn(m_folder);
}

bool CMaterials::Load(bool force, bool alternate, bool withFallback)
{
    if (m_loaded && !force)
        return false;
    if (!m_secondary && !force)
        UseLocalizedDefaultMaterialName();
    const bool result = withFallback ? LoadWithFallback(alternate) : LoadOwnFile(alternate);
    m_loaded = true;
    return result;
}

bool CMaterials::ReadFile(const QString& path, QString* error)
{
    // A pipe would wait for ever before the window comes up, a device would
    // never end: only a regular file of a library's size is read.
    RegularFileReader file(path, MaterialsFiles::kMaxLibraryFileBytes);
    std::vector<std::uint8_t> bytes;
    QString reason;
    switch (file.GetOutcome()) {
    case RegularFileReader::Outcome::Open:
        if (!file.ReadAll(bytes))
            reason = QString::fromLocal8Bit(std::strerror(errno));
        break;
    case RegularFileReader::Outcome::NotFound:
        reason = QString::fromLocal8Bit(std::strerror(ENOENT));
        break;
    case RegularFileReader::Outcome::NotRegular:
        reason = QStringLiteral("not a regular file");
        break;
    case RegularFileReader::Outcome::TooLarge:
        reason = QStringLiteral("larger than any materials file (%1 MB)")
                     .arg(MaterialsFiles::kMaxLibraryFileBytes >> 20);
        break;
    case RegularFileReader::Outcome::Failed:
        reason = QString::fromLocal8Bit(std::strerror(file.SystemError()));
        break;
    }
    if (!reason.isEmpty()) {
        *error = QStringLiteral("%1: %2").arg(DisplayFileName(path), reason);
        return false;
    }
    try {
        LoadBytes(std::move(bytes), path);
    } catch (const std::bad_alloc&) {
        *error = QStringLiteral("%1: out of memory").arg(DisplayFileName(path));
        return false;
    } catch (const std::exception& failure) {
        *error = ArchiveErrorText(failure, path);
        return false;
    }
    m_fileTime = MaterialsFiles::FileTime(path);
    return true;
}

bool CMaterials::LoadWithFallback(bool alternate)
{
    const QString base = alternate ? m_alternateFolder : m_folder;
    const QStringList candidates
        = MaterialsFiles::FallbackCandidates(base, MaterialsFiles::ProgramFolder(), alternate);
    for (int index = 0; index < candidates.size(); ++index) {
        const QString& path = candidates[index];
        if (path.isEmpty() || !QFileInfo::exists(path))
            continue;
        QString error;
        const MaterialsFiles::FileStamp stamp = MaterialsFiles::StampOf(path);
        if (ReadFile(path, &error)) {
            // Only the library file itself is the version a store may rotate
            // into the backup; a restore from another folder leaves it be.
            if (!alternate)
                m_ownFile = index == 0 ? stamp : MaterialsFiles::FileStamp();
            if (index > 0) {
                const QString message = UiText(index == 1 ? kStrLibraryBackupUsed : kStrLibraryDefaultsUsed);
                LogWarning(message);
                ShowModelMessage(message);
            }
            return true;
        }
        LogError(QStringLiteral("Error reading materials file: ") + error);
        // A library or backup that this program cannot read may be damaged
        // or written by a newer program: keep it out of the way of the next
        // store's rotation instead of losing it.
        if (!alternate && index < 2) {
            const QString aside = SetFileAside(path);
            if (!aside.isEmpty())
                LogWarning(
                    QStringLiteral("Unreadable materials file kept as: ") + QDir::toNativeSeparators(aside));
        }
    }
    if (!alternate)
        m_ownFile = MaterialsFiles::FileStamp();
    const QString message = UiText(kStrLibraryNoFiles);
    LogError(message);
    ShowModelMessage(message);
    return false;
}

bool CMaterials::LoadOwnFile(bool alternate)
{
    // A restore from a backup folder without fallback reads that folder's
    // library file: reading the library's own file instead would report a
    // restore that restored nothing.
    const QString folder = alternate ? m_alternateFolder : m_folder;
    const QString path = MaterialsFiles::PathIn(folder, MaterialsFiles::kLibraryFile);
    if (folder.isEmpty() || !QFileInfo::exists(path)) {
        LogWarning(QStringLiteral("Materials file does not exist: ") + QDir::toNativeSeparators(path));
    } else {
        QString error;
        const MaterialsFiles::FileStamp stamp = MaterialsFiles::StampOf(path);
        if (ReadFile(path, &error)) {
            if (!alternate)
                m_ownFile = stamp;
            return true;
        }
        LogError(QStringLiteral("Error reading materials file: ") + error);
    }
    ShowModelMessage(UiText(kStrLibraryUnavailable));
    return false;
}

void CMaterials::TakeSnapshot()
{
    m_snapshot = std::make_unique<CMaterials>(true);
    m_snapshot->m_materials = m_materials;
    m_snapshot->m_materialNames = m_materialNames;
    m_snapshot->m_modified = m_modified;
    // Vendors too: size/cost rows of the kept materials refer to them.
    m_snapshot->m_vendors = m_vendors;
    m_snapshot->m_vendorNames = m_vendorNames;
    m_snapshot->m_fileTime = m_fileTime;
    m_snapshot->m_ownFile = m_ownFile;
}

void CMaterials::RestoreSnapshot()
{
    if (!m_snapshot)
        return;
    m_materials = m_snapshot->m_materials;
    m_materialNames = m_snapshot->m_materialNames;
    m_modified = m_snapshot->m_modified;
    m_vendors = m_snapshot->m_vendors;
    m_vendorNames = m_snapshot->m_vendorNames;
    m_fileTime = m_snapshot->m_fileTime;
    m_ownFile = m_snapshot->m_ownFile;
    m_snapshot.reset();
}

bool CMaterials::LoadUnderSnapshot(bool force, bool alternate, bool withFallback)
{
    TakeSnapshot();
    bool result = false;
    try {
        result = Load(force, alternate, withFallback);
    } catch (...) {
        result = false;
    }
    if (!result)
        RestoreSnapshot();
    return result;
}

bool CMaterials::Reload()
{
    return LoadUnderSnapshot(true, false, true);
}

bool CMaterials::ReloadOwnFile()
{
    const bool result = LoadUnderSnapshot(true, false, false);
    m_snapshot.reset();
    return result;
}

bool CMaterials::LoadFromFolder(const QString& folder, bool withFallback)
{
    m_alternateFolder = folder;
    const bool result = LoadUnderSnapshot(true, true, withFallback);
    m_snapshot.reset();
    return result;
}

void CMaterials::DropSnapshot()
{
    m_snapshot.reset();
}

void CMaterials::SortMaterials()
{
    std::stable_sort(
        m_materials.begin(), m_materials.end(), [](const auto& a, const auto& b) { return a->IsLess(*b); });
}

void CMaterials::EnsureEmptyNamedVendor()
{
    if (!FindVendor(QString()))
        m_vendors.insert(m_vendors.begin(), std::make_shared<CVendor>());
}

// ---------------------------------------------------------------- the file

struct CMaterials::Contents
{
    SheetGoodList materials;
    VendorList vendors;
};

void CMaterials::WriteContents(ArchiveWrapper& ar)
{
    ar << kSchema << kVersion;
    auto mapper = IdentityMapper::ConstructFromArchive(ar);
    // A copy: writing must not see the list change under it.
    SheetGoodList materials = m_materials;
    ar << static_cast<std::int32_t>(materials.size());
    for (auto& material : materials)
        mapper->SerializeObject(ar, material, MakeMaterialIdentity);
    ar << static_cast<std::int32_t>(m_vendors.size());
    for (auto vendor : m_vendors)
        mapper->SerializeRef(ar, vendor);
}

CMaterials::Contents CMaterials::ReadContents(ArchiveWrapper& ar)
{
    RegisterSheetGoodServices();
    std::uint32_t schema = 0;
    ar >> schema;
    if (schema < kOldestSchema || (schema & 0x80000000u) == 0)
        ThrowBadSchema(ar);
    ar.GetArchive().setObjectSchema(schema);
    ReadOrThrow(ar, kVersion);
    auto mapper = IdentityMapper::ConstructFromArchive(ar);

    // Every entry takes at least a known-flag and an identity (9 bytes), so a
    // damaged count is refused before anything is reserved for it.
    auto readCount = [&ar] {
        std::int32_t count = 0;
        ar >> count;
        if (count < 0)
            ThrowBadSchema(ar);
        ar.GetArchive().requireBytes(static_cast<std::uint64_t>(count), 9);
        return count;
    };
    auto refuse = [&ar](platform::ArchiveError::Cause cause) {
        throw platform::ArchiveError(cause, ar.GetFilePath().toStdString());
    };

    Contents contents;
    const std::int32_t materialCount = readCount();
    contents.materials.reserve(static_cast<std::size_t>(materialCount));
    for (std::int32_t i = 0; i < materialCount; ++i) {
        std::shared_ptr<CSheetGoodEx> material;
        mapper->SerializeObject(ar, material, MakeMaterialIdentity);
        if (!material)
            refuse(platform::ArchiveError::BadClass);
        // Every material is stored whole, once: a reference back to one read
        // before, or to the program's default material, is damage (it would
        // list one object twice, or let the library edit the default).
        if (material->IsDefaultMaterial()
            || std::find(contents.materials.begin(), contents.materials.end(), material)
                != contents.materials.end())
            refuse(platform::ArchiveError::BadIndex);
        contents.materials.push_back(std::move(material));
    }
    const std::int32_t vendorCount = readCount();
    contents.vendors.reserve(static_cast<std::size_t>(vendorCount));
    for (std::int32_t i = 0; i < vendorCount; ++i) {
        auto vendor = std::make_shared<CVendor>();
        mapper->SerializeRef(ar, vendor);
        if (!vendor)
            refuse(platform::ArchiveError::BadIndex);
        contents.vendors.push_back(std::move(vendor));
    }
    return contents;
}

void CMaterials::Commit(Contents&& contents)
{
    m_materials = std::move(contents.materials);
    m_vendors = std::move(contents.vendors);
    EnsureEmptyNamedVendor();
    RebuildMaterialNameList();
}

void CMaterials::Serialize(ArchiveWrapper& ar)
{
    m_modified = false;
    if (ar.IsStoring())
        WriteContents(ar);
    else
        Commit(ReadContents(ar));
}

QByteArray CMaterials::ToBytes()
{
    std::ostringstream out;
    {
        auto archive = platform::BinaryArchive::storing(out);
        RealArchive ar(archive);
        WriteContents(ar);
        archive.flush();
    }
    const std::string bytes = out.str();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void CMaterials::FromBytes(const QByteArray& bytes, const QString& filePath)
{
    LoadBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), filePath);
}

void CMaterials::LoadBytes(std::vector<std::uint8_t> bytes, const QString& filePath)
{
    auto archive = platform::BinaryArchive::loading(std::move(bytes), filePath.toStdString());
    RealArchive ar(archive);
    Serialize(ar);
}
