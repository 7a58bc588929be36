// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_runner.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "cli/cli_output.h"
#include "cli/cli_problems.h"
#include "cli/cli_transfer.h"
#include "core/formats/device_text.h"
#include "core/device/answer_parser.h"
#include "core/device/free_locations.h"
#include "core/device/phone_book_storage.h"
#include "core/device/port_probe.h"
#include "core/serial/port_scan.h"
#include "core/formats/cp1252.h"
#include "core/formats/contact_file.h"
#include "core/formats/csv_contacts.h"
#include "core/formats/json_export.h"
#include "core/formats/phone_number.h"
#include "core/formats/vcard.h"
#include "core/session/name_check.h"
#include "core/version.h"

namespace ribodex::cli {
namespace {

struct DeviceTexts {
    std::string atLine;
    std::string name;        // UTF-8
    std::string number;      // as it is written: the typed one without its separators
    std::string importText;  // the contacts file
    std::vector<MemoryEntry> backup;  // restore
};

// The whole file, or false with errno set.
bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    if (in.bad()) return false;
    text = all.str();
    return true;
}

// Everything typed is checked before the port is touched: a refused text costs no device time.
int CheckTypedTexts(const Options& options, DeviceTexts& texts, const Problems& fail) {
    std::string problem;
    if (options.pin && !IsSafeQuotedText(*options.pin, problem))
        return fail(ExitUsage, "the PIN: " + problem);
    if (options.pin2 && !IsSafeQuotedText(*options.pin2, problem))
        return fail(ExitUsage, "the PIN2: " + problem);
    if (options.command == Command::At) {
        if (!ToDeviceText(options.atText, texts.atLine, problem)) return fail(ExitUsage, problem);
        texts.atLine += '\r';
    }
    if (options.command == Command::Import || options.command == Command::Restore) {
        std::string text;
        errno = 0;
        if (!ReadFile(options.file, text))
            return fail(ExitUsage, "cannot read " + options.file + ": " +
                                       (errno ? std::strerror(errno) : "read error"));
        if (options.command == Command::Restore) {
            texts.backup = ReadBackupVCards(text);
            if (texts.backup.empty())
                return fail(ExitUsage, options.file + " holds no card with X-RIBODEX-MEMORY and X-RIBODEX-INDEX: "
                                                      "not a backup of ours");
            return ExitDone;
        }
        std::optional<ContactFormat> format = options.importFormat == ImportFormat::VCard ? ContactFormat::VCard
                                              : options.importFormat == ImportFormat::Csv ? ContactFormat::Csv
                                                                                          : DetectContactFormat(text);
        if (!format)
            return fail(ExitUsage, options.file + " is neither a vCard file nor a CSV file with a header we know "
                                                  "(Google, Outlook, Thunderbird): give --format");
        const std::vector<VCardContact> contacts = ReadContacts(text, *format);
        const bool usable = std::any_of(contacts.begin(), contacts.end(), [](const VCardContact& contact) {
            return std::any_of(contact.numbers.begin(), contact.numbers.end(),
                               [](const std::string& tel) { return CleanNumber(tel).valid; });
        });
        if (!usable)
            return fail(ExitUsage, options.file + " holds no contact with a telephone number that can be stored");
        texts.importText = std::move(text);
    }
    if (options.command == Command::Write) {
        const CleanedNumber number = CleanNumber(options.number);
        if (!number.valid)
            return fail(ExitUsage, "The number is not valid. (\"" + options.number + "\" is " +
                                       std::string(kNotADialString) + ")");
        texts.number = number.number;
        std::string cp1252;
        if (!Utf8CodePoints(options.name)) {
            ToDeviceText(options.name, cp1252, problem);
            return fail(ExitUsage, problem);
        }
        texts.name = options.name;
        if (!IsSafeQuotedText(texts.name, problem)) return fail(ExitUsage, problem);
    }
    return ExitDone;
}

int Unlock(const Options& options, GsmDevice& device, const Problems& fail) {
    switch (device.GetPinState()) {
    case SimPinRequired:
        if (!options.pin) return fail(ExitSimLocked, "the SIM wants its PIN: give it with --pin CODE");
        if (!device.EnterPin(*options.pin))
            return fail(ExitSimLocked,
                        "the SIM refused the PIN (a wrong PIN costs one of its three attempts)");
        // The SIM needs a moment after an accepted PIN before it answers phone book commands.
        device.Pause(device.timing.afterPinAcceptedMs);
        return ExitDone;
    case SimPukRequired:
        return fail(ExitSimLocked, "the SIM is blocked and wants its PUK: unlock it in the window");
    // Not the SIM's PIN: sending it there would cost the phone's own lock an attempt.
    case PhoneLockRequired:
        return fail(ExitSimLocked, "the phone wants its own lock code (PH-SIM PIN), not the SIM's PIN, or has "
                                   "no usable SIM: unlock it on the phone");
    case PhoneLockPukRequired:
        return fail(ExitSimLocked, "the phone's lock is blocked and wants its unblocking code (PH-SIM PUK): "
                                   "unlock it on the phone");
    case NetworkLockRequired:
        return fail(ExitSimLocked, "the phone is locked to a network or provider and wants its unlock code "
                                   "(PH-NET PIN): unlock it on the phone");
    default:
        // SIM PIN2 and PUK2 guard fixed dialling only: the phone book reads.
        // READY, or a device that does not report the state: the next command will tell.
        return ExitDone;
    }
}

// FD takes a change only after the SIM's second PIN, and a SIM that wants it says SIM PIN2
// once a change was refused: --pin2 goes to the device then and only then (never stored).
// nullopt: PIN2 is not why the change was refused; ExitDone: accepted, send the change again.
std::optional<int> UnlockPin2(const Options& options, GsmDevice& device, const Problems& fail) {
    if (!device.LastReadComplete() || device.GetPinState() != SimPin2Required) return std::nullopt;
    if (!options.pin2) return fail(ExitSimLocked, "memory " + options.memory + " wants the PIN2: give it with --pin2 CODE");
    if (!device.EnterPin(*options.pin2))
        return fail(ExitSimLocked, "the SIM refused the PIN2 (a wrong PIN2 costs one of its three attempts)");
    return ExitDone;
}

int RunAt(const DeviceTexts& texts, GsmDevice& device, std::ostream& out, const Problems& fail) {
    const std::string answer = device.Exchange(texts.atLine, device.timing.commandLimitMs);
    out.write(answer.data(), static_cast<std::streamsize>(answer.size()));
    out.flush();
    if (HasFinalOk(answer)) return ExitDone;
    return fail(ExitDevice, answer.empty() ? "no answer from the device" : "the device did not answer OK");
}

// Why the selected memory has no range: a SIM still busy refuses the question, and a
// device that does not answer says nothing at all. A device plugged in again that wants
// its PIN refuses every phone book command: its SIM state tells, as at start-up.
int NoRange(GsmDevice& device, const std::string& memory, const Problems& fail) {
    if (!device.LastReadComplete())
        return fail(ExitDevice, "the device did not answer AT+CPBR=? for " + memory + " in time");
    if (device.rangeSimBusy)
        return fail(ExitDevice, "the SIM is still busy and gave no index range for " + memory + ": try again");
    if (device.rangeAnswer == FinalResult::Refused) {
        const SimState state = device.GetPinState();
        if (state == SimPinRequired) return fail(ExitSimLocked, "the SIM wants its PIN again: give it with --pin CODE");
        if (state == SimPukRequired)
            return fail(ExitSimLocked, "the SIM is blocked and wants its PUK: unlock it in the window");
        return fail(ExitDevice, "the device refused AT+CPBR=? for " + memory + " (the SIM may be locked)");
    }
    return fail(ExitDevice, "the device gave no index range for " + memory + " (AT+CPBR=?)");
}

// The locations of the selected memory that hold entries, from one range read (the range
// query first); nullopt after a problem was reported: no range, or no complete answer (a
// location that did not answer may hold an entry a write would overwrite).
std::optional<std::vector<int>> TakenLocations(GsmDevice& device, const std::string& memory, const Problems& fail,
                                               int& code) {
    device.ReadAllEntries();
    if (!device.rangeKnown) {
        code = NoRange(device, memory, fail);
        return std::nullopt;
    }
    if (!device.LastReadComplete()) {
        code = fail(ExitDevice, "the device did not list " + memory + " completely in time");
        return std::nullopt;
    }
    std::vector<int> taken;
    for (const PhoneBookEntry& entry : device.entries) taken.push_back(entry.index);
    return taken;
}

int RunSelected(const Options& options, const DeviceTexts& texts, GsmDevice& device,
                std::ostream& out, const Problems& fail) {
    const std::string memory = "memory " + options.memory;
    switch (options.command) {
    case Command::Memories: {
        const int offered = device.QueryPhoneBooks();
        const int selected = device.QueryCurrentPhoneBook();
        out << FormatMemories(offered, selected);
        if (offered == 0) return fail(ExitDevice, "the device listed no memory (AT+CPBS=?)");
        return ExitDone;
    }
    case Command::List: {
        device.ReadAllEntries();
        // An empty memory and a device that gave no range both read no entry.
        if (!device.rangeKnown) return NoRange(device, memory, fail);
        out << FormatEntries({device.entries.begin(), device.entries.end()}, options.format,
                             options.encoding);
        return ExitDone;
    }
    case Command::Export: {
        device.ReadAllEntries();
        if (!device.rangeKnown) return NoRange(device, memory, fail);
        const std::vector<PhoneBookEntry> entries = SortedByIndex({device.entries.begin(), device.entries.end()});
        out << (options.exportFormat == ExportFormat::VCard  ? WriteVCards(entries, options.memory)
                : options.exportFormat == ExportFormat::Csv ? WriteGoogleCsv(entries)
                                                            : WriteJsonEntries(entries, options.memory));
        return ExitDone;
    }
    case Command::Import:
        return RunImport(options, texts.importText, device, out, fail);
    case Command::Copy:
        return RunCopy(options, device, out, fail);
    case Command::Backup:
        return RunBackup(options, device, out, fail);
    case Command::Restore:
        return RunRestore(options, texts.backup, device, out, fail);
    case Command::Read: {
        const int index = *options.index;
        const std::string location = "location " + std::to_string(index) + " of " + memory;
        device.QueryPhoneBookInfo();
        if (device.rangeKnown && (index < device.firstIndex || index > device.lastIndex))
            return fail(ExitDevice, location + " is outside its range " + std::to_string(device.firstIndex) + "-" +
                                        std::to_string(device.lastIndex));
        const LocationState state = device.ProbeLocation(index);
        if (state == LocationState::Empty) return fail(ExitDevice, location + " is empty");
        if (state == LocationState::Unknown)
            return fail(ExitDevice, location + (device.LastReadComplete()
                                                    ? " gave an answer that names no entry there"
                                                    : " did not answer in time"));
        const PhoneBookEntry* entry = device.FindEntry(index);
        if (entry && entry->name.find('?') != std::string::npos) device.RereadUcs2Names({index});
        if (!entry) return fail(ExitDevice, location + " did not answer");
        out << FormatEntries({*entry}, options.format, options.encoding);
        return ExitDone;
    }
    case Command::Write: {
        int index = options.index.value_or(-1);
        if (index < 0) {
            // The device's count of used locations mostly settles it with a read or two at
            // the ends of the memory; without a count that can be trusted, one read of it all.
            if (const std::optional<int> found = device.FindFreeIndexByCount()) {
                index = *found;
            } else {
                int code = ExitDone;
                const std::optional<std::vector<int>> taken = TakenLocations(device, memory, fail, code);
                if (!taken) return code;
                const std::optional<int> free = NextFreeLocation(*taken, device.firstIndex, device.lastIndex, device.firstIndex);
                if (!free) return fail(ExitDevice, memory + " has no free location");
                index = *free;
            }
        }
        const NameCheck check = CheckEntryName(device, texts.name);
        if (check.TooLong())
            return fail(ExitDevice, "the name takes " + std::to_string(check.length) + " places; " + memory +
                                       " holds " + std::to_string(check.limit) + ": nothing written");
        if (check.Changes()) {
            // Stored all the same: a command line asks nothing, it tells.
            fail(ExitDone, "note: the device cannot hold " + DescribeCharacters(check.lost) + ": stored as \"" +
                               check.stored + "\"");
        }
        const std::size_t digits = texts.number.size() - (texts.number.front() == '+' ? 1 : 0);
        if (device.numberLength > 0 && digits > static_cast<std::size_t>(device.numberLength))
            return fail(ExitDevice, "the number has " + std::to_string(digits) + " digits; " + memory + " holds " +
                                        std::to_string(device.numberLength) + ": nothing written");
        bool written = device.WriteEntry(texts.number, texts.name, index);
        if (!written) {
            const std::optional<int> pin2 = UnlockPin2(options, device, fail);
            if (pin2 && *pin2 != ExitDone) return *pin2;
            written = pin2 && device.WriteEntry(texts.number, texts.name, index);
        }
        if (!written) return fail(ExitDevice, "the device refused the entry at location " + std::to_string(index));
        out << index << '\n';
        return ExitDone;
    }
    case Command::Delete: {
        bool deleted = device.DeleteEntry(*options.index);
        if (!deleted) {
            const std::optional<int> pin2 = UnlockPin2(options, device, fail);
            if (pin2 && *pin2 != ExitDone) return *pin2;
            deleted = pin2 && device.DeleteEntry(*options.index);
        }
        if (!deleted) return fail(ExitDevice, "the device refused to delete location " + std::to_string(*options.index));
        return ExitDone;
    }
    default:
        return ExitUsage;
    }
}

int RunConnected(const Options& options, const DeviceTexts& texts, GsmDevice& device,
                 std::ostream& out, const Problems& fail) {
    if (options.command == Command::At) return RunAt(texts, device, out, fail);

    if (options.command == Command::Status) {
        if (options.pin) {
            if (int code = Unlock(options, device, fail); code != ExitDone) return code;
        }
        const SimState state = device.GetPinState();
        out << SimStateText(state) << '\n';
        return state == SimUnknown ? fail(ExitDevice, "no usable answer to AT+CPIN?") : ExitDone;
    }

    if (int code = Unlock(options, device, fail); code != ExitDone) return code;
    device.SelectGsmCharacterSet();
    const PhoneBookStorageInfo* memory = FindPhoneBookStorage(std::string_view(options.memory));
    if (!memory || !device.SelectPhoneBook(memory->code))
        return fail(ExitDevice, "the device did not select memory " + options.memory + " (AT+CPBS)");
    return RunSelected(options, texts, device, out, fail);
}

}  // namespace

