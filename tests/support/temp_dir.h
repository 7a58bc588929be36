// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace ribodex::test {

// A fresh directory below /tmp, removed with everything in it when the test ends.
class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/ribodex-test-XXXXXX";
        if (::mkdtemp(pattern)) path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string operator/(std::string_view name) const { return path + "/" + std::string(name); }

    std::string path;  // empty when no directory could be made
};

}  // namespace ribodex::test
