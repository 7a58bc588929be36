// SPDX-License-Identifier: GPL-3.0-or-later
// The built ribodex-cli program as a user runs it: exit codes, the DEMO port, and the phone
// book exchanged with gammu, an independent client, over the same simulated phone.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <fstream>
#include <string>
#include <vector>

#include "core/version.h"
#include "sim/pty_modem.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace ribodex {
namespace {

using namespace std::string_literals;
using test::ChildResult;
using test::RunChild;
using test::TempDir;

const std::vector<std::string> kFast = {"RIBODEX_FAST_TIMING=1"};

ChildResult Cli(std::vector<std::string> args, std::vector<std::string> env = kFast) {
    args.insert(args.begin(), RIBODEX_CLI_BIN);
    return RunChild(args, env);
}

TEST(CliProgram, ExitCodesForUsageAndPort) {
    ChildResult usage = Cli({"list", "--format", "xml"});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.err.find("--format must be text or csv"), std::string::npos) << usage.err;
    EXPECT_EQ(usage.out, "");

    ChildResult help = Cli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: ribodex-cli"), std::string::npos);

    ChildResult version = Cli({"list", "--bogus", "--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "ribodex-cli " + std::string(kVersion) + "\n");

    // The port comes from the environment when --port is absent.
    ChildResult port = Cli({"status"}, {"RIBODEX_FAST_TIMING=1", "RIBODEX_PORT=/dev/ribodex-absent"});
    EXPECT_EQ(port.exitCode, 3);
    EXPECT_NE(port.err.find("/dev/ribodex-absent: status: cannot open"), std::string::npos) << port.err;
}

TEST(CliProgram, DemoPortIsABuiltInPhone) {
    TempDir home;
    ASSERT_FALSE(home.path.empty());
    const std::vector<std::string> env = {"RIBODEX_FAST_TIMING=1", "XDG_DATA_HOME=" + home.path};
    ChildResult written = Cli({"--port", "DEMO", "write", "--index", "200", "+4930999", "Åsa Öberg"}, env);
    ASSERT_EQ(written.exitCode, 0) << written.err;

    // A second run starts a new phone from the saved book.
    ChildResult listed = Cli({"--port", "DEMO", "list", "--format", "csv"}, env);
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out.rfind("index,number,name\r\n", 0), 0u) << listed.out;
    EXPECT_NE(listed.out.find("\r\n200,+4930999,Åsa Öberg\r\n"), std::string::npos) << listed.out;
}

class GammuInterop : public ::testing::Test {
protected:
    void SetUp() override {
        if (::access("/usr/bin/gammu", X_OK) != 0) GTEST_SKIP() << "gammu is not installed";
        ASSERT_FALSE(dir.path.empty());
        ASSERT_TRUE(modem.Start(dir.path + "/phone"));
        rc = dir.path + "/gammurc";
        std::ofstream(rc) << "[gammu]\ndevice = " << modem.SlavePath() << "\nconnection = at19200\n";
    }

    ChildResult Gammu(std::vector<std::string> args) {
        args.insert(args.begin(), {"/usr/bin/gammu", "-c", rc});
        return RunChild(args, {"LC_ALL=C.UTF-8", "HOME=" + dir.path});
    }

    TempDir dir;
    std::string rc;
    sim::PtyModem modem;
};

TEST_F(GammuInterop, GammuReadsWhatTheCliWrote) {
    const std::string port = modem.SlavePath();
    ASSERT_EQ(Cli({"--port", port, "write", "--index", "1", "+4930123456", "Jörg Müller"}).exitCode, 0);
    ASSERT_EQ(Cli({"--port", port, "write", "--index", "2", "0301234", "@home"}).exitCode, 0);
    ASSERT_EQ(Cli({"--port", port, "write", "--index", "5", "112", "Ärztlicher Dienst"}).exitCode, 1)
        << "17 characters: one more than a SIM name holds";
    ASSERT_EQ(Cli({"--port", port, "write", "--index", "5", "112", "Ärztl. Dienst"}).exitCode, 0);
    ASSERT_EQ(Cli({"--port", port, "write", "--index", "6", "+7495", "Иван 王"}).exitCode, 0);

    ChildResult all = Gammu({"getallmemory", "SM"});
    ASSERT_EQ(all.exitCode, 0) << all.out << all.err;
    for (const char* expected : {"\"Jörg Müller\"", "\"+4930123456\"", "\"@home\"", "\"0301234\"",
                                 "\"Ärztl. Dienst\"", "\"112\"", "\"Иван 王\""}) {
        EXPECT_NE(all.out.find(expected), std::string::npos) << expected << "\n" << all.out;
    }
}

TEST_F(GammuInterop, CliListsWhatGammuWrote) {
    const std::string vcf = dir.path + "/contacts.vcf";
    std::ofstream(vcf) << "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8:Schäfer\r\nTEL:+49891234\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8:Büro\r\nTEL:0301234\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8:Пётр 王\r\nTEL:+7495\r\nEND:VCARD\r\n";
    ChildResult added = Gammu({"addnew", vcf, "-yes", "-memory", "SM"});
    ASSERT_EQ(added.exitCode, 0) << added.out << added.err;

    ChildResult listed = Cli({"--port", modem.SlavePath(), "list", "--format", "csv"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_NE(listed.out.find(",+49891234,Schäfer\r\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find(",0301234,Büro\r\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find(",+7495,Пётр 王\r\n"), std::string::npos) << listed.out;
}

// A phone book saved by gammu comes back through our import, and gammu takes what we
// exported, names with umlauts and commas included.
TEST_F(GammuInterop, ContactsTravelBothWaysAsVCard) {
    const std::map<int, sim::SimEntry> book = {
        {1, {"+4930123456", 145, "J\x7Crg M\x7Eller"}},   // GSM 0x7C, 0x7E: o and u umlaut
        {2, {"0301234", 129, "B\x7Ero, 2. OG"}},
        {5, {"112", 129, "\x00home"s}},                 // GSM 0x00: "@"
    };
    const auto store = [this](const std::map<int, sim::SimEntry>& entries) {
        modem.With([&](sim::ModemSimulator& m) { m.FindMemory("SM")->entries = entries; });
    };
    const auto stored = [this] {
        std::vector<std::pair<std::string, std::string>> entries;
        modem.With([&](sim::ModemSimulator& m) {
            for (const auto& [index, entry] : m.FindMemory("SM")->entries) entries.emplace_back(entry.number, entry.nameGsm);
        });
        return entries;
    };
    store(book);
    const auto original = stored();

    const std::string backup = dir.path + "/backup.vcf";
    ChildResult saved = Gammu({"backup", backup, "-yes"});
    ASSERT_EQ(saved.exitCode, 0) << saved.out << saved.err;
    store({});
    ChildResult imported = Cli({"--port", modem.SlavePath(), "import", backup});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(stored(), original);

    ChildResult exported = Cli({"--port", modem.SlavePath(), "export"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const std::string ours = dir.path + "/ours.vcf";
    std::ofstream(ours, std::ios::binary) << exported.out;
    store({});
    ChildResult added = Gammu({"addnew", ours, "-yes", "-memory", "SM"});
    ASSERT_EQ(added.exitCode, 0) << added.out << added.err;
    EXPECT_EQ(stored(), original);
}

}  // namespace
}  // namespace ribodex
