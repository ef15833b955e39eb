#pragma once
// The B.O.M. page's grid: one row per stock size of each sheet-good
// material, with sizes, costs and the sheets needed, taken from inventory
// and to buy. Material bills without lines give no rows.

#include "grids/QuickGridMgr.h"

#include "model/BOMBase.h"
#include "optimization/MaterialBOM.h"

#include <memory>
#include <vector>

class IOptimizedTopLevelBOM;
class ISGSC;

class SheetGoodBOMGridMgr : public QuickGridMgr {
public:
    static constexpr int kColumnCount = 12;

    SheetGoodBOMGridMgr(CUGRowMode& grid, std::shared_ptr<IOptimizedTopLevelBOM> bom);

    int GetColumnCount() const override { return kColumnCount; }
    void AddColumnCaptions(std::vector<std::int32_t>& captions) const override;
    void AddColumnAlignments(std::vector<std::int16_t>& alignments) const override;
    bool MoveFirst() override;
    bool MoveNext() override;
    void FillCell(int row, int dataColumn, int gridColumn) override;

private:
    // From the material bill at the index on, the first one with lines.
    bool moveToBillFrom(std::size_t index);
    void loadRow();

    std::shared_ptr<IOptimizedTopLevelBOM> m_bom;
    std::vector<MaterialBOMPtr> m_materialBoms;
    std::size_t m_bomIndex = 0;
    unsigned m_itemIndex = 0;
    MaterialBOMPtr m_currentBom;
    OptimizedLineItemPtr m_currentItem;
    QString m_materialName;
    std::shared_ptr<ISGSC> m_row;
    std::shared_ptr<BOMLineItemDTO> m_line;
};
