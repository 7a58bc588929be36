// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/command_actions.h"

#include <QAction>

#include "app/string_table.h"
#include "core/list/command_state.h"

namespace ribodex {

namespace {

QIcon ButtonIcon(const char* name)
{
    return QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)));
}

}  // namespace

CommandActions::CommandActions(QObject* owner)
{
    Add(owner, ID_FILE_IMPORT_CONTACTS);
    Add(owner, ID_FILE_EXPORT_CONTACTS);
    Add(owner, ID_FILE_BACKUP);
    Add(owner, ID_FILE_EXPORT)->setIcon(ButtonIcon("export"));
    Add(owner, ID_FILE_PRINT, {QKeySequence(Qt::CTRL | Qt::Key_P)})->setIcon(ButtonIcon("print"));
    Add(owner, ID_FILE_PRINT_PREVIEW);
    Add(owner, ID_FILE_PRINT_SETUP);
    Add(owner, ID_APP_EXIT);
    Add(owner, ID_EDIT_CUT, {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)})
        ->setIcon(ButtonIcon("cut"));
    Add(owner, ID_EDIT_COPY, {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)})
        ->setIcon(ButtonIcon("copy"));
    Add(owner, ID_EDIT_PASTE, {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)})
        ->setIcon(ButtonIcon("paste"));
    Add(owner, ID_SEARCH_FIND, {QKeySequence(Qt::CTRL | Qt::Key_F)});
    Add(owner, ID_SEARCH_FIND_NEXT, {QKeySequence(Qt::Key_F3)});
    Add(owner, ID_EDIT_FIND_DUPLICATES);
    Add(owner, ID_VIEW_TOOLBAR)->setCheckable(true);
    Add(owner, ID_VIEW_STATUS_BAR)->setCheckable(true);
    // The four display modes show no check mark for the current mode.
    Add(owner, ID_VIEWMODE_ICON);
    Add(owner, ID_VIEWMODE_SMALLICON);
    Add(owner, ID_VIEWMODE_LIST);
    Add(owner, ID_VIEWMODE_REPORT);
    Add(owner, ID_VIEW_REFRESH, {QKeySequence(Qt::Key_F5)});
    Add(owner, ID_PHONEBOOK_NEW_ENTRY)->setIcon(ButtonIcon("new_entry"));
    Add(owner, ID_PHONEBOOK_DELETE_ENTRY, {QKeySequence(Qt::Key_Delete)})->setIcon(ButtonIcon("delete_entry"));
    Add(owner, ID_PHONEBOOK_EDIT_ENTRY)->setIcon(ButtonIcon("edit_entry"));
    Add(owner, ID_PHONEBOOK_SELECT);
    Add(owner, ID_OPTIONS_SETTINGS)->setIcon(ButtonIcon("settings"));
    Add(owner, ID_HELP_FINDER);
    Add(owner, ID_HELP_INTERNET);
    Add(owner, ID_APP_ABOUT)->setIcon(ButtonIcon("about"));
    Add(owner, ID_CONTEXT_HELP, {QKeySequence(Qt::SHIFT | Qt::Key_F1)})->setIcon(ButtonIcon("context_help"));
    Add(owner, ID_HELP, {QKeySequence(Qt::Key_F1)});
}

QAction* CommandActions::Add(QObject* owner, int id, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(MenuText(id), owner);
    action->setShortcuts(keys);
    action->setObjectName(QStringLiteral("command_%1").arg(id));
    action->setData(id);
    action->setStatusTip(StringTable::Prompt(id));
    action->setToolTip(StringTable::ToolTip(id));
    action->setWhatsThis(StringTable::Prompt(id));  // What's This? mode answers with the prompt
    // Keys work wherever the main window has the focus, as the accelerator table did.
    action->setShortcutContext(Qt::WindowShortcut);
    actions.insert(id, action);
    return action;
}

void CommandActions::UpdateStates(const CommandContext& context) const
{
    for (auto it = actions.cbegin(); it != actions.cend(); ++it)
        it.value()->setEnabled(IsCommandEnabled(it.key(), context));
}

QString CommandActions::MenuText(int id)
{
    switch (id) {
    case ID_FILE_EXPORT: return tr("&Export...");
    case ID_FILE_IMPORT_CONTACTS: return tr("&Import Contacts...");
    case ID_FILE_EXPORT_CONTACTS: return tr("Export &Contacts...");
    case ID_EDIT_FIND_DUPLICATES: return tr("Find &Duplicates");
    case ID_FILE_BACKUP: return tr("&Back Up...");
    case ID_FILE_PRINT: return tr("&Print...");
    case ID_FILE_PRINT_PREVIEW: return tr("Print Pre&view");
    case ID_FILE_PRINT_SETUP: return tr("P&rint Setup...");
    case ID_APP_EXIT: return tr("E&xit");
    case ID_EDIT_CUT: return tr("Cu&t");
    case ID_EDIT_COPY: return tr("&Copy");
    case ID_EDIT_PASTE: return tr("&Paste");
    case ID_SEARCH_FIND: return tr("&Find...");
    case ID_SEARCH_FIND_NEXT: return tr("Find &Next");
    case ID_VIEW_TOOLBAR: return tr("&Toolbar");
    case ID_VIEW_STATUS_BAR: return tr("&Statusbar");
    case ID_VIEWMODE_ICON: return tr("&Icon");
    case ID_VIEWMODE_SMALLICON: return tr("&Small Icon");
    case ID_VIEWMODE_LIST: return tr("&List");
    case ID_VIEWMODE_REPORT: return tr("R&eport");
    case ID_VIEW_REFRESH: return tr("&Refresh");
    case ID_PHONEBOOK_NEW_ENTRY: return tr("&New Entry...");
    case ID_PHONEBOOK_DELETE_ENTRY: return tr("&Delete Entry");
    case ID_PHONEBOOK_EDIT_ENTRY: return tr("&Edit Entry...");
    case ID_PHONEBOOK_SELECT: return tr("&Select Phone Book...");
    case ID_OPTIONS_SETTINGS: return tr("&Settings...");
    case ID_HELP_FINDER: return tr("&Help Topics");
    case ID_HELP_INTERNET: return tr("&Internet");
    case ID_APP_ABOUT: return tr("&About");
    case ID_CONTEXT_HELP: return tr("Help");
    case ID_HELP: return tr("Help");
    default: return {};
    }
}

}  // namespace ribodex