std::string PortOpenProblem(int openErrno, std::string_view devicePath) {
    const std::string path(devicePath);
    if (devicePath.empty())
        return "no such port name (use COM1..COM8, a device path such as /dev/ttyUSB0, or DEMO)";
    switch (openErrno) {
    case 0:
        return "cannot open " + path + ": not a serial port, or it refused the line settings";
    case EACCES:
    case EPERM:
        return "cannot open " + path +
               ": permission denied; serial ports belong to the dialout group, "
               "add yourself with: sudo usermod -aG dialout $USER (then log in again)";
    case ENOENT:
        return "cannot open " + path + ": no such device (is the phone plugged in?)";
    case EBUSY:
        return "cannot open " + path + ": " + BusyPortRemedy(PortHolder(path));
    default:
        return "cannot open " + path + ": " + std::strerror(openErrno);
    }
}

int ListPorts(bool probe, std::ostream& out) {
    // A fake machine for the tests: its dev/, sys/ and proc/ trees.
    const char* root = std::getenv("RIBODEX_PORTS_ROOT");
    for (const SerialPortInfo& port : ScanSerialPorts(root ? root : "")) {
        out << port.path << '\t' << port.Description();
        if (!port.byId.empty()) out << '\t' << port.byId;
        if (probe) {
            const PortProbe result = ProbePort(port.path, 500);
            if (result.answers) out << "\tanswers AT: " << result.maker << ' ' << result.model;
            else if (result.openError == EBUSY) out << "\tbusy: " << BusyPortRemedy(PortHolder(port.path, root ? root : ""));
            else if (result.openError != 0) out << "\tcannot open: " << std::strerror(result.openError);
            else out << "\tno answer to AT";
        }
        out << '\n';
    }
    return ExitDone;
}

