// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ribodex::cli {
namespace {

struct Accepted {
    const char* why;
    std::vector<std::string> args;
    const char* envPort;
    Command command;
    std::string port;
    std::string memory;
    std::optional<int> index;
    ListFormat format;
    Encoding encoding;
};

TEST(ParseArguments, AcceptsEachCommandForm) {
    const auto T = ListFormat::Text;
    const auto U = Encoding::Utf8;
    const Accepted rows[] = {
        {"no --port: the environment's port", {"list"}, "/dev/ttyACM0", Command::List, "/dev/ttyACM0", "SM", {}, T, U},
        {"no --port, no environment", {"status"}, "", Command::Status, "/dev/ttyUSB0", "SM", {}, T, U},
        {"--port beats the environment", {"--port", "DEMO", "memories"}, "/dev/x", Command::Memories, "DEMO", "SM", {}, T, U},
        {"options after the command, = form", {"list", "--format=csv", "--port=COM2"}, "", Command::List, "COM2", "SM", {}, ListFormat::Csv, U},
        {"export bytes of another memory", {"list", "--encoding", "cp1252", "--memory", "ME"}, "", Command::List, "/dev/ttyUSB0", "ME", {}, T, Encoding::Cp1252},
        {"location 0 exists on some phones", {"delete", "0"}, "", Command::Delete, "/dev/ttyUSB0", "SM", 0, T, U},
        {"write without --index", {"write", "+4930", "Anna"}, "", Command::Write, "/dev/ttyUSB0", "SM", {}, T, U},
        {"write, --index after the words", {"write", "112", "Notruf", "--index", "12"}, "", Command::Write, "/dev/ttyUSB0", "SM", 12, T, U},
        {"ports, no device needed", {"ports", "--probe"}, "", Command::Ports, "/dev/ttyUSB0", "SM", {}, T, U},
        {"help wins over a mistake", {"list", "--bogus", "--help"}, "", Command::Help, "/dev/ttyUSB0", "SM", {}, T, U},
    };
    for (const Accepted& row : rows) {
        SCOPED_TRACE(row.why);
        const ParseResult result = ParseArguments(row.args, row.envPort);
        ASSERT_TRUE(result.options) << result.error;
        const Options& o = *result.options;
        EXPECT_EQ(o.command, row.command);
        EXPECT_EQ(o.port, row.port);
        EXPECT_EQ(o.memory, row.memory);
        EXPECT_EQ(o.index, row.index);
        EXPECT_EQ(o.format, row.format);
        EXPECT_EQ(o.encoding, row.encoding);
    }

    // "--" lets a name start with a dash; texts stay whole, an empty PIN is the SIM's to judge.
    ParseResult r = ParseArguments({"--pin", "", "write", "--", "+0123", "-Dr. Ä, \"x\""}, "");
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->pin, "");
    EXPECT_EQ(r.options->number, "+0123");
    EXPECT_EQ(r.options->name, "-Dr. Ä, \"x\"");

    r = ParseArguments({"export", "--format", "json", "--memory", "ME"}, "");
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->exportFormat, ExportFormat::Json);
    EXPECT_EQ(r.options->memory, "ME");
    EXPECT_EQ(ParseArguments({"export"}, "").options->exportFormat, ExportFormat::VCard);
    r = ParseArguments({"import", "--dry-run", "contacts.vcf"}, "");
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->file, "contacts.vcf");
    EXPECT_TRUE(r.options->dryRun);
    EXPECT_FALSE(ParseArguments({"import", "contacts.vcf"}, "").options->dryRun);
    EXPECT_TRUE(ParseArguments({"ports", "--probe"}, "").options->probe);
}

TEST(ParseArguments, RefusesWhatCannotBeRun) {
    const std::pair<std::vector<std::string>, const char*> rows[] = {
        {{}, "no command"},
        {{"lsit"}, "unknown command lsit"},
        {{"--baud", "9600", "list"}, "unknown option --baud"},
        {{"list", "--port"}, "--port needs a value"},
        {{"--port=", "list"}, "--port needs a port name"},
        {{"write", "112", "Anna", "Berg"}, "write takes 2 arguments"},  // an unquoted two-word name
        {{"read", "five"}, "must be a number"},
        {{"delete", "-1"}, "unknown option -1"},
        {{"read", "99999999999"}, "must be a number"},  // beyond int
        {{"read", "+3"}, "must be a number"},
        {{"read", "3", "--index", "3"}, "--index applies to write only"},
        {{"--memory", "sm", "list"}, "--memory must be one of"},  // AT names are case-sensitive
        {{"--memory", "LD", "list"}, "--memory must be one of"},
        {{"delete", "3", "--format", "csv"}, "--format applies to list, read, export and import"},
        {{"export", "--format", "text"}, "--format of export must be vcard, csv or json"},
        {{"import", "--format", "json", "a.json"}, "--format of import must be vcard or csv"},
        {{"copy"}, "copy needs --to"},
        {{"copy", "--to", "SM"}, "two different memories"},
        {{"copy", "--to", "XX"}, "must be one of"},
        {{"list", "--to", "ME"}, "--from and --to apply to copy only"},
        {{"import", "--remove", "a.vcf"}, "--remove applies to restore only"},
        {{"--memory", "ME", "backup", "b.vcf"}, "--memory does not apply"},
        {{"list", "--format", "json"}, "--format must be text or csv"},
        {{"export", "--encoding", "cp1252"}, "--encoding applies to list and read"},
        {{"list", "--dry-run"}, "--dry-run applies to import, copy and restore only"},
        {{"list", "--probe"}, "--probe applies to ports only"},
        {{"import", "--dry-run=yes", "a.vcf"}, "--dry-run takes no value"},
        {{"import"}, "import takes 1 argument"},
        {{"list", "--encoding", "latin1"}, "--encoding must be utf8 or cp1252"},
        {{"--pin", "1234", "at", "AT"}, "do not apply"},  // at is sent as it is
        {{"--memory", "ME", "status"}, "--memory does not apply"},
    };
    for (const auto& [args, errorPart] : rows) {
        SCOPED_TRACE(errorPart);
        const ParseResult result = ParseArguments(args, "");
        EXPECT_FALSE(result.options);
        EXPECT_NE(result.error.find(errorPart), std::string::npos) << result.error;
    }
}

}  // namespace
}  // namespace ribodex::cli
