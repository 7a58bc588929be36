// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_request.h"

#include "core/version.h"

namespace ribodex {
namespace {

// The value after a Qt option given as "-name VALUE" or "--name VALUE"; "" when absent.
std::string OptionValue(const std::vector<std::string>& arguments, const std::string& name)
{
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i)
        if (arguments[i] == "-" + name || arguments[i] == "--" + name)
            return arguments[i + 1];
    return {};
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

}  // namespace

StartRequest ReadStartRequest(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument == "-h" || argument == "--help")
            return StartRequest::Help;
        if (argument == "-v" || argument == "--version")
            return StartRequest::Version;
    }
    return StartRequest::Run;
}

std::string StartUsage()
{
    return "Usage: ribodex [--port NAME]\n"
           "Reads and edits the phone book of a GSM phone or modem on a serial port.\n"
           "\n"
           "  --port NAME    use this serial port for this run only; the stored port stays\n"
           "  -h, --help     print this help and exit\n"
           "  -v, --version  print the version and exit\n"
           "\n"
           "Without a display, ribodex-cli reads and writes the phone book from a terminal.\n";
}

std::string MissingDisplay(const std::vector<std::string>& arguments,
                           const std::function<std::string(const char*)>& environment)
{
    const bool x11 = !environment("DISPLAY").empty() || !OptionValue(arguments, "display").empty();
    const bool wayland = !environment("WAYLAND_DISPLAY").empty();
    std::string platforms = OptionValue(arguments, "platform");
    if (platforms.empty())
        platforms = environment("QT_QPA_PLATFORM");
    if (platforms.empty()) {
        if (x11 || wayland)
            return {};
        return "ribodex: no display to show the window on (DISPLAY is not set); use ribodex-cli "
               "without one";
    }
    for (const std::string& platform : Split(platforms, ';')) {
        const std::string name = Split(platform, ':').front();
        if (name == "xcb" ? x11 : name.rfind("wayland", 0) == 0 ? wayland : !name.empty())
            return {};
    }
    return "ribodex: no display for the platform \"" + platforms +
           "\" (DISPLAY or WAYLAND_DISPLAY is not set); use ribodex-cli without one";
}

}  // namespace ribodex
