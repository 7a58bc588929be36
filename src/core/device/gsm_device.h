// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <climits>
#include <deque>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/device/answer_parser.h"
#include "core/device/name_coding.h"
#include "core/device/phone_book_entry.h"
#include "core/device/phone_book_storage.h"
#include "core/device/pin_retries.h"
#include "core/device/sim_state.h"
#include "core/serial/serial_link.h"

namespace ribodex {

// A run of writes at index -1 that nothing else writes between (paste): the search for a
// free location goes on from where the last one ended, so each location is probed once, and
// once it has found none (a full memory, or a location that gave no answer in time) the
// later writes of the run fail at once. Start a run with a fresh one.
struct FreeLocationSearch {
    int from = std::numeric_limits<int>::min();
    bool ended = false;
    // Locations known to be taken (the window's list): the search reads the lowest location
    // not among them to confirm it is free, and goes on from there only when someone wrote
    // it meanwhile, instead of reading every location below it. Empty: nothing is known.
    std::vector<int> taken;
};

// The phone or modem on the serial link: every AT operation of the program, one command
// outstanding at a time, all called from the UI thread. Operations never throw and never
// show anything; failure is false, 0, -1 or SimUnknown.
class GsmDevice : public SerialLink {
    std::deque<PhoneBookEntry> entryList;
    // index -> position in entryList of the record with that index; kept by StoreEntry and
    // ClearEntries, the only ones that change entryList.
    std::unordered_map<int, std::size_t> entryPositions;
    bool readCancelled = false;
    // A full read stopped by readProgress leaves the rest of its answer on the way: the next
    // Exchange waits for it (until this time) and drops it, so it is not taken for its own.
    bool drainPending = false;
    std::chrono::steady_clock::time_point drainUntil;

    struct RangeAnswer {
        int lines = 0;                // entry lines within the range
        long long highest = LLONG_MIN;  // highest index among them
        FinalResult end = FinalResult::None;
    };
    RangeAnswer ReadRange(int from, int to, int done, int total);
    void DrainCancelledAnswer();
    // Exchange, again after a pause while the SIM answers that it is busy.
    std::string ExchangeWhenSimReady(std::string_view line, int limitMs);
    // Exchange with Read's watch and idle given; after a stale answer is dropped, watch sees
    // an empty text once and then the rest of the answer.
    std::string Exchange(std::string_view line, int limitMs, const ReceivedWatch& watch,
                         const std::function<void()>& idle);

public:
    GsmDevice() = default;
    ~GsmDevice() override;

    int firstIndex = 0;
    int lastIndex = 0;
    // Whether firstIndex..lastIndex are the selected memory's: false until AT+CPBR=? gave a
    // usable range, and again after another memory was selected, so that a memory without
    // one is never read with the range (or the name length) of the one before.
    bool rangeKnown = false;
    // How the last AT+CPBR=? ended (a refused one, SIM busy or locked, tells why there is
    // no range).
    FinalResult rangeAnswer = FinalResult::None;
    // The SIM was still busy when the last AT+CPBR=? gave up waiting for it (rangeKnown is
    // then false), and whether that query gave a usable range at all.
    bool rangeSimBusy = false;
    bool rangeAnswered = false;
    // Entries of the last reading, in the order first stored; read-only to callers, so that
    // FindEntry always answers what a scan from the front would. The device owns them; a
    // pointer from FindEntry is good until the next reading, writing or ClearEntries.
    const std::deque<PhoneBookEntry>& entries = entryList;

    // Runs on every 10 ms pass while an answer is awaited (the window repaints there).
    std::function<void()> idleHook;
    // Runs as the entries of a full read arrive, on every 10 ms pass of its wait (after
    // idleHook), so that a Cancel is seen while nothing arrives too: entries received so far
    // against the locations of the range. Answering false stops the read at once: the
    // entries that arrived whole stay, and the rest of the answer is drained before the
    // next command.
    std::function<bool(int received, int total)> readProgress;

    // Runs before each wait for a SIM that is still busy (right after power-up or a PIN):
    // the window says what it waits for. GetPinState and SelectPhoneBook try again for up
    // to timing.simBusyLimitMs.
    std::function<void()> simBusyHook;
    // The waits of connecting (after raising DTR, after Disconnect), for a busy SIM, and for
    // an answer once it has kept the user waiting kAnswerWaitShownAfterMs report here while
    // set, after idleHook on every pass: milliseconds waited of the most the wait takes (an
    // answer or a busy SIM may come sooner). Answering false ends the wait at once: Connect
    // then fails with the port closed, GetPinState and SelectPhoneBook give the busy SIM's
    // answer, and an answer awaited counts as timed out.
    std::function<bool(int elapsedMs, int totalMs)> waitProgress;
    static constexpr int kAnswerWaitShownAfterMs = 1000;

    // One exchange: Write the line (which must end with "\r"), Read until limitMs after the
    // start. An earlier command's answer that comes late, ahead of this one's, is skipped
    // when the device echoes (StaleAnswerLength), within the same limit; so is a write that
    // waited for the driver.
    std::string Exchange(std::string_view line, int limitMs);
    // A fixed wait of the system (before a full read, after an accepted PIN, per pasted
    // record): sleeps ms in 10 ms slices and runs idleHook after each, so the window stays
    // painted as it does while an answer is awaited.
    void Pause(int ms) const;
    // The same wait that progress (optional, after idleHook on every pass: milliseconds
    // waited of ms, last ms of ms) can end early by answering false; then false.
    bool Wait(int ms, const std::function<bool(int elapsedMs, int totalMs)>& progress) const;

