// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ribodex {

// Every fixed wait and command time limit of the system, in milliseconds.
// Production code keeps the defaults; tests may shorten them so the suite stays fast.
struct Timing {
    int afterDtrMs = 1000;         // Connect: let the device see the raised DTR
    int afterDisconnectMs = 1000;  // Disconnect: let the device settle before a reconnect
    int afterPinAcceptedMs = 2000; // after the SIM accepted a PIN or PUK
    int beforeFullReadMs = 2000;   // refresh: between the range query and the full read
    int perPastedRecordMs = 600;   // paste: pause after each record written
    int commandLimitMs = 5000;     // ordinary command
    int pinLimitMs = 6000;         // AT+CPIN= with a PIN or PUK
    int fullReadLimitMs = 30000;   // AT+CPBR over a whole memory
    int writeLimitMs = 1000;       // how long Write may wait for the driver to take the bytes
    int simBusyLimitMs = 20000;    // SIM state and memory selection retried while the SIM is busy
    int simBusyRetryMs = 500;      // between those tries (less when +PBREADY comes)
};

}  // namespace ribodex
