// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that change the phone book, through the window against a simulated phone:
// which dialog shows, what reaches the device, what the list shows afterwards, and that the
// keys reach the commands while the list has the focus.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include "app/frame/command_actions.h"
#include "app/frame/main_frame.h"
#include "app/frame/main_status_bar.h"
#include "app/list/phone_book_model.h"
#include "app/list/rdx_view.h"
#include "app/qt_settings_store.h"
#include "app/rdx_app.h"
#include "app/string_table.h"
#include "core/list/command_state.h"
#include "core/formats/vcard.h"
#include "core/session/paste.h"
#include "dialog_script_helper.h"
#include "window_timing_helper.h"
#include "sim/pty_modem.h"

using namespace ribodex;
using ribodex::test::DialogScript;

class EditingCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void newEntryChecksTheNumberAndAsksBeforeOverwriting();
    void editRewritesTheItemInPlace();
    void deleteKeepsTheItemTheDeviceRefuses();
    void copyCutAndPasteThroughTheClipboard();
    void vCardsThroughTheClipboard();
    void selectPhoneBookSelectsOnOkOnly();
    void namesInAnyScript();
    void longWorkStopsInTheMiddle();
    void cutStoppedMidwayHoldsOnlyWhatWasDeleted();
    void closingDuringAPasteAsksToStop();

private:
    // A phone without PIN whose SIM holds the given entries (number 0 followed by 1700 +
    // index), and the window connected to it with its list filled.
    void Start(std::map<int, std::string> book);
    std::map<int, std::string> DeviceNames();
    QStringList Column(int column) const;
    QStringList Sent(const char* prefix);
    void Select(std::initializer_list<int> rows);
    QAction* Command(int id) const { return app->Frame()->Actions().Get(id); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Runs act once, from inside the window's wait for the device, when the status bar's
    // progress has reached done.
    void WhenProgress(int done, std::function<void()> act);
    // Every item is the phone's entry at its location (the phone may hold more when whole
    // is false).
    void CompareListWithPhone(bool whole);
    void OfferRecords(int count);

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QtSettingsStore> store;
    std::unique_ptr<sim::PtyModem> modem;
    std::unique_ptr<RdxApp> app;
};

namespace {

// Fills the entry dialog and presses OK.
void FillEntry(QWidget* dialog, const QString& name, const QString& number, const QString& index = {})
{
    dialog->findChild<QLineEdit*>(QStringLiteral("IDC_ENTRY_NAME"))->setText(name);
    dialog->findChild<QLineEdit*>(QStringLiteral("IDC_ENTRY_NUMBER"))->setText(number);
    if (auto* indexEdit = dialog->findChild<QLineEdit*>(QStringLiteral("IDC_ENTRY_INDEX")))
        QTest::keyClicks(indexEdit, index);  // typed: the box takes digits only
    qobject_cast<QDialog*>(dialog)->accept();
}

}  // namespace

void EditingCommandsTest::init()
{
    dir = std::make_unique<QTemporaryDir>();
    store = std::make_unique<QtSettingsStore>(dir->filePath(QStringLiteral("ribodex.ini")));
}

void EditingCommandsTest::cleanup()
{
    app.reset();
    modem.reset();
    store.reset();
    dir.reset();
}

void EditingCommandsTest::Start(std::map<int, std::string> book)
{
    sim::SimConfig config;
    for (auto& [index, name] : book)
        config.memories[0].entries[index] = sim::SimEntry{"0" + std::to_string(1700 + index), 129, name};
    QCOMPARE(config.memories[0].name, std::string("SM"));
    modem = std::make_unique<sim::PtyModem>(config);
    QVERIFY(modem->Start());
    store->SetText("1.0", "Port", modem->SlavePath());
    store->SetInt("1.0", "Query PIN", 0);
    RdxApp::Options options;
    options.demoBookPath = dir->filePath(QStringLiteral("demo-phone.txt")).toStdString();
    options.timing = test::FastTiming();
    app = std::make_unique<RdxApp>(*store, options);
    QVERIFY(app->InitInstance({}));
    QCOMPARE(app->GetSession().connected, 1);
    app->Frame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app->Frame()));
    app->Frame()->View()->ReportView()->setFocus();
}

