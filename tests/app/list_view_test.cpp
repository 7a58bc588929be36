// SPDX-License-Identifier: GPL-3.0-or-later
// The phone book list: columns, sorting on header clicks, display modes, context menus.
#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QListView>
#include <QMenu>
#include <QTreeView>
#include <QtTest>

#include "app/frame/command_actions.h"
#include "app/list/phone_book_model.h"
#include "app/list/rdx_view.h"
#include "app/qt_user_interface.h"
#include "core/device/gsm_device.h"
#include "core/list/command_state.h"
#include "core/session/connection_flow.h"
#include "core/session/settings_store.h"
#include "dialog_script_helper.h"

using namespace ribodex;

class ListViewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startsInReportModeWithThreeColumns();
    void sortByHeaderClick_data();
    void sortByHeaderClick();
    void eachColumnKeepsItsOwnDirection();
    void selectionFollowsItsRowsWhenSorted();
    void modeSwitchKeepsItemsOrderSelectionAndWidths();
    void iconModeCentresTheLabelUnderTheIcon();
    void contextMenuDependsOnSelection();
    void rightClickBesideTheItemsClearsTheSelection();

private:
    void Add(const QList<std::array<const char*, 3>>& rows);  // index, number, name
    QStringList Column(int column) const;
    void ClickHeader(int column);

    GsmDevice device;
    MemorySettingsStore store;
    QtUserInterface ui;
    std::unique_ptr<Session> session;
    std::unique_ptr<QWidget> owner;
    std::unique_ptr<CommandActions> actions;
    CRdxView* view = nullptr;
};

void ListViewTest::init()
{
    session = std::make_unique<Session>(device, store, ui);
    owner = std::make_unique<QWidget>();
    actions = std::make_unique<CommandActions>(owner.get());
    view = new CRdxView(*session, *actions, owner.get());
    owner->resize(600, 400);
    view->resize(600, 400);
    owner->show();
}

void ListViewTest::cleanup()
{
    owner.reset();
    actions.reset();
    session.reset();
}

void ListViewTest::Add(const QList<std::array<const char*, 3>>& rows)
{
    for (const auto& row : rows)
        view->Model()->AddItem(row[0], row[1], row[2]);
}

QStringList ListViewTest::Column(int column) const
{
    QStringList texts;
    for (int row = 0; row < view->Model()->rowCount(); ++row)
        texts << view->Model()->index(row, column).data().toString();
    return texts;
}

void ListViewTest::ClickHeader(int column)
{
    QHeaderView* header = view->ReportView()->header();
    const QPoint at(header->sectionViewportPosition(column) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

void ListViewTest::startsInReportModeWithThreeColumns()
{
    QCOMPARE(view->CurrentMode(), CRdxView::Mode::Report);
    QCOMPARE(view->currentWidget(), static_cast<QWidget*>(view->ReportView()));
    QAbstractItemModel* model = view->Model();
    QCOMPARE(model->columnCount(), 3);
    QStringList headers;
    for (int column = 0; column < 3; ++column) {
        headers << model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        QCOMPARE(view->ReportView()->header()->sectionSize(column), 100);
    }
    QCOMPARE(headers, (QStringList{"Name", "Number", "Index"}));
    // Icon 135 in both sizes, from the resources linked into the program.
    view->Model()->AddItem("1", "110", "Ann");
    const QIcon icon = model->index(0, 0).data(Qt::DecorationRole).value<QIcon>();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.pixmap(QSize(16, 16)).toImage().size(), QSize(16, 16));
    QCOMPARE(icon.pixmap(QSize(32, 32)).toImage().size(), QSize(32, 32));
    QVERIFY(!icon.pixmap(QSize(32, 32)).toImage().allGray());  // the drawn card, not a blank
    QVERIFY(model->index(0, 1).data(Qt::DecorationRole).isNull());
    // Several items may be selected at once.
    QCOMPARE(view->ReportView()->selectionMode(), QAbstractItemView::ExtendedSelection);
}

void ListViewTest::sortByHeaderClick_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("ascending");
    // Index texts: the shorter text first, so 9 before 10 and 120.
    QTest::newRow("index by length then bytes") << 2 << QStringList{"1", "3", "9", "10", "120"};
    // Byte order, case-sensitive: "Bert" (0x42) before "anna" (0x61); umlauts are bytes
    // above 0x7F and come after z.
    QTest::newRow("name bytewise") << 0 << QStringList{"Bert", "Zoe", "anna", "zed", "\u00c4rzte"};
    QTest::newRow("number bytewise, + before digits") << 1
        << QStringList{"+4930123", "0171", "030", "112", "89"};
}

