#include "core/device/alphabet.h"

#include <array>
#include <cstdint>
#include <utility>

namespace ribodex {
namespace {

using Table = std::array<unsigned char, 256>;

// Windows-1252 code -> GSM default alphabet code, for the characters both sets share.
constexpr std::pair<unsigned char, unsigned char> kSpecialPairs[] = {
    {0x24, 0x02},  // $
    {0x40, 0x00},  // @
    {0xA1, 0x40},  // inverted exclamation mark
    {0xBF, 0x60},  // inverted question mark
    {0xC4, 0x5B},  // A umlaut
    {0xC5, 0x0E},  // A ring
    {0xD6, 0x5C},  // O umlaut
    {0xDC, 0x5E},  // U umlaut
    {0xDF, 0x1E},  // sharp s
    {0xE4, 0x7B},  // a umlaut
    {0xE5, 0x0F},  // a ring
    {0xF6, 0x7C},  // o umlaut
    {0xFC, 0x7E},  // u umlaut
};

constexpr bool SameOnBothSides(unsigned c) {
    return c == 0x0A || c == 0x0D || (c >= 0x20 && c <= 0x23) || (c >= 0x25 && c <= 0x3F) ||
           (c >= 0x41 && c <= 0x5A) || (c >= 0x61 && c <= 0x7A);
}

constexpr Table MakeAnsiToGsm() {
    Table table{};
    for (unsigned c = 0; c < 256; ++c) table[c] = SameOnBothSides(c) ? c : 0x20;
    for (auto [ansi, gsm] : kSpecialPairs) table[ansi] = gsm;
    return table;
}

// Indexed by any byte: codes of 0x80 and above are not GSM at all and become a space, like
// every other code without a Windows twin.
constexpr Table MakeGsmToAnsi() {
    Table table{};
    for (unsigned c = 0; c < 256; ++c) table[c] = SameOnBothSides(c) ? c : 0x20;
    for (auto [ansi, gsm] : kSpecialPairs) table[gsm] = ansi;
    // GSM 0x24 is the currency sign, which the Windows side shows as "$" as well.
    table[0x24] = 0x24;
    return table;
}

constexpr Table kAnsiToGsm = MakeAnsiToGsm();
constexpr Table kGsmToAnsi = MakeGsmToAnsi();

static_assert(kAnsiToGsm[0x40] == 0x00 && kGsmToAnsi[0x00] == 0x40);
static_assert(kAnsiToGsm[0x5B] == 0x20 && kGsmToAnsi[0x5B] == 0xC4);
static_assert(kGsmToAnsi[0x1B] == 0x20);  // no escape to the extension table

}  // namespace

std::string ConvertAlphabet(std::string_view text, bool toDevice) {
    const Table& table = toDevice ? kAnsiToGsm : kGsmToAnsi;
    std::string out(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = static_cast<char>(table[static_cast<unsigned char>(text[i])]);
    return out;
}

}  // namespace ribodex
