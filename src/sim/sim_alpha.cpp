// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_alpha.h"

#include <utility>

#include "sim/gsm_charset.h"

namespace ribodex::sim {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

// GSM 03.38 extension table: code after 0x1B, character.
constexpr std::pair<unsigned char, char16_t> kExtension[] = {
    {0x0A, 0x000C}, {0x14, '^'}, {0x28, '{'}, {0x29, '}'}, {0x2F, '\\'},
    {0x3C, '['},    {0x3D, '~'}, {0x3E, ']'}, {0x40, '|'}, {0x65, 0x20AC},
};

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::u16string StoredToUnicode(std::string_view stored) {
    std::u16string out;
    if (!stored.empty() && static_cast<unsigned char>(stored[0]) == 0x80) {
        for (std::size_t i = 1; i + 1 < stored.size(); i += 2)
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(stored[i]) << 8 |
                                                static_cast<unsigned char>(stored[i + 1])));
        return out;
    }
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const auto code = static_cast<unsigned char>(stored[i]);
        if (code == 0x1B && i + 1 < stored.size()) {
            const auto next = static_cast<unsigned char>(stored[++i]);
            char16_t c = static_cast<char16_t>(GsmToUnicode(next));
            for (auto [ext, ch] : kExtension)
                if (ext == next) c = ch;
            out.push_back(c);
        } else {
            out.push_back(code == 0x1B ? u' ' : static_cast<char16_t>(GsmToUnicode(code)));
        }
    }
    return out;
}

std::optional<std::string> UnicodeToStored(const std::u16string& name) {
    std::string gsm;
    bool whole = true;
    for (char16_t c : name) {
        if (c >= 0xD800 && c <= 0xDFFF) return std::nullopt;
        if (const auto code = UnicodeToGsm(c)) {
            gsm.push_back(static_cast<char>(*code));
            continue;
        }
        bool found = false;
        for (auto [ext, ch] : kExtension) {
            if (ch == c) {
                gsm += '\x1B';
                gsm.push_back(static_cast<char>(ext));
                found = true;
            }
        }
        whole = whole && found;
    }
    if (whole) return gsm;
    std::string record(1, '\x80');
    for (char16_t c : name) {
        record.push_back(static_cast<char>(c >> 8));
        record.push_back(static_cast<char>(c & 0xFF));
    }
    return record;
}

std::string Ucs2Hex(const std::u16string& units) {
    std::string out;
    for (char16_t c : units)
        for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
    return out;
}

std::optional<std::u16string> FromUcs2Hex(std::string_view hex) {
    if (hex.size() % 4 != 0) return std::nullopt;
    std::u16string out;
    for (std::size_t i = 0; i < hex.size(); i += 4) {
        char16_t c = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const int v = HexValue(hex[i + k]);
            if (v < 0) return std::nullopt;
            c = static_cast<char16_t>(c << 4 | v);
        }
        out.push_back(c);
    }
    return out;
}

std::string RecordHex(std::string_view stored) {
    std::string out;
    for (char c : stored) {
        const auto byte = static_cast<unsigned char>(c);
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    }
    return out;
}

}  // namespace ribodex::sim