bool HasFinalOk(std::string_view answer) {
    const std::size_t at = FindFinalResult(answer);
    return at != std::string_view::npos && answer.substr(at + 1, 3) == "OK\r";
}

int RunCommand(const Options& options, GsmDevice& device, std::ostream& out, std::ostream& err) {
    if (options.command == Command::Help) {
        out << UsageText();
        return ExitDone;
    }
    if (options.command == Command::Version) {
        out << "ribodex-cli " << kVersion << "\n";
        return ExitDone;
    }
    if (options.command == Command::Ports) return ListPorts(options.probe, out);
    const Problems fail(err, options);
    DeviceTexts texts;
    if (int code = CheckTypedTexts(options, texts, fail); code != ExitDone) return code;

    device.tracePath = options.tracePath;
    if (!device.SetPort(options.port)) return fail(ExitPort, "the port is already in use here");
    if (!device.Connect()) {
        const int openErrno = device.OpenError();
        const std::string path = device.portMapper ? device.portMapper(options.port)
                                                   : DefaultDevicePath(options.port);
        return fail(ExitPort, PortOpenProblem(openErrno, path));
    }
    // A memory of thousands of locations takes a while: say how far the read is, on a
    // terminal only (a script's log gets no carriage-return lines).
    int shown = -1;
    const bool showProgress = ::isatty(STDERR_FILENO) && !device.readProgress;
    if (showProgress) {
        device.readProgress = [&err, &shown](int received, int total) {
            if (received != shown) err << "\rreading entries: " << received << " of " << total << std::flush;
            shown = received;
            return true;
        };
    }
    const int code = RunConnected(options, texts, device, out, fail);
    if (showProgress) device.readProgress = {};
    if (shown >= 0) err << '\n';
    device.Disconnect();
    return code;
}

}  // namespace ribodex::cli
