#include "grids/CSGSCGDM.h"

#include "foundation/ResourceBase.h"
#include "grids/GridsStrings.h"
#include "grids/RawMaterialsHost.h"
#include "model/CSheetGoodEx.h"
#include "model/MaterialCommands.h"
#include "model/ModelUiHook.h"
#include "model/SizeCostFactory.h"
#include "model/SizeCostRowCommands.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/IOptimizationDoc.h"

#include <QMenu>
#include <QWidget>

using namespace sgsc;

// Printing reads the cells through the manager and prints each row's notes
// under it instead of a notes column.
class CSGSCGDM::Printable : public IPrintable
{
public:
    explicit Printable(CSGSCGDM& owner)
        : m_owner(owner)
    { }
    void GetCell(int column, int row, CUGCell* cell) override { Cells().GetCell(column, row, cell); }
    int GetRowCount() override { return m_owner.GetStoredRowCount(); }
    int GetVisibleColumnCount() override { return Cells().GetVisibleColumnCount(); }
    int GetColumnAtGridPosition(int position) override { return Cells().GetColumnAtGridPosition(position); }
    bool HasNotesColumn() override { return true; }
    QString GetRowNotes(int row) override
    {
        const ISGSC* item = m_owner.GetRowItem(row);
        return item ? item->GetSpecialNotes() : QString();
    }
    int GetNotesGridPosition() override
    {
        const auto* notes = m_owner.GetColumn(kNotesColumn);
        return notes && !notes->IsHidden() ? notes->GetGridPosition() : -1;
    }
    int GetPrintColumnCount() override
    {
        const auto* notes = m_owner.GetColumn(kNotesColumn);
        return GetVisibleColumnCount() - (notes && !notes->IsHidden() ? 1 : 0);
    }
    bool IsFreeTextColumn(int column) override { return column == kNotesColumn; }
    int GetNoteCellType() override { return m_owner.Base::GetNoteCellType(); }
    void Resort() override { m_owner.Resort(); }

private:
    IPrintable& Cells() { return m_owner.Base::AsPrintable(); }
    CSGSCGDM& m_owner;
};

CSGSCGDM::CSGSCGDM(IRawMaterialsHost* host, IOptimizationDoc* document)
    : m_host(host)
    , m_document(document)
    , m_printable(std::make_unique<Printable>(*this))
{
    auto thickness = std::make_unique<CColInfoSGActThick>(this);
    m_thickness = thickness.get();
    AddColumn(std::move(thickness));
    AddColumn(std::make_unique<CColInfoSGWidth>(this));
    AddColumn(std::make_unique<CColInfoSGLength>(this));
    AddColumn(std::make_unique<CColInfoSGUnitCost>(this));
    AddColumn(std::make_unique<CColInfoSGUnits>(this));
    AddColumn(std::make_unique<CColInfoSGInventory>(this));
    AddColumn(std::make_unique<CColInfoSGCanBuyMore>(this));
    AddColumn(std::make_unique<CColInfoSGOffCut>(this));
    AddColumn(std::make_unique<CColInfoLRTrim>(this));
    AddColumn(std::make_unique<CColInfoTBTrim>(this));
    AddColumn(std::make_unique<CColInfoVendor>(this));
    AddColumn(std::make_unique<CColInfoBin>(this));
    AddColumn(std::make_unique<CColInfoSpecialNotes>(this));
    // Every column is shown at first, in table order.
    for (int c = 0; c < kColumnCount; ++c) {
        GetColumn(c)->SetHidden(false);
        GetColumn(c)->SetGridPosition(c);
        GetColumn(c)->SetOrderPosition(c);
    }
    SetLayOutOnAttach(true);
}

CSGSCGDM::CSGSCGDM()
    : CSGSCGDM(nullptr, nullptr)
{ }

CSGSCGDM::~CSGSCGDM() = default;

void CSGSCGDM::SetSheetGood(std::shared_ptr<CSheetGoodEx> material)
{
    m_material = std::move(material);
}

void CSGSCGDM::SortByDefaultColumn()
{
    ForgetSortColumn();
    const int column = m_defaultSortColumn;
    Base::SortRows(&column, 1, 1);
}

std::shared_ptr<ISGSC> CSGSCGDM::GetSelectedRowItem()
{
    return GetRowItemHolder(FindUGRowMode());
}

