#pragma once
// The grid's key codes: the desktop's virtual-key numbers, which hooks and
// cell types receive and may change. One table maps Qt's keys onto them.

namespace gridkey {

constexpr int Back = 0x08;
constexpr int Tab = 0x09;
constexpr int Return = 0x0D;
constexpr int Shift = 0x10;
constexpr int Control = 0x11;
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int PageUp = 0x21;
constexpr int PageDown = 0x22;
constexpr int End = 0x23;
constexpr int Home = 0x24;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int Insert = 0x2D;
constexpr int Delete = 0x2E;
constexpr int F1 = 0x70;
constexpr int F2 = 0x71;
constexpr int F4 = 0x73;

// The code of a Qt key; letters and digits keep their upper-case character
// code, unknown keys give 0.
int FromQtKey(int qtKey);

} // namespace gridkey
