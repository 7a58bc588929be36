// SPDX-License-Identifier: GPL-3.0-or-later
// ribodex-cli's commands against the simulated phone on a real pseudo-terminal, in process,
// with the fixed waits shortened: what a user would see on stdout, stderr and in the exit
// code, and what reached the phone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_runner.h"
#include "core/device/gsm_device.h"
#include "sim/pty_modem.h"
#include "sim/trace_replay.h"
#include "support/temp_dir.h"

namespace ribodex::cli {
namespace {

using namespace std::string_literals;

struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

class CliDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(modem.Start());
        modem.With([](sim::ModemSimulator& s) {
            auto& sm = *s.FindMemory("SM");
            sm.entries[1] = {"+4930123456", 145, "Anna"};
            sm.entries[3] = {"0301234", 129, "M\x7Eller, K."};  // GSM 0x7E is u umlaut
            sm.entries[7] = {"112", 129, "\x00home"s};           // GSM 0x00 is "@"
        });
    }

    Outcome Run(std::vector<std::string> args) {
        ParseResult parsed = ParseArguments(args, modem.SlavePath());
        EXPECT_TRUE(parsed.options) << parsed.error;
        if (!parsed.options) return {};
        GsmDevice device;
        device.timing.afterDtrMs = 0;
        device.timing.afterDisconnectMs = 0;
        device.timing.afterPinAcceptedMs = 0;
        device.timing.commandLimitMs = 2000;
        device.timing.pinLimitMs = 2000;
        device.timing.fullReadLimitMs = 2000;
        std::ostringstream out, err;
        Outcome outcome;
        outcome.code = RunCommand(*parsed.options, device, out, err);
        outcome.out = out.str();
        outcome.err = err.str();
        return outcome;
    }

    std::vector<std::string> Commands() {
        return modem.With([](sim::ModemSimulator& s) { return s.Commands(); });
    }
    sim::SimEntry EntryAt(int index) {
        return modem.With([&](sim::ModemSimulator& s) {
            auto& entries = s.FindMemory("SM")->entries;
            auto it = entries.find(index);
            return it == entries.end() ? sim::SimEntry{"<none>", 0, ""} : it->second;
        });
    }

    sim::PtyModem modem;
};

const std::string kHeader = "Name                Number              Index\r\n\r\n";

TEST_F(CliDeviceTest, ListsTheWholeMemoryAsTextOrCsv) {
    Outcome text = Run({"list"});
    EXPECT_EQ(text.code, ExitDone) << text.err;
    // Padding counts the Windows-1252 bytes of the export file, not the UTF-8 ones.
    EXPECT_EQ(text.out, kHeader +
                            "Anna                +4930123456         1\r\n"
                            "Müller, K.          0301234             3\r\n"
                            "@home               112                 7\r\n");
    EXPECT_EQ(text.err, "");

    Outcome cp1252 = Run({"list", "--encoding", "cp1252"});
    EXPECT_EQ(cp1252.out.substr(kHeader.size() + 43, 21), "M\xFCller, K.          0");
}

// gammu leaves a modem in UCS2, where names travel as hex.
TEST_F(CliDeviceTest, PhoneLeftInUcs2ListsNamesAsText) {
    modem.With([](sim::ModemSimulator& s) { s.Feed("AT+CSCS=\"UCS2\"\r"); });
    Outcome text = Run({"list", "--format", "csv"});
    EXPECT_EQ(text.code, ExitDone) << text.err;
    EXPECT_NE(text.out.find("\r\n1,+4930123456,Anna\r\n"), std::string::npos) << text.out;
    EXPECT_EQ(modem.With([](sim::ModemSimulator& s) { return s.CharacterSet(); }), "GSM");
}

