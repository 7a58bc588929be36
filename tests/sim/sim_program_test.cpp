// SPDX-License-Identifier: GPL-3.0-or-later
// The ribodex-sim program as a user runs it, checked by gammu, a client written without any
// knowledge of this simulator: if gammu identifies the phone, unlocks it and reads and
// deletes its entries, real clients cannot tell the simulator from a modem.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/version.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace ribodex {
namespace {

using test::ChildResult;
using test::RunChild;
using test::TempDir;

// ribodex-sim running in the background; its first stdout line is the pty path.
class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> args) {
        args.insert(args.begin(), RIBODEX_SIM_BIN);
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (spawned != 0) {
            pid = -1;
            ::close(out[0]);
            return;
        }
        // Wait for the path line, but never longer than 10 s.
        pollfd fd{out[0], POLLIN, 0};
        char c = 0;
        while (::poll(&fd, 1, 10000) > 0 && ::read(out[0], &c, 1) == 1 && c != '\n') path += c;
        stdoutFd = out[0];
    }
    ~SimProcess() {
        if (pid > 0) Stop();
        if (stdoutFd >= 0) ::close(stdoutFd);
    }
    // SIGTERM and wait; the exit code, or -1 when it did not end by itself within 5 s.
    int Stop() {
        ::kill(pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 500; ++i) {
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            ::usleep(10000);
        }
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        pid = -1;
        return -1;
    }

    std::string path;

private:
    pid_t pid = -1;
    int stdoutFd = -1;
};

class GammuAgainstSim : public ::testing::Test {
protected:
    void SetUp() override {
        if (::access("/usr/bin/gammu", X_OK) != 0) GTEST_SKIP() << "gammu is not installed";
        ASSERT_FALSE(dir.path.empty());
        link = dir.path + "/phone";
        book = dir.path + "/book.txt";
        rc = dir.path + "/gammurc";
        std::ofstream(rc) << "[gammu]\ndevice = " << link << "\nconnection = at19200\n";
        // "@" is 0x00 and "Ö" 0x5C in the GSM alphabet the SIM stores.
        std::ofstream(book) << "memory SM 1 250 40 16\n"
                               "1 \"+4930123456\" 145 \"J\\x7crg\"\n"
                               "2 \"0301234\" 129 \"\\x00home\"\n"
                               "250 \"112\" 129 \"Notruf\"\n"
                               "memory ME 1 500 40 24\n";
    }

    ChildResult Gammu(std::vector<std::string> args) {
        args.insert(args.begin(), {"/usr/bin/gammu", "-c", rc});
        return RunChild(args, {"LC_ALL=C.UTF-8", "HOME=" + dir.path});
    }

    std::string BookText() const {
        std::ifstream in(book);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TempDir dir;
    std::string link, book, rc;
};

TEST_F(GammuAgainstSim, IdentifiesTheSimulatedPhone) {
    SimProcess sim({"--link", link, "--book", book});
    ASSERT_EQ(sim.path, link);

    ChildResult id = Gammu({"identify"});
    ASSERT_EQ(id.exitCode, 0) << id.out << id.err;
    for (const char* expected : {"Olvenstrom", "Quillphone 7", "QP7 1.0.4", "356938035643809"})
        EXPECT_NE(id.out.find(expected), std::string::npos) << expected << "\n" << id.out;

    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link))) << "link left behind";
}

TEST_F(GammuAgainstSim, ReadsAndDeletesTheBookFromTheStateFile) {
    SimProcess sim({"--link", link, "--book", book, "--cmee", "1", "--empty", "cme"});
    ASSERT_EQ(sim.path, link);

    ChildResult all = Gammu({"getallmemory", "SM"});
    ASSERT_EQ(all.exitCode, 0) << all.out << all.err;
    for (const char* expected : {"\"Jörg\"", "\"+4930123456\"", "\"@home\"", "\"0301234\"", "\"Notruf\"", "\"112\""})
        EXPECT_NE(all.out.find(expected), std::string::npos) << expected << "\n" << all.out;

    ChildResult removed = Gammu({"deletememory", "SM", "2"});
    ASSERT_EQ(removed.exitCode, 0) << removed.out << removed.err;
    // The change is on disk at once: a sim started later keeps the book.
    const std::string saved = BookText();
    EXPECT_EQ(saved.find("0301234"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\"+4930123456\" 145 \"J|rg\""), std::string::npos) << saved;

    ChildResult after = Gammu({"getallmemory", "SM"});
    ASSERT_EQ(after.exitCode, 0) << after.out << after.err;
    EXPECT_EQ(after.out.find("@home"), std::string::npos) << after.out;
    EXPECT_NE(after.out.find("\"Notruf\""), std::string::npos) << after.out;
}

TEST_F(GammuAgainstSim, UnlocksWithThePinAndKeepsTheStateBetweenClients) {
    SimProcess sim({"--link", link, "--book", book, "--pin", "4711"});
    ASSERT_EQ(sim.path, link);

    ChildResult status = Gammu({"getsecuritystatus"});
    EXPECT_NE(status.out.find("PIN"), std::string::npos) << status.out << status.err;

    ChildResult locked = Gammu({"getallmemory", "SM"});
    EXPECT_EQ(locked.out.find("Notruf"), std::string::npos) << "read through a locked SIM\n" << locked.out;

    ChildResult unlocked = Gammu({"entersecuritycode", "PIN", "4711"});
    ASSERT_EQ(unlocked.exitCode, 0) << unlocked.out << unlocked.err;

    ChildResult all = Gammu({"getallmemory", "SM"});
    ASSERT_EQ(all.exitCode, 0) << all.out << all.err;
    EXPECT_NE(all.out.find("\"Notruf\""), std::string::npos) << all.out;
}

TEST(SimProgram, RefusesBadOptionsAndBrokenBooks) {
    TempDir dir;
    ASSERT_FALSE(dir.path.empty());
    const std::string bad = dir.path + "/bad.txt";
    std::ofstream(bad) << "memory SM 1 250 40 16\n1 \"123\" 129 \"unterminated\n";

    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* message;
    } cases[] = {
        {{}, 2, "--link PATH is required"},
        {{"--link", dir.path + "/p", "--cmee", "3"}, 2, "--cmee wants 0, 1 or 2"},
        {{"--link", dir.path + "/p", "--empty", "maybe"}, 2, "--empty wants"},
        {{"--link", dir.path + "/p", "--baud"}, 2, "every option takes a value"},
        {{"--link", dir.path + "/p", "--book", bad}, 1, "line 2"},
        {{"--link", dir.path + "/no-such-dir/p"}, 1, "cannot create the pseudo-terminal"},
    };
    for (Case& c : cases) {
        c.args.insert(c.args.begin(), RIBODEX_SIM_BIN);
        ChildResult run = RunChild(c.args, {}, 10000);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "") << c.message;
    }
    ChildResult version = RunChild({RIBODEX_SIM_BIN, "--version"}, {}, 10000);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "ribodex-sim " + std::string(kVersion) + "\n");

    // A refused book is not overwritten.
    std::ifstream in(bad);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("unterminated"), std::string::npos);
}

}  // namespace
}  // namespace ribodex
