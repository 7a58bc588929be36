#include "core/device/answer_parser.h"

#include <climits>

#include "core/device/phone_book_storage.h"
#include "core/serial/serial_link.h"

namespace ribodex {
namespace {

constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";
constexpr std::string_view kEntryPrefix = "+CPBR:";
constexpr auto npos = std::string_view::npos;

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != npos; }

// The AT name only counts with its quotes: "SM" must not match inside "SMS" or "PSM".
bool ContainsQuoted(std::string_view text, std::string_view atName) {
    char quoted[8] = {'"'};
    if (atName.size() + 2 > sizeof quoted) return false;
    atName.copy(quoted + 1, atName.size());
    quoted[atName.size() + 1] = '"';
    return Contains(text, std::string_view(quoted, atName.size() + 2));
}

// Cuts text at the first occurrence of c: returns the part left of it and leaves text on
// the part after it; nullopt (text unchanged) when c is absent.
std::optional<std::string_view> TakeUntil(std::string_view& text, char c) {
    const std::size_t at = text.find(c);
    if (at == npos) return std::nullopt;
    std::string_view left = text.substr(0, at);
    text.remove_prefix(at + 1);
    return left;
}

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
    return detail == "22" || detail == "not found" ? FinalResult::NotFound : FinalResult::Error;
}

SimState ParsePinState(std::string_view answer) {
    // Substrings, in this order: "PH-SIM PIN\r" holds "SIM PIN\r" and gives 2, while
    // "SIM PIN2\r" has a digit where the carriage return should be and matches nothing.
    if (Contains(answer, "READY\r")) return SimReady;
    if (Contains(answer, "SIM PIN\r")) return SimPinRequired;
    if (Contains(answer, "SIM PUK\r")) return SimPukRequired;
    return SimUnknown;
}

int ParsePhoneBookSet(std::string_view answer) {
    int set = 0;
    for (const PhoneBookStorageInfo& info : kPhoneBookStorages)
        if (ContainsQuoted(answer, info.atName)) set |= info.code;
    return set;
}

int ParseCurrentPhoneBook(std::string_view answer) {
    for (const PhoneBookStorageInfo& info : kPhoneBookStorages)
        if (ContainsQuoted(answer, info.atName)) return info.code;
    return 0;
}

std::optional<std::pair<int, int>> ParsePhoneBookRange(std::string_view answer) {
    const std::size_t prefix = answer.find(kEntryPrefix);
    if (prefix == npos) return std::nullopt;
    std::string_view rest = answer.substr(prefix + kEntryPrefix.size());
    const std::optional<std::string_view> range = TakeUntil(rest, ',');
    if (!range) return std::nullopt;
    const std::size_t dash = range->find('-');
    if (dash == npos) return std::nullopt;
    return std::pair{ParseInt(DigitsOnly(range->substr(0, dash))),
                     ParseInt(DigitsOnly(range->substr(dash + 1)))};
}

std::string FoldNumberType(std::string_view number, std::string_view type) {
    std::string folded;
    if (Trim(type) == "145" && !number.empty() && number.front() != '+') folded.push_back('+');
    folded.append(number);
    return folded;
}

std::optional<EntryAnswer> ParseEntryAnswer(std::string_view answer) {
    if (Contains(answer, "no entry\r") || Contains(answer, "ERROR\r")) return std::nullopt;
    // The line's prefix and index are not read: the caller knows which index it asked for.
    std::string_view rest = answer;
    if (!TakeUntil(rest, '"')) return std::nullopt;
    const auto number = TakeUntil(rest, '"');
    if (!number || !TakeUntil(rest, ',')) return std::nullopt;
    const auto type = TakeUntil(rest, ',');
    if (!type || !TakeUntil(rest, '"')) return std::nullopt;
    const auto name = TakeUntil(rest, '"');
    if (!name) return std::nullopt;
    return EntryAnswer{FoldNumberType(TrimLeft(*number), *type), *name};
}

}  // namespace ribodex
