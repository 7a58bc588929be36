// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/list/command_state.h"

namespace ribodex {

bool IsCommandEnabled(int id, const CommandContext& context) {
    switch (id) {
    case ID_PHONEBOOK_DELETE_ENTRY:
    case ID_PHONEBOOK_EDIT_ENTRY:
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
        return context.selectedCount > 0;
    case ID_EDIT_PASTE:
        return context.clipboardHasEntries;
    case ID_PHONEBOOK_NEW_ENTRY:
    case ID_PHONEBOOK_SELECT:
    case ID_FILE_IMPORT_CONTACTS:
    case ID_FILE_BACKUP:
        return context.connected;
    case ID_EDIT_FIND_DUPLICATES:
        return context.itemCount > 1;
    case ID_FILE_EXPORT_CONTACTS:
    case ID_FILE_EXPORT:
    case ID_SEARCH_FIND:
    case ID_SEARCH_FIND_NEXT:
        return context.itemCount > 0;
    default:
        // Refresh, the display modes, settings, bars, print, about, exit: always.
        return true;
    }
}

}  // namespace ribodex
