#include "gridctrl/CellCompare.h"

#include "gridctrl/CUGCell.h"

#include <utility>

namespace gridctrl {

bool CompareMissingOrNumbers(CUGCell*& a, CUGCell*& b, int flags, int* result)
{
    if (!a || !b) {
        *result = !a ? (b ? 1 : 0) : -1;
        return true;
    }
    if (flags & 2)
        std::swap(a, b);
    const int type = a->GetDataType();
    if (type == 2 || type == 3 || type == 5) {
        const double x = a->GetNumber();
        const double y = b->GetNumber();
        *result = x < y ? -1 : (y < x ? 1 : 0);
        return true;
    }
    return false;
}

int DefaultCompareCells(CUGCell* a, CUGCell* b, int flags)
{
    int result = 0;
    if (CompareMissingOrNumbers(a, b, flags, &result))
        return result;
    if (!a->IsPropertySet(CUGCell::kText))
        return 1;
    if (!b->IsPropertySet(CUGCell::kText))
        return -1;
    const QString s = a->GetText();
    const QString t = b->GetText();
    const int c = QString::compare(s, t, Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace gridctrl
