// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ribodex {

// What AT+CPIN? says the device waits for. Only SimPinRequired and SimPukRequired are the
// SIM's own PIN and PUK; the second PIN and PUK guard fixed dialling only (the phone book
// reads without them), and the phone's own locks want codes that are not the SIM's.
enum SimState : int {
    SimReady = 1,
    SimPinRequired = 2,
    SimPukRequired = 3,
    SimPin2Required = 4,         // SIM PIN2
    SimPuk2Required = 5,         // SIM PUK2
    PhoneLockRequired = 6,       // PH-SIM PIN, PH-FSIM PIN; Alcatel's PH_SIM PIN (no usable SIM)
    PhoneLockPukRequired = 7,    // PH-SIM PUK, PH-FSIM PUK
    NetworkLockRequired = 8,     // PH-NET, PH-NETSUB, PH-SP, PH-CORP PIN or PUK
    SimUnknown = -1,
};

}  // namespace ribodex
