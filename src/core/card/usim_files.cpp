// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/usim_files.h"

#include <algorithm>

namespace ribodex {

namespace {
constexpr std::uint16_t kMf = 0x3F00;
constexpr std::uint16_t kAdf = 0x7FFF;
constexpr std::uint16_t kTelecom = 0x7F10;
constexpr std::uint16_t kPhoneBook = 0x5F3A;
constexpr std::uint16_t kPbr = 0x4F30;
constexpr std::uint16_t kDir = 0x2F00;
constexpr std::uint8_t kSelect = 0xA4;
constexpr std::uint8_t kVerify = 0x20;
constexpr std::uint8_t kUnblock = 0x2C;
constexpr std::uint8_t kAdnTag = 0xC0;
constexpr std::uint8_t kExt1Tag = 0xC2;
const Bytes kUsimAidStart{0xA0, 0x00, 0x00, 0x00, 0x87, 0x10, 0x02};

std::uint8_t Reference(PinRef ref) { return ref == PinRef::Pin1 ? 0x01 : 0x81; }
}  // namespace

CardStatus UsimFiles::Start() {
    ApduAnswer answer;
    const Bytes selectMf{Class(), kSelect, 0x00, 0x0C, 0x02, 0x3F, 0x00};
    CardStatus status = Send(selectMf, answer, false);
    if (status != CardStatus::Ok) return status;
    if (FromStatusWord(answer.sw) != CardStatus::Ok) return CardStatus::NotSim;

    const FilePath dir{kMf, kDir};
    FileInfo info;
    if (Select(dir, info) != CardStatus::Ok) return CardStatus::NotSim;
    std::optional<Bytes> aid;
    for (int record = 1; record <= info.recordCount && !aid; ++record) {
        Bytes data;
        if (ReadRecord(dir, record, data) != CardStatus::Ok) break;
        const std::optional<Bytes> found = ParseDirAid(data);
        if (found && found->size() >= kUsimAidStart.size() &&
            std::equal(kUsimAidStart.begin(), kUsimAidStart.end(), found->begin()))
            aid = found;
    }
    if (!aid) return CardStatus::NotSim;
    const Bytes selectAid = WithData(Class(), kSelect, 0x04, 0x0C, *aid);
    status = Send(selectAid, answer, false);
    ForgetSelection();
    if (status != CardStatus::Ok) return status;
    return FromStatusWord(answer.sw) == CardStatus::Ok ? CardStatus::Ok : CardStatus::NotSim;
}

CardStatus UsimFiles::SelectOnCard(const FilePath& path, bool fetch, FileInfo& info) {
    if (path.size() < 2 || path.front() != kMf) return CardStatus::NotFound;
    // By path from the MF: one SELECT a file, its FCP only the first time.
    Bytes ids;
    for (std::size_t i = 1; i < path.size(); ++i) {
        ids.push_back(static_cast<std::uint8_t>(path[i] >> 8));
        ids.push_back(static_cast<std::uint8_t>(path[i] & 0xFF));
    }
    Bytes command = WithData(Class(), kSelect, 0x08, static_cast<std::uint8_t>(fetch ? 0x04 : 0x0C), ids);
    if (fetch) command.push_back(0x00);
    ApduAnswer answer;
    if (const CardStatus status = Send(command, answer, fetch); status != CardStatus::Ok) return status;
    if (const CardStatus status = FromStatusWord(answer.sw); status != CardStatus::Ok) return status;
    if (fetch) {
        const std::optional<FileInfo> parsed = ParseFcp(answer.data);
        if (!parsed) return CardStatus::CardError;
        info = *parsed;
    }
    return CardStatus::Ok;
}

std::vector<BookFiles> UsimFiles::FromPbr(const FilePath& phoneBookDf, bool& locked) {
    FilePath pbr = phoneBookDf;
    pbr.push_back(kPbr);
    FileInfo info;
    std::vector<BookFiles> files;
    if (Select(pbr, info) != CardStatus::Ok) return files;
    for (int record = 1; record <= info.recordCount; ++record) {
        Bytes data;
        if (const CardStatus status = ReadRecord(pbr, record, data); status != CardStatus::Ok) {
            locked = locked || status == CardStatus::SecurityNotSatisfied;
            break;
        }
        BookFiles book;
        for (const PbrFile& file : ParsePbrRecord(data)) {
            FilePath path = phoneBookDf;
            path.push_back(file.fid);
            if (file.tag == kAdnTag && book.records.empty()) book.records = path;
            if (file.tag == kExt1Tag && !book.extension) book.extension = path;
        }
        if (!book.records.empty()) files.push_back(std::move(book));
    }
    return files;
}

std::vector<BookFiles> UsimFiles::PhoneBook() {
    if (book) return *book;
    // Most USIMs guard EF_PBR with the PIN: a book found before it is not the card's book,
    // so it is looked for again once the PIN is in.
    bool locked = false;
    std::vector<BookFiles> found = FromPbr({kMf, kAdf, kPhoneBook}, locked);
    if (found.empty()) found = FromPbr({kMf, kTelecom, kPhoneBook}, locked);
    if (locked) return {};
    if (found.empty()) found = {{{kMf, kTelecom, 0x6F3A}, FilePath{kMf, kTelecom, 0x6F4A}}};
    book = found;
    return found;
}

std::vector<BookFiles> UsimFiles::Memory(PhoneBookStorage storage) {
    switch (storage) {
    case Sim: return PhoneBook();
    case FixedNumbers: return {{{kMf, kAdf, 0x6F3B}, FilePath{kMf, kAdf, 0x6F4B}}};
    case OwnNumber: return {{{kMf, kAdf, 0x6F40}, FilePath{kMf, kAdf, 0x6F4E}}};
    default: return {};
    }
}

std::optional<int> UsimFiles::TriesLeft(std::uint8_t instruction, std::uint8_t reference) {
    ApduAnswer answer;
    if (Send({Class(), instruction, 0x00, reference}, answer) != CardStatus::Ok) return std::nullopt;
    if ((answer.sw & 0xFFF0) == 0x63C0) return answer.sw & 0x0F;
    if (answer.sw == 0x6983) return 0;
    return std::nullopt;
}

SimState UsimFiles::PinState(CardStatus& status) {
    ApduAnswer answer;
    status = Send({Class(), kVerify, 0x00, Reference(PinRef::Pin1)}, answer);
    if (status != CardStatus::Ok) return SimUnknown;
    // 9000: verified already, or the PIN is disabled.
    if (answer.sw == 0x9000) return SimReady;
    if ((answer.sw & 0xFFF0) == 0x63C0) return (answer.sw & 0x0F) > 0 ? SimPinRequired : SimPukRequired;
    if (answer.sw == 0x6983) {
        const std::optional<int> puk = TriesLeft(kUnblock, Reference(PinRef::Pin1));
        return puk.value_or(0) > 0 ? SimPukRequired : SimUnknown;
    }
    status = FromStatusWord(answer.sw);
    return SimUnknown;
}

PinRetries UsimFiles::Counters(PinRef ref) {
    return {TriesLeft(kVerify, Reference(ref)), TriesLeft(kUnblock, Reference(ref))};
}

CardStatus UsimFiles::Verify(PinRef ref, std::string_view pin) {
    const Bytes command = WithData(Class(), kVerify, 0x00, Reference(ref), PinBlock(pin));
    ApduAnswer answer;
    if (const CardStatus status = Send(command, answer); status != CardStatus::Ok) return status;
    return FromStatusWord(answer.sw);
}

CardStatus UsimFiles::Unblock(PinRef ref, std::string_view puk, std::string_view newPin) {
    Bytes codes = PinBlock(puk);
    const Bytes next = PinBlock(newPin);
    codes.insert(codes.end(), next.begin(), next.end());
    const Bytes command = WithData(Class(), kUnblock, 0x00, Reference(ref), codes);
    ApduAnswer answer;
    if (const CardStatus status = Send(command, answer); status != CardStatus::Ok) return status;
    return FromStatusWord(answer.sw);
}

}  // namespace ribodex
