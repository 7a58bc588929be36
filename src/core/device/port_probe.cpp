// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the one port of a USB modem that answers AT.
#include "core/device/port_probe.h"

#include <cerrno>

#include "core/device/answer_parser.h"
#include "core/device/gsm_device.h"

namespace ribodex {

std::string InformationLine(const std::string& answer) {
    for (std::size_t at = 0; at < answer.size();) {
        std::size_t end = answer.find_first_of("\r\n", at);
        if (end == std::string::npos) end = answer.size();
        std::string_view line = Trim(std::string_view(answer).substr(at, end - at));
        at = end + 1;
        if (line.empty() || line.rfind("AT", 0) == 0 || line == "OK" || line.find("ERROR") != std::string_view::npos)
            continue;
        // Some modems prefix the line with the command's name ("+CGMI: Quectel").
        if (line.rfind("+CGM", 0) == 0 && line.find(':') != std::string_view::npos)
            line = Trim(line.substr(line.find(':') + 1));
        return std::string(line);
    }
    return {};
}

PortProbe ProbePort(const std::string& path, int limitMs) {
    PortProbe probe;
    GsmDevice device;
    device.timing.afterDtrMs = 50;  // a modem port answers at once; a phone may want longer
    device.timing.afterDisconnectMs = 0;
    device.SetPort(path);
    if (!device.Connect()) {
        probe.openError = device.OpenError() != 0 ? device.OpenError() : EIO;
        return probe;
    }
    probe.answers = HasOk(device.Exchange("AT\r", limitMs));
    if (probe.answers) {
        probe.maker = InformationLine(device.Exchange("AT+CGMI\r", limitMs));
        probe.model = InformationLine(device.Exchange("AT+CGMM\r", limitMs));
    }
    device.Disconnect();
    return probe;
}

}  // namespace ribodex
