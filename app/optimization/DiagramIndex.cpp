#include "optimization/DiagramIndex.h"

#include "foundation/ColumnLetters.h"
#include "foundation/UserPrefsBase.h"
#include "model/CMilledPart.h"
#include "model/CSheetGoodEx.h"
#include "optimization/OptimizationStrings.h"
#include "optimization/OptimizationTarget.h"
#include "optimization/StackOrders.h"

#include <algorithm>
#include <stdexcept>

namespace {
constexpr int kPrefHideLayoutDupes = 2034;
constexpr int kPrefMaxDiagramsList = 3086;

int MaxDiagramsListed()
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return std::max(1, prefs ? prefs->GetInt(kPrefMaxDiagramsList) : 5);
}

bool HideLayoutDupes()
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs && prefs->GetFlag(kPrefHideLayoutDupes);
}
} // namespace

void DiagramIndex::Clear()
{
    m_partTargets.clear();
    m_letters.clear();
    m_partStacks.clear();
    m_stackTargets.clear();
}

void DiagramIndex::ClearDiagrams()
{
    m_partStacks.clear();
    m_stackTargets.clear();
}

void DiagramIndex::AssignTargetLetters(std::vector<std::shared_ptr<OptTargetBase>> targets)
{
    // The thickness order tolerates 2 counts and is no strict weak order:
    // only a stable sort gives a defined, repeatable result with it.
    std::stable_sort(targets.begin(), targets.end(), TargetThicknessLess);
    std::stable_sort(targets.begin(), targets.end(), TargetNameLess);
    std::stable_sort(targets.begin(), targets.end(), TargetKindGreater);
    m_letters.clear();
    int counter = 0;
    for (const auto& target : targets)
        m_letters[target.get()] = {target, FormatColumnLetters(++counter)};
}

void DiagramIndex::ForgetStacksOf(const OptimizationTarget* target)
{
    for (auto it = m_stackTargets.begin(); it != m_stackTargets.end();) {
        if (it->second.second.get() != target) {
            ++it;
            continue;
        }
        const IdenticalDiagramStack* stack = it->first;
        for (auto& [part, entry] : m_partStacks)
            std::erase_if(entry, [stack](const DiagramStackEntry& e) { return e.stack.get() == stack; });
        it = m_stackTargets.erase(it);
    }
    std::erase_if(m_partStacks, [](const auto& item) { return item.second.empty(); });
}

void DiagramIndex::AddTargetResults(const std::shared_ptr<OptimizationTarget>& target, StackList stacks)
{
    if (!target)
        return;
    // A manual edit can take a stack out of the results: no part may keep
    // the label of a diagram that is gone.
    ForgetStacksOf(target.get());
    for (CMilledPart* part : target->GetParts())
        m_partTargets[part] = target;
    SortStacksForResults(stacks);
    int ordinal = 0;
    int sheet = 1;
    for (const StackPtr& stack : stacks) {
        const DiagramStackEntry entry {stack, ++ordinal, sheet, stack->GetCount()};
        sheet += static_cast<int>(stack->GetCount());
        std::vector<CMilledPart*> placed;
        stack->CollectPlacedParts(placed);
        for (CMilledPart* part : placed)
            m_partStacks[part].insert(entry); // a set: a part on the sheet twice is entered once
        m_stackTargets[stack.get()] = {stack, target};
    }
}

QString DiagramIndex::GetDiagramLabel(const StackPtr& stack) const
{
    const auto& target = m_stackTargets.at(stack.get()).second;
    return m_letters.at(target.get()).second;
}

QString DiagramIndex::FindDiagramLabel(const StackPtr& stack) const
{
    const auto it = m_stackTargets.find(stack.get());
    return it != m_stackTargets.end() ? FindTargetLetter(it->second.second.get()) : QString();
}

QString DiagramIndex::FindTargetLetter(const OptTargetBase* target) const
{
    const auto it = m_letters.find(target);
    return it != m_letters.end() ? it->second.second : QString();
}

std::shared_ptr<OptimizationTarget> DiagramIndex::GetStackTarget(const StackPtr& stack) const
{
    const auto it = m_stackTargets.find(stack.get());
    return it != m_stackTargets.end() ? it->second.second : nullptr;
}

std::shared_ptr<OptimizationTarget> DiagramIndex::FindPartTarget(const CMilledPart* part) const
{
    const auto it = m_partTargets.find(part);
    return it != m_partTargets.end() ? it->second : nullptr;
}

const DiagramPartEntry* DiagramIndex::FindPartEntry(const CMilledPart* part) const
{
    const auto it = m_partStacks.find(part);
    return it != m_partStacks.end() ? &it->second : nullptr;
}

std::vector<int> DiagramIndex::GetPartDiagramNumbers(const DiagramPartEntry& entry) const
{
    std::vector<int> numbers;
    const bool hideDupes = HideLayoutDupes();
    for (const DiagramStackEntry& stack : entry) {
        if (hideDupes) {
            numbers.push_back(stack.ordinal);
            continue;
        }
        for (std::uint32_t copy = 0; copy < stack.copies; ++copy)
            numbers.push_back(stack.firstSheet + static_cast<int>(copy));
    }
    return numbers;
}

QString DiagramIndex::FormatDiagramNumbers(const QString& letter, const DiagramPartEntry& entry) const
{
    const std::vector<int> numbers = GetPartDiagramNumbers(entry);
    const std::size_t shown = std::min(numbers.size(), static_cast<std::size_t>(MaxDiagramsListed()));
    QStringList labels;
    for (std::size_t i = 0; i < shown; ++i)
        labels << QStringLiteral("%1%2").arg(letter).arg(numbers[i]);
    QString text = labels.join(QStringLiteral(", "));
    if (shown < numbers.size())
        text += QStringLiteral(", ...");
    return text;
}

DiagramIndex& GetDiagramIndex()
{
    static DiagramIndex index;
    return index;
}

bool ArePartResultsKnown(const CMilledPart& part)
{
    const auto target = GetDiagramIndex().FindPartTarget(&part);
    return target && target->IsOptimized();
}

QString FormatPartDiagramList(const CMilledPart& part)
{
    const auto material = part.GetMaterialInUse();
    if (!material || material->IsDefaultMaterial() || part.GetCopies() == 0)
        return QString();
    if (!ArePartResultsKnown(part))
        return OptimizationText(kStrToBeDetermined);
    if (part.GetPlacedCopies() == 0)
        return OptimizationText(kStrSkipped);
    const DiagramIndex& index = GetDiagramIndex();
    const DiagramPartEntry* entry = index.FindPartEntry(&part);
    const auto target = index.FindPartTarget(&part);
    return entry ? index.FormatDiagramNumbers(index.FindTargetLetter(target.get()), *entry) : QString();
}
