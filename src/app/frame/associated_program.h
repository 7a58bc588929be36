// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace ribodex {

// Starts the program the desktop opens files of extension with (".htm", or "htm": a dot is
// put in front) with argument, and does not wait for it: the MIME type of the extension,
// its default application from xdg-mime, that application's desktop entry from the XDG
// data folders, its Exec line turned into an argument list, started directly (never through
// a shell). False when any step finds nothing or the start fails; the reason then goes to
// the terminal (the user's message says only that the start failed). Blocks while xdg-mime
// answers (at most a few seconds). UI thread.
bool RunAssociatedProgram(QString extension, const QString& argument);

}  // namespace ribodex
