// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated phone byte for byte: what goes in through Feed and what comes straight back.
#include "sim/modem_simulator.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace ribodex::sim {
namespace {

using namespace std::string_literals;

const std::string kOk = "\r\nOK\r\n";
const std::string kError = "\r\nERROR\r\n";

std::string Info(const std::string& line) { return "\r\n" + line + "\r\n"; }
std::string Cme(const std::string& what) { return Info("+CME ERROR: " + what); }

SimConfig Quiet() {
    SimConfig config;
    config.echo = false;
    return config;
}

struct Step {
    std::string in;
    std::string out;
};

// One command line after the other, each answer compared in full.
void Talk(ModemSimulator& phone, const std::vector<Step>& steps) {
    for (const Step& step : steps) EXPECT_EQ(phone.Feed(step.in), step.out) << "after " << step.in;
}

TEST(ModemSimulatorFraming, EchoAndResultCodeForms) {
    ModemSimulator phone;
    Talk(phone, {
                    {"AT\r", "AT\r" + kOk},
                    {"ATI\r", "ATI\r" + Info("Olvenstrom Quillphone 7") + kOk},
                    // The line that turns echo off is still echoed; the next one is not.
                    {"ATE0\r", "ATE0\r" + kOk},
                    {"AT\r", kOk},
                    {"ATE2\r", kError},
                    {"ATV0\r", "0\r"},
                    {"AT+CGMI\r", "Olvenstrom\r\n0\r"},
                    {"ATX9\r", "4\r"},
                    {"AT+CMEE=1;+CPBR=0\r", "+CME ERROR: 21\r\n"},
                    {"ATV1E1\r", kOk},
                    {"AT\r", "AT\r" + kOk},
                    {"ATV2\r", "ATV2\r" + kError},
                });
}

TEST(ModemSimulatorFraming, CmeeChoosesTheErrorForm) {
    struct Case {
        std::string command;
        int code;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"AT+CPBR=0\r", 21, "invalid index"},
        {"AT+CPBS=\"XX\"\r", 4, "operation not supported"},
        {"AT+CPIN=\"1234\"\r", 3, "operation not allowed"},
        {"AT+CSCS=\"KOI8-R\"\r", 4, "operation not supported"},
        {"AT+CPBW=1,\"12a\"\r", 27, "invalid characters in dial string"},
    };
    for (const Case& c : cases) {
        ModemSimulator phone(Quiet());
        EXPECT_EQ(phone.Feed(c.command), kError) << c.command;
        EXPECT_EQ(phone.Feed("AT+CMEE=1\r" + c.command), kOk + Cme(std::to_string(c.code))) << c.command;
        EXPECT_EQ(phone.Feed("AT+CMEE=2\r" + c.command), kOk + Cme(c.text)) << c.command;
        EXPECT_EQ(phone.Feed("AT+CMEE\r" + c.command), kOk + kError) << "plain +CMEE is +CMEE=0";
    }
    ModemSimulator phone(Quiet());
    Talk(phone, {
                    {"AT+CMEE=?\r", Info("+CMEE: (0-2)") + kOk},
                    {"AT+CMEE=2\r", kOk},
                    {"AT+CMEE?\r", Info("+CMEE: 2") + kOk},
                    {"AT+CMEE=3\r", kError},
                    {"AT+CMEE=1,1\r", kError},
                    {"AT+CMEE?\r", Info("+CMEE: 2") + kOk},
                });
}

TEST(ModemSimulatorCommands, IdentificationAndPlainCommands) {
    const std::vector<Step> steps = {
        {"ATI\r", Info("Olvenstrom Quillphone 7") + kOk},
        {"AT+CGMI\r", Info("Olvenstrom") + kOk},
        {"AT+CGMM\r", Info("Quillphone 7") + kOk},
        {"AT+CGMR\r", Info("QP7 1.0.4") + kOk},
        {"AT+CGSN\r", Info("356938035643809") + kOk},
        {"AT+CGMM=?\r", kOk},
        {"AT+CGMM?\r", kError},
        {"AT+CFUN=1\r", kOk},
        {"AT+CFUN=2\r", kError},
        {"AT+CFUN?\r", Info("+CFUN: 1") + kOk},
        {"AT+XYZ\r", kError},
        {"ATD0301234;\r", kError},
        {"AT&Q\r", kError},
        {"AT&F\r", kOk},
        {"ATS0?\r", Info("000") + kOk},
        {"ATS7=50\r", kOk},
    };
    ModemSimulator phone(Quiet());
    Talk(phone, steps);
    const std::string clock = phone.Feed("AT+CCLK?\r");
    EXPECT_TRUE(std::regex_match(clock, std::regex("\r\n\\+CCLK: \"\\d\\d/\\d\\d/\\d\\d,\\d\\d:\\d\\d:\\d\\d\\+00\"\r\n"
                                                   "\r\nOK\r\n")))
        << clock;
}

