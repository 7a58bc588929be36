// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/modem_simulator.h"

namespace ribodex::sim {

// A small readable text holding the phone books of a simulated phone:
//   memory SM 1 250 40 16
//   alias OW                      (optional, right after its memory line)
//   1 "+4930123456" 145 "M\x7eller"
// Numbers and names are quoted; a quote, a backslash and every byte outside 0x20..0x7E are
// written as \xHH, so GSM bytes such as 0x00 survive. '#' starts a comment line.
std::string SaveState(const std::vector<SimMemory>& memories);

// All or nothing: on any fault the result is empty and error names the line and the fault.
std::optional<std::vector<SimMemory>> LoadState(std::string_view text, std::string* error);

// File wrappers; Save writes a temporary file and renames it over the target.
bool SaveStateFile(const std::string& path, const std::vector<SimMemory>& memories,
                   std::string* error);
std::optional<std::vector<SimMemory>> LoadStateFile(const std::string& path, std::string* error);

}  // namespace ribodex::sim