TEST_F(CliDeviceTest, SelectsTheMemoryFirstAndListsAnEmptyOne) {
    Outcome fd = Run({"--memory", "FD", "list"});
    EXPECT_EQ(fd.code, ExitDone) << fd.err;
    EXPECT_EQ(fd.out, kHeader);
    const std::vector<std::string> sent = Commands();
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(sent[0], "AT+CPIN?");
    EXPECT_EQ(sent[1], "AT+CSCS=\"GSM\"");
    EXPECT_EQ(sent[3], "AT+CPBS=\"FD\"");
    EXPECT_EQ(sent.back(), "AT+CPBR=1, 10");

    Outcome memories = Run({"memories"});
    EXPECT_EQ(memories.code, ExitDone) << memories.err;
    EXPECT_NE(memories.out.find("* SM  SIM\n"), std::string::npos) << memories.out;
    EXPECT_NE(memories.out.find("  ME  Mobile Equipment\n"), std::string::npos) << memories.out;
    EXPECT_NE(memories.out.find("  FD  Fixed numbers\n"), std::string::npos) << memories.out;
}

TEST_F(CliDeviceTest, WritesReadsAndDeletesSingleLocations) {
    // No --index: the first free location, which the command prints.
    Outcome first = Run({"write", "+0123", "Jörg @ Büro"});
    EXPECT_EQ(first.code, ExitDone) << first.err;
    EXPECT_EQ(first.out, "2\n");
    EXPECT_EQ(EntryAt(2), (sim::SimEntry{"+0123", 145, "J\x7Crg \x00 B\x7Ero"s}));

    Outcome placed = Run({"write", "--index", "12", "0301234", "Office"});
    EXPECT_EQ(placed.code, ExitDone) << placed.err;
    EXPECT_EQ(placed.out, "12\n");
    EXPECT_EQ(Commands().back(), "AT+CPBW=12, \"0301234\", 129, \"Office\"");

    Outcome read = Run({"read", "2", "--format", "csv"});
    EXPECT_EQ(read.code, ExitDone) << read.err;
    EXPECT_EQ(read.out, "index,number,name\r\n2,+0123,Jörg @ Büro\r\n");

    // Any script: stored in the SIM's UCS2 coding, read, listed and exported whole.
    EXPECT_EQ(Run({"write", "--index", "13", "+7495", "Иван 王"}).code, ExitDone);
    EXPECT_EQ(EntryAt(13).nameGsm, "\x80\x04\x18\x04\x32\x04\x30\x04\x3D\x00\x20\x73\x8B"s);
    EXPECT_EQ(Run({"read", "13", "--format", "csv"}).out, "index,number,name\r\n13,+7495,Иван 王\r\n");
    EXPECT_NE(Run({"export"}).out.find("FN:Иван 王\r\n"), std::string::npos);
    EXPECT_NE(Run({"list", "--encoding", "cp1252"}).out.find("???? ?   "), std::string::npos);

    Outcome deleted = Run({"delete", "12"});
    EXPECT_EQ(deleted.code, ExitDone) << deleted.err;
    EXPECT_EQ(EntryAt(12).number, "<none>");

    Outcome gone = Run({"read", "12"});
    EXPECT_EQ(gone.code, ExitDevice);
    EXPECT_EQ(gone.out, "");
    EXPECT_NE(gone.err.find(": read: location 12 of memory SM is empty"), std::string::npos) << gone.err;
}

// Without --index, the lowest free location: by the phone's count of used locations, or
// by one read of the whole memory when it gives no count or refuses the longer ranges.
TEST_F(CliDeviceTest, WriteTakesTheLowestFreeLocationWithOrWithoutTheCount) {
    const struct { bool counts; int cap, takenUpTo, hole; std::string location; } rows[] = {
        {true, 0, 240, 0, "241"}, {true, 0, 100, 37, "37"}, {false, 0, 100, 37, "37"}, {true, 5, 240, 0, "241"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.location + (row.counts ? " counted" : "") + " cap " + std::to_string(row.cap));
        modem.With([&row](sim::ModemSimulator& s) {
            s.Config().memoryCounts = row.counts;
            s.Config().range = {row.cap, true};
            auto& sm = s.FindMemory("SM")->entries;
            sm = {{250, {"110", 129, "x"}}};
            for (int i = 1; i <= row.takenUpTo; ++i) if (i != row.hole) sm[i] = {"110", 129, "x"};
        });
        const std::size_t before = Commands().size();
        Outcome written = Run({"write", "112", "New"});
        EXPECT_EQ(written.code, ExitDone) << written.err;
        EXPECT_EQ(written.out, row.location + "\n");
        EXPECT_EQ(EntryAt(std::stoi(row.location)).nameGsm, "New");
        const std::vector<std::string> sent = Commands();
        const bool readAll = std::find(sent.begin() + static_cast<long>(before), sent.end(), "AT+CPBR=1, 250") != sent.end();
        EXPECT_EQ(readAll, !row.counts || row.cap != 0);
    }
}

