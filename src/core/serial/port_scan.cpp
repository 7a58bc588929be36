// SPDX-License-Identifier: GPL-3.0-or-later
// Serial ports from sysfs, and the program holding a busy one. Linux only: the paths are
// those of sysfs and of the UUCP lock files.
#include "core/serial/port_scan.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace ribodex {
namespace {

namespace fs = std::filesystem;

std::string ReadLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    return line;
}

// ttyUSB2 before ttyUSB10: trailing digits compare as numbers.
bool NaturalLess(const std::string& a, const std::string& b) {
    const auto stem = [](const std::string& s) { return s.find_last_not_of("0123456789") + 1; };
    const std::size_t sa = stem(a), sb = stem(b);
    if (a.compare(0, sa, b, 0, sb) != 0) return a.compare(0, sa, b, 0, sb) < 0;
    if (a.size() - sa != b.size() - sb) return a.size() - sa < b.size() - sb;
    return a < b;
}

// The USB interface and device directories above a tty's sysfs device, if any.
void AddUsbFacts(const fs::path& ttyDevice, SerialPortInfo& info) {
    std::error_code error;
    fs::path dir = fs::canonical(ttyDevice, error);
    for (int up = 0; !error && up < 6 && dir.has_relative_path(); ++up, dir = dir.parent_path()) {
        if (info.interfaceNumber.empty() && fs::exists(dir / "bInterfaceNumber", error))
            info.interfaceNumber = ReadLine(dir / "bInterfaceNumber");
        if (fs::exists(dir / "idVendor", error)) {
            info.vendorId = ReadLine(dir / "idVendor");
            info.productId = ReadLine(dir / "idProduct");
            info.manufacturer = ReadLine(dir / "manufacturer");
            info.product = ReadLine(dir / "product");
            return;
        }
    }
}

int KindRank(const std::string& name) {
    for (const auto& [prefix, rank] : {std::pair{"ttyUSB", 0}, {"ttyACM", 1}, {"rfcomm", 2}, {"ttyAMA", 3}, {"ttyS", 4}})
        if (name.rfind(prefix, 0) == 0) return rank;
    return -1;
}

}  // namespace

std::string SerialPortInfo::Description() const {
    if (kind != "USB") return kind == "Bluetooth" ? "Bluetooth RFCOMM" : "on-board UART";
    std::string text = "USB";
    if (!vendorId.empty()) text += " " + vendorId + ":" + productId;
    for (const std::string* part : {&manufacturer, &product})
        if (!part->empty()) text += " " + *part;
    if (!interfaceNumber.empty()) text += ", interface " + interfaceNumber;
    return text;
}

std::vector<SerialPortInfo> ScanSerialPorts(const std::string& root) {
    const fs::path dev = fs::path(root + "/dev");
    const fs::path ttyClass = fs::path(root + "/sys/class/tty");
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(dev, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const int rank = KindRank(name);
        if (rank < 0 || name.find_first_of("0123456789") == std::string::npos) continue;
        // The kernel makes ttyS0..31 whether or not a UART answers there; sysfs knows.
        if (rank >= 3 && ReadLine(ttyClass / name / "type").find_first_not_of("0") == std::string::npos) continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return KindRank(a) != KindRank(b) ? KindRank(a) < KindRank(b) : NaturalLess(a, b);
    });
    std::vector<SerialPortInfo> ports;
    for (const std::string& name : names) {
        SerialPortInfo info;
        info.path = (dev / name).string();
        const int rank = KindRank(name);
        info.kind = rank <= 1 ? "USB" : rank == 2 ? "Bluetooth" : "UART";
        if (rank <= 1) AddUsbFacts(ttyClass / name / "device", info);
        ports.push_back(std::move(info));
    }
    for (fs::directory_iterator it(dev / "serial" / "by-id", error), end; !error && it != end; it.increment(error)) {
        std::error_code linkError;
        const fs::path target = fs::canonical(it->path(), linkError);
        for (SerialPortInfo& info : ports) {
            // Compared as resolved paths: libstdc++'s equivalent() refuses device files.
            std::error_code portError;
            if (!linkError && fs::canonical(info.path, portError) == target && !portError)
                info.byId = it->path().string();
        }
    }
    return ports;
}

std::string PortHolder(const std::string& devicePath, const std::string& root) {
    const std::string name = fs::path(devicePath).filename().string();
    std::error_code error;
    const auto holderOf = [&root](const std::string& pid) {
        const std::string comm = ReadLine(root + "/proc/" + pid + "/comm");
        return comm.empty() ? std::string() : comm + " (pid " + pid + ")";
    };
    // A UUCP lock file holds the pid of the program that took the port (minicom, pppd...).
    for (const char* lockDir : {"/run/lock/", "/var/lock/"}) {
        std::string pid = ReadLine(root + lockDir + "LCK.." + name);
        pid.erase(0, pid.find_first_not_of(' '));
        if (!pid.empty() && pid.find_first_not_of("0123456789") == std::string::npos) {
            const std::string holder = holderOf(pid);
            if (!holder.empty()) return holder;
        }
    }
    // Else whoever has it open (ModemManager takes no lock file); other users' processes
    // are not visible to us, which leaves the holder unknown.
    const fs::path wanted = fs::weakly_canonical(devicePath, error);
    for (fs::directory_iterator proc(root + "/proc", error), end; !error && proc != end; proc.increment(error)) {
        const std::string pid = proc->path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        std::error_code fdError;
        for (fs::directory_iterator fd(proc->path() / "fd", fdError), none; !fdError && fd != none; fd.increment(fdError)) {
            std::error_code linkError;
            if (fs::read_symlink(fd->path(), linkError) == wanted && !linkError) return holderOf(pid);
        }
    }
    return {};
}

std::string BusyPortRemedy(const std::string& holder) {
    std::string text = holder.empty() ? "another program holds the port" : holder + " holds the port";
    text += "; stop it";
    if (holder.rfind("ModemManager", 0) == 0 || holder.empty())
        text += " (sudo systemctl stop ModemManager), let it go for a while (mmcli -m 0 --inhibit), or keep "
                "ModemManager off this port for good with a udev rule setting ENV{ID_MM_PORT_IGNORE}=\"1\"";
    return text;
}

}  // namespace ribodex
