// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/card/card_status.h"

namespace ribodex {

// The records of EF_ADN, EF_FDN and EF_MSISDN (name, BCD number, extension pointer) and of
// their extension files (EXT1, EXT2). Pure, any thread.

inline constexpr std::size_t kNumberTrailer = 14;  // length, TON/NPI, 10 BCD, CCP, EXT
inline constexpr std::size_t kExtensionLength = 13;
inline constexpr std::uint8_t kNoRecord = 0xFF;
inline constexpr int kDigitsInRecord = 20;  // in the record itself and in each EXT record

// Number digits as text: 0-9, '*' and '#', 'p' for a pause, '?' for the wild digit.
// BCD, two digits a byte, low nibble first, padded with F; nibbles that mean no digit
// (E, and F before the end) are skipped.
std::string DecodeBcd(const std::uint8_t* bytes, std::size_t size);
// nullopt when a character is none of those (',' and 'P' are taken as the pause too).
std::optional<Bytes> EncodeBcd(std::string_view digits);

struct DiallingRecord {
    std::string name;     // UTF-8
    std::string digits;   // the digits of this record only (without any EXT part)
    std::uint8_t tonNpi = 0xFF;
    std::uint8_t extension = kNoRecord;  // the first EXT record, FF for none
    bool empty = true;    // neither name nor number
};

// A record of length at least 14 (shorter: an empty one). A length byte past 11 counts as
// the 11 there are room for.
DiallingRecord ParseDiallingRecord(const Bytes& record);

// The EXT record's additional digits and the next record of its chain (FF for none); an
// empty result for a record that is not of type 02 (additional data).
struct ExtensionRecord {
    std::string digits;
    std::uint8_t next = kNoRecord;
};
ExtensionRecord ParseExtensionRecord(const Bytes& record);

// The number as the program holds it: a leading '+' for TON international (0x91 and the
// like), the digits of the record and of its EXT chain.
std::string NumberText(std::uint8_t tonNpi, std::string_view digits);
// 0x91 for a leading '+', else the entry's own type when it is one, else 0x81.
std::uint8_t TonNpiFor(std::string_view number, int type);

// The bytes of one record of length recordLength: the encoded alpha field, the first 20
// digits, and extension as the pointer. nullopt when the record is too short for the
// alpha field, or digits hold a character BCD has none for.
std::optional<Bytes> BuildDiallingRecord(std::size_t recordLength, const Bytes& alpha, std::string_view digits,
                                         std::uint8_t tonNpi, std::uint8_t extension);
// An EXT record (type 02) with up to 20 digits and the next pointer.
std::optional<Bytes> BuildExtensionRecord(std::string_view digits, std::uint8_t next);

// How many EXT records a number of that many digits needs.
int ExtensionRecordsFor(std::size_t digitCount);
bool IsAllPad(const Bytes& record);

}  // namespace ribodex
