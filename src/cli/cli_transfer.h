// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_problems.h"
#include "core/device/gsm_device.h"
#include "core/formats/vcard.h"

namespace ribodex::cli {

// The commands that move many entries at once: import, copy, backup and restore. Each runs
// on a connected, unlocked device with options.memory selected, and reports as the other
// commands do.

// The entries of the selected memory from one range read (the range query first); nullopt
// after a problem was reported: no range, or no complete answer (a location that did not
// answer may hold an entry a write would overwrite).
std::optional<std::vector<PhoneBookEntry>> ReadWholeMemory(GsmDevice& device, const std::string& memory,
                                                           const Problems& fail);

// import: the contacts of bytes (the file, its format as given or found) planned against
// the memory as read, then written row by row; prints "LOCATION<tab>NUMBER<tab>NAME" per
// entry written and a note per row skipped.
int RunImport(const Options& options, const std::string& bytes, GsmDevice& device, std::ostream& out,
              const Problems& fail);

// copy: every entry of options.memory to options.targetMemory, planned as an import.
int RunCopy(const Options& options, GsmDevice& device, std::ostream& out, const Problems& fail);

// backup: every memory the device offers and lets us read, to options.file.
int RunBackup(const Options& options, GsmDevice& device, std::ostream& out, const Problems& fail);

// restore: the backup's memories compared with the device; prints the rows that differ and,
// unless a dry run, writes additions and changes (and empties device-only locations with
// --remove), printing each row when it is done.
int RunRestore(const Options& options, const std::vector<MemoryEntry>& backup, GsmDevice& device, std::ostream& out,
               const Problems& fail);

}  // namespace ribodex::cli
