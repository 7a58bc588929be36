// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sim/trace_replay.h"

namespace ribodex::sim {

// What the phone answers when a single empty location is read (devices differ here).
enum class EmptyAnswer { Ok, Error, Cme, NoEntry };

// One occupied location. The name is kept as a SIM stores it (sim_alpha.h): GSM default
// alphabet bytes (0x00 is "@", 0x1B escapes), or 0x80 and UCS2 for other names.
struct SimEntry {
    std::string number;
    int type = 129;
    std::string nameGsm;
    bool operator==(const SimEntry&) const = default;
};

// One phone book memory with its own index range and length limits.
struct SimMemory {
    std::string name;   // AT name without quotes, e.g. "SM"
    std::string alias;  // a second AT name for the same memory ("OW" for "ON"), may be empty
    int first = 1;
    int last = 250;
    int maxNumber = 40;  // digits, a leading "+" not counted
    int maxName = 16;    // bytes of the stored name (GSM characters; 1 + 2 per UCS2 character)
    std::map<int, SimEntry> entries;
    bool operator==(const SimMemory&) const = default;
};

// SM 1..250 (40, 16), ME 1..500, FD 1..10, ON/OW 1..4, LD, MC, RC; all empty.
std::vector<SimMemory> DefaultMemories();

// How the phone answers a range read (AT+CPBR=a,b), for the shapes of real devices.
struct RangeQuirks {
    int cap = 0;                    // 0: any range; else a longer one lists the first cap
                                    // locations and ends with "+CME ERROR: 21" (ERROR at cmee 0)
    bool capListsNothing = false;   // with cap: a longer range is refused at once
    bool emptyNotFound = false;     // a range without entries answers "+CME ERROR: 22"
    bool outOfOrder = false;        // descending, the first entry listed again at the end
};

// Everything that makes one simulated phone. The fault and timing switches are read by the
// runner (PtyModem), not by ModemSimulator::Feed, except silent, garbage and
// unsolicitedInAnswer.
struct SimConfig {
    std::string pin;               // "" = no PIN, the SIM is READY at power-on
    std::string puk = "12345678";
    bool phSimPin = false;         // after the SIM PIN (or at once), the phone asks PH-SIM PIN
    bool pinQuery = true;          // false: AT+CPIN answers ERROR, as a terminal without SIM access
    bool pinRetries = true;        // AT+CPINR tells the tries left; false: ERROR, as most older phones
    std::string phSimCode = "0000";
    bool echo = true;              // ATE1, as real modems start
    int cmee = 0;                  // 0 ERROR, 1 "+CME ERROR: 22", 2 "+CME ERROR: not found"
    EmptyAnswer emptyAnswer = EmptyAnswer::Ok;
    bool gsmOnly = false;          // AT+CSCS offers and takes "GSM" only
    bool ucs2HexNumbers = false;   // while UCS2 is selected, numbers go as UCS2 hex both ways
    bool passSimCoding = false;    // in GSM, a UCS2 name goes as the hex of its SIM record
    std::vector<SimMemory> memories = DefaultMemories();
    std::string selectedMemory = "SM";
    bool memoryCounts = true;      // AT+CPBS? gives used and total after the memory; false: the name alone
    RangeQuirks range;
    // Set: every command line gets what this recorded device answered (echo included), and
    // nothing of the simulated phone runs.
    std::shared_ptr<TraceReplay> replay;
    int simBusyMs = 0;             // after power-on and after a PIN or PUK: this long "+CME
                                   // ERROR: 14" to +CPIN? and the phone book commands

