#pragma once

#include "foundation/DomainUpdateInfo.h"
#include "foundation/GridUpdateHint.h"
#include "foundation/UpdateMasks.h"

#include <cstdint>
#include <memory>
#include <vector>

class CMilledPart;
class CSheetGoodEx;
class DisplayDiagram;
class ISGSC;
class IGridSource;
struct TAKEOFFITEM;

using PartRowsHint = GridUpdateHint<CMilledPart, GDMStorageRawPtr>;
using SheetGoodRowsHint = GridUpdateHint<CSheetGoodEx, GDMStorageSP>;
using SizeCostRowsHint = GridUpdateHint<ISGSC, GDMStorageSP>;
using GridSourceRowsHint = GridUpdateHint<IGridSource, GDMStorageSP>;
using TakeOffRowsHint = GridUpdateHint<TAKEOFFITEM, GDMStorageRawPtr>;

// What an edit changed, for the views: three masks, row hints for the grids
// and a typed payload. A command owns one; the document merges the hints of
// one outer operation into its pending hint and sends that once.
class UpdateHint
{
public:
    UpdateHint(uint64_t changeMask, uint64_t detailMask);

    void ResetToDefault();

    void AddChangeFlags(uint64_t flags) { m_changeMask |= flags; }
    void AddDetailFlags(uint64_t flags) { m_detailMask |= flags; }
    void AddExtraFlags(uint64_t flags) { m_extraMask |= flags; }
    uint64_t GetChangeFlags() const { return m_changeMask; }
    uint64_t GetDetailFlags() const { return m_detailMask; }
    uint64_t GetExtraFlags() const { return m_extraMask; }

    bool HasChange0001() const { return m_changeMask & UpdateMask::Change0001; }
    bool HasChange0008() const { return m_changeMask & UpdateMask::Change0008; }
    bool HasChange0040() const { return m_changeMask & UpdateMask::Change0040; }
    bool HasChange0100() const { return m_changeMask & UpdateMask::Change0100; }
    bool HasChange0200() const { return m_changeMask & UpdateMask::Change0200; }
    bool HasChange0400() const { return m_changeMask & UpdateMask::Change0400; }
    bool HasChange1000() const { return m_changeMask & UpdateMask::Change1000; }
    bool HasChange80000() const { return m_changeMask & UpdateMask::Change80000; }
    bool HasChange1740() const { return m_changeMask & UpdateMask::Change1740; }

    // Row hints, made empty on first request.
    std::shared_ptr<PartRowsHint> GetPartRows();
    std::shared_ptr<SheetGoodRowsHint> GetSheetGoodRowsForEdit();
    std::shared_ptr<SizeCostRowsHint> GetSizeCostRowsForEdit();
    std::shared_ptr<GridSourceRowsHint> GetGridSourceRowsForEdit(int index);
    std::shared_ptr<TakeOffRowsHint> GetTakeOffRowsForEdit();
    // Readers that never create.
    std::shared_ptr<SheetGoodRowsHint> GetSheetGoodRows() const { return m_sheetGoodRows; }
    std::shared_ptr<SizeCostRowsHint> GetSizeCostRows() const { return m_sizeCostRows; }
    std::shared_ptr<PartRowsHint> PeekPartRows() const { return m_partRows; }
    std::shared_ptr<GridSourceRowsHint> PeekGridSourceRows(int index) const;
    std::shared_ptr<TakeOffRowsHint> PeekTakeOffRows() const { return m_takeOffRows; }

    void MarkAllPartRows();
    void MarkPartRowsChanged();

    void SetDomainUpdateInfo(std::shared_ptr<DomainUpdateInfo> info) { m_updateInfo = std::move(info); }
    std::shared_ptr<DomainUpdateInfo> GetDomainUpdateInfo() const { return m_updateInfo; }

    // The diagram the layouts window shows after the command; empty leaves the view where it is.
    void SetDiagramToShow(std::shared_ptr<DisplayDiagram> diagram) { m_diagramToShow = std::move(diagram); }
    std::shared_ptr<DisplayDiagram> GetDiagramToShow() const { return m_diagramToShow; }

    // Takes another hint in, in this order.
    void Merge(const UpdateHint& other);
    void MergeMasks(const UpdateHint& other);
    void MergeRowHints(const UpdateHint& other);
    void MergeRowChangeCodes(const UpdateHint& other);
    void MergeDomainUpdateInfo(const UpdateHint& other);

    // After sending: masks and row hints go, the payload stays for the layouts window.
    void Clear();

private:
    uint64_t m_changeMask;
    uint64_t m_detailMask;
    uint64_t m_extraMask = 0;
    std::shared_ptr<PartRowsHint> m_partRows;
    std::shared_ptr<SheetGoodRowsHint> m_sheetGoodRows;
    std::shared_ptr<SizeCostRowsHint> m_sizeCostRows;
    std::vector<std::shared_ptr<GridSourceRowsHint>> m_gridSourceRows;
    std::shared_ptr<TakeOffRowsHint> m_takeOffRows;
    std::shared_ptr<DomainUpdateInfo> m_updateInfo;
    std::shared_ptr<DisplayDiagram> m_diagramToShow;
};
