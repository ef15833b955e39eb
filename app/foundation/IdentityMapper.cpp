#include "foundation/IdentityMapper.h"

#include "foundation/IdentityPreamble.h"

#include <platform/ArchiveError.h>

IdentityMapper::IdentityMapper(std::shared_ptr<void> context)
    : m_context(std::move(context))
{ }

std::shared_ptr<IdentityMapper> IdentityMapper::ConstructFromArchive(ArchiveWrapper& ar)
{
    return ConstructWithArchive(nullptr, ar);
}

std::shared_ptr<IdentityMapper> IdentityMapper::ConstructWithArchive(
    std::shared_ptr<void> context, ArchiveWrapper& ar)
{
    auto mapper = std::make_shared<IdentityMapper>(std::move(context));
    if (ar.IsStoring())
        WriteIdentityMapPreamble(ar, *mapper);
    else
        ReadIdentityMapPreamble(ar, *mapper);
    return mapper;
}

void IdentityMapper::Register(const std::shared_ptr<IManagedIdentity>& object)
{
    if (object)
        m_objects[object->GetIdentity()] = object;
}

void IdentityMapper::RegisterAs(std::uint64_t identity, const std::shared_ptr<IManagedIdentity>& object)
{
    m_objects[identity] = object;
}

std::shared_ptr<IManagedIdentity> IdentityMapper::Find(std::uint64_t identity) const
{
    const auto it = m_objects.find(identity);
    return it == m_objects.end() ? nullptr : it->second;
}

bool IdentityMapper::Contains(const std::shared_ptr<IManagedIdentity>& object) const
{
    return object && m_objects.count(object->GetIdentity()) != 0;
}

std::shared_ptr<IManagedIdentity> IdentityMapper::Resolve(const std::shared_ptr<IManagedIdentity>& object)
{
    if (!object)
        return nullptr;
    if (auto mapped = Find(object->GetIdentity()))
        return mapped;
    auto replacement = object->MakeLockProjectCopy(Self());
    RegisterAs(object->GetIdentity(), replacement);
    return replacement;
}

void ApplyResolvedReference(IManagedIdentity& receiver, std::shared_ptr<IManagedIdentity> object)
{
    receiver.ReceiveResolvedReference(std::move(object));
}

bool IdentityMapper::StoreReference(ArchiveWrapper& ar, const std::shared_ptr<IManagedIdentity>& object)
{
    // No object is written as a reference to identity 0, which no object has,
    // so it reads back as no object.
    const bool known = !object || Contains(object);
    ar.Write(known);
    ar.Write(object ? object->GetIdentity() : std::uint64_t { 0 });
    return known;
}

void IdentityMapper::StoreData(
    ArchiveWrapper& ar, const std::shared_ptr<IManagedIdentity>& object, bool withTypeCode)
{
    if (withTypeCode)
        ar.Write(object->GetTypeCode());
    // Registered before its data so that a reference back to it from inside
    // its own data stays a reference.
    Register(object);
    object->Serialize(ar, Self());
}

void IdentityMapper::LoadReference(ArchiveWrapper& ar, bool& known, std::uint64_t& identity)
{
    ar.Read(known);
    ar.Read(identity);
}

void IdentityMapper::LoadData(
    ArchiveWrapper& ar, std::uint64_t identity, const std::shared_ptr<IManagedIdentity>& object)
{
    // The data that follows belongs to an object nobody can make: the rest of
    // the file cannot be read.
    if (!object)
        throw platform::ArchiveError(platform::ArchiveError::BadClass, ar.GetFilePath().toStdString());
    RegisterAs(identity, object);
    object->Serialize(ar, Self());
}

std::shared_ptr<IManagedIdentity> IdentityMapper::LoadPolymorphic(
    ArchiveWrapper& ar, std::uint64_t identity, const Factory& factory)
{
    std::uint32_t typeCode = 0;
    ar.Read(typeCode);
    auto object = factory ? factory(typeCode) : nullptr;
    LoadData(ar, identity, object);
    return object;
}

std::shared_ptr<IdentityMapper> IdentityMapper::Self()
{
    // Objects read and write their own references through the mapper they
    // are handed; a mapper that no shared pointer owns (one made on the
    // stack) would hand them none, so the load or store fails here instead.
    if (auto self = weak_from_this().lock())
        return self;
    throw platform::ArchiveError(platform::ArchiveError::Generic, std::string(),
        "identity mapper not owned by a shared pointer");
}
