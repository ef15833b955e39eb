#include "model/SheetGoodSizeCost.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/DimensionFormatSettings.h"
#include "foundation/IdentityMapper.h"
#include "foundation/SchemaVersion.h"
#include "foundation/UserPrefsBase.h"
#include "model/ModelStrings.h"
#include "model/OptimizationTargetHooks.h"

#include <algorithm>
#include <limits>

namespace {

constexpr double kMetricDefaultThickness = 0.7480314960629921; // 19 mm
constexpr double kInchDefaultThickness = 0.75;
// Answered by the class-tag query; constant for sheet-good rows.
constexpr int kSheetGoodRowClassTag = 0x5347;

CDimension DefaultThickness()
{
    return CDimension::FromInches(IsMetricDimensionStyle() ? kMetricDefaultThickness : kInchDefaultThickness);
}

bool WidthBeforeLength()
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs ? prefs->GetFlag(PrefId::DisplayWxL) : true;
}

unsigned int AsCount(std::int32_t inventory)
{
    return static_cast<unsigned int>(std::max<std::int32_t>(inventory, 0));
}

} // namespace

SheetGoodSizeCost::SheetGoodSizeCost()
    : m_record(std::make_shared<CSGSizeCost>(DefaultThickness(), CMoney()))
{
}

SheetGoodSizeCost::SheetGoodSizeCost(const CSGSizeCost& record)
    : m_record(std::make_shared<CSGSizeCost>(record))
{
}

// Inventory ---------------------------------------------------------------------

QString SheetGoodSizeCost::GetInventoryText() const
{
    return IsUnlimited() ? QStringLiteral("*") : QString::number(m_record->GetInventory());
}

unsigned int SheetGoodSizeCost::GetInventory() const
{
    return AsCount(m_record->GetInventory());
}

bool SheetGoodSizeCost::IsUnlimited() const
{
    return m_record->IsUnlimited();
}

bool SheetGoodSizeCost::CanBuyMore() const
{
    return m_record->CanBuyMore();
}

bool SheetGoodSizeCost::IsOffCut() const
{
    return m_record->IsOffCut();
}

void SheetGoodSizeCost::SetInventory(unsigned int count)
{
    const unsigned int limit = static_cast<unsigned int>(std::numeric_limits<std::int32_t>::max());
    m_record->SetInventory(static_cast<std::int32_t>(std::min(count, limit)));
}

void SheetGoodSizeCost::SetUnlimited()
{
    m_record->SetUnlimited();
}

void SheetGoodSizeCost::SetCanBuyMore(bool canBuyMore)
{
    m_record->SetCanBuyMore(canBuyMore);
}

void SheetGoodSizeCost::SetOffCut(bool offCut)
{
    m_record->SetOffCut(offCut);
}

// Row -----------------------------------------------------------------------------

std::shared_ptr<ISGSC> SheetGoodSizeCost::Clone() const
{
    return std::make_shared<SheetGoodSizeCost>(*m_record);
}

QString SheetGoodSizeCost::GetTypeName() const
{
    return UiText(kStrSizeCostInfo);
}

std::shared_ptr<ISGSC> SheetGoodSizeCost::CloneWithVendorCopy() const
{
    auto copy = std::make_shared<SheetGoodSizeCost>();
    copy->m_record->AssignWithVendorCopy(*m_record);
    return copy;
}

bool SheetGoodSizeCost::GetModeFlag() const
{
    return m_record->GetModeWord() == 1;
}

void SheetGoodSizeCost::SetModeFlag(bool flag)
{
    m_record->SetModeWord(flag ? 1 : 0);
}

bool SheetGoodSizeCost::Matches(const ISGSC& other) const
{
    const CSGSizeCost& a = *m_record;
    const CSGSizeCost& b = other.GetRecord();
    const SheetDimensions& sa = a.GetSheetDimensions();
    const SheetDimensions& sb = b.GetSheetDimensions();
    const auto schemeCode = [](const CSheetGoodPS* scheme) { return scheme ? scheme->GetUnitCode() : 0; };
    const auto vendorName = [](const CVendorPtr& vendor) { return vendor ? vendor->GetDisplayName() : QString(); };
    return CDimension::ApproxEqual(a.GetThickness(), b.GetThickness()) && sa.IsEqual(sb)
        && schemeCode(a.GetPricingScheme()) == schemeCode(b.GetPricingScheme())
        && a.GetInventory() == b.GetInventory() && a.GetUnitCost() == b.GetUnitCost()
        && a.IsUnlimited() == b.IsUnlimited() && a.IsOffCut() == b.IsOffCut() && a.CanBuyMore() == b.CanBuyMore()
        && vendorName(a.GetVendor()) == vendorName(b.GetVendor()) && a.GetSpecialNotes() == b.GetSpecialNotes()
        && a.GetBin() == b.GetBin();
}

CSheetGoodPS* SheetGoodSizeCost::GetPricingScheme() const
{
    return m_record->GetPricingScheme();
}

void SheetGoodSizeCost::SetPricingScheme(std::unique_ptr<CSheetGoodPS> scheme)
{
    m_record->SetPricingScheme(std::move(scheme));
}

SheetDimensions SheetGoodSizeCost::GetSheetDimensions() const
{
    return m_record->GetSheetDimensions();
}

