#include "grids/SizeCostColumns.h"

#include "foundation/CParseField.h"
#include "foundation/ResourceBase.h"
#include "foundation/UserPrefsBase.h"
#include "grids/GridColumnRules.h"
#include "grids/GridsStrings.h"
#include "model/CPricingScheme.h"
#include "model/CSGSizeCost.h"
#include "model/MaterialsBase.h"
#include "model/ModelStrings.h"
#include "model/ParseFieldRow.h"
#include "model/SizeCostRowOps.h"

#include <QApplication>
#include <QPalette>

namespace sgsc {

namespace {

QString WithoutLineFeeds(QString text)
{
    text.remove(QLatin1Char('\n'));
    return text;
}

QString YesNo(bool flag)
{
    return flag ? UiText(kStrYes) : LoadUIString(kStrNo);
}

int CompareInts(long long a, long long b)
{
    return (a > b) - (a < b);
}

void FillCheckBox(CUGCell* cell, bool value)
{
    cell->SetCellType(kCheckBoxCellType);
    cell->SetCellTypeStyle(kStyleCheckBox);
    cell->SetAlignment(kAlignCentre);
    cell->SetNumber(value ? 1 : 0);
}

void FillFlagField(CParseField* field, bool flag)
{
    field->SetText(YesNo(flag));
    field->SetNumber(flag ? 1 : 0);
}

QString UnitName(const ISGSC& row)
{
    const CSheetGoodPS* scheme = row.GetPricingScheme();
    return scheme ? scheme->GetUnitText() : QString();
}

SheetDimensions With(
    const ISGSC& row, void (SheetDimensions::*set)(const CDimension&), const CDimension& value)
{
    SheetDimensions sheet = row.GetSheetDimensions();
    (sheet.*set)(value);
    return sheet;
}

} // namespace

// ------------------------------------------------------------------ shared

SizeCostColumn::SizeCostColumn(void* context, int fieldId, int headingId)
    : ColumnBase(context)
    , m_fieldId(fieldId)
    , m_headingId(headingId)
{ }

QString SizeCostColumn::GetHeadingText() const
{
    ResourceBase* resources = GetResources();
    return resources ? resources->HeaderText(m_headingId) : QString();
}

// ----------------------------------------------------------------- lengths

int LengthColumn::GetAlignment() const
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs ? prefs->GetInt(PrefId::DimensionAlignment) : kAlignRightMiddle;
}

bool LengthColumn::IsWarning(const ISGSC& row) const
{
    return CDimension::ApproxEqual(Get(row), CDimension::Zero());
}

int LengthColumn::Compare(Holder* a, Holder* b) const
{
    return CompareColumnLengths(Get(**a), Get(**b));
}

int LengthColumn::FillCell(Holder* row, CUGCell* cell)
{
    cell->SetText(Get(**row).FormatDimension());
    cell->SetCellTypeStyle(kStyleNumber);
    cell->SetAlignment(GetAlignment());
    if (IsWarning(**row))
        cell->SetBackColor(kWarningBackColor);
    return 0;
}

int LengthColumn::ParseText(Holder* pending, const QString& text, QWidget*, Holder*)
{
    CDimension value = Get(**pending);
    // An empty cell reads as zero: a size keeps its value, a trim becomes none.
    const QString typed = text.trimmed().isEmpty() ? QStringLiteral("0") : text;
    if (ParseDimensionInRange(typed, value, AllowsZero(), CDimension::MaxInches, false) != kEditAccepted)
        return kEditUnchanged;
    Set(**pending, value);
    return kEditAccepted;
}

void LengthColumn::ToParseField(Holder* row, CParseField* field)
{
    Get(**row).ToField(*field, CParseField::TextSet | CParseField::NumberSet);
}

bool LengthColumn::ApplyParseField(Holder* row, const CParseField* field, int)
{
    CDimension value;
    if (!value.ParseField(*field, AllowsZero(), false))
        return false;
    Set(**row, value);
    return true;
}

