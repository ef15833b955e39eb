#include "model/SharedMaterialRef.h"

#include "model/IOptimizableMaterial.h"

void SerializeSharedMaterialRef(ArchiveWrapper& ar, std::shared_ptr<IOptimizableMaterial>& material,
    const std::shared_ptr<IdentityMapper>& mapper, const IdentityMapper::Factory& factory)
{
    auto managed = std::dynamic_pointer_cast<IManagedIdentity>(material);
    mapper->SerializeObject(ar, managed, factory);
    if (ar.IsLoading())
        material = std::dynamic_pointer_cast<IOptimizableMaterial>(managed);
}

void ResolveSharedMaterialRef(
    const std::shared_ptr<IdentityMapper>& mapper, std::shared_ptr<IOptimizableMaterial>& material)
{
    auto managed = std::dynamic_pointer_cast<IManagedIdentity>(material);
    if (!managed || managed->IsDefaultMaterial())
        return;
    if (managed->IsRemappedOnLockProject())
        ResolveCanonicalRef(*mapper, material);
    else
        ApplyResolvedReference(*managed, managed);
}

std::shared_ptr<IManagedIdentity> ResolveCanonical(
    IdentityMapper& mapper, const std::shared_ptr<IManagedIdentity>& object)
{
    if (!object || !object->IsRemappedOnLockProject())
        return object;
    std::shared_ptr<IManagedIdentity> canonical = mapper.Resolve(object);
    // An object that makes no copy of itself stays what it was.
    if (!canonical)
        return object;
    if (canonical != object)
        mapper.Register(canonical);
    return canonical;
}
