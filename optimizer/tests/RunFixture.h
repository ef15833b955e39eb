#pragma once
// Builds factory arguments and optimizers for the tests of the run and the
// placement steps, the way the program fills them (lengths in inches).

#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"

#include <nestcore/IParallelOptFactory.h>
#include <nestcore/OptFactoryArgs.h>
#include <nestcore/OptProgressDlgBase.h>

#include <memory>
#include <vector>

namespace optimization::testing {

inline CuttingRules Rules(double kerf = 0.0, double padding = 0.0, FirstCutSpecification firstCut = FirstCutNone)
{
    return CuttingRules(OptDim::FromInches(kerf), firstCut, false, OptDim::FromInches(padding), StandardLayout);
}

inline InitialInventory Unlimited()
{
    InitialInventory inventory;
    inventory.unlimited = true;
    return inventory;
}

inline InitialInventory Limited(std::uint32_t available, bool beyond = false, bool offCut = false)
{
    InitialInventory inventory;
    inventory.available = available;
    inventory.usableBeyondCount = beyond;
    inventory.offCut = offCut;
    return inventory;
}

inline std::shared_ptr<StockProxy> Stock(double width, double length, double cost,
                                         const InitialInventory& inventory = Unlimited(),
                                         const CuttingRules& rules = Rules(), double tbTrim = 0.0, double lrTrim = 0.0)
{
    CanvasDescriptorArgs c;
    c.roughWidth = OptDim::FromInches(width);
    c.roughLength = OptDim::FromInches(length);
    c.tbTrim = OptDim::FromInches(tbTrim);
    c.lrTrim = OptDim::FromInches(lrTrim);
    c.trimmedWidth = OptDim::FromInches(width - 2 * tbTrim);
    c.trimmedLength = OptDim::FromInches(length - 2 * lrTrim);
    c.fullStockCost = cost;
    return std::make_shared<StockProxy>(nullptr, nullptr, CanvasDescriptor(c), inventory, rules);
}

inline std::shared_ptr<PartProxy> Part(std::int32_t number, double width, double length, std::uint32_t copies,
                                       std::int32_t orientation = OrientationFree, double kerf = 0.0)
{
    PartDescriptor d;
    d.partNumber = number;
    d.copies = copies;
    d.width = OptDim::FromInches(width);
    d.length = OptDim::FromInches(length);
    d.areaCounts = std::int64_t(d.width.ToEncodedInt()) * d.length.ToEncodedInt();
    d.orientation = orientation;
    d.paddedArea = (width + kerf) * (length + kerf);
    d.area = width * length;
    d.furtherLength = d.width;
    return std::make_shared<PartProxy>(nullptr, d);
}

// Records what a run reports to its dialog.
class RecordingDialog : public OptProgressDlgBase
{
public:
    void OnRunStarted(std::uint32_t id) override { started.push_back(id); }
    void OnRunEnded(std::uint32_t id) override { ended.push_back(id); }
    std::vector<std::uint32_t> started;
    std::vector<std::uint32_t> ended;
};

inline OptFactoryArgs Args(std::vector<std::shared_ptr<StockProxy>> stocks,
                           std::vector<std::shared_ptr<PartProxy>> parts, const CuttingRules& rules = Rules())
{
    OptFactoryArgs args;
    args.stocks = std::move(stocks);
    args.parts = std::move(parts);
    args.rules = rules;
    args.target = OptTargetProxy(nullptr, 0x1122334455667788ULL, false);
    return args;
}

inline std::unique_ptr<ParallelOptimizer> Make(const OptFactoryArgs& args)
{
    IParallelOptimizer* made = IParallelOptFactory::CreateOptimizer(&args);
    return std::unique_ptr<ParallelOptimizer>(dynamic_cast<ParallelOptimizer*>(made));
}

// A new empty sheet of the stock as the creators open one.
inline std::unique_ptr<OptTopLevelLayout> NewSheet(ParallelOptimizer& optimizer, const StockProxy* stock)
{
    auto sheet = std::make_unique<OptTopLevelLayout>(stock, optimizer.Job().RunState().GetPartOrderKind(),
                                                     optimizer.Job().Policy().localOpt);
    sheet->Relay();
    return sheet;
}

} // namespace optimization::testing
