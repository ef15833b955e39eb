#include "optimization/DisplayDiagram.h"

#include "foundation/UserPrefsBase.h"

namespace {
constexpr int kPrefOriginBottomLeft = 2118;
} // namespace

DisplayDiagram::DisplayDiagram(StackPtr stack, int copyIndex)
    : m_stack(std::move(stack)), m_copyIndex(copyIndex)
{ }

void DisplayDiagram::SetChecked(bool value)
{
    if (DrawnPartFlags* flags = m_stack->FindCopyFlags(m_copyIndex))
        flags->SetChecked(value);
}

void DisplayDiagram::ToggleFancyAnnotationStyle()
{
    if (DrawnPartFlags* flags = m_stack->FindCopyFlags(m_copyIndex))
        flags->ToggleFancyAnnotationStyle();
}

void DisplayDiagram::ToggleOverrideRotation()
{
    if (DrawnPartFlags* flags = m_stack->FindCopyFlags(m_copyIndex))
        flags->ToggleOverrideRotation();
}

bool DisplayDiagram::IsLengthwise() const
{
    return IsLengthwiseByStock(GetStockSpec()) != GetFlags().IsOverrideRotation();
}

CDimension DisplayDiagram::GetDrawnWidth() const
{
    return IsLengthwise() ? GetRoughLength() : GetRoughWidth();
}

CDimension DisplayDiagram::GetDrawnLength() const
{
    return IsLengthwise() ? GetRoughWidth() : GetRoughLength();
}

CDimension DisplayDiagram::GetDrawnXTrim() const
{
    return IsLengthwise() ? GetStockSpec().GetLeftRightTrim() : GetStockSpec().GetTopBottomTrim();
}

CDimension DisplayDiagram::GetDrawnYTrim() const
{
    return IsLengthwise() ? GetStockSpec().GetTopBottomTrim() : GetStockSpec().GetLeftRightTrim();
}

int DisplayDiagram::GetOrientationCode() const
{
    if (!IsLengthwise())
        return 1;
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs && prefs->GetFlag(kPrefOriginBottomLeft) ? 2 : 0;
}

int GetCurrentGeoStyle(StackRef stack)
{
    return stack->GetCurrentGeoStyle();
}

const StockSpec& GetStockSpec(StackRef stack)
{
    return stack->GetStockSpec();
}

bool IsPinned(StackRef stack)
{
    return stack->IsPinned();
}

double GetYieldRatio(StackRef stack)
{
    return stack->GetYieldRatio();
}

const DrawnPartList& GetCurrentParts(StackRef stack)
{
    return stack->GetCurrentParts();
}

bool IsCurrentGeometryEmpty(StackRef stack)
{
    return !stack->HasGeometry(stack->GetCurrentGeoStyle()) || stack->GetCurrentParts().empty();
}

bool HasAlternativeGeometries(StackRef stack)
{
    return stack->GetDiagram()->GetAltGeometries()->size() > 1;
}
