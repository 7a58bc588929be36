// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "core/serial/serial_link.h"

namespace ribodex {

bool SerialLink::Trace(std::string_view message) {
    if (tracePath.empty() || message.empty()) return false;
    std::lock_guard<std::mutex> lock(traceLock);

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    const std::size_t stampSize = std::strftime(stamp, sizeof stamp, "%m/%d/%Y %H:%M:%S", &local);

    std::string line(stamp, stampSize);
    line += " [COM]: ";
    line.append(message);  // counted: a NUL stays in the line

    // The trace holds every PIN and PUK sent: its file is read and written by its user only,
    // whatever mode an earlier run or another program left it in (readable to the group or to
    // others, or not readable to its user); a terminal or a pipe given as the path stays as it is.
    const int fd = ::open(tracePath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
        (info.st_mode & 07777) != 0600)
        ::fchmod(fd, 0600);
    std::size_t written = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(fd, line.data() + written, line.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // a full disk loses the line, as a failed write always did
        written += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return true;
}

}  // namespace ribodex
