// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/serial_link.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <system_error>

#include "core/serial/baud_rates.h"

namespace ribodex {

std::string DefaultDevicePath(const std::string& portName) {
    if (!portName.empty() && portName.front() == '/') return portName;
    if (portName.size() > 3 && portName.compare(0, 3, "COM") == 0) {
        int number = 0;
        for (std::size_t i = 3; i < portName.size(); ++i) {
            char c = portName[i];
            if (c < '0' || c > '9' || number > 1000) return {};
            number = number * 10 + (c - '0');
        }
        if (number >= 1) return "/dev/ttyS" + std::to_string(number - 1);
    }
    return {};
}

SerialLink::SerialLink() = default;

SerialLink::~SerialLink() {
    Disconnect();
    CloseHandles();
}

bool SerialLink::SetPort(const std::string& portName) {
    if (connected.load()) return false;
    port = portName;
    return true;
}

void SerialLink::TraceOperation(const char* operation, std::string_view detail) {
    std::string line = operation;
    line += '(';
    line += port;
    line += "): ";
    line += detail;
    line += '\n';
    Trace(line);
}

void SerialLink::CloseHandles() {
    for (int& end : wakePipe) {
        if (end >= 0) ::close(end);
        end = -1;
    }
}

bool SerialLink::OpenPort() {
    const std::string path = portMapper ? portMapper(port) : DefaultDevicePath(port);
    openError = 0;
    if (path.empty()) {
        openError = ENOENT;
        return false;
    }
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        openError = errno;
        return false;
    }
    // Another program on the same port would steal half of every answer.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        openError = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return false;
    }
    ::ioctl(fd, TIOCEXCL);
    commHandle = fd;
    return true;
}

void SerialLink::ClosePort() {
    if (commHandle < 0) return;
    // The exclusive flag outlives us when somebody else keeps the line open (a pty's master
    // side, a getty): clear it so the next open does not fail with EBUSY.
    ::ioctl(commHandle, TIOCNXCL);
    ::flock(commHandle, LOCK_UN);
    ::close(commHandle);
    commHandle = -1;
}

bool SerialLink::ConfigureRaw() {
    termios settings{};
    if (::tcgetattr(commHandle, &settings) != 0) return false;
    // Raw bytes both ways. Software flow control goes too: GSM 0x11 and 0x13 are letters of a
    // name, and taken as XON/XOFF they would vanish and stop our output until a time-out.
    // Hardware flow control (CRTSCTS) stays as the driver has it.
    settings.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    settings.c_oflag &= ~OPOST;
    settings.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    settings.c_cflag |= CREAD | CLOCAL;
    // With MIN 1 an empty non-blocking read says EAGAIN, so a read of 0 can only mean hang-up.
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    return ::tcsetattr(commHandle, TCSANOW, &settings) == 0;
}

bool SerialLink::SetDtr(bool raise) {
    int bits = TIOCM_DTR;
    if (::ioctl(commHandle, raise ? TIOCMBIS : TIOCMBIC, &bits) == 0) return true;
    // A pseudo-terminal has no modem lines; that is not a failure.
    return errno == ENOTTY || errno == EINVAL;
}

bool SerialLink::Connect() {
    Disconnect();

    CloseHandles();
    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        wakePipe[0] = wakePipe[1] = -1;
        TraceOperation("Connect", "CreateOverlapped failed!");
        return false;
    }
    if (!OpenPort()) {
        TraceOperation("Connect", "CreateFile failed!");
        CloseHandles();
        return false;
    }
    ::tcflush(commHandle, TCIOFLUSH);
    if (!ConfigureRaw()) {
        TraceOperation("Connect", "SetCommTimeouts failed!");
        ClosePort();
        CloseHandles();
        return false;
    }
    if (!SetupConnection(-1, -1, -1, -1)) {
        TraceOperation("Connect", "SetupConnection failed!");
        ClosePort();
        CloseHandles();
        return false;
    }

    connected = 1;
    lineLost = false;
    try {
        receiverRunning = true;
        receiver = std::thread(&SerialLink::ReceiverThread, this);
    } catch (const std::system_error&) {
        receiverRunning = false;
        TraceOperation("Connect", "CreateThread failed!");
        ClosePort();
        CloseHandles();
        connected = 0;
        return false;
    }

    if (!SetDtr(true)) {
        TraceOperation("Connect", "EscapeCommFunction failed!");
        Disconnect();
        return false;
    }
    if (!Settle(timing.afterDtrMs)) {
        TraceOperation("Connect", "Stopped by the user!");
        Disconnect();
        return false;
    }
    TraceOperation("Connect", "Succeeded!");
    return true;
}

bool SerialLink::SetupConnection(int baud, int bits, int parityCode, int stopCode) {
    termios settings{};
    if (commHandle < 0 || ::tcgetattr(commHandle, &settings) != 0) {
        TraceOperation("SetupConnection", "SetCommState failed!");
        return false;
    }
    const LineFields wanted{baud == -1 ? baudRate : static_cast<unsigned>(baud), bits == -1 ? dataBits : bits,
                            parityCode == -1 ? parity : parityCode, stopCode == -1 ? stopBits : stopCode};
    if (!SetLineFields(settings, wanted) || ::tcsetattr(commHandle, TCSANOW, &settings) != 0) {
        TraceOperation("SetupConnection", "SetCommState failed!");
        return false;
    }

    // Keep what the driver accepted, not what was asked for.
    termios accepted{};
    if (::tcgetattr(commHandle, &accepted) == 0) {
        const LineFields taken = GetLineFields(accepted);
        baudRate = taken.baud;
        dataBits = taken.bits;
        parity = taken.parity;
        stopBits = taken.stop;
    }
    char detail[128];
    std::snprintf(detail, sizeof detail, "Baud rate = %d, Data bits = %d, Parity = %d, Stop bits = %d",
                  static_cast<int>(baudRate), dataBits, parity, stopBits);
    TraceOperation("SetupConnection", detail);
    return true;
}

bool SerialLink::Disconnect() {
    if (!connected.load()) {
        TraceOperation("Disconnect", "Already disconnected!");
        return true;
    }
    connected = 0;
    const char wake = 'x';
    if (::write(wakePipe[1], &wake, 1) != 1 && errno != EAGAIN) {
        TraceOperation("Disconnect", "SetCommMask failed!");
        connected = 1;
        return false;
    }
    // The receiver wakes on the pipe whatever the device does, so joining cannot hang.
    if (receiver.joinable()) receiver.join();

    SetDtr(false);
    ::tcflush(commHandle, TCIOFLUSH);
    ClosePort();
    CloseHandles();
    TraceOperation("Disconnect", "Suceeded!");
    Settle(timing.afterDisconnectMs);
    return true;
}

bool SerialLink::Settle(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return true;
}

}  // namespace ribodex
