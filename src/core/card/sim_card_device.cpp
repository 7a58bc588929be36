// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/sim_card_device.h"

#include <algorithm>

#include "core/card/dialling_number.h"

namespace ribodex {

namespace {
bool IsPinText(std::string_view pin) {
    return pin.size() >= 4 && pin.size() <= 8 &&
           std::all_of(pin.begin(), pin.end(), [](char c) { return c >= '0' && c <= '9'; });
}
}  // namespace

bool SimCardDevice::Fail(CardStatus status) {
    lastStatus = status;
    if (status == CardStatus::Reset && files) files->ForgetSelection();
    // A card that was pulled (or a pcscd that went) is gone: the next command connects anew.
    if (status == CardStatus::Removed || status == CardStatus::NoCard || status == CardStatus::NoService)
        Disconnect();
    return false;
}

std::vector<std::string> SimCardDevice::ListReaders() {
    std::vector<std::string> readers;
    PcscContext probe;
    lastStatus = probe.Establish();
    if (lastStatus == CardStatus::Ok) lastStatus = probe.ListReaders(readers);
    return readers;
}

CardStatus SimCardDevice::Connect(const std::string& reader) {
    Disconnect();
    context = std::make_unique<PcscContext>();
    lastStatus = context->Establish();
    if (lastStatus != CardStatus::Ok) return lastStatus;
    std::string name = reader;
    if (name.empty()) {
        std::vector<std::string> readers;
        lastStatus = context->ListReaders(readers);
        if (lastStatus != CardStatus::Ok) return lastStatus;
        name = context->FirstReaderWithCard();
        if (name.empty()) return lastStatus = CardStatus::NoCard;
    }
    card = std::make_unique<PcscCard>(*context);
    lastStatus = card->Connect(name);
    if (lastStatus != CardStatus::Ok) return lastStatus;
    readerName = name;
    exchange = std::make_unique<ApduExchange>(*card);
    return Open();
}

CardStatus SimCardDevice::Attach(ApduTransport& transport) {
    Disconnect();
    exchange = std::make_unique<ApduExchange>(transport);
    return Open();
}

CardStatus SimCardDevice::Open() {
    files = CardFiles::Open(*exchange, lastStatus);
    if (!files) {
        exchange.reset();
        card.reset();
        return lastStatus;
    }
    SelectPhoneBook(Sim);
    return lastStatus = CardStatus::Ok;
}

void SimCardDevice::Disconnect() {
    files.reset();
    exchange.reset();
    card.reset();
    context.reset();
    memory.clear();
    recordCounts.clear();
    selectedPhoneBook = 0;
    firstIndex = lastIndex = nameLength = numberLength = 0;
}

SimState SimCardDevice::GetPinState() {
    if (!files) return lastStatus = CardStatus::NoCard, SimUnknown;
    CardStatus status = CardStatus::Ok;
    const SimState state = files->PinState(status);
    if (status != CardStatus::Ok) Fail(status);
    return state;
}

bool SimCardDevice::EnterPin(std::string_view pin) {
    if (!files) return Fail(CardStatus::NoCard);
    // Never spend a try on a code the card cannot take.
    if (!IsPinText(pin)) return Fail(CardStatus::Invalid);
    return Unlocked(files->Verify(PinRef::Pin1, pin));
}

bool SimCardDevice::EnterPuk(std::string_view puk, std::string_view newPin) {
    if (!files) return Fail(CardStatus::NoCard);
    if (puk.size() != 8 || !IsPinText(puk) || !IsPinText(newPin)) return Fail(CardStatus::Invalid);
    return Unlocked(files->Unblock(PinRef::Pin1, puk, newPin));
}

bool SimCardDevice::Unlocked(CardStatus status) {
    if (!Ready(lastStatus = status)) return false;
    // A book the PIN guarded (a USIM's EF_PBR) shows only now.
    if (memory.empty()) SelectPhoneBook(selectedPhoneBook ? selectedPhoneBook : Sim);
    lastStatus = CardStatus::Ok;
    return true;
}

bool SimCardDevice::EnterPin2(std::string_view pin2) {
    if (!files) return Fail(CardStatus::NoCard);
    if (!IsPinText(pin2)) return Fail(CardStatus::Invalid);
    return Ready(lastStatus = files->Verify(PinRef::Pin2, pin2));
}

PinRetries SimCardDevice::QueryPinRetries() { return files ? files->Counters(PinRef::Pin1) : PinRetries{}; }
PinRetries SimCardDevice::QueryPin2Retries() { return files ? files->Counters(PinRef::Pin2) : PinRetries{}; }

int SimCardDevice::RecordCount(const FilePath& path) {
    FileInfo info;
    const CardStatus status = files->Select(path, info);
    if (status != CardStatus::Ok) {
        if (status != CardStatus::NotFound) Fail(status);
        return -1;
    }
    return info.linearFixed ? info.recordCount : -1;
}

int SimCardDevice::QueryPhoneBooks() {
    if (!files) return 0;
    int offered = 0;
    for (const PhoneBookStorage storage : {Sim, FixedNumbers, OwnNumber}) {
        const std::vector<BookFiles> book = files->Memory(storage);
        if (!book.empty() && RecordCount(book.front().records) > 0) offered |= storage;
        if (!files) return 0;
    }
    return offered;
}

bool SimCardDevice::SelectPhoneBook(int code) {
    if (!files) return Fail(CardStatus::NoCard);
    if (code != Sim && code != FixedNumbers && code != OwnNumber) return Fail(CardStatus::NotFound);
    std::vector<BookFiles> book = files->Memory(static_cast<PhoneBookStorage>(code));
    std::vector<int> counts;
    for (const BookFiles& file : book) {
        const int count = RecordCount(file.records);
        if (!files) return false;
        if (count <= 0) return Fail(CardStatus::NotFound);
        counts.push_back(count);
    }
    if (book.empty()) {
        const SimState state = GetPinState();
        if (!files) return false;
        const bool locked = state == SimPinRequired || state == SimPukRequired;
        return Fail(locked ? CardStatus::SecurityNotSatisfied : CardStatus::NotFound);
    }
    memory = std::move(book);
    recordCounts = std::move(counts);
    selectedPhoneBook = code;
    ClearEntries();
    QueryPhoneBookInfo();
    return true;
}

void SimCardDevice::QueryPhoneBookInfo() {
    if (!files || memory.empty()) return;
    FileInfo info;
    if (files->Select(memory.front().records, info) != CardStatus::Ok) return;
    int total = 0;
    for (int count : recordCounts) total += count;
    firstIndex = 1;
    lastIndex = total;
    nameLength = std::max(0, info.recordLength - static_cast<int>(kNumberTrailer));
    numberLength = kDigitsInRecord * (memory.front().extension ? 2 : 1);
}

std::optional<SimCardDevice::Location> SimCardDevice::Locate(int index) {
    if (!files || index < 1) return std::nullopt;
    int first = 1;
    for (std::size_t i = 0; i < memory.size(); ++i) {
        if (index < first + recordCounts[i]) return Location{&memory[i], index - first + 1};
        first += recordCounts[i];
    }
    return std::nullopt;
}

}  // namespace ribodex
