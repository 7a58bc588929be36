// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/file_replace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace ribodex {
namespace {

struct Folder {
    std::string path;
    Folder() {
        char name[] = "/tmp/ribodex-replace-XXXXXX";
        path = ::mkdtemp(name);
    }
    ~Folder() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    int Files() const {
        int count = 0;
        DIR* dir = ::opendir(path.c_str());
        while (dirent* item = ::readdir(dir)) count += item->d_name[0] != '.';
        ::closedir(dir);
        return count;
    }
};

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Put(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

TEST(FileReplace, KeepsWhatTheOldFileWasToItsOwner) {
    Folder folder;
    const std::string fresh = folder / "new.vcf";
    ASSERT_TRUE(WriteFileReplacing(fresh, "one"));
    EXPECT_EQ(Read(fresh), "one");

    // Replaced: its permissions stay, and nothing is left beside it.
    const std::string own = folder / "own.vcf";
    Put(own, "old old old");
    ::chmod(own.c_str(), 0640);
    ASSERT_TRUE(WriteFileReplacing(own, "two"));
    struct stat info {};
    ::stat(own.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(Read(own), "two");
    EXPECT_EQ(folder.Files(), 2);

    // A second hard link sees the new text: written in place, never cut loose.
    const std::string linked = folder / "linked.vcf", other = folder / "other.vcf";
    Put(linked, "old");
    ASSERT_EQ(::link(linked.c_str(), other.c_str()), 0);
    EXPECT_FALSE(ReplacingIsSafe(linked));
    ASSERT_TRUE(WriteFileReplacing(linked, "three"));
    EXPECT_EQ(Read(other), "three");

    // Through a symbolic link the file it names is replaced; the link stays a link.
    const std::string target = folder / "target.vcf", symlink = folder / "symlink.vcf";
    Put(target, "old");
    ASSERT_EQ(::symlink(target.c_str(), symlink.c_str()), 0);
    ASSERT_TRUE(WriteFileReplacing(symlink, "four"));
    struct stat linkInfo {};
    ::lstat(symlink.c_str(), &linkInfo);
    EXPECT_TRUE(S_ISLNK(linkInfo.st_mode));
    EXPECT_EQ(Read(target), "four");

    EXPECT_FALSE(WriteFileReplacing(folder / "no-such-folder/x.vcf", "five"));
}

}  // namespace
}  // namespace ribodex
