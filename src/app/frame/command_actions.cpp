#include "app/frame/command_actions.h"

#include <QAction>

#include "app/string_table.h"
#include "core/phonebook/command_state.h"

namespace ribodex {

CommandActions::CommandActions(QObject* owner)
{
    Add(owner, ID_APP_EXIT);
    Add(owner, ID_VIEW_TOOLBAR)->setCheckable(true);
    Add(owner, ID_VIEW_STATUS_BAR)->setCheckable(true);
    // The four display modes show no check mark for the current mode.
    Add(owner, ID_VIEWMODE_ICON);
    Add(owner, ID_VIEWMODE_SMALLICON);
    Add(owner, ID_VIEWMODE_LIST);
    Add(owner, ID_VIEWMODE_REPORT);
    Add(owner, ID_VIEW_REFRESH)->setShortcut(QKeySequence(Qt::Key_F5));
    QAction* settings = Add(owner, ID_OPTIONS_SETTINGS);
    settings->setIcon(QIcon(QStringLiteral(":/icons/settings.png")));
}

QAction* CommandActions::Add(QObject* owner, int id)
{
    auto* action = new QAction(MenuText(id), owner);
    action->setObjectName(QStringLiteral("command_%1").arg(id));
    action->setData(id);
    action->setStatusTip(StringTable::Prompt(id));
    action->setToolTip(StringTable::ToolTip(id));
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
    case ID_APP_EXIT: return tr("E&xit");
    case ID_VIEW_TOOLBAR: return tr("&Toolbar");
    case ID_VIEW_STATUS_BAR: return tr("&Statusbar");
    case ID_VIEWMODE_ICON: return tr("&Icon");
    case ID_VIEWMODE_SMALLICON: return tr("&Small Icon");
    case ID_VIEWMODE_LIST: return tr("&List");
    case ID_VIEWMODE_REPORT: return tr("R&eport");
    case ID_VIEW_REFRESH: return tr("&Refresh");
    case ID_OPTIONS_SETTINGS: return tr("&Settings...");
    default: return {};
    }
}

}  // namespace ribodex
