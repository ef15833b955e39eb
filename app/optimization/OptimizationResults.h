#pragma once
// What one target produced: its stacks and its bill-of-materials lines, with
// the manual edits that add and remove stacks while keeping the lines and the
// diagram numbering in step. OptResultsPending stands in for a target whose
// results are still to come.

#include "optimization/OptimizationTarget.h"
#include "optimization/OptimizedBOMLineItem.h"

#include <QString>

#include <functional>
#include <memory>

class CommandBase;
class DisplayDiagram;

class OptimizationResults
{
public:
    // For loading: a new default target, no stacks, no lines.
    OptimizationResults();
    explicit OptimizationResults(OptimizationTargetPtr target);
    // The results of a run; the stacks are put in result order.
    OptimizationResults(OptimizationTargetPtr target, StackList stacks, OptimizedLineItemList lineItems);
    virtual ~OptimizationResults();

    virtual bool IsPending() const { return false; }
    // The thickness of the target.
    virtual QString GetName() const;

    const OptimizationTargetPtr& GetTarget() const { return m_target; }
    const StackList& GetStacks() const { return m_stacks; }
    const OptimizedLineItemList& GetLineItems() const { return m_lineItems; }
    bool HasStacks() const { return !m_stacks.empty(); }
    std::shared_ptr<OptTargetCriteria> GetCriteria() const;
    // These results belong to a target of equal criteria.
    bool IsForTarget(const std::shared_ptr<OptTargetBase>& target) const;

    bool HasStackWithFlag0(bool firstCopyOnly) const;
    void SetAnnotationFlag(bool value);
    // Unpinned stacks that have the style show it.
    void ApplyStyleToUnpinned(int style);

    // Manual edits. Adding lists the stack without counting it; the line
    // counts follow at the material bill's next recount.
    void AddStack(const StackPtr& stack);
    void RemoveStack(const StackPtr& stack);
    // As RemoveStack; a line left without layouts leaves the results too.
    // Answers the stack's line (empty when it had none).
    OptimizedLineItemPtr RemoveEmptyStack(const StackPtr& stack);
    // Where the stack stands in the results (its first place), -1 when absent.
    int IndexOfStack(const StackPtr& stack) const;
    // Undoes RemoveEmptyStack: the stack goes back to the place it had (at
    // the end when the place is unknown or beyond the list), so the diagrams
    // keep their order and numbers; the line comes back (at the end) when it
    // had left, and counts the stack.
    void RestoreStack(const StackPtr& stack, const OptimizedLineItemPtr& lineItem, int position = -1);

    // The user picked a layout style for a shown diagram. The manual-edit
    // style, when the diagram has none yet, is prepared by the layouts
    // window's command (answer true); any other pick only switches the style.
    bool SelectLayoutStyle(const DisplayDiagram& display, int style);

    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper);
    void ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper);

private:
    OptimizedLineItemPtr FindLineItemOf(const StackPtr& stack) const;
    void Renumber() const;

    OptimizationTargetPtr m_target;
    StackList m_stacks;
    OptimizedLineItemList m_lineItems;
};

class OptResultsPending : public OptimizationResults
{
public:
    explicit OptResultsPending(OptimizationTargetPtr target)
        : OptimizationResults(std::move(target))
    { }
    bool IsPending() const override { return true; }
    QString GetName() const override { return QStringLiteral("Pending"); }
};

using OptimizationResultsPtr = std::shared_ptr<OptimizationResults>;
using ResultsList = std::vector<OptimizationResultsPtr>;

// The layouts tree's order: by the targets' criteria.
bool CompareTargets(const OptimizationResultsPtr& a, const OptimizationResultsPtr& b);

// The layouts window registers the command that prepares a stack's copy for
// manual editing; the results run it through the command history.
using PrepareForManualEditingFactory
    = std::function<std::shared_ptr<CommandBase>(const StackPtr& stack, int copyIndex)>;
void RegisterPrepareForManualEditingCommand(PrepareForManualEditingFactory factory);
