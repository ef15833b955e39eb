#pragma once

#include <cstdint>

// The change, detail and extra bits of an update hint. Senders OR them
// together, receivers test them; the values are the contract between the two.
namespace UpdateMask {
// Change mask.
inline constexpr uint64_t Change0001 = 0x1;
inline constexpr uint64_t Change0008 = 0x8; // reaches the optimizer's input
inline constexpr uint64_t Change0040 = 0x40;
inline constexpr uint64_t Change0100 = 0x100;
inline constexpr uint64_t Change0200 = 0x200;
inline constexpr uint64_t Change0400 = 0x400;
inline constexpr uint64_t Change1000 = 0x1000;
inline constexpr uint64_t Change80000 = 0x80000;
inline constexpr uint64_t Change100000 = 0x100000;
inline constexpr uint64_t Change800000 = 0x800000;

inline constexpr uint64_t Change800009 = 0x800009;
inline constexpr uint64_t Change800049 = 0x800049;
inline constexpr uint64_t Change800449 = 0x800449;
inline constexpr uint64_t Change1740 = 0x1740; // the group the main view tests together
inline constexpr uint64_t ChangeDefault = 0x801749;

// Detail mask (there is no 0x20).
inline constexpr uint64_t Detail0001 = 0x1;
inline constexpr uint64_t Detail0002 = 0x2;
inline constexpr uint64_t Detail0004 = 0x4;
inline constexpr uint64_t Detail0008 = 0x8;
inline constexpr uint64_t Detail0010 = 0x10;
inline constexpr uint64_t Detail0040 = 0x40;
inline constexpr uint64_t Detail0080 = 0x80;
inline constexpr uint64_t Detail0100 = 0x100;
inline constexpr uint64_t Detail0200 = 0x200;
inline constexpr uint64_t Detail0400 = 0x400;
inline constexpr uint64_t Detail0800 = 0x800;
inline constexpr uint64_t Detail1000 = 0x1000;
inline constexpr uint64_t Detail2000 = 0x2000;
inline constexpr uint64_t Detail4000 = 0x4000;
inline constexpr uint64_t Detail8000 = 0x8000;
inline constexpr uint64_t DetailAll = ~uint64_t { 0 }; // the layouts window refreshes everything

// Extra mask, read by the layouts window only.
inline constexpr uint64_t Extra01 = 0x1;
inline constexpr uint64_t Extra02 = 0x2;
inline constexpr uint64_t Extra04 = 0x4;
} // namespace UpdateMask
