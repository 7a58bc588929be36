// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/rdx_app.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>

#include "app/dialogs/about_dlg.h"
#include "app/dialogs/port_list.h"
#include "app/dialogs/settings_dlg.h"
#include "app/frame/busy_input_filter.h"
#include "app/frame/caption_frame.h"
#include "app/frame/command_actions.h"
#include "app/frame/main_frame.h"
#include "app/frame/main_status_bar.h"
#include "app/list/rdx_view.h"
#include "app/message_box.h"
#include "app/rdx_doc.h"
#include "app/string_table.h"
#include "core/list/command_state.h"
#include "core/session/settings_store.h"

namespace ribodex {
namespace {

// The one option of our own; nullopt port when absent, error text when malformed.
struct CommandLine {
    std::optional<QString> port;
    QString error;
};

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--port") && i + 1 < arguments.size()) {
            line.port = arguments[++i];
        } else if (argument.startsWith(QLatin1String("--port="))) {
            line.port = argument.mid(7);
        } else {
            line.error = QStringLiteral("unknown or incomplete argument: %1 (usage: ribodex [--port NAME])")
                             .arg(argument);
            return line;
        }
    }
    if (line.port && line.port->isEmpty())
        line.error = QStringLiteral("--port needs a port name");
    return line;
}

}  // namespace

RdxApp::RdxApp(SettingsStore& store) : RdxApp(store, Options{}) {}

RdxApp::RdxApp(SettingsStore& store, Options options)
    : store(store), demoPhone(options.demoBookPath), busyFilter(std::make_unique<BusyInputFilter>(ui)),
      session(device, store, ui)
{
    device.timing = options.timing;
    device.portMapper = sim::DemoPortMapper(demoPhone);
    // While the device answers the window stays drawn and takes only what stops the work.
    device.idleHook = [filter = busyFilter.get()] { filter->ProcessEvents(); };
}

RdxApp::~RdxApp()
{
    busyFilter->SetWindow(nullptr, nullptr, nullptr);
    frame.reset();
    // No window is left to paint during the wait after disconnecting.
    device.idleHook = nullptr;
    device.Disconnect();
    demoPhone.Stop();
}

bool RdxApp::InitInstance(const QStringList& arguments)
{
    const CommandLine line = ParseCommandLine(arguments);
    if (!line.error.isEmpty()) {
        commandLineError = line.error;
        return false;
    }

    frame = std::make_unique<CMainFrame>(session, store);
    document = std::make_unique<CRdxDoc>(frame->View(), frame->Actions());
    ui.SetFrame(frame.get());
    busyFilter->SetWindow(frame.get(), frame->StatusBar()->CancelButton(),
                          frame->Caption() != nullptr ? frame->Caption()->Bar() : nullptr);
    QObject::connect(frame->StatusBar(), &MainStatusBar::CancelClicked, frame.get(), [this] { ui.RequestStop(); });
    QObject::connect(frame->Actions().Get(ID_OPTIONS_SETTINGS), &QAction::triggered, frame.get(),
                     [this] { OnSettings(); });
    QObject::connect(frame->Actions().Get(ID_APP_ABOUT), &QAction::triggered, frame.get(),
                     [this] { OnAppAbout(); });
    frame->show();
    frame->setWindowTitle(StringTable::Text(AFX_IDS_APP_TITLE));
    // Draw the window once before the device work blocks this thread (Connect waits for the
    // device to see DTR before the first answer is awaited).
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    LoadSessionSettings(session);
    if (line.port)
        UsePortForThisRun(session, ToCp1252(*line.port));

    if (ConnectDevice(session))
        frame->View()->RefreshList();
    frame->UpdateCommandStates();
    return true;
}

int RdxApp::ExitInstance()
{
    ExitSession(session);
    demoPhone.Stop();
    return 0;
}

void RdxApp::OnSettings()
{
    WaitCursor wait(ui);
    SettingsDlgData initial{session.settings.portName, session.settings.queryPin};
    // OK with nothing changed keeps the connection and the list on screen as they are.
    bool kept = false;
    auto accept = [this, &kept](const SettingsDlgData& data) {
        WaitCursor busy(ui);
        kept = KeepsConnection(session, data.portName, data.queryPin);
        const bool done = AcceptSettings(session, data.portName, data.queryPin);
        frame->UpdateCommandStates();
        return done;
    };
    bool accepted = false;
    {
        CursorLift lift;
        CSettingsDlg dialog(initial, AvailablePorts(), accept, frame.get());
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (accepted && !kept && AfterSettingsAccepted(session))
        frame->View()->RefreshList();
    frame->UpdateCommandStates();
}

void RdxApp::OnAppAbout()
{
    CursorLift lift;
    CAboutDlg dialog(frame.get());
    dialog.exec();
}

}  // namespace ribodex
