// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_transfer.h"

#include <algorithm>

#include "core/device/phone_book_storage.h"
#include "core/formats/contact_file.h"
#include "core/formats/contact_plan.h"
#include "core/formats/file_replace.h"
#include "core/formats/restore_plan.h"
#include "core/session/memory_backup.h"

namespace ribodex::cli {
namespace {

void ReportRead(MemoryRead result, const std::string& memory, const Problems& fail) {
    if (result == MemoryRead::NoRange) fail(ExitDevice, "the device gave no index range for " + memory + " (AT+CPBR=?)");
    if (result == MemoryRead::Incomplete) fail(ExitDevice, "the device did not list " + memory + " completely in time");
}

bool Select(GsmDevice& device, const std::string& memory) {
    const PhoneBookStorageInfo* info = FindPhoneBookStorage(std::string_view(memory));
    return info && device.SelectPhoneBook(info->code);
}

// The rows to write, each at its planned location; the others told. A refused write leaves
// its location to the next row; one without an answer in time ends the run (it may have
// been written, and a device that fell silent would leave the rest to time out too).
int WriteRows(const Options& options, std::vector<PlanRow> rows, GsmDevice& device, std::ostream& out,
              const Problems& fail, const std::string& memory) {
    std::size_t named = rows.size() + 1;  // the contact whose name was told last
    for (const PlanRow& row : rows) {
        const std::string who = row.contact.empty() ? std::string("a contact without a name") : "\"" + row.contact + "\"";
        const bool writes = row.fate == RowFate::Write || row.fate == RowFate::NoRoom;
        if (writes && named != row.contactIndex && !DescribeName(row).empty()) {
            fail(ExitDone, "note: " + who + ": " + DescribeName(row));
            named = row.contactIndex;
        }
        if (row.fate != RowFate::NoRoom && !DescribeRow(row).empty()) fail(ExitDone, "note: " + who + ": " + DescribeRow(row));
    }
    const std::size_t wanted = CountRows(rows, RowFate::Write) + CountRows(rows, RowFate::NoRoom);
    int code = ExitDone;
    std::size_t done = 0;
    std::vector<int> spare;  // locations a refused write left free, for the rows after it
    for (PlanRow& row : rows) {
        if (row.fate != RowFate::Write && row.fate != RowFate::NoRoom) continue;
        if (row.fate == RowFate::NoRoom) {
            if (spare.empty()) {
                fail(ExitDevice, memory + " has no free location left: " + std::to_string(wanted - done) + " of " +
                                     std::to_string(wanted) + " entries not written");
                return ExitDevice;
            }
            row.location = spare.front();
            spare.erase(spare.begin());
        }
        if (!options.dryRun && !device.WriteEntry(row.number, row.name, row.location)) {
            if (!device.LastReadComplete()) {
                fail(ExitDevice, "location " + std::to_string(row.location) + " of " + memory + " gave no answer in time: " +
                                     std::to_string(wanted - done) + " of " + std::to_string(wanted) +
                                     " entries not written");
                return ExitDevice;
            }
            fail(ExitDevice, "the device refused \"" + row.name + "\" (" + row.number + ") at location " +
                                 std::to_string(row.location));
            spare.push_back(row.location);
            std::sort(spare.begin(), spare.end());
            code = ExitDevice;
            continue;
        }
        out << row.location << '\t' << row.number << '\t' << row.name << '\n';
        ++done;
    }
    const std::size_t held = CountRows(rows, RowFate::AlreadyHeld);
    fail(ExitDone, "note: " + std::string(options.dryRun ? "dry run, nothing written: " : "") + std::to_string(done) +
                       " of " + std::to_string(wanted) + " entries " + (options.dryRun ? "would go" : "written") +
                       " to " + memory + (held ? ", " + std::to_string(held) + " already there" : ""));
    return code;
}

}  // namespace

std::optional<std::vector<PhoneBookEntry>> ReadWholeMemory(GsmDevice& device, const std::string& memory,
                                                           const Problems& fail) {
    std::vector<PhoneBookEntry> entries;
    if (const MemoryRead result = ribodex::ReadWholeMemory(device, entries); result != MemoryRead::Read) {
        ReportRead(result, memory, fail);
        return std::nullopt;
    }
    return entries;
}

int RunImport(const Options& options, const std::string& bytes, GsmDevice& device, std::ostream& out,
              const Problems& fail) {
    const std::string memory = "memory " + options.memory;
    std::optional<ContactFormat> format = options.importFormat == ImportFormat::VCard ? ContactFormat::VCard
                                          : options.importFormat == ImportFormat::Csv ? ContactFormat::Csv
                                                                                      : DetectContactFormat(bytes);
    const std::vector<VCardContact> contacts = ReadContacts(bytes, format.value_or(ContactFormat::VCard));
    const std::optional<std::vector<PhoneBookEntry>> held = ReadWholeMemory(device, memory, fail);
    if (!held) return ExitDevice;
    return WriteRows(options, PlanContacts(contacts, PlanTargetOf(device, *held)), device, out, fail, memory);
}

int RunCopy(const Options& options, GsmDevice& device, std::ostream& out, const Problems& fail) {
    const std::optional<std::vector<PhoneBookEntry>> source = ReadWholeMemory(device, "memory " + options.memory, fail);
    if (!source) return ExitDevice;
    const std::string memory = "memory " + options.targetMemory;
    if (!Select(device, options.targetMemory))
        return fail(ExitDevice, "the device did not select " + memory + " (AT+CPBS)");
    const std::optional<std::vector<PhoneBookEntry>> held = ReadWholeMemory(device, memory, fail);
    if (!held) return ExitDevice;
    return WriteRows(options, PlanEntries(*source, PlanTargetOf(device, *held)), device, out, fail, memory);
}

int RunBackup(const Options& options, GsmDevice& device, std::ostream& out, const Problems& fail) {
    const MemoryBackup backup = ReadEveryMemory(device);
    if (backup.memories.empty()) return fail(ExitDevice, "the device listed no memory (AT+CPBS=?)");
    for (const MemorySaved& memory : backup.memories) {
        // A memory the SIM keeps behind PIN2, or one that cannot be read now, is told and
        // left out; the others are still saved.
        if (memory.result == MemoryRead::NotSelected) {
            fail(ExitDone, "note: the device did not select memory " + memory.memory + ": not saved");
        } else if (memory.result != MemoryRead::Read) {
            ReportRead(memory.result, "memory " + memory.memory, fail);
            fail(ExitDone, "note: memory " + memory.memory + " not saved");
        } else {
            out << memory.memory << '\t' << memory.count << '\n';
        }
    }
    if (backup.SavedMemories() == 0) return fail(ExitDevice, "no memory could be read: nothing saved");
    // An earlier backup stays whole until this one is: a full disk must not cost both.
    std::string error;
    if (!WriteFileReplacing(options.file, WriteBackupVCards(backup.entries), &error)) return fail(ExitDevice, error);
    return ExitDone;
}

namespace {

const char* KindText(RestoreKind kind) {
    switch (kind) {
    case RestoreKind::Add: return "add";
    case RestoreKind::Change: return "change";
    case RestoreKind::OnlyOnDevice: return "device only";
    case RestoreKind::Same: return "same";
    }
    return "";
}

// "add<tab>SM<tab>4<tab>old number<tab>old name<tab>new number<tab>new name"
void PrintRow(std::ostream& out, const RestoreRow& row, const char* done) {
    const bool old = row.kind != RestoreKind::Add, fresh = row.kind != RestoreKind::OnlyOnDevice;
    out << KindText(row.kind) << '\t' << row.memory << '\t' << row.index << '\t' << (old ? row.device.number : "")
        << '\t' << (old ? row.device.name : "") << '\t' << (fresh ? row.backup.number : "") << '\t'
        << (fresh ? row.backup.name : "") << done << '\n';
}

}  // namespace

int RunRestore(const Options& options, const std::vector<MemoryEntry>& backup, GsmDevice& device, std::ostream& out,
               const Problems& fail) {
    int code = ExitDone;
    std::size_t changes = 0, done = 0;
    for (const std::string& name : BackupMemories(backup)) {
        const std::string memory = "memory " + name;
        if (!Select(device, name)) {
            code = fail(ExitDevice, "the device did not select " + memory + " (AT+CPBS): not restored");
            continue;
        }
        device.ClearEntries();
        const std::optional<std::vector<PhoneBookEntry>> held = ReadWholeMemory(device, memory, fail);
        if (!held) {
            code = ExitDevice;
            continue;
        }
        for (const RestoreRow& row : PlanRestore(name, BackupOf(backup, name), *held)) {
            if (row.kind == RestoreKind::Same) continue;
            const bool acts = row.kind != RestoreKind::OnlyOnDevice || options.remove;
            if (options.dryRun || !acts) {
                PrintRow(out, row, acts ? "" : "\t(left)");
                changes += acts;
                continue;
            }
            ++changes;
            const bool ok = row.kind == RestoreKind::OnlyOnDevice
                                ? device.DeleteEntry(row.index)
                                : device.WriteEntry(row.backup.number, row.backup.name, row.index, row.backup.type);
            if (ok) {
                PrintRow(out, row, "");
                ++done;
                continue;
            }
            code = ExitDevice;
            if (!device.LastReadComplete()) {
                // A location without an answer may hold either: say so, and stop before the
                // rest waits out its limits too.
                fail(ExitDevice, "location " + std::to_string(row.index) + " of " + memory +
                                     " gave no answer in time: it holds the old or the new entry; " +
                                     std::to_string(done) + " of the changes before it were done");
                return ExitDevice;
            }
            fail(ExitDevice, "the device refused location " + std::to_string(row.index) + " of " + memory +
                                 ": it is as it was");
        }
    }
    fail(ExitDone, "note: " + std::string(options.dryRun ? "dry run, nothing written: " : "") + std::to_string(
                       options.dryRun ? changes : done) + " of " + std::to_string(changes) + " changes " +
                       (options.dryRun ? "to do" : "done"));
    return code;
}

}  // namespace ribodex::cli