TEST_F(CliDeviceTest, ExportsTheMemoryAsVCardOrJson) {
    Outcome vcard = Run({"export"});
    EXPECT_EQ(vcard.code, ExitDone) << vcard.err;
    const std::size_t anna = vcard.out.find("FN:Anna\r\n"), mueller = vcard.out.find("FN:Müller\\, K.\r\n");
    EXPECT_LT(anna, mueller) << vcard.out;  // index order
    EXPECT_NE(vcard.out.find("TEL:0301234\r\nX-RIBODEX-LOCATION:SM:3\r\n"), std::string::npos) << vcard.out;

    Outcome json = Run({"export", "--format", "json", "--memory", "SM"});
    EXPECT_EQ(json.code, ExitDone) << json.err;
    EXPECT_NE(json.out.find("{\"index\": 7, \"number\": \"112\", \"name\": \"@home\"}"), std::string::npos)
        << json.out;
}

// SM holds 1, 3 and 7: every usable number goes to the next free location, 2, 4, 5...
TEST_F(CliDeviceTest, ImportWritesEachNumberToTheNextFreeLocation) {
    test::TempDir dir;
    const std::string file = dir / "contacts.vcf";
    std::ofstream(file) << "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Jörg\r\nTEL:+49 171 1\r\nTEL:030-2\r\nEND:VCARD\r\n"
                           "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Café 😀\r\nTEL:3\r\nTEL:*100#\r\nEND:VCARD\r\n"
                           "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Nobody\r\nEND:VCARD\r\n";
    const std::string planned = "2\t+491711\tJörg\n4\t0302\tJörg\n5\t3\tCafé\n6\t*100#\tCafé\n";

    Outcome dry = Run({"import", "--dry-run", file});
    EXPECT_EQ(dry.code, ExitDone) << dry.err;
    EXPECT_EQ(dry.out, planned);
    for (const std::string& command : Commands()) EXPECT_EQ(command.find("AT+CPBW"), std::string::npos) << command;

    Outcome done = Run({"import", file});
    EXPECT_EQ(done.code, ExitDone) << done.err;
    EXPECT_EQ(done.out, planned);
    EXPECT_EQ(EntryAt(4), (sim::SimEntry{"0302", 129, "J\x7Crg"}));
    EXPECT_EQ(EntryAt(5), (sim::SimEntry{"3", 129, "Caf\x05"}));
    EXPECT_EQ(EntryAt(6), (sim::SimEntry{"*100#", 129, "Caf\x05"}));
    // The same file again: every entry is on the phone already, nothing is written.
    const std::size_t writesBefore = Commands().size();
    Outcome again = Run({"import", file});
    EXPECT_EQ(again.code, ExitDone) << again.err;
    EXPECT_EQ(again.out, "");
    EXPECT_NE(again.err.find("0 of 0 entries written to memory SM, 4 already there"), std::string::npos) << again.err;
    for (std::size_t i = writesBefore; i < Commands().size(); ++i)
        EXPECT_EQ(Commands()[i].find("AT+CPBW"), std::string::npos) << Commands()[i];
    for (const char* note : {"\"Café 😀\": the device alphabet cannot hold 😀 (U+1F600): written as \"Café\"",
                             "\"Jörg\": the number \"030-2\" is written as 0302",
                             "\"Nobody\": skipped: no telephone number", "4 of 4 entries written to memory SM"})
        EXPECT_NE(done.err.find(note), std::string::npos) << note << "\n" << done.err;

    // Nine of the ten FD locations taken: one more fits, the rest is reported.
    modem.With([](sim::ModemSimulator& s) {
        auto& fd = *s.FindMemory("FD");
        for (int i = 1; i <= 9; ++i) fd.entries[i] = {"110", 129, "x"};
    });
    Outcome full = Run({"--memory", "FD", "import", file});
    EXPECT_EQ(full.code, ExitDevice);
    EXPECT_EQ(full.out, "10\t+491711\tJörg\n");
    EXPECT_NE(full.err.find("memory FD has no free location left: 3 of 4 entries not written"), std::string::npos)
        << full.err;

    // The range read answered too late: location 1 (Anna's) must not pass for free.
    const std::vector<std::string> before = Commands();
    Run({"import", "--dry-run", file});
    const std::vector<std::string> after = Commands();
    const std::vector<std::string> dryRun(after.begin() + static_cast<long>(before.size()), after.end());
    const auto probe = std::find(dryRun.begin(), dryRun.end(), "AT+CPBR=1, 250");
    ASSERT_NE(probe, dryRun.end());
    modem.With([&](sim::ModemSimulator& s) {
        s.Config().lateAnswerMs = 2300;  // past the command limit of Run
        s.Config().lateAnswerCommand = s.CommandCount() + static_cast<int>(probe - dryRun.begin()) + 1;
    });
    Outcome late = Run({"import", file});
    EXPECT_EQ(late.code, ExitDevice);
    EXPECT_EQ(late.out, "");
    EXPECT_NE(late.err.find("the device did not list memory SM completely in time"), std::string::npos) << late.err;
    EXPECT_EQ(EntryAt(1).nameGsm, "Anna");

    Outcome missing = Run({"import", dir / "absent.vcf"});
    EXPECT_EQ(missing.code, ExitUsage);
    EXPECT_NE(missing.err.find("cannot read " + dir / "absent.vcf" + ": No such file"), std::string::npos)
        << missing.err;
}

