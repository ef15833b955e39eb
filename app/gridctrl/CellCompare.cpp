#include "gridctrl/CellCompare.h"

#include "gridctrl/CUGCell.h"

#include <utility>

namespace gridctrl {

int DefaultCompareCells(CUGCell* a, CUGCell* b, int flags)
{
    if (!a)
        return b ? 1 : 0;
    if (!b)
        return -1;
    if (flags & 2)
        std::swap(a, b);
    const int type = a->GetDataType();
    if (type == 2 || type == 3 || type == 5) {
        const double x = a->GetNumber();
        const double y = b->GetNumber();
        return x < y ? -1 : (y < x ? 1 : 0);
    }
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
