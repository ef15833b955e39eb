#include "grids/PartsGridColumns.h"

#include "foundation/CmdHistory.h"
#include "foundation/ResourceBase.h"
#include "foundation/UserPrefsBase.h"
#include "grids/GridColumnRules.h"
#include "grids/PartsGridStrings.h"
#include "model/CSheetGoodEx.h"
#include "model/MaterialCommands.h"
#include "model/MaterialFactory.h"
#include "model/MaterialsBase.h"
#include "model/ParseFieldRow.h"
#include "optimization/DiagramIndex.h"

#include <platform/ui/ColorRef.h>

#include <algorithm>

namespace {

constexpr int kStyleReadOnlyLook = 4;
constexpr int kStylePlain = 1;
constexpr int kStyleDropList = 512;
constexpr int kDropListCellType = 1;
constexpr int kDefaultDimensionAlignment = 34;
constexpr std::uint16_t kFreeTextPartIDs = 3;
// Material kinds that the grid shows read only, with the default material.
constexpr int kReadOnlyMaterialKindA = 4;
constexpr int kReadOnlyMaterialKindB = 5;

CMilledPart& PartOf(PartColumnInfo::Holder* holder)
{
    return **holder;
}

void MarkReadOnly(CUGCell* cell)
{
    cell->SetReadOnly(1);
    cell->SetBackColor(platform::SystemColorRef(platform::SystemColor::ButtonLight));
}

int CompareNumbers(std::uint64_t a, std::uint64_t b)
{
    return (a > b) - (a < b);
}

bool IsReadOnlyMaterialKind(int kind)
{
    return kind == kReadOnlyMaterialKindA || kind == kReadOnlyMaterialKindB;
}

QString FieldText(const CParseField* field, int flags)
{
    return (flags & kPartFieldOwnRows) ? field->GetSecondText() : field->GetText();
}

} // namespace

// ---------------------------------------------------------------- base

QString PartColumnBase::GetFieldName() const
{
    return LoadUIString(m_headingId);
}

QString PartColumnBase::GetHeadingText() const
{
    ResourceBase* resources = GetResources();
    return resources ? resources->HeaderText(m_headingId) : QString();
}

// ---------------------------------------------------------------- part number

CColInfoPartID::CColInfoPartID(void* context)
    : PartColumnBase(context, kStrColPartID, 1)
{ }

std::unique_ptr<PartColumnInfo> CColInfoPartID::Clone() const
{
    return std::make_unique<CColInfoPartID>(GetContext());
}

int CColInfoPartID::Compare(Holder* a, Holder* b) const
{
    const CPartID& left = PartOf(a).GetID();
    const CPartID& right = PartOf(b).GetID();
    if (CPartID::IsLess(left, right))
        return -1;
    return CPartID::IsLess(right, left) ? 1 : 0;
}

int CColInfoPartID::FillCell(Holder* row, CUGCell* cell)
{
    const CMilledPart& part = PartOf(row);
    cell->SetText(part.GetID().FormatPartID());
    cell->SetCellTypeStyle(kStyleReadOnlyLook);
    if (CPartID::GetPartIDDisplayMode() != kFreeTextPartIDs)
        MarkReadOnly(cell);
    if (!part.GetSpecialNotes().isEmpty() && m_noteCellType >= 0) {
        cell->SetCellType(m_noteCellType);
        cell->SetLabelText(part.GetSpecialNotesText());
    }
    return 0;
}

int CColInfoPartID::ParseText(Holder* pending, const QString& text, QWidget*, Holder*)
{
    CMilledPart& part = PartOf(pending);
    if (part.GetID().FormatPartID() == text)
        return kEditUnchanged;
    part.GetIDForEdit().SetText(text);
    return kEditAccepted;
}

void CColInfoPartID::ToParseField(Holder* row, CParseField* field)
{
    PartOf(row).GetID().ToField(*field, 7);
}

bool CColInfoPartID::ApplyParseField(Holder* row, const CParseField* field, int)
{
    return PartOf(row).GetIDForEdit().FromField(*field);
}

// ---------------------------------------------------------------- description

CColInfoPartDescription::CColInfoPartDescription(void* context)
    : PartColumnBase(context, kStrColPartDescription, 5)
{ }

std::unique_ptr<PartColumnInfo> CColInfoPartDescription::Clone() const
{
    return std::make_unique<CColInfoPartDescription>(GetContext());
}

int CColInfoPartDescription::Compare(Holder* a, Holder* b) const
{
    return CompareColumnTexts(PartOf(a).GetDescription(), PartOf(b).GetDescription());
}

