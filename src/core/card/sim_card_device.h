// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <map>
#include <utility>
#include <vector>

#include "core/card/apdu_exchange.h"
#include "core/card/card_files.h"
#include "core/card/pcsc_card.h"
#include "core/card/pcsc_context.h"
#include "core/device/phone_book_entry.h"

namespace ribodex {

// A SIM in a card reader: the phone book operations of the program over APDUs, with the
// names and meanings the serial device uses. Locations count from 1 over the memory's files
// (a USIM book of two ADN files of 250 records is 1 to 500). Names are UTF-8; numbers hold a
// leading '+' for an international one, and '*', '#' and 'p' (a pause). All called from one
// thread; operations never throw and never show anything; why one failed is lastStatus.
class SimCardDevice {
public:
    SimCardDevice() = default;

    // The card in reader through pcsc-lite ("" for the first reader holding a card), or a
    // card reached otherwise (tests, benchmarks). Finds the card's kind; NotSim for another
    // card. Selects the SIM memory.
    CardStatus Connect(const std::string& reader);
    CardStatus Attach(ApduTransport& transport);
    void Disconnect();
    bool IsConnected() const { return files != nullptr; }
    const std::string& ReaderName() const { return readerName; }
    // The readers pcsc-lite knows (empty with lastStatus when none, or no pcscd).
    std::vector<std::string> ListReaders();

    CardStatus lastStatus = CardStatus::Ok;
    // APDUs sent since connecting, for traces and benchmarks.
    long ApdusSent() const { return exchange ? exchange->apdusSent : 0; }

    // SIM
    SimState GetPinState();
    bool EnterPin(std::string_view pin);
    bool EnterPuk(std::string_view puk, std::string_view newPin);
    // The card's own counters: PIN and PUK tries left.
    PinRetries QueryPinRetries();
    // PIN2 guards writes to the fixed numbers.
    bool EnterPin2(std::string_view pin2);
    PinRetries QueryPin2Retries();

    // Memories: Sim, FixedNumbers and OwnNumber where the card has the file.
    int selectedPhoneBook = 0;
    int QueryPhoneBooks();
    int QueryCurrentPhoneBook() const { return selectedPhoneBook; }
    bool SelectPhoneBook(int code);

    // The selected memory's range and lengths (0 when unknown).
    int firstIndex = 0;
    int lastIndex = 0;
    int nameLength = 0;    // bytes of the alpha field
    int numberLength = 0;  // digits a number may have
    void QueryPhoneBookInfo();

    // Reading. Entries of the last reading, in location order.
    const std::deque<PhoneBookEntry>& entries = entryList;
    // Runs after each record of a full read: records read against the memory's records;
    // answering false stops the read, the entries read so far stay.
    std::function<bool(int received, int total)> readProgress;
    bool ReadEntry(int index);
    int ReadAllEntries();
    bool LastReadCancelled() const { return readCancelled; }
    bool LastReadComplete() const { return readComplete; }
    std::optional<std::vector<PhoneBookEntry>> ReadLocations(int first, int last);
    const PhoneBookEntry* FindEntry(int index) const;
    void ClearEntries();

    // Writing. A name is written whole or not at all: NameAsStored says before what the
    // card could hold of it, so the user can be asked. index -1 takes the lowest free
    // location. A record is changed by one UPDATE RECORD; its extension records are
    // written before it and the ones it no longer needs freed after it.
    bool NameFits(std::string_view name);
    std::string NameAsStored(std::string_view name);
    bool WriteEntry(std::string_view number, std::string_view name, int index, int type = 0);
    bool DeleteEntry(int index);
    // The lowest empty location at or above from; -1 when there is none.
    int FindFreeIndex(int from = std::numeric_limits<int>::min());

private:
    struct Location {
        const BookFiles* files = nullptr;
        int record = 0;
    };
    struct ParsedRecord;
    CardStatus Open();
    bool Fail(CardStatus status);
    bool Ready(CardStatus status) { return status == CardStatus::Ok || Fail(status); }
    bool Unlocked(CardStatus status);
    std::optional<Location> Locate(int index);
    int RecordCount(const FilePath& path);
    bool ReadParsed(const Location& at, ParsedRecord& parsed);
    std::optional<std::string> ExtensionDigits(const BookFiles& book, std::uint8_t first,
                                               std::vector<std::uint8_t>* chain = nullptr);
    std::vector<std::uint8_t> FreeExtensionRecords(const BookFiles& book, int needed,
                                                   const std::vector<std::uint8_t>& keep);
    bool FreeChain(const BookFiles& book, const std::vector<std::uint8_t>& chain);
    void StoreEntry(PhoneBookEntry entry);
    void DropEntry(int index);

    std::unique_ptr<PcscContext> context;
    std::unique_ptr<PcscCard> card;
    std::unique_ptr<ApduExchange> exchange;
    std::unique_ptr<CardFiles> files;
    std::string readerName;

    std::vector<BookFiles> memory;  // the selected memory's files
    std::vector<int> recordCounts;  // of each of them
    // EXT records read during one operation (a chain may be shared or long).
    std::map<std::pair<FilePath, std::uint8_t>, Bytes> extensionCache;
    std::deque<PhoneBookEntry> entryList;
    bool readCancelled = false;
    bool readComplete = true;
};

}  // namespace ribodex
