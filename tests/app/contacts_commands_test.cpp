// SPDX-License-Identifier: GPL-3.0-or-later
// File > Import Contacts through the window against a simulated phone: the file dialog, the
// plan shown, a row unticked with the keyboard, Write clicked, what reached the phone, and a
// second import of the same file that writes nothing; Export Contacts and Find Duplicates.
#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

#include "app/dialogs/import_plan_dlg.h"
#include "app/frame/command_actions.h"
#include "app/frame/main_frame.h"
#include "app/list/phone_book_model.h"
#include "app/list/rdx_view.h"
#include "app/qt_settings_store.h"
#include "app/rdx_app.h"
#include "core/formats/vcard.h"
#include "core/list/command_state.h"
#include "dialog_script_helper.h"
#include "sim/pty_modem.h"
#include "window_timing_helper.h"

using namespace ribodex;
using ribodex::test::DialogScript;

class ContactsCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void importShowsThePlanAndWritesTheTickedRowsOnce();
    void exportAndFindDuplicates();
    void backUpSavesEveryMemoryAndLeavesTheListOnItsOwn();

private:
    void Start();
    std::map<int, std::string> Phone();
    QAction* Command(int id) const { return app->Frame()->Actions().Get(id); }

    QTemporaryDir dir;
    std::unique_ptr<QtSettingsStore> store;
    std::unique_ptr<sim::PtyModem> modem;
    std::unique_ptr<RdxApp> app;
};

namespace {

void AnswerFileDialog(DialogScript& script, const QString& path, int filter = 0)
{
    script.Then([path, filter](QWidget* modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            dialog->selectNameFilter(dialog->nameFilters().value(filter));
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        }
        qobject_cast<QDialog*>(modal)->accept();
    });
}

}  // namespace

void ContactsCommandsTest::Start()
{
    store = std::make_unique<QtSettingsStore>(dir.filePath(QStringLiteral("ribodex.ini")));
    sim::SimConfig config;
    config.memories[0].entries[1] = sim::SimEntry{"+4930123456", 145, "Anna"};
    config.memories[0].entries[3] = sim::SimEntry{"112", 129, "Notruf"};
    modem = std::make_unique<sim::PtyModem>(config);
    QVERIFY(modem->Start());
    store->SetText("1.0", "Port", modem->SlavePath());
    store->SetInt("1.0", "Query PIN", 0);
    RdxApp::Options options;
    options.demoBookPath = dir.filePath(QStringLiteral("demo-phone.txt")).toStdString();
    options.timing = test::FastTiming();
    app = std::make_unique<RdxApp>(*store, options);
    QVERIFY(app->InitInstance({}));
    app->Frame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app->Frame()));
}

std::map<int, std::string> ContactsCommandsTest::Phone()
{
    return modem->With([](sim::ModemSimulator& sim) {
        std::map<int, std::string> entries;
        for (const auto& [index, entry] : sim.FindMemory("SM")->entries) entries[index] = entry.nameGsm + "/" + entry.number;
        return entries;
    });
}

