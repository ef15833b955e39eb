#pragma once

#include "model/CMaterialEx.h"
#include "model/GrainInfo.h"
#include "model/IOptimizableMaterial.h"
#include "model/ISGSC.h"

#include <QString>

#include <memory>
#include <vector>

class CommandBase;
class IdentityMapper;

// The optimizable kind of material: a named sheet good with its stock sizes
// and costs (size/cost rows, in the order shown and stored), its saw setup
// and its grain information. Sheet goods live in the materials library and
// are shared through shared pointers.
class CSheetGoodEx : public CMilledMaterial,
                     public IOptimizableMaterial,
                     public std::enable_shared_from_this<CSheetGoodEx>
{
public:
    static constexpr int kKind = 3;
    static constexpr std::int32_t kVersion = 3;

    CSheetGoodEx();
    explicit CSheetGoodEx(const QString& name);
    // Defaults, then the material data of other (no rows, new identities).
    CSheetGoodEx(const CSheetGoodEx& other);
    ~CSheetGoodEx() override;

    // Material operations.
    bool Query7() const override { return true; }
    std::shared_ptr<CMaterialEx> Clone() const override { return CloneSheetGood(); }
    std::shared_ptr<CMaterialEx> CloneWithSizeCosts() const override;
    int GetMaterialTypeCode() const override { return 1; }
    bool Query16() const override { return true; }
    std::shared_ptr<CMaterialEx> FindLibraryCopyByName() const override;
    std::shared_ptr<CMaterialEx> FindLibraryCopyByPinnableID() const override;
    QString MakeUniqueName(const QString& baseName) const override;
    QString GetMaterialNameList() const override;
    QString GetTypeName() const override;
    std::shared_ptr<OptTargetCriteria> CreateOptimizationTarget(
        const CDimension& thickness, const CDimension& width, const CDimension& length) override;
    // Name, placeholder flag, saw setup and grain flags; not the rows, not
    // the identities.
    virtual void AssignMaterial(const CSheetGoodEx& other);
    virtual int Constant27() const { return 585; }
    virtual std::uint64_t GetChangeMask() const { return 512; }
    virtual bool Query29() const { return false; }

    std::shared_ptr<CSheetGoodEx> CloneSheetGood() const;
    std::shared_ptr<CSheetGoodEx> CloneSheetGoodWithSizeCosts() const;
    std::shared_ptr<CSheetGoodEx> FindLibraryTwinByName() const;
    std::shared_ptr<CSheetGoodEx> FindLibraryTwinByPinnableID() const;

    // Material data.
    const GrainInfo& GetGrainInfo() const override { return m_grain; }
    GrainInfo& GetGrainInfoForEdit() { return m_grain; }
    bool UsesFancyAnnotation() const override;

    // Edit commands.
    std::shared_ptr<CommandBase> CreateGrainEdit(const GrainInfo& newFlags) override;
    std::shared_ptr<CommandBase> CreateNewCommand() override;
    std::shared_ptr<CommandBase> CreateEditCommand(const std::shared_ptr<CMaterialEx>& edited) override;
    void ResetPinnableIDs() override;

    // Optimizable material.
    std::vector<std::shared_ptr<IOptimizableSize>> GetStockSizes(
        const OptTargetCriteria& criteria, const StockUsageMap& usage) const override;
    bool IsUnspecified() const override;
    int GetKind() const override { return kKind; }
    const IMaterialData* AsMaterialData() const override { return this; }
    std::shared_ptr<ISGSC> FindSizeCost(const IOptimizableSize* handle) const override;
    std::shared_ptr<IOptimizableSize> FindMatchingSizeCost(const ISGSC& row) const override;
    void AddSizeCostUnrecorded(const std::shared_ptr<ISGSC>& row) override;
    std::shared_ptr<ISGSC> FindSizeCostByPinnableID(const UniqueStamp& stamp) const override;
    std::uint64_t GetMaterialIdentity() const override { return GetIdentity(); }
    std::shared_ptr<MaterialBOMBase> CreateBOM() override;
    std::shared_ptr<BOMLineItemBase> CreateBOMLineItem(const std::shared_ptr<ISGSC>& row) const override;

    // Identity view.
    std::uint32_t GetTypeCode() const override { return kKind; }
    bool IsDefaultMaterial() const override;
    std::shared_ptr<IManagedIdentity> MakeLockProjectCopy(
        const std::shared_ptr<IdentityMapper>& mapper) override;
    // Material record, version 3, rows, grain, saw setup, pinnable stamp.
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;

    // Rows.
    std::vector<std::shared_ptr<ISGSC>>& GetSizeCosts() { return m_rows; }
    const std::vector<std::shared_ptr<ISGSC>>& GetSizeCosts() const { return m_rows; }

protected:
    void OnPinnableIDCleared() override;

private:
    std::vector<std::shared_ptr<ISGSC>> m_rows;
    GrainInfo m_grain;
};

using CSheetGoodPtr = std::shared_ptr<CSheetGoodEx>;

// True when the saw setups or the grain informations differ in cutting.
bool CuttingDataDiffers(const CSheetGoodEx& a, const CSheetGoodEx& b);
// 521 when the names differ (with case), or-ed with the saw setup and grain masks.
std::uint64_t SheetGoodChangeMask(const CSheetGoodEx& oldMaterial, const CSheetGoodEx& newMaterial);
// 128 when the names differ, or-ed with the saw setup and grain codes.
int SheetGoodChangeCode(const CSheetGoodEx& oldMaterial, const CSheetGoodEx& newMaterial);

// The static material of parts without one, named "Not Specified".
std::shared_ptr<CSheetGoodEx> GetDefaultMaterial();
void UseLiteralDefaultMaterialName();
void UseLocalizedDefaultMaterialName();

// Registers the data model with the layers around it: the sheet good as the
// product of its material kind, the target criteria, the default material of
// the identity preamble, the first-start library installer and the receiver
// of the part-number style. Called by the library and the tools (idempotent).
void RegisterSheetGoodServices();
