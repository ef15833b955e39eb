#pragma once
// Predicates for sorting lists of diagrams, each true when the first item
// goes first. They read the items through their own getters.

#include "optimization/DisplayDiagram.h"
#include "optimization/IdenticalDiagramStack.h"

// Highest yield ratio first (the ratio of the sheet left over).
bool DiagramYieldGreater(StackPtr a, StackPtr b);
bool DiagramYieldGreater(DisplayDiagramPtr a, DisplayDiagramPtr b);
// By the diagram's label, case-sensitive.
bool DiagramLabelLess(DisplayDiagramPtr a, DisplayDiagramPtr b);
// The second is longer by more than 32 counts (1/512 in).
bool DiagramLengthLess(DisplayDiagramPtr a, DisplayDiagramPtr b);
// Larger first: the first size decides when the two differ by more than 2
// counts, else the second size; equal sizes are not ordered.
bool DiagramSizeGreater(StackPtr a, StackPtr b);
bool DiagramSizeGreater(DisplayDiagramPtr a, DisplayDiagramPtr b);
