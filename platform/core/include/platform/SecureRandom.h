#pragma once

#include <cstdint>

namespace platform {

// A 32-bit word from the operating system's cryptographic random source.
std::uint32_t SecureRandom32();

} // namespace platform
