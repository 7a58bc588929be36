// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ribodex::cli {

// Exit codes of ribodex-cli; scripts rely on them.
enum ExitCode : int {
    ExitDone = 0,
    ExitDevice = 1,     // the device refused or did not answer
    ExitUsage = 2,      // bad arguments, nothing was sent
    ExitPort = 3,       // the port cannot be opened
    ExitSimLocked = 4,  // the SIM wants a PIN that was not given, or its PUK
};

enum class Command {
    Help, Status, Memories, List, Read, Write, Delete, At, Export, Import, Copy, Backup, Restore, Ports, Version
};
enum class ListFormat { Text, Csv };
enum class ExportFormat { VCard, Csv, Json };
enum class ImportFormat { Detect, VCard, Csv };
enum class Encoding { Utf8, Cp1252 };

inline constexpr const char* kDefaultPort = "/dev/ttyUSB0";

// What the command line asked for. Texts are as typed (UTF-8); the edge conversion to
// Windows-1252 happens when the command runs, so a refusal can name the port and command.
struct Options {
    Command command = Command::Help;
    std::string commandName;  // as typed, for messages
    std::string port;         // --port, else $RIBODEX_PORT, else kDefaultPort
    std::optional<std::string> pin;
    std::optional<std::string> pin2;  // the SIM's second PIN, for writes to FD; never stored
    std::string memory = "SM";  // AT name of the memory to select before the command
    std::string tracePath;
    ListFormat format = ListFormat::Text;
    ExportFormat exportFormat = ExportFormat::VCard;
    Encoding encoding = Encoding::Utf8;
    std::optional<int> index;  // read, delete: the location; write: --index
    std::string number;        // write
    std::string name;          // write
    std::string atText;        // at
    std::string file;          // import: the contacts file; backup, restore: the backup
    ImportFormat importFormat = ImportFormat::Detect;
    std::string targetMemory;  // copy: --to
    bool dryRun = false;       // import, copy, restore: plan and report, write nothing
    bool remove = false;       // restore: also empty the locations the backup does not hold
    bool probe = false;        // ports: send AT to each port
};

struct ParseResult {
    std::optional<Options> options;  // set on success
    std::string error;               // otherwise: what is wrong, one line
};

// Pure: args without the program name; envPort is $RIBODEX_PORT (empty when unset). Options
// may come before or after the command; "--" ends the options. Nothing is checked that needs
// the device or a character conversion.
ParseResult ParseArguments(const std::vector<std::string>& args, std::string_view envPort);

// Strict decimal location index: digits only, no sign, within int.
std::optional<int> ParseIndex(std::string_view text);

// The --help text.
std::string UsageText();

}  // namespace ribodex::cli
