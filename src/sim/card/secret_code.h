// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "sim/card/card_file_tree.h"

namespace ribodex::sim {

// A PIN with its PUK, as the card counts them: each wrong try takes one off, the right one
// restores all; no tries left blocks the code. The PUK sets a new PIN.
class SecretCode {
public:
    SecretCode(std::string pin, std::string puk, int pinTries = 3, int pukTries = 10)
        : pin(std::move(pin)), puk(std::move(puk)), pinMax(pinTries), pukMax(pukTries), pinLeft(pinTries),
          pukLeft(pukTries) {}

    enum class Result { Ok, Wrong, Blocked };
    // block: the 8 bytes of the command, digits padded with FF.
    Result Verify(const Bytes& block);
    Result Unblock(const Bytes& pukBlock, const Bytes& newPinBlock);

    int PinLeft() const { return pinLeft; }
    int PukLeft() const { return pukLeft; }
    int PinMax() const { return pinMax; }
    int PukMax() const { return pukMax; }
    bool verified = false;
    bool enabled = true;

    // For tests: the code as the card now holds it.
    const std::string& Pin() const { return pin; }

private:
    static bool Matches(const std::string& code, const Bytes& block);
    std::string pin;
    std::string puk;
    int pinMax, pukMax, pinLeft, pukLeft;
};

}  // namespace ribodex::sim
