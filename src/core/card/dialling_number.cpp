// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/dialling_number.h"

#include <algorithm>

#include "core/card/alpha_field.h"

namespace ribodex {

namespace {

constexpr std::size_t kBcdBytes = 10;
constexpr std::uint8_t kAdditionalData = 0x02;
constexpr char kDigitOf[16] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '*', '#', 'p', '?', 0, 0};

std::optional<std::uint8_t> NibbleOf(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    switch (c) {
    case '*': return 0xA;
    case '#': return 0xB;
    case 'p':
    case 'P':
    case ',': return 0xC;
    case '?': return 0xD;
    default: return std::nullopt;
    }
}

}  // namespace

std::string DecodeBcd(const std::uint8_t* bytes, std::size_t size) {
    std::string out;
    for (std::size_t i = 0; i < size; ++i) {
        for (const int nibble : {bytes[i] & 0x0F, bytes[i] >> 4})
            if (kDigitOf[nibble] != 0) out.push_back(kDigitOf[nibble]);
    }
    return out;
}

std::optional<Bytes> EncodeBcd(std::string_view digits) {
    Bytes out((digits.size() + 1) / 2, 0xFF);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::optional<std::uint8_t> nibble = NibbleOf(digits[i]);
        if (!nibble) return std::nullopt;
        std::uint8_t& byte = out[i / 2];
        byte = i % 2 == 0 ? static_cast<std::uint8_t>((byte & 0xF0) | *nibble)
                          : static_cast<std::uint8_t>((byte & 0x0F) | *nibble << 4);
    }
    return out;
}

bool IsAllPad(const Bytes& record) {
    return std::all_of(record.begin(), record.end(), [](std::uint8_t b) { return b == 0xFF; });
}

DiallingRecord ParseDiallingRecord(const Bytes& record) {
    DiallingRecord parsed;
    if (record.size() < kNumberTrailer || IsAllPad(record)) return parsed;
    const std::size_t width = record.size() - kNumberTrailer;
    parsed.name = DecodeAlpha(record.data(), width);
    const std::uint8_t length = record[width];
    if (length != 0xFF && length >= 1) {
        parsed.tonNpi = record[width + 1];
        const std::size_t bcd = std::min<std::size_t>(length - 1u, kBcdBytes);
        parsed.digits = DecodeBcd(record.data() + width + 2, bcd);
    }
    parsed.extension = record[record.size() - 1];
    parsed.empty = parsed.name.empty() && parsed.digits.empty();
    return parsed;
}

ExtensionRecord ParseExtensionRecord(const Bytes& record) {
    ExtensionRecord parsed;
    if (record.size() < kExtensionLength || record[0] != kAdditionalData) return parsed;
    parsed.digits = DecodeBcd(record.data() + 2, std::min<std::size_t>(record[1], kBcdBytes));
    parsed.next = record[kExtensionLength - 1];
    return parsed;
}

std::string NumberText(std::uint8_t tonNpi, std::string_view digits) {
    const bool international = tonNpi != 0xFF && ((tonNpi >> 4) & 0x07) == 1;
    return (international ? "+" : "") + std::string(digits);
}

std::uint8_t TonNpiFor(std::string_view number, int type) {
    if (!number.empty() && number[0] == '+') return 0x91;
    if (type >= 0x80 && type <= 0xFF && ((type >> 4) & 0x07) != 1) return static_cast<std::uint8_t>(type);
    return 0x81;
}

std::optional<Bytes> BuildDiallingRecord(std::size_t recordLength, const Bytes& alpha, std::string_view digits,
                                         std::uint8_t tonNpi, std::uint8_t extension) {
    if (recordLength < kNumberTrailer || alpha.size() != recordLength - kNumberTrailer) return std::nullopt;
    const std::optional<Bytes> bcd = EncodeBcd(digits.substr(0, kDigitsInRecord));
    if (!bcd) return std::nullopt;
    Bytes record = alpha;
    if (digits.empty()) {
        record.push_back(0xFF);
        record.push_back(0xFF);
    } else {
        record.push_back(static_cast<std::uint8_t>(1 + bcd->size()));
        record.push_back(tonNpi);
    }
    record.insert(record.end(), bcd->begin(), bcd->end());
    record.resize(recordLength - 2, 0xFF);
    record.push_back(0xFF);  // no capability/configuration
    record.push_back(extension);
    return record;
}

std::optional<Bytes> BuildExtensionRecord(std::string_view digits, std::uint8_t next) {
    const std::optional<Bytes> bcd = EncodeBcd(digits.substr(0, kDigitsInRecord));
    if (!bcd) return std::nullopt;
    Bytes record{kAdditionalData, static_cast<std::uint8_t>(bcd->size())};
    record.insert(record.end(), bcd->begin(), bcd->end());
    record.resize(kExtensionLength - 1, 0xFF);
    record.push_back(next);
    return record;
}

int ExtensionRecordsFor(std::size_t digitCount) {
    if (digitCount <= static_cast<std::size_t>(kDigitsInRecord)) return 0;
    return static_cast<int>((digitCount - kDigitsInRecord + kDigitsInRecord - 1) / kDigitsInRecord);
}

}  // namespace ribodex