int CColInfoPartDescription::FillCell(Holder* row, CUGCell* cell)
{
    cell->SetText(PartOf(row).GetDescription());
    cell->SetCellTypeStyle(kStyleReadOnlyLook);
    return 0;
}

int CColInfoPartDescription::ParseText(Holder* pending, const QString& text, QWidget*, Holder*)
{
    CMilledPart& part = PartOf(pending);
    if (part.GetDescription() == text)
        return kEditUnchanged;
    part.SetDescription(text);
    return kEditAccepted;
}

void CColInfoPartDescription::ToParseField(Holder* row, CParseField* field)
{
    field->SetText(PartOf(row).GetDescription());
    field->SetSecondText(PartOf(row).GetDescription());
}

bool CColInfoPartDescription::ApplyParseField(Holder* row, const CParseField* field, int flags)
{
    PartOf(row).SetDescription(FieldText(field, flags));
    return true;
}

// ---------------------------------------------------------------- copies

CColInfoCopies::CColInfoCopies(void* context)
    : PartColumnBase(context, kStrColCopies, 6)
{ }

std::unique_ptr<PartColumnInfo> CColInfoCopies::Clone() const
{
    return std::make_unique<CColInfoCopies>(GetContext());
}

int CColInfoCopies::Compare(Holder* a, Holder* b) const
{
    return CompareNumbers(PartOf(a).GetCopies(), PartOf(b).GetCopies());
}

int CColInfoCopies::FillCell(Holder* row, CUGCell* cell)
{
    cell->SetText(PartOf(row).FormatCopies());
    cell->SetCellTypeStyle(kStyleReadOnlyLook);
    cell->SetAlignment(kAlignRightMiddle);
    return 0;
}

int CColInfoCopies::ParseText(Holder* pending, const QString& text, QWidget*, Holder* row)
{
    // Letters or an empty box are no count: refused, never read as 0 copies.
    int value = 0;
    if (ParseNonNegativeInteger(text, &value) != kEditAccepted)
        return kEditBadValue;
    const auto copies = static_cast<std::uint32_t>(value);
    CMilledPart& part = PartOf(pending);
    if (copies == part.GetCopies())
        return kEditUnchanged;
    const CMilledPart& stored = PartOf(row);
    if (stored.HasHandPlacedCopies() && copies < stored.GetHandPlacedCopies())
        return kEditRefusedPinnedCopies;
    part.SetCopies(copies);
    if (copies < stored.GetCopies() && stored.GetDraggedOffCopies() > 0) {
        const std::uint32_t reduction = std::min(stored.GetCopies() - copies, stored.GetDraggedOffCopies());
        part.SetDraggedOffCopies(stored.GetDraggedOffCopies() - reduction);
    }
    return kEditAccepted;
}

void CColInfoCopies::ToParseField(Holder* row, CParseField* field)
{
    field->SetText(PartOf(row).FormatCopies());
    field->SetNumber(PartOf(row).GetCopies());
}

bool CColInfoCopies::ApplyParseField(Holder* row, const CParseField* field, int)
{
    PartOf(row).SetCopies(static_cast<std::uint32_t>(std::max(0, ParseFieldToInt(*field))));
    return true;
}

// ---------------------------------------------------------------- sizes

int PartDimensionColumn::Compare(Holder* a, Holder* b) const
{
    return CompareColumnLengths(Get(PartOf(a)), Get(PartOf(b)));
}

int PartDimensionColumn::FillCell(Holder* row, CUGCell* cell)
{
    cell->SetText(Get(PartOf(row)).FormatDimension());
    cell->SetCellTypeStyle(kStyleReadOnlyLook);
    cell->SetAlignment(GetAlignment());
    return 0;
}

int PartDimensionColumn::ParseText(Holder* pending, const QString& text, QWidget*, Holder* row)
{
    const CDimension value(text, false, false);
    if (!value.IsValid())
        return kEditBadValue;
    CMilledPart& part = PartOf(pending);
    // The cell shows the value rounded to the display's precision: its own
    // text confirmed again is no new value.
    if (CDimension::ApproxEqual(value, Get(part)) || text.trimmed() == Get(part).FormatDimension().trimmed())
        return kEditUnchanged;
    if (PartOf(row).HasHandPlacedCopies())
        return kEditRefusedPinnedGeometry;
    Set(part, value);
    return kEditAccepted;
}

void PartDimensionColumn::ToParseField(Holder* row, CParseField* field)
{
    Get(PartOf(row)).ToField(*field, 7);
}

bool PartDimensionColumn::ApplyParseField(Holder* row, const CParseField* field, int)
{
    CDimension value = Get(PartOf(row));
    if (!value.FromField(*field))
        return false;
    Set(PartOf(row), value);
    return true;
}

