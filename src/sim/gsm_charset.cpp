#include "sim/gsm_charset.h"

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

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

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

std::string EncodeText(std::string_view gsm, Charset charset) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : gsm) {
        const char32_t ch = GsmToUnicode(static_cast<unsigned char>(c));
        switch (charset) {
        case Charset::Gsm:
            out += c;
            break;
        case Charset::Ucs2:
            for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(ch >> shift) & 0xF];
            break;
        case Charset::Ira:
            out += ch < 0x80 ? static_cast<char>(ch) : '?';
            break;
        case Charset::Latin1:
            out += ch < 0x100 ? static_cast<char>(ch) : '?';
            break;
        }
    }
    return out;
}

std::optional<std::string> DecodeText(std::string_view text, Charset charset) {
    std::string out;
    if (charset == Charset::Gsm) {
        for (char c : text) {
            if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
        }
        return std::string(text);
    }
    if (charset == Charset::Ucs2) {
        if (text.size() % 4 != 0) return std::nullopt;
        for (std::size_t i = 0; i < text.size(); i += 4) {
            char32_t ch = 0;
            for (std::size_t k = 0; k < 4; ++k) {
                const int v = HexValue(text[i + k]);
                if (v < 0) return std::nullopt;
                ch = (ch << 4) | static_cast<char32_t>(v);
            }
            const auto code = UnicodeToGsm(ch);
            if (!code) return std::nullopt;
            out += static_cast<char>(*code);
        }
        return out;
    }
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (charset == Charset::Ira && byte >= 0x80) return std::nullopt;
        const auto code = UnicodeToGsm(byte);
        if (!code) return std::nullopt;
        out += static_cast<char>(*code);
    }
    return out;
}

}  // namespace ribodex::sim
