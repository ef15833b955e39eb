#include "grids/SheetGoodBOMGridMgr.h"

#include "grids/GridsStrings.h"

#include "foundation/LocaleFormat.h"
#include "foundation/UserPrefsBase.h"
#include "model/ISGSC.h"
#include "optimization/TopLevelBOM.h"

namespace {

constexpr std::int16_t kLeft = 33;
constexpr std::int16_t kRight = 34;
constexpr int kDefaultDimensionAlignment = 34;

std::int16_t dimensionAlignment()
{
    const UserPrefsBase* prefs = GetUserPrefs();
    const int value = prefs ? prefs->GetInt(PrefId::DimensionAlignment) : kDefaultDimensionAlignment;
    return static_cast<std::int16_t>(value > 0 ? value : kDefaultDimensionAlignment);
}

} // namespace

SheetGoodBOMGridMgr::SheetGoodBOMGridMgr(CUGRowMode& grid, std::shared_ptr<IOptimizedTopLevelBOM> bom)
    : QuickGridMgr(grid)
    , m_bom(std::move(bom))
{ }

void SheetGoodBOMGridMgr::AddColumnCaptions(std::vector<std::int32_t>& captions) const
{
    captions.insert(captions.end(),
                    {kStrColumnMaterialName, kStrColumnThickness, kStrColumnWidth, kStrColumnLength, kStrColumnUnitCost,
                     kStrColumnUnits, kStrColumnQuantity, kStrColumnFromInventory, kStrColumnToBuy, kStrColumnTotalCost,
                     kStrColumnVendor, kStrColumnBin});
}

void SheetGoodBOMGridMgr::AddColumnAlignments(std::vector<std::int16_t>& alignments) const
{
    const std::int16_t dimension = dimensionAlignment();
    alignments.insert(alignments.end(),
                      {kLeft, dimension, dimension, dimension, kRight, kLeft, kRight, kRight, kRight, kRight, kLeft, kLeft});
}

bool SheetGoodBOMGridMgr::moveToBillFrom(std::size_t index)
{
    for (m_bomIndex = index; m_bomIndex < m_materialBoms.size(); ++m_bomIndex) {
        const MaterialBOMPtr& bom = m_materialBoms[m_bomIndex];
        if (bom && bom->GetLineItemCount() > 0) {
            m_currentBom = bom;
            m_itemIndex = 0;
            loadRow();
            return true;
        }
    }
    m_currentBom.reset();
    m_currentItem.reset();
    return false;
}

bool SheetGoodBOMGridMgr::MoveFirst()
{
    m_materialBoms.clear();
    if (m_bom)
        for (unsigned i = 0; i < m_bom->GetCount(); ++i)
            m_materialBoms.push_back(m_bom->GetMaterialBOM(static_cast<int>(i)));
    return moveToBillFrom(0);
}

bool SheetGoodBOMGridMgr::MoveNext()
{
    if (!m_currentBom)
        return false;
    if (m_itemIndex + 1 < m_currentBom->GetLineItemCount()) {
        ++m_itemIndex;
        loadRow();
        return true;
    }
    return moveToBillFrom(m_bomIndex + 1);
}

void SheetGoodBOMGridMgr::loadRow()
{
    m_currentItem = m_currentBom->GetLineItem(m_itemIndex);
    m_materialName = m_currentBom->GetName();
    m_row = m_currentItem ? m_currentItem->GetSizeCost() : nullptr;
    m_line = m_currentItem ? BOMBase::MakeBOMLineItemDTO(*m_currentItem) : std::make_shared<BOMLineItemDTO>();
}

void SheetGoodBOMGridMgr::FillCell(int row, int dataColumn, int gridColumn)
{
    if (gridColumn < 0 || !m_line)
        return;
    const int decimals = GetQuantityDecimals();
    auto quantity = [&](double value) { SetNumberCell(gridColumn, row, FormatLocaleNumber(value, decimals, true), value); };
    const SheetDimensions sheet = m_row ? m_row->GetSheetDimensions() : SheetDimensions();
    switch (dataColumn) {
    case 0: SetTextCell(gridColumn, row, m_materialName, true); break;
    case 1: SetNumberCell(gridColumn, row, m_line->thicknessText, m_line->thicknessInches); break;
    case 2: SetNumberCell(gridColumn, row, sheet.GetWidth().FormatDimension(), sheet.GetWidth().GetInches()); break;
    case 3: SetNumberCell(gridColumn, row, sheet.GetLength().FormatDimension(), sheet.GetLength().GetInches()); break;
    case 4: SetNumberCell(gridColumn, row, m_line->unitCost.FormatText(), m_line->unitCost.AsReal()); break;
    case 5: SetTextCell(gridColumn, row, m_line->unitsText, false); break;
    case 6: quantity(m_line->quantityNeeded); break;
    case 7: quantity(m_line->quantityInStock); break;
    case 8: quantity(m_line->quantityToBuy); break;
    case 9: {
        const CMoney total = m_currentItem ? m_currentItem->GetTotalCost() : CMoney();
        SetNumberCell(gridColumn, row, total.FormatText(), total.AsReal());
        break;
    }
    case 10: SetTextCell(gridColumn, row, m_line->vendorName, true); break;
    case 11: SetTextCell(gridColumn, row, m_row ? m_row->GetBin() : QString(), true); break;
    default: break;
    }
}
