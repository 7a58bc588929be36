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
    const Accepted rows[] = {
        {"no --port: the environment's port", {"list"}, "/dev/ttyACM0",
         Command::List, "/dev/ttyACM0", "SM", std::nullopt, ListFormat::Text, Encoding::Utf8},
        {"no --port and no environment: the usual USB adapter", {"status"}, "",
         Command::Status, "/dev/ttyUSB0", "SM", std::nullopt, ListFormat::Text, Encoding::Utf8},
        {"--port beats the environment", {"--port", "DEMO", "memories"}, "/dev/ttyACM0",
         Command::Memories, "DEMO", "SM", std::nullopt, ListFormat::Text, Encoding::Utf8},
        {"options after the command, --name=value form", {"list", "--format=csv", "--port=COM2"}, "",
         Command::List, "COM2", "SM", std::nullopt, ListFormat::Csv, Encoding::Utf8},
        {"export bytes", {"list", "--encoding", "cp1252", "--memory", "ME"}, "",
         Command::List, "/dev/ttyUSB0", "ME", std::nullopt, ListFormat::Text, Encoding::Cp1252},
        {"read takes its location", {"read", "17"}, "",
         Command::Read, "/dev/ttyUSB0", "SM", 17, ListFormat::Text, Encoding::Utf8},
        {"location 0 exists on some phones", {"delete", "0"}, "",
         Command::Delete, "/dev/ttyUSB0", "SM", 0, ListFormat::Text, Encoding::Utf8},
        {"write without --index: first free location", {"write", "+49301234", "Anna"}, "",
         Command::Write, "/dev/ttyUSB0", "SM", std::nullopt, ListFormat::Text, Encoding::Utf8},
        {"write with --index after the words", {"write", "112", "Notruf", "--index", "12"}, "",
         Command::Write, "/dev/ttyUSB0", "SM", 12, ListFormat::Text, Encoding::Utf8},
        {"-- lets a name start with a dash", {"write", "--", "112", "-Bob-"}, "",
         Command::Write, "/dev/ttyUSB0", "SM", std::nullopt, ListFormat::Text, Encoding::Utf8},
        {"help wins over everything else", {"list", "--bogus", "--help"}, "",
         Command::Help, "/dev/ttyUSB0", "SM", std::nullopt, ListFormat::Text, Encoding::Utf8},
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
}

TEST(ParseArguments, KeepsTypedTextsWhole) {
    ParseResult r = ParseArguments({"--pin", "0000", "write", "--", "+0123", "-Dr. Ä, \"x\""}, "");
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->pin, "0000");
    EXPECT_EQ(r.options->number, "+0123");
    EXPECT_EQ(r.options->name, "-Dr. Ä, \"x\"");

    r = ParseArguments({"at", "AT+CPBR=1, 250", "--trace", "/tmp/t.log"}, "");
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->atText, "AT+CPBR=1, 250");
    EXPECT_EQ(r.options->tracePath, "/tmp/t.log");
    EXPECT_EQ(r.options->commandName, "at");

    // An empty PIN is the user's to send; the SIM judges it.
    r = ParseArguments({"--pin", "", "status"}, "");
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->pin, "");
}

struct Refused {
    const char* why;
    std::vector<std::string> args;
    const char* errorPart;
};

TEST(ParseArguments, RefusesWhatCannotBeRun) {
    const Refused rows[] = {
        {"nothing to do", {}, "no command"},
        {"typo in the command", {"lsit"}, "unknown command lsit"},
        {"unknown option", {"--baud", "9600", "list"}, "unknown option --baud"},
        {"option value missing at the end", {"list", "--port"}, "--port needs a value"},
        {"empty port name", {"--port=", "list"}, "--port needs a port name"},
        {"read without location", {"read"}, "read takes 1 argument"},
        {"write with the name missing", {"write", "112"}, "write takes 2 arguments"},
        {"a name of two words must be quoted", {"write", "112", "Anna", "Berg"}, "write takes 2"},
        {"list takes nothing", {"list", "5"}, "list takes 0 arguments"},
        {"location not a number", {"read", "five"}, "must be a number"},
        {"negative location looks like an option", {"delete", "-1"}, "unknown option -1"},
        {"location beyond int", {"read", "99999999999"}, "must be a number"},
        {"location with a sign", {"read", "+3"}, "must be a number"},
        {"--index not a number", {"write", "--index", "x", "1", "A"}, "--index must be a number"},
        {"--index on another command", {"read", "3", "--index", "3"}, "--index applies to write only"},
        {"lower-case memory is not an AT name", {"--memory", "sm", "list"}, "--memory must be one of"},
        {"memory the program does not know", {"--memory", "LD", "list"}, "--memory must be one of"},
        {"format on a changing command", {"delete", "3", "--format", "csv"}, "--format applies to list and read"},
        {"encoding on a changing command", {"write", "1", "A", "--encoding", "cp1252"}, "--encoding applies"},
        {"format unknown", {"list", "--format", "json"}, "--format must be text or csv"},
        {"encoding unknown", {"list", "--encoding", "latin1"}, "--encoding must be utf8 or cp1252"},
        {"at is raw: no PIN", {"--pin", "1234", "at", "AT"}, "do not apply"},
        {"at is raw: no memory", {"--memory", "ME", "at", "AT"}, "do not apply"},
        {"status selects no memory", {"--memory", "ME", "status"}, "--memory does not apply"},
    };
    for (const Refused& row : rows) {
        SCOPED_TRACE(row.why);
        const ParseResult result = ParseArguments(row.args, "");
        EXPECT_FALSE(result.options);
        EXPECT_NE(result.error.find(row.errorPart), std::string::npos) << result.error;
    }
}

}  // namespace
}  // namespace ribodex::cli
