#include "BenchRun.h"

#include <nestcore/IParallelOptFactory.h>
#include <nestcore/IParallelOptimizer.h>
#include <nestcore/ITopLevelLayout.h>
#include <nestcore/OptProgressDlgBase.h>
#include <nestcore/PlacedPart.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

using namespace optimization;

namespace nestbench {

namespace {

// The target's identity; the notifications carry its low 32 bits.
constexpr std::uint64_t kTargetUid = 0x0000000100000001ULL;

class BenchProgress final : public OptProgressDlgBase
{
public:
    void OnRunStarted(std::uint32_t id) override
    {
        if (id == static_cast<std::uint32_t>(kTargetUid))
            ++started;
    }
    void OnRunEnded(std::uint32_t id) override
    {
        if (id == static_cast<std::uint32_t>(kTargetUid))
            ++ended;
    }
    std::uint32_t started = 0;
    std::uint32_t ended = 0;
};

// Requests a cancel on the dialog a given time after it starts, from a
// thread of its own as the program's Cancel button would; stops early when
// the run ends first.
class CancelTimer
{
public:
    using Clock = std::chrono::steady_clock;

    CancelTimer(BenchProgress& progress, double afterMs)
    {
        if (afterMs < 0.0)
            return;
        const auto due = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                            std::chrono::duration<double, std::milli>(afterMs));
        m_thread = std::thread([this, &progress, due] {
            std::unique_lock lock(m_mutex);
            if (m_wake.wait_until(lock, due, [this] { return m_stop; }))
                return;
            m_requestedAt = Clock::now();
            m_requested = true;
            progress.RequestCancel();
        });
    }
    ~CancelTimer() { Stop(); }

