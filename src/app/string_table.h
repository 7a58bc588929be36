// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <initializer_list>
#include <string_view>

namespace ribodex {

// Ids of the strings the window shows besides those of core/session/user_interface.h and
// the command ids of core/list/command_state.h, which share this table.
enum StringId : int {
    IDS_INDEX_COLUMN = 129,
    IDS_NUMBER_COLUMN = 130,
    IDS_NAME_COLUMN = 131,
    // 134, 143, 144, 164 to 166, 180, 181, 184: core/session/user_interface.h
    // 135 to 140: the memories' display texts (PhoneBookStorageInfo::textId)
    IDS_PRINT_PAGE_HEADING = 141,   // %d = page number
    IDS_ERROR = 142,                // OK box
    IDS_EXPORT_FILTER = 145,        // description|pattern||
    IDS_MENU_NEW_ENTRY = 148,       // the context menus' own item texts
    IDS_MENU_DELETE_ENTRY = 149,
    IDS_MENU_EDIT = 150,
    IDS_MENU_CUT = 151,
    IDS_MENU_COPY = 152,
    IDS_MENU_PASTE = 153,
    IDS_INVALID_NUMBER = 154,       // OK box
    IDS_MENU_VIEW = 155,
    IDS_PIN_MISMATCH = 161,
    IDS_BROWSER_FAILED = 162,       // OK box
    IDS_NO_ENTRY_FOUND = 163,       // OK box
    IDS_PROGRESS_COUNT = 182,       // the status bar's progress, %d of %d
    IDS_CANCEL = 183,               // the status bar's button that stops a long operation
    IDS_PROGRESS_SECONDS_LEFT = 185, // the status bar's progress of a wait, %d seconds left
    IDS_PORT_NOT_CONNECTED = 186,   // the port pane while not connected, %s = port
    IDS_LIST_INCOMPLETE = 187,      // the memory pane after a read that did not end whole, %s = "SIM 90/250"
    ID_INDICATOR_CAPS = 59137,
    ID_INDICATOR_NUM = 59138,
    ID_INDICATOR_SCRL = 59139,
    AFX_IDS_APP_TITLE = 57344,
};

// The program's string table: every text by its numeric id, in the language of the
// translator installed at the time of the call (English source texts, German from
// translations/ribodex_de.ts). Stateless; UI thread (QCoreApplication::translate).
class StringTable {
    Q_DECLARE_TR_FUNCTIONS(StringTable)

public:
    // The whole string of id; a command's string is its prompt, "\n" and its tool tip.
    // Empty for an id the table does not hold.
    static QString Text(int id);
    // Text(id) with the first "%s" replaced by arg (Windows-1252 bytes, as core hands them);
    // in a text without "%s", the first "%d" (core hands numbers as decimal text).
    static QString Format(int id, std::string_view arg);
    // Text(id) with each "%d" replaced, in order, by the next of numbers ("%d" beyond them
    // stays as it is).
    static QString FormatNumbers(int id, std::initializer_list<long long> numbers);
    // The part of a command's string before the newline (status bar prompt) and after it
    // (tool tip).
    static QString Prompt(int id);
    static QString ToolTip(int id);
};

// Windows-1252 bytes of the core to display text and back; characters the code page
// lacks become "?" on the way in.
QString FromCp1252(std::string_view bytes);
std::string ToCp1252(const QString& text);

}  // namespace ribodex
