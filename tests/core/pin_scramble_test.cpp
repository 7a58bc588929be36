#include "core/phonebook/pin_scramble.h"

#include <gtest/gtest.h>

#include <string>

namespace ribodex {
namespace {

TEST(PinScramble, ReversesThenAddsPositionAndKey) {
    // "1234" reversed is "4321"; position i adds i + K.
    const std::string scrambled = ScramblePin("1234");
    ASSERT_EQ(scrambled.size(), 4u);
    EXPECT_EQ(static_cast<unsigned char>(scrambled[0]), '4' + 0 + kPinScrambleKey);
    EXPECT_EQ(static_cast<unsigned char>(scrambled[1]), '3' + 1 + kPinScrambleKey);
    EXPECT_EQ(static_cast<unsigned char>(scrambled[2]), '2' + 2 + kPinScrambleKey);
    EXPECT_EQ(static_cast<unsigned char>(scrambled[3]), '1' + 3 + kPinScrambleKey);
    EXPECT_EQ(ScramblePin(""), "");
}

TEST(PinScramble, WrapsModulo256) {
    // 0xFF at position 0 plus K must wrap, not carry into anything.
    const std::string scrambled = ScramblePin(std::string("\xFF", 1));
    EXPECT_EQ(static_cast<unsigned char>(scrambled[0]), (0xFF + kPinScrambleKey) & 0xFF);
}

TEST(PinScramble, EightDigitPinsBecomeLettersOnly) {
    for (const char* pin : {"0000", "9999", "12345678", "99999999"}) {
        for (char c : ScramblePin(pin)) EXPECT_TRUE(c >= 'a' && c <= 'z') << pin;
    }
}

TEST(PinScramble, RoundTripsEveryByteValueAtEveryPosition) {
    // Each byte value once at each of 20 positions (the dialog's limit), NUL included, and
    // a long text so that position + K passes 256.
    for (int position = 0; position < 20; ++position) {
        for (int value = 0; value < 256; ++value) {
            std::string pin(20, '5');
            pin[position] = static_cast<char>(value);
            ASSERT_EQ(UnscramblePin(ScramblePin(pin)), pin) << position << " " << value;
        }
    }
    std::string all;
    for (int value = 0; value < 256; ++value) all += static_cast<char>(value);
    all += all;
    EXPECT_EQ(UnscramblePin(ScramblePin(all)), all);
    EXPECT_NE(ScramblePin(all), all);
}

}  // namespace
}  // namespace ribodex
