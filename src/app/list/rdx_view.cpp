// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/list/rdx_view.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QSet>
#include <QStyle>
#include <QTreeView>

#include "app/frame/command_actions.h"
#include "app/list/phone_book_model.h"
#include "app/list/phone_book_printer.h"
#include "app/string_table.h"
#include "core/device/gsm_device.h"
#include "core/list/command_state.h"
#include "core/session/connection_flow.h"
#include "core/session/refresh.h"

namespace ribodex {

CRdxView::CRdxView(Session& session, const CommandActions& actions, QWidget* parent)
    : QStackedWidget(parent), session(session), model(new PhoneBookModel(this))
{
    setObjectName(QStringLiteral("CRdxView"));
    largeIcon = style()->pixelMetric(QStyle::PM_LargeIconSize);
    if (largeIcon <= 0)
        largeIcon = 32;
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/entry32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/icons/entry16.png"), QSize(16, 16));
    model->SetEntryIcon(icon);

    reportView = new QTreeView(this);
    reportView->setModel(model);
    reportView->setRootIsDecorated(false);
    reportView->setItemsExpandable(false);
    reportView->setUniformRowHeights(true);
    reportView->setAllColumnsShowFocus(true);
    reportView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    reportView->setSelectionBehavior(QAbstractItemView::SelectRows);
    reportView->setIconSize(QSize(largeIcon / 2, largeIcon / 2));
    reportView->header()->setStretchLastSection(false);
    reportView->header()->setSectionsClickable(true);
    reportView->header()->setSectionsMovable(false);
    reportView->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < 3; ++column)
        reportView->header()->resizeSection(column, 100);

    iconView = new QListView(this);
    iconView->setModel(model);
    iconView->setSelectionModel(reportView->selectionModel());
    iconView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    iconView->setSelectionBehavior(QAbstractItemView::SelectRows);
    iconView->setUniformItemSizes(true);
    iconView->setResizeMode(QListView::Adjust);
    iconView->setMovement(QListView::Static);

    addWidget(reportView);
    addWidget(iconView);
    setCurrentWidget(reportView);

    selectionMenu = BuildContextMenu(actions, true);
    emptyListMenu = BuildContextMenu(actions, false);

    connect(reportView->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        model->SortColumn(column);
        QApplication::restoreOverrideCursor();
    });
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(reportView),
                                    static_cast<QAbstractItemView*>(iconView)}) {
        // The event, not customContextMenuRequested: only the event tells the mouse from the
        // menu key. A keyboard request reaches the view, a mouse one its viewport.
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this, [this] {
            if (SelectedCount() > 0)
                emit EditRequested();
        });
    }
    connect(reportView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CRdxView::StateChanged);
    connect(model, &QAbstractItemModel::modelReset, this, &CRdxView::StateChanged);
    connect(model, &QAbstractItemModel::rowsInserted, this, &CRdxView::StateChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &CRdxView::StateChanged);

    auto modeCommand = [&](int id, Mode target) {
        connect(actions.Get(id), &QAction::triggered, this, [this, target] { SetMode(target); });
    };
    modeCommand(ID_VIEWMODE_ICON, Mode::Icon);
    modeCommand(ID_VIEWMODE_SMALLICON, Mode::SmallIcon);
    modeCommand(ID_VIEWMODE_LIST, Mode::List);
    modeCommand(ID_VIEWMODE_REPORT, Mode::Report);
    connect(actions.Get(ID_VIEW_REFRESH), &QAction::triggered, this, [this] { RefreshList(); });
    printing = new PhoneBookPrinter(*model, actions, this);
    ConnectEditingCommands(actions);
    ConnectClipboardCommands(actions);
    ConnectContactsCommands(actions);
    ConnectBackupCommands(actions);
}

