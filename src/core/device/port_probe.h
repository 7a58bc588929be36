// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace ribodex {

// What one port says to AT, opened exclusively as the program always opens it (a port held
// by another program is left alone: it fails with EBUSY).
struct PortProbe {
    int openError = 0;      // errno of a failed open, else 0
    bool answers = false;   // OK to "AT"
    std::string maker;      // the AT+CGMI line, may be empty
    std::string model;      // the AT+CGMM line, may be empty
};

// Opens path, sends AT with limitMs to answer, then asks maker and model; closes it again.
// UI thread or any one thread; never throws.
PortProbe ProbePort(const std::string& path, int limitMs);

// The information line of an answer (echo, blank lines and the final result left out).
std::string InformationLine(const std::string& answer);

}  // namespace ribodex
