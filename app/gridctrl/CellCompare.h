#pragma once
// The grid's default ordering of two cells for sorting.

class CUGCell;

namespace gridctrl {

// -1, 0 or 1. A missing cell sorts after a present one; flag 2 (descending)
// swaps the operands; numbers, dates and currency compare by value, texts by
// code unit, and a cell without text sorts after one with text.
int DefaultCompareCells(CUGCell* a, CUGCell* b, int flags);

// The steps every cell order shares: missing cells, the swap for
// descending (flag 2), and numbers, dates and currency by value. True when
// these decide (the order in *result); otherwise a and b are left swapped
// as the flags ask, for the text comparison to follow.
bool CompareMissingOrNumbers(CUGCell*& a, CUGCell*& b, int flags, int* result);

} // namespace gridctrl