std::map<int, std::string> EditingCommandsTest::DeviceNames()
{
    return modem->With([](sim::ModemSimulator& sim) {
        std::map<int, std::string> names;
        for (const auto& [index, entry] : sim.FindMemory("SM")->entries)
            names[index] = entry.nameGsm + "/" + entry.number;
        return names;
    });
}

QStringList EditingCommandsTest::Column(int column) const
{
    QStringList texts;
    PhoneBookModel* model = app->Frame()->View()->Model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

QStringList EditingCommandsTest::Sent(const char* prefix)
{
    QStringList lines;
    for (const std::string& line : modem->With([](sim::ModemSimulator& sim) { return sim.Commands(); }))
        if (line.rfind(prefix, 0) == 0)
            lines << QString::fromStdString(line);
    return lines;
}

void EditingCommandsTest::Select(std::initializer_list<int> rows)
{
    QTreeView* list = app->Frame()->View()->ReportView();
    list->clearSelection();
    for (int row : rows)
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void EditingCommandsTest::Key(int key, Qt::KeyboardModifiers modifiers)
{
    QTreeView* list = app->Frame()->View()->ReportView();
    // Offscreen there is no window manager to give the window back its activation when a
    // message box has gone.
    app->Frame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app->Frame()));
    QCOMPARE(QApplication::focusWidget(), list);
    QTest::keyClick(list, Qt::Key(key), modifiers);
}

void EditingCommandsTest::WhenProgress(int done, std::function<void()> act)
{
    auto* timer = new QTimer(app->Frame());
    connect(timer, &QTimer::timeout, timer, [this, timer, done, act] {
        MainStatusBar* bar = app->Frame()->StatusBar();
        if (bar->ProgressShown() && bar->ProgressText().section(QLatin1Char(' '), 0, 0).toInt() >= done) {
            timer->stop();
            act();
        }
    });
    timer->start(0);
}

void EditingCommandsTest::CompareListWithPhone(bool whole)
{
    const std::map<int, std::string> phone = DeviceNames();
    std::map<int, std::string> shown;
    const QStringList names = Column(0), numbers = Column(1), indices = Column(2);
    for (int row = 0; row < names.size(); ++row)
        shown[indices[row].toInt()] = (names[row] + QLatin1Char('/') + numbers[row]).toStdString();
    QCOMPARE(int(shown.size()), names.size());
    for (const auto& [index, text] : shown)
        QCOMPARE(phone.count(index) ? phone.at(index) : std::string("(empty)"), text);
    if (whole)
        QCOMPARE(shown.size(), phone.size());
}

void EditingCommandsTest::OfferRecords(int count)
{
    QString text = QStringLiteral("Quillcast Receivers Clipboard V1.0\x04\r\n");
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("P%1\x05%2\x05\x05\x05\x05\x05\x05\x04\r\n").arg(i).arg(500 + i);
    QGuiApplication::clipboard()->setText(text);
}