CColInfoSGActThick::CColInfoSGActThick(void* context)
    : Cloning(context, 26, kStrSCColThickness)
{ }

int CColInfoSGActThick::FillCell(Holder* row, CUGCell* cell)
{
    LengthColumn::FillCell(row, cell);
    const QString notes = (*row)->GetSpecialNotes();
    if (!notes.isEmpty() && m_noteCellType >= 0) {
        cell->SetCellType(m_noteCellType);
        cell->SetLabelText(notes);
    }
    return 0;
}

CColInfoSGWidth::CColInfoSGWidth(void* context)
    : Cloning(context, 30, kStrSCColWidth)
{ }

void CColInfoSGWidth::Set(ISGSC& row, const CDimension& value) const
{
    row.SetSheetDimensions(With(row, &SheetDimensions::SetWidth, value));
}

CColInfoSGLength::CColInfoSGLength(void* context)
    : Cloning(context, 32, kStrSCColLength)
{ }

void CColInfoSGLength::Set(ISGSC& row, const CDimension& value) const
{
    row.SetSheetDimensions(With(row, &SheetDimensions::SetLength, value));
}

CColInfoLRTrim::CColInfoLRTrim(void* context)
    : Cloning(context, 49, kStrSCColLRTrim)
{ }

void CColInfoLRTrim::Set(ISGSC& row, const CDimension& value) const
{
    row.SetSheetDimensions(With(row, &SheetDimensions::SetLeftRightTrim, value));
}

bool CColInfoLRTrim::IsWarning(const ISGSC& row) const
{
    return row.GetSheetDimensions().IsLeftRightTrimTooLarge();
}

CColInfoTBTrim::CColInfoTBTrim(void* context)
    : Cloning(context, 50, kStrSCColTBTrim)
{ }

void CColInfoTBTrim::Set(ISGSC& row, const CDimension& value) const
{
    row.SetSheetDimensions(With(row, &SheetDimensions::SetTopBottomTrim, value));
}

bool CColInfoTBTrim::IsWarning(const ISGSC& row) const
{
    return row.GetSheetDimensions().IsTopBottomTrimTooLarge();
}

// --------------------------------------------------------------- unit cost

CColInfoSGUnitCost::CColInfoSGUnitCost(void* context)
    : Cloning(context, 33, kStrSCColUnitCost)
{ }

int CColInfoSGUnitCost::Compare(Holder* a, Holder* b) const
{
    return CompareInts((*a)->GetUnitCost().GetCount(), (*b)->GetUnitCost().GetCount());
}

int CColInfoSGUnitCost::FillCell(Holder* row, CUGCell* cell)
{
    cell->SetText((*row)->GetUnitCost().FormatText());
    cell->SetCellTypeStyle(kStyleNumber);
    cell->SetAlignment(GetAlignment());
    return 0;
}

int CColInfoSGUnitCost::ParseText(Holder* pending, const QString& text, QWidget*, Holder*)
{
    const CMoney current = (*pending)->GetUnitCost();
    CMoney typed = current;
    // Text that is no amount and negative amounts leave the cost as it was.
    if (!typed.ParseCurrency(text.trimmed(), CMoney::AllowZero) || typed == current)
        return kEditUnchanged;
    (*pending)->SetUnitCost(&typed);
    return kEditAccepted;
}

void CColInfoSGUnitCost::ToParseField(Holder* row, CParseField* field)
{
    (*row)->GetUnitCost().ToField(*field, CParseField::TextSet | CParseField::NumberSet);
}

bool CColInfoSGUnitCost::ApplyParseField(Holder* row, const CParseField* field, int)
{
    // A negative amount is refused here too: it would price every sheet below nothing.
    CMoney amount;
    if (!amount.FromField(*field) || amount.GetCount() < 0)
        return false;
    (*row)->SetUnitCost(&amount);
    return true;
}

