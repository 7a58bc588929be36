#include "app/string_table.h"

#include "core/phonebook/command_state.h"
#include "core/phonebook/cp1252.h"
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
    case IDS_MENU_VIEW: return tr("&View");
    case MsgEnterPin: return tr("Enter the PIN of the SIM-Card in the device on port \"%s\".");
    case MsgEnterPuk: return tr("Enter the PUK of the SIM-Card in the device on port \"%s\".");
    case MsgWrongPin: return tr("The PIN is not correct.");
    case MsgWrongPuk: return tr("The PUK is not correct or you have entered an invalid PIN.");
    case MsgCheckingPin: return tr("Check PIN of the device on \"%s\"...");
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
    default: return {};
    }
}

QString StringTable::Format(int id, std::string_view arg)
{
    QString text = Text(id);
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at >= 0)
        text.replace(at, 2, FromCp1252(arg));
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
