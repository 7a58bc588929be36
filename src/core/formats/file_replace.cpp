// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/file_replace.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ribodex {

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A short write is followed by another that tells the system's reason.
bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t now = ::write(fd, text.data(), text.size());
        if (now < 0 && errno == EINTR) continue;
        if (now <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(now));
    }
    return true;
}

bool Fail(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
    return false;
}

}  // namespace

bool ReplacingIsSafe(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return true;  // nothing there to keep
    if (!S_ISREG(info.st_mode) || info.st_nlink > 1 || info.st_uid != ::geteuid()) return false;
    char real[PATH_MAX];
    if (::realpath(path.c_str(), real) == nullptr) return false;
    return ::access(FolderOf(real).c_str(), W_OK) == 0;
}

bool WriteFileReplacing(const std::string& path, std::string_view text, std::string* error) {
    if (!ReplacingIsSafe(path)) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd < 0) return Fail(error, "cannot open " + path);
        const bool written = WriteAll(fd, text);
        if (::close(fd) != 0 || !written) return Fail(error, "cannot write " + path);
        return true;
    }
    // Beside the file the link points to, so that the rename replaces that one.
    char real[PATH_MAX];
    const std::string target = ::realpath(path.c_str(), real) ? std::string(real) : path;
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return Fail(error, "cannot create a file beside " + path);
    struct stat info {};
    mode_t mode = 0;
    if (::stat(target.c_str(), &info) == 0) {
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    const bool written = WriteAll(fd, text) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) {
        const bool failed = Fail(error, "cannot write " + path);
        ::unlink(temporary.c_str());
        return failed;
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const bool failed = Fail(error, "cannot replace " + path);
        ::unlink(temporary.c_str());
        return failed;
    }
    return true;
}

}  // namespace ribodex