void SheetGoodSizeCost::SetSheetDimensions(const SheetDimensions& sheet)
{
    m_record->SetSheetDimensions(sheet);
}

void SheetGoodSizeCost::ResetPinnableID()
{
    PinnableID::Clear();
    m_record->RelinkVendorToLibrary();
}

void SheetGoodSizeCost::SetThickness(const CDimension& thickness)
{
    m_record->SetThickness(thickness);
}

CMoney SheetGoodSizeCost::GetUnitCost() const
{
    return m_record->GetUnitCost();
}

void SheetGoodSizeCost::SetUnitCost(const CMoney* cost)
{
    m_record->SetUnitCost(cost ? *cost : CMoney());
}

int SheetGoodSizeCost::GetClassTag() const
{
    return kSheetGoodRowClassTag;
}

void SheetGoodSizeCost::AdjustInventory(double delta)
{
    m_record->AdjustInventory(delta);
}

double SheetGoodSizeCost::GetInventoryValue() const
{
    return m_record->GetInventoryValue();
}

// Stock info ------------------------------------------------------------------------

CVendorPtr SheetGoodSizeCost::GetVendor() const
{
    return m_record->GetVendor();
}

QString SheetGoodSizeCost::GetSpecialNotes() const
{
    return m_record->GetSpecialNotes();
}

QString SheetGoodSizeCost::GetLabelText() const
{
    return GetSpecialNotes();
}

QString SheetGoodSizeCost::GetBin() const
{
    return m_record->GetBin();
}

void SheetGoodSizeCost::SetVendor(const CVendorPtr& vendor)
{
    m_record->SetVendor(vendor);
}

void SheetGoodSizeCost::SetSpecialNotes(const QString& notes)
{
    m_record->SetSpecialNotes(notes);
}

void SheetGoodSizeCost::SetBin(const QString& bin)
{
    m_record->SetBin(bin);
}

// Optimizer view ------------------------------------------------------------------------

std::shared_ptr<ISGSC> SheetGoodSizeCost::CloneShared() const
{
    return Clone();
}

std::shared_ptr<OptTargetCriteria>
SheetGoodSizeCost::CreateOptimizationTarget(const std::shared_ptr<IOptimizableMaterial>& material) const
{
    return ::CreateOptimizationTarget(material, m_record->GetThickness());
}

CDimension SheetGoodSizeCost::GetRoughWidth() const
{
    return m_record->GetSheetDimensions().GetWidth();
}

CDimension SheetGoodSizeCost::GetRoughLength() const
{
    return m_record->GetSheetDimensions().GetLength();
}

CDimension SheetGoodSizeCost::GetTopBottomTrim() const
{
    return m_record->GetSheetDimensions().GetTopBottomTrim();
}

CDimension SheetGoodSizeCost::GetLeftRightTrim() const
{
    return m_record->GetSheetDimensions().GetLeftRightTrim();
}

QString SheetGoodSizeCost::GetDescription() const
{
    const SheetDimensions& sheet = m_record->GetSheetDimensions();
    const QString width = sheet.GetWidth().FormatDimension();
    const QString length = sheet.GetLength().FormatDimension();
    const QString separator = QStringLiteral(" x ");
    return m_record->GetThickness().FormatDimension() + separator
        + (WidthBeforeLength() ? width + separator + length : length + separator + width);
}

CDimension SheetGoodSizeCost::GetThickness() const
{
    return m_record->GetThickness();
}

QString SheetGoodSizeCost::GetThicknessText() const
{
    return m_record->GetThickness().FormatDimension();
}

CDimension SheetGoodSizeCost::GetTrimmedWidth() const
{
    return m_record->GetSheetDimensions().GetTrimmedWidth();
}

CDimension SheetGoodSizeCost::GetTrimmedLength() const
{
    return m_record->GetSheetDimensions().GetTrimmedLength();
}

CMoney SheetGoodSizeCost::GetFullCost() const
{
    const CSheetGoodPS* scheme = m_record->GetPricingScheme();
    return scheme ? scheme->GetSheetCost(*this) : CMoney();
}

unsigned int SheetGoodSizeCost::GetAvailable() const
{
    return AsCount(m_record->GetInventory());
}

QString SheetGoodSizeCost::GetGradeText() const
{
    return UiText(kStrNotApplicable);
}

// Identity view -----------------------------------------------------------------------------

void SheetGoodSizeCost::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    if (ar.IsStoring())
        ar.Write(std::int32_t{1});
    else
        ReadOrThrow(ar, 1);
    m_record->Serialize(ar, mapper);
    PinnableID::Serialize(ar);
}

std::shared_ptr<IManagedIdentity> SheetGoodSizeCost::MakeLockProjectCopy(const std::shared_ptr<IdentityMapper>& mapper)
{
    auto copy = std::make_shared<SheetGoodSizeCost>(*m_record);
    copy->SetID(GetID());
    if (mapper && m_record->GetVendor()) {
        // The locked project's rows share the lock's copy of each vendor.
        if (auto vendor = std::dynamic_pointer_cast<CVendor>(mapper->Resolve(m_record->GetVendor())))
            copy->m_record->SetVendor(vendor);
    }
    return copy;
}
