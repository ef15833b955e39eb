#pragma once
// The argument block from which the program has an optimizer built for one
// target: the optimization settings of the project, the target's stock sizes
// and parts as shared proxies, the target itself, its saw rules and the
// progress dialog to report to.

#include <nestcore/CuttingRules.h>
#include <nestcore/OptObjective.h>
#include <nestcore/OptTargetProxy.h>
#include <nestcore/PartProxy.h>
#include <nestcore/StockProxy.h>
#include <nestcore_export.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace optimization {

class IOptProgressDlg;

struct NESTCORE_EXPORT OptFactoryArgs {
    OptFactoryArgs();
    OptFactoryArgs(const OptFactoryArgs& other);
    OptFactoryArgs& operator=(const OptFactoryArgs& other);
    ~OptFactoryArgs();

    OptObjective_t primaryObjective = StockSelectionPrimary;
    // 0 orders stock by size; any other value by cost, 2 by unit-area cost.
    std::int32_t stockComparerKind = 0;
    bool offcutsFirst = false;
    bool inventoryFirst = false;
    std::int32_t localOptMode = 0;
    // Kept only when the local-optimization mode is 1.
    bool modeOption = false;
    std::vector<std::shared_ptr<StockProxy>> stocks;
    std::vector<std::shared_ptr<PartProxy>> parts;
    OptTargetProxy target;
    CuttingRules rules;
    IOptProgressDlg* progressDlg = nullptr; // not owned; may be null
};

} // namespace optimization
