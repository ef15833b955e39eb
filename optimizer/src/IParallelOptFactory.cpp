#include <nestcore/IParallelOptFactory.h>

#include "JobPolicy.h"
#include "OptimizationJob.h"
#include "ParStockComparer.h"
#include "ParallelOptimizer.h"

#include <nestcore/OptFactoryArgs.h>

namespace optimization {

namespace {

// Numbers the proxies by their place in the vectors (every map and sort of the
// run orders them by it) and leaves out empty entries.
template <typename Proxy>
std::vector<std::shared_ptr<Proxy>> Positioned(const std::vector<std::shared_ptr<Proxy>>& proxies)
{
    std::vector<std::shared_ptr<Proxy>> kept;
    kept.reserve(proxies.size());
    for (const std::shared_ptr<Proxy>& proxy : proxies) {
        if (!proxy)
            continue;
        proxy->SetPosition(kept.size());
        kept.push_back(proxy);
    }
    return kept;
}

// Lengths compute their inches lazily and cache them. The parallel step of
// the run reads the proxies from several threads at once, so every cache is
// filled here, before any thread starts.
void FillInchCaches(const std::vector<std::shared_ptr<StockProxy>>& stocks,
                    const std::vector<std::shared_ptr<PartProxy>>& parts, const CuttingRules& rules)
{
    auto fill = [](const OptDim& d) { d.GetInches(); };
    auto fillRules = [&](const CuttingRules& r) {
        fill(r.GetKerf());
        fill(r.GetPartPadding());
    };
    fillRules(rules);
    for (const auto& stock : stocks) {
        const CanvasDescriptor& c = stock->GetCanvas();
        for (const OptDim* d : {&c.GetTrimmedWidth(), &c.GetTrimmedLength(), &c.GetRoughWidth(), &c.GetRoughLength(),
                                &c.GetTBTrim(), &c.GetLRTrim()})
            fill(*d);
        fillRules(stock->GetRules());
    }
    for (const auto& part : parts) {
        const PartDescriptor& d = part->GetDescriptor();
        fill(d.width);
        fill(d.length);
        fill(d.furtherLength);
    }
}

// Every length of a run lies from 0 to the largest the optimizer represents:
// beyond it, positions plus lengths overflow the sheet's coordinates.
bool LengthsInRange(const std::vector<std::shared_ptr<StockProxy>>& stocks,
                    const std::vector<std::shared_ptr<PartProxy>>& parts, const CuttingRules& rules)
{
    constexpr std::int64_t largest = static_cast<std::int64_t>(OptDim::MAX_INCHES) * OptDim::DIM_SCALE_FACTOR;
    auto ok = [](const OptDim& d) { return d.ToEncodedInt() >= 0 && d.ToEncodedInt() <= largest; };
    auto rulesOk = [&](const CuttingRules& r) { return ok(r.GetKerf()) && ok(r.GetPartPadding()); };
    if (!rulesOk(rules))
        return false;
    for (const auto& stock : stocks) {
        const CanvasDescriptor& c = stock->GetCanvas();
        for (const OptDim* d : {&c.GetTrimmedWidth(), &c.GetTrimmedLength(), &c.GetRoughWidth(), &c.GetRoughLength(),
                                &c.GetTBTrim(), &c.GetLRTrim()})
            if (!ok(*d))
                return false;
        if (!rulesOk(stock->GetRules()))
            return false;
    }
    for (const auto& part : parts) {
        const PartDescriptor& d = part->GetDescriptor();
        if (!ok(d.width) || !ok(d.length) || !ok(d.furtherLength))
            return false;
    }
    return true;
}

std::uint64_t TotalCopies(const std::vector<std::shared_ptr<PartProxy>>& parts)
{
    std::uint64_t total = 0;
    for (const auto& part : parts)
        total += part->GetDescriptor().copies;
    return total;
}

} // namespace

IParallelOptimizer* IParallelOptFactory::CreateOptimizer(const OptFactoryArgs* args)
{
    if (args == nullptr)
        return nullptr;
    try {
        const std::vector<std::shared_ptr<StockProxy>> stocks = Positioned(args->stocks);
        const std::vector<std::shared_ptr<PartProxy>> parts = Positioned(args->parts);
        if (!LengthsInRange(stocks, parts, args->rules) || TotalCopies(parts) > MAX_COPIES)
            return nullptr;
        FillInchCaches(stocks, parts, args->rules);

        JobPolicy policy;
        policy.localOpt.SetBaseMode(1);
        policy.localOpt.SetMode(args->localOptMode);
        policy.localOpt.SetOption(args->localOptMode == 1 && args->modeOption);
        policy.SetStockComparer(MakeStockComparer(args->stockComparerKind, args->offcutsFirst, args->inventoryFirst));
        policy.layoutsComparer.SetWasteConstraint(0.1);
        policy.layoutsComparer.SetPrimaryObjective(args->primaryObjective);

        auto job = std::make_unique<OptimizationJob>(args->target, policy, args->rules, stocks, parts);
        return new ParallelOptimizer(std::move(job), args->progressDlg);
    } catch (...) {
        // Nothing crosses the library boundary: no optimizer.
        return nullptr;
    }
}

} // namespace optimization