int PartDimensionColumn::GetAlignment() const
{
    const UserPrefsBase* prefs = GetUserPrefs();
    const int value = prefs ? prefs->GetInt(PrefId::DimensionAlignment) : 0;
    return value > 0 ? value : kDefaultDimensionAlignment;
}

CColInfoThickness::CColInfoThickness(void* context)
    : PartDimensionColumn(context, kStrColPartThickness, 8)
{ }

std::unique_ptr<PartColumnInfo> CColInfoThickness::Clone() const
{
    return std::make_unique<CColInfoThickness>(GetContext());
}

CColInfoWidth::CColInfoWidth(void* context)
    : PartDimensionColumn(context, kStrColPartWidth, 9)
{ }

std::unique_ptr<PartColumnInfo> CColInfoWidth::Clone() const
{
    return std::make_unique<CColInfoWidth>(GetContext());
}

CColInfoLength::CColInfoLength(void* context)
    : PartDimensionColumn(context, kStrColPartLength, 10)
{ }

std::unique_ptr<PartColumnInfo> CColInfoLength::Clone() const
{
    return std::make_unique<CColInfoLength>(GetContext());
}

// ---------------------------------------------------------------- material

CColInfoMatName::CColInfoMatName(void* context)
    : PartColumnBase(context, kStrColPartMaterial, 12)
{ }

std::unique_ptr<PartColumnInfo> CColInfoMatName::Clone() const
{
    return std::make_unique<CColInfoMatName>(GetContext());
}

int CColInfoMatName::Compare(Holder* a, Holder* b) const
{
    return CompareColumnTexts(PartOf(a).GetMaterialName(), PartOf(b).GetMaterialName());
}

int CColInfoMatName::FillCell(Holder* row, CUGCell* cell)
{
    const CMilledPart& part = PartOf(row);
    cell->SetText(part.GetMaterialName());
    if (IsReadOnlyMaterialKind(part.GetMaterialKind())) {
        MarkReadOnly(cell);
        cell->SetCellTypeStyle(kStyleReadOnlyLook);
    } else {
        cell->SetCellType(kDropListCellType);
        cell->SetCellTypeStyle(kStyleDropList);
        cell->SetLabelText(part.GetMaterialCellText());
    }
    return 0;
}

int CColInfoMatName::SetFromCell(Holder* pending, CUGCell* cell, Holder* row)
{
    CMilledPart& part = PartOf(pending);
    const QString name = cell->GetText();
    if (part.GetMaterialName() == name)
        return kEditUnchanged;
    if (PartOf(row).HasHandPlacedCopies())
        return kEditRefusedPinnedGeometry;
    MaterialsBase* library = GetMaterialsLibrary();
    if (!library)
        return kEditBadValue;
    if (auto material = library->FindMaterialOfKind(name, part.GetMaterialKind()))
        part.SetMaterial(material);
    return kEditAccepted;
}

void CColInfoMatName::ToParseField(Holder* row, CParseField* field)
{
    field->SetText(PartOf(row).GetMaterialName());
}

bool CColInfoMatName::ApplyParseField(Holder* row, const CParseField* field, int flags)
{
    CMilledPart& part = PartOf(row);
    const QString name = field->GetText();
    const std::shared_ptr<CSheetGoodEx> defaultMaterial = GetDefaultMaterial();
    const bool ownRows = (flags & kPartFieldOwnRows) != 0;
    const bool named = (flags & (kPartFieldOwnRows | kPartFieldImport)) != 0;
    // Rows of this program name the placeholder when they have no material:
    // that keeps the part's own.
    if (ownRows && (name.isEmpty() || (defaultMaterial && name == defaultMaterial->GetName())))
        return true;
    const bool readOnlyKind = IsReadOnlyMaterialKind(part.GetMaterialKind());
    MaterialsBase* library = GetMaterialsLibrary();
    std::shared_ptr<CSheetGoodEx> found;
    int kind = static_cast<int>(kMaterialKindSheetGood);
    if (named) {
        if (name.isEmpty())
            return true;
        if (readOnlyKind) {
            part.SetMaterial(defaultMaterial);
            return true;
        }
        kind = part.GetMaterialKind();
        found = library ? library->FindMaterialOfKind(name, kind) : nullptr;
    } else {
        if (name.isEmpty()) {
            part.SetMaterial(defaultMaterial);
            return true;
        }
        found = library ? library->FindMaterialOfKind(name, kind) : nullptr;
    }
    if (found && found != defaultMaterial) {
        part.SetMaterial(found);
        return true;
    }
    if (readOnlyKind) {
        if (!named)
            part.SetMaterial(defaultMaterial);
        return true;
    }
    auto created
        = std::dynamic_pointer_cast<CSheetGoodEx>(CreateMaterialByKind(static_cast<std::uint32_t>(kind)));
    if (!created)
        return true;
    created->SetName(name);
    auto add = std::make_shared<CMaterialNew<CSheetGoodEx, CSheetGoodEx>>(created);
    add->SetNotRecorded();
    if (CmdHistory* history = GetCmdHistory())
        history->Add(add);
    part.SetMaterial(created);
    return true;
}

