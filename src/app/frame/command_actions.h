// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QKeySequence>
#include <QList>

class QAction;
class QObject;

namespace ribodex {

struct CommandContext;

// One QAction per command id, shared by the menu bar, the toolbar, the context menus and
// the keys: menu text, status bar prompt and tool tip from the string table, accelerator.
// The actions are children of owner and live as long as it. UI thread only.
class CommandActions {
    Q_DECLARE_TR_FUNCTIONS(CommandActions)

public:
    explicit CommandActions(QObject* owner);

    // The action of id; null for an id this program has no command for (yet).
    QAction* Get(int id) const { return actions.value(id, nullptr); }
    QList<int> Ids() const { return actions.keys(); }

    // Applies the enabling rules to every action.
    void UpdateStates(const CommandContext& context) const;

    // Menu text of a command, with "&" and without the key (the action shows its key).
    static QString MenuText(int id);

private:
    QAction* Add(QObject* owner, int id, const QList<QKeySequence>& keys = {});
    QHash<int, QAction*> actions;
};

}  // namespace ribodex
