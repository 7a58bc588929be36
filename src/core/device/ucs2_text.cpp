// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/ucs2_text.h"

#include <vector>

#include "core/device/alphabet.h"
#include "core/formats/cp1252.h"

namespace ribodex {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The bytes of an even run of hex digits; nullopt for an odd count or a non-hex digit.
std::optional<std::vector<unsigned char>> HexBytes(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::vector<unsigned char> bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexValue(hex[i]);
        const int low = HexValue(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<unsigned char>(high * 16 + low));
    }
    return bytes;
}

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// UTF-16 code units to UTF-8; nullopt for a lone surrogate.
std::optional<std::string> Utf16ToUtf8(const std::u16string& units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        } else if (IsSurrogate(c)) {
            return std::nullopt;
        }
        AppendUtf8(out, c);
    }
    return out;
}

// The characters of a SIM record coding: GSM default codes below 0x80, base + (byte & 0x7F)
// above; the 0xFF bytes of the padding end the name.
std::optional<std::u16string> HalfPageCharacters(const std::vector<unsigned char>& bytes, std::size_t start,
                                                 std::size_t count, char16_t base) {
    if (start + count > bytes.size()) return std::nullopt;
    for (std::size_t i = start + count; i < bytes.size(); ++i)
        if (bytes[i] != 0xFF) return std::nullopt;
    std::u16string units;
    for (std::size_t i = start; i < start + count; ++i) {
        const unsigned char b = bytes[i];
        if (b < 0x80) {
            const std::string one = GsmToUtf8(std::string(1, static_cast<char>(b)));
            const std::optional<std::u32string> c = Utf8CodePoints(one);
            if (!c || c->size() != 1 || b == 0x1B) return std::nullopt;
            units.push_back(static_cast<char16_t>((*c)[0]));
        } else {
            units.push_back(static_cast<char16_t>(base + (b & 0x7F)));
        }
    }
    return units;
}

std::optional<std::u16string> SimCodedUnits(const std::vector<unsigned char>& bytes) {
    if (bytes.size() < 2) return std::nullopt;
    if (bytes[0] == 0x80) {
        std::u16string units;
        std::size_t i = 1;
        for (; i + 1 < bytes.size(); i += 2) {
            if (bytes[i] == 0xFF && bytes[i + 1] == 0xFF) break;
            units.push_back(static_cast<char16_t>(bytes[i] << 8 | bytes[i + 1]));
        }
        for (; i < bytes.size(); ++i)
            if (bytes[i] != 0xFF) return std::nullopt;  // an odd byte, or data after the padding
        return units;
    }
    if (bytes[0] == 0x81 && bytes.size() >= 3)
        return HalfPageCharacters(bytes, 3, bytes[1], static_cast<char16_t>(bytes[2] << 7));
    if (bytes[0] == 0x82 && bytes.size() >= 4)
        return HalfPageCharacters(bytes, 4, bytes[1], static_cast<char16_t>(bytes[2] << 8 | bytes[3]));
    return std::nullopt;
}

}  // namespace

std::optional<std::string> Utf8ToUcs2Hex(std::string_view utf8, Ucs2Refusal* refusal) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const std::optional<std::u32string> characters = Utf8CodePoints(utf8);
    if (!characters) {
        if (refusal) *refusal = Ucs2Refusal{0, true};
        return std::nullopt;
    }
    std::string hex;
    hex.reserve(characters->size() * 4);
    for (char32_t c : *characters) {
        if (c > 0xFFFF) {
            if (refusal) *refusal = Ucs2Refusal{c, false};
            return std::nullopt;
        }
        for (int shift = 12; shift >= 0; shift -= 4) hex.push_back(kHex[(c >> shift) & 0xF]);
    }
    return hex;
}

std::optional<std::string> Ucs2HexToUtf8(std::string_view hex) {
    if (hex.size() % 4 != 0) return std::nullopt;
    const std::optional<std::vector<unsigned char>> bytes = HexBytes(hex);
    if (!bytes) return std::nullopt;
    std::u16string units;
    for (std::size_t i = 0; i < bytes->size(); i += 2)
        units.push_back(static_cast<char16_t>((*bytes)[i] << 8 | (*bytes)[i + 1]));
    return Utf16ToUtf8(units);
}

std::optional<std::string> SimCodedHexToUtf8(std::string_view hex) {
    if (hex.size() < 4 || hex[0] != '8' || hex[1] < '0' || hex[1] > '2') return std::nullopt;
    const std::optional<std::vector<unsigned char>> bytes = HexBytes(hex);
    if (!bytes) return std::nullopt;
    const std::optional<std::u16string> units = SimCodedUnits(*bytes);
    if (!units || units->empty()) return std::nullopt;
    std::optional<std::string> utf8 = Utf16ToUtf8(*units);
    if (!utf8) return std::nullopt;
    bool beyondGsm = false;
    const std::u32string characters = Utf8CodePoints(*utf8).value_or(std::u32string());
    for (char32_t c : characters) {
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return std::nullopt;
        if (!CodePointToGsm(c)) beyondGsm = true;
    }
    if (!beyondGsm) return std::nullopt;
    return utf8;
}

std::string DeviceNameToUtf8(std::string_view deviceName) {
    if (deviceName.size() >= 4 && deviceName[0] == '8') {
        if (std::optional<std::string> decoded = SimCodedHexToUtf8(deviceName)) return std::move(*decoded);
    }
    return GsmToUtf8(deviceName);
}

}  // namespace ribodex
