#include "optimization/NamedSheetGoodBOM.h"

#include "foundation/IdentityMapper.h"
#include "model/CSheetGoodEx.h"

#include <algorithm>

NamedSheetGoodBOM::NamedSheetGoodBOM()
    : m_material(std::make_shared<CSheetGoodEx>())
{ }

NamedSheetGoodBOM::NamedSheetGoodBOM(std::shared_ptr<CSheetGoodEx> material)
    : m_material(material ? std::move(material) : std::make_shared<CSheetGoodEx>())
{ }

NamedSheetGoodBOM::~NamedSheetGoodBOM()
{
    m_lineItems.clear();
    m_results.clear();
}

QString NamedSheetGoodBOM::GetName() const
{
    return m_material->GetName();
}

std::uint64_t NamedSheetGoodBOM::GetMaterialIdentity() const
{
    return m_material->GetIdentity();
}

void NamedSheetGoodBOM::AddLineItems(const OptimizedLineItemList& items)
{
    for (const OptimizedLineItemPtr& item : items)
        if (auto line = std::dynamic_pointer_cast<SGBOMLineItem>(item))
            m_lineItems.push_back(std::move(line));
}

void NamedSheetGoodBOM::RemoveLineItems(const OptimizedLineItemList& items)
{
    for (const OptimizedLineItemPtr& item : items)
        std::erase_if(m_lineItems, [&item](const std::shared_ptr<SGBOMLineItem>& line) { return line == item; });
}

void NamedSheetGoodBOM::ResetTarget(const OptimizationTargetPtr& target, const std::shared_ptr<DomainUpdateInfo>&,
                                    PinnedUsage& usage)
{
    target->ResetForReoptimization(usage, true);
    MarkTargetPending(target);
}