    unsigned baud = 0;             // 0: no pacing; else each byte takes 10/baud s on the wire
    int latencyMs = 0;             // before each answer
    bool unsolicited = false;      // RING / +CREG between commands
    bool unsolicitedInAnswer = false;  // RING / +CREG after the first line of each answer's text
    bool silent = false;           // swallows everything, answers nothing
    int lateAnswerMs = 0;          // extra delay before each answer
    int lateAnswerCommand = 0;     // 0: every answer is late; N: only the Nth command line's
    bool garbage = false;          // noise bytes in front of every answer
    int hangupAfterCommands = 0;   // 0: never; else the line drops after the Nth command line
    int hangupAfterAnswerBytes = 0;  // with hangupAfterCommands: the line drops this far into
                                     // the Nth command's answer (0: once all of it was sent)
};

// A GSM 07.07 phone as a state machine: bytes in, bytes out, no I/O, and no timing but the
// SIM busy time after power-up or a PIN (simBusyMs).
// Not thread-safe: the owner serialises calls (PtyModem does it under its mutex).
// Malformed input never throws; it ends in an ERROR or +CME ERROR answer.
class ModemSimulator {
public:
    enum class Lock { None, SimPin, SimPuk, PhSimPin, Blocked };

    explicit ModemSimulator(SimConfig config = {});

    // Consumes client bytes; returns what the phone sends back at once (echo, answers).
    std::string Feed(std::string_view bytes);

    SimConfig& Config() { return config; }
    const SimConfig& Config() const { return config; }

    // By AT name or alias, case-sensitive; nullptr when absent.
    SimMemory* FindMemory(std::string_view name);
    const SimMemory* FindMemory(std::string_view name) const;

    Lock LockState() const { return lock; }
    // The AT+CSCS set names are sent and taken in: "GSM", "UCS2", "IRA" or "8859-1".
    const std::string& CharacterSet() const { return charset; }
    int PinAttemptsLeft() const { return pinAttempts; }
    int PukAttemptsLeft() const { return pukAttempts; }
    // Locks the SIM again as after power-on with config's pin (tests, runtime switch).
    void PowerOn();

    // Command lines processed so far; true once hangupAfterCommands lines were processed.
    int CommandCount() const { return commandCount; }
    bool HangUpDue() const;
    // Grows whenever a phone book changes, so an owner can save after each change.
    std::uint64_t Revision() const { return revision; }
    // The next unsolicited result, alternating RING and +CREG, framed as sent.
    std::string NextUnsolicited();
    // Every command line seen, in order, without the carriage return (test inspection).
    const std::vector<std::string>& Commands() const { return commands; }

private:
    std::string RunLine(const std::string& line);
    std::string Final(bool ok) const;
    std::string CmeError(int code) const;
    bool RunCommand(std::string_view cmd, std::vector<std::string>& info, std::string& error);
    bool RunBasic(std::string_view& body, std::vector<std::string>& info, std::string& error);
    bool RunExtended(std::string_view cmd, std::vector<std::string>& info, std::string& error);
    bool RunSimCommand(std::string_view name, std::string_view rest, std::vector<std::string>& info,
                       std::string& error);
    bool RunPinRetries(std::string_view rest, std::vector<std::string>& info) const;
    bool RunPhoneBook(std::string_view name, std::string_view rest, std::vector<std::string>& info,
                      std::string& error);
    bool ReadEntries(std::string_view args, std::vector<std::string>& info, std::string& error);
    bool WriteEntry(std::string_view args, std::string& error);
    std::string EncodeName(const std::string& stored) const;
    bool HexNumbers() const;
    int NameLimit(const SimMemory& memory) const;
    void ResetSettings();

    SimConfig config;
    std::string line;        // command line being received
    bool lineStarted = false;
    bool echo = true;
    bool verbose = true;
    int cmee = 0;
    std::string charset = "GSM";
    Lock lock = Lock::None;
    int pinAttempts = 3;
    int pukAttempts = 10;
    int commandCount = 0;
    std::uint64_t revision = 0;
    int unsolicitedTurn = 0;
    std::vector<std::string> commands;
    std::chrono::steady_clock::time_point busyUntil{};  // the SIM's own clock (simBusyMs)
    void StartSimBusy();
};

}  // namespace ribodex::sim
