#pragma once
// The program-wide table behind diagram labels such as A1, A2, B1: a letter
// per target, an ordinal and sheet numbers per stack, and for each part the
// stacks its copies lie on. The parts grid, the layouts window and the
// printouts read it.

#include "optimization/IdenticalDiagramStack.h"

#include <QString>

#include <map>
#include <memory>
#include <set>
#include <vector>

class CMilledPart;
class OptTargetBase;
class OptimizationTarget;

struct DiagramStackEntry
{
    StackPtr stack;
    int ordinal = 0; // 1-based within the target
    int firstSheet = 0; // 1-based within the target
    std::uint32_t copies = 0;

    friend bool operator<(const DiagramStackEntry& a, const DiagramStackEntry& b) { return a.ordinal < b.ordinal; }
};
using DiagramPartEntry = std::set<DiagramStackEntry>;

class DiagramIndex
{
public:
    void Clear();
    // Forgets stacks and parts, keeps the letters.
    void ClearDiagrams();
    // Letters from scratch, the targets ordered by kind, name and thickness.
    void AssignTargetLetters(std::vector<std::shared_ptr<OptTargetBase>> targets);
    // Records one target's stacks in result order, replacing what the target
    // had recorded before.
    void AddTargetResults(const std::shared_ptr<OptimizationTarget>& target, StackList stacks);

    // The letter of the stack's target; the stack must be recorded and its
    // target lettered (std::out_of_range otherwise).
    QString GetDiagramLabel(const StackPtr& stack) const;
    // As GetDiagramLabel, but empty for a stack or target it does not know:
    // painters may ask while the index is being rebuilt.
    QString FindDiagramLabel(const StackPtr& stack) const;
    QString FindTargetLetter(const OptTargetBase* target) const;
    std::shared_ptr<OptimizationTarget> GetStackTarget(const StackPtr& stack) const;
    std::shared_ptr<OptimizationTarget> FindPartTarget(const CMilledPart* part) const;
    const DiagramPartEntry* FindPartEntry(const CMilledPart* part) const;

    // With identical sheets hidden one number per stack, else one per sheet.
    std::vector<int> GetPartDiagramNumbers(const DiagramPartEntry& entry) const;
    // "A1, A2, A3", at most "Max Diagrams List" numbers, then ", ...".
    QString FormatDiagramNumbers(const QString& letter, const DiagramPartEntry& entry) const;

private:
    void ForgetStacksOf(const OptimizationTarget* target);

    // Keys are looked up only, never listed, so their addresses order nothing visible.
    std::map<const CMilledPart*, std::shared_ptr<OptimizationTarget>> m_partTargets;
    std::map<const OptTargetBase*, std::pair<std::shared_ptr<OptTargetBase>, QString>> m_letters;
    std::map<const CMilledPart*, DiagramPartEntry> m_partStacks;
    std::map<const IdenticalDiagramStack*, std::pair<StackPtr, std::shared_ptr<OptimizationTarget>>> m_stackTargets;
};

DiagramIndex& GetDiagramIndex();

// The part's target has been optimized since the part or the target last
// changed: the part's diagram numbers, its skipped state and its hand-placed
// copies are that run's. Otherwise they are left over from before, and the
// part shows the placeholder and none of them.
bool ArePartResultsKnown(const CMilledPart& part);

// The parts grid's diagram list of a part: the labels, "Skipped", the
// placeholder before the part's target is optimized, or nothing.
QString FormatPartDiagramList(const CMilledPart& part);
