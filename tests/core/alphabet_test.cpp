#include "core/device/alphabet.h"

#include <gtest/gtest.h>

#include <string>

namespace ribodex {
namespace {

using namespace std::string_literals;

// The characters both sides share, with the code each has on the device.
struct Pair {
    unsigned char ansi;
    unsigned char gsm;
};
constexpr Pair kMoved[] = {
    {0x24, 0x02}, {0x40, 0x00}, {0xA1, 0x40}, {0xBF, 0x60}, {0xC4, 0x5B}, {0xC5, 0x0E},
    {0xD6, 0x5C}, {0xDC, 0x5E}, {0xDF, 0x1E}, {0xE4, 0x7B}, {0xE5, 0x0F}, {0xF6, 0x7C},
    {0xFC, 0x7E},
};

bool Kept(unsigned c) {
    return c == 0x0A || c == 0x0D || (c >= 0x20 && c <= 0x23) || (c >= 0x25 && c <= 0x3F) ||
           (c >= 0x41 && c <= 0x5A) || (c >= 0x61 && c <= 0x7A);
}

std::string Byte(unsigned c) { return std::string(1, static_cast<char>(c)); }

TEST(ConvertAlphabet, EveryWindowsCodeToTheDevice) {
    for (unsigned c = 0; c < 256; ++c) {
        unsigned expected = Kept(c) ? c : 0x20;
        for (Pair p : kMoved)
            if (p.ansi == c) expected = p.gsm;
        EXPECT_EQ(ConvertAlphabet(Byte(c), true), Byte(expected)) << "Windows code " << c;
    }
}

TEST(ConvertAlphabet, EveryDeviceCodeToWindows) {
    for (unsigned c = 0; c < 256; ++c) {
        // 0x24 is the currency sign on the device, which is shown as "$" too.
        unsigned expected = Kept(c) || c == 0x24 ? c : 0x20;
        for (Pair p : kMoved)
            if (p.gsm == c) expected = p.ansi;
        if (c >= 0x80) expected = 0x20;  // not GSM at all
        EXPECT_EQ(ConvertAlphabet(Byte(c), false), Byte(expected)) << "device code " << c;
    }
}

TEST(ConvertAlphabet, NamesThereAndBack) {
    const std::string latin1 = "\xC4\xD6\xDC\xE4\xF6\xFC\xDF\xC5\xE5@$\xA1\xBF";
    EXPECT_EQ(ConvertAlphabet(ConvertAlphabet(latin1, true), false), latin1);
    EXPECT_EQ(ConvertAlphabet(latin1, true), "\x5B\x5C\x5E\x7B\x7C\x7E\x1E\x0E\x0F\x00\x02\x40\x60"s);

    const std::string mueller = "M\xFCller";
    EXPECT_EQ(ConvertAlphabet(ConvertAlphabet(mueller, true), false), mueller);
    EXPECT_EQ(ConvertAlphabet(ConvertAlphabet("Caf\xE9", true), false), "Caf ");
    EXPECT_EQ(ConvertAlphabet("[x]", true), " x ");
    EXPECT_EQ(ConvertAlphabet("\x5B\x5D", false), "\xC4 ");
    EXPECT_EQ(ConvertAlphabet("", true), "");
    EXPECT_EQ(ConvertAlphabet("", false), "");
}

TEST(ConvertAlphabet, AtSignTravelsAsNulInsideTheText) {
    const std::string sent = ConvertAlphabet("a@b@", true);
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent, "a\0b\0"s);
    EXPECT_EQ(ConvertAlphabet(sent, false), "a@b@");
    // An escape to the extension table is not followed: each byte on its own.
    EXPECT_EQ(ConvertAlphabet("\x1B\x65", false), " e");
}

}  // namespace
}  // namespace ribodex
