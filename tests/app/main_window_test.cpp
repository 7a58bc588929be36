// SPDX-License-Identifier: GPL-3.0-or-later
// The window against simulated phones on pseudo-terminals: start-up, the connection flow
// with its dialogs and messages, refresh, settings, placement and bar state.
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeView>
#include <QtTest>
#include <algorithm>

#include "app/app_language.h"
#include "app/frame/command_actions.h"
#include "app/frame/main_frame.h"
#include "app/frame/main_status_bar.h"
#include "app/frame/window_placement.h"
#include "app/list/phone_book_model.h"
#include "app/list/rdx_view.h"
#include "app/qt_settings_store.h"
#include "app/rdx_app.h"
#include "core/list/command_state.h"
#include "dialog_script_helper.h"
#include "window_timing_helper.h"
#include "sim/pty_modem.h"

using namespace ribodex;
using ribodex::test::DialogScript;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstStartWithoutSettings();
    void pinPromptWrongThenRight();
    void rememberedPinIsPerPortAndCanBeErased();
    void threeWrongPinsLeadToThePukDialog();
    void cancelledPinLeavesTheWindowUnconnected();
    void cancelDuringTheWaitAfterOpeningThePort();
    void queryPinOffAsksNothing();
    void unrecognisableAnswerAsksWhetherToContinue_data();
    void unrecognisableAnswerAsksWhetherToContinue();
    void settingsDialogRetriesUntilThePortWorks();
    void refreshShowsProgressAndKeepsItemsWhenThePortFails();
    void portOnTheCommandLine();
    void settingsOkKeepsAPortOutsideTheList();
    void badCommandLineSavesNothing();
    void placementAndBarStateSurviveARestart();
    void placementWaitsForAFrameThatComesLate();
    void placementOffEveryScreenOrWithAZeroIsIgnored_data();
    void placementOffEveryScreenOrWithAZeroIsIgnored();
    void germanWindowUnderAGermanLocale();
    void lockIndicatorsFollowTheKeyboardLeds();

private:
    // A phone with a SIM locked by pin ("" for none) and the given SM entries.
    void StartModem(const std::string& pin, std::map<int, std::string> book = {});
    std::unique_ptr<RdxApp> NewApp();
    QStringList Names(RdxApp& app) const;
    QStringList Indexes(RdxApp& app) const;
    void SetStored(const char* port, int queryPin);

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QtSettingsStore> store;
    std::unique_ptr<sim::PtyModem> modem;
    std::string port;
};

namespace {

const char* const kIdle = "For Help, press F1";

}  // namespace

void MainWindowTest::init()
{
    dir = std::make_unique<QTemporaryDir>();
    store = std::make_unique<QtSettingsStore>(dir->filePath(QStringLiteral("ribodex.ini")));
}

void MainWindowTest::cleanup()
{
    modem.reset();
    store.reset();
    dir.reset();
}

void MainWindowTest::StartModem(const std::string& pin, std::map<int, std::string> book)
{
    sim::SimConfig config;
    config.pin = pin;
    for (sim::SimMemory& memory : config.memories) {
        if (memory.name != "SM")
            continue;
        for (auto& [index, name] : book)
            memory.entries[index] = sim::SimEntry{"0" + std::to_string(1700 + index), 129, name};
    }
    modem = std::make_unique<sim::PtyModem>(config);
    QVERIFY(modem->Start());
    port = modem->SlavePath();
}

std::unique_ptr<RdxApp> MainWindowTest::NewApp()
{
    RdxApp::Options options;
    options.demoBookPath = dir->filePath(QStringLiteral("demo-phone.txt")).toStdString();
    options.timing = test::FastTiming();
    return std::make_unique<RdxApp>(*store, options);
}

QStringList MainWindowTest::Names(RdxApp& app) const
{
    QStringList names;
    PhoneBookModel* model = app.Frame()->View()->Model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data().toString();
    return names;
}

QStringList MainWindowTest::Indexes(RdxApp& app) const
{
    QStringList indexes;
    PhoneBookModel* model = app.Frame()->View()->Model();
    for (int row = 0; row < model->rowCount(); ++row)
        indexes << model->index(row, 2).data().toString();
    return indexes;
}

void MainWindowTest::SetStored(const char* portName, int queryPin)
{
    store->SetText("1.0", "Port", portName);
    store->SetInt("1.0", "Query PIN", queryPin);
}

