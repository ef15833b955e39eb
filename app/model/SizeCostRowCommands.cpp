#include "model/SizeCostRowCommands.h"

#include "foundation/CmdHistory.h"
#include "model/CSheetGoodEx.h"
#include "model/ISGSC.h"
#include "model/MaterialRowCommands.h"
#include "model/ModelStrings.h"
#include "model/OptimizableSizeCostUpdateInfo.h"
#include "model/SizeCostRowOps.h"

#include <algorithm>

namespace {
// Change kinds of the size/cost update information: an edit concerns the
// targets of its rows, a delete every target of the material.
constexpr std::int32_t kEditKind = 2;
constexpr std::int32_t kDeleteKind = 3;

std::shared_ptr<DomainUpdateInfo> EditInfo(const std::shared_ptr<CSheetGoodEx>& material,
    const std::shared_ptr<ISGSC>& target, const std::shared_ptr<ISGSC>& after)
{
    // A change the optimizer does not see (vendor, bin, notes) only shows in
    // the bill of materials, which then needs a refresh.
    const bool differs = SheetGoodSizeCostDiffers(*target, *after);
    return std::make_shared<OptimizableSizeCostUpdateInfo>(
        material, target, after, kEditKind, differs, !differs, differs);
}
} // namespace

// ------------------------------------------------------------------- edit

CMaterialSCEdit<CSheetGoodEx, ISGSC>::CMaterialSCEdit(
    std::shared_ptr<CSheetGoodEx> material, std::shared_ptr<ISGSC> target, std::shared_ptr<ISGSC> after)
    : MaterialCmd(DiffSheetGoodSizeCostMask(*target, *after), DiffSheetGoodSizeCostKind(*target, *after),
        EditInfo(material, target, after))
    , m_material(std::move(material))
    , m_target(std::move(target))
    , m_before(m_target->Clone())
    , m_after(std::move(after))
{ }

QString CMaterialSCEdit<CSheetGoodEx, ISGSC>::GetName() const
{
    return UiText(kStrEditSizeCost);
}

void CMaterialSCEdit<CSheetGoodEx, ISGSC>::Execute()
{
    MaterialCmd::Execute();
    CopySheetGoodProperties(*m_target, *m_after);
}

void CMaterialSCEdit<CSheetGoodEx, ISGSC>::Undo()
{
    MaterialCmd::Undo();
    CopySheetGoodProperties(*m_target, *m_before);
}

// ----------------------------------------------------------------- delete

CMaterialSCDelete<CSheetGoodEx, ISGSC>::CMaterialSCDelete(
    std::shared_ptr<CSheetGoodEx> material, std::vector<std::shared_ptr<ISGSC>> rows)
    : MaterialCmd(GetSizeCostAllChangedMask(), 1,
        std::make_shared<OptimizableSizeCostUpdateInfo>(material, rows, kDeleteKind))
    , m_material(std::move(material))
    , m_rows(std::move(rows))
{
    std::erase(m_rows, nullptr);
}

QString CMaterialSCDelete<CSheetGoodEx, ISGSC>::GetName() const
{
    return UiText(kStrDeleteSizeCost);
}

void CMaterialSCDelete<CSheetGoodEx, ISGSC>::Execute()
{
    MaterialCmd::Execute();
    for (const auto& row : m_rows)
        DetachSizeCostRow(*m_material, row);
}

void CMaterialSCDelete<CSheetGoodEx, ISGSC>::Undo()
{
    MaterialCmd::Undo();
    for (const auto& row : m_rows)
        AttachSizeCostRow(*m_material, row);
}

// ------------------------------------------------------------ row notes

bool IsUnchangedSizeCostEdit(const ISGSC& target, const ISGSC& edited)
{
    return target.Matches(edited) && target.GetVendor() == edited.GetVendor();
}

bool MakeRowNoteEdit(
    const std::shared_ptr<CSheetGoodEx>& material, const std::shared_ptr<ISGSC>& row, const QString& note)
{
    if (!material || !row || row->GetSpecialNotes() == note)
        return false;
    std::shared_ptr<ISGSC> edited = row->Clone();
    edited->SetSpecialNotes(note);
    CmdHistory* history = GetCmdHistory();
    if (!history)
        return false;
    history->Add(std::make_shared<SheetGoodRowEditCmd>(material, row, edited));
    return true;
}

bool EditRowNote(const std::shared_ptr<CSheetGoodEx>& material, const std::shared_ptr<ISGSC>& row,
    const RowNoteEditor& editor)
{
    if (!material || !row || !editor)
        return false;
    QString note = row->GetSpecialNotes();
    if (!editor(note))
        return false;
    return MakeRowNoteEdit(material, row, note);
}

bool DeleteRowNote(const std::shared_ptr<CSheetGoodEx>& material, const std::shared_ptr<ISGSC>& row)
{
    return MakeRowNoteEdit(material, row, QString());
}
