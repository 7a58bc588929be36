// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/string_table.h"

#include "core/list/command_state.h"
#include "core/formats/cp1252.h"
#include "core/session/user_interface.h"

namespace ribodex {

QString StringTable::Text(int id)
{
    switch (id) {
    case AFX_IDS_APP_TITLE: return tr("Quillcast Ribodex");
    case AFX_IDS_IDLEMESSAGE: return tr("For Help, press F1");
    case IDS_INDEX_COLUMN: return tr("Index");
    case IDS_NUMBER_COLUMN: return tr("Number");
    case IDS_NAME_COLUMN: return tr("Name");
    case MsgConnectFailed:
        return tr("An error has occured while connecting to the specified port. Check the settings.");
    case MsgTransferData: return tr("Transfer data from \"%s\"...");
    case MsgPinCheckFailed:
        return tr("An error has occured while checking the PIN on the device on port \"%s\". "
                  "Possibly there is no AT+C-compatible device connected to this port or no "
                  "SIM Card is inserted. Probably the port cannot be used. Do you want to continue?");
    case MsgDeleteQuestion: return tr("Do you really want to delete the selected entries?");
    case 135: return tr("Mobile Equipment");
    case 136: return tr("SIM");
    case 137: return tr("Data Card");
    case 138: return tr("Last Number");
    case 139: return tr("Own Number");
    case 140: return tr("Fixed numbers");
    case IDS_PRINT_PAGE_HEADING: return tr("Ribodex Page: %d");
    case IDS_ERROR: return tr("An error has occured.");
    case MsgPasteIncomplete: return tr("Not all entries could be pasted.");
    case MsgWriteFailed: return tr("Error while creating the new phone book entry.");
    case IDS_EXPORT_FILTER: return tr("Text Files (*.txt)|*.txt||");
    case IDS_MENU_NEW_ENTRY: return tr("&New Entry...");
    case IDS_MENU_DELETE_ENTRY: return tr("&Delete Entry");
    case IDS_MENU_EDIT: return tr("&Edit...");
    case IDS_MENU_CUT: return tr("Cu&t");
    case IDS_MENU_COPY: return tr("&Copy");
    case IDS_MENU_PASTE: return tr("&Paste");
    case IDS_INVALID_NUMBER: return tr("The number is not valid.");
    case IDS_MENU_VIEW: return tr("&View");
    case IDS_BROWSER_FAILED: return tr("An error has occured while starting your internet browser.");
    case IDS_NO_ENTRY_FOUND: return tr("No entry found.");
    case MsgPasteProgress: return tr("Paste item %d of %d ...");
    case MsgOverwriteQuestion:
        return tr("An entry at the index %d allready exists. Do you want to overwrite it?");
    case MsgReadIncomplete:
        return tr("The phone book could not be read completely: the device on port \"%s\" did not "
                  "answer in time or was disconnected. The list shows only the entries read until "
                  "then. Check the device and its cable, then refresh the list.");
    case MsgPasteTooMany:
        return tr("The phone book has only %d free locations for the %d entries to be pasted. "
                  "Do you want to paste as many as fit?");
    case MsgStopPaste:
        return tr("The entries are still being pasted. Do you want to stop pasting and close the "
                  "window? The entries pasted so far stay on the device.");
    case IDS_PROGRESS_COUNT: return tr("%d of %d");
    case IDS_CANCEL: return tr("Cancel");
    case IDS_PROGRESS_SECONDS_LEFT: return tr("%d s left");
    case IDS_PORT_NOT_CONNECTED: return tr("%s (not connected)");
    case IDS_LIST_INCOMPLETE: return tr("%s (incomplete)");
    case MsgEnterPin: return tr("Enter the PIN of the SIM-Card in the device on port \"%s\".");
    case MsgEnterPuk: return tr("Enter the PUK of the SIM-Card in the device on port \"%s\".");
    case MsgWrongPin: return tr("The PIN is not correct.");
    case MsgWrongPuk: return tr("The PUK is not correct or you have entered an invalid PIN.");
    case MsgCheckingPin: return tr("Check PIN of the device on \"%s\"...");
    case MsgPortBusy:
        return tr("The port is held by another program (%s). Stop it and try again. ModemManager "
                  "takes USB modems: stop it (sudo systemctl stop ModemManager), let it go of the "
                  "modem for a while (mmcli -m 0 --inhibit), or keep it off the port for good with "
                  "a udev rule setting ID_MM_PORT_IGNORE=1.");
    case MsgWaitingForSim: return tr("Waiting for the SIM of the device on \"%s\" to be ready...");
    case MsgConnecting: return tr("Connecting to the device on \"%s\"...");
    case MsgPhoneLockWanted:
        return tr("The device on port \"%s\" does not ask for the PIN of the SIM-Card but for its own "
                  "lock code (PH-SIM PIN), or it has no usable SIM-Card. Enter that code on the device "
                  "itself. Do you want to continue?");
    case MsgNetworkLockWanted:
        return tr("The device on port \"%s\" is locked to a network or provider and asks for its "
                  "unlock code. Enter that code on the device itself. Do you want to continue?");
    case MsgSimBusyNoRange:
        return tr("The SIM-Card in the device on port \"%s\" is still busy and did not tell the size "
                  "of the phone book. Wait a moment, then refresh the list.");
    case MsgNoRange:
        return tr("The device on port \"%s\" did not tell the size of the selected phone book, so "
                  "it cannot be read. Select another phone book or refresh the list.");
    case MsgEnterPin2:
        return tr("Writing to the fixed numbers needs the PIN2 of the SIM-Card in the device on port "
                  "\"%s\". Enter the PIN2.");
    case MsgWrongPin2: return tr("The PIN2 is not correct.");
    case IDS_PIN_MISMATCH:
        return tr("The PIN and its confirmation are not identical. The confirmation must be the "
                  "same as the PIN.");
    case ID_INDICATOR_CAPS: return tr("CAP");
    case ID_INDICATOR_NUM: return tr("NUM");
    case ID_INDICATOR_SCRL: return tr("SCRL");
    case ID_OPTIONS_SETTINGS: return tr("Show the settings dialog\nSettings Dialog");
    case ID_VIEW_REFRESH: return tr("Refresh the view\nRefresh");
    case ID_VIEWMODE_ICON: return tr("Show the entries with icons\nIcons");
    case ID_VIEWMODE_SMALLICON: return tr("Show the entries with small icons\nSmall Icons");
    case ID_VIEWMODE_LIST: return tr("Show the entries in a list\nList");
    case ID_VIEWMODE_REPORT: return tr("Show the entries as report.\nReport");
    case ID_APP_EXIT: return tr("Quit the application; prompts to save documents\nExit");
    case ID_VIEW_TOOLBAR: return tr("Show or hide the toolbar\nToggle ToolBar");
    case ID_VIEW_STATUS_BAR: return tr("Show or hide the status bar\nToggle StatusBar");
    case ID_FILE_EXPORT: return tr("Export the phone book\nExport");
    case ID_FILE_IMPORT_CONTACTS:
        return tr("Write the contacts of a vCard or CSV file to the phone book, after a plan\nImport Contacts");
    case ID_FILE_EXPORT_CONTACTS:
        return tr("Save the entries (all, or the selected ones) as vCard, CSV or JSON\nExport Contacts");
    case ID_FILE_BACKUP:
        return tr("Save every memory of the device to one file that a restore can put back\nBack Up");
    case ID_EDIT_FIND_DUPLICATES: return tr("Select the entries that share a number with another\nFind Duplicates");
    case ID_FILE_PRINT: return tr("Print the active document\nPrint");
    case ID_FILE_PRINT_PREVIEW: return tr("Display full pages\nPrint Preview");
    case ID_FILE_PRINT_SETUP: return tr("Change the printer and printing options\nPrint Setup");
    case ID_EDIT_CUT: return tr("Cut the selection and put it on the Clipboard\nCut");
    case ID_EDIT_COPY: return tr("Copy the selection and put it on the Clipboard\nCopy");
    case ID_EDIT_PASTE: return tr("Insert Clipboard contents\nPaste");
    case ID_SEARCH_FIND: return tr("Find a text\nFind");
    case ID_SEARCH_FIND_NEXT: return tr("Find next\nFind Next");
    case ID_PHONEBOOK_NEW_ENTRY: return tr("Create a new phone book entry\nNew Entry");
    case ID_PHONEBOOK_DELETE_ENTRY: return tr("Delete the selected entries\nDelete Entry");
    case ID_PHONEBOOK_EDIT_ENTRY: return tr("Edit a phone book entry\nEdit Entry");
    case ID_PHONEBOOK_SELECT: return tr("Select Phone Book\nSelect Phone Book");
    case ID_HELP_FINDER: return tr("List Help topics\nHelp Topics");
    case ID_HELP_INTERNET: return tr("Informations on the Internet\nInternet");
    case ID_APP_ABOUT: return tr("Display program information, version number and copyright\nAbout");
    case ID_CONTEXT_HELP: return tr("Display help for clicked on buttons, menus and windows\nHelp");
    case ID_HELP: return tr("Display help for current task or command");
    default: return {};
    }
}

QString StringTable::Format(int id, std::string_view arg)
{
    QString text = Text(id);
    qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at < 0)
        at = text.indexOf(QLatin1String("%d"));
    if (at >= 0)
        text.replace(at, 2, FromCp1252(arg));
    return text;
}

QString StringTable::FormatNumbers(int id, std::initializer_list<long long> numbers)
{
    QString text = Text(id);
    qsizetype from = 0;
    for (long long number : numbers) {
        const qsizetype at = text.indexOf(QLatin1String("%d"), from);
        if (at < 0)
            break;
        const QString digits = QString::number(number);
        text.replace(at, 2, digits);
        from = at + digits.size();
    }
    return text;
}

QString StringTable::Prompt(int id)
{
    return Text(id).section(QLatin1Char('\n'), 0, 0);
}

QString StringTable::ToolTip(int id)
{
    return Text(id).section(QLatin1Char('\n'), 1, 1);
}

QString FromCp1252(std::string_view bytes)
{
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

std::string ToCp1252(const QString& text)
{
    return Utf8ToCp1252Lossy(text.toStdString());
}

}  // namespace ribodex