TEST(ModemSimulatorCommands, GammuStartSequenceEndsInOkEachTime) {
    ModemSimulator phone;
    EXPECT_EQ(phone.Feed("\x1b"), "");
    for (const char* command : {"AT\r", "ATE1\r", "AT+CMEE=1\r", "AT+CSCS?\r", "AT+CSCS=?\r", "AT+CSCS=\"UCS2\"\r",
                                "AT+CGMM\r", "AT+CGMI\r", "AT+CGMR\r", "AT+CFUN=1\r"}) {
        const std::string answer = phone.Feed(command);
        EXPECT_TRUE(answer.ends_with("\r\nOK\r\n")) << command << " -> " << answer;
    }
}

TEST(ModemSimulatorCommands, CharacterSetsChangeHowNamesTravel) {
    SimConfig config = Quiet();
    // "@" is GSM 0x00, "Ä" 0x5B: both travel as themselves only in the GSM set.
    config.memories[0].entries[1] = SimEntry{"0301", 129, "\x00\x5b" "b"s};
    ModemSimulator phone(config);
    Talk(phone, {
                    {"AT+CSCS=?\r", Info("+CSCS: (\"GSM\",\"UCS2\",\"IRA\",\"8859-1\")") + kOk},
                    {"AT+CSCS?\r", Info("+CSCS: \"GSM\"") + kOk},
                    {"AT+CPBR=1\r", Info("+CPBR: 1,\"0301\",129,\"\x00\x5b" "b\""s) + kOk},
                    {"AT+CSCS=\"UCS2\"\r", kOk},
                    {"AT+CSCS?\r", Info("+CSCS: \"UCS2\"") + kOk},
                    {"AT+CPBR=1\r", Info("+CPBR: 1,\"0301\",129,\"004000C40062\"") + kOk},
                    // Ü comes in as UCS2 and is kept as GSM 0x5E.
                    {"AT+CPBW=2,\"0302\",129,\"00DC0020\"\r", kOk},
                    {"AT+CMEE=1\r", kOk},
                    {"AT+CPBW=3,\"1\",129,\"00D\"\r", Cme("25")},
                    {"AT+CPBW=3,\"1\",129,\"D800\"\r", Cme("25")},  // a lone surrogate
                    {"AT+CPBW=3,\"1\",129,\"00G1\"\r", Cme("25")},
                    {"AT+CSCS=\"8859-1\"\r", kOk},
                    {"AT+CPBR=1,2\r", Info("+CPBR: 1,\"0301\",129,\"@\xc4" "b\"\r\n+CPBR: 2,\"0302\",129,\"\xdc \"") + kOk},
                    {"AT+CSCS=\"GSM\"\r", kOk},
                    {"AT+CPBW=3,\"1\",129,\"\xc4\"\r", Cme("25")},
                });
    EXPECT_EQ(phone.FindMemory("SM")->entries.at(2).nameGsm, "\x5e ");
    EXPECT_EQ(phone.FindMemory("SM")->entries.count(3), 0u);
}

TEST(ModemSimulatorCommands, AtSignTravelsAsNulInTheGsmSet) {
    ModemSimulator phone(Quiet());
    EXPECT_EQ(phone.Feed("AT+CPBW=1,\"1\",129,\"\x00x\x00\"\r"s), kOk);
    EXPECT_EQ(phone.FindMemory("SM")->entries.at(1).nameGsm, "\x00x\x00"s);
    EXPECT_EQ(phone.Feed("AT+CPBR=1\r"), Info("+CPBR: 1,\"1\",129,\"\x00x\x00\""s) + kOk);
}

TEST(ModemSimulatorSimLock, PinStateAtPowerOn) {
    struct Case {
        std::string pin;
        bool phSim;
        std::string state;
    };
    for (const Case& c : std::vector<Case>{{"", false, "READY"}, {"1234", false, "SIM PIN"},
                                           {"", true, "PH-SIM PIN"}, {"1234", true, "SIM PIN"}}) {
        SimConfig config = Quiet();
        config.pin = c.pin;
        config.phSimPin = c.phSim;
        ModemSimulator phone(config);
        EXPECT_EQ(phone.Feed("AT+CPIN?\r"), Info("+CPIN: " + c.state) + kOk) << c.pin << " " << c.phSim;
    }
}

