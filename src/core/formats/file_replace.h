// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace ribodex {

// Whether a new file beside path may be renamed over it. Not for anything but a plain file
// of ours with one link in a folder we may write to: renaming would cut the other hard links
// loose, hand another user's file to us, or fail. True when nothing is there yet.
bool ReplacingIsSafe(const std::string& path);

// Writes text to path so that an old file there is never left cut short: the text goes to a
// new file beside it that then replaces it (keeping its permissions), or, where
// ReplacingIsSafe says no, into the file itself once the whole text is ready. On failure
// error (when given) says why and the old file is as it was wherever it could be replaced.
bool WriteFileReplacing(const std::string& path, std::string_view text, std::string* error = nullptr);

}  // namespace ribodex
