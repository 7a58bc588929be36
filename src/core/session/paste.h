// SPDX-License-Identifier: GPL-3.0-or-later
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
    int failed = 0;   // empty number, a contact without a usable number, no free location, or a write the device did not confirm
    bool stopped = false;      // the user stopped it; the entries not reached are neither stored nor failed
    std::vector<int> written;  // the locations of the stored entries, in the order written
};

// Called before each entry with its number (from 1) and the number of entries; false stops
// the paste there.
using PasteProgress = std::function<bool(int item, int count)>;

// The entries to the lowest free locations of the selected memory, in order. The locations
// are planned from taken (the locations known to hold entries; empty: none known) and the
// range query, then confirmed by one range read over the planned ones (again for any that
// someone wrote meanwhile), so no location is probed on its own and no entry is written over.
// Then per entry: progress, and when it goes to the phone the pause of
// device.timing.perPastedRecordMs and WriteEntry at its location. An entry with an empty
// number, or one for which no free location is left (a full memory, or a location that gave
// no answer in time), fails without device traffic and without the pause. A refused write
// leaves its location to the next entry; one that got no answer in time does not (it may
// have been written). A link that is not open fails every entry at once: each would
// otherwise wait out its time limits.
PasteCount PasteEntryList(GsmDevice& device, const std::vector<ImportEntry>& entries, const std::vector<int>& taken,
                          const PasteProgress& progress);

// The records of text (clipboard records, Windows-1252) through PasteEntryList with nothing
// known taken, field 1 as the number and field 0 as the name.
PasteCount PasteRecords(GsmDevice& device, std::string_view text, const PasteProgress& progress);

// The Paste command on a clipboard text: nothing when the text holds no records (the caller
// beeps). Otherwise, under the wait cursor: when more entries have a number than the
// memory's range has locations free of the list's items, question 180 (No: nothing written,
// records counted, nothing else shown); then PasteEntryList over the list's items with
// string 164 and the progress in the status bar (closing the window asks question 181), the
// idle prompt, UpdateWrittenLocations for the locations written, and message 143 when any
// record failed.
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
