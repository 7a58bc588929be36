// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/connection_flow.h"

#include <cerrno>
#include <optional>

#include "core/device/gsm_device.h"
#include "core/device/phone_book_storage.h"
#include "core/serial/port_scan.h"
#include "core/session/settings_store.h"
#include "core/session/user_interface.h"

namespace ribodex {

namespace {

// One step of the flow during which the device's waits (after DTR, after a disconnect,
// for a busy SIM or a slow answer, after an accepted PIN) show their progress and can be
// stopped by the user. The step's status text is set at the first report of a wait, so a
// step that never waits shows nothing.
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

private:
    GsmDevice& device;
    UserInterface& ui;
    const std::string& port;
    ProgressScope progress;
    int statusId;
    bool statusShown = false;
};

// Runs step with its waits shown under statusId (0: the status text stays); false when the
// user stopped one of them.
template <typename Step>
bool RunStep(Session& session, int statusId, Step&& step) {
    StepWaits waits(session, statusId);
    step();
    return !waits.Stopped();
}

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
    GsmDevice& device = session.device;
    if (!RunStep(session, 0, [&device] {
            device.SelectGsmCharacterSet();
            device.SelectPhoneBook(Sim);
        }))
        return StoppedByUser(session);
    session.connected = 1;
    return true;
}

// The SIM is busy for a while after taking a PIN or PUK and may refuse the next command.
// The code was taken either way: the caller remembers it before, even if the user stops.
bool PauseAfterAccepted(Session& session) {
    GsmDevice& device = session.device;
    return RunStep(session, MsgWaitingForSim,
                   [&device] { device.Wait(device.timing.afterPinAcceptedMs, device.waitProgress); });
}

// The tries left of the code the dialog asks for; nullopt when the user stopped the wait.
std::optional<PinRetries> RetriesShown(Session& session) {
    PinRetries retries;
    if (!RunStep(session, 0, [&] { retries = session.device.QueryPinRetries(); })) return std::nullopt;
    return retries;
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
        if (!RunStep(session, 0, [&] { state = device.GetPinState(); })) return StoppedByUser(session);
        switch (state) {
        case SimReady:
            return Connected(session);

        case SimPinRequired: {
            if (!storedPinTried) {
                storedPinTried = true;
                bool stored = false;
                if (!RunStep(session, 0, [&] { stored = TryStoredPin(device, session.store, port); }))
                    return StoppedByUser(session);
                if (stored) return Connected(session);
            }
            if (const std::optional<PinRetries> retries = RetriesShown(session))
                pinDialog.attemptsLeft = retries->pin.value_or(-1);
            else
                return StoppedByUser(session);
            if (!ui.PromptPin(MsgEnterPin, port, pinDialog)) {
                ui.SetIdlePrompt();
                return NotConnected(session);
            }
            // Stopped before the SIM answered: whether it took the code shows at the next connect.
            bool taken = false;
            if (!RunStep(session, 0, [&] { taken = device.EnterPin(pinDialog.pin); })) return StoppedByUser(session);
            if (!taken) {
                pinDialog.pin.clear();
                ui.ShowMessage(MsgWrongPin);
                continue;
            }
            StorePinSettings(session.store, pinDialog.save, port, pinDialog.pin);
            if (!PauseAfterAccepted(session)) return StoppedByUser(session);
            return Connected(session);
        }

        case SimPukRequired: {
            if (const std::optional<PinRetries> retries = RetriesShown(session))
                pukDialog.attemptsLeft = retries->puk.value_or(-1);
            else
                return StoppedByUser(session);
            if (!ui.PromptPuk(MsgEnterPuk, port, pukDialog)) {
                ui.SetIdlePrompt();
                return NotConnected(session);
            }
            bool taken = false;
            if (!RunStep(session, 0, [&] { taken = device.EnterPuk(pukDialog.puk, pukDialog.newPin); }))
                return StoppedByUser(session);
            if (!taken) {
                pukDialog.puk.clear();
                ui.ShowMessage(MsgWrongPuk);
                continue;
            }
            StorePinSettings(session.store, pukDialog.save, port, pukDialog.newPin);
            if (!PauseAfterAccepted(session)) return StoppedByUser(session);
            return Connected(session);
        }

        // The second PIN and PUK guard fixed dialling only: the phone book reads (an Option
        // card says SIM PUK2 with PIN checking off); a write to FD asks for PIN2 itself.
        case SimPin2Required:
        case SimPuk2Required:
            return Connected(session);

        // Codes of the phone, not of the SIM: the SIM's PIN is never sent for them.
        case PhoneLockRequired:
        case PhoneLockPukRequired:
        case NetworkLockRequired:
            if (ui.AskYesNo(state == NetworkLockRequired ? MsgNetworkLockWanted : MsgPhoneLockWanted, port))
                return Connected(session);
            ui.SetIdlePrompt();
            return NotConnected(session);

        default:
            if (ui.AskYesNo(MsgPinCheckFailed, port)) return Connected(session);
            ui.SetIdlePrompt();
            return NotConnected(session);
        }
    }
}

bool KeepsConnection(const Session& session, std::string_view portName, int queryPin) {
    return session.connected != 0 && session.device.IsConnected() && session.settings.portName == portName &&
           session.settings.queryPin == (queryPin != 0 ? 1 : 0);
}

bool AcceptSettings(Session& session, std::string_view portName, int queryPin) {
    WaitCursor wait(session.ui);
    const bool keep = KeepsConnection(session, portName, queryPin);
    session.portToSave.reset();
    if (keep) {
        SaveSettings(session.store, session.settings);
        return true;
    }
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
