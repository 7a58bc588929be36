// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export and File > Print of a list of 10,000 entries, as the commands run them
// after their dialogs: the export text written through the save file, and every page
// printed to PDF at printer resolution. Run: app_output_bench [-iterations N]
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include "app/frame/command_actions.h"
#include "app/list/phone_book_model.h"
#include "app/list/phone_book_printer.h"
#include "app/list/rdx_view.h"
#include "app/qt_user_interface.h"
#include "app/rdx_doc.h"
#include "core/device/gsm_device.h"
#include "core/session/connection_flow.h"
#include "core/session/settings_store.h"

using namespace ribodex;

class AppOutputBench : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void export10000();
    void print10000();

private:
    GsmDevice device;
    MemorySettingsStore store;
    QtUserInterface ui;
    std::unique_ptr<Session> session;
    std::unique_ptr<QWidget> owner;
    std::unique_ptr<CommandActions> actions;
    CRdxView* view = nullptr;
    QTemporaryDir dir;
};

void AppOutputBench::initTestCase()
{
    session = std::make_unique<Session>(device, store, ui);
    owner = std::make_unique<QWidget>();
    actions = std::make_unique<CommandActions>(owner.get());
    view = new CRdxView(*session, *actions, owner.get());
    for (int i = 1; i <= 10000; ++i) {
        const std::string index = std::to_string(i);
        view->Model()->AddItem(index, "+49171" + index, "Name " + std::to_string((i * 7919) % 10007));
    }
}

void AppOutputBench::cleanupTestCase()
{
    owner.reset();
    actions.reset();
    session.reset();
}

void AppOutputBench::export10000()
{
    CRdxDoc document(view, *actions);
    const QString path = dir.filePath(QStringLiteral("book.txt"));
    QBENCHMARK {
        QVERIFY(document.ExportTo(path));
    }
    QVERIFY(QFileInfo(path).size() > 10000 * 40);
}

void AppOutputBench::print10000()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(dir.filePath(QStringLiteral("book.pdf")));
    int pages = 0;
    QBENCHMARK {
        pages = view->Printing()->PrintPages(printer);
    }
    QVERIFY(pages > 100);
    qInfo("%d pages", pages);
}

QTEST_MAIN(AppOutputBench)
#include "app_output_bench.moc"
