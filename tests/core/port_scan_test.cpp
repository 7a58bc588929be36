// The port listing on a fake machine (dev, sys and lock trees), and --probe over ptys.
#include "core/serial/port_scan.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "core/device/gsm_device.h"
#include "core/device/port_probe.h"
#include "core/raw_pty.h"
#include "sim/pty_modem.h"
#include "support/temp_dir.h"

namespace ribodex {
namespace {

namespace fs = std::filesystem;

void Put(const std::string& file, const std::string& text) {
    fs::create_directories(fs::path(file).parent_path());
    std::ofstream(file) << text << "\n";
}

TEST(PortScan, ListsWhatEachPortIsAndProbeFindsTheOneAtPort) {
    test::TempDir root;
    test::RawPty silent, held;
    sim::PtyModem modem;
    ASSERT_TRUE(modem.Start());
    // A Huawei stick: three interfaces, only the second answers AT, the third is held.
    const std::string usb = root / "sys/devices/usb1/1-1";
    Put(usb + "/idVendor", "12d1");
    Put(usb + "/idProduct", "1506");
    Put(usb + "/manufacturer", "Huawei Technologies");
    Put(usb + "/product", "HUAWEI Mobile");
    const std::string ptys[] = {silent.SlavePath(), modem.SlavePath(), held.SlavePath()};
    fs::create_directories(root / "dev");
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i), tty = "ttyUSB" + n;
        Put(usb + "/1-1:1." + n + "/bInterfaceNumber", "0" + n);
        fs::create_directories(usb + "/1-1:1." + n + "/" + tty);
        fs::create_directories(root / "sys/class/tty/" + tty);
        fs::create_directory_symlink(usb + "/1-1:1." + n + "/" + tty, root / "sys/class/tty/" + tty + "/device");
        fs::create_symlink(ptys[i], root / "dev/" + tty);
    }
    fs::create_directories(root / "dev/serial/by-id");
    fs::create_symlink("../../ttyUSB1", root / "dev/serial/by-id/usb-HUAWEI_Mobile-if01-port0");
    // ttyS0 has a UART behind it, ttyS1 is only a name the kernel made.
    for (const char* uart : {"ttyS0", "ttyS1", "rfcomm0"}) Put(root / "dev/" + uart, "");
    Put(root / "sys/class/tty/ttyS0/type", "4");
    Put(root / "sys/class/tty/ttyS1/type", "0");
    Put(root / "run/lock/LCK..ttyUSB2", "      4242");
    Put(root / "proc/4242/comm", "minicom");

    std::vector<std::string> listed;
    for (const SerialPortInfo& port : ScanSerialPorts(root.path))
        listed.push_back(port.path.substr(root.path.size()) + " " + port.Description() + " " + port.byId);
    const std::string id = " " + root.path + "/dev/serial/by-id/usb-HUAWEI_Mobile-if01-port0";
    EXPECT_EQ(listed, (std::vector<std::string>{
                          "/dev/ttyUSB0 USB 12d1:1506 Huawei Technologies HUAWEI Mobile, interface 00 ",
                          "/dev/ttyUSB1 USB 12d1:1506 Huawei Technologies HUAWEI Mobile, interface 01" + id,
                          "/dev/ttyUSB2 USB 12d1:1506 Huawei Technologies HUAWEI Mobile, interface 02 ",
                          "/dev/rfcomm0 Bluetooth RFCOMM ", "/dev/ttyS0 on-board UART "}));

    GsmDevice other;
    other.timing.afterDtrMs = 0;
    other.SetPort(held.SlavePath());
    ASSERT_TRUE(other.Connect());
    const PortProbe probes[] = {ProbePort(root / "dev/ttyUSB0", 300), ProbePort(root / "dev/ttyUSB1", 300),
                                ProbePort(root / "dev/ttyUSB2", 300)};
    EXPECT_FALSE(probes[0].answers);
    EXPECT_EQ(probes[0].openError, 0);
    EXPECT_TRUE(probes[1].answers);
    EXPECT_EQ(probes[1].maker + " " + probes[1].model, "Olvenstrom Quillphone 7");
    EXPECT_EQ(probes[2].openError, EBUSY) << "a port another program holds is left alone";
    EXPECT_EQ(PortHolder(root / "dev/ttyUSB2", root.path), "minicom (pid 4242)");
    EXPECT_EQ(PortHolder(root / "dev/ttyUSB0", root.path), "");
    EXPECT_NE(BusyPortRemedy("").find("ID_MM_PORT_IGNORE"), std::string::npos);
}

}  // namespace
}  // namespace ribodex
