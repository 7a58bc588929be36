#include <cstdio>
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
    std::strftime(stamp, sizeof stamp, "%m/%d/%Y %H:%M:%S", &local);

    std::FILE* file = std::fopen(tracePath.c_str(), "ab");
    if (!file) return false;
    std::fputs(stamp, file);
    std::fputs(" [COM]: ", file);
    std::fwrite(message.data(), 1, message.size(), file);  // counted: a NUL stays in the line
    std::fclose(file);
    return true;
}

}  // namespace ribodex