void EditingCommandsTest::newEntryChecksTheNumberAndAsksBeforeOverwriting()
{
    Start({{5, "Eve"}});
    bool focusBackInNumber = false;
    bool stillOpen = false;
    DialogScript script;
    script
        .Then([&](QWidget* dialog) {
            // A letter among the digits: message 154, the dialog stays, the focus is on the
            // number, nothing is sent.
            FillEntry(dialog, QStringLiteral("Fred"), QStringLiteral("030 12a4"), QStringLiteral("5x"));
            stillOpen = dialog->isVisible();
            focusBackInNumber = dialog->focusWidget() == dialog->findChild<QLineEdit*>(QStringLiteral("IDC_ENTRY_NUMBER"));
            dialog->findChild<QLineEdit*>(QStringLiteral("IDC_ENTRY_NUMBER"))->setText(QStringLiteral("+301234"));
            qobject_cast<QDialog*>(dialog)->accept();
        })
        .PressOk()  // 154, from inside the dialog
        .PressNo();  // 165
    Command(ID_PHONEBOOK_NEW_ENTRY)->trigger();
    QVERIFY(script.Done());
    QVERIFY(stillOpen);
    QVERIFY(focusBackInNumber);
    QCOMPARE(script.Seen(), (QStringList{"dialog: New Entry", "box: The number is not valid.",
                                         "box: An entry at the index 5 allready exists. Do you want to overwrite it?"}));
    QCOMPARE(Sent("AT+CPBW"), QStringList());
    QCOMPARE(DeviceNames(), (std::map<int, std::string>{{5, "Eve/01705"}}));

    // Yes overwrites, the empty index box takes the first free location; each is read back.
    // The blanks, parentheses and dashes people write are taken out before the write.
    script.Then([](QWidget* dialog) { FillEntry(dialog, QStringLiteral("Fred"), QStringLiteral("+30 (12) 3-4"), QStringLiteral("5")); })
        .PressYes()
        .Then([](QWidget* dialog) { FillEntry(dialog, QStringLiteral("Gil"), QStringLiteral("112")); });
    Command(ID_PHONEBOOK_NEW_ENTRY)->trigger();
    Command(ID_PHONEBOOK_NEW_ENTRY)->trigger();
    QVERIFY(script.Done());
    QCOMPARE(DeviceNames(), (std::map<int, std::string>{{1, "Gil/112"}, {5, "Fred/+301234"}}));
    QCOMPARE(Column(0), (QStringList{"Gil", "Fred"}));
    QCOMPARE(Column(2), (QStringList{"1", "5"}));
    QCOMPARE(script.Unexpected(), 0);
}

void EditingCommandsTest::editRewritesTheItemInPlace()
{
    Start({{1, "Anna"}, {3, "Bert"}, {120, "Zora"}});
    app->Frame()->View()->Model()->SortColumn(0);
    app->Frame()->View()->Model()->SortColumn(0);  // Zora, Bert, Anna
    Select({1});
    QString shownName, shownNumber;
    DialogScript script;
    script.Then([&](QWidget* dialog) {
        shownName = dialog->findChild<QLineEdit*>(QStringLiteral("IDC_ENTRY_NAME"))->text();
        shownNumber = dialog->findChild<QLineEdit*>(QStringLiteral("IDC_ENTRY_NUMBER"))->text();
        dialog->findChild<QLineEdit*>(QStringLiteral("IDC_ENTRY_NAME"))->setText(QStringLiteral("Berta"));
        qobject_cast<QDialog*>(dialog)->accept();
    });
    QTreeView* list = app->Frame()->View()->ReportView();
    const QPoint bert = list->visualRect(list->model()->index(1, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, bert);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, bert);
    QVERIFY(script.Done());
    QCOMPARE(script.Seen(), QStringList{"dialog: Edit Entry"});
    QCOMPARE(shownName, QStringLiteral("Bert"));
    QCOMPARE(shownNumber, QStringLiteral("01703"));
    QCOMPARE(Sent("AT+CPBW"), QStringList{"AT+CPBW=3, \"01703\", 129, \"Berta\""});
    // In place: position, order and selection kept; only the location written read back.
    QCOMPARE(Column(0), (QStringList{"Zora", "Berta", "Anna"}));
    QCOMPARE(Column(2), (QStringList{"120", "3", "1"}));
    QVERIFY(list->selectionModel()->isRowSelected(1, {}));
    QCOMPARE(Sent("AT+CPBR=").mid(3), (QStringList{"AT+CPBR=3, 3"}));
    // Enter on the row is the double click.
    script.Cancel();
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(script.Done());
    QCOMPARE(script.Seen().size(), 2);
}