void MainWindowTest::firstStartWithoutSettings()
{
    DialogScript script;
    script.PressOk();
    auto app = NewApp();
    QVERIFY(app->InitInstance({}));
    QCOMPARE(script.Seen(), QStringList{QStringLiteral(
        "box: An error has occured while connecting to the specified port. Check the settings.")});
    QCOMPARE(app->GetSession().settings.portName, std::string());
    QCOMPARE(app->GetSession().settings.queryPin, 1);
    QCOMPARE(app->GetSession().connected, 0);
    QCOMPARE(app->Frame()->View()->Model()->rowCount(), 0);
    QCOMPARE(app->Frame()->windowTitle(), QStringLiteral("Quillcast Ribodex"));
    QVERIFY(app->Frame()->isVisible());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    app->Frame()->close();
    app->ExitInstance();
    QCOMPARE(store->GetInt("1.0", "Query PIN", -1), 1);
    QCOMPARE(store->GetText("1.0", "Port", "absent"), std::string());
}

void MainWindowTest::pinPromptWrongThenRight()
{
    StartModem("1234", {{120, "Zora"}, {3, "Bert"}, {1, "Anna"}});
    SetStored(port.c_str(), 1);
    QString secondPromptPin;
    QString prompt;
    DialogScript script;
    script.Then([&](QWidget* dialog) {
              prompt = dialog->findChild<QLabel*>(QStringLiteral("IDC_PROMPT"))->text();
              dialog->findChild<QLineEdit*>(QStringLiteral("IDC_PIN"))->setText(QStringLiteral("0000"));
              qobject_cast<QDialog*>(dialog)->accept();
          })
        .Then([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); })
        .Then([&](QWidget* dialog) {
            auto* pin = dialog->findChild<QLineEdit*>(QStringLiteral("IDC_PIN"));
            secondPromptPin = pin->text() + dialog->findChild<QLabel*>(QStringLiteral("IDC_ATTEMPTS"))->text();
            QTest::keyClick(dialog, Qt::Key_Return);
            secondPromptPin += dialog->isVisible() ? QString() : QStringLiteral(" closed by an empty PIN");
            pin->setText(QStringLiteral("1234"));
            QTest::keyClick(dialog, Qt::Key_Return);
        });
    auto app = NewApp();
    QVERIFY(app->InitInstance({}));
    QVERIFY(script.Done());
    QCOMPARE(script.Seen(), (QStringList{"dialog: PIN", "box: The PIN is not correct.", "dialog: PIN"}));
    QCOMPARE(prompt, QStringLiteral("Enter the PIN of the SIM-Card in the device on port \"%1\".")
                         .arg(QString::fromStdString(port)));
    QCOMPARE(secondPromptPin, QStringLiteral("Attempts left: 2"));
    const auto sent = modem->With([](sim::ModemSimulator& sim) { return sim.Commands(); });
    QCOMPARE(std::count(sent.begin(), sent.end(), "AT+CPIN=\"0000\""), 1);
    QCOMPARE(app->GetSession().connected, 1);
    QCOMPARE(Names(*app), (QStringList{"Anna", "Bert", "Zora"}));
    QCOMPARE(Indexes(*app), (QStringList{"1", "3", "120"}));
    QCOMPARE(app->Frame()->StatusText(), QString::fromLatin1(kIdle));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void MainWindowTest::rememberedPinIsPerPortAndCanBeErased()
{
    StartModem("1234");
    SetStored(port.c_str(), 1);
    {
        DialogScript script;
        script.EnterPin(QStringLiteral("1234"), true);
        auto app = NewApp();
        QVERIFY(app->InitInstance({}));
        QCOMPARE(app->GetSession().connected, 1);
        app->ExitInstance();
    }
    modem->With([](sim::ModemSimulator& sim) { sim.PowerOn(); });
    {
        // Next start on the same port: the remembered PIN unlocks the SIM, no prompt.
        DialogScript script;
        auto app = NewApp();
        QVERIFY(app->InitInstance({}));
        QCOMPARE(script.Seen(), QStringList());
        QCOMPARE(app->GetSession().connected, 1);
        app->ExitInstance();
    }

    // Another port with a locked SIM does not get that PIN.
    sim::SimConfig other;
    other.pin = "1234";
    sim::PtyModem second(other);
    QVERIFY(second.Start());
    SetStored(second.SlavePath().c_str(), 1);
    {
        DialogScript script;
        script.EnterPin(QStringLiteral("1234"), false);
        auto app = NewApp();
        QVERIFY(app->InitInstance({}));
        QCOMPARE(script.Seen(), QStringList{"dialog: PIN"});
        QCOMPARE(second.With([](sim::ModemSimulator& sim) { return sim.PinAttemptsLeft(); }), 3);
        app->ExitInstance();
    }

    // Unchecking "Save:" after a good PIN erases the one remembered for the first port.
    SetStored(port.c_str(), 1);
    store->SetText(PortSection(port), "PIN", "garbage");  // a remembered PIN that is wrong now
    modem->With([](sim::ModemSimulator& sim) { sim.PowerOn(); });
    {
        DialogScript script;
        script.EnterPin(QStringLiteral("1234"), false);
        auto app = NewApp();
        QVERIFY(app->InitInstance({}));
        QCOMPARE(script.Seen(), QStringList{"dialog: PIN"});
        QCOMPARE(app->GetSession().connected, 1);
        app->ExitInstance();
    }
    QCOMPARE(store->GetInt(PortSection(port), "Save PIN", -1), 0);
    QCOMPARE(store->GetText(PortSection(port), "PIN", "absent"), std::string());
}

