// SPDX-License-Identifier: GPL-3.0-or-later
// Every reader of device answers on arbitrary bytes: no crash, no overflow, and the
// results stay within what the answer can hold.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/device/answer_parser.h"
#include "core/device/at_command.h"
#include "core/device/pin_retries.h"
#include "core/device/port_probe.h"
#include "sim/trace_replay.h"
#include "core/serial/serial_link.h"
#include "fuzz_check.h"

using namespace ribodex;
using fuzz::Check;
using fuzz::Within;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data), size);

    const SimState state = ParsePinState(answer);
    Check(state == SimReady || state == SimPinRequired || state == SimPukRequired ||
          state == SimUnknown);
    const int set = ParsePhoneBookSet(answer);
    Check(set >= 0 && set <= 63);
    const int current = ParseCurrentPhoneBook(answer);
    Check(current == 0 || ((current & (current - 1)) == 0 && (set & current) == current));
    if (const auto used = ParsePhoneBookUsed(answer)) Check(*used >= 0 && answer.find("+CPBS:") != std::string_view::npos);

    const PinRetries retries = ParsePinRetries(answer);
    for (int count : {retries.pin.value_or(0), retries.puk.value_or(0)}) Check(count >= 0 && count <= 999);
    // A location an entry line names is taken, never empty; an answer without an entry, never taken.
    const LocationState location = ParseLocationState(answer, 1);
    if (location == LocationState::Taken) Check(ParseEntryAnswer(answer).has_value());

    if (const auto range = ParsePhoneBookRange(answer))
        Check(range->first >= 0 && range->second >= 0);

    if (const auto entry = ParseEntryAnswer(answer)) {
        Check(Within(entry->deviceName, answer));
        Check(entry->number.size() <= answer.size() + 1);
    }

    std::size_t seen = 0;
    const std::size_t count = ParseEntryList(answer, [&](EntryLine&& line) {
        ++seen;
        Check(Within(line.deviceName, answer));
        Check(line.number.find('"') == std::string::npos);
    });
    Check(count == seen);
    // Counted as it streams in, in two growing pieces, the count is the parse's.
    EntryLineCounter counter;
    counter.Count(answer.substr(0, size / 2));
    Check(counter.Count(answer) == static_cast<int>(count));
    Check((ClassifyFinalResult(answer) == FinalResult::None) == (FindFinalResult(answer) == std::string_view::npos));
    (void)IsSimBusy(answer);
    (void)InformationLine(std::string(answer));
    // A user's trace, whatever it holds: each recorded answer is a piece of it.
    if (auto exchanges = sim::ParseTrace(answer)) {
        for (const sim::RecordedExchange& exchange : *exchanges) Check(exchange.answer.size() <= size);
        Check(sim::TraceReplay(std::move(*exchanges)).Answer("AT+CPBR=?").size() <= size);
    }

    // A late answer ahead of ours: what is skipped ends right after a final result code (its
    // CR, or the LF after it), never on our own echo.
    for (std::string_view line : {"AT+CPBR=1, 250\r", "AT+CPBR=?"}) {
        const std::size_t stale = StaleAnswerLength(answer, line);
        if (stale == 0) continue;
        Check(stale >= 3 && stale <= size);
        Check(answer[answer[stale - 1] == '\n' ? stale - 2 : stale - 1] == '\r');
        Check(FindFinalResult(answer.substr(0, stale)) != std::string_view::npos);
        Check(answer.substr(0, answer.find('\r')) != line.substr(0, line.find('\r')));
    }

    const int value = ParseInt(answer);
    // No digit at all means no number.
    if (DigitsOnly(answer).empty()) Check(value == 0);
    if (IsValidNumber(answer)) Check(!answer.empty());

    // Text from the user ends up inside quotes: a built line is always exactly one line.
    if (const auto line = BuildWriteEntryCommand(value, answer, answer)) {
        Check(line->find('\r') == line->size() - 1);
        Check(line->find('\n') == std::string::npos);
    }
    if (const auto line = BuildPinCommand(answer)) Check(line->find('\r') == line->size() - 1);
    return 0;
}
