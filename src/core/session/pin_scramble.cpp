// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/pin_scramble.h"

#include <cstddef>

namespace ribodex {

// Not a protection against anyone who has this source; it only keeps the remembered PIN
// from being read at a glance in the settings file.

std::string ScramblePin(std::string_view pin) {
    std::string out(pin.rbegin(), pin.rend());
    for (std::size_t i = 0; i < out.size(); ++i) {
        const unsigned code = static_cast<unsigned char>(out[i]);
        out[i] = static_cast<char>((code + i + kPinScrambleKey) & 0xFFu);
    }
    return out;
}

std::string UnscramblePin(std::string_view scrambled) {
    std::string out(scrambled);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const unsigned code = static_cast<unsigned char>(out[i]);
        out[i] = static_cast<char>((code - i - kPinScrambleKey) & 0xFFu);
    }
    return std::string(out.rbegin(), out.rend());
}

}  // namespace ribodex
