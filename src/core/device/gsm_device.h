#pragma once

#include <deque>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/device/phone_book_entry.h"
#include "core/device/phone_book_storage.h"
#include "core/device/sim_state.h"
#include "core/serial/serial_link.h"

namespace ribodex {

// The phone or modem on the serial link: every AT operation of the program, one command
// outstanding at a time, all called from the UI thread. Operations never throw and never
// show anything; failure is false, 0, -1 or SimUnknown.
class GsmDevice : public SerialLink {
    std::deque<PhoneBookEntry> entryList;
    // index -> position in entryList of the record with that index; kept by StoreEntry and
    // ClearEntries, the only ones that change entryList.
    std::unordered_map<int, std::size_t> entryPositions;

public:
    GsmDevice() = default;
    ~GsmDevice() override;

    int firstIndex = 0;
    int lastIndex = 0;
    // Entries of the last reading, in the order first stored; read-only to callers, so that
    // FindEntry always answers what a scan from the front would. The device owns them; a
    // pointer from FindEntry is good until the next reading, writing or ClearEntries.
    const std::deque<PhoneBookEntry>& entries = entryList;

    // Runs on every 10 ms pass while an answer is awaited (the window repaints there).
    std::function<void()> idleHook;

    // One exchange: Write the line (which must end with "\r"), Read with limitMs.
    std::string Exchange(std::string_view line, int limitMs);
    // A fixed wait of the system (before a full read, after an accepted PIN, per pasted
    // record): sleeps ms in 10 ms slices and runs idleHook after each, so the window stays
    // painted as it does while an answer is awaited.
    void Pause(int ms) const;

    // SIM
    SimState GetPinState();
    bool EnterPin(std::string_view pin);
    bool EnterPuk(std::string_view puk, std::string_view newPin);

    // Names travel in the GSM default alphabet: a device that another program left in UCS2
    // would show them as hex and store ours wrongly. The answer is not looked at; a device
    // without AT+CSCS answers ERROR and keeps the only set it has.
    void SelectGsmCharacterSet();

    // Memories
    int QueryPhoneBooks();
    int QueryCurrentPhoneBook();
    bool SelectPhoneBook(int code);

    // Reading
    void QueryPhoneBookInfo();
    bool ReadEntry(int index);
    int ReadAllEntries();
    void StoreEntry(int index, std::string_view number, std::string_view deviceName);
    const PhoneBookEntry* FindEntry(int index) const;
    void ClearEntries();

    // Writing
    bool WriteEntry(std::string_view number, std::string_view name, int index);
    // For a run of writes at index -1 that nothing else writes between (paste): the search
    // for a free location starts at searchFrom instead of firstIndex, and searchFrom moves
    // past every location the run found taken or wrote, so each location is probed once.
    // Start a run with INT_MIN.
    bool WriteEntry(std::string_view number, std::string_view name, int index, int& searchFrom);
    bool DeleteEntry(int index);
    // The lowest location at or above from (and firstIndex) that reads as empty; -1 if none.
    int FindFreeIndex(int from = std::numeric_limits<int>::min());
};

}  // namespace ribodex