void ContactsCommandsTest::importShowsThePlanAndWritesTheTickedRowsOnce()
{
    Start();
    const QString path = dir.filePath(QStringLiteral("google.csv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Name,Phone 1 - Type,Phone 1 - Value,Phone 2 - Type,Phone 2 - Value\r\n"
               "Anna,Mobile,0049 30 123456,,\r\n"                 // on the phone at 1
               "Bernd,Mobile,+49 (171) 234-567 ::: *100#,Work,0301\r\n"
               "Nobody,,,,\r\n");
    file.close();
    QStringList shown;
    auto script = std::make_unique<DialogScript>();
    AnswerFileDialog(*script, path);
    script->Then([&shown](QWidget* modal) {
        auto* plan = qobject_cast<CImportPlanDlg*>(modal);
        QVERIFY(plan != nullptr);
        QTreeWidget* rows = plan->Rows();
        for (int i = 0; i < rows->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = rows->topLevelItem(i);
            shown << item->text(0) + "|" + item->text(1) + "|" + item->text(2) + "|" + item->text(3);
        }
        // The user unticks the service code with the keyboard and clicks Write.
        rows->setFocus();
        rows->setCurrentItem(rows->topLevelItem(2));
        QTest::keyClick(rows, Qt::Key_Space);
        QTest::mouseClick(plan->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    Command(ID_FILE_IMPORT_CONTACTS)->trigger();
    QVERIFY(script->Done());
    script.reset();  // a used-up script would answer the next dialogs
    QCOMPARE(shown, (QStringList{"Anna|004930123456|1|already on the phone; written as \"0049 30 123456\"",
                                 "Bernd|+49171234567|2|written as \"+49 (171) 234-567\"", "Bernd|*100#|4|",
                                 "Bernd|0301|5|", "Nobody|||skipped: no number"}));
    QCOMPARE(Phone(), (std::map<int, std::string>{
                          {1, "Anna/+4930123456"}, {2, "Bernd/+49171234567"}, {3, "Notruf/112"}, {4, "Bernd/0301"}}));

    // The same file again: nothing is left to tick, Write sends nothing.
    DialogScript again;
    AnswerFileDialog(again, path);
    again.Then([](QWidget* modal) {
        auto* plan = qobject_cast<CImportPlanDlg*>(modal);
        QVERIFY(plan != nullptr);
        QCOMPARE(plan->TickedRows(), std::vector<std::size_t>{2});  // only *100#, unticked before
        plan->Rows()->setFocus();
        plan->Rows()->setCurrentItem(plan->Rows()->topLevelItem(2));
        QTest::keyClick(plan->Rows(), Qt::Key_Space);  // unticked again
        QVERIFY(plan->TickedRows().empty());
        plan->accept();
    });
    const auto writes = [this] {
        int count = 0;
        for (const std::string& line : modem->With([](sim::ModemSimulator& sim) { return sim.Commands(); }))
            count += line.rfind("AT+CPBW", 0) == 0;
        return count;
    };
    const int before = writes();
    Command(ID_FILE_IMPORT_CONTACTS)->trigger();
    QVERIFY(again.Done());
    QCOMPARE(writes(), before);
    QCOMPARE(Phone().size(), 4u);
}

void ContactsCommandsTest::exportAndFindDuplicates()
{
    Start();
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    DialogScript script;
    AnswerFileDialog(script, path, 1);
    Command(ID_FILE_EXPORT_CONTACTS)->trigger();
    QVERIFY(script.Done());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("Name,Phone 1 - Type,Phone 1 - Value\r\nAnna,Mobile,+4930123456\r\n"
                                        "Notruf,Mobile,112\r\n"));

    modem->With([](sim::ModemSimulator& sim) { sim.FindMemory("SM")->entries[7] = {"004930123456", 129, "A. H."}; });
    Command(ID_VIEW_REFRESH)->trigger();
    Command(ID_EDIT_FIND_DUPLICATES)->trigger();
    QCOMPARE(app->Frame()->View()->SelectedCount(), 2);
}

void ContactsCommandsTest::backUpSavesEveryMemoryAndLeavesTheListOnItsOwn()
{
    Start();
    modem->With([](sim::ModemSimulator& sim) {
        sim.FindMemory("ME")->entries[2] = {"*100#", 129, "Guthaben"};
        sim.FindMemory("SM")->entries[5] = {"0301", 129, "Neu"};  // not in the list yet
    });
    const QString path = dir.filePath(QStringLiteral("backup.vcf"));
    QString told;
    DialogScript script;
    AnswerFileDialog(script, path);
    script.Then([&told](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box != nullptr);
        told = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    Command(ID_FILE_BACKUP)->trigger();
    QVERIFY(script.Done());
    QVERIFY2(told.startsWith(QStringLiteral("4 entries of the memories ")), qPrintable(told));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList saved;
    for (const MemoryEntry& card : ReadBackupVCards(file.readAll().toStdString()))
        saved << QString::fromStdString(card.memory + std::to_string(card.entry.index) + "/" + card.entry.number);
    saved.sort();
    QCOMPARE(saved, (QStringList{"ME2/*100#", "SM1/+4930123456", "SM3/112", "SM5/0301"}));
    // The device is left on the memory on screen, and the list shows what it holds now.
    QCOMPARE(modem->With([](sim::ModemSimulator& sim) { return sim.Config().selectedMemory; }), std::string("SM"));
    QCOMPARE(app->Frame()->View()->Model()->rowCount(), 3);
}

QTEST_MAIN(ContactsCommandsTest)
#include "contacts_commands_test.moc"