void EditingCommandsTest::deleteKeepsTheItemTheDeviceRefuses()
{
    Start({{1, "Anna"}, {2, "Bert"}, {3, "Cleo"}});
    // An item whose location the memory does not have: the phone refuses to empty it.
    app->Frame()->View()->Model()->AddItem("999", "0", "Bea");
    app->Frame()->View()->Model()->SortColumn(0);  // Anna, Bea, Bert, Cleo
    Select({0, 1, 3});
    DialogScript script;
    script.PressYes();
    Key(Qt::Key_Delete);
    QCOMPARE(script.Seen(), QStringList{"box: Do you really want to delete the selected entries?"});
    QCOMPARE(Sent("AT+CPBW"), (QStringList{"AT+CPBW=1", "AT+CPBW=999", "AT+CPBW=3"}));
    QCOMPARE(DeviceNames(), (std::map<int, std::string>{{2, "Bert/01702"}}));
    QCOMPARE(Column(0), (QStringList{"Bea", "Bert"}));
    QCOMPARE(app->Frame()->View()->SelectedCount(), 1);
    QVERIFY(app->Frame()->View()->ReportView()->selectionModel()->isRowSelected(0, {}));
}

void EditingCommandsTest::copyCutAndPasteThroughTheClipboard()
{
    Start({{1, "Anna"}, {2, "Bert"}, {4, "Dora"}});
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("just some text"));
    QVERIFY(!Command(ID_EDIT_PASTE)->isEnabled());
    // Nothing selected: Copy is disabled and the key leaves the clipboard alone (the list
    // would copy its current cell).
    app->Frame()->View()->ReportView()->setCurrentIndex(app->Frame()->View()->Model()->index(1, 0));
    Select({});
    Key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("just some text"));

    Select({0, 2});
    Key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("Quillcast Receivers Clipboard V1.0\x04\r\n"
                                               "Anna\x05" "01701\x05\x05\x05\x05\x05\x05\x04\r\n"
                                               "Dora\x05" "01704\x05\x05\x05\x05\x05\x05\x04\r\n"));
    QVERIFY(Command(ID_EDIT_PASTE)->isEnabled());

    // Cut: copied, then deleted after the question.
    Select({1});
    DialogScript script;
    script.PressYes();
    Key(Qt::Key_X, Qt::ControlModifier);
    QVERIFY(clipboard->text().contains(QStringLiteral("Bert\x05" "01702")));
    QCOMPARE(Column(0), (QStringList{"Anna", "Dora"}));
    QCOMPARE(DeviceNames().count(2), 0u);

    // What another program put there: text before the header, a record the phone refuses.
    clipboard->setText(QStringLiteral("Receivers for Monday\r\n") + clipboard->text() +
                       QStringLiteral("Bad\x05" "12ab\x05\x04\r\nJ\u00f6rg\x05" "+4930\x05\x04\r\n"));
    script.PressOk();
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(script.Seen().last(), QStringLiteral("box: Not all entries could be pasted."));
    QCOMPARE(DeviceNames(), (std::map<int, std::string>{{1, "Anna/01701"}, {2, "Bert/01702"},
                                                         {3, "J\x7Crg/+4930"}, {4, "Dora/01704"}}));
    QCOMPARE(Column(0), (QStringList{"Anna", "Bert", QStringLiteral("J\u00f6rg"), "Dora"}));
    QCOMPARE(app->Frame()->StatusText(), QStringLiteral("For Help, press F1"));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

