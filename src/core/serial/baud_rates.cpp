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

tcflag_t CharSizeFromBits(int bits) {
    switch (bits) {
        case 5: return CS5;
        case 6: return CS6;
        case 7: return CS7;
        case 8: return CS8;
        default: return 0;
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

}  // namespace ribodex
