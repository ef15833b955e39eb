#pragma once
// Stores an object into bytes and loads it back through the program's archive.

#include "foundation/RealArchive.h"

#include <platform/BinaryArchive.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

template <typename Store>
Bytes StoreBytes(Store&& store)
{
    std::ostringstream out;
    platform::BinaryArchive archive = platform::BinaryArchive::storing(out, "test.kwde");
    RealArchive ar(archive);
    store(ar);
    archive.flush();
    const std::string text = out.str();
    return Bytes(text.begin(), text.end());
}

// generation 0 leaves the data version at "newest".
template <typename Load>
void LoadBytes(const Bytes& bytes, Load&& load, std::uint32_t generation = 0)
{
    platform::BinaryArchive archive = platform::BinaryArchive::loading(bytes, "test.kwde");
    if (generation != 0)
        archive.setObjectSchema(generation);
    RealArchive ar(archive);
    load(ar);
}

inline void AppendInt32(Bytes& bytes, std::int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
}
