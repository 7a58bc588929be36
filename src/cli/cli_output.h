// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_options.h"
#include "core/device/phone_book_entry.h"
#include "core/device/sim_state.h"

namespace ribodex::cli {

// What ribodex-cli prints, as pure functions over what the device gave, so the bytes can be
// checked without a device. Names come in as Windows-1252 and leave in the chosen encoding.

// The entries sorted by index (a stable sort: the device's order among equal indexes).
std::vector<PhoneBookEntry> SortedByIndex(std::vector<PhoneBookEntry> entries);

// The entries sorted by index. Text: the export file layout (padded columns, CR LF). Csv: a
// header row "index,number,name", then one record per entry.
std::string FormatEntries(std::vector<PhoneBookEntry> entries, ListFormat format,
                          Encoding encoding);

// One line per memory the device offers, in code order: "* " for the selected one, else two
// blanks, then the AT name, two blanks and the display text. A selected memory the device
// did not list still gets its line, so the selection is never hidden.
std::string FormatMemories(int offered, int selected);

// "READY", "SIM PIN", "SIM PUK" or "unknown".
std::string_view SimStateText(SimState state);

// Text typed on the terminal turned into Windows-1252 for the device. On refusal returns
// false and sets problem to a message naming the character (or the invalid UTF-8).
bool ToDeviceText(std::string_view utf8, std::string& cp1252, std::string& problem);

// A text the write command can put between the double quotes of AT+CPBW without ending the
// quoted text or the command line early: no double quote, no control character.
bool IsSafeQuotedText(std::string_view text, std::string& problem);

}  // namespace ribodex::cli
