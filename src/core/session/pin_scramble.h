// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace ribodex {

// The one-byte constant of the PIN scrambling. Chosen so that a PIN of up to eight digits
// scrambles to lower-case letters only.
inline constexpr unsigned char kPinScrambleKey = 0x31;

// Reverses the bytes, then adds (position + kPinScrambleKey) modulo 256 to each. Any byte
// value, NUL included, goes in and comes out; the length is kept.
std::string ScramblePin(std::string_view pin);
// The inverse: UnscramblePin(ScramblePin(x)) == x for every x.
std::string UnscramblePin(std::string_view scrambled);

}  // namespace ribodex
