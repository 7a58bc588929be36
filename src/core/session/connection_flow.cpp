// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/connection_flow.h"

#include <cerrno>

#include "core/device/gsm_device.h"
#include "core/device/phone_book_storage.h"
#include "core/serial/port_scan.h"
#include "core/session/settings_store.h"
#include "core/session/user_interface.h"

namespace ribodex {

namespace {

// One step of the flow during which the device's waits (after DTR, after a disconnect,
// for a busy SIM, after an accepted PIN) show their progress and can be stopped by the
// user. The step's status text is set at the first report of a wait, so a step that never
// waits shows nothing.
class StepWaits {
public:
    StepWaits(Session& session, int status)
        : device(session.device), ui(session.ui), port(session.settings.portName), progress(session.ui),
          statusId(status) {
        device.waitProgress = [this](int elapsedMs, int totalMs) {
            if (!statusShown && statusId != 0) ui.SetStatusText(statusId, port);
            statusShown = true;
            return progress.ReportWait(elapsedMs, totalMs);
        };
    }
    ~StepWaits() { device.waitProgress = nullptr; }
    StepWaits(const StepWaits&) = delete;
    StepWaits& operator=(const StepWaits&) = delete;

    bool Stopped() const { return progress.Stopped(); }
    // The flow's own fixed wait; false when the user stopped it.
    bool Wait(int ms) { return device.Wait(ms, device.waitProgress); }

private:
    GsmDevice& device;
    UserInterface& ui;
    const std::string& port;
    ProgressScope progress;
    int statusId;
    bool statusShown = false;
};

bool NotConnected(Session& session) {
    session.connected = 0;
    return false;
}

// The user stopped a wait: no message, the flow ends where it is.
bool StoppedByUser(Session& session) {
    session.ui.SetIdlePrompt();
    return NotConnected(session);
}

// Every successful end of the flow: each new connection starts on the SIM memory, with names
// in the GSM alphabet. The results are not looked at; a device without either command shows
// that on reading.
bool Connected(Session& session) {
    StepWaits waits(session, 0);
    session.device.SelectGsmCharacterSet();
    session.device.SelectPhoneBook(Sim);
    if (waits.Stopped()) return StoppedByUser(session);
    session.connected = 1;
    return true;
}

// The SIM is busy for a while after taking a PIN or PUK and may refuse the next command.
// The code was taken either way, so it is remembered even when the user stops the wait.
bool PauseAfterAccepted(Session& session) {
    StepWaits waits(session, MsgWaitingForSim);
    return waits.Wait(session.device.timing.afterPinAcceptedMs);
}

}  // namespace

void LoadSessionSettings(Session& session) {
    session.settings = LoadSettings(session.store);
    session.settingsLoaded = true;
}

void UsePortForThisRun(Session& session, std::string_view port) {
    if (!session.portToSave) session.portToSave = session.settings.portName;
    session.settings.portName = std::string(port);
}

bool ConnectDevice(Session& session) {
    WaitCursor wait(session.ui);
    GsmDevice& device = session.device;
    UserInterface& ui = session.ui;
    const std::string& port = session.settings.portName;

    bool opened = false;
    {
        StepWaits waits(session, MsgConnecting);
        device.Disconnect();
        if (!waits.Stopped()) {
            device.SetPort(port);
            opened = device.Connect();
        }
        // A stop in either wait leaves the port closed.
        if (waits.Stopped()) return StoppedByUser(session);
    }
    if (!opened) {
        if (device.OpenError() == EBUSY) {
            const std::string path = device.portMapper ? device.portMapper(port) : DefaultDevicePath(port);
            const std::string holder = PortHolder(path);
            ui.ShowMessage(MsgPortBusy, holder.empty() ? path : holder);
        } else {
            ui.ShowMessage(MsgConnectFailed);
        }
        return NotConnected(session);
    }
    device.simBusyHook = [&ui, &port] { ui.SetStatusText(MsgWaitingForSim, port); };
    if (session.settings.queryPin == 0) return Connected(session);

    // Kept for the whole run, so a dialog shown again opens with the previous entry.
    PinDialogData pinDialog;
    PukDialogData pukDialog;
    // Once the SIM refused the remembered PIN it is known to be wrong: trying it again in
    // the next pass would spend the user's last attempt behind the dialog's back.
    bool storedPinTried = false;
    for (;;) {
        ui.SetStatusText(MsgCheckingPin, port);
        SimState state = SimUnknown;
        {
            StepWaits waits(session, 0);
            state = device.GetPinState();
            if (waits.Stopped()) return StoppedByUser(session);
        }
        switch (state) {
        case SimReady:
            return Connected(session);

        case SimPinRequired:
            if (!storedPinTried) {
                storedPinTried = true;
                if (TryStoredPin(device, session.store, port)) return Connected(session);
            }
            pinDialog.attemptsLeft = device.QueryPinRetries().pin.value_or(-1);
            if (!ui.PromptPin(MsgEnterPin, port, pinDialog)) {
                ui.SetIdlePrompt();
                return NotConnected(session);
            }
            if (!device.EnterPin(pinDialog.pin)) {
                pinDialog.pin.clear();
                ui.ShowMessage(MsgWrongPin);
                continue;
            }
            StorePinSettings(session.store, pinDialog.save, port, pinDialog.pin);
            if (!PauseAfterAccepted(session)) return StoppedByUser(session);
            return Connected(session);

        case SimPukRequired:
            pukDialog.attemptsLeft = device.QueryPinRetries().puk.value_or(-1);
            if (!ui.PromptPuk(MsgEnterPuk, port, pukDialog)) {
                ui.SetIdlePrompt();
                return NotConnected(session);
            }
            if (!device.EnterPuk(pukDialog.puk, pukDialog.newPin)) {
                pukDialog.puk.clear();
                ui.ShowMessage(MsgWrongPuk);
                continue;
            }
            StorePinSettings(session.store, pukDialog.save, port, pukDialog.newPin);
            if (!PauseAfterAccepted(session)) return StoppedByUser(session);
            return Connected(session);

        default:
            if (ui.AskYesNo(MsgPinCheckFailed, port)) return Connected(session);
            ui.SetIdlePrompt();
            return NotConnected(session);
        }
    }
}

bool AcceptSettings(Session& session, std::string_view portName, int queryPin) {
    WaitCursor wait(session.ui);
    session.portToSave.reset();
    session.settings.portName = std::string(portName);
    session.settings.queryPin = queryPin != 0 ? 1 : 0;
    if (!ConnectDevice(session)) return false;
    SaveSettings(session.store, session.settings);
    return true;
}

bool AfterSettingsAccepted(Session& session) { return ConnectDevice(session); }

void ExitSession(Session& session) {
    session.device.Disconnect();
    if (!session.settingsLoaded) return;
    AppSettings saved = session.settings;
    if (session.portToSave) saved.portName = *session.portToSave;
    SaveSettings(session.store, saved);
}

}  // namespace ribodex
