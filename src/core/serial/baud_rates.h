#pragma once

#include <termios.h>

namespace ribodex {

// B0 for a rate termios cannot express.
speed_t SpeedFromBaud(unsigned baud);
// 0 when speed is not one of the standard constants.
unsigned BaudFromSpeed(speed_t speed);
// 0 for anything but 5 to 8 data bits.
tcflag_t CharSizeFromBits(int bits);
int BitsFromCharSize(tcflag_t size);

}  // namespace ribodex
