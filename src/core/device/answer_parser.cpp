// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/answer_parser.h"

#include <climits>
#include <optional>

#include "core/serial/serial_link.h"

namespace ribodex {
namespace {

constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";
constexpr auto npos = std::string_view::npos;
constexpr std::string_view kEntryPrefix = "+CPBR:";

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != npos; }
}  // namespace

int ParseInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && kWhiteSpace.find(text[i]) != npos) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Accumulate as a negative number so that INT_MIN itself fits.
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 - (text[i] - '0');
        if (value < static_cast<long long>(INT_MIN)) return negative ? INT_MIN : INT_MAX;
    }
    if (negative) return static_cast<int>(value);
    return value < -static_cast<long long>(INT_MAX) ? INT_MAX : static_cast<int>(-value);
}

std::string DigitsOnly(std::string_view text) {
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9') digits.push_back(c);
    return digits;
}

bool IsValidNumber(std::string_view number) {
    if (number.empty()) return false;
    if (number.front() == '+') number.remove_prefix(1);
    for (char c : number)
        if (c < '0' || c > '9') return false;
    return true;
}

std::string_view TrimLeft(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kWhiteSpace);
    return first == npos ? std::string_view() : text.substr(first);
}

std::string_view Trim(std::string_view text) {
    text = TrimLeft(text);
    const std::size_t last = text.find_last_not_of(kWhiteSpace);
    return last == npos ? std::string_view() : text.substr(0, last + 1);
}

bool HasOk(std::string_view answer) { return Contains(answer, "OK\r"); }

std::size_t StaleAnswerLength(std::string_view answer, std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t lineEnd = answer.find('\r');
    if (lineEnd == npos) return 0;
    const std::string_view first = answer.substr(0, lineEnd);
    const std::size_t echo = first.find("AT");
    if (echo == npos || first.substr(echo) == line) return 0;
    const std::size_t final = FindFinalResult(answer, lineEnd);
    if (final == npos) return 0;
    // FindFinalResult only reports a code whose line is complete.
    const std::size_t end = answer.find('\r', final + 1) + 1;
    return end < answer.size() && answer[end] == '\n' ? end + 1 : end;
}

FinalResult ClassifyFinalResult(std::string_view answer) {
    const std::size_t at = FindFinalResult(answer);
    if (at == npos) return FinalResult::None;
    std::string_view line = answer.substr(at + 1);
    line = line.substr(0, line.find('\r'));
    if (line == "OK") return FinalResult::Ok;
    const std::string_view detail = Trim(line.substr(line.find(':') == npos ? line.size() : line.find(':') + 1));
    if (detail == "22" || detail == "not found") return FinalResult::NotFound;
    if (line == "ERROR" || detail == "21" || detail == "invalid index" || line.find(':') == npos)
        return FinalResult::Error;
    return FinalResult::Refused;
}

namespace {

struct PinWord {
    std::string_view word;
    SimState state;
};

// The codes of 3GPP TS 27.007 +CPIN and the spellings devices use for them.
constexpr PinWord kPinWords[] = {
    {"READY", SimReady},
    {"", SimReady},  // Alcatel: nothing after the colon
    {"SIM PIN", SimPinRequired},
    {"SIM PUK", SimPukRequired},
    {"SIM PIN2", SimPin2Required},
    {"SIM PUK2", SimPuk2Required},
    {"PH-SIM PIN", PhoneLockRequired},
    {"PH_SIM PIN", PhoneLockRequired},
    {"PH-FSIM PIN", PhoneLockRequired},
    {"PH-SIM PUK", PhoneLockPukRequired},
    {"PH-FSIM PUK", PhoneLockPukRequired},
    {"PH-NET PIN", NetworkLockRequired},
    {"PH-NET PUK", NetworkLockRequired},
    {"PH-NETSUB PIN", NetworkLockRequired},
    {"PH-NETSUB PUK", NetworkLockRequired},
    {"PH-SP PIN", NetworkLockRequired},
    {"PH-SP PUK", NetworkLockRequired},
    {"PH-CORP PIN", NetworkLockRequired},
    {"PH-CORP PUK", NetworkLockRequired},
};

std::optional<SimState> PinWordState(std::string_view word) {
    word = Trim(word);
    if (word.size() >= 2 && word.front() == '"' && word.back() == '"') word = Trim(word.substr(1, word.size() - 2));
    for (const PinWord& known : kPinWords)
        if (word == known.word) return known.state;
    return std::nullopt;
}

}  // namespace

SimState ParsePinState(std::string_view answer) {
    // The word of the "+CPIN:" line, whole: "NOT READY" holds "READY" and "SIM PIN2" holds
    // "SIM PIN", and neither is that.
    constexpr std::string_view kPrefix = "+CPIN:";
    if (const std::size_t at = answer.find(kPrefix); at != npos) {
        const std::string_view rest = answer.substr(at + kPrefix.size());
        const std::size_t end = rest.find_first_of("\r\n");
        if (end == npos) return SimUnknown;
        return PinWordState(rest.substr(0, end)).value_or(SimUnknown);
    }
    // Without the prefix, a line that is the word alone.
    for (std::size_t start = 0; start < answer.size();) {
        const std::size_t end = answer.find('\r', start);
        if (end == npos) break;
        const std::string_view line = Trim(answer.substr(start, end - start));
        if (!line.empty())
            if (const std::optional<SimState> state = PinWordState(line)) return *state;
        start = end + 1;
    }
    return SimUnknown;
}

std::string FoldNumberType(std::string_view number, std::string_view type) {
    std::string folded;
    if (Trim(type) == "145" && !number.empty() && number.front() != '+') folded.push_back('+');
    folded.append(number);
    return folded;
}

}  // namespace ribodex
