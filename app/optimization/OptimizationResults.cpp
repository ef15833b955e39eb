#include "optimization/OptimizationResults.h"

#include "foundation/CmdHistory.h"
#include "foundation/CommandBase.h"
#include "foundation/IdentityMapper.h"
#include "model/ISGSC.h"
#include "model/ThicknessBasedOptTarget.h"
#include "optimization/DiagramIndex.h"
#include "optimization/DisplayDiagram.h"
#include "optimization/StackOrders.h"

#include <algorithm>

namespace {
PrepareForManualEditingFactory& ManualEditingFactory()
{
    static PrepareForManualEditingFactory factory;
    return factory;
}
} // namespace

void RegisterPrepareForManualEditingCommand(PrepareForManualEditingFactory factory)
{
    ManualEditingFactory() = std::move(factory);
}

OptimizationResults::OptimizationResults()
    : m_target(std::make_shared<OptimizationTarget>())
{ }

OptimizationResults::OptimizationResults(OptimizationTargetPtr target)
    : m_target(std::move(target))
{ }

OptimizationResults::OptimizationResults(
    OptimizationTargetPtr target, StackList stacks, OptimizedLineItemList lineItems)
    : m_target(std::move(target))
    , m_stacks(std::move(stacks))
    , m_lineItems(std::move(lineItems))
{
    SortStacksForResults(m_stacks);
}

OptimizationResults::~OptimizationResults() = default;

QString OptimizationResults::GetName() const
{
    return m_target ? m_target->FormatThickness() : QString();
}

std::shared_ptr<OptTargetCriteria> OptimizationResults::GetCriteria() const
{
    return m_target ? m_target->GetCriteria() : nullptr;
}

bool OptimizationResults::IsForTarget(const std::shared_ptr<OptTargetBase>& target) const
{
    return m_target && target && m_target->CriteriaEquals(target->GetCriteria());
}

bool OptimizationResults::HasStackWithFlag0(bool firstCopyOnly) const
{
    return std::any_of(m_stacks.begin(), m_stacks.end(), [firstCopyOnly](const StackPtr& stack) {
        if (firstCopyOnly) {
            // A stack without copies has no first record to read.
            const DrawnPartFlags* first = stack->FindCopyFlags(0);
            return first && first->IsChecked();
        }
        const auto& flags = stack->GetAllCopyFlags();
        return std::any_of(flags.begin(), flags.end(), [](const DrawnPartFlags& f) { return f.IsChecked(); });
    });
}

void OptimizationResults::SetAnnotationFlag(bool value)
{
    for (const StackPtr& stack : m_stacks)
        stack->SetFancyAnnotationStyleForAll(value);
}

void OptimizationResults::ApplyStyleToUnpinned(int style)
{
    for (const StackPtr& stack : m_stacks)
        if (stack->IsNotPinned() && stack->HasGeometry(style))
            stack->SetCurrentGeoStyle(style);
}

OptimizedLineItemPtr OptimizationResults::FindLineItemOf(const StackPtr& stack) const
{
    const auto& row = stack->GetStockSpec().size;
    for (const OptimizedLineItemPtr& item : m_lineItems) {
        const std::shared_ptr<IOptimizableSize> itemRow = item->GetSizeCost();
        if (row && itemRow == row)
            return item;
    }
    return nullptr;
}

void OptimizationResults::Renumber() const
{
    GetDiagramIndex().AddTargetResults(m_target, m_stacks);
}

void OptimizationResults::AddStack(const StackPtr& stack)
{
    m_stacks.push_back(stack);
    Renumber();
    if (const OptimizedLineItemPtr item = FindLineItemOf(stack))
        item->AttachLayout(stack);
}

void OptimizationResults::RemoveStack(const StackPtr& stack)
{
    std::erase(m_stacks, stack);
    Renumber();
    if (const OptimizedLineItemPtr item = FindLineItemOf(stack))
        item->RemoveLayout(stack);
}

OptimizedLineItemPtr OptimizationResults::RemoveEmptyStack(const StackPtr& stack)
{
    std::erase(m_stacks, stack);
    Renumber();
    const OptimizedLineItemPtr item = FindLineItemOf(stack);
    if (!item)
        return nullptr;
    item->DetachLayout(stack);
    if (!item->HasLayouts())
        std::erase(m_lineItems, item);
    return item;
}

int OptimizationResults::IndexOfStack(const StackPtr& stack) const
{
    const auto it = std::find(m_stacks.begin(), m_stacks.end(), stack);
    return it == m_stacks.end() ? -1 : static_cast<int>(it - m_stacks.begin());
}

void OptimizationResults::RestoreStack(
    const StackPtr& stack, const OptimizedLineItemPtr& lineItem, int position)
{
    if (position >= 0 && position <= static_cast<int>(m_stacks.size()))
        m_stacks.insert(m_stacks.begin() + position, stack);
    else
        m_stacks.push_back(stack);
    Renumber();
    OptimizedLineItemPtr item = FindLineItemOf(stack);
    if (!item && lineItem) {
        m_lineItems.push_back(lineItem);
        item = lineItem;
    }
    if (item)
        item->AddLayout(stack);
}

bool OptimizationResults::SelectLayoutStyle(const DisplayDiagram& display, int style)
{
    const StackPtr& stack = display.GetStack();
    if (style == GeometryStyles::ManualEdit && !stack->HasGeometry(GeometryStyles::ManualEdit)) {
        const auto& factory = ManualEditingFactory();
        CmdHistory* history = GetCmdHistory();
        const std::shared_ptr<CommandBase> command
            = factory ? factory(stack, display.GetCopyIndex()) : nullptr;
        if (!command || !history)
            return false; // nothing can prepare the manual geometry: keep the style shown
        history->Add(command);
        return true;
    }
    stack->SetCurrentGeoStyle(style);
    return false;
}

bool CompareTargets(const OptimizationResultsPtr& a, const OptimizationResultsPtr& b)
{
    const auto criteriaA = a->GetCriteria();
    const auto criteriaB = b->GetCriteria();
    return criteriaA && criteriaB && criteriaA->Less(*criteriaB);
}
