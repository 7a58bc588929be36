// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/card/card_status.h"

namespace ribodex {

// A pcsc-lite context, released on destruction. Readers are found and waited on through it;
// a PcscCard connects through it. One thread uses it at a time, except Cancel, which pcsc-lite
// allows from any thread to end a WaitForCard.
class PcscContext {
public:
    PcscContext() = default;
    ~PcscContext();
    PcscContext(const PcscContext&) = delete;
    PcscContext& operator=(const PcscContext&) = delete;

    // SCARD_SCOPE_SYSTEM; NoService when no pcscd answers.
    CardStatus Establish();
    bool Established() const { return established; }
    long Handle() const { return handle; }

    // The names of the readers pcscd knows, in its order; empty with NoReaders when none.
    CardStatus ListReaders(std::vector<std::string>& readers) const;
    // Whether the reader holds a card now.
    bool CardPresent(const std::string& reader) const;
    // Waits up to timeoutMs for a card in the reader (Ok at once when one is there);
    // Timeout, Cancelled or the PC/SC failure otherwise.
    CardStatus WaitForCard(const std::string& reader, int timeoutMs) const;
    // The first reader holding a card (empty when none).
    std::string FirstReaderWithCard() const;
    void Cancel() const;

    long lastError = 0;  // the pcsc-lite code of the last failure, for PcscText

private:
    long handle = 0;
    bool established = false;
};

}  // namespace ribodex
