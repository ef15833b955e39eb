#pragma once
// References to materials and stock rows held by the stored optimization
// state: written by identity through the file's identity mapper, and made to
// refer to the canonical objects once every object of a project is read.

#include "foundation/IdentityMapper.h"

#include <memory>

class IOptimizableMaterial;

// The material reference through the mapper, with the materials' type-code
// factory; loading keeps what was read only when it is a material.
void SerializeSharedMaterialRef(ArchiveWrapper& ar, std::shared_ptr<IOptimizableMaterial>& material,
    const std::shared_ptr<IdentityMapper>& mapper, const IdentityMapper::Factory& factory);

// Nothing for no material or the program's default sheet good; a material
// that a locked project replaces becomes the mapper's canonical object, any
// other resolves its own references.
void ResolveSharedMaterialRef(
    const std::shared_ptr<IdentityMapper>& mapper, std::shared_ptr<IOptimizableMaterial>& material);

// The mapper's canonical object for a shared object that a locked project
// replaces (a material, a stock row); any other object is already the one its
// readers share and stays. The canonical object is also registered under its
// own identity, so that resolving a reference twice (a diagram shared by two
// stacks) gives the same object again instead of a copy of the copy.
std::shared_ptr<IManagedIdentity> ResolveCanonical(
    IdentityMapper& mapper, const std::shared_ptr<IManagedIdentity>& object);

template <class T> void ResolveCanonicalRef(IdentityMapper& mapper, std::shared_ptr<T>& reference)
{
    auto managed = std::dynamic_pointer_cast<IManagedIdentity>(reference);
    if (!managed)
        return;
    if (auto canonical = std::dynamic_pointer_cast<T>(ResolveCanonical(mapper, managed)))
        reference = std::move(canonical);
}
