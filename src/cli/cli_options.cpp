// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace ribodex::cli {
namespace {

struct CommandInfo {
    std::string_view name;
    Command command;
    std::size_t arguments;  // positional arguments after the command word
};

constexpr std::array<CommandInfo, 13> kCommands{{
    {"status", Command::Status, 0},
    {"memories", Command::Memories, 0},
    {"list", Command::List, 0},
    {"read", Command::Read, 1},
    {"write", Command::Write, 2},
    {"delete", Command::Delete, 1},
    {"at", Command::At, 1},
    {"export", Command::Export, 0},
    {"import", Command::Import, 1},
    {"copy", Command::Copy, 0},
    {"backup", Command::Backup, 1},
    {"restore", Command::Restore, 1},
    {"ports", Command::Ports, 0},
}};

// OW: the own numbers' name before ON, still taken.
constexpr std::array<std::string_view, 7> kMemories{"ME", "SM", "TA", "MD", "ON", "OW", "FD"};

ParseResult Fail(std::string error) { return ParseResult{std::nullopt, std::move(error)}; }

}  // namespace

std::optional<int> ParseIndex(std::string_view text) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9') return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

ParseResult ParseArguments(const std::vector<std::string>& args, std::string_view envPort) {
    Options options;
    options.port = envPort.empty() ? std::string(kDefaultPort) : std::string(envPort);
    std::optional<std::string> format, encoding, indexText;
    bool memoryGiven = false, help = false, version = false, optionsEnded = false, dryRun = false, remove = false;
    std::optional<std::string> from, to;
    std::vector<std::string> words;

    // Help wins over any mistake elsewhere on the line: it is what a confused user types.
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (arg == "-h" || arg == "--help") help = true;
        if (arg == "--version") version = true;
    }

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            words.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (help || version) continue;
        std::string name = arg, value;
        bool inlineValue = false;
        if (auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            inlineValue = true;
        }
        if (name == "--probe") {
            if (inlineValue) return Fail("--probe takes no value");
            options.probe = true;
            continue;
        }
        if (name == "--dry-run") {
            if (inlineValue) return Fail("--dry-run takes no value");
            dryRun = true;
            continue;
        }
        if (name == "--remove") {
            if (inlineValue) return Fail("--remove takes no value");
            remove = true;
            continue;
        }
        static constexpr std::array<std::string_view, 10> kValued{
            "--port", "--pin", "--pin2", "--memory", "--trace", "--format", "--encoding", "--index", "--from", "--to"};
        bool known = false;
        for (std::string_view valued : kValued) known = known || name == valued;
        if (!known) return Fail("unknown option " + name);
        if (!inlineValue) {
            if (i + 1 >= args.size()) return Fail(name + " needs a value");
            value = args[++i];
        }
        if (name == "--port") {
            if (value.empty()) return Fail("--port needs a port name");
            options.port = value;
        } else if (name == "--pin") {
            options.pin = value;
        } else if (name == "--pin2") {
            options.pin2 = value;
        } else if (name == "--memory") {
            options.memory = value;
            memoryGiven = true;
        } else if (name == "--trace") {
            options.tracePath = value;
        } else if (name == "--format") {
            format = value;
        } else if (name == "--encoding") {
            encoding = value;
        } else if (name == "--from") {
            from = value;
        } else if (name == "--to") {
            to = value;
        } else {
            indexText = value;
        }
    }

    if (help || version) {
        options.command = help ? Command::Help : Command::Version;
        return ParseResult{std::move(options), {}};
    }
    if (words.empty()) return Fail("no command given");

    const CommandInfo* info = nullptr;
    for (const CommandInfo& candidate : kCommands)
        if (words[0] == candidate.name) info = &candidate;
    if (!info) return Fail("unknown command " + words[0]);
    options.command = info->command;
    options.commandName = words[0];
    if (words.size() - 1 != info->arguments) {
        return Fail(options.commandName + " takes " + std::to_string(info->arguments) +
                    (info->arguments == 1 ? " argument" : " arguments"));
    }

    const auto known = [](const std::string& memory) {
        return std::find(kMemories.begin(), kMemories.end(), memory) != kMemories.end();
    };
    if (!known(options.memory)) return Fail("--memory must be one of ME, SM, TA, MD, ON, FD");
    if ((from || to) && info->command != Command::Copy) return Fail("--from and --to apply to copy only");
    if (info->command == Command::Copy) {
        if (!to) return Fail("copy needs --to MEMORY");
        if (from && memoryGiven) return Fail("copy takes --from or --memory, not both");
        if (from) options.memory = *from;
        options.targetMemory = *to;
        if (!known(options.memory) || !known(options.targetMemory))
            return Fail("--from and --to must be one of ME, SM, TA, MD, ON, FD");
        if (options.memory == options.targetMemory) return Fail("copy needs two different memories");
    }
    if ((info->command == Command::Backup || info->command == Command::Restore) && memoryGiven)
        return Fail(std::string(words[0]) + " covers every memory: --memory does not apply");

    const bool listing = info->command == Command::List || info->command == Command::Read;
    const bool exporting = info->command == Command::Export;
    const bool importing = info->command == Command::Import;
    if (format && !listing && !exporting && !importing)
        return Fail("--format applies to list, read, export and import only");
    if (encoding && !listing) return Fail("--encoding applies to list and read only");
    if (format && exporting) {
        if (*format == "vcard") options.exportFormat = ExportFormat::VCard;
        else if (*format == "csv") options.exportFormat = ExportFormat::Csv;
        else if (*format == "json") options.exportFormat = ExportFormat::Json;
        else return Fail("--format of export must be vcard, csv or json");
    } else if (format && importing) {
        if (*format == "vcard") options.importFormat = ImportFormat::VCard;
        else if (*format == "csv") options.importFormat = ImportFormat::Csv;
        else return Fail("--format of import must be vcard or csv");
    } else if (format) {
        if (*format == "text") options.format = ListFormat::Text;
        else if (*format == "csv") options.format = ListFormat::Csv;
        else return Fail("--format must be text or csv");
    }
    if (dryRun && !importing && info->command != Command::Copy && info->command != Command::Restore)
        return Fail("--dry-run applies to import, copy and restore only");
    options.dryRun = dryRun;
    if (remove && info->command != Command::Restore) return Fail("--remove applies to restore only");
    options.remove = remove;
    if (options.probe && info->command != Command::Ports) return Fail("--probe applies to ports only");
    if (encoding) {
        if (*encoding == "utf8" || *encoding == "utf-8") options.encoding = Encoding::Utf8;
        else if (*encoding == "cp1252") options.encoding = Encoding::Cp1252;
        else return Fail("--encoding must be utf8 or cp1252");
    }
    if (indexText && info->command != Command::Write) return Fail("--index applies to write only");
    if (info->command == Command::At && (options.pin || memoryGiven))
        return Fail("at sends the text as it is: --pin and --memory do not apply");
    if (info->command == Command::Status && memoryGiven)
        return Fail("--memory does not apply to status");

    switch (info->command) {
    case Command::Read:
    case Command::Delete:
        options.index = ParseIndex(words[1]);
        if (!options.index) return Fail("the location must be a number, not \"" + words[1] + "\"");
        break;
    case Command::Write:
        if (indexText) {
            options.index = ParseIndex(*indexText);
            if (!options.index) return Fail("--index must be a number, not \"" + *indexText + "\"");
        }
        options.number = words[1];
        options.name = words[2];
        break;
    case Command::At:
        options.atText = words[1];
        break;
    case Command::Import:
    case Command::Backup:
    case Command::Restore:
        options.file = words[1];
        break;
    default:
        break;
    }
    return ParseResult{std::move(options), {}};
}

