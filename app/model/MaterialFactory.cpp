#include "model/MaterialFactory.h"

#include "model/CMaterialEx.h"
#include "model/ModelStrings.h"

#include <platform/ArchiveError.h>

#include <map>
#include <string>

namespace {

std::map<std::uint32_t, MaterialCreator>& MaterialCreators()
{
    static std::map<std::uint32_t, MaterialCreator> creators;
    return creators;
}

} // namespace

void RegisterMaterialKind(std::uint32_t kind, MaterialCreator creator)
{
    MaterialCreators()[kind] = std::move(creator);
}

std::shared_ptr<CMaterialEx> CreateMaterialByKind(std::uint32_t kind)
{
    const auto& creators = MaterialCreators();
    const auto it = creators.find(kind);
    return it != creators.end() && it->second ? it->second() : nullptr;
}

std::shared_ptr<IManagedIdentity> MakeMaterialIdentity(std::uint32_t kind)
{
    std::shared_ptr<CMaterialEx> material = CreateMaterialByKind(kind);
    // A stored kind that makes no material cannot be read on; reading it as
    // nothing would leave a null for later code to trip over.
    if (!material)
        throw platform::ArchiveError(platform::ArchiveError::BadClass, std::string(),
                                     "unknown material kind " + std::to_string(kind));
    return material;
}

std::uint32_t GetMaterialKind(const CMaterialEx& material)
{
    return material.GetTypeCode();
}

bool IsNotSpecifiedName(const CMaterialEx& material)
{
    return material.GetName() == UiText(kStrNotSpecified);
}

bool HaveSameCuttingData(const CMaterialEx& a, const CMaterialEx& b)
{
    return a.GetGrainInfo() == b.GetGrainInfo() && a.GetSawSetup() == b.GetSawSetup();
}
