// SPDX-License-Identifier: GPL-3.0-or-later
// The records of the selected memory: reading, writing and deleting them with their
// extension records.
#include <algorithm>
#include <set>

#include "core/card/alpha_field.h"
#include "core/card/dialling_number.h"
#include "core/card/sim_card_device.h"

namespace ribodex {

namespace {
// A chain longer than this is a loop or garbage: the number ends there.
constexpr std::size_t kMaxChain = 10;

std::string_view DigitsOf(std::string_view number) {
    return !number.empty() && number[0] == '+' ? number.substr(1) : number;
}
}  // namespace

struct SimCardDevice::ParsedRecord {
    DiallingRecord record;
    std::vector<std::uint8_t> chain;  // the EXT records it points to, in order
    std::string number;               // the whole number, '+' included
};

void SimCardDevice::ClearEntries() { entryList.clear(); }

const PhoneBookEntry* SimCardDevice::FindEntry(int index) const {
    const auto it = std::lower_bound(entryList.begin(), entryList.end(), index,
                                     [](const PhoneBookEntry& e, int i) { return e.index < i; });
    return it != entryList.end() && it->index == index ? &*it : nullptr;
}

void SimCardDevice::StoreEntry(PhoneBookEntry entry) {
    const auto it = std::lower_bound(entryList.begin(), entryList.end(), entry.index,
                                     [](const PhoneBookEntry& e, int i) { return e.index < i; });
    if (it != entryList.end() && it->index == entry.index) *it = std::move(entry);
    else entryList.insert(it, std::move(entry));
}

void SimCardDevice::DropEntry(int index) {
    std::erase_if(entryList, [index](const PhoneBookEntry& e) { return e.index == index; });
}

std::optional<std::string> SimCardDevice::ExtensionDigits(const BookFiles& book, std::uint8_t first,
                                                          std::vector<std::uint8_t>* chain) {
    std::string digits;
    if (!book.extension) return digits;
    std::set<std::uint8_t> seen;
    for (std::uint8_t at = first; at != kNoRecord && seen.size() < kMaxChain && seen.insert(at).second;) {
        const auto key = std::make_pair(*book.extension, at);
        auto cached = extensionCache.find(key);
        if (cached == extensionCache.end()) {
            Bytes data;
            const CardStatus status = files->ReadRecord(*book.extension, at, data);
            // A pointer to a record the file lacks ends the number where it is.
            if (status == CardStatus::NotFound) break;
            if (status != CardStatus::Ok) return Fail(status), std::nullopt;
            cached = extensionCache.emplace(key, std::move(data)).first;
        }
        const ExtensionRecord ext = ParseExtensionRecord(cached->second);
        if (chain) chain->push_back(at);
        digits += ext.digits;
        at = ext.next;
    }
    return digits;
}

bool SimCardDevice::ReadParsed(const Location& at, ParsedRecord& parsed) {
    Bytes data;
    const CardStatus status = files->ReadRecord(at.files->records, at.record, data);
    if (status != CardStatus::Ok) return Fail(status);
    parsed.record = ParseDiallingRecord(data);
    parsed.chain.clear();
    if (parsed.record.empty) return true;
    std::string digits = parsed.record.digits;
    if (parsed.record.extension != kNoRecord) {
        const std::optional<std::string> more = ExtensionDigits(*at.files, parsed.record.extension, &parsed.chain);
        if (!more) return false;
        digits += *more;
    }
    parsed.number = NumberText(parsed.record.tonNpi, digits);
    return true;
}

bool SimCardDevice::ReadEntry(int index) {
    const std::optional<Location> at = Locate(index);
    if (!at) return Fail(files ? CardStatus::NotFound : CardStatus::NoCard);
    extensionCache.clear();
    ParsedRecord parsed;
    if (!ReadParsed(*at, parsed)) return false;
    if (parsed.record.empty) {
        DropEntry(index);
        return false;
    }
    StoreEntry({index, parsed.number, parsed.record.name, parsed.record.tonNpi});
    return true;
}

int SimCardDevice::ReadAllEntries() {
    ClearEntries();
    extensionCache.clear();
    readCancelled = false;
    readComplete = false;
    if (!files) return Fail(CardStatus::NoCard), 0;
    if (memory.empty() && !SelectPhoneBook(selectedPhoneBook ? selectedPhoneBook : Sim)) return 0;
    // Every record of a file first, then its extension records: the file stays selected,
    // so each record costs one READ RECORD.
    struct Pending {
        std::size_t entry;
        const BookFiles* book;
        std::uint8_t extension;
    };
    std::vector<Pending> pending;
    const int total = lastIndex;
    int index = 1;
    for (std::size_t f = 0; f < memory.size(); ++f) {
        for (int record = 1; record <= recordCounts[f]; ++record, ++index) {
            Bytes data;
            const CardStatus status = files->ReadRecord(memory[f].records, record, data);
            if (status != CardStatus::Ok) return Fail(status), static_cast<int>(entryList.size());
            const DiallingRecord parsed = ParseDiallingRecord(data);
            if (!parsed.empty) {
                entryList.push_back({index, NumberText(parsed.tonNpi, parsed.digits), parsed.name, parsed.tonNpi});
                if (parsed.extension != kNoRecord) pending.push_back({entryList.size() - 1, &memory[f], parsed.extension});
            }
            if (readProgress && !readProgress(index, total)) {
                readCancelled = true;
                return static_cast<int>(entryList.size());
            }
        }
    }
    for (const Pending& p : pending) {
        const std::optional<std::string> more = ExtensionDigits(*p.book, p.extension);
        if (!more) return static_cast<int>(entryList.size());
        entryList[p.entry].number += *more;
    }
    readComplete = true;
    return static_cast<int>(entryList.size());
}

std::optional<std::vector<PhoneBookEntry>> SimCardDevice::ReadLocations(int first, int last) {
    std::vector<PhoneBookEntry> found;
    extensionCache.clear();
    for (int index = first; index <= last; ++index) {
        const std::optional<Location> at = Locate(index);
        if (!at) return Fail(files ? CardStatus::NotFound : CardStatus::NoCard), std::nullopt;
        ParsedRecord parsed;
        if (!ReadParsed(*at, parsed)) return std::nullopt;
        if (parsed.record.empty) {
            DropEntry(index);
            continue;
        }
        PhoneBookEntry entry{index, parsed.number, parsed.record.name, parsed.record.tonNpi};
        StoreEntry(entry);
        found.push_back(std::move(entry));
    }
    return found;
}

int SimCardDevice::FindFreeIndex(int from) {
    extensionCache.clear();
    for (int index = std::max(from, std::max(firstIndex, 1)); index <= lastIndex; ++index) {
        const std::optional<Location> at = Locate(index);
        ParsedRecord parsed;
        if (!at || !ReadParsed(*at, parsed)) return -1;
        if (parsed.record.empty) return index;
    }
    lastStatus = CardStatus::NotFound;
    return -1;
}

bool SimCardDevice::NameFits(std::string_view name) {
    return nameLength > 0 && EncodeAlpha(name, static_cast<std::size_t>(nameLength)).has_value();
}

std::string SimCardDevice::NameAsStored(std::string_view name) {
    return FittingAlpha(name, static_cast<std::size_t>(std::max(nameLength, 0)));
}

std::vector<std::uint8_t> SimCardDevice::FreeExtensionRecords(const BookFiles& book, int needed,
                                                              const std::vector<std::uint8_t>& keep) {
    std::vector<std::uint8_t> found;
    if (!book.extension || needed <= 0) return found;
    const int count = RecordCount(*book.extension);
    for (int record = 1; record <= count && record < kNoRecord && static_cast<int>(found.size()) < needed; ++record) {
        if (std::find(keep.begin(), keep.end(), record) != keep.end()) continue;
        Bytes data;
        if (const CardStatus status = files->ReadRecord(*book.extension, record, data); status != CardStatus::Ok) {
            Fail(status);
            return {};
        }
        if (IsAllPad(data)) found.push_back(static_cast<std::uint8_t>(record));
    }
    return found;
}

bool SimCardDevice::FreeChain(const BookFiles& book, const std::vector<std::uint8_t>& chain) {
    for (std::uint8_t record : chain)
        if (const CardStatus status = files->UpdateRecord(*book.extension, record, Bytes(kExtensionLength, 0xFF));
            status != CardStatus::Ok)
            return Fail(status);
    return true;
}

bool SimCardDevice::WriteEntry(std::string_view number, std::string_view name, int index, int type) {
    if (!files) return Fail(CardStatus::NoCard);
    if (index == -1 && (index = FindFreeIndex()) < 0) return false;
    const std::optional<Location> at = Locate(index);
    if (!at) return Fail(CardStatus::NotFound);
    FileInfo info;
    if (const CardStatus status = files->Select(at->files->records, info); status != CardStatus::Ok)
        return Fail(status);
    const std::size_t width = static_cast<std::size_t>(std::max(0, info.recordLength - static_cast<int>(kNumberTrailer)));
    const std::optional<EncodedAlpha> alpha = EncodeAlpha(name, width);
    const std::string_view digits = DigitsOf(number);
    if (!alpha || !EncodeBcd(digits) || (digits.size() > kDigitsInRecord && !at->files->extension))
        return Fail(CardStatus::Invalid);

    const bool transaction = card && card->BeginTransaction() == CardStatus::Ok;
    struct EndTransaction {
        PcscCard* card;
        ~EndTransaction() {
            if (card) card->EndTransaction();
        }
    } end{transaction ? card.get() : nullptr};

    extensionCache.clear();
    ParsedRecord old;
    if (!ReadParsed(*at, old)) return false;
    // The new extension records are written before the record that points to them, the old
    // ones freed only after it: whatever stops the write, the record reads whole.
    const std::vector<std::uint8_t> chain =
        FreeExtensionRecords(*at->files, ExtensionRecordsFor(digits.size()), old.chain);
    if (static_cast<int>(chain.size()) < ExtensionRecordsFor(digits.size()))
        return Fail(files ? CardStatus::Invalid : lastStatus);
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const std::size_t from = kDigitsInRecord * (i + 1);
        const std::uint8_t next = i + 1 < chain.size() ? chain[i + 1] : kNoRecord;
        const Bytes ext = *BuildExtensionRecord(digits.substr(from, kDigitsInRecord), next);
        if (const CardStatus status = files->UpdateRecord(*at->files->extension, chain[i], ext); status != CardStatus::Ok)
            return Fail(status);
    }
    const std::uint8_t tonNpi = TonNpiFor(number, type);
    const Bytes record = *BuildDiallingRecord(static_cast<std::size_t>(info.recordLength), alpha->field, digits, tonNpi,
                                              chain.empty() ? kNoRecord : chain.front());
    if (const CardStatus status = files->UpdateRecord(at->files->records, at->record, record); status != CardStatus::Ok) {
        FreeChain(*at->files, chain);
        return Fail(status);
    }
    if (!FreeChain(*at->files, old.chain)) return false;
    StoreEntry({index, NumberText(tonNpi, digits), DecodeAlpha(alpha->field.data(), alpha->field.size()), tonNpi});
    lastStatus = CardStatus::Ok;
    return true;
}

bool SimCardDevice::DeleteEntry(int index) {
    const std::optional<Location> at = Locate(index);
    if (!at) return Fail(files ? CardStatus::NotFound : CardStatus::NoCard);
    const bool transaction = card && card->BeginTransaction() == CardStatus::Ok;
    extensionCache.clear();
    ParsedRecord old;
    FileInfo info;
    bool done = ReadParsed(*at, old) && Ready(files->Select(at->files->records, info));
    if (done) {
        const CardStatus status =
            files->UpdateRecord(at->files->records, at->record, Bytes(static_cast<std::size_t>(info.recordLength), 0xFF));
        done = status == CardStatus::Ok ? FreeChain(*at->files, old.chain) : Fail(status);
    }
    if (transaction && card) card->EndTransaction();
    if (done) {
        DropEntry(index);
        lastStatus = CardStatus::Ok;
    }
    return done;
}

}  // namespace ribodex
