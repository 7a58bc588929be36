// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/gsm_sim_files.h"

namespace ribodex {

namespace {
constexpr std::uint16_t kMf = 0x3F00;
constexpr std::uint16_t kTelecom = 0x7F10;
constexpr std::uint8_t kSelect = 0xA4;
constexpr std::uint8_t kVerify = 0x20;
constexpr std::uint8_t kUnblock = 0x2C;

std::uint8_t Reference(PinRef ref) { return ref == PinRef::Pin1 ? 0x01 : 0x02; }
}  // namespace

CardStatus GsmSimFiles::SelectId(std::uint16_t fid, bool fetch, ApduAnswer& answer) {
    const Bytes command{Class(), kSelect, 0x00, 0x00, 0x02, static_cast<std::uint8_t>(fid >> 8),
                        static_cast<std::uint8_t>(fid & 0xFF)};
    if (const CardStatus status = Send(command, answer, fetch); status != CardStatus::Ok) return status;
    return FromStatusWord(answer.sw);
}

CardStatus GsmSimFiles::Start() {
    ApduAnswer answer;
    const CardStatus status = SelectId(kMf, false, answer);
    if (status == CardStatus::Ok && answer.Sw1() == 0x9F) {
        currentDf = FilePath{kMf};
        return CardStatus::Ok;
    }
    return status == CardStatus::Ok || status == CardStatus::CardError || status == CardStatus::NotFound
               ? CardStatus::NotSim
               : status;
}

CardStatus GsmSimFiles::SelectOnCard(const FilePath& path, bool fetch, FileInfo& info) {
    if (path.empty()) return CardStatus::NotFound;
    const FilePath parent(path.begin(), path.end() - 1);
    // The EF alone when its DF is the current one; else every level from the MF.
    const std::size_t from = currentDf == parent ? path.size() - 1 : 0;
    currentDf.reset();
    ApduAnswer answer;
    for (std::size_t level = from; level < path.size(); ++level) {
        const bool last = level + 1 == path.size();
        if (const CardStatus status = SelectId(path[level], fetch && last, answer); status != CardStatus::Ok)
            return status;
    }
    currentDf = parent;
    if (fetch) {
        const std::optional<FileInfo> parsed = ParseGsmSelect(answer.data);
        if (!parsed) return CardStatus::CardError;
        info = *parsed;
    }
    return CardStatus::Ok;
}

std::vector<BookFiles> GsmSimFiles::Memory(PhoneBookStorage storage) {
    const FilePath ext1{kMf, kTelecom, 0x6F4A};
    switch (storage) {
    case Sim: return {{{kMf, kTelecom, 0x6F3A}, ext1}};
    case FixedNumbers: return {{{kMf, kTelecom, 0x6F3B}, FilePath{kMf, kTelecom, 0x6F4B}}};
    case OwnNumber: return {{{kMf, kTelecom, 0x6F40}, ext1}};
    default: return {};
    }
}

std::optional<GsmChvStatus> GsmSimFiles::ChvStatus() {
    ApduAnswer answer;
    ForgetSelection();
    currentDf.reset();
    if (SelectId(kMf, false, answer) != CardStatus::Ok || SelectId(kTelecom, true, answer) != CardStatus::Ok)
        return std::nullopt;
    currentDf = FilePath{kMf};
    return ParseGsmChvStatus(answer.data);
}

SimState GsmSimFiles::PinState(CardStatus& status) {
    const std::optional<GsmChvStatus> chv = ChvStatus();
    if (!chv) {
        status = CardStatus::CardError;
        return SimUnknown;
    }
    status = CardStatus::Ok;
    if (chv->chv1Disabled) return SimReady;
    if (chv->chv1 == 0) return chv->unblock1 > 0 ? SimPukRequired : SimUnknown;
    // Nothing in the answer says whether CHV1 was verified already (pcscd keeps a card
    // powered between programs): a record that needs it tells.
    Bytes record;
    const CardStatus read = ReadRecord(Memory(Sim).front().records, 1, record);
    if (read == CardStatus::Ok || read == CardStatus::NotFound) return SimReady;
    if (read == CardStatus::SecurityNotSatisfied) return SimPinRequired;
    status = read;
    return SimUnknown;
}

PinRetries GsmSimFiles::Counters(PinRef ref) {
    const std::optional<GsmChvStatus> chv = ChvStatus();
    if (!chv) return {};
    if (ref == PinRef::Pin1) return {chv->chv1, chv->unblock1};
    return {chv->chv2, chv->unblock2};
}

CardStatus GsmSimFiles::Verify(PinRef ref, std::string_view pin) {
    const Bytes command = WithData(Class(), kVerify, 0x00, Reference(ref), PinBlock(pin));
    ApduAnswer answer;
    if (const CardStatus status = Send(command, answer); status != CardStatus::Ok) return status;
    // 9804: a wrong CHV; 9840: blocked (by this try or before).
    if (answer.sw == 0x9804) return CardStatus::WrongPin;
    return FromStatusWord(answer.sw);
}

CardStatus GsmSimFiles::Unblock(PinRef ref, std::string_view puk, std::string_view newPin) {
    // P2 00 is CHV1 here (not 01), 02 CHV2.
    Bytes codes = PinBlock(puk);
    const Bytes next = PinBlock(newPin);
    codes.insert(codes.end(), next.begin(), next.end());
    const Bytes command = WithData(Class(), kUnblock, 0x00, static_cast<std::uint8_t>(ref == PinRef::Pin1 ? 0x00 : 0x02), codes);
    ApduAnswer answer;
    if (const CardStatus status = Send(command, answer); status != CardStatus::Ok) return status;
    if (answer.sw == 0x9804) return CardStatus::WrongPin;
    return FromStatusWord(answer.sw);
}

}  // namespace ribodex