// Copy also offers vCards; Paste takes them when the clipboard holds no records: our own
// back again, and another program's with a name the device cannot hold whole.
void EditingCommandsTest::vCardsThroughTheClipboard()
{
    Start({{1, "Anna"}, {2, "J\x7Crg"}, {4, "Dora"}});
    QClipboard* clipboard = QGuiApplication::clipboard();
    Select({0, 1});
    Key(Qt::Key_C, Qt::ControlModifier);
    const QByteArray cards = clipboard->mimeData()->data(QStringLiteral("text/vcard"));
    QCOMPARE(clipboard->mimeData()->data(QStringLiteral("text/x-vcard")), cards);
    QVERIFY(clipboard->text().startsWith(QStringLiteral("Quillcast Receivers Clipboard V1.0")));
    QVERIFY(cards.contains("VERSION:3.0\r\nFN:J\xC3\xB6rg\r\n"));
    QVERIFY(!cards.contains("X-RIBODEX-LOCATION"));
    std::vector<std::string> read;
    for (const VCardContact& contact : ReadVCards(cards.toStdString()))
        read.push_back(contact.name + "/" + contact.numbers.at(0));
    QCOMPARE(read, (std::vector<std::string>{"Anna/01701", "J\xC3\xB6rg/01702"}));

    // The cards alone, as an address book would offer them back.
    auto offer = [clipboard](const char* type, const QByteArray& bytes) {
        auto* data = new QMimeData;
        data->setData(QString::fromLatin1(type), bytes);
        clipboard->setMimeData(data);
    };
    offer("text/vcard", cards);
    QVERIFY(Command(ID_EDIT_PASTE)->isEnabled());
    DialogScript script;
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(script.Seen(), QStringList());
    QCOMPARE(DeviceNames(), (std::map<int, std::string>{{1, "Anna/01701"}, {2, "J\x7Crg/01702"}, {3, "Anna/01701"},
                                                         {4, "Dora/01704"}, {5, "J\x7Crg/01702"}}));
    QCOMPARE(Column(2), (QStringList{"1", "2", "3", "4", "5"}));

    // Contacts without a number leave Paste disabled.
    offer("text/x-vcard", "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Nobody\r\nEMAIL:n@example.org\r\nEND:VCARD\r\n");
    QVERIFY(!Command(ID_EDIT_PASTE)->isEnabled());
    // Another program's 2.1 cards: the user is asked about the name first; No writes nothing.
    offer("text/x-vcard", "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Zo=F0=9F=98=80\r\n"
                          "TEL;CELL:+49 30 1\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Nobody\r\nEND:VCARD\r\n");
    QVERIFY(Command(ID_EDIT_PASTE)->isEnabled());
    script.PressNo().PressYes().PressOk();
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(DeviceNames().size(), 5u);
    Key(Qt::Key_V, Qt::ControlModifier);
    QVERIFY(script.Done());
    QVERIFY(script.Seen()[0].contains(QString::fromUtf8("\"Zo\U0001F600\" as \"Zo\"")));
    QCOMPARE(script.Seen()[1], script.Seen()[0]);
    QCOMPARE(script.Seen()[2], QStringLiteral("box: Not all entries could be pasted."));  // Nobody
    QCOMPARE(DeviceNames().at(6), std::string("Zo/+49301"));
    QCOMPARE(Column(0).last(), QStringLiteral("Zo"));
    // A card copied as plain text out of a text editor or a mail.
    clipboard->setText(QStringLiteral("\nbegin:vcard\nVERSION:3.0\nFN:Emil\nTEL:0301\nEND:VCARD\n"));
    QVERIFY(Command(ID_EDIT_PASTE)->isEnabled());
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(DeviceNames().at(7), std::string("Emil/0301"));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void EditingCommandsTest::namesInAnyScript()
{
    const std::string ivan("\x80\x04\x18\x04\x32\x04\x30\x04\x3D", 9);  // the SIM's UCS2 coding
    Start({{1, ivan}, {2, "Anna"}});
    QCOMPARE(Column(0), (QStringList{QString::fromUtf8("Иван"), "Anna"}));
    Select({0});
    DialogScript script;
    script.Then([](QWidget* dialog) {
        FillEntry(dialog, dialog->findChild<QLineEdit*>(QStringLiteral("IDC_ENTRY_NAME"))->text(), "0301");
    });
    Command(ID_PHONEBOOK_EDIT_ENTRY)->trigger();
    QCOMPARE(DeviceNames().at(1), ivan + "/0301");
    QCOMPARE(Column(1).at(0), QStringLiteral("0301"));

    // A character no set of the device holds: asked first; No goes back to the dialog with
    // what was typed, and nothing is written.
    QString typed;
    script.Then([](QWidget* dialog) {
              FillEntry(dialog, QString::fromUtf8("Zoe \U0001F600"), "0302");
              dialog->setProperty("scripted", false);  // the same dialog comes back
          })
        .PressNo()
        .Then([&typed](QWidget* dialog) {
            typed = dialog->findChild<QLineEdit*>(QStringLiteral("IDC_ENTRY_NAME"))->text();
            qobject_cast<QDialog*>(dialog)->reject();
        });
    Command(ID_PHONEBOOK_NEW_ENTRY)->trigger();
    QVERIFY(script.Done());
    QCOMPARE(typed, QString::fromUtf8("Zoe \U0001F600"));
    QCOMPARE(DeviceNames().size(), 2u);
}

void EditingCommandsTest::selectPhoneBookSelectsOnOkOnly()
{
    Start({{1, "Anna"}});
    modem->With([](sim::ModemSimulator& sim) { sim.FindMemory("ME")->entries[1] = sim::SimEntry{"0999", 129, "Mira"}; });
    QString preselected;
    DialogScript script;
    script.Then([&](QWidget* dialog) {
        auto* list = dialog->findChild<QComboBox*>(QStringLiteral("IDC_PHONEBOOK"));
        preselected = list->currentText();
        list->setCurrentIndex(list->findText(QStringLiteral("Mobile Equipment")));
        qobject_cast<QDialog*>(dialog)->accept();
    });
    Command(ID_PHONEBOOK_SELECT)->trigger();
    QCOMPARE(preselected, QStringLiteral("SIM"));
    QCOMPARE(Sent("AT+CPBS="), (QStringList{"AT+CPBS=\"SM\"", "AT+CPBS=?", "AT+CPBS=\"ME\""}));
    QCOMPARE(Column(0), QStringList{"Mira"});  // read again: what an edit or a delete changes
    QVERIFY(app->Frame()->StatusBar()->MemoryText().startsWith(QStringLiteral("Mobile Equipment ")));
    script.Then([](QWidget* dialog) { FillEntry(dialog, QStringLiteral("Mila"), QStringLiteral("0999")); });
    Select({0});
    Command(ID_PHONEBOOK_EDIT_ENTRY)->trigger();
    QCOMPARE(modem->With([](sim::ModemSimulator& sim) { return sim.FindMemory("ME")->entries.at(1).nameGsm; }), "Mila");
    QCOMPARE(DeviceNames(), (std::map<int, std::string>{{1, "Anna/01701"}}));

    script.Cancel();
    Command(ID_PHONEBOOK_SELECT)->trigger();
    QCOMPARE(Sent("AT+CPBS=").size(), 4);  // the second query only
    QCOMPARE(Sent("AT+CPBR=?").size(), 4);  // two refreshes, none after Cancel
    QVERIFY(script.Done());
}

// A paste (Escape), a multi-delete (Escape) and a full read (the Cancel button) stop in the
// middle; what was done stays done and the list shows it as the phone has it.
void EditingCommandsTest::longWorkStopsInTheMiddle()
{
    std::map<int, std::string> book;
    for (int i = 1; i <= 80; ++i)
        book[i] = "N" + std::to_string(i);
    Start(book);
    MainStatusBar* bar = app->Frame()->StatusBar();
    QCOMPARE(bar->MemoryText(), QStringLiteral("SIM 80/250"));
    QCOMPARE(bar->PortText(), QString::fromStdString(modem->SlavePath()));

    OfferRecords(30);
    QWidget* list = app->Frame()->View()->ReportView();
    WhenProgress(5, [list] { QTest::keyClick(list, Qt::Key_Escape); });
    Command(ID_EDIT_PASTE)->trigger();
    const int pasted = int(DeviceNames().size()) - 80;
    QVERIFY2(pasted >= 5 && pasted < 30, qPrintable(QString::number(pasted)));
    CompareListWithPhone(true);

    app->Frame()->View()->ReportView()->selectAll();
    DialogScript script;
    script.PressYes();
    WhenProgress(5, [list] { QTest::keyClick(list, Qt::Key_Escape); });
    Command(ID_PHONEBOOK_DELETE_ENTRY)->trigger();
    const int deleted = 80 + pasted - int(DeviceNames().size());
    QVERIFY2(deleted >= 5 && deleted < 80 + pasted, qPrintable(QString::number(deleted)));
    CompareListWithPhone(true);
    QCOMPARE(bar->MemoryText(), QStringLiteral("SIM %1/250").arg(80 + pasted - deleted));
    QCOMPARE(script.Unexpected(), 0);

    const int left = 80 + pasted - deleted;
    modem->With([](sim::ModemSimulator& sim) { sim.Config().baud = 19200; });
    WhenProgress(10, [bar] { QTest::mouseClick(bar->CancelButton(), Qt::LeftButton); });
    Command(ID_VIEW_REFRESH)->trigger();
    const int kept = app->Frame()->View()->Model()->rowCount();
    QVERIFY2(kept >= 10 && kept < left, qPrintable(QString::number(kept)));
    CompareListWithPhone(false);
    QVERIFY(!bar->ProgressShown());
    // The rest of the stopped read's answer is not taken for the next command's.
    Command(ID_VIEW_REFRESH)->trigger();
    CompareListWithPhone(true);
}

// Cut of 30 stopped midway: records and vCards hold the entries that left the phone, no
// more, so pasting them back gives the book as it was, without a duplicate.
void EditingCommandsTest::cutStoppedMidwayHoldsOnlyWhatWasDeleted()
{
    std::map<int, std::string> book;
    for (int i = 1; i <= 30; ++i)
        book[i] = "N" + std::to_string(i);
    Start(book);
    const std::map<int, std::string> before = DeviceNames();
    // At the line's speed the 30 deletes take long enough for Escape to land midway on a
    // loaded machine too.
    modem->With([](sim::ModemSimulator& sim) { sim.Config().baud = 9600; });
    app->Frame()->View()->ReportView()->selectAll();
    DialogScript script;
    script.PressYes();
    QWidget* list = app->Frame()->View()->ReportView();
    WhenProgress(5, [list] { QTest::keyClick(list, Qt::Key_Escape); });
    Key(Qt::Key_X, Qt::ControlModifier);
    QVERIFY(script.Done());
    const std::map<int, std::string> left = DeviceNames();
    std::vector<std::string> gone;
    for (const auto& [index, entry] : before)
        if (left.count(index) == 0)
            gone.push_back(entry);
    QVERIFY2(gone.size() >= 5 && gone.size() < 30, qPrintable(QString::number(gone.size())));
    std::vector<std::string> records;
    for (const ImportEntry& entry : RecordEntries(ToCp1252(QGuiApplication::clipboard()->text())))
        records.push_back(entry.name + "/" + entry.number);
    QCOMPARE(records, gone);
    QCOMPARE(ReadVCards(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/vcard")).toStdString()).size(),
             gone.size());

    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(DeviceNames(), before);
    QCOMPARE(script.Unexpected(), 0);
}

// Closing the window during a paste asks; No goes on, Yes stops after the record in flight
// and closes the window once the paste has ended.
void EditingCommandsTest::closingDuringAPasteAsksToStop()
{
    Start({{1, "Anna"}});
    OfferRecords(30);
    DialogScript script;
    script.PressNo().PressYes();
    WhenProgress(3, [this] { app->Frame()->close(); });
    WhenProgress(8, [this] { app->Frame()->close(); });
    Command(ID_EDIT_PASTE)->trigger();
    QVERIFY(script.Done());
    QCOMPARE(script.Seen().size(), 2);
    QVERIFY(script.Seen()[0].startsWith(QStringLiteral("box: The entries are still being pasted.")));
    const int pasted = int(DeviceNames().size()) - 1;
    QVERIFY2(pasted >= 8 && pasted < 30, qPrintable(QString::number(pasted)));
    CompareListWithPhone(true);
    QTRY_VERIFY(!app->Frame()->isVisible());
}

QTEST_MAIN(EditingCommandsTest)
#include "editing_commands_test.moc"
