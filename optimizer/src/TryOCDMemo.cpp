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

// Two independent 64-bit mixes of the same words make the 128-bit hash.
std::uint64_t Mix(std::uint64_t h, std::uint64_t word)
{
    h ^= word + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
}

class Hasher
{
public:
    explicit Hasher(MemoKey seed = MemoKey { 0x243f6a8885a308d3ULL, 0x13198a2e03707344ULL }) : m_key(seed) {}
    void Add(std::uint64_t word)
    {
        m_key.a = Mix(m_key.a, word);
        m_key.b = Mix(m_key.b ^ 0xa4093822299f31d0ULL, word * 0x9e3779b97f4a7c15ULL + 1);
    }
    void AddSigned(std::int64_t word) { Add(static_cast<std::uint64_t>(word)); }
    void AddDouble(double value)
    {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        Add(bits);
    }
    MemoKey Key() const { return m_key; }

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

// The parts on a sheet count as themselves: their numbers decide their
// order among parts of the same size.
void AddIdentity(Hasher& h, const PartProxy* part)
{
    AddLikeness(h, part);
    if (part != nullptr) {
        h.AddSigned(part->GetDescriptor().partNumber);
        h.Add(part->GetPosition());
    }
}

void AddRecord(Hasher& h, const NodeRecord& r)
{
    h.AddSigned(r.cutDirection);
    h.Add(r.rootMark);
    h.AddSigned(r.stageLevel);
    h.AddSigned(r.stripDirection);
    h.AddSigned(r.firstCutRestriction);
    h.AddSigned(r.inheritedDirection);
    h.AddSigned(r.itemState);
    h.Add(r.rebuiltBranch);
}

void AddNode(Hasher& h, const OptLayout* node)
{
    if (node == nullptr) {
        h.Add(0);
        return;
    }
    h.Add(node->CanHoldChildren() ? 1 : 2);
    h.AddSigned(node->GetWidth().ToEncodedInt());
    h.AddSigned(node->GetLength().ToEncodedInt());
    h.AddSigned(node->GetX());
    h.AddSigned(node->GetY());
    h.AddSigned(node->GetDepth());
    h.AddSigned(node->GetFurtherLength().ToEncodedInt());
    AddRecord(h, node->Record());
    if (!node->CanHoldChildren()) {
        const auto& leaf = static_cast<const OptPartLayout&>(*node);
        AddIdentity(h, leaf.GetPart());
        h.AddSigned(leaf.GetTurned());
        h.AddSigned(leaf.GetHandedValue());
        h.Add(leaf.IsCountDecided() ? 1 : 0);
        const PlacedPart& placed = leaf.GetPlaced();
        AddIdentity(h, placed.GetPart());
        const OptRect& rect = placed.GetRect();
        h.AddSigned(rect.left);
        h.AddSigned(rect.top);
        h.AddSigned(rect.right);
        h.AddSigned(rect.bottom);
        h.Add(placed.IsRotated() ? 1 : 0);
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
