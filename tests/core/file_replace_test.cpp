// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/file_replace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace ribodex {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

TEST(FileReplace, KeepsWhatTheOldFileWasToItsOwner) {
    char name[] = "/tmp/ribodex-replace-XXXXXX";
    const fs::path folder = ::mkdtemp(name);
    const fs::path own = folder / "own.vcf", linked = folder / "linked.vcf", other = folder / "other.vcf",
                   target = folder / "target.vcf", symlink = folder / "symlink.vcf";
    for (const fs::path& path : {own, linked, target}) std::ofstream(path) << "old old old";
    fs::permissions(own, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_hard_link(linked, other);
    fs::create_symlink(target, symlink);

    ASSERT_TRUE(WriteFileReplacing(folder / "new.vcf", "new"));
    ASSERT_TRUE(WriteFileReplacing(own, "own"));        // replaced: keeps 0640
    ASSERT_TRUE(WriteFileReplacing(linked, "linked"));  // in place: the other link sees it
    ASSERT_TRUE(WriteFileReplacing(symlink, "target")); // the file named is replaced
    EXPECT_FALSE(WriteFileReplacing(folder / "no-such-folder/x.vcf", "x"));

    EXPECT_EQ(Read(folder / "new.vcf"), "new");
    EXPECT_EQ(Read(own), "own");
    EXPECT_EQ(fs::status(own).permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_EQ(Read(other), "linked");
    EXPECT_TRUE(fs::is_symlink(symlink));
    EXPECT_EQ(Read(target), "target");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 6);  // nothing left beside
    fs::remove_all(folder);
}

}  // namespace
}  // namespace ribodex
