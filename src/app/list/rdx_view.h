// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStackedWidget>
#include <optional>
#include <vector>

#include "core/device/phone_book_entry.h"
#include "core/list/sort_order.h"

class QAbstractItemView;
class QContextMenuEvent;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QListView;
class QMenu;
class QTreeView;

namespace ribodex {

class CommandActions;
class PhoneBookModel;
struct ChangedName;
struct NameCheck;
class PhoneBookPrinter;
struct Session;

// The phone book list: one PhoneBookModel shown by a QTreeView (Report: Name, Number,
// Index, 100 px each) or by a QListView (Icon, Small Icon, List), the two sharing one
// selection model, so that switching keeps items, order, selection and column widths.
// Starts in Report mode. Owns its model and context menus; the session and actions must
// outlive it. UI thread only.
class CRdxView : public QStackedWidget {
    Q_OBJECT

public:
    enum class Mode { Icon, SmallIcon, List, Report };

    CRdxView(Session& session, const CommandActions& actions, QWidget* parent = nullptr);

    // Rebuilds the list from the device (connection flow first when not connected); false
    // when the connection flow failed and the list was left as it was. After a rebuild
    // ListPhoneBook is the code of the memory the device named as selected (0: unknown) and
    // Refreshed is emitted.
    bool RefreshList();
    int ListPhoneBook() const { return listPhoneBook; }

    void SetMode(Mode mode);
    Mode CurrentMode() const { return mode; }

    PhoneBookModel* Model() const { return model; }
    QTreeView* ReportView() const { return reportView; }
    QListView* IconView() const { return iconView; }
    int SelectedCount() const;

    // Whether the clipboard holds at least one record of ours, or else a vCard with a
    // contact whose number the device can store (kept current from QClipboard::dataChanged).
    bool ClipboardHasEntries() const { return clipboardHasEntries; }

    // The context menu a right click shows now: the selection menu when an item is
    // selected, otherwise the empty-list menu.
    QMenu* ContextMenu() const;
    QMenu* SelectionMenu() const { return selectionMenu; }
    QMenu* EmptyListMenu() const { return emptyListMenu; }

    // Selects the next item whose Name or Number as shown holds findWhat (or equals it, with
    // matchWholeField), both sides in Unicode NFC and, without matchCase, case-folded in every
    // script, in two passes from the first selected item; "No entry found." and
    // nothing selected when there is none; true when an item was selected. Nothing happens
    // with an empty list.
    bool FindEntryText(const QString& findWhat, bool matchWholeField, bool matchCase, bool searchDown);
    // The plan of the contacts of a vCard or CSV file against the list, the plan dialog,
    // and the ticked rows written as Paste writes; false when nothing was written (not
    // connected, a file that cannot be read or is of no shape we know, Cancel).
    bool ImportContacts(const QString& path);
    // Every memory the device offers to one backup file (rdx_view_backup.cpp), the list read
    // anew on the way, and what was saved told; false when nothing was saved.
    bool BackUp(const QString& path);

    // File > Print, Print Preview and Print Setup, with the printer they share.
    PhoneBookPrinter* Printing() const { return printing; }

signals:
    // Selection or item count changed: the window recomputes the command states.
    void StateChanged();
    // A double click or Enter with an item selected (the entry editing command's trigger).
    void EditRequested();
    // The list was read again from the device.
    void Refreshed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A .vcf or .csv file dropped on the list is imported (rdx_view_contacts.cpp).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ShowContextMenu(QAbstractItemView& view, const QContextMenuEvent& event);
    // Enter (Edit Entry), Shift+F10 and the Menu key (the context menu at the current item);
    // true when the key was one of them.
    bool KeyboardCommand(QAbstractItemView& view, const QKeyEvent& key);
    QMenu* BuildContextMenu(const CommandActions& actions, bool forSelection);

    // Phone Book > New Entry, Edit Entry (also the double click), Delete Entry
    // (rdx_view_editing.cpp).
    void ConnectEditingCommands(const CommandActions& actions);
    void OnNewEntry();
    void OnEditEntry();
    void OnDeleteEntry();
    // Delete Entry's walk; the rows the device deleted, from the top, or nullopt when
    // nothing was selected or the answer was No.
    std::optional<std::vector<ListRow>> DeleteSelected();
    // Selected item positions, ascending.
    std::vector<int> SelectedRows() const;

    // File > Import Contacts, Export Contacts, Edit > Find Duplicates (rdx_view_contacts.cpp).
    void ConnectContactsCommands(const CommandActions& actions);
    void OnImportContacts();
    void OnExportContacts();
    void OnFindDuplicates();
    // The list's items at these positions as entries (UTF-8 names); every position.
    std::vector<PhoneBookEntry> ListEntries(const std::vector<int>& rows) const;
    std::vector<int> AllRows() const;
    void ConnectBackupCommands(const CommandActions& actions);

    // Edit > Cut, Copy, Paste through the system clipboard (clipboard_commands.cpp).
    void ConnectClipboardCommands(const CommandActions& actions);
    void OnCopy();
    void OnCut();
    void OnPaste();
    void OnClipboardChanged();
    // Yes/No before contacts whose names lose characters are written; true when there are
    // none.
    bool ConfirmChangedNames(const std::vector<ChangedName>& changed);
    // The same for names typed or pasted as records: Yes/No before names that lose
    // characters are written, and a message naming each name too long for the device
    // (answered as No); true when there are none (rdx_view_editing.cpp).
    bool ConfirmEntryNames(const std::vector<NameCheck>& checks);

    Session& session;
    PhoneBookModel* model = nullptr;
    QTreeView* reportView = nullptr;
    QListView* iconView = nullptr;
    QMenu* selectionMenu = nullptr;
    QMenu* emptyListMenu = nullptr;
    PhoneBookPrinter* printing = nullptr;
    Mode mode = Mode::Report;
    int largeIcon = 32;
    int listPhoneBook = 0;
    bool clipboardHasEntries = false;
};

}  // namespace ribodex
