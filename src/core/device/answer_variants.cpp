// SPDX-License-Identifier: GPL-3.0-or-later
// Answers to the memory and location queries in the shapes real devices give them: lists
// with or without parentheses and quotes, a single location, unsolicited lines with quotes
// of their own ahead of an entry, and the SIM still busy after power-up or a PIN.
#include "core/device/answer_parser.h"
#include "core/device/phone_book_storage.h"
#include "core/serial/serial_link.h"

namespace ribodex {
namespace {

constexpr auto npos = std::string_view::npos;
constexpr std::string_view kEntryPrefix = "+CPBR:";
constexpr std::string_view kMemoryPrefix = "+CPBS:";

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != npos; }

// The AT name only counts with its quotes: "SM" must not match inside "SMS" or "PSM".
bool ContainsQuoted(std::string_view text, std::string_view atName) {
    char quoted[8] = {'"'};
    if (atName.size() + 2 > sizeof quoted) return false;
    atName.copy(quoted + 1, atName.size());
    quoted[atName.size() + 1] = '"';
    return Contains(text, std::string_view(quoted, atName.size() + 2));
}

bool IsDecimal(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == npos;
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

// Calls onName with each bare word of the "+CPBS:" lines (Motorola and some Siemens list
// the memories without quotes): the words between commas, parentheses and blanks.
template <class F>
void ForEachBareMemoryName(std::string_view answer, F onName) {
    for (std::size_t at = answer.find(kMemoryPrefix); at != npos; at = answer.find(kMemoryPrefix, at + 1)) {
        std::string_view line = answer.substr(at + kMemoryPrefix.size());
        line = line.substr(0, line.find_first_of("\r\n"));
        while (!line.empty()) {
            const std::size_t start = line.find_first_not_of(" \t(),");
            if (start == npos) break;
            line.remove_prefix(start);
            const std::size_t end = std::min(line.find_first_of(" \t(),"), line.size());
            onName(line.substr(0, end));
            line.remove_prefix(end);
        }
    }
}

// The reading of one location as it always was: the first quoted number, the type after
// the next comma, the next quoted name exactly as received.
std::optional<EntryAnswer> QuotedEntry(std::string_view text) {
    std::string_view rest = text;
    if (!TakeUntil(rest, '"')) return std::nullopt;
    const auto number = TakeUntil(rest, '"');
    if (!number || !TakeUntil(rest, ',')) return std::nullopt;
    const auto type = TakeUntil(rest, ',');
    if (!type || !TakeUntil(rest, '"')) return std::nullopt;
    const auto name = TakeUntil(rest, '"');
    if (!name) return std::nullopt;
    return EntryAnswer{std::nullopt, FoldNumberType(Trim(*number), *type), Trim(*name),
                       IsDecimal(Trim(*type)) ? ParseInt(*type) : 0};
}

}  // namespace

int ParsePhoneBookSet(std::string_view answer) {
    int set = 0;
    for (const PhoneBookStorageInfo& info : kPhoneBookStorages)
        if (ContainsQuoted(answer, info.atName)) set |= info.code;
    ForEachBareMemoryName(answer, [&set](std::string_view name) {
        for (const PhoneBookStorageInfo& info : kPhoneBookStorages)
            if (name == info.atName) set |= info.code;
    });
    return set;
}

int ParseCurrentPhoneBook(std::string_view answer) {
    for (const PhoneBookStorageInfo& info : kPhoneBookStorages)
        if (ContainsQuoted(answer, info.atName)) return info.code;
    // Bare, the memory is the first word of the line; the counts follow it.
    int code = 0;
    ForEachBareMemoryName(answer, [&code](std::string_view name) {
        if (code != 0) return;
        code = -1;
        if (const PhoneBookStorageInfo* info = FindPhoneBookStorage(name)) code = info->code;
    });
    return code < 0 ? 0 : code;
}

std::optional<int> ParsePhoneBookUsed(std::string_view answer) {
    const std::size_t prefix = answer.find(kMemoryPrefix);
    if (prefix == npos) return std::nullopt;
    std::string_view line = answer.substr(prefix + kMemoryPrefix.size());
    const std::size_t end = line.find_first_of("\r\n");
    if (end == npos) return std::nullopt;
    line = Trim(line.substr(0, end));
    // The name's quotes first: a comma inside them is no field separator.
    if (!line.empty() && line.front() == '"') {
        line.remove_prefix(1);
        if (!TakeUntil(line, '"')) return std::nullopt;
    }
    if (!TakeUntil(line, ',')) return std::nullopt;
    const std::string_view used = Trim(line.substr(0, line.find(',')));
    if (used.empty() || used.find_first_not_of("0123456789") != npos) return std::nullopt;
    return ParseInt(used);
}

std::optional<std::pair<int, int>> ParsePhoneBookRange(std::string_view answer) {
    const std::size_t prefix = answer.find(kEntryPrefix);
    if (prefix == npos) return std::nullopt;
    std::string_view rest = answer.substr(prefix + kEntryPrefix.size());
    const std::optional<std::string_view> range = TakeUntil(rest, ',');
    if (!range) return std::nullopt;
    const std::size_t dash = range->find('-');
    if (dash != npos)
        return std::pair{ParseInt(DigitsOnly(range->substr(0, dash))),
                         ParseInt(DigitsOnly(range->substr(dash + 1)))};
    const std::string digits = DigitsOnly(*range);
    // "(5)": a memory of one location (an own-number list); "()": a memory of none, read
    // as an empty range rather than as the range of the memory selected before.
    if (!digits.empty()) return std::pair{ParseInt(digits), ParseInt(digits)};
    if (Contains(*range, "(")) return std::pair{1, 0};
    return std::nullopt;
}

std::optional<EntryAnswer> ParseEntryAnswer(std::string_view answer) {
    if (Contains(answer, "no entry\r") || Contains(answer, "ERROR\r")) return std::nullopt;
    std::optional<EntryAnswer> first;
    ParseEntryList(answer, [&first](EntryLine&& line) {
        if (!first) first = EntryAnswer{line.index, std::move(line.number), line.deviceName, line.type};
    });
    if (first || Contains(answer, kEntryPrefix)) return first;
    return QuotedEntry(answer);
}

LocationState ParseLocationState(std::string_view answer, int index) {
    if (Contains(answer, "no entry\r") || Contains(answer, "ERROR\r")) return LocationState::Empty;
    bool named = false;
    ParseEntryList(answer, [&named, index](EntryLine&& line) { named |= line.index == index; });
    if (named) return LocationState::Taken;
    const std::size_t final = FindFinalResult(answer);
    if (final == npos) return LocationState::Unknown;
    if (ClassifyFinalResult(answer) != FinalResult::Ok) return LocationState::Empty;
    const std::string_view before = answer.substr(0, final);
    if (Contains(before, kEntryPrefix)) return LocationState::Unknown;
    // No "+CPBR:" at all: the whole answer read for the location asked, as it always was.
    return QuotedEntry(before) ? LocationState::Taken : LocationState::Empty;
}

bool IsSimBusy(std::string_view answer) {
    for (std::string_view busy : {"+CME ERROR: 14\r", "+CME ERROR: SIM busy\r", "+CME ERROR: 515\r",
                                  "SIM not ready\r", "+CPIN: NOT READY\r"})
        if (Contains(answer, busy)) return true;
    return false;
}

}  // namespace ribodex
