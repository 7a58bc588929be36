// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ribodex {

// What `ribodex` does before any Qt object exists: answer --help and --version, and find out
// whether a window can be shown at all. QApplication aborts the process when its platform
// plugin finds no display, so this is decided from the arguments and the environment alone.
// Pure functions; any thread.

enum class StartRequest { Run, Help, Version };

// Help for -h/--help and version for -v/--version, wherever they stand; the first one wins.
StartRequest ReadStartRequest(const std::vector<std::string>& arguments);

// The text --help prints, ending with a newline.
std::string StartUsage();

// Empty when a window can be shown; otherwise the one line that says why not. The platform
// comes from "-platform NAME" (also "--platform"), else QT_QPA_PLATFORM; a list "a;b" is
// tried in order, options after ":" are ignored. xcb needs DISPLAY (or -display), wayland
// WAYLAND_DISPLAY; every other plugin (offscreen, vnc, eglfs...) brings its own output.
// Without a platform either display will do. environment returns "" for an unset variable.
std::string MissingDisplay(const std::vector<std::string>& arguments,
                           const std::function<std::string(const char*)>& environment);

}  // namespace ribodex