// ---------------------------------------------------------------- user information

CColInfoPartUserInfo::CColInfoPartUserInfo(void* context)
    : PartColumnBase(context, kStrColUserInfo, 60)
{ }

std::unique_ptr<PartColumnInfo> CColInfoPartUserInfo::Clone() const
{
    return std::make_unique<CColInfoPartUserInfo>(GetContext());
}

int CColInfoPartUserInfo::Compare(Holder* a, Holder* b) const
{
    return CompareColumnTexts(PartOf(a).GetUserInfo(), PartOf(b).GetUserInfo());
}

int CColInfoPartUserInfo::FillCell(Holder* row, CUGCell* cell)
{
    cell->SetText(PartOf(row).GetUserInfo());
    cell->SetCellTypeStyle(kStylePlain);
    return 0;
}

int CColInfoPartUserInfo::ParseText(Holder* pending, const QString& text, QWidget*, Holder*)
{
    CMilledPart& part = PartOf(pending);
    if (part.GetUserInfo() == text)
        return kEditUnchanged;
    part.SetUserInfo(text);
    return kEditAccepted;
}

void CColInfoPartUserInfo::ToParseField(Holder* row, CParseField* field)
{
    field->SetText(PartOf(row).GetUserInfo());
}

bool CColInfoPartUserInfo::ApplyParseField(Holder* row, const CParseField* field, int)
{
    PartOf(row).SetUserInfo(field->GetText());
    return true;
}

// ---------------------------------------------------------------- diagram list

CColInfoDiagramList::CColInfoDiagramList(void* context)
    : PartColumnBase(context, kStrColDiagramList, 15)
{ }

std::unique_ptr<PartColumnInfo> CColInfoDiagramList::Clone() const
{
    return std::make_unique<CColInfoDiagramList>(GetContext());
}

int CColInfoDiagramList::Compare(Holder* a, Holder* b) const
{
    return CompareColumnTexts(FormatPartDiagramList(PartOf(a)), FormatPartDiagramList(PartOf(b)));
}

int CColInfoDiagramList::FillCell(Holder* row, CUGCell* cell)
{
    cell->SetText(FormatPartDiagramList(PartOf(row)));
    cell->SetCellTypeStyle(kStyleReadOnlyLook);
    MarkReadOnly(cell);
    return 0;
}

void CColInfoDiagramList::ToParseField(Holder* row, CParseField* field)
{
    field->SetText(FormatPartDiagramList(PartOf(row)));
}

// ---------------------------------------------------------------- notes

CColInfoSpecialNotes::CColInfoSpecialNotes(void* context)
    : PartColumnBase(context, kStrColNotes, 61)
{
    SetHidden(true);
}

std::unique_ptr<PartColumnInfo> CColInfoSpecialNotes::Clone() const
{
    return std::make_unique<CColInfoSpecialNotes>(GetContext());
}

int CColInfoSpecialNotes::Compare(Holder* a, Holder* b) const
{
    return CompareColumnTexts(PartOf(a).GetSpecialNotes(), PartOf(b).GetSpecialNotes());
}

int CColInfoSpecialNotes::FillCell(Holder* row, CUGCell* cell)
{
    cell->SetText(PartOf(row).GetSpecialNotes());
    cell->SetCellTypeStyle(kStylePlain);
    return 0;
}

int CColInfoSpecialNotes::ParseText(Holder* pending, const QString& text, QWidget*, Holder*)
{
    QString notes = text;
    notes.remove(QLatin1Char('\n'));
    CMilledPart& part = PartOf(pending);
    if (part.GetSpecialNotes() == notes)
        return kEditUnchanged;
    part.SetSpecialNotes(notes);
    return kEditAccepted;
}

void CColInfoSpecialNotes::ToParseField(Holder* row, CParseField* field)
{
    field->SetText(PartOf(row).GetSpecialNotesText());
    field->SetSecondText(PartOf(row).GetSpecialNotes());
}

bool CColInfoSpecialNotes::ApplyParseField(Holder* row, const CParseField* field, int flags)
{
    PartOf(row).SetSpecialNotes(FieldText(field, flags));
    return true;
}
