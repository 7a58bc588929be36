// SPDX-License-Identifier: GPL-3.0-or-later
// Entry lines of a full read, as devices really send them: quoted or bare fields, blanks
// around commas, the added fields of 3GPP TS 27.007 after the name, and unsolicited
// results between the lines. Pure: no state but the counter's own.
#include <algorithm>
#include <array>

#include "core/device/answer_parser.h"
#include "core/serial/serial_link.h"

namespace ribodex {
namespace {

constexpr std::string_view kEntryPrefix = "+CPBR:";
constexpr std::string_view kLineBreaks = "\r\n";
constexpr auto npos = std::string_view::npos;

// Index, number, type, name, and the one field before the number that a shifted line
// holds: the fields read; the rest of a line is not looked at.
constexpr std::size_t kFieldsRead = 5;
constexpr std::string_view kBlanks = " \t";

// The fields of a line, split at the commas outside quotes. A quoted field ends at a quote
// followed (after blanks) by a comma or the end: Huawei sends a name's own quotes as they
// are (""Oui""). open: the last field's quote has not closed yet (a name cut short, or one
// whose CR or LF split the line).
struct Fields {
    std::array<std::string_view, kFieldsRead> field{};
    std::size_t count = 0;
    bool open = false;
};

std::size_t ClosingQuote(std::string_view text, std::size_t open) {
    for (std::size_t at = text.find('"', open + 1); at != npos; at = text.find('"', at + 1)) {
        const std::size_t next = text.find_first_not_of(kBlanks, at + 1);
        if (next == npos || text[next] == ',') return at;
    }
    return npos;
}

Fields SplitFields(std::string_view text) {
    Fields fields;
    for (std::size_t start = 0;;) {
        const std::size_t first = text.find_first_not_of(kBlanks, start);
        std::size_t end = npos;
        if (first != npos && text[first] == '"') {
            const std::size_t close = ClosingQuote(text, first);
            if (close == npos) {
                fields.open = true;
                end = text.size();
            } else {
                end = std::min(text.find(',', close), text.size());
            }
        } else {
            end = std::min(text.find(',', start), text.size());
        }
        if (fields.count < kFieldsRead) fields.field[fields.count] = text.substr(start, end - start);
        ++fields.count;
        if (end >= text.size()) return fields;
        start = end + 1;
    }
}

// The value of one field: in quotes, the text between the opening quote and the closing one
// (SplitFields found it: the field's last quote); bare, the field itself. nullopt for a
// quote that does not close, or a quote inside a bare field (the line is garbled).
std::optional<std::string_view> FieldValue(std::string_view field) {
    field = Trim(field);
    if (field.empty() || field.front() != '"') {
        if (field.find('"') != npos) return std::nullopt;
        return field;
    }
    const std::size_t close = field.rfind('"');
    if (close == 0) return std::nullopt;
    return Trim(field.substr(1, close - 1));
}

bool IsInteger(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

enum class StepKind { Entry, Skip, Pending };

struct Step {
    StepKind kind;
    std::size_t end;  // just past the line's break
    std::optional<EntryLine> entry;
};

bool QuoteOpen(std::string_view line) { return SplitFields(line).open; }

// The end of an entry line whose name holds the GSM codes of CR or LF (0x0D, 0x0A): past
// the break, up to the closing quote and the break after it; lineEnd itself when another
// entry line or the final result comes before the closing quote (a name cut short must not
// take the next entry with it). npos while the answer so far cannot tell, so that counting
// a growing answer gives what reading the whole one gives.
std::size_t EndOfSplitName(std::string_view text, std::size_t lineEnd) {
    const std::size_t close = text.find('"', lineEnd);
    const std::string_view between = text.substr(lineEnd, close == npos ? npos : close - lineEnd);
    if (between.find(kEntryPrefix) != npos || FindFinalResult(between) != npos) return lineEnd;
    return close == npos ? npos : text.find_first_of(kLineBreaks, close);
}

// The line that starts at from: an entry, a line to skip, or not whole yet.
Step NextLine(std::string_view text, std::size_t from) {
    std::size_t lineEnd = text.find_first_of(kLineBreaks, from);
    if (lineEnd == npos) return {StepKind::Pending, text.size(), std::nullopt};
    const std::size_t prefix = text.substr(from, lineEnd - from).find(kEntryPrefix);
    if (prefix == npos) return {StepKind::Skip, lineEnd + 1, std::nullopt};
    const std::size_t fields = from + prefix + kEntryPrefix.size();
    if (QuoteOpen(text.substr(fields, lineEnd - fields))) {
        lineEnd = EndOfSplitName(text, lineEnd);
        if (lineEnd == npos) return {StepKind::Pending, text.size(), std::nullopt};
    }
    const std::string_view line = text.substr(from, lineEnd - from);
    std::optional<EntryLine> entry = ParseEntryFields(line.substr(prefix + kEntryPrefix.size()));
    return {entry ? StepKind::Entry : StepKind::Skip, lineEnd + 1, std::move(entry)};
}

}  // namespace

std::optional<EntryLine> ParseEntryFields(std::string_view text) {
    Fields fields = SplitFields(text);
    if (fields.open) return std::nullopt;
    std::size_t count = std::min(fields.count, kFieldsRead);
    auto& field = fields.field;
    // Sony Ericsson puts an empty field after the index: 1,,"+3123",145,"Name". Known by
    // the quoted number and the type after it; a bare empty number has its type next.
    if (count >= 4 && Trim(field[1]).empty() && Trim(field[2]).starts_with('"') && IsInteger(field[3])) {
        std::copy(field.begin() + 2, field.end(), field.begin() + 1);
        --count;
    }
    if (count < 3 || !IsInteger(field[0])) return std::nullopt;
    const auto number = FieldValue(field[1]);
    const auto type = FieldValue(field[2]);
    const auto name = count > 3 ? FieldValue(field[3]) : std::optional<std::string_view>("");
    if (!number || !type || !name) return std::nullopt;
    return EntryLine{ParseInt(field[0]), FoldNumberType(*number, *type), *name,
                     IsInteger(*type) ? ParseInt(*type) : 0};
}

std::size_t UnreadableEntryLines(std::string_view answer) {
    std::size_t unreadable = 0;
    for (std::size_t at = 0;;) {
        const Step step = NextLine(answer, at);
        if (step.kind == StepKind::Pending) return unreadable;
        if (step.kind == StepKind::Skip && answer.substr(at, step.end - at).find(kEntryPrefix) != npos) ++unreadable;
        at = step.end;
    }
}

std::size_t ParseEntryList(std::string_view answer,
                           const std::function<void(EntryLine&&)>& onEntry) {
    std::size_t count = 0;
    for (std::size_t at = 0;;) {
        Step step = NextLine(answer, at);
        if (step.kind == StepKind::Pending) break;
        if (step.entry) {
            onEntry(std::move(*step.entry));
            ++count;
        }
        at = step.end;
    }
    return count;
}

std::vector<EntryLine> ParseEntryList(std::string_view answer) {
    std::vector<EntryLine> lines;
    ParseEntryList(answer, [&lines](EntryLine&& line) { lines.push_back(std::move(line)); });
    return lines;
}

int EntryLineCounter::Count(std::string_view received) {
    if (received.size() < scanned) {
        scanned = 0;
        count = 0;
    }
    for (Step step = NextLine(received, scanned); step.kind != StepKind::Pending;
         step = NextLine(received, scanned)) {
        if (step.kind == StepKind::Entry) ++count;
        scanned = step.end;
    }
    return count;
}

}  // namespace ribodex
