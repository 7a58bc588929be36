// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/alpha_field.h"

#include <algorithm>

#include "core/device/alphabet.h"
#include "core/formats/cp1252.h"

namespace ribodex {

namespace {

constexpr std::uint8_t kPad = 0xFF;
constexpr std::uint8_t kUcs2 = 0x80;
constexpr std::uint8_t kBase81 = 0x81;
constexpr std::uint8_t kBase82 = 0x82;

std::string DecodeBased(const std::uint8_t* chars, std::size_t available, std::size_t count, char32_t base) {
    std::string out;
    std::string gsm;
    const auto flushGsm = [&] {
        out += GsmToUtf8(gsm);
        gsm.clear();
    };
    for (std::size_t i = 0; i < std::min(count, available); ++i) {
        if (chars[i] < 0x80) {
            gsm.push_back(static_cast<char>(chars[i]));
        } else {
            flushGsm();
            AppendUtf8(out, base + (chars[i] & 0x7F));
        }
    }
    flushGsm();
    return out;
}

std::string DecodeUcs2(const std::uint8_t* units, std::size_t size) {
    std::string out;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const char32_t unit = static_cast<char32_t>(units[i] << 8 | units[i + 1]);
        if (unit == 0xFFFF) break;
        // A lone surrogate half is not a character: shown as a blank.
        AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? U' ' : unit);
    }
    return out;
}

// The characters of a name in 81 or 82: a GSM byte where the default table has one, else
// an offset from base. False when a character lies outside the window.
bool AppendBased(const std::u32string& chars, char32_t base, Bytes& out) {
    for (char32_t c : chars) {
        const std::optional<std::string> gsm = CodePointToGsm(c);
        if (gsm && gsm->size() == 1) {
            out.push_back(static_cast<std::uint8_t>((*gsm)[0]));
        } else if (c >= base && c - base < 0x80) {
            out.push_back(static_cast<std::uint8_t>(0x80 | (c - base)));
        } else {
            return false;
        }
    }
    return true;
}

// The lowest character without a one-byte GSM form; nullopt when there is none.
std::optional<char32_t> LowestOutsideGsm(const std::u32string& chars) {
    std::optional<char32_t> lowest;
    for (char32_t c : chars) {
        const std::optional<std::string> gsm = CodePointToGsm(c);
        if (!(gsm && gsm->size() == 1) && (!lowest || c < *lowest)) lowest = c;
    }
    return lowest;
}

std::optional<EncodedAlpha> Finish(AlphaCoding coding, Bytes field, std::size_t width) {
    if (field.size() > width) return std::nullopt;
    field.resize(width, kPad);
    return EncodedAlpha{coding, std::move(field)};
}

}  // namespace

std::string DecodeAlpha(const std::uint8_t* field, std::size_t width) {
    if (width == 0) return {};
    switch (field[0]) {
    case kUcs2: return DecodeUcs2(field + 1, width - 1);
    case kBase81:
        if (width < 3) return {};
        return DecodeBased(field + 3, width - 3, field[1], static_cast<char32_t>(field[2]) << 7);
    case kBase82:
        if (width < 4) return {};
        return DecodeBased(field + 4, width - 4, field[1], static_cast<char32_t>(field[2] << 8 | field[3]));
    default: break;
    }
    std::size_t length = 0;
    while (length < width && field[length] != kPad) ++length;
    return GsmToUtf8(std::string_view(reinterpret_cast<const char*>(field), length));
}

std::optional<EncodedAlpha> EncodeAlpha(std::string_view utf8, std::size_t width) {
    if (const std::optional<std::string> gsm = Utf8ToGsm(utf8); gsm && gsm->size() <= width)
        return Finish(AlphaCoding::Gsm, Bytes(gsm->begin(), gsm->end()), width);
    const std::optional<std::u32string> chars = Utf8CodePoints(utf8);
    if (!chars || std::any_of(chars->begin(), chars->end(), [](char32_t c) { return c > 0xFFFF; }))
        return std::nullopt;

    if (1 + 2 * chars->size() <= width) {
        Bytes field{kUcs2};
        for (char32_t c : *chars) {
            field.push_back(static_cast<std::uint8_t>(c >> 8));
            field.push_back(static_cast<std::uint8_t>(c & 0xFF));
        }
        return Finish(AlphaCoding::Ucs2, std::move(field), width);
    }
    const std::optional<char32_t> lowest = LowestOutsideGsm(*chars);
    if (!lowest || chars->size() > 0xFF) return std::nullopt;
    const auto count = static_cast<std::uint8_t>(chars->size());
    // 81: the base is bits 15..8 of a 15-bit value, a multiple of 128 below 8000.
    if (*lowest < 0x8000) {
        const auto high = static_cast<std::uint8_t>(*lowest >> 7);
        Bytes field{kBase81, count, high};
        if (AppendBased(*chars, static_cast<char32_t>(high) << 7, field) && field.size() <= width)
            return Finish(AlphaCoding::Ucs2Base81, std::move(field), width);
    }
    Bytes field{kBase82, count, static_cast<std::uint8_t>(*lowest >> 8), static_cast<std::uint8_t>(*lowest & 0xFF)};
    if (AppendBased(*chars, *lowest, field)) return Finish(AlphaCoding::Ucs2Base82, std::move(field), width);
    return std::nullopt;
}

std::string FittingAlpha(std::string_view utf8, std::size_t width) {
    std::optional<std::u32string> chars = Utf8CodePoints(utf8);
    if (!chars) chars = Utf8CodePoints(Cp1252ToUtf8(utf8));
    std::u32string kept = chars.value_or(std::u32string{});
    for (;; kept.pop_back()) {
        std::string text;
        for (char32_t c : kept) AppendUtf8(text, c);
        if (kept.empty() || EncodeAlpha(text, width)) return text;
    }
}

}  // namespace ribodex
