// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <termios.h>

#include <optional>

namespace ribodex {

// B0 for a rate termios cannot express.
speed_t SpeedFromBaud(unsigned baud);
// 0 when speed is not one of the standard constants.
unsigned BaudFromSpeed(speed_t speed);
// nullopt for anything but 5 to 8 data bits (CS5 is 0, so 0 cannot mean "none").
std::optional<tcflag_t> CharSizeFromBits(int bits);
int BitsFromCharSize(tcflag_t size);

// The four line settings the link owns, with the Win32 codes: parity 0 none, 1 odd, 2 even;
// stop bits 0 one, 2 two.
struct LineFields {
    unsigned baud = 9600;
    int bits = 8;
    int parity = 0;
    int stop = 0;
    bool operator==(const LineFields&) const = default;
};

// Writes the four fields into settings and leaves every other flag as it is; false, and
// settings unchanged, for a value termios cannot express (1.5 stop bits among them).
bool SetLineFields(termios& settings, const LineFields& fields);
LineFields GetLineFields(const termios& settings);

}  // namespace ribodex