void MainWindowTest::threeWrongPinsLeadToThePukDialog()
{
    StartModem("1234", {{7, "Otto"}});
    SetStored(port.c_str(), 1);
    DialogScript script;
    for (int i = 0; i < 3; ++i)
        script.EnterPin(QStringLiteral("9999"), false).PressOk();
    script.EnterPuk(QStringLiteral("00000000"), QStringLiteral("4321"), QStringLiteral("4321"), false)
        .PressOk()
        .EnterPuk(QStringLiteral("12345678"), QStringLiteral("4321"), QStringLiteral("4321"), true);
    auto app = NewApp();
    QVERIFY(app->InitInstance({}));
    QVERIFY(script.Done());
    QCOMPARE(script.Seen().mid(6),
             (QStringList{"dialog: PUK", "box: The PUK is not correct or you have entered an invalid PIN.",
                          "dialog: PUK"}));
    QCOMPARE(app->GetSession().connected, 1);
    QCOMPARE(Names(*app), QStringList{"Otto"});
    // The new PIN from the PUK dialog is the one remembered.
    QCOMPARE(store->GetInt(PortSection(port), "Save PIN", 0), 1);
}

void MainWindowTest::cancelledPinLeavesTheWindowUnconnected()
{
    StartModem("1234", {{1, "Anna"}});
    SetStored(port.c_str(), 1);
    DialogScript script;
    script.Cancel();
    auto app = NewApp();
    QVERIFY(app->InitInstance({}));
    QCOMPARE(app->GetSession().connected, 0);
    QCOMPARE(app->Frame()->StatusText(), QString::fromLatin1(kIdle));
    QCOMPARE(app->Frame()->View()->Model()->rowCount(), 0);
    QCOMPARE(modem->With([](sim::ModemSimulator& sim) { return sim.LockState(); }),
             sim::ModemSimulator::Lock::SimPin);
}

// The wait after opening the port shows the seconds left; Cancel ends connecting there,
// without a message and before any command.
void MainWindowTest::cancelDuringTheWaitAfterOpeningThePort()
{
    StartModem("", {{1, "Anna"}});
    SetStored(port.c_str(), 1);
    DialogScript script;
    RdxApp::Options options{{}, test::FastTiming()};
    options.timing.afterDtrMs = 5000;
    RdxApp app(*store, options);
    QString progress;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &poll, [&] {
        if (app.Frame() == nullptr || !app.Frame()->StatusBar()->ProgressShown())
            return;
        poll.stop();
        progress = app.Frame()->StatusBar()->ProgressText();
        QTest::mouseClick(app.Frame()->StatusBar()->CancelButton(), Qt::LeftButton);
    });
    poll.start(0);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(app.InitInstance({}));
    QVERIFY2(clock.elapsed() < 4000 && progress.endsWith(QStringLiteral(" s left")), qPrintable(progress));
    QVERIFY(script.Seen().isEmpty() && app.GetSession().connected == 0);
    QCOMPARE(app.Frame()->StatusText(), QString::fromLatin1(kIdle));
    QCOMPARE(modem->With([](sim::ModemSimulator& sim) { return sim.Commands().size(); }), std::size_t{0});
}

