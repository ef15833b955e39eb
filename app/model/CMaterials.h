#pragma once
// The materials library: the sheet goods and vendors that all projects share,
// kept in "Matls.KWDE" in the library folder with the backup "MatlsBK.KWDE"
// and the shipped defaults "DefMats.KWDE" beside the program.
//
// Loading never leaves a half-read library: a file is decoded into fresh
// lists that replace the library's only when the whole file was read. A file
// that cannot be read is skipped for the next candidate and, in the library's
// own folder, renamed aside so that no later store deletes it.

#include "model/MaterialsBase.h"
#include "model/MaterialsFiles.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class ArchiveWrapper;

class CMaterials : public MaterialsBase
{
public:
    static constexpr std::uint32_t kSchema = 0x8000000F;
    static constexpr std::uint32_t kOldestSchema = 0x8000000B;
    static constexpr std::int32_t kVersion = 4;

    // The library of the program (secondary false) or a snapshot copy.
    explicit CMaterials(bool secondary);
    // Without the empty-named vendor and with file time 0.
    CMaterials();
    ~CMaterials() override;

    bool Load(bool force, bool alternate, bool withFallback) override;
    QString GetFolder() const override { return m_folder; }
    void SetFolder(const QString& folder) override { m_folder = folder; }
    std::shared_ptr<CSheetGoodEx> FindMaterial(const QString& name) const override;
    std::shared_ptr<CSheetGoodEx> FindMaterialOfKind(const QString& name, int kind) const override;
    SheetGoodList& GetMaterials() override { return m_materials; }
    QString GetMaterialNameList() const override { return m_materialNames; }
    std::shared_ptr<CSheetGoodEx> GetFirstMaterial() const override;
    void RebuildMaterialNameList() override;
    void AddVendor(const std::shared_ptr<CVendor>& vendor) override;
    void RemoveVendor(const std::shared_ptr<CVendor>& vendor) override;
    VendorList& GetVendors() override { return m_vendors; }
    std::shared_ptr<CVendor> FindOrAddVendor(const QString& name) override;
    std::shared_ptr<CVendor> FindVendor(const QString& name) const override;
    void RebuildVendorNameList() override;
    QString GetVendorNameList() const override { return m_vendorNames; }
    bool IsLockedProjectFlagSet() const override { return m_lockedProject; }
    void SetLockedProjectFlag() override { m_lockedProject = true; }
    void ClearLockedProjectFlag() override { m_lockedProject = false; }
    void StoreIfDirty() override;
    void Store() override;
    bool IsModified() const override { return m_modified; }
    void SetModified(bool modified) override { m_modified = modified; }
    bool SaveCopyTo(const QString& folder) override;
    bool ExistsIn(const QString& folder) const override;
    bool Exists() const override;
    bool LoadFromFolder(const QString& folder, bool withFallback) override;
    bool Reload() override;
    void DropSnapshot() override;
    bool ReloadOwnFile() override;
    void SortMaterials() override;
    std::int64_t GetFileTime() const override { return m_fileTime; }

    bool IsLoaded() const { return m_loaded; }
    bool HasSnapshot() const { return m_snapshot != nullptr; }

    // The library record: schema word, version, identity preamble, materials,
    // vendors. Reading replaces the lists only after the whole record was read.
    void Serialize(ArchiveWrapper& ar);
    // The whole library file as bytes (what Store writes).
    QByteArray ToBytes();
    // Reads a library file's bytes; throws the archive error naming filePath.
    void FromBytes(const QByteArray& bytes, const QString& filePath);

private:
    struct Contents;
    Contents ReadContents(ArchiveWrapper& ar);
    void WriteContents(ArchiveWrapper& ar);
    void Commit(Contents&& contents);

    // Reads one file; false with a message naming the file when it failed.
    bool ReadFile(const QString& path, QString* error);
    void LoadBytes(std::vector<std::uint8_t> bytes, const QString& filePath);
    bool LoadWithFallback(bool alternate);
    // The library file alone, of the library folder or (alternate) of the
    // folder of the last LoadFromFolder.
    bool LoadOwnFile(bool alternate);
    // With `known`, a library file there that is not that version is set
    // aside instead of becoming the backup.
    bool StoreToFolder(
        const QString& folder, bool rotationMustSucceed, const MaterialsFiles::FileStamp* known = nullptr);
    void TakeSnapshot();
    void RestoreSnapshot();
    bool LoadUnderSnapshot(bool force, bool alternate, bool withFallback);
    void EnsureEmptyNamedVendor();

    bool m_loaded = false;
    bool m_modified = false;
    bool m_secondary = false;
    std::unique_ptr<CMaterials> m_snapshot;
    QString m_folder;
    QString m_alternateFolder;
    SheetGoodList m_materials;
    VendorList m_vendors;
    QString m_materialNames;
    QString m_vendorNames;
    bool m_lockedProject = false;
    std::int64_t m_fileTime = 0;
    // The library file of the folder as last read or written by this library;
    // no path when memory holds none of it (backup, shipped defaults, nothing).
    MaterialsFiles::FileStamp m_ownFile;
};

// Start-up: makes the program's library and installs it.
CMaterials* CreateMaterialsLibrary();

// Copies the first of the program folder's Matls.KWDE, MatlsBK.KWDE and
// DefMats.KWDE that exists to folder/Matls.KWDE, never overwriting a file.
bool InstallMaterialFiles(const QString& folder);
