#include "grids/CVendorGDM.h"

#include "foundation/ResourceBase.h"
#include "grids/GridColumnRules.h"
#include "grids/GridsStrings.h"
#include "model/MaterialsBase.h"
#include "model/ModelStrings.h"
#include "model/VendorCommands.h"

#include <QMenu>
#include <QWidget>

namespace {
constexpr int kHeadingSection = 2;
constexpr int kVendorCellStyle = 4;
} // namespace

std::unique_ptr<VendorColumnInfo> CColInfoVendorName::Clone() const
{
    return std::make_unique<CColInfoVendorName>(GetContext());
}

QString CColInfoVendorName::GetHeadingText() const
{
    return LoadUIString(kStrColumnVendor);
}

int CColInfoVendorName::Compare(Holder* a, Holder* b) const
{
    return CompareColumnTexts((*a)->GetDisplayName(), (*b)->GetDisplayName());
}

int CColInfoVendorName::FillCell(Holder* row, CUGCell* cell)
{
    cell->SetText((*row)->GetDisplayName());
    cell->SetCellTypeStyle(kVendorCellStyle);
    return 0;
}

int CColInfoVendorName::ParseText(Holder* pending, const QString& text, QWidget*, Holder*)
{
    // An empty text keeps the old name rather than leaving a nameless vendor.
    if (!text.isEmpty() && *pending)
        (*pending)->SetName(text);
    return kEditAccepted;
}

QString MakeUniqueVendorName(const VendorList& vendors, const CVendor* vendor, const QString& baseName)
{
    auto takenByOther = [&](const QString& candidate) {
        for (const auto& other : vendors)
            if (other.get() != vendor && other->GetDisplayName().compare(candidate, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    QString candidate = baseName;
    for (int counter = 1; takenByOther(candidate); ++counter)
        candidate = QStringLiteral("%1 (%2)").arg(baseName).arg(counter);
    return candidate;
}

CVendorGDM::CVendorGDM(MaterialsBase& library, QueuedCommands& queued, QWidget* deleteButton)
    : m_library(library)
    , m_queued(queued)
    , m_deleteButton(deleteButton)
{
    AddColumn(std::make_unique<CColInfoVendorName>(this));
    for (const auto& vendor : m_library.GetVendors()) {
        auto copy = std::make_shared<CVendor>(*vendor);
        m_origin[copy.get()] = vendor;
        m_working.push_back(copy);
    }
}

CVendor* CVendorGDM::GetRowItem(int row)
{
    return GetRowItemHolder(row).get();
}

CVendorGDM::Holder CVendorGDM::GetRowItemHolder(int row)
{
    if (row < 0 || row >= static_cast<int>(m_working.size()))
        return {};
    return m_working[row];
}

int CVendorGDM::FindRow(const Holder& item)
{
    const auto it = std::find(m_working.begin(), m_working.end(), item);
    return it == m_working.end() ? -1 : static_cast<int>(it - m_working.begin());
}

std::shared_ptr<CVendor> CVendorGDM::OriginOf(const std::shared_ptr<CVendor>& working) const
{
    const auto it = m_origin.find(working.get());
    return it == m_origin.end() ? working : it->second;
}

void CVendorGDM::SortRows(const Keys& keys, bool ascending)
{
    SortRange(m_working.begin(), m_working.end(), keys, ascending);
}

void CVendorGDM::UpdateDeleteButton()
{
    if (!m_deleteButton)
        return;
    m_deleteButton->setEnabled(FindUGRowMode() >= 0);
}

void CVendorGDM::GotoLastRow()
{
    if (CUGCtrl* grid = GetGrid())
        grid->GotoCell(0, static_cast<int>(m_working.size()) - 1);
}

void CVendorGDM::InsertNewRow(int)
{
    auto vendor = std::make_shared<CVendor>();
    vendor->SetName(MakeUniqueVendorName(m_working, vendor.get(), LoadUIString(kStrNewMaterialName)));
    m_queued.push_back(std::make_shared<CVendorNew>(vendor));
    m_origin[vendor.get()] = vendor;
    m_working.push_back(vendor);
    RefreshRowCount();
    GotoLastRow();
    UpdateDeleteButton();
}

int CVendorGDM::EndPendingRow()
{
    const int row = GetPendingRowIndex();
    std::shared_ptr<CVendor> working = GetRowItemHolder(row);
    std::shared_ptr<CVendor> pending = *GetPendingRowHolder();
    if (!working || !pending) {
        EndPendingRowState();
        return 1;
    }
    pending->SetName(MakeUniqueVendorName(m_working, working.get(), pending->GetDisplayName()));
    m_queued.push_back(std::make_shared<CVendorEdit>(OriginOf(working), pending));
    EndPendingRowState();
    *working = *pending;
    if (CUGCtrl* grid = GetGrid())
        grid->RedrawRow(row);
    return 1;
}

void CVendorGDM::AbandonRowEdit()
{
    EndPendingRowState();
    if (CUGCtrl* grid = GetGrid())
        grid->HideEditControl();
}

void CVendorGDM::DeleteSelectedRows()
{
    RefreshGrid();
    const int row = FindUGRowMode();
    std::shared_ptr<CVendor> working = GetRowItemHolder(row);
    if (!working)
        return;
    m_queued.push_back(std::make_shared<CVendorDelete>(OriginOf(working)));
    m_working.erase(m_working.begin() + row);
    RefreshRowCount();
    GotoLastRow();
    UpdateDeleteButton();
}

void CVendorGDM::OnCurrentRowChanged(int, int)
{
    if (HasPendingRow())
        EndPendingRow();
    UpdateDeleteButton();
}

int CVendorGDM::OnMenuOpen(int, int, int section)
{
    if (section == kHeadingSection)
        return FillColumnMenu();
    auto* grid = GetRowModeGrid();
    if (!grid)
        return 1;
    grid->EmptyPopupMenu();
    grid->AddPopupMenuItem(kDeleteVendorMenuId, LoadUIString(kStrDeleteVendor));
    if (QMenu* menu = grid->GetPopupMenu())
        if (!menu->actions().isEmpty())
            menu->actions().last()->setEnabled(grid->GetFirstSelectedRow() >= 0);
    return 1;
}

void CVendorGDM::OnMenuItem(int, int, int section, int id)
{
    if (section == kHeadingSection)
        OnColumnMenuCommand(id);
    else if (id == kDeleteVendorMenuId)
        DeleteSelectedRows();
}