// ------------------------------------------------------------------- units

CColInfoSGUnits::CColInfoSGUnits(void* context)
    : Cloning(context, 37, kStrSCColUnits)
{ }

int CColInfoSGUnits::Compare(Holder* a, Holder* b) const
{
    return CompareColumnTexts(UnitName(**a), UnitName(**b));
}

QString& CColInfoSGUnits::ChoiceList()
{
    static QString choices;
    return choices;
}

int CColInfoSGUnits::FillCell(Holder* row, CUGCell* cell)
{
    cell->SetCellType(kDropListCellType);
    cell->SetCellTypeStyle(kStyleDropList);
    cell->SetLabelText(ChoiceList());
    cell->SetText(UnitName(**row));
    cell->SetAlignment(GetAlignment());
    return 0;
}

int CColInfoSGUnits::SetFromCell(Holder* pending, CUGCell* cell, Holder*)
{
    const QString unit = cell->GetText();
    if (unit.isEmpty())
        return kEditUnchanged;
    std::unique_ptr<CSheetGoodPS> scheme = CreatePricingScheme(unit);
    if (!scheme)
        return kEditUnchanged;
    (*pending)->SetPricingScheme(std::move(scheme));
    return kEditAccepted;
}

void CColInfoSGUnits::ToParseField(Holder* row, CParseField* field)
{
    field->SetText(UnitName(**row));
}

bool CColInfoSGUnits::ApplyParseField(Holder* row, const CParseField* field, int)
{
    std::unique_ptr<CSheetGoodPS> scheme = CreatePricingScheme(field->GetText());
    if (!scheme)
        return false;
    (*row)->SetPricingScheme(std::move(scheme));
    return true;
}

// --------------------------------------------------------------- inventory

CColInfoSGInventory::CColInfoSGInventory(void* context)
    : Cloning(context, 34, kStrSCColInventory)
{ }

int CColInfoSGInventory::Compare(Holder* a, Holder* b) const
{
    return CompareInts((*a)->GetInventory(), (*b)->GetInventory());
}

int CColInfoSGInventory::FillCell(Holder* row, CUGCell* cell)
{
    cell->SetText((*row)->GetInventoryText());
    cell->SetCellTypeStyle(kStyleNumber);
    cell->SetAlignment(GetAlignment());
    return 0;
}

int CColInfoSGInventory::ParseText(Holder* pending, const QString& text, QWidget*, Holder*)
{
    if (text == QStringLiteral("*")) {
        (*pending)->SetUnlimited();
        return kEditAccepted;
    }
    // The leading number counts; text without one is none in stock.
    int count = 0;
    if (ParseCountInRange(text, count, static_cast<int>(kMaxInventory), false) != 0)
        return kEditUnchanged;
    (*pending)->SetInventory(static_cast<unsigned>(count));
    return kEditAccepted;
}

void CColInfoSGInventory::ToParseField(Holder* row, CParseField* field)
{
    field->SetText((*row)->GetInventoryText());
    field->SetNumber((*row)->GetInventory());
}

bool CColInfoSGInventory::ApplyParseField(Holder* row, const CParseField* field, int)
{
    if (field->HasText() && field->GetText() == QStringLiteral("*")) {
        (*row)->SetUnlimited();
        return true;
    }
    if (field->HasNumber()) {
        // A negative number would wrap to some four billion sheets.
        const double number = field->GetNumber();
        if (!(number >= 0.0 && number <= kMaxInventory))
            return false;
        (*row)->SetInventory(static_cast<unsigned>(number));
        return true;
    }
    if (field->HasText()) {
        int count = 0;
        if (ParseCountInRange(field->GetText(), count, static_cast<int>(kMaxInventory), false) != 0)
            return false;
        (*row)->SetInventory(static_cast<unsigned>(count));
        return true;
    }
    return false;
}

