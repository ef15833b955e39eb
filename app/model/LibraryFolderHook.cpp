#include "model/LibraryFolderHook.h"

#include "foundation/MaterialsLibraryHook.h"
#include "model/MaterialsBase.h"

namespace {

// Asks for the library on every call: the program installs it after the
// hooks, and tests install their own.
class LibraryFolder final : public IMaterialsLibraryFolder
{
public:
    void StoreIfDirty() override
    {
        if (MaterialsBase* library = GetMaterialsLibrary())
            library->StoreIfDirty();
    }

    void SetFolder(const QString& folder) override
    {
        if (MaterialsBase* library = GetMaterialsLibrary())
            library->SetFolder(folder);
    }

    bool ExistsIn(const QString& folder) const override
    {
        const MaterialsBase* library = GetMaterialsLibrary();
        return library && library->ExistsIn(folder);
    }

    void StoreNow() override
    {
        if (MaterialsBase* library = GetMaterialsLibrary()) {
            library->SetModified(true);
            library->Store();
        }
    }
};

} // namespace

void InstallLibraryFolderHook()
{
    SetMaterialsLibraryFolder(std::make_shared<LibraryFolder>());
}