void ListViewTest::sortByHeaderClick()
{
    QFETCH(int, column);
    QFETCH(QStringList, ascending);
    Add({{"120", "030", "zed"}, {"3", "+4930123", "anna"}, {"10", "89", "Bert"},
         {"1", "112", "Zoe"}, {"9", "0171", "\xc3\x84rzte"}});
    ClickHeader(column);
    QCOMPARE(Column(column), ascending);
    ClickHeader(column);
    QStringList descending(ascending.rbegin(), ascending.rend());
    QCOMPARE(Column(column), descending);
}

void ListViewTest::eachColumnKeepsItsOwnDirection()
{
    Add({{"3", "2", "b"}, {"1", "1", "c"}, {"120", "3", "a"}});
    QCOMPARE(Column(2), (QStringList{"3", "1", "120"}));  // as added
    ClickHeader(2);
    QCOMPARE(Column(2), (QStringList{"1", "3", "120"}));
    ClickHeader(0);
    QCOMPARE(Column(0), (QStringList{"a", "b", "c"}));
    ClickHeader(2);  // the Index column's second click, whatever happened in between
    QCOMPARE(Column(2), (QStringList{"120", "3", "1"}));
    ClickHeader(0);
    QCOMPARE(Column(0), (QStringList{"c", "b", "a"}));
}

void ListViewTest::selectionFollowsItsRowsWhenSorted()
{
    Add({{"1", "111", "Carl"}, {"2", "222", "Anna"}, {"3", "333", "Bert"}});
    view->ReportView()->selectionModel()->select(
        view->Model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ClickHeader(0);
    const QModelIndexList selected = view->ReportView()->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().data().toString(), QStringLiteral("Carl"));
    QCOMPARE(selected.first().row(), 2);
}

