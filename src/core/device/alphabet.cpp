// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/alphabet.h"

#include <array>
#include <utility>

#include "core/formats/cp1252.h"

namespace ribodex {
namespace {

constexpr unsigned char kEscape = 0x1B;

// GSM 03.38 default alphabet by code; 0x1B is the escape to the extension table.
constexpr std::array<char16_t, 128> kDefault{
    u'@',      u'\u00A3', u'$',      u'\u00A5', u'\u00E8', u'\u00E9', u'\u00F9', u'\u00EC',
    u'\u00F2', u'\u00C7', u'\n',     u'\u00D8', u'\u00F8', u'\r',     u'\u00C5', u'\u00E5',
    u'\u0394', u'_',      u'\u03A6', u'\u0393', u'\u039B', u'\u03A9', u'\u03A0', u'\u03A8',
    u'\u03A3', u'\u0398', u'\u039E', u' ',      u'\u00C6', u'\u00E6', u'\u00DF', u'\u00C9',
    u' ',      u'!',      u'"',      u'#',      u'$',      u'%',      u'&',      u'\'',
    u'(',      u')',      u'*',      u'+',      u',',      u'-',      u'.',      u'/',
    u'0',      u'1',      u'2',      u'3',      u'4',      u'5',      u'6',      u'7',
    u'8',      u'9',      u':',      u';',      u'<',      u'=',      u'>',      u'?',
    u'\u00A1', u'A',      u'B',      u'C',      u'D',      u'E',      u'F',      u'G',
    u'H',      u'I',      u'J',      u'K',      u'L',      u'M',      u'N',      u'O',
    u'P',      u'Q',      u'R',      u'S',      u'T',      u'U',      u'V',      u'W',
    u'X',      u'Y',      u'Z',      u'\u00C4', u'\u00D6', u'\u00D1', u'\u00DC', u'\u00A7',
    u'\u00BF', u'a',      u'b',      u'c',      u'd',      u'e',      u'f',      u'g',
    u'h',      u'i',      u'j',      u'k',      u'l',      u'm',      u'n',      u'o',
    u'p',      u'q',      u'r',      u's',      u't',      u'u',      u'v',      u'w',
    u'x',      u'y',      u'z',      u'\u00E4', u'\u00F6', u'\u00F1', u'\u00FC', u'\u00E0',
};

// Extension table: code after the escape -> character.
constexpr std::pair<unsigned char, char16_t> kExtension[] = {
    {0x0A, u'\f'}, {0x14, u'^'}, {0x28, u'{'}, {0x29, u'}'}, {0x2F, u'\\'},
    {0x3C, u'['},  {0x3D, u'~'}, {0x3E, u']'}, {0x40, u'|'}, {0x65, u'\u20AC'},
};

std::optional<char16_t> Extended(unsigned char code) {
    for (auto [ext, c] : kExtension)
        if (ext == code) return c;
    return std::nullopt;
}

}  // namespace

std::string GsmToUtf8(std::string_view gsm) {
    std::string out;
    out.reserve(gsm.size() + gsm.size() / 2);
    for (std::size_t i = 0; i < gsm.size(); ++i) {
        const auto code = static_cast<unsigned char>(gsm[i]);
        if (code >= 0x80) {
            out.push_back(' ');
        } else if (code != kEscape) {
            AppendUtf8(out, kDefault[code]);
        } else if (i + 1 == gsm.size() || static_cast<unsigned char>(gsm[i + 1]) == kEscape) {
            out.push_back(' ');
        } else if (const auto c = Extended(static_cast<unsigned char>(gsm[i + 1]))) {
            AppendUtf8(out, *c);
            ++i;
        }
    }
    return out;
}

std::optional<std::string> CodePointToGsm(char32_t codePoint) {
    // Code 0x24 is the currency sign, which reads as "$": written, it would not come back,
    // and "$" itself goes as 0x02.
    for (unsigned code = 0; code < kDefault.size(); ++code)
        if (code != kEscape && code != 0x24 && kDefault[code] == codePoint)
            return std::string(1, static_cast<char>(code));
    for (auto [ext, c] : kExtension)
        if (c == codePoint) return std::string{static_cast<char>(kEscape), static_cast<char>(ext)};
    return std::nullopt;
}

std::optional<std::string> Utf8ToGsm(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    // Plain ASCII letters and digits keep their code: no table walk for the common case.
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        const std::optional<std::u32string> rest = Utf8CodePoints(utf8.substr(i));
        if (!rest) return std::nullopt;
        for (char32_t codePoint : *rest) {
            const std::optional<std::string> gsm = CodePointToGsm(codePoint);
            if (!gsm) return std::nullopt;
            out += *gsm;
        }
        break;
    }
    return out;
}

}  // namespace ribodex
