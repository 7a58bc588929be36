// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/device/sim_state.h"

namespace ribodex {

// Pure readers of device answers. Each takes the whole text that Read returned (echo, line
// breaks, a cut-off tail and all), never throws, keeps no state and runs in time linear in
// the answer, so tests, fuzzers and benchmarks call them directly. A returned string_view
// points into the answer and lives as long as it does.

// "%d" without its undefined corner: white space, an optional sign, decimal digits; anything
// else ends the number. No digits gives 0; a value beyond int is clamped to INT_MIN/INT_MAX.
int ParseInt(std::string_view text);

// The characters '0' to '9' of text, in their order.
std::string DigitsOnly(std::string_view text);

// Non-empty, an optional single leading '+', then only '0' to '9' ("+" alone passes).
bool IsValidNumber(std::string_view number);

// Trims space, tab, line feed, vertical tab, form feed and carriage return.
std::string_view TrimLeft(std::string_view text);
std::string_view Trim(std::string_view text);

// Answer to a changing command: "OK\r" anywhere, an echoed or stored text included.
bool HasOk(std::string_view answer);

// How much of answer (the text since line was sent) is an earlier command's answer that came
// late: when its first line is the echo of another command line (after any line noise
// before the "AT"), the length up to the end of the first final result code and the line
// feed after it; 0 when the first line is line's own echo, holds no echo (echo off, or the
// line not complete yet), or no final result code has arrived yet. line is the command as
// sent, its carriage return included or not.
std::size_t StaleAnswerLength(std::string_view answer, std::string_view line);

// How an answer ended: its first final result code. NotFound is the extended error 22 ("not
// found", numeric or verbose), which devices give for a range that holds no entry; Refused
// any other extended error but 21 ("invalid index"): the memory cannot be read now (SIM
// busy or locked, not allowed), whatever the range. Error is ERROR and error 21.
enum class FinalResult { None, Ok, Error, NotFound, Refused };
FinalResult ClassifyFinalResult(std::string_view answer);

// Answer to AT+CPIN?: the whole word of its "+CPIN:" line (quoted or not; empty is READY),
// or, without such a line, a line that is one of those words alone. SimUnknown for any
// other word, "NOT READY" included, and for a line that has not ended.
SimState ParsePinState(std::string_view answer);

// Answer to AT+CPBS=?: the OR of the codes whose quoted AT name occurs anywhere, or that
// stand as bare words (no quotes, with or without parentheses) on a "+CPBS:" line.
int ParsePhoneBookSet(std::string_view answer);
// Answer to AT+CPBS?: the code of the first memory in code order whose quoted AT name
// occurs anywhere; else that of the first bare word of a "+CPBS:" line; or 0.
int ParseCurrentPhoneBook(std::string_view answer);
// The same answer's count of used locations: the number after the memory's name on the first
// "+CPBS:" line ("+CPBS: \"SM\",12,250" gives 12; the name quoted or bare, blanks around
// the commas). nullopt when that line has not ended (a cut "25" may have been "250"), or no
// count follows the name, or it is not decimal digits; beyond int it is INT_MAX.
std::optional<int> ParsePhoneBookUsed(std::string_view answer);

// Answer to AT+CPBR=?: {first, last} from "+CPBR: (first-last),..." (parentheses or not);
// {n, n} from a single location "(n)", {1, 0} (no location) from "()"; nullopt when the
// answer holds no "+CPBR:" or no comma after it.
std::optional<std::pair<int, int>> ParsePhoneBookRange(std::string_view answer);

// The SIM is not ready yet (right after power-up or a PIN): "+CME ERROR: 14" or "SIM busy",
// "+CME ERROR: 515", "SIM not ready", "+CPIN: NOT READY".
bool IsSimBusy(std::string_view answer);

// Number with the type folded in: "145" (exactly, after trimming) puts a '+' in front of a
// non-empty number that has none.
std::string FoldNumberType(std::string_view number, std::string_view type);

struct EntryAnswer {
    std::optional<int> index;     // the location the line named; none without a "+CPBR:" line
    std::string number;           // trimmed, type folded in
    std::string_view deviceName;  // device alphabet, trimmed
    int type = 0;                 // as the device gave it; 0 when it gave none
};

// Answer to AT+CPBR=<index>: nullopt for an empty location ("no entry\r" or "ERROR\r"
// anywhere) and for an answer that does not hold an entry. The first entry line that
// ParseEntryFields reads decides, as in a full read; only an answer without any "+CPBR:"
// is searched for the quoted number, type and quoted name (index then unknown).
std::optional<EntryAnswer> ParseEntryAnswer(std::string_view answer);

// What an answer to AT+CPBR=<index> tells of that location. Taken: an entry line names it.
// Empty: the device said so ("no entry", ERROR, +CME ERROR, or OK without a "+CPBR:"
// line). Unknown: no final result arrived (the answer may be cut anywhere), a "+CPBR:" line
// came that cannot be read, or the entry named another location (Samsung answers 243 with
// 81): writing there could overwrite an entry.
enum class LocationState { Empty, Taken, Unknown };
LocationState ParseLocationState(std::string_view answer, int index);

struct EntryLine {
    int index = 0;
    std::string number;           // trimmed, type folded in
    std::string_view deviceName;  // device alphabet, trimmed
    int type = 0;                 // as the device gave it; 0 when it gave none
};

// One "+CPBR:" entry line of a full read (the text after the prefix up to its line end):
// index, number, type and name, each quoted or not, with blanks around the commas, and any
// fields that 3GPP TS 27.007 adds after the name (hidden, group, second number, e-mail...),
// which are not read. A quoted field ends at a quote followed by a comma or the end, so a
// name may hold quotes of its own; an empty field right after the index (Sony Ericsson:
// 1,,"+3123",145,"Name") is passed over. A missing name is an empty name; a missing type
// folds nothing in. nullopt for a line whose index is not a number, that has fewer than
// number and type, or whose quote does not close.
std::optional<EntryLine> ParseEntryFields(std::string_view fields);

// Answer to AT+CPBR=<first>, <last>: every whole "+CPBR:" entry line (its line break has
// arrived), in the order received. Lines that are no entry (echo, unsolicited results such
// as RING or ^RSSI, a malformed line) are skipped wherever they stand; a name that holds a
// carriage return or line feed inside its quotes stays whole. Returns how many were passed
// to onEntry.
std::size_t ParseEntryList(std::string_view answer,
                           const std::function<void(EntryLine&&)>& onEntry);
std::vector<EntryLine> ParseEntryList(std::string_view answer);
// The whole "+CPBR:" lines of the same answer that ParseEntryList cannot read: each still
// holds its location, which must never pass for free.
std::size_t UnreadableEntryLines(std::string_view answer);

// The entries of a full read counted as its answer streams in (progress): Count gets the
// text received so far, each time the text of the last call and what came since, and
// answers what ParseEntryList would count in it. Only the text after the last whole line
// is looked at again. A shorter text than before (an earlier answer dropped) starts over.
class EntryLineCounter {
public:
    int Count(std::string_view received);

private:
    std::size_t scanned = 0;
    int count = 0;
};

}  // namespace ribodex
