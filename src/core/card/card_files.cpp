// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/card_files.h"

#include <algorithm>

#include "core/card/gsm_sim_files.h"
#include "core/card/usim_files.h"

namespace ribodex {

namespace {
constexpr std::uint8_t kReadRecord = 0xB2;
constexpr std::uint8_t kUpdateRecord = 0xDC;
constexpr std::uint8_t kAbsolute = 0x04;
}  // namespace

std::unique_ptr<CardFiles> CardFiles::Open(ApduExchange& exchange, CardStatus& status) {
    // A UICC first: many answer the 2G class too, but only through it is the USIM's book seen.
    auto usim = std::make_unique<UsimFiles>(exchange);
    status = usim->Start();
    if (status == CardStatus::Ok) return usim;
    if (status != CardStatus::NotSim) return nullptr;
    auto sim = std::make_unique<GsmSimFiles>(exchange);
    status = sim->Start();
    if (status == CardStatus::Ok) return sim;
    return nullptr;
}

CardStatus CardFiles::FromStatusWord(std::uint16_t sw) {
    const std::uint8_t sw1 = static_cast<std::uint8_t>(sw >> 8);
    if (sw == 0x9000 || sw1 == 0x91 || sw1 == 0x61 || sw1 == 0x9F) return CardStatus::Ok;
    if (sw == 0x9804 || sw == 0x6982) return CardStatus::SecurityNotSatisfied;
    if (sw == 0x9840 || sw == 0x6983) return CardStatus::Blocked;
    if ((sw & 0xFFF0) == 0x63C0) return CardStatus::WrongPin;
    if (sw == 0x9404 || sw == 0x9402 || sw == 0x6A82 || sw == 0x6A83) return CardStatus::NotFound;
    return CardStatus::CardError;
}

CardStatus CardFiles::Send(const Bytes& command, ApduAnswer& answer, bool fetch) {
    const CardStatus status = exchange.Send(command, answer, fetch);
    if (status == CardStatus::Reset) ForgetSelection();
    return status;
}

Bytes CardFiles::PinBlock(std::string_view pin) {
    Bytes block(8, 0xFF);
    for (std::size_t i = 0; i < pin.size() && i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(pin[i]);
    return block;
}

Bytes CardFiles::WithData(std::uint8_t cla, std::uint8_t ins, std::uint8_t p1, std::uint8_t p2, const Bytes& data) {
    // Sized first and filled: GCC 12 warns wrongly about inserting into a braced vector.
    Bytes command(5 + data.size());
    command[0] = cla;
    command[1] = ins;
    command[2] = p1;
    command[3] = p2;
    command[4] = static_cast<std::uint8_t>(data.size());
    std::copy(data.begin(), data.end(), command.begin() + 5);
    return command;
}

CardStatus CardFiles::Select(const FilePath& path, FileInfo& info) {
    const auto it = known.find(path);
    if (selected == path && it != known.end()) {
        info = it->second;
        return CardStatus::Ok;
    }
    const bool fetch = it == known.end();
    if (!fetch) info = it->second;
    const CardStatus status = SelectOnCard(path, fetch, info);
    if (status != CardStatus::Ok) {
        selected.reset();
        return status;
    }
    selected = path;
    known[path] = info;
    return CardStatus::Ok;
}

CardStatus CardFiles::ReadRecord(const FilePath& path, int record, Bytes& data) {
    FileInfo info;
    if (const CardStatus status = Select(path, info); status != CardStatus::Ok) return status;
    if (record < 1 || record > info.recordCount) return CardStatus::NotFound;
    ApduAnswer answer;
    const Bytes command{Class(), kReadRecord, static_cast<std::uint8_t>(record), kAbsolute,
                        static_cast<std::uint8_t>(info.recordLength)};
    if (const CardStatus status = Send(command, answer); status != CardStatus::Ok) return status;
    if (const CardStatus status = FromStatusWord(answer.sw); status != CardStatus::Ok) return status;
    data = std::move(answer.data);
    // A record shorter than the file says is cut: padded, it reads as what it holds.
    data.resize(static_cast<std::size_t>(info.recordLength), 0xFF);
    return CardStatus::Ok;
}

CardStatus CardFiles::UpdateRecord(const FilePath& path, int record, const Bytes& data) {
    FileInfo info;
    if (const CardStatus status = Select(path, info); status != CardStatus::Ok) return status;
    if (record < 1 || record > info.recordCount || data.size() != static_cast<std::size_t>(info.recordLength))
        return CardStatus::NotFound;
    const Bytes command = WithData(Class(), kUpdateRecord, static_cast<std::uint8_t>(record), kAbsolute, data);
    ApduAnswer answer;
    if (const CardStatus status = Send(command, answer); status != CardStatus::Ok) return status;
    return FromStatusWord(answer.sw);
}

}  // namespace ribodex
