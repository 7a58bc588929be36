// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "core/card/apdu_exchange.h"
#include "core/card/card_tlv.h"
#include "core/device/phone_book_storage.h"
#include "core/device/pin_retries.h"
#include "core/device/sim_state.h"

namespace ribodex {

// A file by its path of file ids from the MF (3F00 first); 7FFF stands for the USIM
// application.
using FilePath = std::vector<std::uint16_t>;

// The records of one memory: a linear fixed file and the extension file its records point
// into (none when the card has none).
struct BookFiles {
    FilePath records;
    std::optional<FilePath> extension;
};

enum class PinRef { Pin1, Pin2 };

// The files and codes of a card, in the dialect of its kind: a 2G SIM (GsmSimFiles) or a
// UICC with a USIM (UsimFiles). Remembers the file selected last, so that reading the
// records of one file costs one SELECT; what a SELECT told about a file is kept, so that
// selecting it again asks no more than it must.
class CardFiles {
public:
    explicit CardFiles(ApduExchange& exchange) : exchange(exchange) {}
    virtual ~CardFiles() = default;
    CardFiles(const CardFiles&) = delete;
    CardFiles& operator=(const CardFiles&) = delete;

    // The card's kind found out by asking it; NotSim (and nullptr) for a card that is
    // neither, or the transport's failure.
    static std::unique_ptr<CardFiles> Open(ApduExchange& exchange, CardStatus& status);

    // The files of a memory (Sim, FixedNumbers or OwnNumber) in their order; several for a
    // USIM book of several ADN files. Empty when the card has none.
    virtual std::vector<BookFiles> Memory(PhoneBookStorage storage) = 0;

    virtual SimState PinState(CardStatus& status) = 0;
    // The card's own counters: PIN1 and its PUK (pin, puk of PinRetries); nullopt each where
    // the card did not say.
    virtual PinRetries Counters(PinRef ref) = 0;
    // Ok, WrongPin (tries left dropped), Blocked, or the failure.
    virtual CardStatus Verify(PinRef ref, std::string_view pin) = 0;
    virtual CardStatus Unblock(PinRef ref, std::string_view puk, std::string_view newPin) = 0;

    // Selects the file (when it is not selected already) and tells its records.
    CardStatus Select(const FilePath& path, FileInfo& info);
    CardStatus ReadRecord(const FilePath& path, int record, Bytes& data);
    // One UPDATE RECORD of the whole record.
    CardStatus UpdateRecord(const FilePath& path, int record, const Bytes& data);
    // After a reset: nothing is selected any more.
    void ForgetSelection() { selected.reset(); }

    ApduExchange& exchange;

protected:
    // Selects path on the card; fills info when fetching (a first select).
    virtual CardStatus SelectOnCard(const FilePath& path, bool fetch, FileInfo& info) = 0;
    virtual std::uint8_t Class() const = 0;
    // The card's status word as a status: Ok, NotFound, SecurityNotSatisfied, Blocked ...
    static CardStatus FromStatusWord(std::uint16_t sw);
    CardStatus Send(const Bytes& command, ApduAnswer& answer, bool fetch = true);
    static Bytes PinBlock(std::string_view pin);
    // A command with data: the header, Lc and the data.
    static Bytes WithData(std::uint8_t cla, std::uint8_t ins, std::uint8_t p1, std::uint8_t p2, const Bytes& data);

    std::optional<FilePath> selected;
    std::map<FilePath, FileInfo> known;
};

}  // namespace ribodex
