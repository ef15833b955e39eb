#pragma once
// The orders in which stacks and shown diagrams are listed (results,
// thumbnails, printouts) and the order of targets for the numbering. Every
// order is settled without heap addresses, so each run lists alike.

#include "optimization/DisplayDiagram.h"
#include "optimization/IdenticalDiagramStack.h"

#include <memory>
#include <vector>

class OptTargetBase;
class OptimizationTarget;

using DisplayDiagramList = std::vector<DisplayDiagramPtr>;

// By stock size (longer, then wider first; the same size by row identity),
// then more waste first, then pinned first.
void SortStacksForResults(StackList& stacks);
// By material name, then thickness (thinner first), then as for the results.
void SortStacksFully(StackList& stacks);
void SortDisplayDiagrams(DisplayDiagramList& diagrams);

// One shown diagram per copy, or only copy 0 of each stack.
void ExpandStacks(const StackList& stacks, bool expand, DisplayDiagramList& out);
void AppendDisplayDiagrams(const StackPtr& stack, bool expand, DisplayDiagramList& out);
// Keeps the stacks the numbering records for the same target as stack's.
void KeepStacksOfSameTarget(StackList& stacks, const StackPtr& stack);

// Target comparators of the numbering: kind descending, name ascending
// (case-sensitive), criteria thickness ascending within the length tolerance.
// The thickness order is not a strict weak order: sort with it stably only.
bool TargetKindGreater(const std::shared_ptr<OptTargetBase>& a, const std::shared_ptr<OptTargetBase>& b);
bool TargetNameLess(const std::shared_ptr<OptTargetBase>& a, const std::shared_ptr<OptTargetBase>& b);
bool TargetThicknessLess(const std::shared_ptr<OptTargetBase>& a, const std::shared_ptr<OptTargetBase>& b);
