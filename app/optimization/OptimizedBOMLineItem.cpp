#include "optimization/OptimizedBOMLineItem.h"

UsageStats IOptimizedBOMLineItem::SumLayoutStatistics() const
{
    UsageStats sum;
    for (const StackPtr& stack : GetLayouts())
        if (stack)
            sum.Add(stack->GetTotalStats());
    return sum;
}
