#include "grids/CTakeOffGDM.h"

#include "foundation/ResourceBase.h"
#include "foundation/UIResources.h"
#include "foundation/UserPrefsBase.h"
#include "grids/GridColumnRules.h"
#include "grids/GridsStrings.h"
#include "model/CMilledPart.h"
#include "optimization/DiagramIndex.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace {

constexpr int kNumberStyle = 4;
constexpr int kTextStyle = 1;
constexpr int kBoldParam = 1;
constexpr int kDefaultDimensionAlignment = kAlignRightMiddle;

QString Heading(int id)
{
    ResourceBase* resources = GetResources();
    return resources ? resources->HeaderText(id) : QString();
}

void FillTextCell(CUGCell* cell, const QString& text, int style, int alignment = kAlignLeftMiddle)
{
    cell->SetText(text);
    cell->SetCellTypeStyle(style);
    cell->SetAlignment(alignment);
    cell->SetReadOnly(1);
}

// The value a Copies cell shows for the list kind.
std::int64_t ShownCopies(const TAKEOFFITEM& row, int kind)
{
    switch (kind) {
    case TakeOffListKind::MaterialThickness:
        return row.part->GetPlacedCopies();
    case TakeOffListKind::UnplacedParts:
        return row.part->GetUnplacedCopies();
    default:
        return row.copies;
    }
}

