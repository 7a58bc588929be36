// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace ribodex {

// The items of the settings dialog's port list, in this order: "COM1" to "COM8"; the
// /dev/serial/by-id links by their full path, sorted by name; /dev/ttyUSB*, /dev/ttyACM*,
// /dev/rfcomm* and then /dev/ttyAMA*, each in natural order (ttyUSB2 before ttyUSB10); "DEMO", the built-in
// simulated phone. devRoot replaces "/dev" for tests; the items then still read "/dev/...",
// as the user would type them. Reads the directory once; any thread.
std::vector<std::string> AvailablePorts(const std::string& devRoot = "/dev");

}  // namespace ribodex
