#pragma once

#include "foundation/ArchiveWrapper.h"
#include "foundation/ManagedIdentity.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

// Maps identities to shared objects for one load, save or project lock, so
// that a shared object is written once, at its first reference, and every
// later reference is 9 bytes (a bool and the 64-bit identity). Reading gives
// back one object per identity, shared by all its references. Identities in a
// file are those of the run that wrote it; only this map uses them.
class IdentityMapper : public std::enable_shared_from_this<IdentityMapper>
{
public:
    using Factory = std::function<std::shared_ptr<IManagedIdentity>(std::uint32_t typeCode)>;

    // Make mappers with std::make_shared or the factories below: reading and
    // writing through a mapper no shared pointer owns raises an archive error.
    explicit IdentityMapper(std::shared_ptr<void> context = nullptr);

    // A mapper over a file: writes or reads the preamble first.
    static std::shared_ptr<IdentityMapper> ConstructFromArchive(ArchiveWrapper& ar);
    static std::shared_ptr<IdentityMapper> ConstructWithArchive(
        std::shared_ptr<void> context, ArchiveWrapper& ar);

    std::shared_ptr<void> GetContext() const { return m_context; }

    void Register(const std::shared_ptr<IManagedIdentity>& object);
    void RegisterAs(std::uint64_t identity, const std::shared_ptr<IManagedIdentity>& object);
    std::shared_ptr<IManagedIdentity> Find(std::uint64_t identity) const;
    bool Contains(const std::shared_ptr<IManagedIdentity>& object) const;
    // The canonical object for the object's identity, made by the object's
    // lock-project copy the first time it is asked for.
    std::shared_ptr<IManagedIdentity> Resolve(const std::shared_ptr<IManagedIdentity>& object);

    // A shared object of a known class. Loading: the caller puts a fresh
    // object into ref, which reads itself on the first reference; on a later
    // one ref becomes the object read before (empty when it is unknown or of
    // another class). An empty ref is stored as a reference to identity 0 and
    // reads back empty.
    template <class T> void SerializeRef(ArchiveWrapper& ar, std::shared_ptr<T>& ref);

    // A shared object whose class varies: its type code is written before its
    // data, and the factory makes the object to read from that code.
    template <class T>
    void SerializeObject(ArchiveWrapper& ar, std::shared_ptr<T>& ref, const Factory& factory);

private:
    // Writes the bool and the identity; answers whether the object was known.
    bool StoreReference(ArchiveWrapper& ar, const std::shared_ptr<IManagedIdentity>& object);
    void StoreData(ArchiveWrapper& ar, const std::shared_ptr<IManagedIdentity>& object, bool withTypeCode);
    void LoadReference(ArchiveWrapper& ar, bool& known, std::uint64_t& identity);
    void LoadData(
        ArchiveWrapper& ar, std::uint64_t identity, const std::shared_ptr<IManagedIdentity>& object);
    std::shared_ptr<IManagedIdentity> LoadPolymorphic(
        ArchiveWrapper& ar, std::uint64_t identity, const Factory& factory);
    std::shared_ptr<IdentityMapper> Self();

    std::map<std::uint64_t, std::shared_ptr<IManagedIdentity>> m_objects;
    std::shared_ptr<void> m_context;
};

// Hands a resolved object to a receiver that keeps its own reference.
void ApplyResolvedReference(IManagedIdentity& receiver, std::shared_ptr<IManagedIdentity> object);

template <class T> void IdentityMapper::SerializeRef(ArchiveWrapper& ar, std::shared_ptr<T>& ref)
{
    if (ar.IsStoring()) {
        const std::shared_ptr<IManagedIdentity> object = ref;
        if (!StoreReference(ar, object))
            StoreData(ar, object, false);
        return;
    }
    bool known = false;
    std::uint64_t identity = 0;
    LoadReference(ar, known, identity);
    if (known) {
        ref = std::dynamic_pointer_cast<T>(Find(identity));
        return;
    }
    LoadData(ar, identity, ref);
}

template <class T>
void IdentityMapper::SerializeObject(ArchiveWrapper& ar, std::shared_ptr<T>& ref, const Factory& factory)
{
    if (ar.IsStoring()) {
        const std::shared_ptr<IManagedIdentity> object = ref;
        if (!StoreReference(ar, object))
            StoreData(ar, object, true);
        return;
    }
    bool known = false;
    std::uint64_t identity = 0;
    LoadReference(ar, known, identity);
    if (known)
        ref = std::dynamic_pointer_cast<T>(Find(identity));
    else
        ref = std::dynamic_pointer_cast<T>(LoadPolymorphic(ar, identity, factory));
}