QMenu* CRdxView::BuildContextMenu(const CommandActions& actions, bool forSelection)
{
    auto* menu = new QMenu(this);
    // The popups name some commands differently from the menu bar ("&Edit..." for "&Edit
    // Entry..."): an item of their own that runs the command and follows its enabled state.
    auto addItem = [&](int textId, int commandId) {
        QAction* command = actions.Get(commandId);
        QAction* item = menu->addAction(StringTable::Text(textId), command, &QAction::trigger);
        item->setData(commandId);
        item->setStatusTip(command->statusTip());
        item->setEnabled(command->isEnabled());
        connect(command, &QAction::enabledChanged, item, &QAction::setEnabled);
    };
    addItem(IDS_MENU_NEW_ENTRY, ID_PHONEBOOK_NEW_ENTRY);
    if (forSelection) {
        addItem(IDS_MENU_DELETE_ENTRY, ID_PHONEBOOK_DELETE_ENTRY);
        addItem(IDS_MENU_EDIT, ID_PHONEBOOK_EDIT_ENTRY);
        menu->addSeparator();
        addItem(IDS_MENU_CUT, ID_EDIT_CUT);
        addItem(IDS_MENU_COPY, ID_EDIT_COPY);
    } else {
        menu->addSeparator();
    }
    addItem(IDS_MENU_PASTE, ID_EDIT_PASTE);
    menu->addSeparator();
    QMenu* viewMenu = menu->addMenu(StringTable::Text(IDS_MENU_VIEW));
    viewMenu->addAction(actions.Get(ID_VIEWMODE_ICON));
    viewMenu->addAction(actions.Get(ID_VIEWMODE_SMALLICON));
    viewMenu->addAction(actions.Get(ID_VIEWMODE_LIST));
    viewMenu->addAction(actions.Get(ID_VIEWMODE_REPORT));
    viewMenu->addSeparator();
    viewMenu->addAction(actions.Get(ID_VIEW_REFRESH));
    return menu;
}

bool CRdxView::RefreshList()
{
    const bool done = ribodex::RefreshList(session, *model);
    emit StateChanged();  // the flow may have changed the connected flag
    if (done) {
        listPhoneBook = session.device.selectedPhoneBook;
        emit Refreshed();
    }
    return done;
}

void CRdxView::SetMode(Mode target)
{
    if (target == mode)
        return;
    mode = target;
    if (target == Mode::Report) {
        setCurrentWidget(reportView);
        return;
    }
    const int size = target == Mode::Icon ? largeIcon : largeIcon / 2;
    iconView->setIconSize(QSize(size, size));
    iconView->setViewMode(target == Mode::Icon ? QListView::IconMode : QListView::ListMode);
    iconView->setFlow(target == Mode::List ? QListView::TopToBottom : QListView::LeftToRight);
    iconView->setWrapping(true);
    iconView->setGridSize(target == Mode::Icon ? QSize(largeIcon * 3, largeIcon * 2) : QSize());
    iconView->setMovement(QListView::Static);
    setCurrentWidget(iconView);
}

int CRdxView::SelectedCount() const
{
    // The icon view selects column 0 only, the report view whole rows: count rows.
    QSet<int> rows;
    for (const QModelIndex& index : reportView->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    return int(rows.size());
}

QMenu* CRdxView::ContextMenu() const
{
    return SelectedCount() > 0 ? selectionMenu : emptyListMenu;
}

bool CRdxView::eventFilter(QObject* watched, QEvent* event)
{
    // The item views put their current cell on the clipboard for Ctrl+C by themselves. The
    // key belongs to the Copy command, which takes it while enabled; while disabled the key
    // must not replace what the user has on the clipboard.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
        return true;
    auto* view = qobject_cast<QAbstractItemView*>(currentWidget());
    if (view == nullptr || (watched != view && watched != view->viewport()))
        return QStackedWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && watched == view && KeyboardCommand(*view, *static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() != QEvent::ContextMenu)
        return QStackedWidget::eventFilter(watched, event);
    ShowContextMenu(*view, *static_cast<QContextMenuEvent*>(event));
    return true;
}

bool CRdxView::KeyboardCommand(QAbstractItemView& view, const QKeyEvent& key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    // Enter does what a double click does. The item view's own activated signal would come
    // on a double click as well, and so edit twice.
    if ((key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        if (SelectedCount() > 0)
            emit EditRequested();
        return true;
    }
    // Shift+F10 is the other menu key; Qt makes a context menu of neither on every platform
    // (X11 does it for the Menu key, and only for the focus widget).
    if ((key.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier) ||
        (key.key() == Qt::Key_Menu && modifiers == Qt::NoModifier)) {
        ShowContextMenu(view, QContextMenuEvent(QContextMenuEvent::Keyboard, QPoint(), QPoint()));
        return true;
    }
    return false;
}

void CRdxView::ShowContextMenu(QAbstractItemView& view, const QContextMenuEvent& event)
{
    QPoint at = event.globalPos();
    if (event.reason() == QContextMenuEvent::Mouse) {
        // As the list control does: a click beside the items is about no item, so Delete
        // must not be offered for a selection the user is not pointing at.
        if (!view.indexAt(view.viewport()->mapFromGlobal(at)).isValid())
            view.clearSelection();
    } else {
        const QRect item = view.visualRect(view.currentIndex());
        const QPoint local = item.isValid() ? item.bottomLeft() : QPoint(0, 0);
        at = view.viewport()->mapToGlobal(local);
    }
    ContextMenu()->popup(at);
}

}  // namespace ribodex