void CSGSCGDM::SetUnitsChoiceList(const QString& choices)
{
    CColInfoSGUnits::ChoiceList() = choices;
}

const QString& CSGSCGDM::GetUnitsChoiceList()
{
    return CColInfoSGUnits::ChoiceList();
}

bool CSGSCGDM::IsStockSizePinned(const ISGSC* row) const
{
    if (!row || !m_document || m_document->IsProjectLocked())
        return false;
    const std::shared_ptr<BOMOptMgr> bom = m_document->GetBOMOptMgr();
    return bom && bom->GetPinnedUsage().GetPinnedCount(row) > 0;
}

SizeCostColumn* CSGSCGDM::SizeCostColumnAt(int dataColumn) const
{
    return static_cast<SizeCostColumn*>(GetColumn(dataColumn));
}

// ------------------------------------------------------------ rows

ISGSC* CSGSCGDM::GetRowItem(int row)
{
    return GetRowItemHolder(row).get();
}

CSGSCGDM::Holder CSGSCGDM::GetRowItemHolder(int row)
{
    if (!m_material || row < 0 || row >= GetStoredRowCount())
        return {};
    return m_material->GetSizeCosts()[static_cast<std::size_t>(row)];
}

int CSGSCGDM::FindRow(const Holder& item)
{
    if (!m_material)
        return -1;
    const auto& rows = m_material->GetSizeCosts();
    const auto it = std::find(rows.begin(), rows.end(), item);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

int CSGSCGDM::GetStoredRowCount()
{
    return m_material ? static_cast<int>(m_material->GetSizeCosts().size()) : 0;
}

void CSGSCGDM::SortRows(const Keys& keys, bool ascending)
{
    if (m_material)
        SortRange(m_material->GetSizeCosts().begin(), m_material->GetSizeCosts().end(), keys, ascending);
}

void CSGSCGDM::OnNoteCellTypeSet()
{
    m_thickness->SetNoteCellType(Base::GetNoteCellType());
}

bool CSGSCGDM::IsRowHighlighted(const ISGSC* item)
{
    return IsStockSizePinned(item);
}

platform::ColorRef CSGSCGDM::GetRowBackColor(const ISGSC*)
{
    return kPinnedRowColor;
}

QString CSGSCGDM::GetClipboardFormatName()
{
    return SizeCostClipboardFormat();
}

// ----------------------------------------------------------- editing

bool CSGSCGDM::CanEditCell(int column)
{
    if (!IsStockSizePinned(GetRowItem(m_checkedRow)))
        return true;
    const SizeCostColumn* info = SizeCostColumnAt(column);
    if (!info || info->CanContinueEdit())
        return true;
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    ShowModelMessage(LoadUIString(kStrPinnedStockSizeGeometry));
    return false;
}

int CSGSCGDM::SetCell(int column, int row, CUGCell* cell)
{
    m_checkedRow = row;
    const int result = Base::SetCell(column, row, cell);
    m_checkedRow = -1;
    return result;
}

int CSGSCGDM::OnEditBegin(int column, int row, QWidget** editor)
{
    m_checkedRow = row;
    const int result = Base::OnEditBegin(column, row, editor);
    m_checkedRow = -1;
    return result;
}

int CSGSCGDM::OnEditNextCell(int, int, int* newColumn, int* newRow)
{
    if (*newRow >= GetStoredRowCount() || !IsStockSizePinned(GetRowItem(*newRow)))
        return 1;
    const SizeCostColumn* info = SizeCostColumnAt(GetColumnAtGridPosition(*newColumn));
    return !info || info->CanContinueEdit() ? 1 : 0;
}

int CSGSCGDM::EndPendingRow()
{
    const int row = GetPendingRowIndex();
    const Holder target = GetRowItemHolder(row);
    const Holder edited = *GetPendingRowHolder();
    EndPendingRowState();
    // A row left as it was makes no step and leaves the library unmodified.
    if (m_material && target && edited && !IsUnchangedSizeCostEdit(*target, *edited))
        RunMaterialCommand(std::make_shared<SheetGoodRowEditCmd>(m_material, target, edited));
    if (CUGCtrl* grid = GetGrid(); grid && row >= 0)
        grid->RedrawRow(row);
    return 1;
}

void CSGSCGDM::InsertNewRow(int row)
{
    ForgetSortColumn();
    if (!m_material)
        return;
    std::shared_ptr<ISGSC> fresh = MakeSheetGoodSizeCost();
    const auto& rows = m_material->GetSizeCosts();
    if (row == GetAppendRowIndex() && !rows.empty()) {
        // A row below others buys from the same vendor and cuts the same way.
        const ISGSC& last = *rows.back();
        fresh->SetVendor(last.GetVendor());
        SheetDimensions sheet = fresh->GetSheetDimensions();
        sheet.SetLeftRightTrim(last.GetSheetDimensions().GetLeftRightTrim());
        sheet.SetTopBottomTrim(last.GetSheetDimensions().GetTopBottomTrim());
        fresh->SetSheetDimensions(sheet);
    }
    RunMaterialCommand(std::make_shared<SheetGoodRowNewCmd>(m_material, fresh));
    RefreshRowCount();
}

void CSGSCGDM::DeleteSelectedRows()
{
    // The row being typed is dropped, not committed.
    RefreshGrid();
    const std::vector<Holder> rows = GetSelectedItems();
    if (rows.empty() || !m_material)
        return;
    for (const Holder& row : rows) {
        if (IsStockSizePinned(row.get())) {
            ShowModelMessage(LoadUIString(kStrPinnedStockSizeDelete));
            return;
        }
    }
    RunMaterialCommand(std::make_shared<SheetGoodRowDeleteCmd>(m_material, rows));
    ClearSelection();
    RefreshRowCount();
}

void CSGSCGDM::PasteRows()
{
    BuildSizeCostRowPaste(*this, m_material);
}

bool CSGSCGDM::ApplyPastedField(int column, ISGSC& row, const CParseField& field)
{
    ColumnBase* info = GetColumn(column);
    if (!info)
        return false;
    // A holder that does not own the row: the paste owns it.
    Holder holder(Holder(), &row);
    return info->ApplyParseField(&holder, &field, kPasteSecondText);
}

// ---------------------------------------------------------- context menu

int CSGSCGDM::OnMenuOpen(int, int, int section)
{
    if (section == kHeadingSection)
        return FillColumnMenu();
    FinishEditing();
    CUGCtrl* grid = GetGrid();
    if (!grid)
        return 0;
    grid->EmptyPopupMenu();
    grid->AddPopupMenuItem(kMenuEditNote, LoadUIString(kStrMenuAddEditNote));
    grid->AddPopupMenuItem(kMenuDeleteNote, LoadUIString(kStrMenuDeleteNote));
    grid->AddPopupMenuItem(-1, QString());
    grid->AddPopupMenuItem(kMenuDeleteRows, LoadUIString(kStrMenuDeleteSizeCost));
    grid->AddPopupMenuItem(kMenuCut, LoadUIString(kStrMenuCut));
    grid->AddPopupMenuItem(kMenuCopy, LoadUIString(kStrMenuCopy));
    grid->AddPopupMenuItem(kMenuPaste, LoadUIString(kStrMenuPaste));
    if (m_host) {
        m_host->UpdateSizeCostMenu(false);
        const QList<QAction*> actions = grid->GetPopupMenu()->actions();
        for (int position = 0; position < actions.size(); ++position)
            if (!actions[position]->isSeparator())
                actions[position]->setEnabled(m_host->IsSizeCostMenuItemEnabled(position));
        m_host->UpdateSizeCostMenu(true);
    }
    return 1;
}

void CSGSCGDM::OnMenuItem(int, int, int section, int id)
{
    if (section == kHeadingSection) {
        OnColumnMenuCommand(id);
        return;
    }
    if (!m_host)
        return;
    switch (id) {
    case kMenuEditNote:
        m_host->EditSizeCostNote();
        break;
    case kMenuDeleteNote:
        m_host->DeleteSizeCostNote();
        break;
    case kMenuDeleteRows:
        m_host->DeleteSizeCostRows();
        break;
    case kMenuCut:
        m_host->CutSizeCostRows();
        break;
    case kMenuCopy:
        m_host->CopySizeCostRows();
        break;
    case kMenuPaste:
        m_host->PasteSizeCostRows();
        break;
    default:
        break;
    }
}
