#include "optimization/SGBOMLineItem.h"

#include "foundation/UserPrefsBase.h"
#include "model/CMilledPart.h"
#include "model/CPricingScheme.h"
#include "model/ISGSC.h"
#include "model/SheetGoodSizeCost.h"
#include "model/SizeCostFactory.h"

#include <algorithm>

namespace {
std::shared_ptr<ISGSC> MakeDefaultRow()
{
    std::shared_ptr<ISGSC> row = MakeSheetGoodSizeCost();
    return row ? row : std::make_shared<SheetGoodSizeCost>();
}
} // namespace

bool IsProRatingCosts()
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs && prefs->GetFlag(PrefId::ProRateCosts);
}

SGBOMLineItem::SGBOMLineItem()
    : m_row(MakeDefaultRow())
{ }

SGBOMLineItem::SGBOMLineItem(std::shared_ptr<ISGSC> row)
    : m_row(row ? std::move(row) : MakeDefaultRow())
{ }

std::uint32_t SGBOMLineItem::GetSheetsNeeded() const
{
    std::uint32_t sheets = 0;
    for (const StackPtr& stack : m_layouts)
        sheets += stack->GetCount();
    return sheets;
}

CMoney SGBOMLineItem::GetTotalCost() const
{
    return GetUnitCost().MultiplyBy(GetQuantityNeeded());
}

QString SGBOMLineItem::GetUnitsText() const
{
    if (IsProRatingCosts()) {
        const CSheetGoodPS* scheme = m_row->GetPricingScheme();
        return scheme ? scheme->GetUnitText() : QString();
    }
    return CSGPSSheet().GetUnitText();
}

double SGBOMLineItem::GetQuantityNeeded() const
{
    return IsProRatingCosts() ? m_proRatedNeeded : GetSheetsNeeded();
}

double SGBOMLineItem::GetQuantityInStock() const
{
    return IsProRatingCosts() ? m_proRatedFromStock : m_sheetsFromStock;
}

double SGBOMLineItem::GetQuantityToBuy() const
{
    if (IsProRatingCosts())
        return m_proRatedNeeded - m_proRatedFromStock;
    return static_cast<double>(GetSheetsNeeded()) - m_sheetsFromStock;
}

QString SGBOMLineItem::GetVendorName() const
{
    const CVendorPtr vendor = m_row->GetVendor();
    return vendor ? vendor->GetDisplayName() : QString();
}

QString SGBOMLineItem::GetRowText() const
{
    return m_row->GetLabelText();
}

QString SGBOMLineItem::GetThicknessText() const
{
    return m_row->GetThickness().FormatDimension();
}

double SGBOMLineItem::GetThicknessInches() const
{
    return m_row->GetThickness().GetInches();
}

CMoney SGBOMLineItem::GetUnitCost() const
{
    if (IsProRatingCosts())
        return m_row->GetUnitCost();
    const CSheetGoodPS* scheme = m_row->GetPricingScheme();
    return scheme ? scheme->GetSheetCost(*m_row) : m_row->GetUnitCost();
}

double SGBOMLineItem::ProRatedQuantityPerSheet(const IdenticalDiagramStack& stack) const
{
    const CSheetGoodPS* scheme = m_row->GetPricingScheme();
    if (!scheme)
        return 0.0;
    std::vector<CMilledPart*> parts;
    stack.CollectPlacedParts(parts);
    double quantity = 0.0;
    for (const CMilledPart* part : parts)
        if (part)
            quantity += scheme->GetQuantity(part->GetWidth(), part->GetLength(), *m_row);
    return quantity;
}

void SGBOMLineItem::AddLayout(const StackPtr& stack)
{
    const double perSheet = ProRatedQuantityPerSheet(*stack);
    const std::uint32_t copies = stack->GetCount();
    m_proRatedNeeded += copies * perSheet;
    std::uint32_t fromStock = copies;
    if (!m_row->IsUnlimited()) {
        // Inventory goes to the stacks in list order: the first ones take
        // it, later ones buy. Used up means 0, never a wrapped count.
        const std::uint32_t used = GetSheetsNeeded();
        const std::uint32_t inventory = m_row->GetAvailable();
        const std::uint32_t available = used < inventory ? inventory - used : 0;
        fromStock = std::min(available, copies);
    }
    m_sheetsFromStock += fromStock;
    m_proRatedFromStock += fromStock * perSheet;
    m_layouts.push_back(stack);
}

void SGBOMLineItem::RemoveLayout(const StackPtr& stack)
{
    std::erase(m_layouts, stack);
}

void SGBOMLineItem::Recount()
{
    m_proRatedNeeded = 0.0;
    m_proRatedFromStock = 0.0;
    m_sheetsFromStock = 0;
    StackList layouts;
    layouts.swap(m_layouts);
    for (const StackPtr& stack : layouts)
        AddLayout(stack);
}