TEST(ModemSimulatorSimLock, WrongPinsLeadToPukAndNewPin) {
    SimConfig config = Quiet();
    config.pin = "1234";
    config.cmee = 1;
    ModemSimulator phone(config);
    Talk(phone, {
                    {"AT+CPBS?\r", Cme("11")},
                    {"AT+CPBR=1\r", Cme("11")},
                    {"AT+CPBW=1,\"1\"\r", Cme("11")},
                    {"AT+CIMI\r", Cme("11")},
                    {"AT+CPIN=\"0000\"\r", Cme("16")},
                    {"AT+CPIN=\"1111\"\r", Cme("16")},
                    {"AT+CPIN?\r", Info("+CPIN: SIM PIN") + kOk},
                    {"AT+CPINR\r", "\r\n+CPINR: SIM PIN,1,3\r\n+CPINR: SIM PUK,10,10\r\n" + kOk},
                });
    EXPECT_EQ(phone.PinAttemptsLeft(), 1);
    Talk(phone, {
                    {"AT+CPIN=\"2222\"\r", Cme("16")},
                    {"AT+CPIN?\r", Info("+CPIN: SIM PUK") + kOk},
                    {"AT+CPIN=\"1234\"\r", Cme("12")},
                    {"AT+CPBR=1\r", Cme("12")},
                    {"AT+CPIN=\"12345678\",\"12\"\r", Cme("16")},
                    {"AT+CPIN=\"12345678\",\"12ab\"\r", Cme("16")},
                });
    EXPECT_EQ(phone.PukAttemptsLeft(), 10) << "a badly formed new PIN does not use up the PUK";
    Talk(phone, {
                    {"AT+CPIN=\"87654321\",\"4321\"\r", Cme("16")},
                    {"AT+CPIN=\"12345678\",\"4321\"\r", kOk},
                    {"AT+CPIN?\r", Info("+CPIN: READY") + kOk},
                    {"AT+CPBR=1\r", kOk},
                    {"AT+CPIN=\"4321\"\r", Cme("3")},
                });
    EXPECT_EQ(phone.PinAttemptsLeft(), 3);
    EXPECT_EQ(phone.PukAttemptsLeft(), 10);
    phone.PowerOn();
    EXPECT_EQ(phone.LockState(), ModemSimulator::Lock::SimPin);
    Talk(phone, {{"AT+CPIN=\"1234\"\r", Cme("16")}, {"AT+CPIN=\"4321\"\r", kOk}});
}

TEST(ModemSimulatorSimLock, TenWrongPuksBlockTheSim) {
    SimConfig config = Quiet();
    config.pin = "1234";
    config.cmee = 1;
    ModemSimulator phone(config);
    for (int i = 0; i < 3; ++i) phone.Feed("AT+CPIN=\"0000\"\r");
    for (int i = 0; i < 9; ++i) ASSERT_EQ(phone.Feed("AT+CPIN=\"00000000\",\"1111\"\r"), Cme("16"));
    EXPECT_EQ(phone.LockState(), ModemSimulator::Lock::SimPuk);
    EXPECT_EQ(phone.Feed("AT+CPIN=\"00000000\",\"1111\"\r"), Cme("16"));
    EXPECT_EQ(phone.LockState(), ModemSimulator::Lock::Blocked);
    EXPECT_EQ(phone.PukAttemptsLeft(), 0);
    Talk(phone, {
                    {"AT+CPIN?\r", Cme("13")},
                    {"AT+CPIN=\"12345678\",\"1111\"\r", Cme("13")},
                    {"AT+CPBS=\"SM\"\r", Cme("13")},
                    {"AT+CPBR=?\r", Cme("13")},
                });
}

TEST(ModemSimulatorSimLock, PhoneLockAfterTheSimPin) {
    SimConfig config = Quiet();
    config.pin = "1234";
    config.phSimPin = true;
    config.cmee = 2;
    ModemSimulator phone(config);
    Talk(phone, {
                    {"AT+CPIN=\"1234\"\r", kOk},
                    {"AT+CPIN?\r", Info("+CPIN: PH-SIM PIN") + kOk},
                    {"AT+CPBR=1\r", Cme("PH-SIM PIN required")},
                    {"AT+CPIN=\"1234\"\r", Cme("incorrect password")},
                    {"AT+CPIN=\"0000\"\r", kOk},
                    {"AT+CPIN?\r", Info("+CPIN: READY") + kOk},
                });
}

