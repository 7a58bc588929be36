// SPDX-License-Identifier: GPL-3.0-or-later
// New Entry with the index box left empty on a nearly full SIM (locations 1-240 and 250
// taken) of a phone at 9600 baud with 50 ms answer latency, through the window with the
// real waits: the time from OK to the write reaching the phone (goal 1.5 s) and to the
// window being idle with the new row in its list (goal 4 s). The window starts against a
// fast line; the slow one is switched on before the command. Run: app_new_entry_bench
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <atomic>
#include <chrono>

#include "app/frame/command_actions.h"
#include "app/frame/main_frame.h"
#include "app/list/phone_book_model.h"
#include "app/list/rdx_view.h"
#include "app/qt_settings_store.h"
#include "app/rdx_app.h"
#include "core/list/command_state.h"
#include "sim/pty_modem.h"

using namespace ribodex;
using Clock = std::chrono::steady_clock;

class AppNewEntryBench : public QObject {
    Q_OBJECT

private slots:
    void newEntryOnNearlyFullSimAt9600();
};

void AppNewEntryBench::newEntryOnNearlyFullSimAt9600()
{
    sim::SimConfig config;
    for (int i = 1; i <= 240; ++i)
        config.memories[0].entries[i] = {"+4930" + std::to_string(1000000 + i * 7919), 145, "Taken " + std::to_string(i)};
    config.memories[0].entries[250] = {"0171555", 129, "Last"};
    std::atomic<Clock::rep> written{0};
    sim::PtyModem modem(config);
    modem.onChange = [&written](const sim::ModemSimulator&) { written = Clock::now().time_since_epoch().count(); };
    QVERIFY(modem.Start());

    QTemporaryDir dir;
    QtSettingsStore store(dir.filePath(QStringLiteral("ribodex.ini")));
    store.SetText("1.0", "Port", modem.SlavePath());
    store.SetInt("1.0", "Query PIN", 0);
    RdxApp::Options options;
    options.demoBookPath = dir.filePath(QStringLiteral("demo.txt")).toStdString();
    RdxApp app(store, options);
    QVERIFY(app.InitInstance({}));
    QCOMPARE(app.Frame()->View()->Model()->rowCount(), 241);
    modem.With([](sim::ModemSimulator& sim) {
        sim.Config().baud = 9600;
        sim.Config().latencyMs = 50;
    });

    Clock::time_point ok;
    QTimer fill;
    connect(&fill, &QTimer::timeout, &fill, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        fill.stop();
        dialog->findChild<QLineEdit*>(QStringLiteral("IDC_ENTRY_NAME"))->setText(QStringLiteral("New"));
        dialog->findChild<QLineEdit*>(QStringLiteral("IDC_ENTRY_NUMBER"))->setText(QStringLiteral("+4930999"));
        ok = Clock::now();
        dialog->accept();
    });
    fill.start(10);
    QBENCHMARK_ONCE {
        app.Frame()->Actions().Get(ID_PHONEBOOK_NEW_ENTRY)->trigger();
    }
    const Clock::time_point idle = Clock::now();
    QCOMPARE(app.Frame()->View()->Model()->rowCount(), 242);
    QCOMPARE(app.Frame()->View()->Model()->Row(240)[IndexColumn], std::string("241"));
    const double writeMs = std::chrono::duration<double, std::milli>(Clock::time_point(Clock::duration(written.load())) - ok).count();
    const double idleMs = std::chrono::duration<double, std::milli>(idle - ok).count();
    qInfo("New Entry, empty index, SIM 1-240 and 250 taken, 9600 baud, 50 ms latency: "
          "write on the phone %.0f ms after OK (goal 1500), window idle with the new row %.0f ms after OK (goal 4000)",
          writeMs, idleMs);
    QVERIFY(writeMs > 0);
}

QTEST_MAIN(AppNewEntryBench)
#include "app_new_entry_bench.moc"
