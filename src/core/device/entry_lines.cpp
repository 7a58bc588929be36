// SPDX-License-Identifier: GPL-3.0-or-later
// Entry lines of a full read, as devices really send them: quoted or bare fields, blanks
// around commas, the added fields of 3GPP TS 27.007 after the name, and unsolicited
// results between the lines. Pure: no state but the counter's own.
#include <array>

#include "core/device/answer_parser.h"
#include "core/serial/serial_link.h"

namespace ribodex {
namespace {

constexpr std::string_view kEntryPrefix = "+CPBR:";
constexpr std::string_view kLineBreaks = "\r\n";
constexpr auto npos = std::string_view::npos;

// Index, number, type, name: the fields read; the rest of a line is not looked at.
constexpr std::size_t kFieldsRead = 4;

// The value of one field: in quotes, the text up to the next quote (a quote inside a name
// cuts it there, as it always did); bare, the field itself. nullopt for a quote that does
// not close, or a quote inside a bare field (the line is garbled).
std::optional<std::string_view> FieldValue(std::string_view field) {
    field = Trim(field);
    if (field.empty() || field.front() != '"') {
        if (field.find('"') != npos) return std::nullopt;
        return field;
    }
    const std::size_t close = field.find('"', 1);
    if (close == npos) return std::nullopt;
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

bool QuoteOpen(std::string_view text) {
    std::size_t quotes = 0;
    for (char c : text) quotes += c == '"';
    return quotes % 2 != 0;
}

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
    if (QuoteOpen(text.substr(from + prefix, lineEnd - from - prefix))) {
        lineEnd = EndOfSplitName(text, lineEnd);
        if (lineEnd == npos) return {StepKind::Pending, text.size(), std::nullopt};
    }
    const std::string_view line = text.substr(from, lineEnd - from);
    std::optional<EntryLine> entry = ParseEntryFields(line.substr(prefix + kEntryPrefix.size()));
    return {entry ? StepKind::Entry : StepKind::Skip, lineEnd + 1, std::move(entry)};
}

}  // namespace

std::optional<EntryLine> ParseEntryFields(std::string_view fields) {
    std::array<std::string_view, kFieldsRead> field{};
    std::size_t taken = 0;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i <= fields.size() && taken < kFieldsRead; ++i) {
        if (i < fields.size() && fields[i] == '"') quoted = !quoted;
        if (i < fields.size() && (quoted || fields[i] != ',')) continue;
        field[taken++] = fields.substr(start, i - start);
        start = i + 1;
    }
    // The unclosed quote of a name cut short shows in the field's value.
    if (taken < 3 || !IsInteger(field[0])) return std::nullopt;
    const auto number = FieldValue(field[1]);
    const auto type = FieldValue(field[2]);
    const auto name = taken > 3 ? FieldValue(field[3]) : std::optional<std::string_view>("");
    if (!number || !type || !name) return std::nullopt;
    return EntryLine{ParseInt(field[0]), FoldNumberType(*number, *type), *name};
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
