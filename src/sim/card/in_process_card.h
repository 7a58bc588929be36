// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/apdu_transport.h"
#include "sim/card/simulated_sim_card.h"

namespace ribodex::sim {

// The simulated card without a reader: each APDU straight to the card, for tests of the
// exchange and benchmarks that count APDUs without the cost of pcscd.
class InProcessCard : public ApduTransport {
public:
    explicit InProcessCard(SimulatedSimCard& card) : card(card) {}
    CardStatus Transmit(const Bytes& command, Bytes& answer) override {
        answer = card.Process(command);
        return CardStatus::Ok;
    }

private:
    SimulatedSimCard& card;
};

}  // namespace ribodex::sim