    // Ends the timer; true (with the time of the request) when the request
    // was made.
    bool Stop(Clock::time_point* requestedAt = nullptr)
    {
        if (!m_thread.joinable())
            return false;
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
        if (requestedAt)
            *requestedAt = m_requestedAt;
        return m_requested;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    bool m_requested = false;
    Clock::time_point m_requestedAt;
    std::thread m_thread;
};

std::string Number(double value, const char* format)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

// FNV-1a over 64-bit words: stable across runs and machines.
class Digest
{
public:
    void Add(std::int64_t value)
    {
        auto word = static_cast<std::uint64_t>(value);
        for (int i = 0; i < 8; ++i) {
            m_hash = (m_hash ^ (word & 0xffU)) * 0x100000001b3ULL;
            word >>= 8;
        }
    }
    std::uint64_t Value() const { return m_hash; }

private:
    std::uint64_t m_hash = 0xcbf29ce484222325ULL;
};

std::uint64_t DigestOf(const nestcheck::CheckRun& check)
{
    Digest d;
    for (const nestcheck::CheckPart& p : check.parts) {
        d.Add(p.reportedPlaced);
        d.Add(p.skipReason);
    }
    for (const nestcheck::CheckSheet& sheet : check.sheets) {
        d.Add(static_cast<std::int64_t>(sheet.stock));
        d.Add(static_cast<std::int64_t>(sheet.copies.size()));
        for (const nestcheck::CheckCopy& c : sheet.copies) {
            d.Add(static_cast<std::int64_t>(c.part));
            d.Add(c.rotated ? 1 : 0);
            d.Add(c.rect.left);
            d.Add(c.rect.top);
            d.Add(c.rect.right);
            d.Add(c.rect.bottom);
        }
    }
    return d.Value();
}

} // namespace

OptDim TrimmedSize(const OptDim& rough, const OptDim& trim)
{
    const std::int64_t twice = std::min<std::int64_t>(2LL * trim.ToEncodedInt(),
                                                      static_cast<std::int64_t>(OptDim::MAX_INCHES) *
                                                          OptDim::DIM_SCALE_FACTOR);
    // Within the tolerance a trim may exceed half the size; the rest is then
    // a few counts below zero, which is zero.
    if (rough.ToEncodedInt() <= twice)
        return OptDim::Zero;
    return OptDim::FromInternalRep(static_cast<std::int32_t>(rough.ToEncodedInt() - twice));
}

OptFactoryArgs BuildFactoryArgs(const TargetFile& target, IOptProgressDlg* dialog)
{
    OptFactoryArgs args;
    args.primaryObjective = static_cast<OptObjective_t>(target.objective);
    args.stockComparerKind = target.comparer;
    args.offcutsFirst = target.offcutsFirst;
    args.inventoryFirst = target.inventoryFirst;
    args.localOptMode = target.localMode;
    args.modeOption = target.modeOption;
    const OptDim kerf = OptDim::FromInches(target.rules.kerf);
    args.rules = CuttingRules(kerf, static_cast<FirstCutSpecification>(target.rules.firstCut), target.rules.grain,
                              OptDim::FromInches(target.rules.padding), static_cast<GeometryStyle>(target.rules.style));
    for (const StockLine& s : target.stocks) {
        CanvasDescriptorArgs c;
        c.roughWidth = OptDim::FromInches(s.width);
        c.roughLength = OptDim::FromInches(s.length);
        c.tbTrim = OptDim::FromInches(s.tbTrim);
        c.lrTrim = OptDim::FromInches(s.lrTrim);
        c.trimmedWidth = TrimmedSize(c.roughWidth, c.tbTrim);
        c.trimmedLength = TrimmedSize(c.roughLength, c.lrTrim);
        c.fullStockCost = s.cost;
        InitialInventory inventory;
        inventory.unlimited = s.unlimited;
        inventory.available = s.unlimited ? 0 : s.count;
        inventory.usableBeyondCount = s.buyMore;
        inventory.offCut = s.offcut;
        args.stocks.push_back(
            std::make_shared<StockProxy>(nullptr, nullptr, CanvasDescriptor(c), inventory, args.rules));
    }
    for (const PartLine& p : target.parts) {
        PartDescriptor d;
        d.partNumber = p.number;
        d.copies = p.copies;
        d.width = OptDim::FromInches(p.width);
        d.length = OptDim::FromInches(p.length);
        d.excluded = 0;
        d.areaCounts = static_cast<std::int64_t>(d.width.ToEncodedInt()) * d.length.ToEncodedInt();
        // The program keeps square parts from turning: turning one changes nothing.
        d.orientation = d.width == d.length ? static_cast<std::int32_t>(OrientationAsGiven) : p.orientation;
        d.paddedArea = (d.width.GetInches() + kerf.GetInches()) * (d.length.GetInches() + kerf.GetInches());
        d.area = d.width.GetInches() * d.length.GetInches();
        d.furtherLength = d.width;
        args.parts.push_back(std::make_shared<PartProxy>(nullptr, d));
    }
    args.target = OptTargetProxy(nullptr, kTargetUid, false);
    args.progressDlg = dialog;
    return args;
}

BenchResult RunTarget(const TargetFile& target, double cancelAfterMs)
{
    BenchResult result;
    BenchProgress progress;
    OptFactoryArgs args = BuildFactoryArgs(target, &progress);
    std::unique_ptr<IParallelOptimizer> optimizer(IParallelOptFactory::CreateOptimizer(&args));
    if (!optimizer) {
        result.error = "the optimizer could not be created";
        return result;
    }
    const auto start = std::chrono::steady_clock::now();
    CancelTimer timer(progress, cancelAfterMs);
    const bool finished = optimizer->Run();
    const auto end = std::chrono::steady_clock::now();
    CancelTimer::Clock::time_point requestedAt;
    if (timer.Stop(&requestedAt))
        result.cancelMs = std::chrono::duration<double, std::milli>(end - requestedAt).count();
    result.ms = std::chrono::duration<double, std::milli>(end - start).count();
    result.runStarted = progress.started;
    result.runEnded = progress.ended;
    result.cancelled = !finished && result.cancelMs >= 0.0;
    if (!finished && !result.cancelled) {
        result.error = "the run failed";
        return result;
    }

    std::map<const StockProxy*, std::size_t> stockIndex;
    std::map<const PartProxy*, std::size_t> partIndex;
    nestcheck::CheckRun& check = result.check;
    check.kerf = args.rules.GetKerf().ToEncodedInt();
    for (std::size_t i = 0; i < args.stocks.size(); ++i) {
        const StockProxy& s = *args.stocks[i];
        stockIndex[&s] = i;
        check.stocks.push_back({s.GetCanvas().GetTrimmedWidth().ToEncodedInt(),
                                s.GetCanvas().GetTrimmedLength().ToEncodedInt(), s.GetInventory().unlimited,
                                s.GetInventory().available, s.GetInventory().usableBeyondCount});
    }
    for (std::size_t i = 0; i < args.parts.size(); ++i) {
        const PartDescriptor& d = args.parts[i]->GetDescriptor();
        partIndex[args.parts[i].get()] = i;
        check.parts.push_back({d.partNumber, d.width.ToEncodedInt(), d.length.ToEncodedInt(), d.copies, d.orientation,
                               0, 0});
    }
    for (const auto& [proxy, tracker] : optimizer->GetPartUsage()) {
        auto it = partIndex.find(proxy);
        if (it == partIndex.end()) {
            result.error = "the part usage names a part that was not given";
            return result;
        }
        check.parts[it->second].reportedPlaced = tracker->GetPlacedCopiesCount();
        check.parts[it->second].skipReason = static_cast<std::uint32_t>(tracker->GetSkipReason());
    }

    result.sheetsByStock.assign(args.stocks.size(), 0);
    double placedArea = 0.0;
    double roughArea = 0.0;
    std::vector<ITopLevelLayout*> layouts;
    optimizer->GetLayouts(layouts);
    for (const ITopLevelLayout* layout : layouts) {
        auto stock = stockIndex.find(layout->GetStockProxy());
        if (stock == stockIndex.end()) {
            result.error = "a layout names a stock that was not given";
            return result;
        }
        nestcheck::CheckSheet sheet;
        sheet.stock = stock->second;
        const CanvasDescriptor& canvas = args.stocks[sheet.stock]->GetCanvas();
        ++result.sheets;
        ++result.sheetsByStock[sheet.stock];
        result.cost += canvas.GetFullStockCost();
        roughArea += canvas.GetRoughArea();
        result.cuts += layout->GetNumberOfCuts(true);
        result.cutLength += layout->GetCutLengthInches(true);
        for (const PlacedPart* placed : layout->GetPlacedParts()) {
            auto part = partIndex.find(placed->GetPartProxy());
            if (part == partIndex.end()) {
                result.error = "a layout holds a part that was not given";
                return result;
            }
            const OptRect& r = placed->GetRect();
            sheet.copies.push_back({part->second, {r.left, r.top, r.right, r.bottom}, placed->IsRotated()});
            placedArea += args.parts[part->second]->GetDescriptor().area;
        }
        check.sheets.push_back(std::move(sheet));
    }
    for (const nestcheck::CheckPart& p : check.parts) {
        result.placed += p.reportedPlaced;
        result.skipped += p.copies > p.reportedPlaced ? p.copies - p.reportedPlaced : 0;
    }
    result.wastePct = roughArea > 0.0 ? 100.0 * (1.0 - placedArea / roughArea) : 0.0;
    result.digest = DigestOf(check);
    result.ok = true;
    return result;
}

bool SameResult(const BenchResult& a, const BenchResult& b)
{
    if (a.ok != b.ok || a.sheets != b.sheets || a.sheetsByStock != b.sheetsByStock || a.placed != b.placed ||
        a.skipped != b.skipped || a.cuts != b.cuts || a.check.sheets.size() != b.check.sheets.size() ||
        a.check.parts.size() != b.check.parts.size())
        return false;
    // The part usage too: the same copies placed and the same skip reasons.
    for (std::size_t p = 0; p < a.check.parts.size(); ++p)
        if (a.check.parts[p].reportedPlaced != b.check.parts[p].reportedPlaced ||
            a.check.parts[p].skipReason != b.check.parts[p].skipReason)
            return false;
    for (std::size_t s = 0; s < a.check.sheets.size(); ++s) {
        const auto& x = a.check.sheets[s];
        const auto& y = b.check.sheets[s];
        if (x.stock != y.stock || x.copies.size() != y.copies.size())
            return false;
        for (std::size_t c = 0; c < x.copies.size(); ++c) {
            const auto& p = x.copies[c];
            const auto& q = y.copies[c];
            if (p.part != q.part || p.rotated != q.rotated || p.rect.left != q.rect.left || p.rect.top != q.rect.top ||
                p.rect.right != q.rect.right || p.rect.bottom != q.rect.bottom)
                return false;
        }
    }
    return true;
}

std::string ToJson(const BenchResult& r, long peakKb)
{
    std::string s = "{\"sheets\":" + std::to_string(r.sheets) + ",\"sheets_by_stock\":[";
    for (std::size_t i = 0; i < r.sheetsByStock.size(); ++i)
        s += (i ? "," : "") + std::to_string(r.sheetsByStock[i]);
    s += "],\"placed\":" + std::to_string(r.placed);
    s += ",\"skipped\":" + std::to_string(r.skipped);
    s += ",\"waste_pct\":" + Number(r.wastePct, "%.4f");
    s += ",\"cost\":" + Number(r.cost, "%.4f");
    s += ",\"cuts\":" + std::to_string(r.cuts);
    s += ",\"cut_length\":" + Number(r.cutLength, "%.4f");
    char digest[24];
    std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(r.digest));
    s += ",\"digest\":\"" + std::string(digest) + "\"";
    s += ",\"ms\":" + Number(r.ms, "%.3f");
    if (r.cancelMs >= 0.0)
        s += ",\"cancel_ms\":" + Number(r.cancelMs, "%.3f");
    if (peakKb >= 0)
        s += ",\"peak_kb\":" + std::to_string(peakKb);
    s += "}";
    return s;
}

} // namespace nestbench