TEST(ModemSimulatorPhoneBook, MemoriesAndTheirLimits) {
    ModemSimulator phone(Quiet());
    Talk(phone, {
                    {"AT+CPBS=?\r", Info("+CPBS: (\"SM\",\"ME\",\"FD\",\"ON\",\"OW\",\"LD\",\"MC\",\"RC\")") + kOk},
                    {"AT+CPBS?\r", Info("+CPBS: \"SM\",0,250") + kOk},
                    {"AT+CPBR=?\r", Info("+CPBR: (1-250),40,16") + kOk},
                    {"AT+CPBS=\"ME\"\r", kOk},
                    {"AT+CPBS?\r", Info("+CPBS: \"ME\",0,500") + kOk},
                    {"AT+CPBR=?\r", Info("+CPBR: (1-500),40,24") + kOk},
                    {"AT+CPBW=?\r", Info("+CPBW: (1-500),40,(129,145,161),24") + kOk},
                    {"AT+CPBS=\"OW\"\r", kOk},
                    {"AT+CPBS?\r", Info("+CPBS: \"OW\",0,4") + kOk},
                    {"AT+CPBS\r", kError},
                });
    EXPECT_EQ(phone.Config().selectedMemory, "OW");
}

TEST(ModemSimulatorPhoneBook, WriteReadAndDelete) {
    SimConfig config = Quiet();
    config.cmee = 1;
    ModemSimulator phone(config);
    const std::string forty(40, '9');
    Talk(phone, {
                    {"AT+CPBW=3,\"+4930123\",145,\"Office\"\r", kOk},
                    {"AT+CPBW=,\"0301\",129,\"Home\"\r", kOk},
                    {"AT+CPBW=,\"+0302\"\r", kOk},
                    {"AT+CPBR=1,3\r", Info("+CPBR: 1,\"0301\",129,\"Home\"\r\n+CPBR: 2,\"+0302\",145,\"\"\r\n"
                                           "+CPBR: 3,\"+4930123\",145,\"Office\"") +
                                          kOk},
                    {"AT+CPBR=3\r", Info("+CPBR: 3,\"+4930123\",145,\"Office\"") + kOk},
                    {"AT+CPBW=3,\"0303\",161,\"a;b,c\"\r", kOk},
                    {"AT+CPBR=3\r", Info("+CPBR: 3,\"0303\",161,\"a;b,c\"") + kOk},
                    {"AT+CPBS?\r", Info("+CPBS: \"SM\",3,250") + kOk},
                    {"AT+CPBW=3\r", kOk},
                    {"AT+CPBR=3\r", kOk},
                    {"AT+CPBR=1,250\r", Info("+CPBR: 1,\"0301\",129,\"Home\"\r\n+CPBR: 2,\"+0302\",145,\"\"") + kOk},
                    {"AT+CPBW=\r", kError},
                    {"AT+CPBW=4,\"1\",300\r", kError},
                    {"AT+CPBW=4,\"1\",129,\"x\",5\r", kError},
                    {"AT+CPBR=\r", kError},
                    {"AT+CPBR=x\r", kError},
                });
    struct Refused {
        std::string command;
        std::string code;
    };
    for (const Refused& r : std::vector<Refused>{
             {"AT+CPBR=0", "21"},
             {"AT+CPBR=251", "21"},
             {"AT+CPBR=5,4", "21"},
             {"AT+CPBR=250,251", "21"},
             {"AT+CPBW=0", "21"},
             {"AT+CPBW=251,\"1\"", "21"},
             {"AT+CPBW=4,\"12a\"", "27"},
             {"AT+CPBW=4,\"1+2\"", "27"},
             {"AT+CPBW=4,\"030 1\"", "27"},
             {"AT+CPBW=4,\"" + forty + "1\"", "26"},
             {"AT+CPBW=4,\"1\",129,\"abcdefghijklmnopq\"", "24"},
         }) {
        EXPECT_EQ(phone.Feed(r.command + "\r"), Cme(r.code)) << r.command;
    }
    EXPECT_EQ(phone.FindMemory("SM")->entries.size(), 2u) << "a refused write must not store anything";
    // The limits themselves are allowed; a leading "+" is not a digit.
    Talk(phone, {
                    {"AT+CPBW=4,\"+" + forty + "\",145,\"abcdefghijklmnop\"\r", kOk},
                    {"AT+CPBW=250,\"*31#0301pW\"\r", kOk},
                });
    EXPECT_EQ(phone.FindMemory("SM")->entries.at(4).nameGsm.size(), 16u);
}

