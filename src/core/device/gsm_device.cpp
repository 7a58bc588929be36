// The exchange every command is built on, the SIM and the choice of memory.
#include "core/device/gsm_device.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "core/device/answer_parser.h"
#include "core/device/at_command.h"
#include "core/device/phone_book_storage.h"

namespace ribodex {
// The SerialLink part disconnects and joins the receiver; the entries go with the members.
// The receiver thread calls the virtual ReadBlock: stop it before this object starts
// turning into its base class.
GsmDevice::~GsmDevice() { Disconnect(); }

std::string GsmDevice::Exchange(std::string_view line, int limitMs) {
    return Exchange(line, limitMs, {}, idleHook);
}

std::string GsmDevice::Exchange(std::string_view line, int limitMs, const ReceivedWatch& watch,
                                const std::function<void()>& idle) {
    using Clock = std::chrono::steady_clock;
    if (drainPending) DrainCancelledAnswer();
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(limitMs);
    Write(line);
    std::string answer = Read(limitMs, idle, watch);
    // A command that timed out answers during a later one; taken as that one's answer it
    // would give a wrong list or a wrong free location.
    for (std::size_t stale = StaleAnswerLength(answer, line); stale > 0;
         stale = StaleAnswerLength(answer, line)) {
        DropReceived(stale);
        if (watch) watch({});
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        answer = Read(static_cast<int>(std::max<Clock::rep>(left.count(), 0)), idle, watch);
    }
    return answer;
}

void GsmDevice::DrainCancelledAnswer() {
    drainPending = false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(drainUntil - std::chrono::steady_clock::now());
    // Nothing was written since the cancelled command: its answer, whole or not, is still in
    // the receive buffer, and this returns as soon as its final result is there (the next
    // Write empties the buffer).
    if (left.count() > 0) Read(static_cast<int>(left.count()), idleHook);
}

void GsmDevice::Pause(int ms) const {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
    // Measured against the clock, not counted in slices: a slow hook must not stretch the wait.
    for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
        std::this_thread::sleep_for(std::min<Clock::duration>(end - now, std::chrono::milliseconds(10)));
        if (idleHook) idleHook();
    }
}

SimState GsmDevice::GetPinState() {
    return ParsePinState(Exchange(kPinStateCommand, timing.commandLimitMs));
}

bool GsmDevice::EnterPin(std::string_view pin) {
    const std::optional<std::string> line = BuildPinCommand(pin);
    return line && HasOk(Exchange(*line, timing.pinLimitMs));
}

bool GsmDevice::EnterPuk(std::string_view puk, std::string_view newPin) {
    const std::optional<std::string> line = BuildPukCommand(puk, newPin);
    return line && HasOk(Exchange(*line, timing.pinLimitMs));
}

void GsmDevice::SelectGsmCharacterSet() { Exchange(kGsmCharacterSetCommand, timing.commandLimitMs); }

int GsmDevice::QueryPhoneBooks() {
    const std::string answer = Exchange(kPhoneBooksCommand, timing.commandLimitMs);
    const int set = ParsePhoneBookSet(answer);
    // Some phones refuse the list but select a memory by name: offer every one, and let
    // the selection tell which the device has.
    const FinalResult end = ClassifyFinalResult(answer);
    if (set == 0 && (end == FinalResult::Error || end == FinalResult::NotFound)) return MobileEquipment | Sim | DataCard | LastNumber | OwnNumber | FixedNumbers;
    return set;
}

int GsmDevice::QueryCurrentPhoneBook() {
    return ParseCurrentPhoneBook(Exchange(kCurrentPhoneBookCommand, timing.commandLimitMs));
}

bool GsmDevice::SelectPhoneBook(int code) {
    const std::optional<std::string> line = BuildSelectPhoneBookCommand(code);
    if (!line || !HasOk(Exchange(*line, timing.commandLimitMs))) return false;
    selectedPhoneBook = code;
    return true;
}

}  // namespace ribodex
