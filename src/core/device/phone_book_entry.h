// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace ribodex {

// One location of a phone book memory. number holds a leading "+" for an international
// number (type 145 on the device); name is Windows-1252 and may hold a NUL byte.
struct PhoneBookEntry {
    std::int32_t index = 0;
    std::string number;
    std::string name;
    // The number type the device gave (129, 145, 161...); 0 where none is known, and the
    // write then takes 145 for a leading "+" and 129 otherwise.
    std::int32_t type = 0;

    friend bool operator==(const PhoneBookEntry&, const PhoneBookEntry&) = default;
};

}  // namespace ribodex
