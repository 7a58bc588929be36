// The exchange every command is built on, the SIM and the choice of memory.
#include "core/device/gsm_device.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "core/device/answer_parser.h"
#include "core/device/at_command.h"

namespace ribodex {
// The SerialLink part disconnects and joins the receiver; the entries go with the members.
// The receiver thread calls the virtual ReadBlock: stop it before this object starts
// turning into its base class.
GsmDevice::~GsmDevice() { Disconnect(); }

std::string GsmDevice::Exchange(std::string_view line, int limitMs) {
    using Clock = std::chrono::steady_clock;
    // Every wait of the exchange counts against its one limit: a write the driver took its
    // time over, and each late answer skipped, leave that much less for the answer.
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(limitMs);
    const auto left = [end] {
        // Rounded up: a write of a few microseconds must not cost the answer a 10 ms pass.
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
        return static_cast<int>(std::max<Clock::rep>(ms.count(), 0));
    };
    Write(line);
    std::string answer = Read(left(), idleHook);
    // A command that timed out answers during a later one; taken as that one's answer it
    // would give a wrong list or a wrong free location.
    for (std::size_t stale = StaleAnswerLength(answer, line); stale > 0;
         stale = StaleAnswerLength(answer, line)) {
        DropReceived(stale);
        answer = Read(left(), idleHook);
    }
    return answer;
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

PinRetries GsmDevice::QueryPinRetries() {
    const PinRetries retries = ParsePinRetries(Exchange(kPinRetriesCommand, timing.commandLimitMs));
    // Huawei modems refuse +CPINR and tell the counts in a command of their own; a device
    // that stayed silent is not kept waiting a second time.
    if (retries.pin || retries.puk || !LastReadComplete()) return retries;
    return ParsePinRetries(Exchange(kHuaweiPinRetriesCommand, timing.commandLimitMs));
}

void GsmDevice::SelectGsmCharacterSet() {
    Exchange(kGsmCharacterSetCommand, timing.commandLimitMs);
    // Another device may be on the line now: what was learnt of the last one goes.
    ucs2NameLength = 0;
    ucs2HexNumbers.reset();
    ucs2Offered = OffersUcs2(Exchange(kCharacterSetsCommand, timing.commandLimitMs));
}

int GsmDevice::QueryPhoneBooks() {
    return ParsePhoneBookSet(Exchange(kPhoneBooksCommand, timing.commandLimitMs));
}

int GsmDevice::QueryCurrentPhoneBook() {
    selectedPhoneBook = ParseCurrentPhoneBook(Exchange(kCurrentPhoneBookCommand, timing.commandLimitMs));
    return selectedPhoneBook;
}

bool GsmDevice::SelectPhoneBook(int code) {
    const std::optional<std::string> line = BuildSelectPhoneBookCommand(code);
    if (!line) return false;  // nothing sent: the device stays where it was
    ucs2NameLength = 0;
    const bool selected = HasOk(Exchange(*line, timing.commandLimitMs));
    // A refused selection may have come from a device that switched anyway and failed later.
    selectedPhoneBook = selected ? code : 0;
    return selected;
}

}  // namespace ribodex
