// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "cli/cli_options.h"
#include "core/device/gsm_device.h"

namespace ribodex::cli {

// Runs one parsed command against the device: checks the typed texts, connects, unlocks the
// SIM when asked, selects the memory, runs the command, disconnects. Prints results to out
// and problems to err (each naming the port and the command); returns an ExitCode.
// The caller owns the device and sets its portMapper and timing; the device is disconnected
// again when this returns, whatever happened. Single-threaded, as the device is.
int RunCommand(const Options& options, GsmDevice& device, std::ostream& out, std::ostream& err);

// Why a port could not be opened, from the errno of the open (0: it opened but is not a
// serial device) and the device path the port name maps to (empty: no such port name).
std::string PortOpenProblem(int openErrno, std::string_view devicePath);

// True when the answer's final result code is OK (not ERROR, not missing).
bool HasFinalOk(std::string_view answer);

}  // namespace ribodex::cli
