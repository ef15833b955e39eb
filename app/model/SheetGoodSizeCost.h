#pragma once

#include "model/CSGSizeCost.h"
#include "model/ISGSC.h"

#include <memory>

// The shared in-memory row of a sheet good's stock size. It owns one
// persisted record and presents it through the row interfaces.
class SheetGoodSizeCost : public ISGSC, public std::enable_shared_from_this<SheetGoodSizeCost>
{
public:
    // Type code of sheet-good rows in stored files.
    static constexpr std::uint32_t kTypeCode = 1;

    // A new row: 19 mm thick in the metric styles, 3/4 inch otherwise; no cost.
    SheetGoodSizeCost();
    explicit SheetGoodSizeCost(const CSGSizeCost& record);
    ~SheetGoodSizeCost() override = default;

    // Inventory
    QString GetInventoryText() const override;
    unsigned int GetInventory() const override;
    bool IsUnlimited() const override;
    bool CanBuyMore() const override;
    bool IsOffCut() const override;
    void SetInventory(unsigned int count) override;
    void SetUnlimited() override;
    void SetCanBuyMore(bool canBuyMore) override;
    void SetOffCut(bool offCut) override;

    // Row
    std::shared_ptr<ISGSC> Clone() const override;
    QString GetTypeName() const override;
    bool IsRemoved() const override { return m_removed; }
    void SetRemoved(bool removed) override { m_removed = removed; }
    std::shared_ptr<ISGSC> CloneWithVendorCopy() const override;
    bool GetModeFlag() const override;
    void SetModeFlag(bool flag) override;
    bool Matches(const ISGSC& other) const override;
    CSheetGoodPS* GetPricingScheme() const override;
    void SetPricingScheme(std::unique_ptr<CSheetGoodPS> scheme) override;
    SheetDimensions GetSheetDimensions() const override;
    void SetSheetDimensions(const SheetDimensions& sheet) override;
    void ResetPinnableID() override;
    void SetThickness(const CDimension& thickness) override;
    CMoney GetUnitCost() const override;
    void SetUnitCost(const CMoney* cost) override;
    int GetClassTag() const override;
    void AdjustInventory(double delta) override;
    double GetInventoryValue() const override;
    const CSGSizeCost& GetRecord() const override { return *m_record; }
    CSGSizeCost& GetRecordForEdit() override { return *m_record; }

    // Stock info
    CVendorPtr GetVendor() const override;
    QString GetSpecialNotes() const override;
    QString GetLabelText() const override;
    QString GetBin() const override;
    void SetVendor(const CVendorPtr& vendor) override;
    void SetSpecialNotes(const QString& notes) override;
    void SetBin(const QString& bin) override;

    // Optimizer view
    std::shared_ptr<ISGSC> CloneShared() const override;
    std::shared_ptr<OptTargetCriteria>
    CreateOptimizationTarget(const std::shared_ptr<IOptimizableMaterial>& material) const override;
    CDimension GetRoughWidth() const override;
    CDimension GetRoughLength() const override;
    CDimension GetTopBottomTrim() const override;
    CDimension GetLeftRightTrim() const override;
    QString GetDescription() const override;
    CDimension GetThickness() const override;
    QString GetThicknessText() const override;
    CDimension GetTrimmedWidth() const override;
    CDimension GetTrimmedLength() const override;
    CMoney GetFullCost() const override;
    unsigned int GetAvailable() const override;
    QString GetGradeText() const override;

    // Identity view
    // Version 1, the record, then the stamp.
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;
    std::uint32_t GetTypeCode() const override { return kTypeCode; }
    // A clone with the same stamp whose vendor is the lock's copy of it.
    std::shared_ptr<IManagedIdentity> MakeLockProjectCopy(const std::shared_ptr<IdentityMapper>& mapper) override;

private:
    std::shared_ptr<CSGSizeCost> m_record;
    bool m_removed = false;
};
