#pragma once
// One copy of a stack as the layouts window, the thumbnails and the printouts
// show it. It keeps its stack and copy index only and looks the stock and the
// copy's flags up on every call, so a Split or MergeFrom of the stack never
// leaves it pointing into freed memory; an index the stack no longer has
// reads the default flags and writes nothing.

#include "optimization/IdenticalDiagramStack.h"

#include <memory>

class DisplayDiagram
{
public:
    DisplayDiagram(StackPtr stack, int copyIndex);

    const StackPtr& GetStack() const { return m_stack; }
    int GetCopyIndex() const { return m_copyIndex; }
    // Shown again as the first copy (when identical copies are hidden).
    void ResetCopyIndex() { m_copyIndex = 0; }

    const StockSpec& GetStockSpec() const { return m_stack->GetStockSpec(); }
    CDimension GetRoughWidth() const { return m_stack->GetRoughWidth(); }
    CDimension GetRoughLength() const { return m_stack->GetRoughLength(); }
    bool MaterialHasGrain() const { return GetStockSpec().MaterialHasGrain(); }

    DrawnPartFlags GetFlags() const { return m_stack->GetCopyFlags(m_copyIndex); }
    bool IsChecked() const { return GetFlags().IsChecked(); }
    void SetChecked(bool value);
    bool IsFancyAnnotationStyle() const { return GetFlags().IsFancyAnnotationStyle(); }
    void ToggleFancyAnnotationStyle();
    void ToggleOverrideRotation();

    // Orientation of this copy's drawing: the sheet's natural way, turned
    // when the user rotated this copy.
    bool IsLengthwise() const;
    CDimension GetDrawnWidth() const;
    CDimension GetDrawnLength() const;
    CDimension GetDrawnXTrim() const;
    CDimension GetDrawnYTrim() const;
    // 1 turned a quarter; else 2 with the origin at the bottom left
    // (preference "Origin Bottom Left"), else 0.
    int GetOrientationCode() const;

    friend bool operator==(const DisplayDiagram& a, const DisplayDiagram& b)
    {
        return a.m_stack == b.m_stack && a.m_copyIndex == b.m_copyIndex;
    }

private:
    StackPtr m_stack;
    int m_copyIndex = 0;
};

using DisplayDiagramPtr = std::shared_ptr<DisplayDiagram>;

// A stack, reached directly or through one of its shown copies.
class StackRef
{
public:
    StackRef(const StackPtr& stack) : m_stack(stack.get()) { }
    StackRef(const IdenticalDiagramStack& stack) : m_stack(&stack) { }
    StackRef(const DisplayDiagram& display) : m_stack(display.GetStack().get()) { }
    StackRef(const DisplayDiagramPtr& display) : m_stack(display->GetStack().get()) { }

    const IdenticalDiagramStack& operator*() const { return *m_stack; }
    const IdenticalDiagramStack* operator->() const { return m_stack; }

private:
    const IdenticalDiagramStack* m_stack;
};

int GetCurrentGeoStyle(StackRef stack);
const StockSpec& GetStockSpec(StackRef stack);
bool IsPinned(StackRef stack);
double GetYieldRatio(StackRef stack);
const DrawnPartList& GetCurrentParts(StackRef stack);
bool IsCurrentGeometryEmpty(StackRef stack);
// More than one layout style to choose from.
bool HasAlternativeGeometries(StackRef stack);
