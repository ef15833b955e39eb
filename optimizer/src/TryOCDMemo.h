#pragma once
// The memory of TryOCD's failed probes. A rebuild reads nothing of a sheet
// but its content (tree, node records, parts, stock, own policy), and of a
// part nothing but its likeness (all of its descriptor but its number) and
// its place in the part order: so a part that failed to go into a sheet
// fails again on a sheet of the same content for every part alike whose
// place among the others is the same (every part of the run of its size in
// the part order is alike it), and a branch whose own parts fail at some
// point of their order fails there for every forced part that sorts after
// that point. Runs of many part lines offer such parts to the same sheets again and
// again; the memory answers the repeats without rebuilding anything.
//
// Contents are remembered by a 128-bit hash. The memory is shared by every
// clone of a run's state (the content keys hold no state of the run) and by
// the threads of the run. A remembered answer is always the answer a probe
// would give, so the results never depend on what was remembered when.
//
// With KWL_NEST_CHECK_MEMO=1 in the environment, every probe that the memory
// answers is worked out again as well, and a different answer aborts the
// process with a message (a check of the keys, for the bench runs).

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace optimization {

class OptTopLevelLayout;
class PartProxy;

struct MemoKey {
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    bool operator==(const MemoKey& other) const { return a == other.a && b == other.b; }
};

// The content of the sheet as a rebuild of it reads it (its parts by
// number and identity), with the run's part order kind and the exclusion
// option of the placement.
MemoKey SheetContentKey(const OptTopLevelLayout& sheet, std::int32_t partOrderKind, bool skipExcluded);
// The key extended by a part's likeness (its descriptor without its number).
MemoKey WithPartLikeness(MemoKey key, const PartProxy& part);
// Alike: the same descriptor but for the part number.
bool SameLikeness(const PartProxy& a, const PartProxy& b);
// The key extended by a number (a work unit's index).
MemoKey WithNumber(MemoKey key, std::uint64_t number);

class TryOCDMemo
{
public:
    TryOCDMemo();
    TryOCDMemo(const TryOCDMemo&) = delete;
    TryOCDMemo& operator=(const TryOCDMemo&) = delete;

    // Re-run every answered probe and compare (KWL_NEST_CHECK_MEMO=1).
    bool CheckMode() const { return m_check; }

    // Forced parts alike that failed on a sheet content (key with the part).
    bool KnownFailure(const MemoKey& key) const;
    void RememberFailure(const MemoKey& key);

    // The position in a work unit's part order at which its rebuild failed
    // (key with the unit's index); -1 when none is remembered.
    std::int64_t KnownUnitFailure(const MemoKey& key) const;
    void RememberUnitFailure(const MemoKey& key, std::size_t position);

    // Called on a mismatch of check mode: reports and aborts.
    [[noreturn]] static void Mismatch(const char* what);

private:
    struct KeyHash {
        std::size_t operator()(const MemoKey& key) const { return static_cast<std::size_t>(key.a); }
    };
    // A few shards, each with its own lock, so that the threads of a run
    // seldom wait for each other. A shard that grows past its share of the
    // bound starts afresh, which keeps the memory small.
    static constexpr std::size_t kShards = 16;
    static constexpr std::size_t kEntriesPerShard = 16384;
    struct Shard {
        mutable std::mutex lock;
        std::unordered_map<MemoKey, std::int64_t, KeyHash> entries;
    };
    Shard& ShardOf(const MemoKey& key) const { return m_shards[(key.b >> 7) % kShards]; }
    std::int64_t Find(const MemoKey& key) const;
    void Store(const MemoKey& key, std::int64_t value);

    bool m_check = false;
    mutable Shard m_shards[kShards];
};

} // namespace optimization