// A backup, three changes on the phone, and the restore shows and mends exactly those three.
TEST_F(CliDeviceTest, BackupThenRestoreShowsAndWritesOnlyWhatChanged) {
    test::TempDir dir;
    const std::string file = dir / "backup.vcf";
    modem.With([](sim::ModemSimulator& s) { s.FindMemory("ME")->entries[2] = {"*100#", 129, "Guthaben"}; });
    Outcome saved = Run({"backup", file});
    ASSERT_EQ(saved.code, ExitDone) << saved.err;
    EXPECT_NE(saved.out.find("ME\t1\nSM\t3\n"), std::string::npos) << saved.out;

    modem.With([](sim::ModemSimulator& s) {
        auto& sm = s.FindMemory("SM")->entries;
        sm[1].number = "+4930999";
        sm.erase(3);
        sm[9] = {"110", 129, "Neu"};
    });
    const std::string table = "change\tSM\t1\t+4930999\tAnna\t+4930123456\tAnna\n"
                              "add\tSM\t3\t\t\t0301234\tMüller, K.\n";
    const std::size_t before = Commands().size();
    Outcome dry = Run({"restore", "--dry-run", file});
    EXPECT_EQ(dry.code, ExitDone) << dry.err;
    EXPECT_EQ(dry.out, table + "device only\tSM\t9\t110\tNeu\t\t\t(left)\n");
    for (std::size_t i = before; i < Commands().size(); ++i) EXPECT_EQ(Commands()[i].find("AT+CPBW"), std::string::npos);

    Outcome done = Run({"restore", "--remove", file});
    EXPECT_EQ(done.code, ExitDone) << done.err;
    EXPECT_EQ(done.out, table + "device only\tSM\t9\t110\tNeu\t\t\n");
    EXPECT_EQ(EntryAt(1), (sim::SimEntry{"+4930123456", 145, "Anna"}));
    EXPECT_EQ(EntryAt(3), (sim::SimEntry{"0301234", 129, "M\x7Eller, K."}));
    EXPECT_EQ(EntryAt(9).number, "<none>");
    EXPECT_EQ(Run({"restore", "--dry-run", file}).out, "");

    // The SIM's entries copied to the phone memory: the one already there is not written again.
    modem.With([](sim::ModemSimulator& s) { s.FindMemory("ME")->entries[1] = {"112", 129, "\x00home"s}; });
    Outcome copied = Run({"copy", "--to", "ME"});
    EXPECT_EQ(copied.code, ExitDone) << copied.err;
    EXPECT_EQ(copied.out, "3\t+4930123456\tAnna\n4\t0301234\tMüller, K.\n");
    EXPECT_NE(copied.err.find("already on the phone at location 1"), std::string::npos) << copied.err;
}