void MainWindowTest::queryPinOffAsksNothing()
{
    StartModem("", {{2, "Bea"}});
    SetStored(port.c_str(), 0);
    DialogScript script;
    auto app = NewApp();
    QVERIFY(app->InitInstance({}));
    QCOMPARE(script.Seen(), QStringList());
    QCOMPARE(app->GetSession().connected, 1);
    QCOMPARE(Names(*app), QStringList{"Bea"});
}

void MainWindowTest::unrecognisableAnswerAsksWhetherToContinue_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void MainWindowTest::unrecognisableAnswerAsksWhetherToContinue()
{
    QFETCH(bool, yes);
    sim::SimConfig config;
    config.silent = true;  // a port with something on it that is no phone
    modem = std::make_unique<sim::PtyModem>(config);
    QVERIFY(modem->Start());
    SetStored(modem->SlavePath().c_str(), 1);
    DialogScript script;
    yes ? script.PressYes().PressOk() : script.PressNo();
    RdxApp::Options options;
    options.demoBookPath = dir->filePath(QStringLiteral("demo.txt")).toStdString();
    options.timing = test::FastTiming();
    options.timing.commandLimitMs = 200;
    options.timing.fullReadLimitMs = 200;
    RdxApp app(*store, options);
    QVERIFY(app.InitInstance({}));
    // Yes: the phone book is read all the same, and the window says that nothing came.
    QCOMPARE(script.Seen().size(), yes ? 2 : 1);
    if (yes)
        QVERIFY(script.Seen().last().startsWith(QStringLiteral("box: The phone book could not be read completely")));
    QVERIFY(script.Seen().first().startsWith(QStringLiteral(
        "box: An error has occured while checking the PIN on the device on port \"%1\".")
        .arg(QString::fromStdString(modem->SlavePath()))));
    QCOMPARE(app.GetSession().connected, yes ? 1 : 0);
    if (!yes)
        QCOMPARE(app.Frame()->StatusText(), QString::fromLatin1(kIdle));
}

void MainWindowTest::settingsDialogRetriesUntilThePortWorks()
{
    SetStored("", 1);
    DialogScript script;
    script.PressOk();  // start-up: no port yet
    auto app = NewApp();
    QVERIFY(app->InitInstance({}));
    QComboBox* portList = nullptr;
    bool focusOnPortList = false;
    script
        .Then([&](QWidget* dialog) {
            portList = dialog->findChild<QComboBox*>(QStringLiteral("IDC_PORT"));
            portList->setCurrentIndex(-1);
            qobject_cast<QDialog*>(dialog)->accept();
        })
        .PressOk();  // message 132 from inside the dialog
    // The settings dialog stays open after the failure: finish it from a timer.
    QTimer retry;
    connect(&retry, &QTimer::timeout, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal->windowTitle() != QStringLiteral("Settings") ||
            script.Seen().size() < 3)
            return;
        retry.stop();
        focusOnPortList = modal->focusWidget() == portList;
        portList->setCurrentIndex(portList->findText(QStringLiteral("DEMO")));
        qobject_cast<QDialog*>(modal)->accept();
    });
    retry.start(10);
    app->Frame()->Actions().Get(ID_OPTIONS_SETTINGS)->trigger();
    QCOMPARE(script.Seen().mid(1, 2),
             (QStringList{"dialog: Settings",
                          "box: An error has occured while connecting to the specified port. Check the settings."}));
    QVERIFY(focusOnPortList);
    QCOMPARE(app->GetSession().settings.portName, std::string("DEMO"));
    QCOMPARE(app->GetSession().connected, 1);
    QVERIFY(app->Frame()->View()->Model()->rowCount() > 0);  // the demo phone's book
    QCOMPARE(store->GetText("1.0", "Port", ""), std::string("DEMO"));  // saved at once
}

