// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/card/apdu_transport.h"

namespace ribodex {

struct ApduAnswer {
    Bytes data;
    std::uint16_t sw = 0;  // SW1 SW2 of the last answer
    std::uint8_t Sw1() const { return static_cast<std::uint8_t>(sw >> 8); }
    std::uint8_t Sw2() const { return static_cast<std::uint8_t>(sw & 0xFF); }
};

// One command and its whole answer as the card means it. pcsc-lite passes a T=0 card's
// procedure bytes through, so this does what the reader would: after 61xx (UICC) or 9Fxx
// (2G SIM) it fetches the waiting bytes with GET RESPONSE, in the command's class, until
// none wait; after 6Cxx it sends the command again with the length the card named.
class ApduExchange {
public:
    explicit ApduExchange(ApduTransport& transport) : transport(transport) {}

    // Ok with the card's answer (any status word), or the transport's failure. Without
    // fetch, a 61xx or 9Fxx answer is left as it is (a SELECT whose answer is not needed).
    CardStatus Send(const Bytes& command, ApduAnswer& answer, bool fetch = true);

    // Every APDU that went to the card, GET RESPONSE and resends included.
    long apdusSent = 0;

private:
    CardStatus Once(const Bytes& command, ApduAnswer& answer);
    ApduTransport& transport;
};

}  // namespace ribodex
