// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/pcsc_card.h"

#include <winscard.h>

namespace ribodex {

namespace {
constexpr DWORD kProtocols = SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1;
// The longest short answer: 256 data bytes and the status word.
constexpr std::size_t kMaxAnswer = 258;
}  // namespace

PcscCard::~PcscCard() { Disconnect(); }

CardStatus PcscCard::Failed(long rv) {
    lastError = rv;
    const CardStatus status = FromPcsc(rv);
    if (status == CardStatus::Removed || status == CardStatus::NoCard || status == CardStatus::NoService)
        Disconnect();
    return status;
}

CardStatus PcscCard::Connect(const std::string& reader) {
    Disconnect();
    SCARDHANDLE card = 0;
    DWORD active = 0;
    const LONG rv = SCardConnect(static_cast<SCARDCONTEXT>(context.Handle()), reader.c_str(), SCARD_SHARE_SHARED,
                                 kProtocols, &card, &active);
    if (rv != SCARD_S_SUCCESS) return Failed(rv);
    handle = static_cast<long>(card);
    protocol = active;
    readerName = reader;
    connected = true;
    return CardStatus::Ok;
}

void PcscCard::Disconnect() {
    if (!connected) return;
    if (inTransaction) EndTransaction();
    SCardDisconnect(static_cast<SCARDHANDLE>(handle), SCARD_LEAVE_CARD);
    connected = false;
}

CardStatus PcscCard::Reconnect() {
    DWORD active = 0;
    const LONG rv = SCardReconnect(static_cast<SCARDHANDLE>(handle), SCARD_SHARE_SHARED, kProtocols,
                                   SCARD_LEAVE_CARD, &active);
    if (rv != SCARD_S_SUCCESS) return Failed(rv);
    protocol = active;
    return CardStatus::Ok;
}

CardStatus PcscCard::Transmit(const Bytes& command, Bytes& answer) {
    answer.assign(kMaxAnswer, 0);
    if (!connected) {
        answer.clear();
        return CardStatus::NoCard;
    }
    const SCARD_IO_REQUEST* pci = protocol == SCARD_PROTOCOL_T1 ? SCARD_PCI_T1 : SCARD_PCI_T0;
    DWORD length = static_cast<DWORD>(answer.size());
    const LONG rv = SCardTransmit(static_cast<SCARDHANDLE>(handle), pci, command.data(),
                                  static_cast<DWORD>(command.size()), nullptr, answer.data(), &length);
    if (rv == SCARD_S_SUCCESS) {
        answer.resize(length);
        return answer.size() >= 2 ? CardStatus::Ok : CardStatus::CommError;
    }
    answer.clear();
    // A reset card has lost its selected file and its verified PIN: reconnected, it says
    // Reset so that the layer above selects afresh and asks the PIN state again.
    if (rv == SCARD_W_RESET_CARD && Reconnect() == CardStatus::Ok) return CardStatus::Reset;
    return Failed(rv);
}

CardStatus PcscCard::BeginTransaction() {
    if (!connected) return CardStatus::NoCard;
    const LONG rv = SCardBeginTransaction(static_cast<SCARDHANDLE>(handle));
    if (rv != SCARD_S_SUCCESS) return Failed(rv);
    inTransaction = true;
    return CardStatus::Ok;
}

void PcscCard::EndTransaction() {
    if (!inTransaction) return;
    inTransaction = false;
    SCardEndTransaction(static_cast<SCARDHANDLE>(handle), SCARD_LEAVE_CARD);
}

}  // namespace ribodex
