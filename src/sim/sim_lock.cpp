// SPDX-License-Identifier: GPL-3.0-or-later
// The SIM lock of the simulated phone: +CPIN query, PIN with three attempts, then the PUK
// with ten, PUK plus new PIN, the phone-to-SIM lock when configured, and +CPINR telling the
// attempts left.
#include "sim/at_params.h"
#include "sim/modem_simulator.h"

namespace ribodex::sim {

bool ModemSimulator::RunSimCommand(std::string_view, std::string_view rest, std::vector<std::string>& info,
                                   std::string& error) {
    if (!config.pinQuery) return false;
    if (rest == "=?") return true;
    if (rest == "?") {
        if (std::chrono::steady_clock::now() < busyUntil) {
            error = "+CME ERROR: 14";
            return false;
        }
        switch (lock) {
        case Lock::None: info.push_back("+CPIN: READY"); return true;
        case Lock::SimPin: info.push_back("+CPIN: SIM PIN"); return true;
        case Lock::SimPuk: info.push_back("+CPIN: SIM PUK"); return true;
        case Lock::PhSimPin: info.push_back("+CPIN: PH-SIM PIN"); return true;
        case Lock::Blocked: error = CmeError(13); return false;
        }
        return false;
    }
    if (rest.empty() || rest.front() != '=') return false;
    const auto params = ParseParams(rest.substr(1));
    if (!params || params->empty() || params->size() > 2) return false;
    const std::string& code = params->front().value;

    switch (lock) {
    case Lock::None:
        error = CmeError(3);
        return false;
    case Lock::Blocked:
        error = CmeError(13);
        return false;
    case Lock::PhSimPin:
        if (code != config.phSimCode) {
            error = CmeError(16);
            return false;
        }
        lock = Lock::None;
        return true;
    case Lock::SimPin:
        if (code != config.pin) {
            if (--pinAttempts <= 0) lock = Lock::SimPuk;
            error = CmeError(16);
            return false;
        }
        pinAttempts = 3;
        lock = config.phSimPin ? Lock::PhSimPin : Lock::None;
        StartSimBusy();
        return true;
    case Lock::SimPuk: {
        if (params->size() != 2) {
            // The PUK alone cannot unblock: a new PIN is part of the command.
            error = CmeError(12);
            return false;
        }
        const std::string& newPin = (*params)[1].value;
        if (code != config.puk) {
            if (--pukAttempts <= 0) lock = Lock::Blocked;
            error = CmeError(16);
            return false;
        }
        if (newPin.size() < 4 || newPin.size() > 8 || newPin.find_first_not_of("0123456789") != std::string::npos) {
            // A PIN of the wrong shape is refused before the PUK counts as used.
            error = CmeError(16);
            return false;
        }
        config.pin = newPin;
        pinAttempts = 3;
        pukAttempts = 10;
        lock = config.phSimPin ? Lock::PhSimPin : Lock::None;
        StartSimBusy();
        return true;
    }
    }
    return false;
}

// +CPINR of 3GPP 27.007 without a selection: one line for the SIM PIN, one for the PUK.
bool ModemSimulator::RunPinRetries(std::string_view rest, std::vector<std::string>& info) const {
    if (!config.pinRetries || !config.pinQuery) return false;
    if (rest == "=?") return true;
    if (!rest.empty()) return false;
    info.push_back("+CPINR: SIM PIN," + std::to_string(pinAttempts) + ",3");
    info.push_back("+CPINR: SIM PUK," + std::to_string(pukAttempts) + ",10");
    return true;
}

// Real SIMs read their files for seconds after power-up or a PIN before they answer.
void ModemSimulator::StartSimBusy() {
    busyUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(config.simBusyMs);
}

}  // namespace ribodex::sim
