// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/cp1252.h"

#include <array>
#include <cstdio>

namespace ribodex {
namespace {

// 0x80-0x9F; 0 marks the five bytes the code page leaves unassigned (they stay Latin-1).
constexpr std::array<char32_t, 32> kHighTable{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

constexpr bool IsUnassigned(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F && kHighTable[byte - 0x80] == 0;
}

struct Decoded {
    char32_t codePoint = 0;
    std::size_t length = 1;  // bytes consumed; on failure the maximal invalid prefix (>= 1)
    bool valid = false;
};

// One character at pos (pos < text.size()). Refuses overlong forms, surrogates, values above
// U+10FFFF and truncated sequences, so a refused text can never smuggle a byte through.
Decoded DecodeOne(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) return {lead, 1, true};

    std::size_t need = 0;
    char32_t c = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2, c = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3, c = lead & 0x07;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return {};  // stray continuation byte, C0/C1 overlong lead, F5-FF
    }

    std::size_t length = 1;
    for (std::size_t i = 0; i < need; ++i) {
        if (pos + length >= text.size()) return {0, length, false};
        const auto next = static_cast<unsigned char>(text[pos + length]);
        const unsigned char lo = i == 0 ? low : 0x80;
        const unsigned char hi = i == 0 ? high : 0xBF;
        if (next < lo || next > hi) return {0, length, false};
        c = (c << 6) | (next & 0x3F);
        ++length;
    }
    return {c, length, true};
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::optional<std::u32string> Utf8CodePoints(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Decoded d = DecodeOne(utf8, pos);
        if (!d.valid) return std::nullopt;
        out.push_back(d.codePoint);
        pos += d.length;
    }
    return out;
}

char32_t Cp1252ToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && !IsUnassigned(byte)) return kHighTable[byte - 0x80];
    return byte;
}

std::optional<unsigned char> CodePointToCp1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<unsigned char>(codePoint);
    }
    if (codePoint <= 0x9F) {
        // C1 controls only where the table leaves the byte free; U+0080 is not the euro sign.
        const auto byte = static_cast<unsigned char>(codePoint);
        if (IsUnassigned(byte)) return byte;
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == codePoint) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char ch : text) AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(ch)));
    return out;
}

namespace {

// Both conversions walk the text the same way; lossy ones put '?' where strict ones stop.
std::optional<std::string> ConvertUtf8(std::string_view utf8, bool lossy, Cp1252Refusal* refusal) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Decoded d = DecodeOne(utf8, pos);
        std::optional<unsigned char> byte;
        if (d.valid) byte = CodePointToCp1252(d.codePoint);
        if (!byte && !lossy) {
            if (refusal) *refusal = Cp1252Refusal{pos, !d.valid, d.valid ? d.codePoint : 0};
            return std::nullopt;
        }
        out.push_back(byte ? static_cast<char>(*byte) : '?');
        pos += d.length;
    }
    return out;
}

}  // namespace

std::optional<std::string> Utf8ToCp1252(std::string_view utf8, Cp1252Refusal* refusal) {
    return ConvertUtf8(utf8, false, refusal);
}

std::string Utf8ToCp1252Lossy(std::string_view utf8) { return *ConvertUtf8(utf8, true, nullptr); }

std::string CodePointName(char32_t codePoint) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(codePoint));
    return buffer;
}

}  // namespace ribodex
