#pragma once

#include <cstdint>
#include <memory>

class ArchiveWrapper;
class IdentityMapper;

// Takes the next identity of the run. Identities start at 1 and only grow;
// optimization jobs take them on worker threads too, so the counter is atomic.
std::uint64_t TakeManagedIdentity();

// What every shared domain object offers so that it can be written once to a
// file and referred to by identity afterwards. The order of the operations is
// part of the contract with the classes that override them.
class IManagedIdentity
{
public:
    virtual ~IManagedIdentity() = default;

    // Writes or reads the object's own data; the mapper calls it for the
    // object's first reference only.
    virtual void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) = 0;
    virtual std::uint64_t GetIdentity() const = 0;
    virtual bool IsRemappedOnLockProject() const = 0;
    virtual bool IsDefaultMaterial() const { return false; }
    // Chooses the class a polymorphic reference is read back as.
    virtual std::uint32_t GetTypeCode() const { return 0; }
    virtual void ReceiveResolvedReference(std::shared_ptr<IManagedIdentity> object) = 0;
    virtual std::shared_ptr<IManagedIdentity> MakeLockProjectCopy(
        const std::shared_ptr<IdentityMapper>& mapper)
        = 0;
};

// Holds the identity taken at construction. A copy keeps the identity unless
// the copying class takes a new one (by constructing this base afresh);
// assignment never changes it.
class EnableManagedIdentity : public IManagedIdentity
{
public:
    EnableManagedIdentity()
        : m_identity(TakeManagedIdentity())
    { }
    EnableManagedIdentity(const EnableManagedIdentity&) = default;
    EnableManagedIdentity& operator=(const EnableManagedIdentity&) { return *this; }

    std::uint64_t GetIdentity() const override { return m_identity; }

private:
    std::uint64_t m_identity;
};

// Objects that a locked project replaces by copies of its own.
class ManagedIdentityRemappedOnLockProject : public EnableManagedIdentity
{
public:
    bool IsRemappedOnLockProject() const override { return true; }
    void ReceiveResolvedReference(std::shared_ptr<IManagedIdentity>) override { }
};

// Objects that a locked project keeps and only re-links.
class ManagedIdentityNotRemappedOnLockProject : public EnableManagedIdentity
{
public:
    bool IsRemappedOnLockProject() const override { return false; }
    std::shared_ptr<IManagedIdentity> MakeLockProjectCopy(const std::shared_ptr<IdentityMapper>&) override
    {
        return nullptr;
    }
};
