#pragma once
// What the export reads of the project, gathered by the document: targets,
// the sheet-goods bill of materials, the diagram stacks, the parts and the
// project settings.

#include "model/CMoney.h"
#include "optimization/IdenticalDiagramStack.h"
#include "optimization/OptTargetsMgr.h"

#include <cstdint>
#include <memory>
#include <vector>

class CMilledPart;
class IOptimizableMaterial;
class ProjectSettings;

namespace iDeviceExport {

// One line item of a material bill, as the line item answers at the time it
// is read: in whole sheets while "Pro-Rate Costs" is off, as it is for the
// whole of a build.
struct ExportLineItem
{
    std::uint64_t identity = 0;
    std::uint64_t sizeCostIdentity = 0;
    double quantityNeeded = 0.0;
    double quantityInStock = 0.0;
    // Cost per unit times the quantity needed.
    CMoney totalCost;
};

// The results of one target within a material bill.
struct ExportResultSet
{
    std::uint64_t targetIdentity = 0;
    StackList stacks;
    std::vector<ExportLineItem> lineItems;
};

struct ExportMaterialBill
{
    std::shared_ptr<IOptimizableMaterial> material;
    // The bill has line entries; a bill without them adds nothing.
    bool hasEntries = false;
    std::vector<ExportResultSet> results;
};

class IExportSource
{
public:
    virtual ~IExportSource() = default;

    // The targets in list order.
    virtual const OptTargetList& GetTargetList() const = 0;
    // The material bills of the sheet-goods bill of materials, in its order.
    virtual std::vector<ExportMaterialBill> GetSheetGoodsBills() const = 0;
    // Every diagram stack, in the order the project lists its diagrams:
    // pinned stacks first.
    virtual StackList GetAllDiagramsInOrder() const = 0;
    // The parts list in its order.
    virtual std::vector<CMilledPart*> GetParts() const = 0;
    virtual const ProjectSettings& GetProjectSettings() const = 0;
};

} // namespace iDeviceExport
