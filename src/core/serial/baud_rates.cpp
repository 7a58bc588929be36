// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/baud_rates.h"

#include <array>
#include <utility>

namespace ribodex {
namespace {

constexpr std::array<std::pair<unsigned, speed_t>, 18> kRates{{
    {50, B50}, {75, B75}, {110, B110}, {134, B134}, {150, B150}, {200, B200},
    {300, B300}, {600, B600}, {1200, B1200}, {1800, B1800}, {2400, B2400},
    {4800, B4800}, {9600, B9600}, {19200, B19200}, {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400},
}};

}  // namespace

speed_t SpeedFromBaud(unsigned baud) {
    for (const auto& [rate, speed] : kRates)
        if (rate == baud) return speed;
    return B0;
}

unsigned BaudFromSpeed(speed_t speed) {
    for (const auto& [rate, known] : kRates)
        if (known == speed) return rate;
    return 0;
}

std::optional<tcflag_t> CharSizeFromBits(int bits) {
    switch (bits) {
        case 5: return CS5;
        case 6: return CS6;
        case 7: return CS7;
        case 8: return CS8;
        default: return std::nullopt;
    }
}

int BitsFromCharSize(tcflag_t size) {
    switch (size) {
        case CS5: return 5;
        case CS6: return 6;
        case CS7: return 7;
        default: return 8;
    }
}

bool SetLineFields(termios& settings, const LineFields& fields) {
    const speed_t speed = SpeedFromBaud(fields.baud);
    const std::optional<tcflag_t> size = CharSizeFromBits(fields.bits);
    if (speed == B0 || !size || fields.parity < 0 || fields.parity > 2 ||
        (fields.stop != 0 && fields.stop != 2))
        return false;
    cfsetispeed(&settings, speed);
    cfsetospeed(&settings, speed);
    settings.c_cflag = (settings.c_cflag & ~CSIZE) | *size;
    settings.c_cflag &= ~(PARENB | PARODD);
    if (fields.parity == 1) settings.c_cflag |= PARENB | PARODD;
    if (fields.parity == 2) settings.c_cflag |= PARENB;
    if (fields.stop == 2) settings.c_cflag |= CSTOPB; else settings.c_cflag &= ~CSTOPB;
    return true;
}

LineFields GetLineFields(const termios& settings) {
    LineFields fields;
    fields.baud = BaudFromSpeed(cfgetospeed(&settings));
    fields.bits = BitsFromCharSize(settings.c_cflag & CSIZE);
    fields.parity = (settings.c_cflag & PARENB) ? ((settings.c_cflag & PARODD) ? 1 : 2) : 0;
    fields.stop = (settings.c_cflag & CSTOPB) ? 2 : 0;
    return fields;
}

}  // namespace ribodex
