#include "model/CSGSizeCost.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/SchemaVersion.h"
#include "model/ModelStrings.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

std::unique_ptr<CSheetGoodPS> DefaultScheme()
{
    if (std::unique_ptr<CSheetGoodPS> scheme = CreatePricingScheme(UiText(kStrDefaultSheetUnit)))
        return scheme;
    return std::make_unique<CSGPSSheet>();
}

std::unique_ptr<CSheetGoodPS> CopyScheme(const CSheetGoodPS* scheme)
{
    if (scheme) {
        std::unique_ptr<CPricingScheme> copy = scheme->CreateCopy();
        if (auto* sheetScheme = dynamic_cast<CSheetGoodPS*>(copy.get())) {
            copy.release();
            return std::unique_ptr<CSheetGoodPS>(sheetScheme);
        }
    }
    return DefaultScheme();
}

} // namespace

CSGSizeCost::CSGSizeCost()
    : m_scheme(DefaultScheme())
{
}

CSGSizeCost::CSGSizeCost(const CDimension& thickness, const CMoney& unitCost)
    : CMaterialSizeCost(thickness, unitCost)
    , m_scheme(DefaultScheme())
{
}

CSGSizeCost::CSGSizeCost(const CSGSizeCost& other)
    : CMaterialSizeCost(other)
{
    CopyOwnFields(other);
}

CSGSizeCost& CSGSizeCost::operator=(const CSGSizeCost& other)
{
    if (this != &other) {
        CMaterialSizeCost::Assign(other);
        CopyOwnFields(other);
    }
    return *this;
}

void CSGSizeCost::CopyOwnFields(const CSGSizeCost& other)
{
    m_scheme = CopyScheme(other.m_scheme.get());
    m_sheet = other.m_sheet;
    m_inventory = other.m_inventory;
}

void CSGSizeCost::Assign(const CMaterialSizeCost& other)
{
    if (this == &other)
        return;
    CMaterialSizeCost::Assign(other);
    if (const auto* row = dynamic_cast<const CSGSizeCost*>(&other))
        CopyOwnFields(*row);
}

void CSGSizeCost::AssignWithVendorCopy(const CMaterialSizeCost& other)
{
    if (this == &other)
        return;
    CMaterialSizeCost::AssignWithVendorCopy(other);
    if (const auto* row = dynamic_cast<const CSGSizeCost*>(&other))
        CopyOwnFields(*row);
}

void CSGSizeCost::SetPricingScheme(std::unique_ptr<CSheetGoodPS> scheme)
{
    if (scheme)
        m_scheme = std::move(scheme);
}

void CSGSizeCost::SetInventory(std::int32_t count)
{
    m_inventory = count;
    SetUnlimitedWord(0);
}

void CSGSizeCost::AdjustInventory(double delta)
{
    if (IsUnlimited() || !std::isfinite(delta))
        return;
    const double adjusted = static_cast<double>(m_inventory) + std::round(delta);
    m_inventory = static_cast<std::int32_t>(std::clamp(adjusted, 0.0, static_cast<double>(kMaxInventory)));
}

double CSGSizeCost::GetInventoryValue() const
{
    return IsUnlimited() ? static_cast<double>(std::numeric_limits<std::int32_t>::max())
                         : static_cast<double>(m_inventory);
}

void CSGSizeCost::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    CMaterialSizeCost::Serialize(ar, mapper);
    if (ar.IsStoring()) {
        ar.Write(std::int32_t{1});
        m_sheet.Serialize(ar);
        StorePricingScheme(ar, *m_scheme);
        ar.Write(static_cast<std::uint32_t>(m_inventory));
        return;
    }
    ReadOrThrow(ar, 1);
    m_sheet.Serialize(ar);
    m_scheme = LoadPricingScheme(ar);
    std::uint32_t inventory = 0;
    ar.Read(inventory);
    // A count beyond what the signed record holds would read as negative in
    // the text and the value but as 0 in the counts: it reads as no stock
    // everywhere, never as stock that does not exist.
    m_inventory = inventory > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())
        ? 0
        : static_cast<std::int32_t>(inventory);
}
