// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ribodex {

using Bytes = std::vector<std::uint8_t>;

// Why a card operation did not get through, small enough to switch on. The PC/SC codes
// come first (what pcsc-lite said), then what the card itself answered.
enum class CardStatus {
    Ok,
    NoService,       // no pcscd running
    NoReaders,       // pcscd has no reader
    NoCard,          // the reader holds no card
    Removed,         // the card was pulled
    Reset,           // another program reset the card: reconnect
    Sharing,         // another program holds the card exclusively
    Timeout,         // no card came in time
    Cancelled,       // the user stopped the wait
    CommError,       // any other PC/SC failure
    NotSim,          // the card answers, but it is neither a SIM nor a UICC with a USIM
    NotFound,        // the card lacks the file or record
    SecurityNotSatisfied,  // the PIN (or PIN2 for fixed numbers) is needed first
    WrongPin,        // a PIN or PUK that the card refused; tries left dropped
    Blocked,         // the code is blocked
    CardError,       // any other status word
    Invalid,         // not what the card takes: a PIN of other than 4 to 8 digits, a name
                     // that fits no coding, a number with other characters or too long
};

// The English text of a status, for traces and the command line.
std::string CardStatusText(CardStatus status);

// A pcsc-lite return value as a status (SCARD_S_SUCCESS is Ok), and pcsc-lite's own text.
CardStatus FromPcsc(long rv);
std::string PcscText(long rv);

}  // namespace ribodex
