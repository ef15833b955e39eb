#include "model/MaterialRowCommands.h"

#include "foundation/CmdHistory.h"
#include "foundation/IDoc.h"
#include "model/CClipboardParser.h"
#include "model/CSheetGoodEx.h"
#include "model/IPartsDoc.h"
#include "model/ISGSC.h"
#include "model/MaterialUpdateInfo.h"
#include "model/MaterialsBase.h"
#include "model/ModelStrings.h"
#include "model/ModelUiHook.h"
#include "model/OptimizableSizeCostUpdateInfo.h"
#include "model/ParseFieldRow.h"
#include "model/PartCommands.h"
#include "model/SizeCostFactory.h"

#include <algorithm>

namespace {
constexpr std::uint64_t kSizeCostAllChanged = 72;
}

void DetachSizeCostRow(CSheetGoodEx& material, const std::shared_ptr<ISGSC>& row)
{
    row->SetRemoved(true);
    std::erase(material.GetSizeCosts(), row);
}

void AttachSizeCostRow(CSheetGoodEx& material, const std::shared_ptr<ISGSC>& row)
{
    row->SetRemoved(false);
    material.GetSizeCosts().push_back(row);
}

// ----------------------------------------------------------------- delete

// The parts of a deleted material lose their stock: its targets are reset as
// after any change of what the optimizer reads, so the session shows what a
// reopened file shows.
CMaterialDelete::CMaterialDelete(std::shared_ptr<CSheetGoodEx> material)
    : MaterialCmd(static_cast<std::uint64_t>(material->Constant27()), GetPartsHintMask(),
                  std::make_shared<SheetGoodUpdateInfo>(1, material)),
      m_material(std::move(material))
{ }

QString CMaterialDelete::GetName() const
{
    return UiText(kStrDeleteMaterial);
}

void CMaterialDelete::Execute()
{
    MaterialCmd::Execute();
    // Parts that use the material keep their link and show the default
    // material's name meanwhile.
    m_material->SetPlaceholder(true);
    if (MaterialsBase* library = GetMaterialsLibrary()) {
        std::erase(library->GetMaterials(), m_material);
        library->RebuildMaterialNameList();
    }
}

void CMaterialDelete::Undo()
{
    MaterialCmd::Undo();
    m_material->SetPlaceholder(false);
    if (MaterialsBase* library = GetMaterialsLibrary()) {
        library->GetMaterials().push_back(m_material);
        library->RebuildMaterialNameList();
    }
}

// ------------------------------------------------------------------ paste

CSCGDMRowPaste::CSCGDMRowPaste(std::shared_ptr<CSheetGoodEx> material, std::vector<std::shared_ptr<ISGSC>> rows)
    : MaterialCmd(kSizeCostAllChanged, GetPartsHintMask(),
                  std::make_shared<OptimizableSizeCostUpdateInfo>(material, rows.empty() ? nullptr : rows.front(), 1)),
      m_material(std::move(material)), m_rows(std::move(rows))
{ }

QString CSCGDMRowPaste::GetName() const
{
    return UiText(kStrInsertItems).arg(UiText(kStrSizeCostInfo));
}

void CSCGDMRowPaste::ShowPastedRows()
{
    auto hint = GetUpdateHint().GetSizeCostRowsForEdit();
    hint->SetRowsGiven(true);
    hint->SetRows(std::vector<std::shared_ptr<ISGSC>>(m_rows.begin(), m_rows.end()));
}

void CSCGDMRowPaste::Execute()
{
    MaterialCmd::Execute();
    if (m_rows.empty())
        return;
    for (const auto& row : m_rows)
        m_material->GetSizeCosts().push_back(row);
    ShowPastedRows();
}

void CSCGDMRowPaste::Undo()
{
    MaterialCmd::Undo();
    for (const auto& row : m_rows)
        DetachSizeCostRow(*m_material, row);
}

void CSCGDMRowPaste::Redo()
{
    MaterialCmd::Execute();
    for (const auto& row : m_rows)
        AttachSizeCostRow(*m_material, row);
    ShowPastedRows();
}

// -------------------------------------------------------- page operations

QString SizeCostClipboardFormat()
{
    return QStringLiteral("KWC_SGSIZECOST");
}

bool ApplyParsedRow(ISizeCostPasteColumns& columns, ISGSC& row, const ParseFieldRow& fields)
{
    const int count = std::min(columns.GetColumnCount(), fields.GetFieldCount());
    for (int column = 0; column < count; ++column)
        if (!columns.ApplyPastedField(column, row, fields.GetField(column)))
            return false;
    return true;
}

bool ReadSizeCostRowsFromClipboard(ISizeCostPasteColumns& columns, std::vector<std::shared_ptr<ISGSC>>& rows)
{
    ParseFieldRows parsed;
    if (!CClipboardParser().PasteRowsFromClipboard(parsed, SizeCostClipboardFormat()) || parsed.empty())
        return false;
    for (const ParseFieldRow& fields : parsed) {
        std::shared_ptr<ISGSC> row = MakeSheetGoodSizeCost();
        if (row && ApplyParsedRow(columns, *row, fields))
            rows.push_back(std::move(row));
        else
            columns.DiscardPendingRow();
    }
    return true;
}

bool BuildSizeCostRowPaste(ISizeCostPasteColumns& columns, const std::shared_ptr<CSheetGoodEx>& material)
{
    if (!material)
        return false;
    std::vector<std::shared_ptr<ISGSC>> rows;
    if (!ReadSizeCostRowsFromClipboard(columns, rows))
        return false;
    if (CmdHistory* history = GetCmdHistory())
        history->Add(std::make_shared<CSCGDMRowPaste>(material, std::move(rows)));
    return true;
}

bool DeleteMaterial(IDoc* document, const std::shared_ptr<CSheetGoodEx>& material)
{
    if (!material)
        return false;
    const auto* parts = dynamic_cast<const IPartsDoc*>(document);
    if (document && !document->IsProjectLocked() && parts && parts->IsMaterialPinned(material.get())) {
        ShowModelMessage(UiText(kStrMaterialPinned));
        return false;
    }
    if (CmdHistory* history = GetCmdHistory())
        history->Add(std::make_shared<CMaterialDelete>(material));
    return true;
}
