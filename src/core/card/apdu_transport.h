// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/card_status.h"

namespace ribodex {

// One command APDU to the card and its whole answer (data, then SW1 SW2). A reader through
// pcsc-lite in production; an in-process card in tests and benchmarks.
class ApduTransport {
public:
    virtual ~ApduTransport() = default;
    // Ok with the answer (at least the two status bytes), or why none came.
    virtual CardStatus Transmit(const Bytes& command, Bytes& answer) = 0;
};

}  // namespace ribodex
