// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/port_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace ribodex {
namespace {

namespace fs = std::filesystem;

// Names of dir's entries that start with prefix; entries that vanish or cannot be read are
// skipped, a missing dir gives nothing.
std::vector<std::string> Names(const fs::path& dir, const std::string& prefix)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0)
            names.push_back(std::move(name));
    }
    return names;
}

// ttyUSB2 before ttyUSB10: the trailing digits compare as numbers.
bool NaturalLess(const std::string& a, const std::string& b)
{
    auto split = [](const std::string& s) {
        size_t digits = s.size();
        while (digits > 0 && s[digits - 1] >= '0' && s[digits - 1] <= '9')
            --digits;
        return digits;
    };
    const size_t da = split(a), db = split(b);
    const std::string_view stemA(a.data(), da), stemB(b.data(), db);
    if (stemA != stemB)
        return stemA < stemB;
    const size_t lengthA = a.size() - da, lengthB = b.size() - db;
    if (lengthA != lengthB)
        return lengthA < lengthB;
    return a < b;
}

}  // namespace

std::vector<std::string> AvailablePorts(const std::string& devRoot)
{
    std::vector<std::string> ports;
    for (int n = 1; n <= 8; ++n)
        ports.push_back("COM" + std::to_string(n));

    std::vector<std::string> byId = Names(fs::path(devRoot) / "serial" / "by-id", "");
    std::sort(byId.begin(), byId.end());
    for (const std::string& name : byId)
        ports.push_back("/dev/serial/by-id/" + name);

    // Bluetooth phones (rfcomm) and the UARTs of boards such as the Raspberry Pi (ttyAMA).
    for (const char* prefix : {"ttyUSB", "ttyACM", "rfcomm", "ttyAMA"}) {
        std::vector<std::string> ttys = Names(devRoot, prefix);
        std::sort(ttys.begin(), ttys.end(), NaturalLess);
        for (const std::string& name : ttys)
            ports.push_back("/dev/" + name);
    }

    ports.push_back("DEMO");
    return ports;
}

}  // namespace ribodex
