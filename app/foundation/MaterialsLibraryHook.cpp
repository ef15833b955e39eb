#include "foundation/MaterialsLibraryHook.h"

namespace {

std::shared_ptr<IMaterialsLibraryFolder>& Installed()
{
    static std::shared_ptr<IMaterialsLibraryFolder> library;
    return library;
}

} // namespace

IMaterialsLibraryFolder* GetMaterialsLibraryFolder()
{
    return Installed().get();
}

void SetMaterialsLibraryFolder(std::shared_ptr<IMaterialsLibraryFolder> library)
{
    Installed() = std::move(library);
}
