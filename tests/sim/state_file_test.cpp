// SPDX-License-Identifier: GPL-3.0-or-later
// The phone book text of the simulated phone: what is saved comes back unchanged, and a
// broken text is refused whole with the line that broke it.
#include "sim/state_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace ribodex::sim {
namespace {

using namespace std::string_literals;

std::vector<SimMemory> Sample() {
    std::vector<SimMemory> memories = DefaultMemories();
    std::string everyByte;
    for (int c = 0; c < 0x80; ++c) everyByte += static_cast<char>(c);
    auto& sim = memories[0].entries;
    sim[1] = {"+4930123", 145, everyByte};
    sim[2] = {"\"\\x41\"", 129, "\\\"\\\\\""};  // quotes and backslashes that look like escapes
    sim[250] = {"", 161, ""};
    sim[17] = {"0301", 129, "  # not a comment "};
    memories[3].entries[4] = {"112", 129, "\x00\x1b\r\n"s};  // ON, written under its alias OW
    memories[1].maxName = 0;
    memories[1].entries[500] = {"1", 128, ""};
    memories.push_back({"XX", "", -3, -1, 0, 3, {{-2, {"*#", 255, "\x7f"}}}});
    return memories;
}

TEST(StateFile, SaveThenLoadGivesTheSameBooks) {
    const std::vector<SimMemory> memories = Sample();
    const std::string text = SaveState(memories);
    std::string error;
    const auto loaded = LoadState(text, &error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(*loaded, memories);

    // One line per memory, alias and entry, plus the heading: no byte breaks a line.
    std::size_t entries = 0;
    for (const SimMemory& memory : memories) entries += memory.entries.size();
    EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), 1 + memories.size() + 1 + entries);
    for (char c : text) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c <= 0x7E)) << static_cast<int>(c);
    EXPECT_EQ(SaveState(*loaded), text);
}

TEST(StateFile, HandWrittenTextWithCommentsAliasAndCrLf) {
    const std::string text =
        "# my phone\r\n"
        "\n"
        "   # indented comment\n"
        "memory SM 1 10 20 8\r\n"
        "alias AD\n"
        "  3   \"+49\\x22\"   145 \"a\\x5Cb\\x00\"  \n"
        "1 \"0301\" 129 \"#x\"\n"
        "memory ME 1 5 40 24";
    std::string error;
    const auto loaded = LoadState(text, &error);
    ASSERT_TRUE(loaded) << error;
    ASSERT_EQ(loaded->size(), 2u);
    const SimMemory& sim = (*loaded)[0];
    EXPECT_EQ(sim.name, "SM");
    EXPECT_EQ(sim.alias, "AD");
    EXPECT_EQ(std::vector<int>({sim.first, sim.last, sim.maxNumber, sim.maxName}), std::vector<int>({1, 10, 20, 8}));
    EXPECT_EQ(sim.entries.at(3), (SimEntry{"+49\"", 145, "a\\b\x00"s}));
    EXPECT_EQ(sim.entries.at(1), (SimEntry{"0301", 129, "#x"}));
    EXPECT_EQ((*loaded)[1].last, 5);
    EXPECT_TRUE((*loaded)[1].entries.empty());
    EXPECT_TRUE(LoadState("", &error)->empty());
}

TEST(StateFile, BrokenTextIsRefusedWithItsLine) {
    const std::string head = "memory SM 1 10 20 8\n1 \"1\" 129 \"a\"\n";  // lines 1 and 2 are fine
    struct Case {
        std::string text;
        int line;
        std::string why;
    };
    const std::vector<Case> cases = {
        {"1 \"1\" 129 \"a\"\n", 1, "before the first memory"},
        {"memory SM 1 10 20\n", 1, "expected: memory"},
        {"memory SM 1 10 20 8 9\n", 1, "expected: memory"},
        {"memory SM 1 ten 20 8\n", 1, "expected: memory"},
        {"memory SM 1 10 20 99999999999\n", 1, "expected: memory"},
        {"memory SM 10 1 20 8\n", 1, "impossible"},
        {"memory SM 1 10 -1 8\n", 1, "impossible"},
        {head + "memory SM 1 2 3 4\n", 3, "appears twice"},
        {"alias OW\n", 1, "alias line"},
        {head + "alias OW\nalias OX\n", 4, "alias line"},
        {"memory SM 1 2 3 4\nalias A B\n", 2, "alias line"},
        {head + "11 \"1\" 129 \"a\"\n", 3, "outside"},
        {head + "0 \"1\" 129 \"a\"\n", 3, "outside"},
        {head + "1 \"2\" 129 \"b\"\n", 3, "appears twice"},
        {head + "x \"1\" 129 \"a\"\n", 3, "starts with its index"},
        {head + "2\"1\" 129 \"a\"\n", 3, "starts with its index"},
        {head + "2 1 129 \"a\"\n", 3, "quoted text is expected"},
        {head + "2 \"1\" 129\n", 3, "quoted text is expected"},
        {head + "2 \"1\" x \"a\"\n", 3, "expected: INDEX"},
        {head + "2 \"1\" 129 \"a\n", 3, "closing quote"},
        {head + "2 \"1\" 129 \"a\\q\"\n", 3, "backslash"},
        {head + "2 \"1\" 129 \"a\\x4\"\n", 3, "backslash"},
        {head + "2 \"1\" 129 \"a\\x4", 3, "backslash"},
        {head + "2 \"1\" 129 \"a\" b\n", 3, "text after the name"},
        {head + "\n# fine so far\n2 \"1\" 129 \"a\"\"\n", 5, "text after the name"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(LoadState(c.text, &error)) << c.text;
        EXPECT_TRUE(error.starts_with("line " + std::to_string(c.line) + ": ")) << c.text << " -> " << error;
        EXPECT_NE(error.find(c.why), std::string::npos) << c.text << " -> " << error;
        EXPECT_FALSE(LoadState(c.text, nullptr));
    }
}

class StateFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(dir.path.empty()); }
    test::TempDir dir;
};

TEST_F(StateFileOnDisk, SaveReplacesAndLoadsBack) {
    const std::string path = dir / "book.txt";
    std::string error;
    ASSERT_TRUE(SaveStateFile(path, DefaultMemories(), &error)) << error;
    ASSERT_TRUE(SaveStateFile(path, Sample(), &error)) << error;
    const auto loaded = LoadStateFile(path, &error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(*loaded, Sample());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1) << "no temporary file is left";
}

TEST_F(StateFileOnDisk, MissingBrokenAndUnwritableFiles) {
    std::string error;
    const std::string missing = dir / "missing.txt";
    EXPECT_FALSE(LoadStateFile(missing, &error));
    EXPECT_NE(error.find(missing), std::string::npos) << error;

    const std::string broken = dir / "broken.txt";
    std::ofstream(broken) << "memory SM 1 10 20 8\n1 \"1\" 129\n";
    EXPECT_FALSE(LoadStateFile(broken, &error));
    EXPECT_EQ(error.rfind(broken + ": line 2: ", 0), 0u) << error;

    error.clear();
    EXPECT_FALSE(SaveStateFile(dir / "no-such-dir/book.txt", Sample(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1);
}

}  // namespace
}  // namespace ribodex::sim
