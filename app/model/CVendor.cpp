#include "model/CVendor.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/SchemaVersion.h"
#include "model/ModelStrings.h"
#include "model/SizeCostRowOps.h"

CVendor::CVendor(const CVendor& other)
    : ISerializeable(other)
    , ISoftDeleteable(other)
    , ManagedIdentityRemappedOnLockProject() // a copy is a vendor of its own
    , m_name(other.m_name)
{
}

CVendor& CVendor::operator=(const CVendor& other)
{
    if (this != &other) {
        CopyByteFlag(*this, other);
        m_name = other.m_name;
    }
    return *this;
}

QString CVendor::GetDisplayName() const
{
    return IsDeleted() ? UiText(kStrDeletedVendor) : m_name;
}

// A deleted vendor is written without its name; a loaded vendor is live.
void CVendor::SerializeName(ArchiveWrapper& ar)
{
    if (ar.IsStoring()) {
        ar.Write(IsDeleted() ? QString() : m_name);
    } else {
        ar.Read(m_name);
        SetDeleted(false);
    }
}

void CVendor::Serialize(ArchiveWrapper& ar)
{
    if (ar.IsStoring()) {
        ar.Write(std::int32_t{0});
    } else {
        std::int32_t version = 0;
        ar.Read(version);
        if (version != 0)
            ThrowBadSchema(ar);
    }
    SerializeName(ar);
}

void CVendor::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>&)
{
    if (ar.IsStoring())
        ar.Write(std::int32_t{1});
    else
        ReadOrThrow(ar, 1);
    SerializeName(ar);
}

std::shared_ptr<IManagedIdentity> CVendor::MakeLockProjectCopy(const std::shared_ptr<IdentityMapper>&)
{
    return std::make_shared<CVendor>(*this);
}
