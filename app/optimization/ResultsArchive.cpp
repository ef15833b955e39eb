// The stored forms of targets, diagrams, stacks, results and bills belong with the project
// file's optimization records; until those are written no project stores
// results, and asking for them is a programming error rather than a silently
// empty file.
#include "optimization/Diagram.h"
#include "optimization/IdenticalDiagramStack.h"
#include "optimization/NamedSheetGoodBOM.h"
#include "optimization/OptimizationResults.h"
#include "optimization/SGBOMLineItem.h"
#include "optimization/TopLevelBOM.h"
#include "optimization/OptimizationTarget.h"

#include <stdexcept>

void Diagram::Serialize(ArchiveWrapper&, const std::shared_ptr<IdentityMapper>&)
{
    throw std::logic_error("diagrams have no stored form yet");
}

void IdenticalDiagramStack::Serialize(ArchiveWrapper&, const std::shared_ptr<IdentityMapper>&)
{
    throw std::logic_error("diagram stacks have no stored form yet");
}

void OptimizationTarget::Serialize(ArchiveWrapper&, const std::shared_ptr<IdentityMapper>&)
{
    throw std::logic_error("optimization targets have no stored form yet");
}

void OptimizationResults::Serialize(ArchiveWrapper&, const std::shared_ptr<IdentityMapper>&)
{
    throw std::logic_error("optimization results have no stored form yet");
}

void SGBOMLineItem::Serialize(ArchiveWrapper&, const std::shared_ptr<IdentityMapper>&)
{
    throw std::logic_error("bill-of-materials lines have no stored form yet");
}

void NamedSheetGoodBOM::Serialize(ArchiveWrapper&, const std::shared_ptr<IdentityMapper>&)
{
    throw std::logic_error("material bills of materials have no stored form yet");
}

void IOptimizedTopLevelBOM::Serialize(ArchiveWrapper&)
{
    throw std::logic_error("the project's bill of materials has no stored form yet");
}
