// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ribodex {

// Command ids shared by menu items, toolbar buttons, context menus and keys.
enum CommandId : int {
    ID_OPTIONS_SETTINGS = 32771,
    ID_VIEW_REFRESH = 32772,
    ID_PHONEBOOK_DELETE_ENTRY = 32773,
    ID_PHONEBOOK_NEW_ENTRY = 32775,
    ID_PHONEBOOK_EDIT_ENTRY = 32776,
    ID_PHONEBOOK_SELECT = 32778,
    ID_FILE_EXPORT = 32784,
    ID_VIEWMODE_ICON = 32789,
    ID_VIEWMODE_SMALLICON = 32790,
    ID_VIEWMODE_LIST = 32791,
    ID_VIEWMODE_REPORT = 32792,
    ID_SEARCH_FIND_NEXT = 32808,
    ID_SEARCH_FIND = 32809,
    ID_HELP_INTERNET = 32812,
    // Contacts files in and out, and duplicates; beyond the program's first command range.
    ID_FILE_IMPORT_CONTACTS = 32850,
    ID_FILE_EXPORT_CONTACTS = 32851,
    ID_EDIT_FIND_DUPLICATES = 32852,
    ID_FILE_BACKUP = 32853,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_FINDER = 57667,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

// What the enabling rules look at; the window gathers it whenever one of them changes.
struct CommandContext {
    bool connected = false;           // the application's connected flag
    int itemCount = 0;                // items in the list
    int selectedCount = 0;            // selected items
    bool clipboardHasEntries = false; // records of ours, or vCard contacts with a storable number
};

// Whether command id is enabled in context. Ids without a rule of their own are enabled.
bool IsCommandEnabled(int id, const CommandContext& context);

}  // namespace ribodex