TEST(ModemSimulatorPhoneBook, FullMemoryAndItsOwnRange) {
    SimConfig config = Quiet();
    config.cmee = 1;
    ModemSimulator phone(config);
    Talk(phone, {{"AT+CPBS=\"ON\"\r", kOk}, {"AT+CPBW=5,\"1\"\r", Cme("21")}, {"AT+CPBW=2,\"2\"\r", kOk}});
    for (int i = 0; i < 3; ++i) EXPECT_EQ(phone.Feed("AT+CPBW=,\"1\"\r"), kOk);
    EXPECT_EQ(phone.Feed("AT+CPBW=,\"1\"\r"), Cme("20"));
    EXPECT_EQ(phone.Feed("AT+CPBS?\r"), Info("+CPBS: \"ON\",4,4") + kOk);
    EXPECT_EQ(phone.Feed("AT+CPBW=4,\"4\"\r"), kOk) << "overwriting in a full memory";
    EXPECT_EQ(phone.FindMemory("OW")->entries.at(4).number, "4");
    EXPECT_TRUE(phone.FindMemory("SM")->entries.empty());
}

TEST(ModemSimulatorPhoneBook, ReadingAnEmptyLocation) {
    struct Case {
        EmptyAnswer mode;
        int cmee;
        std::string answer;
    };
    const std::vector<Case> cases = {
        {EmptyAnswer::Ok, 1, kOk},
        {EmptyAnswer::Error, 1, kError},
        // These phones say +CME ERROR even with +CMEE=0.
        {EmptyAnswer::Cme, 0, Cme("22")},
        {EmptyAnswer::Cme, 1, Cme("22")},
        {EmptyAnswer::Cme, 2, Cme("not found")},
        {EmptyAnswer::NoEntry, 0, Info("no entry") + kOk},
    };
    for (const Case& c : cases) {
        SimConfig config = Quiet();
        config.emptyAnswer = c.mode;
        config.cmee = c.cmee;
        config.memories[0].entries[1] = SimEntry{"1", 129, "A"};
        ModemSimulator phone(config);
        const std::string entry = "+CPBR: 1,\"1\",129,\"A\"";
        SCOPED_TRACE(static_cast<int>(c.mode));
        EXPECT_EQ(phone.Feed("AT+CPBR=2\r"), c.answer);
        EXPECT_EQ(phone.Feed("AT+CPBR=1\r"), Info(entry) + kOk);
        EXPECT_EQ(phone.Feed("AT+CPBR=2,5\r"), kOk) << "a range of empty locations is no fault";
        // An earlier command's answer on the same line must not hide the empty location.
        if (c.mode == EmptyAnswer::Error) {
            EXPECT_EQ(phone.Feed("AT+CPBR=1;+CPBR=2\r"), Info(entry) + kError);
        }
    }
}

TEST(ModemSimulatorLine, AssemblyOfCommandLines) {
    struct Case {
        const char* what;
        std::vector<std::string> chunks;
        std::string answer;
    };
    const std::vector<Case> cases = {
        {"NUL before CR", {"AT\0\r"s}, kOk},
        {"ESC drops the line", {"AT+CPBW=1,\"1\x1b", "AT\r"}, kOk},
        {"Ctrl-Z drops the line", {"AT+CPBW=1,\"1\"\x1a", "AT\r"}, kOk},
        {"split over feeds", {"A", "T+C", "GMI", "\r"}, Info("Olvenstrom") + kOk},
        {"LF after CR", {"AT\r\nAT\r\n"}, kOk + kOk},
        {"lower case", {"at+cgmi\r"}, Info("Olvenstrom") + kOk},
        {"backspace", {"AT+CGMX\bI\r"}, Info("Olvenstrom") + kOk},
        {"noise before AT", {"\xff\x00~xAT\r"s}, kOk},
        {"no AT at all", {"hello\r"}, ""},
        {"two commands", {"AT+CMEE=1;+CPBS=\"ME\"\r", "AT+CPBR=0\r"}, kOk + Cme("21")},
        {"second fails", {"AT+CGMI;+XYZ\r"}, Info("Olvenstrom") + kError},
        {"basic then extended", {"ATE0V1+CGMI\r"}, Info("Olvenstrom") + kOk},
    };
    for (const Case& c : cases) {
        ModemSimulator phone(Quiet());
        std::string answer;
        for (const std::string& chunk : c.chunks) answer += phone.Feed(chunk);
        EXPECT_EQ(answer, c.answer) << c.what;
        EXPECT_TRUE(phone.FindMemory("SM")->entries.empty()) << c.what;
    }
}

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

