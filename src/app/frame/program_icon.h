// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace ribodex {

// The program's icon for its windows: the installed theme icon (org.ribodex.Ribodex in
// hicolor, every size and the SVG) when the desktop has it, else the same sizes from the
// resources, so that the window system always gets one to scale from. UI thread only.
QIcon ProgramIcon();

}  // namespace ribodex
