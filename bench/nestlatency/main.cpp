// nestlatency: how long each pass of a run takes, and how long a cancel
// request takes to end it. The passes are run one by one, as the optimizer's
// own run takes them; for each pass a fresh run is taken up to that pass and
// a cancel is requested at a quarter, half and three quarters of the pass's
// uncancelled time. The latency is the longest time from the request to the
// pass's return.
//
//   nestlatency [--threads N] <target file>
//
// Prints one line of JSON: {"pass_ms":{...},"cancel_ms":{...}} with one key
// per pass that ran; a pass that ran out before the request reports 0.

#include "BenchRun.h"
#include "TargetFile.h"

#include "LayoutGrouping.h"
#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "RunPasses.h"

#include <nestcore/IOptProgressDlg.h>
#include <nestcore/IParallelOptFactory.h>

#include <tbb/global_control.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace optimization;
using Clock = std::chrono::steady_clock;

namespace {

// Answers "cancelled" from a set moment on.
class TimedCancel final : public IOptProgressDlg
{
public:
    bool IsCancelRequested() const override { return Clock::now().time_since_epoch().count() >= m_at.load(); }
    void CancelAt(Clock::time_point at) { m_at = at.time_since_epoch().count(); }
    void Never() { m_at = Clock::duration::max().count(); }

private:
    std::atomic<Clock::rep> m_at{Clock::duration::max().count()};
};

struct Pass {
    const char* name;
    std::function<bool(const ParallelOptimizer&)> runs; // whether the run takes this pass
    std::function<void(ParallelOptimizer&)> body;
};

std::vector<Pass> Passes()
{
    auto always = [](const ParallelOptimizer&) { return true; };
    auto cleanup = [](const ParallelOptimizer& o) {
        const JobPolicy& p = o.Job().Policy();
        return p.layoutsComparer.IsStockSelectionPrimary() && p.localOpt.GetMode() == 1;
    };
    auto eliminate = [](const ParallelOptimizer& o) {
        const JobPolicy& p = o.Job().Policy();
        return p.layoutsComparer.IsStockSelectionPrimary() && !p.stockComparer->GetUnitAreaFlag();
    };
    return {
        {"first", always, [](ParallelOptimizer& o) { RunFirstPass(o); }},
        {"isodim", always, [](ParallelOptimizer& o) { RunGlobalIsoDimPass(o); }},
        {"second", always,
         [](ParallelOptimizer& o) {
             RunSecondPass(o);
             // What the run does between the Second Pass and Local Optimization.
             OptRunState& state = o.Job().RunState();
             GroupIdenticalSheets(state.Layouts());
             for (OptTopLevelLayout* sheet : state.Layouts().Layouts())
                 sheet->SetPartOrderKind(state.GetPartOrderKind());
         }},
        {"local", always, [](ParallelOptimizer& o) { RunLocalOptimization(o); }},
        {"third", always, [](ParallelOptimizer& o) { RunImprovementDispatcher(o, ImprovementMode::Third); }},
        {"special", always, [](ParallelOptimizer& o) { RunSpecialLocalPass(o); }},
        {"retry", always, [](ParallelOptimizer& o) { RunRetrySkippedParts(o); }},
        {"cleanup", cleanup, [](ParallelOptimizer& o) { RunImprovementDispatcher(o, ImprovementMode::Cleanup); }},
        {"eliminate", eliminate,
         [](ParallelOptimizer& o) { RunImprovementDispatcher(o, ImprovementMode::EliminateLayouts); }},
    };
}

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

std::unique_ptr<ParallelOptimizer> Create(const nestbench::TargetFile& target, TimedCancel& dialog,
                                          OptFactoryArgs& args)
{
    args = nestbench::BuildFactoryArgs(target, &dialog);
    IParallelOptimizer* made = IParallelOptFactory::CreateOptimizer(&args);
    return std::unique_ptr<ParallelOptimizer>(dynamic_cast<ParallelOptimizer*>(made));
}

} // namespace

int main(int argc, char** argv)
{
    int threads = 0;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--threads" && i + 1 < argc) {
            threads = std::atoi(argv[++i]);
        } else if (!arg.empty() && arg[0] != '-' && path.empty()) {
            path = arg;
        } else {
            std::fprintf(stderr, "usage: nestlatency [--threads N] <target file>\n");
            return 2;
        }
    }
    if (path.empty()) {
        std::fprintf(stderr, "usage: nestlatency [--threads N] <target file>\n");
        return 2;
    }
    nestbench::TargetFile target;
    nestbench::ParseError error;
    if (!nestbench::LoadTargetFile(path, target, error)) {
        std::fprintf(stderr, "nestlatency: %s\n", error.ToString(path).c_str());
        return 2;
    }
    std::unique_ptr<tbb::global_control> limit;
    if (threads > 0)
        limit = std::make_unique<tbb::global_control>(tbb::global_control::max_allowed_parallelism,
                                                      static_cast<std::size_t>(threads));

    const std::vector<Pass> passes = Passes();
    std::vector<double> passMs(passes.size(), -1.0);
    {
        // One uncancelled run, pass by pass.
        TimedCancel dialog;
        OptFactoryArgs args;
        auto optimizer = Create(target, dialog, args);
        if (!optimizer) {
            std::fprintf(stderr, "nestlatency: no optimizer\n");
            return 1;
        }
        if (optimizer->PreCheck()) {
            std::printf("{\"pass_ms\":{},\"cancel_ms\":{}}\n");
            return 0;
        }
        for (std::size_t k = 0; k < passes.size(); ++k) {
            if (!passes[k].runs(*optimizer))
                continue;
            const auto start = Clock::now();
            passes[k].body(*optimizer);
            passMs[k] = Ms(Clock::now() - start);
        }
    }

    std::vector<double> cancelMs(passes.size(), -1.0);
    for (std::size_t k = 0; k < passes.size(); ++k) {
        if (passMs[k] < 0.0)
            continue;
        double worst = 0.0;
        for (double fraction : {0.25, 0.5, 0.75}) {
            TimedCancel dialog;
            OptFactoryArgs args;
            auto optimizer = Create(target, dialog, args);
            optimizer->PreCheck();
            for (std::size_t j = 0; j < k; ++j)
                if (passes[j].runs(*optimizer))
                    passes[j].body(*optimizer);
            const auto start = Clock::now();
            const auto at = start + std::chrono::duration_cast<Clock::duration>(
                                        std::chrono::duration<double, std::milli>(passMs[k] * fraction));
            dialog.CancelAt(at);
            passes[k].body(*optimizer);
            const auto end = Clock::now();
            if (end > at)
                worst = std::max(worst, Ms(end - at));
        }
        cancelMs[k] = worst;
    }

    auto object = [&](const std::vector<double>& values) {
        std::string s = "{";
        bool first = true;
        for (std::size_t k = 0; k < passes.size(); ++k) {
            if (values[k] < 0.0)
                continue;
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.3f", values[k]);
            s += std::string(first ? "" : ",") + "\"" + passes[k].name + "\":" + buf;
            first = false;
        }
        return s + "}";
    };
    std::printf("{\"pass_ms\":%s,\"cancel_ms\":%s}\n", object(passMs).c_str(), object(cancelMs).c_str());
    return 0;
}
