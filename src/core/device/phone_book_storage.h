// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace ribodex {

// The memories the program knows, as single bits so that a set of them is an int.
enum PhoneBookStorage : int {
    MobileEquipment = 1,
    Sim = 2,
    DataCard = 4,
    LastNumber = 8,
    OwnNumber = 16,
    FixedNumbers = 32,
};

struct PhoneBookStorageInfo {
    PhoneBookStorage code;
    std::string_view atName;  // without quotes, e.g. "SM"
    int textId;               // string table id of the display text
    std::string_view text;    // English display text
};

// In ascending code order, which is the order of every search and list.
inline constexpr std::array<PhoneBookStorageInfo, 6> kPhoneBookStorages{{
    {MobileEquipment, "ME", 135, "Mobile Equipment"},
    {Sim, "SM", 136, "SIM"},
    {DataCard, "TA", 137, "Data Card"},
    {LastNumber, "MD", 138, "Last Number"},
    {OwnNumber, "ON", 139, "Own Number"},  // 27.007's name, on every device
    {FixedNumbers, "FD", 140, "Fixed numbers"},
}};

// The row of exactly that code, or nullptr (0, a combination of bits, anything else).
const PhoneBookStorageInfo* FindPhoneBookStorage(int code);
// The row of that AT name (case-sensitive, without quotes), or nullptr. "OW", the name
// the own numbers once had here, still finds them.
const PhoneBookStorageInfo* FindPhoneBookStorage(std::string_view atName);

}  // namespace ribodex
