#pragma once
// The interface of the materials library through which every other part of
// the program reaches the one library object (CMaterials).

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class CSheetGoodEx;
class CVendor;

using SheetGoodList = std::vector<std::shared_ptr<CSheetGoodEx>>;
using VendorList = std::vector<std::shared_ptr<CVendor>>;

class MaterialsBase
{
public:
    virtual ~MaterialsBase() = default;

    // Loads the library (see CMaterials); answers whether a file was read.
    virtual bool Load(bool force, bool alternate, bool withFallback) = 0;
    virtual QString GetFolder() const = 0;
    virtual void SetFolder(const QString& folder) = 0;
    // First material whose displayed name equals name, ignoring case.
    virtual std::shared_ptr<CSheetGoodEx> FindMaterial(const QString& name) const = 0;
    // Kind 3 (sheet good): as FindMaterial; otherwise, or when nothing is
    // found, the default material.
    virtual std::shared_ptr<CSheetGoodEx> FindMaterialOfKind(const QString& name, int kind) const = 0;
    virtual SheetGoodList& GetMaterials() = 0;
    virtual QString GetMaterialNameList() const = 0;
    virtual std::shared_ptr<CSheetGoodEx> GetFirstMaterial() const = 0;
    virtual void RebuildMaterialNameList() = 0;
    virtual void AddVendor(const std::shared_ptr<CVendor>& vendor) = 0;
    // Removes this very object from the list and marks it deleted.
    virtual void RemoveVendor(const std::shared_ptr<CVendor>& vendor) = 0;
    virtual VendorList& GetVendors() = 0;
    // FindVendor, or a new vendor added by an unrecorded command.
    virtual std::shared_ptr<CVendor> FindOrAddVendor(const QString& name) = 0;
    virtual std::shared_ptr<CVendor> FindVendor(const QString& name) const = 0;
    virtual void RebuildVendorNameList() = 0;
    virtual QString GetVendorNameList() const = 0;
    virtual bool IsLockedProjectFlagSet() const = 0;
    virtual void SetLockedProjectFlag() = 0;
    virtual void ClearLockedProjectFlag() = 0;
    virtual void StoreIfDirty() = 0;
    virtual void Store() = 0;
    virtual bool IsModified() const = 0;
    virtual void SetModified(bool modified) = 0;
    virtual bool SaveCopyTo(const QString& folder) = 0;
    virtual bool ExistsIn(const QString& folder) const = 0;
    virtual bool Exists() const = 0;
    virtual bool LoadFromFolder(const QString& folder, bool withFallback) = 0;
    virtual bool Reload() = 0;
    virtual void DropSnapshot() = 0;
    virtual bool ReloadOwnFile() = 0;
    virtual void SortMaterials() = 0;
    virtual std::int64_t GetFileTime() const = 0;
};

// The program's one library (null before start-up created it).
MaterialsBase* GetMaterialsLibrary();
// Installs a library; the previous one is deleted when it is another object.
// The library takes ownership of the object.
void SetMaterialsLibrary(MaterialsBase* library);
