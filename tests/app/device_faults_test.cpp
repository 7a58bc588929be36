// SPDX-License-Identifier: GPL-3.0-or-later
// The window against a phone that misbehaves: one table of faults, each with what the user
// does, what the window shows, and what the list holds afterwards. For every case: the
// window keeps painting, is busy no longer than the limits of the commands that went
// unanswered, says what the user can do, and lists only entries the phone holds.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "app/frame/command_actions.h"
#include "app/frame/main_frame.h"
#include "app/list/phone_book_model.h"
#include "app/list/rdx_view.h"
#include "app/qt_settings_store.h"
#include "app/rdx_app.h"
#include "app/string_table.h"
#include "core/formats/clipboard_records.h"
#include "core/list/command_state.h"
#include "core/session/settings.h"
#include "dialog_script_helper.h"
#include "window_timing_helper.h"
#include "sim/pty_modem.h"

using namespace ribodex;
using ribodex::test::DialogScript;

namespace {

// Short limits, so that the cases that wait one out stay quick; the simulated phone answers
// in a few milliseconds.
constexpr int kCommandMs = 500;
constexpr int kFullReadMs = 1000;
constexpr int kPauseMs = 20;
constexpr int kLateMs = 700;    // later than an ordinary command's limit
constexpr int kSlackMs = 300;   // the window's own work around the device's
constexpr int kPaintGapMs = 250;

const char* const kBook[] = {"Anna", "Bert", "Cleo", "Dora", "Emil", "Fred"};  // locations 1-6

const char* const kReadIncomplete = "box: The phone book could not be read completely";
const char* const kNotAllPasted = "box: Not all entries could be pasted.";

enum class Action { StartUp, Refresh, Paste, NewEntry };

struct FaultCase {
    const char* name;
    std::function<void(sim::SimConfig&)> phone;  // as switched on, with the book of six
    const char* pin;                             // the SIM's PIN; "" none (Query PIN off)
    const char* rememberedPin;                   // "Save PIN" for the port; nullptr none
    Action action;                               // after a normal start, or the start itself
    std::function<void(sim::ModemSimulator&)> fault;  // switched on right before the action
    std::function<void(DialogScript&)> user;     // the answers to what the window shows
    QStringList seen;                            // boxes (their text's start) and dialogs
    int listed;                                  // the first entries of the book listed
    bool connected;
    int busyMs;                                  // the longest the action may take
};

// "AT+CPBR=1, 250\r", "\r\n", then one line per entry: so many bytes hold the first n.
int FullReadBytes(int entries)
{
    int bytes = 17;
    for (int i = 0; i < entries; ++i)
        bytes += QStringLiteral("+CPBR: %1,\"0170%1\",129,\"%2\"\r\n").arg(i + 1).arg(kBook[i]).size();
    return bytes;
}

QList<FaultCase> Cases()
{
    const auto none = [](sim::SimConfig&) {};
    // The three commands of a refresh: range, range again, the full read.
    const auto thirdCommandFromNow = [](sim::ModemSimulator& m) { return m.CommandCount() + 3; };
    return {
        {"the device falls silent, then Refresh", none, "", nullptr, Action::Refresh,
         [](sim::ModemSimulator& m) { m.Config().silent = true; },
         [](DialogScript& s) { s.PressOk(); },
         {kReadIncomplete}, 0, true, 2 * kCommandMs + kPauseMs + kFullReadMs},
        {"unplugged in the middle of a full read", none, "", nullptr, Action::Refresh,
         [=](sim::ModemSimulator& m) {
             m.Config().hangupAfterCommands = thirdCommandFromNow(m);
             m.Config().hangupAfterAnswerBytes = FullReadBytes(2) + 10;  // into Cleo's line
         },
         [](DialogScript& s) { s.PressOk(); },
         {kReadIncomplete}, 2, false, kCommandMs},
        {"a late answer to the range query of a refresh", none, "", nullptr, Action::Refresh,
         [](sim::ModemSimulator& m) {
             // The second range query: its answer comes while the full read waits.
             m.Config().lateAnswerMs = kLateMs;
             m.Config().lateAnswerCommand = m.CommandCount() + 2;
         },
         {}, {}, 6, true, kCommandMs + kPauseMs + kFullReadMs},
        {"a late answer to the read that confirms a paste's locations", none, "", nullptr, Action::Paste,
         [](sim::ModemSimulator& m) {
             // Range, then the read of 7 and 8: unconfirmed, neither may be written.
             m.Config().lateAnswerMs = kFullReadMs + 300;
             m.Config().lateAnswerCommand = m.CommandCount() + 2;
         },
         [](DialogScript& s) { s.PressOk(); },
         {kNotAllPasted}, 6, true, kCommandMs + kFullReadMs},
        {"a late answer to the overwrite check of New Entry", none, "", nullptr, Action::NewEntry,
         [](sim::ModemSimulator& m) { m.Config().lateAnswerMs = kLateMs, m.Config().lateAnswerCommand = m.CommandCount() + 1; },
         [](DialogScript& s) {
             s.Then([](QWidget* dialog) {  // "3" at location 3, Cleo's
                 for (const char* box : {"IDC_ENTRY_NAME", "IDC_ENTRY_NUMBER", "IDC_ENTRY_INDEX"})
                     dialog->findChild<QLineEdit*>(QLatin1String(box))->setText(QStringLiteral("3"));
                 qobject_cast<QDialog*>(dialog)->accept();
             }).PressOk();
         }, {"dialog: New Entry", "box: Error while creating"}, 6, true, kCommandMs},
        {"garbage bytes before every answer", [](sim::SimConfig& c) { c.garbage = true; }, "1234", "1234",
         Action::StartUp, {}, {}, {}, 6, true, kCommandMs},
        {"an unsolicited RING inside every answer",
         [](sim::SimConfig& c) { c.unsolicitedInAnswer = c.unsolicited = true; }, "1234", "1234",
         Action::StartUp, {}, {}, {}, 6, true, kCommandMs},
        {"a full memory during a paste", [](sim::SimConfig& c) { c.memories[0].last = 6; }, "", nullptr,
         Action::Paste, {}, [](DialogScript& s) { s.PressYes().PressOk(); },
         {"box: The phone book has only 0 free locations for the 2 entries", kNotAllPasted}, 6, true, kCommandMs},
        // The remembered PIN is wrong since the PIN was changed on the phone: it may cost one
        // attempt, not the one the user still has after a typing error.
        {"PIN attempts used up by a remembered PIN gone stale", none, "1234", "0000", Action::StartUp, {},
         [](DialogScript& s) {
             s.EnterPin(QStringLiteral("1111"), false).PressOk().EnterPin(QStringLiteral("1234"), false);
         },
         {"dialog: PIN", "box: The PIN is not correct.", "dialog: PIN"}, 6, true, kCommandMs},
    };
}

}  // namespace