// ------------------------------------------------------------ can buy more

CColInfoSGCanBuyMore::CColInfoSGCanBuyMore(void* context)
    : Cloning(context, 47, kStrSCColCanBuyMore)
{ }

int CColInfoSGCanBuyMore::Compare(Holder* a, Holder* b) const
{
    const auto key = [](const ISGSC& row) { return row.IsUnlimited() ? -1 : (row.CanBuyMore() ? 1 : 0); };
    return CompareInts(key(**a), key(**b));
}

int CColInfoSGCanBuyMore::FillCell(Holder* row, CUGCell* cell)
{
    if ((*row)->IsUnlimited() || (*row)->IsOffCut()) {
        cell->SetText(UiText(kStrNotApplicable));
        cell->SetReadOnly(1);
        cell->SetAlignment(kAlignCentre);
        cell->SetBackColor(platform::SystemColorRef(platform::SystemColor::ButtonLight));
        return 0;
    }
    FillCheckBox(cell, (*row)->CanBuyMore());
    return 0;
}

int CColInfoSGCanBuyMore::SetFromCell(Holder* pending, CUGCell* cell, Holder*)
{
    (*pending)->SetCanBuyMore(cell->GetNumber() > 0);
    return kEditAccepted;
}

void CColInfoSGCanBuyMore::ToParseField(Holder* row, CParseField* field)
{
    const ISGSC& item = **row;
    // The stored flag travels even where an off-cut hides it.
    const bool flag = item.GetRecord().GetCanBuyMoreFlag();
    if (item.IsUnlimited() || item.IsOffCut()) {
        field->SetText(UiText(kStrNotApplicable));
        field->SetNumber(flag ? 1 : 0);
    } else {
        FillFlagField(field, flag);
    }
}

bool CColInfoSGCanBuyMore::ApplyParseField(Holder* row, const CParseField* field, int)
{
    (*row)->SetCanBuyMore(ParseFieldToBool(*field));
    return true;
}

// ----------------------------------------------------------------- off-cut

CColInfoSGOffCut::CColInfoSGOffCut(void* context)
    : Cloning(context, 48, kStrSCColOffCut)
{ }

int CColInfoSGOffCut::Compare(Holder* a, Holder* b) const
{
    return CompareInts((*a)->IsOffCut(), (*b)->IsOffCut());
}

int CColInfoSGOffCut::FillCell(Holder* row, CUGCell* cell)
{
    FillCheckBox(cell, (*row)->IsOffCut());
    return 0;
}

int CColInfoSGOffCut::SetFromCell(Holder* pending, CUGCell* cell, Holder*)
{
    const bool offCut = cell->GetNumber() > 0;
    (*pending)->SetOffCut(offCut);
    if (offCut)
        (*pending)->SetCanBuyMore(false);
    return kEditAccepted;
}

void CColInfoSGOffCut::ToParseField(Holder* row, CParseField* field)
{
    FillFlagField(field, (*row)->IsOffCut());
}

bool CColInfoSGOffCut::ApplyParseField(Holder* row, const CParseField* field, int)
{
    (*row)->SetOffCut(ParseFieldToBool(*field));
    return true;
}

// ------------------------------------------------------------------ vendor

CColInfoVendor::CColInfoVendor(void* context)
    : Cloning(context, 35, kStrColumnVendor)
{ }

QString CColInfoVendor::ShownName(const ISGSC& row)
{
    const CVendorPtr vendor = row.GetVendor();
    return vendor ? GetRefNameOrDeleted(*vendor) : UiText(kStrDeletedVendor);
}

int CColInfoVendor::Compare(Holder* a, Holder* b) const
{
    return CompareColumnTexts(ShownName(**a), ShownName(**b));
}