std::string UsageText() {
    return R"(Usage: ribodex-cli [OPTIONS] COMMAND [ARGUMENTS]

Reads and edits the phone book of a GSM phone or modem on a serial port.

Commands:
  status                       the SIM state: READY, SIM PIN, SIM PUK, SIM PIN2, SIM PUK2,
                               PH-SIM PIN (the phone's lock code, or no usable SIM),
                               PH-SIM PUK, PH-NET PIN (a network or provider lock) or unknown
  memories                     the memories the device offers; * marks the selected one
  list [--format text|csv] [--encoding utf8|cp1252]
                               every entry of the memory, in index order
  read INDEX                   one location (same formats as list)
  write [--index N] NUMBER NAME
                               store an entry; without --index at the first free
                               location; prints the location written
  delete INDEX                 empty one location
  at TEXT                      send TEXT and a carriage return as it is (no SIM check,
                               no memory selection) and print the answer as received
  export [--format vcard|csv|json]
                               every entry of the memory as vCard 3.0 (default), CSV in
                               the shape Google Contacts imports, or JSON; UTF-8, in
                               index order
  ports [--probe]              the serial ports of the machine and what they are (USB ids
                               and names, interface, by-id link, Bluetooth, UART);
                               --probe opens each one not held by another program, sends
                               AT and prints which answer, with maker and model
  import FILE [--format vcard|csv] [--dry-run]
                               write every contact of a vCard file (2.1, 3.0, 4.0) or a
                               CSV file (Google Contacts, Outlook, Thunderbird; the format
                               is found by the header when not given) that has a telephone
                               number to the first free locations, one entry per number;
                               an entry whose name and number the memory holds already is
                               not written again; prints "LOCATION<tab>NUMBER<tab>NAME"
                               for each written. --dry-run prints where each would go
  copy --to MEMORY [--from MEMORY] [--dry-run]
                               every entry of one memory (default SM) to the free
                               locations of another, the same way as import
  backup FILE                  every memory the device lets us read to one vCard 3.0
                               file; each card names its memory, location and number type
  restore FILE [--dry-run] [--remove]
                               compare the backup with the device, memory by memory,
                               print what differs ("add", "change", "device only") and
                               write the additions and changes; --remove also empties the
                               locations the backup does not hold; --dry-run writes nothing

Options:
  --port NAME      COM1..COM8, a device path (/dev/ttyUSB0, /dev/ttyACM0,
                   /dev/serial/by-id/...) or DEMO, the built-in simulated phone.
                   Default: $RIBODEX_PORT, else /dev/ttyUSB0
  --pin CODE       unlock a SIM that wants its PIN before the command
  --pin2 CODE      the SIM's second PIN, for writing to FD (fixed numbers); sent only
                   when the device asks for it, never stored
  --memory NAME    ME, SM, TA, MD, ON (own numbers; OW is taken too) or FD, selected
                   before the command (default SM)
  --dry-run        import, copy, restore: write nothing, show what would be done
  --remove         restore: empty the locations the backup does not hold
  --trace FILE     append a trace of the serial link to FILE
  -h, --help       this text
  --version        the version of the program

Text is UTF-8 on the terminal. Names in any script travel in the GSM alphabet, or in UCS2
where the device offers it and GSM cannot carry them; write and import report each
character the device cannot hold (it is written as a blank) and each number it cannot
store. `at TEXT` is sent as Windows-1252. `list --encoding cp1252` writes the bytes of the
window's text export.

Exit codes: 0 done, 1 the device refused or did not answer, 2 usage, 3 the port cannot
be opened, 4 the SIM is locked (PIN not given, or PUK wanted).

Environment: RIBODEX_PORT (default port); RIBODEX_FAST_TIMING=1 is a test hook that
skips the fixed waits after DTR, disconnect and an accepted PIN.
)";
}

}  // namespace ribodex::cli
