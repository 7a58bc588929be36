// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ribodex {

class GsmDevice;

// What writing a name would do to it, asked before anything is written: the entry dialogs
// and Paste show it and let the user decide. Not a command: no messages; for a name that
// needs UCS2 the device may be asked for its UCS2 name length once.
struct NameCheck {
    std::string name;     // UTF-8, as given
    std::string stored;   // UTF-8, as the device will hold it
    std::u32string lost;  // characters stored as a blank, in order
    int length = 0;       // places the name takes in the set it travels in
    int limit = 0;        // the device's name length in that set; 0 when it gave none
    bool TooLong() const { return limit > 0 && length > limit; }
    bool Changes() const { return !lost.empty(); }
};

NameCheck CheckEntryName(GsmDevice& device, std::string_view utf8);

// The names among these that would change or not fit, each once, in order.
std::vector<NameCheck> CheckEntryNames(GsmDevice& device, const std::vector<std::string>& names);

}  // namespace ribodex
