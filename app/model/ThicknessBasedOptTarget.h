#pragma once
// The criteria of an optimization target: one sheet-good material (compared
// by object, never by name) at one thickness. Parts join a target, and stock
// sizes belong to it, through these criteria.

#include "foundation/CDimension.h"
#include "foundation/ManagedIdentity.h"

#include <QString>

#include <memory>

class IOptimizableMaterial;
class IOptimizableSize;

class ITargetCriteria
{
public:
    virtual ~ITargetCriteria() = default;
    virtual bool Equals(const std::shared_ptr<ITargetCriteria>& other) const = 0;
    virtual int GetMaterialKind() const = 0;
    virtual const CDimension& GetThickness() const = 0;
    // The thickness, two spaces and the material's name.
    virtual QString GetDisplayText() const = 0;
};

class OptTargetCriteria : public ITargetCriteria,
                          public ManagedIdentityNotRemappedOnLockProject,
                          public std::enable_shared_from_this<OptTargetCriteria>
{
public:
    int GetMaterialKind() const override;
    virtual std::shared_ptr<IOptimizableMaterial> GetMaterial() const = 0;
    virtual QString FormatThickness() const = 0;
    // The stock size's thickness is within 32 counts of the criteria's.
    virtual bool MatchesThickness(const IOptimizableSize& size) const = 0;
    // A strict order: by material object, then by thickness (2-count gate).
    virtual bool Less(const OptTargetCriteria& other) const = 0;
    virtual std::shared_ptr<OptTargetCriteria> Clone() const = 0;
};

class ThicknessBasedOptTarget : public OptTargetCriteria
{
public:
    static constexpr std::uint32_t kTypeCode = 2;

    ThicknessBasedOptTarget() = default;
    ThicknessBasedOptTarget(std::shared_ptr<IOptimizableMaterial> material, const CDimension& thickness);

    bool Equals(const std::shared_ptr<ITargetCriteria>& other) const override;
    const CDimension& GetThickness() const override { return m_thickness; }
    QString GetDisplayText() const override;
    std::shared_ptr<IOptimizableMaterial> GetMaterial() const override { return m_material; }
    QString FormatThickness() const override;
    bool MatchesThickness(const IOptimizableSize& size) const override;
    bool Less(const OptTargetCriteria& other) const override;
    // A new target with the material resolved again through the library.
    std::shared_ptr<OptTargetCriteria> Clone() const override;

    std::uint32_t GetTypeCode() const override { return kTypeCode; }
    // uint32 schema 1, the material reference, the thickness.
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;
    void ReceiveResolvedReference(std::shared_ptr<IManagedIdentity> object) override;

private:
    std::shared_ptr<IOptimizableMaterial> m_material;
    CDimension m_thickness;
};

// Installs these criteria as the model's optimization-target services.
void RegisterThicknessTargetServices();
