#include "optimization/OptimizedBOMLineItem.h"

UsageStats IOptimizedBOMLineItem::SumLayoutStatistics() const
{
    UsageStats sum;
    for (const StackPtr& stack : GetLayouts())
        sum.Add(stack->GetTotalStats());
    return sum;
}
