#pragma once

#include "foundation/CDimension.h"
#include "foundation/ManagedIdentity.h"
#include "model/CSawSetupEx.h"
#include "model/GrainInfo.h"
#include "model/IEditableMaterial.h"
#include "model/IMaterialData.h"

#include <QString>

#include <cstdint>
#include <memory>

class ArchiveWrapper;
class IdentityMapper;
class OptTargetCriteria;

// A named material with a managed identity: the base of every material kind.
// The sheet good (the only kind the library holds) overrides most of the
// operations below; here they answer the neutral values.
class CMaterialEx : public IMaterialData, public IEditableMaterial, public ManagedIdentityRemappedOnLockProject
{
public:
    CMaterialEx() = default;
    explicit CMaterialEx(const QString& name) : m_name(name) {}
    ~CMaterialEx() override = default;

    // The name and placeholder flag of another material; the identity stays.
    virtual void Assign(const CMaterialEx& other);
    // The library's order: by name, ignoring case.
    virtual bool IsLess(const CMaterialEx& other) const;
    virtual bool Query7() const { return false; }
    virtual bool Query9() const { return true; }
    // Legacy record: version 0, name, placeholder flag.
    virtual void SerializeLegacy(ArchiveWrapper& ar);
    virtual void AssignFrom(const CMaterialEx& other) { Assign(other); }
    virtual std::shared_ptr<CMaterialEx> Clone() const { return nullptr; }
    virtual std::shared_ptr<CMaterialEx> CloneWithSizeCosts() const { return nullptr; }
    virtual bool Query14() const { return true; }
    virtual int GetMaterialTypeCode() const { return 0; }
    virtual bool Query16() const { return false; }
    virtual std::shared_ptr<CMaterialEx> FindLibraryCopyByName() const { return nullptr; }
    virtual std::shared_ptr<CMaterialEx> FindLibraryCopyByPinnableID() const { return nullptr; }
    virtual QString MakeUniqueName(const QString& /*baseName*/) const { return QString(); }
    virtual QString GetMaterialNameList() const { return QString(); }
    virtual QString GetTypeName() const { return QString(); }
    // The target criteria of a piece of this material.
    virtual std::shared_ptr<OptTargetCriteria> CreateOptimizationTarget(const CDimension& /*thickness*/,
                                                                        const CDimension& /*width*/,
                                                                        const CDimension& /*length*/)
    {
        return nullptr;
    }

    // IMaterialData: one shared default grain and saw setup for plain materials.
    QString GetName() const override;
    const GrainInfo& GetGrainInfo() const override;
    const CSawSetupEx& GetSawSetup() const override;

    // The stored name, also while the material is a placeholder.
    const QString& GetStoredName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    bool IsPlaceholder() const { return m_placeholder != 0; }
    void SetPlaceholder(bool placeholder) { m_placeholder = placeholder ? 1 : 0; }

    // Material record: version 1, name, placeholder flag.
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;
    std::shared_ptr<IManagedIdentity> MakeLockProjectCopy(const std::shared_ptr<IdentityMapper>&) override
    {
        return nullptr;
    }

private:
    QString m_name;
    std::int32_t m_placeholder = 0;
};

// A material with a saw setup of its own.
class CMilledMaterial : public CMaterialEx
{
public:
    CMilledMaterial() = default;
    explicit CMilledMaterial(const QString& name) : CMaterialEx(name) {}

    const CSawSetupEx& GetSawSetup() const override { return m_sawSetup; }
    CSawSetupEx& GetSawSetupForEdit() { return m_sawSetup; }

private:
    CSawSetupEx m_sawSetup;
};

// A milled material of a second kind; the library holds none.
class CLumberEx : public CMilledMaterial
{
public:
    using CMilledMaterial::CMilledMaterial;
    virtual void AssignLumber(const CMaterialEx& other) { AssignFrom(other); }
};

using CMaterialExPtr = std::shared_ptr<CMaterialEx>;
