// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/card/secret_code.h"

namespace ribodex::sim {

bool SecretCode::Matches(const std::string& code, const Bytes& block) {
    if (block.size() != 8) return false;
    for (std::size_t i = 0; i < 8; ++i) {
        const std::uint8_t want = i < code.size() ? static_cast<std::uint8_t>(code[i]) : 0xFF;
        if (block[i] != want) return false;
    }
    return true;
}

SecretCode::Result SecretCode::Verify(const Bytes& block) {
    if (pinLeft == 0) return Result::Blocked;
    if (Matches(pin, block)) {
        pinLeft = pinMax;
        verified = true;
        return Result::Ok;
    }
    verified = false;
    return --pinLeft == 0 ? Result::Blocked : Result::Wrong;
}

SecretCode::Result SecretCode::Unblock(const Bytes& pukBlock, const Bytes& newPinBlock) {
    if (pukLeft == 0) return Result::Blocked;
    if (!Matches(puk, pukBlock)) return --pukLeft == 0 ? Result::Blocked : Result::Wrong;
    std::string fresh;
    for (std::uint8_t b : newPinBlock)
        if (b != 0xFF) fresh.push_back(static_cast<char>(b));
    pin = fresh;
    pukLeft = pukMax;
    pinLeft = pinMax;
    verified = true;
    return Result::Ok;
}

}  // namespace ribodex::sim
