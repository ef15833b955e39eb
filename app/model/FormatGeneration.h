#pragma once

#include "foundation/ArchiveWrapper.h"

#include <cstdint>

// The format generation of the file being read: its data version without the
// high bit (all but that bit set when the loader gave none, so that readers
// take their newest form).
inline std::uint32_t FormatGeneration(const ArchiveWrapper& ar)
{
    return ar.GetDataVersion() & 0x7FFFFFFFu;
}
