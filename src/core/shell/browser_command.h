// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ribodex {

// Starting the program registered for a file type with one argument (the Internet command
// opens the home page this way). Pure functions over the registered texts; finding them and
// starting the process is the caller's.

// The extension with a "." put in front when it has none anywhere ("htm" -> ".htm").
std::string WithLeadingDot(std::string_view extension);

// A registered command cut just before its first quoted placeholder "\"%1\"": the
// placeholder and everything after it go. A command without it (also one with %1 unquoted)
// is returned whole.
std::string_view CutAtQuotedPlaceholder(std::string_view command);

// The command line of a registered Windows-style command: the cut command, one blank and
// the argument.
std::string AssociatedCommandLine(std::string_view command, std::string_view argument);

// The value of the Exec key in the [Desktop Entry] group of a desktop entry file, with the
// value escapes (\s \n \t \r \\) resolved; localised keys (Exec[de]) and other groups are not
// it. nullopt when the group or the key is missing or the value is empty. Reads any bytes.
std::optional<std::string> DesktopEntryExec(std::string_view fileText);

// The program and its arguments for an Exec value started with argument, as an argument list
// for a direct start (no shell): the value is cut like a registered command, split at blanks
// with double quotes grouping (inside them \" \` \$ \\ stand for the character); %u, %U, %f
// and %F become argument, %% a percent sign, and every other field code is dropped (a word
// that was nothing but dropped codes goes too). A value without %u, %U, %f or %F gets
// argument as its last word. nullopt for a value with an open quote, no program, or a field
// code in the program's name.
std::optional<std::vector<std::string>> ExecArguments(std::string_view exec, std::string_view argument);

}  // namespace ribodex
