// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/card/apdu_transport.h"
#include "core/card/pcsc_context.h"

namespace ribodex {

// The card in one reader, connected shared with T=0 or T=1, disconnected (the card left
// powered) on destruction. A card that another program reset is reconnected and the command
// answers Reset (not sent); a card that was pulled answers Removed until Connect succeeds.
class PcscCard : public ApduTransport {
public:
    explicit PcscCard(const PcscContext& context) : context(context) {}
    ~PcscCard() override;
    PcscCard(const PcscCard&) = delete;
    PcscCard& operator=(const PcscCard&) = delete;

    CardStatus Connect(const std::string& reader);
    void Disconnect();
    bool Connected() const { return connected; }
    const std::string& Reader() const { return readerName; }

    CardStatus Transmit(const Bytes& command, Bytes& answer) override;
    // Around the records of one write, so that no other program's command comes between.
    CardStatus BeginTransaction();
    void EndTransaction();

    long lastError = 0;  // the pcsc-lite code of the last failure, for PcscText

private:
    CardStatus Reconnect();
    CardStatus Failed(long rv);

    const PcscContext& context;
    std::string readerName;
    long handle = 0;
    unsigned long protocol = 0;
    bool connected = false;
    bool inTransaction = false;
};

}  // namespace ribodex
