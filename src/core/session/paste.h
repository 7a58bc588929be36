#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "core/formats/vcard_import.h"

namespace ribodex {

class GsmDevice;
class ListSink;
struct Session;

// What a paste did with the records of a clipboard text, or with the contacts of a vCard.
struct PasteCount {
    int records = 0;  // records in the text, or entries and skipped items of the contacts; 0: nothing to paste
    int stored = 0;   // written to the device
    int failed = 0;   // empty number, a contact without a usable number, or a write the device did not confirm
};

// Called before each entry with its number (from 1) and the number of entries.
using PasteProgress = std::function<void(int item, int count)>;

// The entries to the first free locations of the selected memory, in order: progress, the
// pause of device.timing.perPastedRecordMs, then WriteEntry with the number, the name and
// index -1. An entry with an empty number fails without device traffic. Within the run
// every location is probed at most once (locations found taken or written are not read
// again), which gives the same locations as long as nothing else writes to the device
// meanwhile; once the search found no free location (a full memory, or a location that gave
// no answer in time) the entries left fail without device traffic. A link that is not open
// fails every entry at once: each would otherwise wait out its time limits.
PasteCount PasteEntryList(GsmDevice& device, const std::vector<ImportEntry>& entries, const PasteProgress& progress);

// The records of text (clipboard records, Windows-1252) through PasteEntryList, field 1 as
// the number and field 0 as the name.
PasteCount PasteRecords(GsmDevice& device, std::string_view text, const PasteProgress& progress);

// The Paste command on a clipboard text: nothing when the text holds no records (the caller
// beeps); otherwise, under the wait cursor, PasteRecords with string 164 as the progress in
// the status bar, the idle prompt, RefreshList when at least one entry was stored, and
// message 143 when any record failed.
PasteCount PasteEntries(Session& session, ListSink& list, std::string_view text);
// The same with the records already taken apart (RecordEntries), names perhaps made whole
// from the vCards our own Copy put beside them.
PasteCount PasteEntries(Session& session, ListSink& list, const std::vector<ImportEntry>& entries);

// Field 1 of each record as the number, field 0 (Windows-1252) as the name in UTF-8.
std::vector<ImportEntry> RecordEntries(std::string_view text);

// The Paste command on the contacts of a vCard, as PasteEntries does it with records: the
// plan's entries in order, its skipped items counted as failed (so message 143 tells of them).
// Nothing when the plan holds neither.
PasteCount PasteContacts(Session& session, ListSink& list, const ImportPlan& plan);

}  // namespace ribodex
