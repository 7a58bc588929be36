// SPDX-License-Identifier: GPL-3.0-or-later
// The exchange every command is built on, the SIM and the choice of memory.
#include "core/device/gsm_device.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <tuple>
#include <utility>

#include "core/device/answer_parser.h"
#include "core/device/at_command.h"
#include "core/device/phone_book_storage.h"

namespace ribodex {
namespace {

using Clock = std::chrono::steady_clock;

// One wait's passes: the idle hook, then the milliseconds waited since the start (at most
// totalMs) to progress, once shownAfterMs have passed. A stop is kept for the caller.
class WaitReport {
public:
    WaitReport(const std::function<void()>& idle, const std::function<bool(int, int)>& progress, int totalMs,
               int shownAfterMs = 0)
        : idle(idle), progress(progress), totalMs(totalMs), shownAfterMs(shownAfterMs) {}

    void operator()() {
        if (idle) idle();
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        if (progress && waited >= shownAfterMs &&
            !progress(static_cast<int>(std::min<long long>(waited, totalMs)), totalMs))
            stopped = true;
    }
    bool Stopped() const { return stopped; }
    Clock::time_point Start() const { return start; }

private:
    const std::function<void()>& idle;
    const std::function<bool(int, int)>& progress;
    const Clock::time_point start = Clock::now();
    int totalMs, shownAfterMs;
    bool stopped = false;
};

}  // namespace

// The SerialLink part disconnects and joins the receiver; the entries go with the members.
// The receiver thread calls the virtual ReadBlock: stop it before this object starts
// turning into its base class.
GsmDevice::~GsmDevice() { Disconnect(); }

std::string GsmDevice::Exchange(std::string_view line, int limitMs) {
    if (!waitProgress) return Exchange(line, limitMs, {}, idleHook);
    // While connecting, an answer that keeps the user waiting (a silent port, a slow SIM)
    // is one more wait, shown after its first second and stopped like the others. A stopped
    // exchange counts as timed out; its answer, if it still comes, is drained before the
    // next command, as a stopped full read's is.
    WaitReport report(idleHook, waitProgress, limitMs, kAnswerWaitShownAfterMs);
    std::string answer =
        Exchange(line, limitMs, [&report](std::string_view) { return !report.Stopped(); }, [&report] { report(); });
    if (report.Stopped()) {
        drainPending = true;
        drainUntil = report.Start() + std::chrono::milliseconds(limitMs);
    }
    return answer;
}

std::string GsmDevice::Exchange(std::string_view line, int limitMs, const ReceivedWatch& watch,
                                const std::function<void()>& idle) {
    // Every wait of the exchange counts against its one limit: a write the driver took its
    // time over, and each late answer skipped, leave that much less for the answer.
    if (drainPending) DrainCancelledAnswer();
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(limitMs);
    const auto left = [end] {
        // Rounded up: a write of a few microseconds must not cost the answer a 10 ms pass.
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
        return static_cast<int>(std::max<Clock::rep>(ms.count(), 0));
    };
    Write(line);
    std::string answer = Read(left(), idle, watch);
    // A command that timed out answers during a later one; taken as that one's answer it
    // would give a wrong list or a wrong free location.
    for (std::size_t stale = StaleAnswerLength(answer, line); stale > 0;
         stale = StaleAnswerLength(answer, line)) {
        DropReceived(stale);
        if (watch) watch({});
        answer = Read(left(), idle, watch);
    }
    return answer;
}

void GsmDevice::DrainCancelledAnswer() {
    drainPending = false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(drainUntil - Clock::now());
    // Nothing was written since the cancelled command: its answer, whole or not, is still in
    // the receive buffer, and this returns as soon as its final result is there (the next
    // Write empties the buffer). A line quiet for a second has nothing more to send (a
    // device that stopped, or a link connected anew since).
    std::size_t seen = 0;
    Clock::time_point lastGrowth = Clock::now();
    const ReceivedWatch quiet = [&](std::string_view received) {
        if (received.size() != seen) std::tie(seen, lastGrowth) = std::pair{received.size(), Clock::now()};
        return Clock::now() - lastGrowth < std::chrono::seconds(1);
    };
    if (left.count() > 0) Read(static_cast<int>(left.count()), idleHook, quiet);
}

bool GsmDevice::Settle(int ms) {
    // A link closed, or opened anew, holds nothing of an answer that was still on its way.
    drainPending = false;
    return Wait(ms, waitProgress);
}

void GsmDevice::Pause(int ms) const { Wait(ms, {}); }

bool GsmDevice::Wait(int ms, const std::function<bool(int elapsedMs, int totalMs)>& progress) const {
    WaitReport report(idleHook, progress, ms);
    const Clock::time_point end = report.Start() + std::chrono::milliseconds(ms);
    // Measured against the clock, not counted in slices: a slow hook must not stretch the wait.
    for (Clock::time_point now = report.Start(); now < end && !report.Stopped(); now = Clock::now()) {
        std::this_thread::sleep_for(std::min<Clock::duration>(end - now, std::chrono::milliseconds(10)));
        report();
    }
    return !report.Stopped();
}

std::string GsmDevice::ExchangeWhenSimReady(std::string_view line, int limitMs) {
    WaitReport report(idleHook, waitProgress, timing.simBusyLimitMs);
    const Clock::time_point end = report.Start() + std::chrono::milliseconds(timing.simBusyLimitMs);
    std::string answer = Exchange(line, limitMs);
    for (Clock::time_point now = Clock::now(); IsSimBusy(answer) && LastReadComplete() && now < end;
         now = Clock::now()) {
        if (simBusyHook) simBusyHook();
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
        // Phones that announce the phone book ready (+PBREADY) end the wait at once.
        DropReceived(std::string::npos);
        Read(static_cast<int>(std::min<long long>(left, timing.simBusyRetryMs)), [&report] { report(); },
             [&report](std::string_view received) {
                 return !report.Stopped() && received.find("+PBREADY") == std::string_view::npos;
             });
        if (report.Stopped()) break;
        answer = Exchange(line, limitMs);
    }
    return answer;
}

SimState GsmDevice::GetPinState() {
    return ParsePinState(ExchangeWhenSimReady(kPinStateCommand, timing.commandLimitMs));
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
    const std::string answer = Exchange(kPhoneBooksCommand, timing.commandLimitMs);
    const int set = ParsePhoneBookSet(answer);
    // Some phones refuse the list but select a memory by name: offer every one, and let
    // the selection tell which the device has.
    const FinalResult end = ClassifyFinalResult(answer);
    if (set == 0 && (end == FinalResult::Error || end == FinalResult::NotFound)) return MobileEquipment | Sim | DataCard | LastNumber | OwnNumber | FixedNumbers;
    return set;
}

int GsmDevice::QueryCurrentPhoneBook() {
    selectedPhoneBook = ParseCurrentPhoneBook(Exchange(kCurrentPhoneBookCommand, timing.commandLimitMs));
    return selectedPhoneBook;
}

bool GsmDevice::SelectPhoneBook(int code) {
    const std::optional<std::string> line = BuildSelectPhoneBookCommand(code);
    if (!line) return false;  // nothing sent: the device stays where it was
    ucs2NameLength = 0;
    const bool selected = HasOk(ExchangeWhenSimReady(*line, timing.commandLimitMs));
    if (selected) {
        rangeKnown = false;
        nameLength = 0;
    }
    // A refused selection may have come from a device that switched anyway and failed later.
    selectedPhoneBook = selected ? code : 0;
    return selected;
}

}  // namespace ribodex
