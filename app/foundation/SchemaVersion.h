#pragma once

#include <cstdint>

class ArchiveWrapper;

// Readers of the 32-bit version every serializable class writes first. The
// check is unsigned; a refused version throws the bad-schema archive error
// with the archive's file path.

// Accepts 1..maximum.
std::uint32_t ReadOrThrow(ArchiveWrapper& ar, std::uint32_t maximum);
// Accepts minimum..maximum.
std::uint32_t ReadOrThrowInRange(ArchiveWrapper& ar, std::uint32_t minimum, std::uint32_t maximum);
// Accepts anything but 0.
std::uint32_t ReadOrThrowNonZero(ArchiveWrapper& ar);
// Throws the bad-schema archive error for ar's file; for readers that check
// their version themselves.
[[noreturn]] void ThrowBadSchema(const ArchiveWrapper& ar);