    // SIM
    SimState GetPinState();
    bool EnterPin(std::string_view pin);
    bool EnterPuk(std::string_view puk, std::string_view newPin);
    // The tries left (AT+CPINR, else Huawei's AT^CPIN?); nothing known from a device
    // without either.
    PinRetries QueryPinRetries();

    // Names travel in the GSM default alphabet: a device that another program left in UCS2
    // would show them as hex and store ours wrongly. The answer is not looked at; a device
    // without AT+CSCS answers ERROR and keeps the only set it has. Asks first whether the
    // device offers UCS2 (ucs2Offered).
    void SelectGsmCharacterSet();

    // Names beyond the GSM alphabet (gsm_device_names.cpp). UCS2 is selected only around
    // the exchanges that need it and GSM again after each, so that every other command,
    // and every number, goes as it always has.
    bool ucs2Offered = false;
    // The name length of the selected memory as AT+CPBR=? gave it in GSM (0: none given),
    // and in UCS2 once asked for (0: not yet; forgotten when another memory is selected).
    int nameLength = 0;
    int ucs2NameLength = 0;
    // The number length of the selected memory as AT+CPBR=? gave it (0: none given).
    int numberLength = 0;
    // Whether the device hex-encodes the number field too while UCS2 is selected; unknown
    // until a UCS2 read or write showed it.
    std::optional<bool> ucs2HexNumbers;
    // False after a full read whose UCS2 reading of some names got no complete answer:
    // those names keep the device's replacement characters.
    bool namesComplete = true;

    DeviceName EncodeName(std::string_view utf8) const { return EncodeDeviceName(utf8, ucs2Offered); }
    // The name length in set; for UCS2 asked of the device (in UCS2) the first time. 0: unknown.
    int NameLimit(NameSet set);
    // Reads the names of these locations again in UCS2 and replaces the stored names that
    // came back whole; returns how many. Numbers stay as the GSM read gave them.
    std::size_t RereadUcs2Names(const std::vector<int>& indices);
    // The end of a full read: the names that came back with the device's replacement
    // character ('?') read again in UCS2, when the device offers it.
    void ReadUcs2Names();

    // Memories. selectedPhoneBook is the code of the memory that the last selection the device
    // confirmed, or the last answer to the current-memory query, named; 0 (unknown) after a
    // refused selection or an answer naming none of ours.
    int selectedPhoneBook = 0;
    int QueryPhoneBooks();
    int QueryCurrentPhoneBook();
    bool SelectPhoneBook(int code);

    // Reading. The range query waits out a SIM that is still busy, as the state query does.
    void QueryPhoneBookInfo();
    // Whether the location is taken (ProbeLocation says Taken).
    bool ReadEntry(int index);
    // The same question, with its three answers told apart (ParseLocationState). Every
    // entry line of the answer is stored under the location it names, which may not be the
    // one asked for (that one is then Unknown).
    LocationState ProbeLocation(int index);
    // Reads firstIndex..lastIndex with one range command; a device that refuses a range that
    // long (ERROR, or "+CME ERROR: 21" after the entries it could list) is read on in
    // chunks until the whole range is covered. Returns the entry lines stored. Stops early
    // at a time-out, a lost line or a Cancel (LastReadComplete is then false).
    int ReadAllEntries();
    // The last ReadAllEntries was stopped by readProgress answering false.
    bool LastReadCancelled() const { return readCancelled; }
    void StoreEntry(int index, std::string_view number, std::string_view deviceName, int type = 0);
    const PhoneBookEntry* FindEntry(int index) const;
    // The entries of first..last (a few locations, as a paste writes them) in one
    // AT+CPBR=first,last, in ascending order, stored as ReadEntry stores them; a location of
    // the range not among them is empty. Its time limit grows with the range from the
    // ordinary command's. nullopt when an answer had no final result in time (what arrived
    // may be cut anywhere). A range the device refuses (ERROR) is read location by location.
    std::optional<std::vector<PhoneBookEntry>> ReadLocations(int first, int last);
    void ClearEntries();

    // Writing. type is the entry's number type where it has one (as read, copied or backed
    // up), 0 for none; NumberTypeToWrite decides what is sent.
    bool WriteEntry(std::string_view number, std::string_view name, int index, int type = 0);
    // The same within a run of writes (paste): index -1 searches on from search.from.
    bool WriteEntry(std::string_view number, std::string_view name, int index, FreeLocationSearch& search,
                    int type = 0);
    bool DeleteEntry(int index);
    // The lowest location at or above from (and firstIndex) that the device reports empty;
    // -1 when there is none, and at the first location that gave no answer in time (it may
    // be taken: a write there could overwrite an entry).
    int FindFreeIndex(int from = std::numeric_limits<int>::min());
    // The same, reading only the locations not in search.taken (from search.from on).
    int FindFreeIndex(const FreeLocationSearch& search);
    // The lowest free location without reading the whole memory: the range query, the count
    // of used locations (AT+CPBS?) and a few range reads from both ends (FreeLocationProbe).
    // nullopt when that cannot tell and the whole memory must be read: no count, a count that
    // is not the selected memory's or cannot be right, a range read refused or without a
    // complete answer, or a memory full by the count (the full read confirms it).
    std::optional<int> FindFreeIndexByCount();

protected:
    bool Settle(int ms) override;

private:
    // The write exchange of an entry whose location is decided, in the name's set.
    bool WriteDeviceName(int index, std::string_view number, const DeviceName& name, int type);
};

}  // namespace ribodex