void ListViewTest::modeSwitchKeepsItemsOrderSelectionAndWidths()
{
    Add({{"5", "555", "Eve"}, {"2", "222", "Dan"}, {"7", "777", "Fay"}});
    ClickHeader(0);
    view->ReportView()->header()->resizeSection(1, 157);
    view->ReportView()->selectionModel()->select(
        view->Model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QStringList order = Column(0);

    const struct {
        int command;
        CRdxView::Mode mode;
        QListView::ViewMode listMode;
    } steps[] = {{ID_VIEWMODE_ICON, CRdxView::Mode::Icon, QListView::IconMode},
                 {ID_VIEWMODE_SMALLICON, CRdxView::Mode::SmallIcon, QListView::ListMode},
                 {ID_VIEWMODE_LIST, CRdxView::Mode::List, QListView::ListMode}};
    for (const auto& step : steps) {
        actions->Get(step.command)->trigger();
        QCOMPARE(view->CurrentMode(), step.mode);
        QCOMPARE(view->currentWidget(), static_cast<QWidget*>(view->IconView()));
        QCOMPARE(view->IconView()->viewMode(), step.listMode);
        QCOMPARE(view->SelectedCount(), 1);
    }
    QVERIFY(view->IconView()->iconSize().width() < 32);  // List mode shows the small icon

    // A selection made in the icon view is the selection of the report view too.
    view->IconView()->selectionModel()->select(view->Model()->index(2, 0), QItemSelectionModel::Select);
    actions->Get(ID_VIEWMODE_REPORT)->trigger();
    QCOMPARE(view->currentWidget(), static_cast<QWidget*>(view->ReportView()));
    QCOMPARE(Column(0), order);
    QCOMPARE(view->SelectedCount(), 2);
    QCOMPARE(view->ReportView()->header()->sectionSize(1), 157);
    QCOMPARE(view->ReportView()->header()->sectionSize(0), 100);
    // The mode commands carry no check mark.
    QVERIFY(!actions->Get(ID_VIEWMODE_REPORT)->isCheckable());
}

void ListViewTest::iconModeCentresTheLabelUnderTheIcon()
{
    Add({{"1", "110", "Al"}});
    actions->Get(ID_VIEWMODE_ICON)->trigger();
    QListView* icons = view->IconView();
    icons->selectionModel()->clear();  // no focus frame or highlight around the item
    QVERIFY(QTest::qWaitForWindowExposed(owner.get()));
    const QRect item = icons->visualRect(view->Model()->index(0, 0));
    const QImage image = icons->viewport()->grab().toImage();
    const QRgb background = icons->palette().color(QPalette::Base).rgb();
    // The label is what is drawn below the icon.
    int left = item.right(), right = item.left();
    for (int y = item.top() + icons->iconSize().height() + 2; y <= item.bottom(); ++y) {
        for (int x = item.left(); x <= item.right(); ++x) {
            if (image.pixel(x, y) == background)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    QVERIFY2(left < right, "no label drawn below the icon");
    QVERIFY2(qAbs((left + right) / 2 - item.center().x()) <= 3,
             qPrintable(QStringLiteral("label spans %1..%2 in an item %3..%4")
                            .arg(left).arg(right).arg(item.left()).arg(item.right())));
}

void ListViewTest::contextMenuDependsOnSelection()
{
    Add({{"1", "111", "Ann"}});
    QCOMPARE(view->ContextMenu(), view->EmptyListMenu());
    view->ReportView()->selectionModel()->select(
        view->Model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(view->ContextMenu(), view->SelectionMenu());
    QVERIFY(view->SelectionMenu() != view->EmptyListMenu());

    auto texts = [](QMenu* menu) {
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    };
    QCOMPARE(texts(view->SelectionMenu()), (QStringList{"&New Entry...", "&Delete Entry", "&Edit...", "-",
                                                        "Cu&t", "&Copy", "&Paste", "-", "&View"}));
    QCOMPARE(texts(view->EmptyListMenu()), (QStringList{"&New Entry...", "-", "&Paste", "-", "&View"}));
    // A popup item runs its command and follows the command's enabled state.
    QAction* command = actions->Get(ID_PHONEBOOK_EDIT_ENTRY);
    QAction* item = view->SelectionMenu()->actions().at(2);
    QSignalSpy ran(command, &QAction::triggered);
    test::DialogScript script;
    script.Cancel();  // the command's dialog
    item->trigger();
    QCOMPARE(ran.count(), 1);
    QCOMPARE(script.Seen(), QStringList{"dialog: Edit Entry"});
    command->setEnabled(false);
    QVERIFY(!item->isEnabled());

    for (QMenu* menu : {view->SelectionMenu(), view->EmptyListMenu()}) {
        const QList<QAction*> items = menu->actions();
        QVERIFY(!items.isEmpty());
        QMenu* submenu = items.last()->menu();
        QVERIFY(submenu != nullptr);
        QCOMPARE(items.last()->text(), QStringLiteral("&View"));
        QCOMPARE(texts(submenu), (QStringList{"&Icon", "&Small Icon", "&List", "R&eport", "-", "&Refresh"}));
        // Every item of the popup runs a command that exists.
        for (QAction* action : submenu->actions())
            QVERIFY(action->isSeparator() || actions->Get(action->data().toInt()) == action);
    }
}

void ListViewTest::rightClickBesideTheItemsClearsTheSelection()
{
    Add({{"1", "111", "Ann"}, {"2", "222", "Bob"}});
    QTreeView* report = view->ReportView();
    report->selectionModel()->select(view->Model()->index(0, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    report->setCurrentIndex(view->Model()->index(0, 0));
    QPoint shownAt;
    auto request = [&](QContextMenuEvent::Reason reason, QPoint at, QWidget* target) {
        QContextMenuEvent event(reason, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
        QMenu* shown = nullptr;
        for (QMenu* menu : {view->SelectionMenu(), view->EmptyListMenu()})
            if (menu->isVisible())
                shown = menu;
        if (shown != nullptr) {
            shownAt = shown->pos();
            shown->hide();
        }
        return shown;
    };
    // On an item: the selection stays and its menu opens at the pointer.
    const QPoint onBob = report->visualRect(view->Model()->index(1, 0)).center();
    report->selectionModel()->select(view->Model()->index(1, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(request(QContextMenuEvent::Mouse, onBob, report->viewport()), view->SelectionMenu());
    QCOMPARE(view->SelectedCount(), 2);
    QCOMPARE(shownAt, report->viewport()->mapToGlobal(onBob));
    // The menu key opens the selection menu at the current item, wherever the pointer is.
    QCOMPARE(request(QContextMenuEvent::Keyboard, QPoint(1, 1), report), view->SelectionMenu());
    QCOMPARE(view->SelectedCount(), 2);
    QCOMPARE(shownAt, report->viewport()->mapToGlobal(report->visualRect(report->currentIndex()).bottomLeft()));
    // Below the items: nothing stays selected and the empty-list menu opens.
    const QPoint below(10, report->viewport()->height() - 5);
    QVERIFY(!report->indexAt(below).isValid());
    QCOMPARE(request(QContextMenuEvent::Mouse, below, report->viewport()), view->EmptyListMenu());
    QCOMPARE(view->SelectedCount(), 0);
}

QTEST_MAIN(ListViewTest)
#include "list_view_test.moc"