TEST(ModemSimulatorLine, OverlongLineIsRefusedWhole) {
    ModemSimulator phone(Quiet());
    // Cut to the buffer size this line would still be a valid "ATE1".
    EXPECT_EQ(phone.Feed("ATE1" + std::string(5000, ' ') + "\r"), kError);
    EXPECT_EQ(phone.Feed("AT\r"), kOk) << "echo must still be off";
    EXPECT_EQ(phone.Feed("AT" + std::string(4094, ' ') + "\r"), kOk) << "4096 bytes still fit";
    EXPECT_EQ(phone.Feed(std::string(4097, 'x') + "\r"), kError);

    const std::string block(1 << 16, 'A');
    const long before = ResidentKiB();
    for (int i = 0; i < 256; ++i) phone.Feed(block);  // 16 MiB without a line end
    EXPECT_LT(ResidentKiB() - before, 4096);
    EXPECT_EQ(phone.Feed("\rAT\r"), kError + kOk);
}

TEST(ModemSimulatorState, RevisionGrowsOnChangesOnly) {
    struct Case {
        std::string command;
        bool changes;
    };
    const std::vector<Case> cases = {
        {"AT+CPBR=1", false},         {"AT+CPBW=1,\"1\"", true},     {"AT+CPBW=1,\"2\",129,\"x\"", true},
        {"AT+CPBW=0,\"1\"", false},   {"AT+CPBW=2,\"1a\"", false},   {"AT+CPBS=\"ME\"", false},
        {"AT+CPBW=,\"3\"", true},     {"AT+CPBW=1", true},           {"AT+CPBW=1", false},
        {"AT+CPBS=\"SM\"", false},    {"AT+CPBW=1", true},           {"AT+CSCS=\"UCS2\"", false},
    };
    ModemSimulator phone(Quiet());
    for (const Case& c : cases) {
        const auto before = phone.Revision();
        phone.Feed(c.command + "\r");
        EXPECT_EQ(phone.Revision() > before, c.changes) << c.command;
    }
}

TEST(ModemSimulatorState, HangUpAfterTheNthCommandLine) {
    SimConfig config = Quiet();
    config.hangupAfterCommands = 2;
    ModemSimulator phone(config);
    phone.Feed("AT\r");
    EXPECT_FALSE(phone.HangUpDue());
    phone.Feed("no command\r\x1b");
    EXPECT_EQ(phone.CommandCount(), 1);
    EXPECT_FALSE(phone.HangUpDue());
    phone.Feed("AT+CGMI;+CGMM\r");
    EXPECT_TRUE(phone.HangUpDue());
    EXPECT_EQ(phone.Commands(), (std::vector<std::string>{"AT", "AT+CGMI;+CGMM"}));

    ModemSimulator never(Quiet());
    for (int i = 0; i < 50; ++i) never.Feed("AT\r");
    EXPECT_FALSE(never.HangUpDue());
}

TEST(ModemSimulatorState, SilentGarbageAndRingingFaults) {
    SimConfig config;
    config.silent = true;
    ModemSimulator silent(config);
    EXPECT_EQ(silent.Feed("AT\rAT+CPBW=1,\"1\"\r"), "");
    EXPECT_TRUE(silent.FindMemory("SM")->entries.empty());

    config = Quiet();
    config.garbage = true;
    ModemSimulator noisy(config);
    EXPECT_EQ(noisy.Feed("AT\r"), "\xF8\x07~\x80"s + kOk);
    EXPECT_EQ(noisy.Feed("hello\r"), "") << "no answer, no noise";

    config = Quiet();
    config.unsolicitedInAnswer = true;
    ModemSimulator ringing(config);
    ringing.FindMemory("SM")->entries = {{1, {"1", 129, "A"}}, {2, {"2", 129, "B"}}};
    EXPECT_EQ(ringing.Feed("AT+CPBR=1,2\r"),
              "\r\n+CPBR: 1,\"1\",129,\"A\"\r\n\r\nRING\r\n+CPBR: 2,\"2\",129,\"B\"\r\n\r\nOK\r\n");
    EXPECT_EQ(ringing.Feed("AT\r"), kOk) << "an answer without text has no inside";
}

}  // namespace
}  // namespace ribodex::sim
