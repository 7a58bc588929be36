// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/pin_scramble.h"

#include <gtest/gtest.h>

#include <string>

namespace ribodex {
namespace {

TEST(PinScramble, ReversesThenAddsPositionAndKeyModulo256) {
    const std::string scrambled = ScramblePin("12\xFF");
    ASSERT_EQ(scrambled.size(), 3u);
    EXPECT_EQ(static_cast<unsigned char>(scrambled[0]), (0xFF + 0 + kPinScrambleKey) & 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(scrambled[1]), '2' + 1 + kPinScrambleKey);
    EXPECT_EQ(static_cast<unsigned char>(scrambled[2]), '1' + 2 + kPinScrambleKey);
    EXPECT_EQ(ScramblePin(""), "");
    // What the settings files of earlier runs hold: a changed key would send every
    // remembered PIN wrong, at the cost of one SIM attempt per connection.
    EXPECT_EQ(ScramblePin("1234"), "eeee");
    EXPECT_EQ(UnscramblePin("abcd"), "0000");
}

TEST(PinScramble, RoundTripsEveryByteValueAtEveryPosition) {
    // Each byte value, NUL included, at each of the dialog's 20 positions.
    for (int position = 0; position < 20; ++position) {
        for (int value = 0; value < 256; ++value) {
            std::string pin(20, '5');
            pin[position] = static_cast<char>(value);
            ASSERT_EQ(UnscramblePin(ScramblePin(pin)), pin) << position << " " << value;
        }
    }
    // Longer than 256 - K, so position + K wraps.
    std::string all;
    for (int value = 0; value < 512; ++value) all += static_cast<char>(value);
    EXPECT_EQ(UnscramblePin(ScramblePin(all)), all);
}

}  // namespace
}  // namespace ribodex
