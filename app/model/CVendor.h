#pragma once

#include "foundation/ManagedIdentity.h"
#include "model/ISerializeable.h"
#include "model/ISoftDeleteable.h"

#include <QString>

#include <memory>

// A supplier named in the materials library and referred to by stock-size
// rows. Removing a vendor only marks it deleted, so rows that still refer to
// it show "<Deleted>" and an undo brings the same object back.
class CVendor : public ISerializeable, public ISoftDeleteable, public ManagedIdentityRemappedOnLockProject
{
public:
    CVendor() = default;
    // A copy is a new vendor: new identity, same name and deleted flag.
    CVendor(const CVendor& other);
    // Takes the name and the deleted flag; the identity stays.
    CVendor& operator=(const CVendor& other);
    ~CVendor() override = default;

    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    // The name, or "<Deleted>" while the vendor is marked deleted.
    QString GetDisplayName() const;
    QString GetSoftDeletedName() const override { return GetDisplayName(); }

    // Plain record: int32 version 0, name.
    void Serialize(ArchiveWrapper& ar) override;
    // Record written through the identity mapper: int32 version 1, name.
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;
    // A new vendor copied from this one.
    std::shared_ptr<IManagedIdentity> MakeLockProjectCopy(const std::shared_ptr<IdentityMapper>& mapper) override;

private:
    void SerializeName(ArchiveWrapper& ar);

    QString m_name;
};

using CVendorPtr = std::shared_ptr<CVendor>;
