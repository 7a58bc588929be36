// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/card_status.h"

#include <winscard.h>

namespace ribodex {

std::string CardStatusText(CardStatus status) {
    switch (status) {
    case CardStatus::Ok: return "done";
    case CardStatus::NoService: return "no PC/SC service (pcscd) is running";
    case CardStatus::NoReaders:
        return "no card reader found (serial Phoenix readers are not driven by pcsc-lite)";
    case CardStatus::NoCard: return "the reader holds no card";
    case CardStatus::Removed: return "the card was removed";
    case CardStatus::Reset: return "the card was reset by another program";
    case CardStatus::Sharing: return "another program holds the card";
    case CardStatus::Timeout: return "no card came in time";
    case CardStatus::Cancelled: return "stopped";
    case CardStatus::CommError: return "the reader did not answer";
    case CardStatus::NotSim: return "the card is not a SIM";
    case CardStatus::NotFound: return "the card has no such file or record";
    case CardStatus::SecurityNotSatisfied: return "the card asks for the PIN first";
    case CardStatus::WrongPin: return "wrong code";
    case CardStatus::Blocked: return "the code is blocked";
    case CardStatus::CardError: return "the card refused the command";
    case CardStatus::Invalid: return "the card cannot hold that";
    }
    return "unknown";
}

CardStatus FromPcsc(long rv) {
    switch (static_cast<LONG>(rv)) {
    case SCARD_S_SUCCESS: return CardStatus::Ok;
    case SCARD_E_NO_SERVICE:
    case SCARD_E_SERVICE_STOPPED: return CardStatus::NoService;
    case SCARD_E_NO_READERS_AVAILABLE:
    case SCARD_E_UNKNOWN_READER:
    case SCARD_E_READER_UNAVAILABLE: return CardStatus::NoReaders;
    case SCARD_E_NO_SMARTCARD: return CardStatus::NoCard;
    case SCARD_W_REMOVED_CARD: return CardStatus::Removed;
    case SCARD_W_RESET_CARD: return CardStatus::Reset;
    case SCARD_E_SHARING_VIOLATION: return CardStatus::Sharing;
    case SCARD_E_TIMEOUT: return CardStatus::Timeout;
    case SCARD_E_CANCELLED: return CardStatus::Cancelled;
    case SCARD_W_UNRESPONSIVE_CARD:
    case SCARD_W_UNPOWERED_CARD:
    case SCARD_E_PROTO_MISMATCH: return CardStatus::NotSim;
    default: return CardStatus::CommError;
    }
}

std::string PcscText(long rv) { return pcsc_stringify_error(static_cast<LONG>(rv)); }

}  // namespace ribodex
