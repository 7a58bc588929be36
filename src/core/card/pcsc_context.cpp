// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/pcsc_context.h"

#include <winscard.h>

#include <chrono>

namespace ribodex {

PcscContext::~PcscContext() {
    if (established) SCardReleaseContext(static_cast<SCARDCONTEXT>(handle));
}

CardStatus PcscContext::Establish() {
    if (established) return CardStatus::Ok;
    SCARDCONTEXT context = 0;
    const LONG rv = SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context);
    if (rv != SCARD_S_SUCCESS) {
        lastError = rv;
        return FromPcsc(rv);
    }
    handle = static_cast<long>(context);
    established = true;
    return CardStatus::Ok;
}

CardStatus PcscContext::ListReaders(std::vector<std::string>& readers) const {
    readers.clear();
    if (!established) return CardStatus::NoService;
    DWORD size = 0;
    LONG rv = SCardListReaders(static_cast<SCARDCONTEXT>(handle), nullptr, nullptr, &size);
    if (rv == SCARD_S_SUCCESS && size > 0) {
        std::string names(size, '\0');
        rv = SCardListReaders(static_cast<SCARDCONTEXT>(handle), nullptr, names.data(), &size);
        // A list of NUL-ended names, ended by an empty one.
        for (std::size_t at = 0; rv == SCARD_S_SUCCESS && at < names.size() && names[at] != '\0';) {
            const std::size_t end = names.find('\0', at);
            readers.push_back(names.substr(at, end - at));
            if (end == std::string::npos) break;
            at = end + 1;
        }
    }
    if (rv != SCARD_S_SUCCESS) return FromPcsc(rv);
    return readers.empty() ? CardStatus::NoReaders : CardStatus::Ok;
}

namespace {

LONG ReaderState(long context, const std::string& reader, DWORD known, DWORD timeoutMs, DWORD& state) {
    SCARD_READERSTATE query{};
    query.szReader = reader.c_str();
    query.dwCurrentState = known;
    const LONG rv = SCardGetStatusChange(static_cast<SCARDCONTEXT>(context), timeoutMs, &query, 1);
    state = query.dwEventState;
    return rv;
}

}  // namespace

bool PcscContext::CardPresent(const std::string& reader) const {
    DWORD state = 0;
    return established && ReaderState(handle, reader, SCARD_STATE_UNAWARE, 0, state) == SCARD_S_SUCCESS &&
           (state & SCARD_STATE_PRESENT) && !(state & SCARD_STATE_MUTE);
}

CardStatus PcscContext::WaitForCard(const std::string& reader, int timeoutMs) const {
    if (!established) return CardStatus::NoService;
    DWORD state = 0;
    LONG rv = ReaderState(handle, reader, SCARD_STATE_UNAWARE, 0, state);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    // Each answer names the state it saw; asking again with it waits for the next change.
    while (rv == SCARD_S_SUCCESS && !((state & SCARD_STATE_PRESENT) && !(state & SCARD_STATE_MUTE))) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0) return CardStatus::Timeout;
        rv = ReaderState(handle, reader, state & ~SCARD_STATE_CHANGED, static_cast<DWORD>(left), state);
    }
    return FromPcsc(rv);
}

std::string PcscContext::FirstReaderWithCard() const {
    std::vector<std::string> readers;
    ListReaders(readers);
    for (const std::string& reader : readers)
        if (CardPresent(reader)) return reader;
    return {};
}

void PcscContext::Cancel() const {
    if (established) SCardCancel(static_cast<SCARDCONTEXT>(handle));
}

}  // namespace ribodex
