// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace ribodex {

// How many more tries the SIM grants before it locks: the PIN before the PUK is asked
// for, the PUK before the card is blocked for good. nullopt where the device did not say.
struct PinRetries {
    std::optional<int> pin;
    std::optional<int> puk;
};

// Answer to AT+CPINR (3GPP 27.007 8.65): one line per code, "+CPINR: <code>,<retries>,
// <default retries>" (the default may be missing; the code may stand in quotes; the extended
// form's "+CPINRE:" lines are read alike). SIM PIN and SIM PUK are taken from the first
// complete line naming each; PIN2, PUK2 and the phone locks are ignored. Also the answer to
// Huawei's AT^CPIN?, "^CPIN: <code>,[<times>],<puk times>,<pin times>,<puk2>,<pin2>". A count
// that is not one to three digits counts as unsaid, and so does every line of an answer that
// ends in an error (devices without the command answer ERROR). Pure, never throws, linear in
// the answer.
PinRetries ParsePinRetries(std::string_view answer);

}  // namespace ribodex