void MainWindowTest::refreshShowsProgressAndKeepsItemsWhenThePortFails()
{
    StartModem("", {{5, "Eve"}, {2, "Dan"}});
    SetStored(port.c_str(), 0);
    auto app = NewApp();
    QVERIFY(app->InitInstance({}));
    app->Frame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app->Frame()));
    QStringList shown;
    auto paint = app->Device().idleHook;
    app->Device().idleHook = [&] {
        const QString text = app->Frame()->StatusText();
        if (shown.isEmpty() || shown.last() != text)
            shown << text;
        paint();
    };
    QTest::keyClick(app->Frame(), Qt::Key_F5);
    QCOMPARE(shown.first(), QStringLiteral("Transfer data from \"%1\"...").arg(QString::fromStdString(port)));
    QCOMPARE(app->Frame()->StatusText(), QString::fromLatin1(kIdle));
    QCOMPARE(Names(*app), (QStringList{"Dan", "Eve"}));

    // Not connected and the port gone: the flow says so, the items stay.
    app->GetSession().connected = 0;
    app->GetSession().settings.portName = "/nonexistent/ttyRDX";
    DialogScript script;
    script.PressOk();
    QTest::keyClick(app->Frame(), Qt::Key_F5);
    QCOMPARE(script.Seen().size(), 1);
    QCOMPARE(Names(*app), (QStringList{"Dan", "Eve"}));
}

void MainWindowTest::portOnTheCommandLine()
{
    StartModem("", {{1, "Ida"}});
    SetStored("COM7", 0);
    auto app = NewApp();
    QVERIFY(app->InitInstance({QStringLiteral("--port"), QString::fromStdString(port)}));
    QCOMPARE(Names(*app), QStringList{"Ida"});
    app->ExitInstance();
    QCOMPARE(store->GetText("1.0", "Port", ""), std::string("COM7"));  // for that run only
}

// Started on a port the list does not name (a pty here, a /dev/serial/by-id link for the
// user): the dialog shows it, OK unchanged leaves the link alone, F5 reads again, and a port
// typed into the box that fails keeps both panes.
void MainWindowTest::settingsOkKeepsAPortOutsideTheList()
{
    StartModem("", {{1, "Ida"}, {4, "Jon"}});
    SetStored("COM7", 0);
    auto app = NewApp();
    QVERIFY(app->InitInstance({QStringLiteral("--port"), QString::fromStdString(port)}));
    app->Frame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app->Frame()));
    MainStatusBar* bar = app->Frame()->StatusBar();
    QCOMPARE(bar->MemoryText(), QStringLiteral("SIM 2/250"));
    const size_t sent = modem->With([](sim::ModemSimulator& s) { return s.Commands().size(); });
    QString shownPort;
    DialogScript script;
    script.Then([&](QWidget* dialog) {
        shownPort = dialog->findChild<QComboBox*>(QStringLiteral("IDC_PORT"))->currentText();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    app->Frame()->Actions().Get(ID_OPTIONS_SETTINGS)->trigger();
    QVERIFY(script.Done());
    QCOMPARE(shownPort, QString::fromStdString(port));
    QCOMPARE(modem->With([](sim::ModemSimulator& s) { return s.Commands().size(); }), sent);
    QCOMPARE(Names(*app), (QStringList{"Ida", "Jon"}));
    QCOMPARE(store->GetText("1.0", "Port", ""), port);  // confirmed

    modem->With([](sim::ModemSimulator& s) { return s.FindMemory("SM")->entries[2] = sim::SimEntry{"0172", 129, "Kai"}, 0; });
    app->Frame()->activateWindow();  // offscreen nobody hands the activation back
    QVERIFY(QTest::qWaitForWindowActive(app->Frame()));
    QTest::keyClick(app->Frame()->View()->ReportView(), Qt::Key_F5);
    QCOMPARE(Names(*app), (QStringList{"Ida", "Kai", "Jon"}));

    // A typed path that cannot be opened: the message, then Cancel; the panes stay.
    const QString missing = QStringLiteral("/dev/serial/by-id/usb-Ribodex_Missing_Modem-if00-port0");
    script
        .Then([&](QWidget* dialog) {
            auto* box = dialog->findChild<QComboBox*>(QStringLiteral("IDC_PORT"));
            box->setFocus();
            box->lineEdit()->selectAll();
            QTest::keyClicks(box->lineEdit(), missing);
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);  // the message comes and goes inside
            QTest::keyClick(box->lineEdit(), Qt::Key_Escape);
        })
        .PressOk();
    app->Frame()->Actions().Get(ID_OPTIONS_SETTINGS)->trigger();
    QVERIFY(script.Done());
    QCOMPARE(app->GetSession().settings.portName, missing.toStdString());
    QCOMPARE(bar->PortText(), missing + QStringLiteral(" (not connected)"));
    QCOMPARE(bar->MemoryText(), QStringLiteral("SIM 3/250"));
    app->ExitInstance();
}

