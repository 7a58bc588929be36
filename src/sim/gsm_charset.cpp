// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/gsm_charset.h"

#include "sim/sim_alpha.h"

#include <array>
#include <cctype>

namespace ribodex::sim {
namespace {

// GSM 03.38 default alphabet; 0x1B (escape to the extension table) shows as a no-break space.
constexpr std::array<char32_t, 128> kGsm{
    U'@',    U'\u00A3', U'$',    U'\u00A5', U'\u00E8', U'\u00E9', U'\u00F9', U'\u00EC',
    U'\u00F2', U'\u00C7', U'\n', U'\u00D8', U'\u00F8', U'\r',   U'\u00C5', U'\u00E5',
    U'\u0394', U'_',    U'\u03A6', U'\u0393', U'\u039B', U'\u03A9', U'\u03A0', U'\u03A8',
    U'\u03A3', U'\u0398', U'\u039E', U'\u00A0', U'\u00C6', U'\u00E6', U'\u00DF', U'\u00C9',
    U' ',    U'!',    U'"',    U'#',    U'\u00A4', U'%',    U'&',    U'\'',
    U'(',    U')',    U'*',    U'+',    U',',    U'-',    U'.',    U'/',
    U'0',    U'1',    U'2',    U'3',    U'4',    U'5',    U'6',    U'7',
    U'8',    U'9',    U':',    U';',    U'<',    U'=',    U'>',    U'?',
    U'\u00A1', U'A',  U'B',    U'C',    U'D',    U'E',    U'F',    U'G',
    U'H',    U'I',    U'J',    U'K',    U'L',    U'M',    U'N',    U'O',
    U'P',    U'Q',    U'R',    U'S',    U'T',    U'U',    U'V',    U'W',
    U'X',    U'Y',    U'Z',    U'\u00C4', U'\u00D6', U'\u00D1', U'\u00DC', U'\u00A7',
    U'\u00BF', U'a',  U'b',    U'c',    U'd',    U'e',    U'f',    U'g',
    U'h',    U'i',    U'j',    U'k',    U'l',    U'm',    U'n',    U'o',
    U'p',    U'q',    U'r',    U's',    U't',    U'u',    U'v',    U'w',
    U'x',    U'y',    U'z',    U'\u00E4', U'\u00F6', U'\u00F1', U'\u00FC', U'\u00E0',
};


}  // namespace

std::optional<Charset> CharsetFromName(std::string_view name) {
    std::string upper;
    for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "GSM") return Charset::Gsm;
    if (upper == "UCS2") return Charset::Ucs2;
    if (upper == "IRA") return Charset::Ira;
    if (upper == "8859-1") return Charset::Latin1;
    return std::nullopt;
}

std::string_view CharsetName(Charset charset) {
    switch (charset) {
    case Charset::Ucs2: return "UCS2";
    case Charset::Ira: return "IRA";
    case Charset::Latin1: return "8859-1";
    case Charset::Gsm: break;
    }
    return "GSM";
}

char32_t GsmToUnicode(unsigned char code) { return code < 128 ? kGsm[code] : U'?'; }

std::optional<unsigned char> UnicodeToGsm(char32_t ch) {
    for (unsigned i = 0; i < kGsm.size(); ++i) {
        if (kGsm[i] == ch && i != 0x1B) return static_cast<unsigned char>(i);
    }
    return std::nullopt;
}

std::string EncodeText(std::string_view stored, Charset charset) {
    const bool simCoded = !stored.empty() && static_cast<unsigned char>(stored[0]) == 0x80;
    if (charset == Charset::Gsm && !simCoded) return std::string(stored);
    const std::u16string name = StoredToUnicode(stored);
    if (charset == Charset::Ucs2) return Ucs2Hex(name);
    std::string out;
    for (char16_t c : name) {
        switch (charset) {
        case Charset::Gsm: {
            // The phone's replacement for a character the set lacks.
            const auto one = UnicodeToStored(std::u16string(1, c));
            out += one && static_cast<unsigned char>((*one)[0]) != 0x80 ? *one : std::string("?");
            break;
        }
        case Charset::Ira: out += c < 0x80 ? static_cast<char>(c) : '?'; break;
        default: out += c < 0x100 ? static_cast<char>(c) : '?'; break;
        }
    }
    return out;
}

std::optional<std::string> DecodeText(std::string_view text, Charset charset) {
    if (charset == Charset::Gsm) {
        for (char c : text) {
            if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
        }
        return std::string(text);
    }
    std::u16string name;
    if (charset == Charset::Ucs2) {
        const auto units = FromUcs2Hex(text);
        if (!units) return std::nullopt;
        name = *units;
    } else {
        for (char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (charset == Charset::Ira && byte >= 0x80) return std::nullopt;
            name.push_back(byte);
        }
    }
    std::optional<std::string> stored = UnicodeToStored(name);
    // Only UCS2 reaches the SIM's own UCS2 coding; the 8-bit sets take GSM characters only.
    if (stored && charset != Charset::Ucs2 && !stored->empty() && static_cast<unsigned char>((*stored)[0]) == 0x80)
        return std::nullopt;
    return stored;
}

}  // namespace ribodex::sim