TEST_F(CliDeviceTest, RefusesTypedTextBeforeTouchingThePhone) {
    struct Row {
        const char* why;
        std::vector<std::string> args;
        const char* errorPart;
    };
    const Row rows[] = {
        {"invalid UTF-8 from a Latin-1 terminal", {"write", "112", "M\xFCller"}, "not valid UTF-8"},
        {"a quote would end the name early", {"write", "112", "Bob \"B\""}, "double quote"},
        {"a CR would start a second command", {"write", "112", "x\rAT+CPBW=1"}, "control character 0x0D"},
        {"the number check of the entry dialog", {"write", "030 12a4", "Anna"}, "The number is not valid."},
        {"raw command with an emoji", {"at", "AT+CPBF=\"😀\""}, "U+1F600"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Outcome o = Run(row.args);
        EXPECT_EQ(o.code, ExitUsage);
        EXPECT_NE(o.err.find(row.errorPart), std::string::npos) << o.err;
        EXPECT_NE(o.err.find(modem.SlavePath()), std::string::npos) << o.err;
    }
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(EntryAt(2).number, "<none>");
}

TEST_F(CliDeviceTest, ReportsRefusalsWithExitOne) {
    Outcome unknown = Run({"at", "AT+BOGUS"});
    EXPECT_EQ(unknown.code, ExitDevice);
    EXPECT_EQ(unknown.out, "AT+BOGUS\r\r\nERROR\r\n");  // the bytes as received, echo and all
    EXPECT_NE(unknown.err.find(": at: "), std::string::npos) << unknown.err;

    Outcome ok = Run({"at", "AT"});
    EXPECT_EQ(ok.code, ExitDone);
    EXPECT_EQ(ok.out, "AT\r\r\nOK\r\n");

    Outcome outOfRange = Run({"delete", "251"});
    EXPECT_EQ(outOfRange.code, ExitDevice);
    EXPECT_NE(outOfRange.err.find("delete location 251"), std::string::npos) << outOfRange.err;

    // SM names hold 16 characters; the phone refuses a longer one and the entry stays away.
    Outcome tooLong = Run({"write", "--index", "20", "112", "A name of twenty chars"});
    EXPECT_EQ(tooLong.code, ExitDevice);
    EXPECT_EQ(EntryAt(20).number, "<none>");

    modem.With([](sim::ModemSimulator& s) {
        auto& fd = *s.FindMemory("FD");
        for (int i = fd.first; i <= fd.last; ++i) fd.entries[i] = {"110", 129, "x"};
    });
    Outcome full = Run({"--memory", "FD", "write", "112", "Full"});
    EXPECT_EQ(full.code, ExitDevice);
    EXPECT_NE(full.err.find("memory FD has no free location"), std::string::npos) << full.err;
}

TEST_F(CliDeviceTest, UnlocksWithPinOrStopsWithExitFour) {
    modem.With([](sim::ModemSimulator& s) {
        s.Config().pin = "4711";
        s.PowerOn();
    });
    Outcome status = Run({"status"});
    EXPECT_EQ(status.code, ExitDone);
    EXPECT_EQ(status.out, "SIM PIN\n");

    Outcome noPin = Run({"list"});
    EXPECT_EQ(noPin.code, ExitSimLocked);
    EXPECT_NE(noPin.err.find("--pin"), std::string::npos) << noPin.err;
    EXPECT_EQ(Commands().back(), "AT+CPIN?");  // nothing after the state query

    Outcome wrong = Run({"--pin", "0000", "list"});
    EXPECT_EQ(wrong.code, ExitSimLocked);
    EXPECT_EQ(modem.With([](sim::ModemSimulator& s) { return s.PinAttemptsLeft(); }), 2);

    Outcome right = Run({"--pin", "4711", "list"});
    EXPECT_EQ(right.code, ExitDone) << right.err;
    EXPECT_NE(right.out.find("Anna"), std::string::npos);

    modem.With([](sim::ModemSimulator& s) {
        s.PowerOn();
        for (int i = 0; i < 3; ++i) s.Feed("AT+CPIN=\"9999\"\r");
    });
    Outcome puk = Run({"--pin", "4711", "read", "1"});
    EXPECT_EQ(puk.code, ExitSimLocked);
    EXPECT_NE(puk.err.find("PUK"), std::string::npos) << puk.err;
    EXPECT_EQ(modem.With([](sim::ModemSimulator& s) { return s.LockState(); }),
              sim::ModemSimulator::Lock::SimPuk);
}

// FD takes a change only after the PIN2: it goes to the device once the SIM says SIM PIN2
// after a refused write, and the write is sent again; without --pin2, exit 4 and no PIN.
TEST_F(CliDeviceTest, WritesToFixedNumbersWithThePin2WhenTheSimAsksForIt) {
    std::string trace;
    const auto exchange = [&trace](const std::string& command, const std::string& answer) {
        trace += "12/10/2026 10:00:00 [COM]: Write(p): " + command + "\r\n12/10/2026 10:00:00 [COM]: Read(p): " +
                 command + "\r\r\n" + answer + "\r\n\n";
    };
    const std::string write = "AT+CPBW=2, \"0301\", 129, \"Amt\"";
    exchange("AT+CPIN?", "+CPIN: READY\r\nOK");
    exchange("AT+CPBS=\"FD\"", "OK");
    exchange(write, "+CME ERROR: 17");
    exchange("AT+CPIN?", "+CPIN: SIM PIN2\r\nOK");
    exchange("AT+CPIN=\"4321\"", "OK");
    exchange(write, "OK");
    for (const bool given : {false, true}) {
        modem.With([&](sim::ModemSimulator& s) {
            s.Config().replay = std::make_shared<sim::TraceReplay>(*sim::ParseTrace(trace));
        });
        std::vector<std::string> args = {"--memory", "FD", "write", "--index", "2", "0301", "Amt"};
        if (given) args.insert(args.begin(), {"--pin2", "4321"});
        const std::size_t before = Commands().size();
        const Outcome outcome = Run(args);
        std::vector<std::string> sent = Commands();
        sent.erase(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(before));
        EXPECT_EQ(outcome.code, given ? ExitDone : ExitSimLocked) << outcome.err;
        EXPECT_EQ(std::count(sent.begin(), sent.end(), "AT+CPIN=\"4321\""), given ? 1 : 0);
        EXPECT_EQ(std::count(sent.begin(), sent.end(), write), given ? 2 : 1);
        if (given) EXPECT_EQ(outcome.out, "2\n");
        else EXPECT_NE(outcome.err.find("--pin2"), std::string::npos) << outcome.err;
    }
}

TEST_F(CliDeviceTest, NamesPortAndCommandWhenThePortCannotBeOpened) {
    Outcome missing = Run({"--port", "/dev/ribodex-no-such-port", "list"});
    EXPECT_EQ(missing.code, ExitPort);
    EXPECT_NE(missing.err.find("/dev/ribodex-no-such-port: list: cannot open"), std::string::npos)
        << missing.err;

    Outcome notSerial = Run({"--port", "/dev/null", "status"});
    EXPECT_EQ(notSerial.code, ExitPort);
    EXPECT_NE(notSerial.err.find("not a serial port"), std::string::npos) << notSerial.err;

    Outcome badName = Run({"--port", "COMX", "memories"});
    EXPECT_EQ(badName.code, ExitPort);
    EXPECT_NE(badName.err.find("no such port name"), std::string::npos) << badName.err;
}

TEST(PortOpenProblem, TellsHowToGetPermission) {
    // The suite may run as root, where EACCES cannot be provoked.
    EXPECT_NE(PortOpenProblem(EACCES, "/dev/ttyUSB0").find("sudo usermod -aG dialout $USER"),
              std::string::npos);
}

}  // namespace
}  // namespace ribodex::cli
