// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/apdu_exchange.h"

namespace ribodex {

namespace {
// A card that keeps asking for more is not answering: give up after this many rounds.
constexpr int kMaxRounds = 16;
constexpr std::uint8_t kGetResponse = 0xC0;
}  // namespace

CardStatus ApduExchange::Once(const Bytes& command, ApduAnswer& answer) {
    Bytes raw;
    ++apdusSent;
    const CardStatus status = transport.Transmit(command, raw);
    if (status != CardStatus::Ok) return status;
    answer.sw = static_cast<std::uint16_t>(raw[raw.size() - 2] << 8 | raw[raw.size() - 1]);
    answer.data.insert(answer.data.end(), raw.begin(), raw.end() - 2);
    return CardStatus::Ok;
}

CardStatus ApduExchange::Send(const Bytes& command, ApduAnswer& answer, bool fetch) {
    answer = {};
    if (command.size() < 4) return CardStatus::CardError;
    Bytes next = command;
    for (int round = 0; round < kMaxRounds; ++round) {
        const CardStatus status = Once(next, answer);
        if (status != CardStatus::Ok) return status;
        const std::uint8_t sw1 = answer.Sw1();
        if (sw1 == 0x6C) {
            // Wrong length: the same command (a GET RESPONSE too) with the Le the card named.
            if (next.size() == 4) next.push_back(answer.Sw2());
            else next.back() = answer.Sw2();
        } else if (fetch && (sw1 == 0x61 || sw1 == 0x9F)) {
            next = {command[0], kGetResponse, 0x00, 0x00, answer.Sw2()};
        } else {
            return CardStatus::Ok;
        }
    }
    return CardStatus::CardError;
}

}  // namespace ribodex
