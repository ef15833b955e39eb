#pragma once
// Small pieces every stored record of the optimization state shares: its
// version word, the counts of its lists, and the references it cannot do
// without. A damaged file ends with the archive's error before anything is
// allocated for it or dereferenced.

#include "foundation/ManagedIdentity.h"

#include <cstdint>
#include <memory>

class ArchiveWrapper;

// Storing writes the version; loading accepts exactly that version and
// refuses any other with the bad-schema error.
void SerializeSchemaWord(ArchiveWrapper& ar, std::int32_t version);

// A list count (signed or unsigned 32 bits) of items that take at least
// itemBytes each: a negative count is refused as a bad schema, one larger
// than the bytes left with the end-of-file error.
std::int32_t ReadListCount(ArchiveWrapper& ar, std::uint32_t itemBytes);
std::uint32_t ReadUnsignedListCount(ArchiveWrapper& ar, std::uint32_t itemBytes);

// A reference the record needs (a stack's diagram, the target of results)
// that named nothing, or an object of another class.
[[noreturn]] void ThrowMissingObject(const ArchiveWrapper& ar);
template <class T> void RequireLoaded(const ArchiveWrapper& ar, const std::shared_ptr<T>& object)
{
    if (!object)
        ThrowMissingObject(ar);
}

// The factory with which stock rows are read by type code.
std::shared_ptr<IManagedIdentity> MakeSizeCostIdentity(std::uint32_t typeCode);

// Bytes that a reference through the identity mapper takes at least.
constexpr std::uint32_t kReferenceBytes = 9;
