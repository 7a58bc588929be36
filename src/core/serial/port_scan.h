// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace ribodex {

// One serial port of the machine and what it is, from sysfs.
struct SerialPortInfo {
    std::string path;        // root + "/dev/ttyUSB2"
    std::string byId;        // its /dev/serial/by-id link (root + ...), or empty
    std::string kind;        // "USB", "Bluetooth", "UART"
    std::string vendorId, productId;      // USB ids ("12d1"), empty elsewhere
    std::string manufacturer, product;    // USB strings, when the device gives them
    std::string interfaceNumber;          // USB interface ("02"), the one AT port of several
    // "USB 12d1:1506 Huawei Technologies HUAWEI Mobile, interface 02", "Bluetooth RFCOMM",
    // "on-board UART".
    std::string Description() const;
};

// The serial ports under root (empty: the real machine; tests give a fake tree with dev/
// and sys/): /dev/ttyUSB*, ttyACM*, rfcomm* and the on-board UARTs ttyS*, ttyAMA* that have
// a UART behind them (sysfs "type" not 0), sorted by kind and in natural order. Reads the
// directories once; any thread; a tree it cannot read gives fewer ports, never an error.
std::vector<SerialPortInfo> ScanSerialPorts(const std::string& root = {});

// Who holds a port that would not open (EBUSY), as far as can be known: "ModemManager (pid
// 812)" from a UUCP lock file or a process that has it open; empty when unknown.
std::string PortHolder(const std::string& devicePath, const std::string& root = {});

// One line on what to do about a busy port, naming holder when known.
std::string BusyPortRemedy(const std::string& holder);

}  // namespace ribodex