void MainWindowTest::badCommandLineSavesNothing()
{
    SetStored("COM7", 0);
    store->SetInt("1.0", "Query PIN", 0);
    auto app = NewApp();
    QVERIFY(!app->InitInstance({QStringLiteral("--frobnicate")}));
    QVERIFY(!app->CommandLineError().isEmpty());
    QVERIFY(app->Frame() == nullptr);
    app->ExitInstance();
    QCOMPARE(store->GetText("1.0", "Port", ""), std::string("COM7"));
    QCOMPARE(store->GetInt("1.0", "Query PIN", 1), 0);
}

void MainWindowTest::placementAndBarStateSurviveARestart()
{
    SetStored("DEMO", 0);
    QRect outer;
    {
        auto app = NewApp();
        QVERIFY(app->InitInstance({}));
        app->Frame()->move(100, 50);  // the outer frame's corner
        app->Frame()->resize(640, 480);
        outer = app->Frame()->frameGeometry();
        app->Frame()->Actions().Get(ID_VIEW_STATUS_BAR)->setChecked(false);
        app->Frame()->addToolBar(Qt::LeftToolBarArea, app->Frame()->ToolBar());
        app->Frame()->close();
        app->ExitInstance();
    }
    QCOMPARE(store->GetInt("1.0/Window", "x", 0), 100);
    QCOMPARE(store->GetInt("1.0/Window", "y", 0), 50);
    QCOMPARE(store->GetInt("1.0/Window", "cx", 0), outer.width());
    QCOMPARE(store->GetInt("1.0/Window", "cy", 0), outer.height());
    auto app = NewApp();
    QVERIFY(app->InitInstance({}));
    QCOMPARE(app->Frame()->frameGeometry(), outer);
    QVERIFY(app->Frame()->StatusBar()->isHidden());
    QVERIFY(!app->Frame()->ToolBar()->isHidden());
    QCOMPARE(app->Frame()->toolBarArea(app->Frame()->ToolBar()), Qt::LeftToolBarArea);
    QVERIFY(!app->Frame()->Actions().Get(ID_VIEW_STATUS_BAR)->isChecked());
}

// A window manager decorates a window only after it was shown: its margins (title bar,
// borders) are unknown at first and then come with a move of the window into its frame.
// Restarting must give the same outer size every time, not one that grows by the frame.
void MainWindowTest::placementWaitsForAFrameThatComesLate()
{
    const QRect outer(60, 50, 702, 525);  // whole on the 800x600 offscreen screen
    store->SetInt("1.0/Window", "x", outer.x());
    store->SetInt("1.0/Window", "y", outer.y());
    store->SetInt("1.0/Window", "cx", outer.width());
    store->SetInt("1.0/Window", "cy", outer.height());
    const QMargins frame(1, 24, 1, 1);
    for (int run = 1; run <= 3; ++run) {
        bool decorated = false;
        QWidget window;
        WindowPlacement placement(window, *store, [&decorated, frame] { return decorated ? frame : QMargins(); });
        placement.Restore();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        decorated = true;
        QMoveEvent intoTheFrame(window.pos() + QPoint(frame.left(), frame.top()), window.pos());
        QCoreApplication::sendEvent(&window, &intoTheFrame);
        QTRY_COMPARE(window.geometry(), outer.marginsRemoved(frame));
        placement.Save();
        QCOMPARE(QRect(store->GetInt("1.0/Window", "x", 0), store->GetInt("1.0/Window", "y", 0),
                       store->GetInt("1.0/Window", "cx", 0), store->GetInt("1.0/Window", "cy", 0)),
                 outer);
    }
}

