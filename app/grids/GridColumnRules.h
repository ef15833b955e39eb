#pragma once
// Rules shared by the columns of every grid: texts sort logically and detect
// an unchanged value exactly; lengths compare with the length tolerance.

#include "foundation/CDimension.h"
#include "model/ModelTexts.h"

#include <QString>

inline int CompareColumnTexts(const QString& a, const QString& b)
{
    const int order = LogicalCompare(a, b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

inline int CompareColumnLengths(const CDimension& a, const CDimension& b)
{
    if (CDimension::LessWithTolerance(a, b))
        return -1;
    return CDimension::LessWithTolerance(b, a) ? 1 : 0;
}
