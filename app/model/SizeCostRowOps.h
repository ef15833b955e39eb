#pragma once
// Operations on size/cost rows and on soft-deleted objects that the row
// commands, the grids, the bills and the exports share: the change masks of
// a row edit, the comparison of two rows, copying every value of one row
// into another, and the shown name of an object that may have been deleted.

#include <QString>

#include <cstdint>

class ISGSC;
class ISoftDeleteable;

// 0x48: the change mask of the commands that add, paste or delete rows.
std::uint64_t GetSizeCostAllChangedMask();
// 0x40, with 0x8 added when a compared value differs (the optimizer's input
// changed). Vendor, bin, notes and identity are not compared.
std::uint64_t DiffSheetGoodSizeCostMask(const ISGSC& a, const ISGSC& b);
// 0x80, with 0x1 added when a compared value differs.
std::uint64_t DiffSheetGoodSizeCostKind(const ISGSC& a, const ISGSC& b);
// Stock kind (thickness, unlimited, off-cut), unit cost, can-buy-more, unit
// code, sheet size with trims, inventory count; the first difference answers.
bool SheetGoodSizeCostDiffers(const ISGSC& a, const ISGSC& b);

// Every value of the source goes into the target, which keeps its identity
// (the grid, the optimizer and the pinned layouts hold the target). The
// target gets a scheme of its own and shares the vendor object.
ISGSC& CopySheetGoodProperties(ISGSC& target, const ISGSC& source);

// Only the deleted flag passes from source to target.
void CopyByteFlag(ISoftDeleteable& target, const ISoftDeleteable& source);
// "<Deleted>" while the object is marked deleted, else its name.
QString GetRefNameOrDeleted(const ISoftDeleteable& object);