void MainWindowTest::placementOffEveryScreenOrWithAZeroIsIgnored_data()
{
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<bool>("applies");
    QTest::addColumn<QRect>("restored");
    // Two monitors side by side, the left one at negative coordinates.
    QTest::newRow("on the main screen") << QRect(100, 50, 640, 480) << true << QRect(100, 50, 640, 480);
    QTest::newRow("on the left monitor") << QRect(-1500, 20, 640, 480) << true << QRect(-1500, 20, 640, 480);
    // Whole on the screen it shares most with: its close button within reach.
    QTest::newRow("partly on a screen") << QRect(1900, 1000, 640, 480) << true << QRect(1280, 600, 640, 480);
    QTest::newRow("across both, more on the left") << QRect(-400, 10, 600, 400) << true << QRect(-600, 10, 600, 400);
    QTest::newRow("wider than the screen") << QRect(300, 40, 2400, 500) << true << QRect(0, 40, 1920, 500);
    // Stored while a third monitor was attached that is gone now.
    QTest::newRow("off every screen") << QRect(5000, 50, 640, 480) << false << QRect();
    QTest::newRow("x zero: window at the left edge") << QRect(0, 50, 640, 480) << false << QRect();
    QTest::newRow("y zero") << QRect(100, 0, 640, 480) << false << QRect();
    QTest::newRow("no width") << QRect(100, 50, 0, 480) << false << QRect();
    QTest::newRow("negative height, a damaged file") << QRect(100, 50, 640, -480) << false << QRect();
}

void MainWindowTest::placementOffEveryScreenOrWithAZeroIsIgnored()
{
    QFETCH(QRect, stored);
    QFETCH(bool, applies);
    QFETCH(QRect, restored);
    const QList<QRect> screens{QRect(-1920, 0, 1920, 1080), QRect(0, 0, 1920, 1080)};
    QCOMPARE(WindowPlacement::Applies(stored.x(), stored.y(), stored.width(), stored.height(), screens),
             applies);
    if (applies)
        QCOMPARE(WindowPlacement::FitOnScreen(stored, screens), restored);
}

void MainWindowTest::germanWindowUnderAGermanLocale()
{
    AppLanguage german(QLocale(QLocale::German, QLocale::Germany));
    DialogScript script;
    script.PressOk();
    SetStored("", 1);
    auto app = NewApp();
    QVERIFY(app->InitInstance({}));
    QCOMPARE(script.Seen(), QStringList{QStringLiteral(
        "box: Beim Verbinden mit der angegebenen Schnittstelle ist ein Fehler aufgetreten. "
        "\u00dcberpr\u00fcfen Sie die Einstellungen.")});
    QStringList menus;
    for (QAction* menu : app->Frame()->menuBar()->actions())
        menus << menu->text();
    QCOMPARE(menus, (QStringList{"&Datei", "&Bearbeiten", "&Ansicht", "&Telefonbuch", "&Optionen", "&?"}));
    QCOMPARE(app->Frame()->View()->Model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Nummer"));
    QCOMPARE(app->Frame()->windowTitle(), QStringLiteral("Quillcast Ribodex"));
}

void MainWindowTest::lockIndicatorsFollowTheKeyboardLeds()
{
    QDir leds(dir->filePath(QStringLiteral("leds")));
    auto led = [&](const QString& name, const char* brightness) {
        QVERIFY(leds.mkpath(name));
        QFile file(leds.filePath(name + QStringLiteral("/brightness")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(brightness);
    };
    // Two keyboards: caps lock is lit on the second one only; no scroll lock LED at all;
    // a LED whose name merely contains "numlock" is no lock indicator.
    led(QStringLiteral("input3::capslock"), "0\n");
    led(QStringLiteral("input9::capslock"), "1\n");
    led(QStringLiteral("input3::numlock"), "0\n");
    led(QStringLiteral("input3::numlock-extra"), "1\n");
    const LockStates states = ReadLockStates(leds.path().toStdString());
    QCOMPARE(states.caps, std::optional<bool>(true));
    QCOMPARE(states.num, std::optional<bool>(false));
    QCOMPARE(states.scroll, std::optional<bool>());

    MainStatusBar bar;
    bar.UpdateIndicators(states);
    QStringList lit;
    for (int i = 0; i < 3; ++i)
        lit << bar.Indicator(i)->text() + (bar.Indicator(i)->isEnabled() ? "+" : "-");
    QCOMPARE(lit, (QStringList{"CAP+", "NUM-", "SCRL-"}));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
