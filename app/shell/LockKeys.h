#pragma once
// The state of the Caps Lock, Num Lock and Scroll Lock keys for the status
// bar. Qt does not report it; the keyboard's indicator lights do, where the
// system lets a user read them (/sys/class/leds). Anything else is unknown,
// and an unknown key shows as off rather than as a guess.

#include <functional>
#include <optional>

enum class LockKey { Caps, Num, Scroll };

// true: on, false: off, nothing: unknown.
using LockKeyReader = std::function<std::optional<bool>(LockKey)>;

// Reads the indicator lights of the keyboards the system lists.
std::optional<bool> ReadLockKeyLight(LockKey key);
