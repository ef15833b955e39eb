#include "model/MaterialFactory.h"

#include "model/CMaterialEx.h"
#include "model/ModelStrings.h"

#include <map>

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
    // A stored kind that makes no material answers nothing: the identity
    // mapper then refuses the record with the archive error naming the file,
    // so no null link survives the load.
    return CreateMaterialByKind(kind);
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