int CompareNumbers(std::int64_t a, std::int64_t b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

// ---- columns ----------------------------------------------------------------------------

std::unique_ptr<TakeOffColumnInfo> CColInfoTOPartID::Clone() const
{
    return std::make_unique<CColInfoTOPartID>(GetContext());
}

QString CColInfoTOPartID::GetHeadingText() const
{
    return Heading(kStrTakeOffPartId);
}

int CColInfoTOPartID::Compare(Holder* a, Holder* b) const
{
    const CPartID& first = (*a)->part->GetID();
    const CPartID& second = (*b)->part->GetID();
    if (CPartID::IsLess(first, second))
        return -1;
    return CPartID::IsLess(second, first) ? 1 : 0;
}

int CColInfoTOPartID::FillCell(Holder* row, CUGCell* cell)
{
    QString text = (*row)->part->GetID().FormatPartID();
    if ((*row)->turned)
        text += LoadUIString(kStrTakeOffTurnedMark);
    FillTextCell(cell, text, kNumberStyle);
    return 0;
}

std::unique_ptr<TakeOffColumnInfo> CColInfoTODescription::Clone() const
{
    return std::make_unique<CColInfoTODescription>(GetContext());
}

QString CColInfoTODescription::GetHeadingText() const
{
    return Heading(kStrTakeOffDescription);
}

int CColInfoTODescription::Compare(Holder* a, Holder* b) const
{
    return CompareColumnTexts((*a)->part->GetDescription(), (*b)->part->GetDescription());
}

int CColInfoTODescription::FillCell(Holder* row, CUGCell* cell)
{
    FillTextCell(cell, (*row)->part->GetDescription(), kTextStyle);
    return 0;
}

std::unique_ptr<TakeOffColumnInfo> CColInfoTOCopies::Clone() const
{
    auto clone = std::make_unique<CColInfoTOCopies>(GetContext());
    clone->SetListKind(m_kind);
    return clone;
}

QString CColInfoTOCopies::GetHeadingText() const
{
    switch (m_kind) {
    case TakeOffListKind::SelectedDiagram:
        return Heading(kStrTakeOffCopiesInLayout);
    case TakeOffListKind::UnplacedParts:
        return Heading(kStrTakeOffUnplacedCopies);
    default:
        return Heading(kStrTakeOffCopiesPlaced);
    }
}

int CColInfoTOCopies::Compare(Holder* a, Holder* b) const
{
    return CompareNumbers(ShownCopies(**a, m_kind), ShownCopies(**b, m_kind));
}

int CColInfoTOCopies::FillCell(Holder* row, CUGCell* cell)
{
    const TAKEOFFITEM& item = **row;
    const QString text = m_kind == TakeOffListKind::MaterialThickness
        ? item.part->FormatPlacedOfCopies()
        : QString::number(ShownCopies(item, m_kind));
    FillTextCell(cell, text, kNumberStyle);
    return 0;
}

CColInfoTODimension::CColInfoTODimension(void* context, bool widthColumn)
    : TakeOffColumnInfo(context)
    , m_widthColumn(widthColumn)
{ }

void CColInfoTODimension::CopyStateTo(CColInfoTODimension& clone) const
{
    clone.m_context = m_context;
    clone.m_boldFont = m_boldFont;
}

QString CColInfoTODimension::GetHeadingText() const
{
    if (m_context.kind == TakeOffListKind::SelectedDiagram)
        return Heading(m_widthColumn ? kStrTakeOffY : kStrTakeOffX);
    return Heading(m_widthColumn ? kStrTakeOffWidth : kStrTakeOffLength);
}

bool CColInfoTODimension::ShowsPartWidth(const TAKEOFFITEM& row) const
{
    const bool turned = row.turned != 0;
    bool widthCellShowsLength = turned;
    if (m_context.kind == TakeOffListKind::SelectedDiagram) {
        const bool lengthwise = m_context.diagram ? m_context.diagram->IsLengthwise() : true;
        widthCellShowsLength = turned == lengthwise;
    }
    return m_widthColumn ? !widthCellShowsLength : widthCellShowsLength;
}

int CColInfoTODimension::Compare(Holder* a, Holder* b) const
{
    const CMilledPart& first = *(*a)->part;
    const CMilledPart& second = *(*b)->part;
    return CompareColumnLengths(ShowsPartWidth(**a) ? first.GetWidth() : first.GetLength(),
        ShowsPartWidth(**b) ? second.GetWidth() : second.GetLength());
}

int CColInfoTODimension::FillCell(Holder* row, CUGCell* cell)
{
    const TAKEOFFITEM& item = **row;
    const bool width = ShowsPartWidth(item);
    const CDimension& size = width ? item.part->GetWidth() : item.part->GetLength();
    FillTextCell(cell, size.FormatDimension(), kNumberStyle, GetAlignment());
    if (width && m_context.kind == TakeOffListKind::SelectedDiagram) {
        cell->SetFont(&m_boldFont);
        cell->SetParam(kBoldParam);
    }
    return 0;
}

int CColInfoTODimension::GetAlignment() const
{
    const UserPrefsBase* prefs = GetUserPrefs();
    const int value = prefs ? prefs->GetInt(PrefId::DimensionAlignment) : 0;
    return value > 0 ? value : kDefaultDimensionAlignment;
}

std::unique_ptr<TakeOffColumnInfo> CColInfoTOWidth::Clone() const
{
    auto clone = std::make_unique<CColInfoTOWidth>(GetContext());
    CopyStateTo(*clone);
    return clone;
}

std::unique_ptr<TakeOffColumnInfo> CColInfoTOLength::Clone() const
{
    auto clone = std::make_unique<CColInfoTOLength>(GetContext());
    CopyStateTo(*clone);
    return clone;
}

namespace {
QString SkipReasonText(const CMilledPart& part)
{
    const CSkippedPartInfo info = part.GetSkipInfo();
    return info.IsSkipped() ? info.GetReasonText() : QString();
}
} // namespace

std::unique_ptr<TakeOffColumnInfo> CColInfoTOSkipReason::Clone() const
{
    return std::make_unique<CColInfoTOSkipReason>(GetContext());
}

QString CColInfoTOSkipReason::GetHeadingText() const
{
    return Heading(kStrTakeOffReasonSkipped);
}

int CColInfoTOSkipReason::Compare(Holder* a, Holder* b) const
{
    return CompareColumnTexts(SkipReasonText(*(*a)->part), SkipReasonText(*(*b)->part));
}

int CColInfoTOSkipReason::FillCell(Holder* row, CUGCell* cell)
{
    FillTextCell(cell, SkipReasonText(*(*row)->part), kTextStyle);
    return 0;
}

std::unique_ptr<TakeOffColumnInfo> CColInfoTOInfo::Clone() const
{
    return std::make_unique<CColInfoTOInfo>(GetContext());
}

QString CColInfoTOInfo::GetHeadingText() const
{
    return Heading(kStrTakeOffInfoColumn);
}

int CColInfoTOInfo::Compare(Holder* a, Holder* b) const
{
    return CompareColumnTexts((*a)->part->GetUserInfo(), (*b)->part->GetUserInfo());
}

int CColInfoTOInfo::FillCell(Holder* row, CUGCell* cell)
{
    FillTextCell(cell, (*row)->part->GetUserInfo(), kTextStyle);
    return 0;
}

std::unique_ptr<TakeOffColumnInfo> CColInfoTODiagramList::Clone() const
{
    return std::make_unique<CColInfoTODiagramList>(GetContext());
}

QString CColInfoTODiagramList::GetHeadingText() const
{
    return Heading(kStrTakeOffDiagramList);
}

int CColInfoTODiagramList::Compare(Holder* a, Holder* b) const
{
    return CompareColumnTexts(FormatPartDiagramList(*(*a)->part), FormatPartDiagramList(*(*b)->part));
}

int CColInfoTODiagramList::FillCell(Holder* row, CUGCell* cell)
{
    FillTextCell(cell, FormatPartDiagramList(*(*row)->part), kTextStyle);
    return 0;
}

// ---- manager ----------------------------------------------------------------------------

CTakeOffGDM::CTakeOffGDM(ITakeOffGridOwner* owner, TakeOffRows* rows)
    : m_owner(owner)
    , m_rows(rows)
{
    auto partId = std::make_unique<CColInfoTOPartID>(this);
    auto description = std::make_unique<CColInfoTODescription>(this);
    auto copies = std::make_unique<CColInfoTOCopies>(this);
    auto width = std::make_unique<CColInfoTOWidth>(this);
    auto length = std::make_unique<CColInfoTOLength>(this);
    auto info = std::make_unique<CColInfoTOInfo>(this);
    auto skipReason = std::make_unique<CColInfoTOSkipReason>(this);
    auto diagramList = std::make_unique<CColInfoTODiagramList>(this);
    const QFont bold = GetUIResources()->GetBoldGridFont();
    width->SetBoldFont(bold);
    length->SetBoldFont(bold);
    AddColumn(std::move(partId));
    AddColumn(std::move(description));
    AddColumn(std::move(copies));
    AddColumn(std::move(width));
    AddColumn(std::move(length));
    AddColumn(std::move(skipReason));
    AddColumn(std::move(info));
    AddColumn(std::move(diagramList));
    SetEnabled(false);
    SetAppendRowEnabled(false);
    SetColumnMenuEnabled(false);
    // A grid bound anew (the page's panes are rebuilt when the window
    // changes size) shows the columns of the list kind, not all of them.
    SetLayOutOnAttach(true);
}

CTakeOffGDM::~CTakeOffGDM() = default;

CColInfoTOCopies* CTakeOffGDM::CopiesColumn() const
{
    return static_cast<CColInfoTOCopies*>(GetColumn(TakeOffColumn::Copies));
}

CColInfoTODimension* CTakeOffGDM::DimensionColumn(int column) const
{
    return static_cast<CColInfoTODimension*>(GetColumn(column));
}

TAKEOFFITEM* CTakeOffGDM::GetRowItem(int row)
{
    if (!m_rows || row < 0 || row >= static_cast<int>(m_rows->size()))
        return nullptr;
    return (*m_rows)[static_cast<std::size_t>(row)];
}

int CTakeOffGDM::FindRow(const Holder& item)
{
    if (!m_rows)
        return -1;
    const auto it = std::find(m_rows->begin(), m_rows->end(), item);
    return it == m_rows->end() ? -1 : static_cast<int>(it - m_rows->begin());
}

void CTakeOffGDM::SortRows(const Keys& keys, bool ascending)
{
    if (m_rows)
        SortRange(m_rows->begin(), m_rows->end(), keys, ascending);
}

int CTakeOffGDM::GetStoredRowCount()
{
    return m_rows ? static_cast<int>(m_rows->size()) : 0;
}

void CTakeOffGDM::OnCurrentRowChanged(int, int newRow)
{
    if (newRow >= GetStoredRowCount() || !m_owner)
        return;
    const TAKEOFFITEM* item = GetRowItem(newRow);
    m_owner->OnSelectionChanged(item ? item->part : nullptr, item && item->turned != 0);
}

void CTakeOffGDM::OnKeyDown(int key)
{
    if (m_owner)
        m_owner->OnGridKeyDown(key);
}

void CTakeOffGDM::OnKeyUp(int key)
{
    if (m_owner)
        m_owner->OnGridKeyUp(key);
}

void CTakeOffGDM::OnRowDragStart(int row)
{
    if (row >= 0 && m_owner)
        m_owner->OnRowDragStart(GetRowItem(row));
}

int CTakeOffGDM::OnMenuOpen(int, int, int)
{
    CUGCtrl* grid = GetGrid();
    if (!grid)
        return 1;
    grid->EmptyPopupMenu();
    grid->AddPopupMenuItem(kShowInfoMenuId, LoadUIString(kStrTakeOffShowInfo));
    if (QMenu* menu = grid->GetPopupMenu(); menu && !menu->actions().isEmpty()) {
        QAction* item = menu->actions().last();
        item->setCheckable(true);
        item->setChecked(IsInfoColumnShown());
    }
    return 1;
}

void CTakeOffGDM::OnMenuItem(int, int, int, int id)
{
    if (id == kShowInfoMenuId)
        ShowInfoColumn(!IsInfoColumnShown());
}

void CTakeOffGDM::SetListKind(int kind)
{
    m_kind = kind;
    CopiesColumn()->SetListKind(kind);
    DimensionColumn(TakeOffColumn::Width)->SetListKind(kind);
    DimensionColumn(TakeOffColumn::Length)->SetListKind(kind);
    ShowKindColumns();
}

void CTakeOffGDM::ShowKindColumns()
{
    SetColumnHidden(TakeOffColumn::SkipReason, m_kind != TakeOffListKind::UnplacedParts);
    SetColumnHidden(TakeOffColumn::DiagramList, m_kind != TakeOffListKind::MaterialThickness);
}

int CTakeOffGDM::FindItemRow(const TAKEOFFITEM& item, bool matchTurned) const
{
    if (!m_rows)
        return -1;
    for (std::size_t row = 0; row < m_rows->size(); ++row) {
        const TAKEOFFITEM* candidate = (*m_rows)[row];
        if (candidate->part == item.part && (!matchTurned || candidate->turned == item.turned))
            return static_cast<int>(row);
    }
    return -1;
}

void CTakeOffGDM::SetDiagram(const DisplayDiagramPtr& diagram)
{
    DimensionColumn(TakeOffColumn::Width)->SetDiagram(diagram);
    DimensionColumn(TakeOffColumn::Length)->SetDiagram(diagram);
}

bool CTakeOffGDM::IsInfoColumnShown() const
{
    return !GetColumn(TakeOffColumn::Info)->IsHidden();
}

void CTakeOffGDM::ShowInfoColumn(bool show)
{
    SetColumnHidden(TakeOffColumn::Info, !show);
}

void CTakeOffGDM::RefreshList(const DisplayDiagramPtr& diagram)
{
    auto suspension = SuspendRedraw();
    SetDiagram(diagram);
    if (CUGCtrl* grid = GetGrid()) {
        grid->ClearSelections();
        grid->ResetCurrentCell();
    }
    RefreshRowCount();
    Resort();
    if (CUGRowMode* grid = GetRowModeGrid())
        grid->FitColumnsByMode();
}

std::shared_ptr<IPrintable> CTakeOffGDM::CreatePrintCopy(
    TakeOffRows* rows, const DisplayDiagramPtr& diagram) const
{
    auto copy = std::make_shared<CTakeOffGDM>(m_owner, rows);
    copy->SetEnabled(IsEnabled());
    copy->OnGridNotify(
        CUGRowMode::kNotifyFont, reinterpret_cast<long long>(&GetUIResources()->GetGridFont()), 0);
    copy->OnGridNotify(CUGRowMode::kNotifyBinding, 1, 0);
    for (int column = 0; column < TakeOffColumn::Count; ++column) {
        const TakeOffColumnInfo* source = GetColumn(column);
        TakeOffColumnInfo* target = copy->GetColumn(column);
        target->SetHidden(source->IsHidden());
        target->SetGridPosition(source->GetGridPosition());
        target->SetOrderPosition(source->GetOrderPosition());
    }
    copy->OnNoteCellTypeSet();
    copy->m_kind = m_kind;
    copy->SetListKind(TakeOffListKind::SelectedDiagram);
    copy->SetDiagram(diagram);
    if (GetSortColumn() >= 0)
        copy->SortByColumn(GetSortColumn(), GetSortDirection() == 1);
    return std::shared_ptr<IPrintable>(copy, &copy->AsPrintable());
}

void CTakeOffGDM::SortByColumn(int column, bool ascending)
{
    // Sorting by a column makes it ascending unless it already was; a second
    // time turns the direction.
    SortRows(&column, 1, 0);
    if ((GetSortDirection() == 1) != ascending)
        SortRows(&column, 1, 0);
}

int CTakeOffGDM::ShownGridColumn(int column) const
{
    const TakeOffColumnInfo* info = GetColumn(column);
    if (info->IsHidden())
        return -1;
    // Without a grid (a print copy) the columns keep their own positions.
    return GetGrid() ? FindGridColumn(column) : info->GetGridPosition();
}

void CTakeOffGDM::BuildHeaderFields(ParseFieldRow& row) const
{
    for (int column = 0; column < TakeOffColumn::Count; ++column) {
        const TakeOffColumnInfo* info = GetColumn(column);
        CParseField field;
        field.SetText(info->GetHeadingText());
        field.SetKind(static_cast<std::uint16_t>(info->GetAlignment()));
        field.SetColumn(ShownGridColumn(column));
        field.SetExclude(info->IsHidden() ? 1 : 0);
        row.AppendField(field);
    }
}

void CTakeOffGDM::BuildRowFields(int row, ParseFieldRow& out)
{
    Holder item = GetRowItem(row);
    if (!item)
        return;
    for (int column = 0; column < TakeOffColumn::Count; ++column) {
        TakeOffColumnInfo* info = GetColumn(column);
        CUGCell cell;
        info->FillCell(&item, &cell);
        CParseField field;
        field.SetText(cell.GetText());
        field.SetKind(static_cast<std::uint16_t>(cell.GetAlignment()));
        field.SetColumn(ShownGridColumn(column));
        field.SetExclude(info->IsHidden() ? 1 : 0);
        out.AppendField(field);
    }
}
