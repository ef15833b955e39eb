#pragma once

#include "foundation/CDimension.h"
#include "model/CMoney.h"
#include "model/CVendor.h"

#include <QString>

#include <cstdint>
#include <memory>

class ArchiveWrapper;
class IdentityMapper;

// The persisted part of a stock-size row: thickness, unit cost, inventory
// flags, notes, bin and vendor. The vendor is shared: rows copied with Assign
// refer to the same vendor object.
class CMaterialSizeCost
{
public:
    CMaterialSizeCost();
    CMaterialSizeCost(const CDimension& thickness, const CMoney& unitCost);
    CMaterialSizeCost(const CMaterialSizeCost& other);
    CMaterialSizeCost& operator=(const CMaterialSizeCost& other);
    virtual ~CMaterialSizeCost() = default;

    // Copies every stored value and shares other's vendor; the mode word is reset.
    virtual void Assign(const CMaterialSizeCost& other);
    // As Assign, but with a vendor object of its own (same name).
    virtual void AssignWithVendorCopy(const CMaterialSizeCost& other);
    virtual bool HasSameThickness(const CMaterialSizeCost& other) const;
    virtual const CDimension& GetThickness() const { return m_thickness; }
    virtual QString GetTypeName() const;
    // Row record, version 3; the vendor goes through the identity mapper so
    // that a vendor shared by several rows is written once.
    virtual void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper);

    void SetThickness(const CDimension& thickness) { m_thickness = thickness; }
    const CMoney& GetUnitCost() const { return m_unitCost; }
    void SetUnitCost(const CMoney& cost) { m_unitCost = cost; }

    bool IsUnlimited() const { return m_unlimited == 1; }
    // Unlimited rows can always buy more.
    void SetUnlimited() { m_unlimited = 1; m_canBuyMore = 1; }
    bool IsOffCut() const { return m_offCut == 1; }
    void SetOffCut(bool offCut) { m_offCut = offCut ? 1 : 0; }
    // Only a row that is no off-cut can buy more.
    bool CanBuyMore() const { return m_offCut == 0 && m_canBuyMore == 1; }
    void SetCanBuyMore(bool canBuyMore) { m_canBuyMore = canBuyMore ? 1 : 0; }
    // The stored flag itself, kept through an off-cut phase (row copies need it).
    bool GetCanBuyMoreFlag() const { return m_canBuyMore == 1; }

    const CVendorPtr& GetVendor() const { return m_vendor; }
    void SetVendor(const CVendorPtr& vendor) { m_vendor = vendor; }
    const QString& GetSpecialNotes() const { return m_specialNotes; }
    void SetSpecialNotes(const QString& notes) { m_specialNotes = notes; }
    const QString& GetBin() const { return m_bin; }
    void SetBin(const QString& bin) { m_bin = bin; }
    std::int32_t GetModeWord() const { return m_modeWord; }
    void SetModeWord(std::int32_t word) { m_modeWord = word; }

    // Replaces the vendor by the library's vendor of the same displayed name,
    // which the library adds when it has none.
    void RelinkVendorToLibrary();

protected:
    // The unlimited word itself, for the inventory rules of the derived rows.
    void SetUnlimitedWord(std::int32_t word) { m_unlimited = word; }

private:
    CDimension m_thickness;
    CMoney m_unitCost;
    std::int32_t m_unlimited = 1;
    std::int32_t m_offCut = 0;
    std::int32_t m_canBuyMore = 1;
    CVendorPtr m_vendor;
    QString m_specialNotes;
    QString m_bin;
    std::int32_t m_modeWord = 0;
};