int CColInfoVendor::FillCell(Holder* row, CUGCell* cell)
{
    const MaterialsBase* library = GetMaterialsLibrary();
    cell->SetCellType(kDropListCellType);
    cell->SetCellTypeStyle(kStyleDropList);
    cell->SetLabelText(library ? library->GetVendorNameList() : QString());
    cell->SetText(ShownName(**row));
    cell->SetAlignment(GetAlignment());
    return 0;
}

int CColInfoVendor::SetFromCell(Holder* pending, CUGCell* cell, Holder*)
{
    const QString chosen = cell->GetText();
    if (chosen == ShownName(**pending))
        return kEditUnchanged;
    const MaterialsBase* library = GetMaterialsLibrary();
    (*pending)->SetVendor(library ? library->FindVendor(chosen) : nullptr);
    return kEditAccepted;
}

void CColInfoVendor::ToParseField(Holder* row, CParseField* field)
{
    field->SetText(ShownName(**row));
}

bool CColInfoVendor::ApplyParseField(Holder* row, const CParseField* field, int flags)
{
    MaterialsBase* library = GetMaterialsLibrary();
    CVendorPtr vendor = library ? library->FindVendor(field->GetText()) : nullptr;
    if (!vendor && library && (flags & kPasteCreateReferences))
        vendor = library->FindOrAddVendor(field->GetText());
    (*row)->SetVendor(vendor);
    return true;
}

// --------------------------------------------------------------------- bin

CColInfoBin::CColInfoBin(void* context)
    : Cloning(context, 38, kStrColumnBin)
{ }

int CColInfoBin::Compare(Holder* a, Holder* b) const
{
    return CompareColumnTexts((*a)->GetBin(), (*b)->GetBin());
}

int CColInfoBin::FillCell(Holder* row, CUGCell* cell)
{
    cell->SetText((*row)->GetBin());
    cell->SetCellTypeStyle(kStyleText);
    cell->SetAlignment(GetAlignment());
    return 0;
}

int CColInfoBin::ParseText(Holder* pending, const QString& text, QWidget*, Holder*)
{
    (*pending)->SetBin(WithoutLineFeeds(text));
    return kEditAccepted;
}

void CColInfoBin::ToParseField(Holder* row, CParseField* field)
{
    field->SetText((*row)->GetBin());
}

bool CColInfoBin::ApplyParseField(Holder* row, const CParseField* field, int)
{
    (*row)->SetBin(field->GetText());
    return true;
}

// ------------------------------------------------------------------- notes

CColInfoSpecialNotes::CColInfoSpecialNotes(void* context)
    : Cloning(context, 61, kStrSCColNotes)
{ }

int CColInfoSpecialNotes::Compare(Holder* a, Holder* b) const
{
    return CompareColumnTexts((*a)->GetSpecialNotes(), (*b)->GetSpecialNotes());
}

int CColInfoSpecialNotes::FillCell(Holder* row, CUGCell* cell)
{
    cell->SetText((*row)->GetSpecialNotes());
    cell->SetCellTypeStyle(kStyleText);
    cell->SetAlignment(GetAlignment());
    return 0;
}

int CColInfoSpecialNotes::ParseText(Holder* pending, const QString& text, QWidget*, Holder*)
{
    const QString notes = WithoutLineFeeds(text);
    if (notes == (*pending)->GetSpecialNotes())
        return kEditUnchanged;
    (*pending)->SetSpecialNotes(notes);
    return kEditAccepted;
}

void CColInfoSpecialNotes::ToParseField(Holder* row, CParseField* field)
{
    field->SetText((*row)->GetSpecialNotes());
    field->SetSecondText((*row)->GetLabelText());
    field->SetFlags(field->GetFlags() | kSecondTextSet);
}

bool CColInfoSpecialNotes::ApplyParseField(Holder* row, const CParseField* field, int flags)
{
    (*row)->SetSpecialNotes((flags & kPasteSecondText) ? field->GetSecondText() : field->GetText());
    return true;
}

} // namespace sgsc
