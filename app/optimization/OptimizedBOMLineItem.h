#pragma once
// A bill-of-materials line of an optimized material: one stock size (one
// size/cost row) within the results of one target, with the stacks cut from
// it. Removing a stack never recounts; the counts follow at the next Recount.

#include "model/BOMBase.h"
#include "optimization/IdenticalDiagramStack.h"
#include "optimization/UsageStats.h"

#include <memory>
#include <vector>

class ISGSC;

class IOptimizedBOMLineItem : public BOMLineItemBase
{
public:
    virtual std::shared_ptr<ISGSC> GetSizeCost() const = 0;
    virtual const StackList& GetLayouts() const = 0;
    // Counts the stack's sheets into the line, then lists the stack.
    virtual void AddLayout(const StackPtr& stack) = 0;
    // Lists the stack without counting it.
    virtual void AttachLayout(const StackPtr& stack) = 0;
    // Takes every occurrence of the stack off the list.
    virtual void RemoveLayout(const StackPtr& stack) = 0;
    virtual void DetachLayout(const StackPtr& stack) = 0;

    bool HasLayouts() const { return !GetLayouts().empty(); }
    // The statistics of every sheet of the line's stacks, in their shown styles.
    UsageStats SumLayoutStatistics() const;
};

using OptimizedLineItemPtr = std::shared_ptr<IOptimizedBOMLineItem>;
using OptimizedLineItemList = std::vector<OptimizedLineItemPtr>;