class DeviceFaultsTest : public QObject {
    Q_OBJECT

private slots:
    void faultThroughTheWindow_data();
    void faultThroughTheWindow();
};

void DeviceFaultsTest::faultThroughTheWindow_data()
{
    QTest::addColumn<int>("row");
    const QList<FaultCase> cases = Cases();
    for (int row = 0; row < cases.size(); ++row)
        QTest::newRow(cases[row].name) << row;
}

void DeviceFaultsTest::faultThroughTheWindow()
{
    QFETCH(int, row);
    const FaultCase fault = Cases()[row];

    sim::SimConfig config;
    config.pin = fault.pin;
    for (int i = 0; i < 6; ++i)
        config.memories[0].entries[i + 1] = sim::SimEntry{"0170" + std::to_string(i + 1), 129, kBook[i]};
    fault.phone(config);
    sim::PtyModem modem(config);
    QVERIFY(modem.Start());
    const std::string port = modem.SlavePath();

    QTemporaryDir dir;
    QtSettingsStore store(dir.filePath(QStringLiteral("ribodex.ini")));
    store.SetText("1.0", "Port", port);
    store.SetInt("1.0", "Query PIN", config.pin.empty() ? 0 : 1);
    if (fault.rememberedPin != nullptr)
        StorePinSettings(store, 1, port, fault.rememberedPin);
    RdxApp::Options options;
    options.demoBookPath = dir.filePath(QStringLiteral("demo-phone.txt")).toStdString();
    options.timing = test::FastTiming();
    options.timing.commandLimitMs = options.timing.pinLimitMs = kCommandMs;
    options.timing.fullReadLimitMs = kFullReadMs;
    options.timing.beforeFullReadMs = kPauseMs;
    RdxApp app(store, options);

    // The window paints while the device is awaited: the idle hook runs every few ms.
    QElapsedTimer sincePaint;
    qint64 longestGap = 0;
    const std::function<void()> paint = app.Device().idleHook;
    app.Device().idleHook = [&] {
        if (sincePaint.isValid())
            longestGap = std::max(longestGap, sincePaint.elapsed());
        sincePaint.start();
        paint();
    };

    DialogScript script;
    const bool atStartUp = fault.action == Action::StartUp;
    if (atStartUp && fault.user)
        fault.user(script);
    QElapsedTimer busy;
    busy.start();
    QVERIFY(app.InitInstance({}));
    if (!atStartUp) {
        QCOMPARE(app.Frame()->View()->Model()->rowCount(), 6);  // a normal start first
        std::size_t commands = 0;
        modem.With([&](sim::ModemSimulator& m) {
            if (fault.fault)
                fault.fault(m);
            commands = m.Commands().size();
        });
        if (fault.user)
            fault.user(script);
        if (fault.action == Action::Paste)
            QGuiApplication::clipboard()->setText(
                FromCp1252(BuildClipboardText({{"Gil", "0301", ""}, {"Hal", "0302", ""}})));
        busy.restart();
        sincePaint.invalidate();
        longestGap = 0;
        const int triggered[] = {0, ID_VIEW_REFRESH, ID_EDIT_PASTE, ID_PHONEBOOK_NEW_ENTRY};
        app.Frame()->Actions().Get(triggered[int(fault.action)])->trigger();

        // Each location is asked for at most once per command: the device's time is the user's.
        QStringList probes;
        modem.With([&](sim::ModemSimulator& m) {
            for (std::size_t i = commands; i < m.Commands().size(); ++i)
                if (m.Commands()[i].rfind("AT+CPBR=", 0) == 0 && m.Commands()[i].find_first_of("?,") == std::string::npos)
                    probes << QString::fromStdString(m.Commands()[i]);
        });
        QCOMPARE(QSet<QString>(probes.begin(), probes.end()).size(), probes.size());
    }
    const qint64 busyMs = busy.elapsed();
    QVERIFY2(busyMs <= fault.busyMs + kSlackMs, qPrintable(QString::number(busyMs)));
    QVERIFY2(longestGap <= kPaintGapMs, qPrintable(QString::number(longestGap)));

    QVERIFY(script.Done());
    QCOMPARE(script.Unexpected(), 0);
    QCOMPARE(script.Seen().size(), fault.seen.size());
    for (int i = 0; i < fault.seen.size(); ++i)
        QVERIFY2(script.Seen()[i].startsWith(fault.seen[i]), qPrintable(script.Seen()[i]));

    // The list: the first entries of the book, each as the phone holds it now.
    PhoneBookModel* model = app.Frame()->View()->Model();
    QCOMPARE(model->rowCount(), fault.listed);
    const std::map<int, sim::SimEntry> onPhone =
        modem.With([](sim::ModemSimulator& m) { return m.FindMemory("SM")->entries; });
    for (int i = 0; i < fault.listed; ++i) {
        QCOMPARE(model->Row(i)[NameColumn], std::string(kBook[i]));
        QCOMPARE(model->Row(i)[IndexColumn], std::to_string(i + 1));
        QVERIFY(onPhone.count(i + 1) == 1);
        QCOMPARE(onPhone.at(i + 1).nameGsm, model->Row(i)[NameColumn]);
        QCOMPARE(onPhone.at(i + 1).number, model->Row(i)[NumberColumn]);
    }
    QCOMPARE(onPhone.size(), std::size_t(6));  // nothing written over, nothing lost

    QCOMPARE(app.GetSession().connected, fault.connected ? 1 : 0);
    QCOMPARE(app.Frame()->Actions().Get(ID_PHONEBOOK_NEW_ENTRY)->isEnabled(), fault.connected);
    QCOMPARE(app.Frame()->StatusText(), QStringLiteral("For Help, press F1"));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(DeviceFaultsTest)
#include "device_faults_test.moc"
