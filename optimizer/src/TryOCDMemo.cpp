#include "TryOCDMemo.h"

#include "OptPartLayout.h"
#include "OptTopLevelLayout.h"

#include <nestcore/PartProxy.h>
#include <nestcore/StockProxy.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace optimization {

namespace {

std::uint64_t Avalanche(std::uint64_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

std::uint64_t Pair(std::int32_t high, std::int32_t low)
{
    return (std::uint64_t(std::uint32_t(high)) << 32) | std::uint32_t(low);
}

// Two lanes of different multiplicative mixes over the same words, each
// finished by an avalanche, make the 128-bit hash.
class Hasher
{
public:
    explicit Hasher(MemoKey seed = MemoKey { 0x243f6a8885a308d3ULL, 0x13198a2e03707344ULL }) : m_key(seed) {}
    void Add(std::uint64_t word)
    {
        m_key.a = ((m_key.a ^ word) * 0x9e3779b97f4a7c15ULL);
        m_key.a = (m_key.a << 31) | (m_key.a >> 33);
        m_key.b = (m_key.b + word) * 0xbf58476d1ce4e5b9ULL;
        m_key.b ^= m_key.b >> 29;
    }
    void AddSigned(std::int64_t word) { Add(static_cast<std::uint64_t>(word)); }
    void AddDouble(double value)
    {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        Add(bits);
    }
    MemoKey Key() const { return MemoKey { Avalanche(m_key.a), Avalanche(m_key.b ^ 0xa4093822299f31d0ULL) }; }

private:
    MemoKey m_key;
};

void AddLikeness(Hasher& h, const PartProxy* part)
{
    if (part == nullptr) {
        h.Add(0x5bd1e995);
        return;
    }
    const PartDescriptor& d = part->GetDescriptor();
    h.Add(d.copies);
    h.AddSigned(d.width.ToEncodedInt());
    h.AddSigned(d.length.ToEncodedInt());
    h.Add(d.excluded);
    h.AddSigned(d.areaCounts);
    h.AddSigned(d.orientation);
    h.AddDouble(d.paddedArea);
    h.AddDouble(d.area);
    h.AddSigned(d.furtherLength.ToEncodedInt());
}

// The parts on a sheet count as themselves, their numbers deciding their
// order among parts of the same size. A proxy lives as long as the run, so
// its address names it for the equality of keys (and nothing else).
void AddIdentity(Hasher& h, const PartProxy* part)
{
    h.Add(static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(part)));
}

void AddNode(Hasher& h, const OptLayout* node)
{
    if (node == nullptr) {
        h.Add(0);
        return;
    }
    const NodeRecord& r = node->Record();
    h.Add(node->CanHoldChildren() ? 1 : 2);
    h.Add(Pair(node->GetWidth().ToEncodedInt(), node->GetLength().ToEncodedInt()));
    h.Add(Pair(node->GetX(), node->GetY()));
    h.Add(Pair(node->GetDepth(), node->GetFurtherLength().ToEncodedInt()));
    h.Add(Pair(r.cutDirection, r.stageLevel));
    h.Add(Pair(r.stripDirection, r.firstCutRestriction));
    h.Add(Pair(r.inheritedDirection, r.itemState));
    h.Add(Pair(r.rootMark, r.rebuiltBranch));
    if (!node->CanHoldChildren()) {
        const auto& leaf = static_cast<const OptPartLayout&>(*node);
        const PlacedPart& placed = leaf.GetPlaced();
        const OptRect& rect = placed.GetRect();
        AddIdentity(h, leaf.GetPart());
        AddIdentity(h, placed.GetPart());
        h.Add(Pair(leaf.GetTurned(), leaf.GetHandedValue()));
        h.Add(Pair(leaf.IsCountDecided() ? 1 : 0, placed.IsRotated() ? 1 : 0));
        h.Add(Pair(rect.left, rect.top));
        h.Add(Pair(rect.right, rect.bottom));
        return;
    }
    AddNode(h, node->GetBlock());
    AddNode(h, node->GetLengthRemainder());
    AddNode(h, node->GetWidthRemainder());
}

} // namespace

MemoKey SheetContentKey(const OptTopLevelLayout& sheet, std::int32_t partOrderKind, bool skipExcluded)
{
    Hasher h;
    h.AddSigned(partOrderKind);
    h.Add(skipExcluded ? 1 : 0);
    h.Add(sheet.GetStockProxy()->GetPosition());
    h.AddSigned(sheet.GetPartOrderKind());
    h.AddSigned(sheet.GetWithinInventory());
    h.AddSigned(sheet.GetDoneMark());
    const ParLocalOpt& policy = sheet.Policy();
    h.AddSigned(policy.Query());
    h.AddSigned(policy.GetBaseMode());
    h.AddSigned(policy.GetMode());
    h.AddSigned(policy.GetStyleWord());
    h.AddSigned(policy.GetFourthWord());
    h.Add(policy.GetOption() ? 1 : 0);
    h.AddSigned(policy.GetSixthWord());
    h.AddSigned(policy.GetSeventhWord());
    AddNode(h, &sheet);
    return h.Key();
}

MemoKey WithPartLikeness(MemoKey key, const PartProxy& part)
{
    Hasher h(key);
    h.Add(0x70617274);
    AddLikeness(h, &part);
    return h.Key();
}

bool SameLikeness(const PartProxy& a, const PartProxy& b)
{
    Hasher ha;
    Hasher hb;
    AddLikeness(ha, &a);
    AddLikeness(hb, &b);
    return ha.Key() == hb.Key();
}

MemoKey WithNumber(MemoKey key, std::uint64_t number)
{
    Hasher h(key);
    h.Add(0x756e6974);
    h.Add(number);
    return h.Key();
}

TryOCDMemo::TryOCDMemo()
{
    const char* check = std::getenv("KWL_NEST_CHECK_MEMO");
    m_check = check != nullptr && std::strcmp(check, "1") == 0;
}

std::int64_t TryOCDMemo::Find(const MemoKey& key) const
{
    Shard& shard = ShardOf(key);
    std::lock_guard<std::mutex> guard(shard.lock);
    auto it = shard.entries.find(key);
    return it == shard.entries.end() ? -1 : it->second;
}

void TryOCDMemo::Store(const MemoKey& key, std::int64_t value)
{
    Shard& shard = ShardOf(key);
    std::lock_guard<std::mutex> guard(shard.lock);
    if (shard.entries.size() >= kEntriesPerShard)
        shard.entries.clear();
    shard.entries[key] = value;
}

bool TryOCDMemo::KnownFailure(const MemoKey& key) const
{
    return Find(key) >= 0;
}

void TryOCDMemo::RememberFailure(const MemoKey& key)
{
    Store(key, 0);
}

std::int64_t TryOCDMemo::KnownUnitFailure(const MemoKey& key) const
{
    return Find(key);
}

void TryOCDMemo::RememberUnitFailure(const MemoKey& key, std::size_t position)
{
    Store(key, static_cast<std::int64_t>(position));
}

void TryOCDMemo::Mismatch(const char* what)
{
    std::fprintf(stderr, "nestcore: KWL_NEST_CHECK_MEMO: a remembered TryOCD answer differs from the probe: %s\n",
                 what);
    std::abort();
}

} // namespace optimization
