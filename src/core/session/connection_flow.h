// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/session/settings.h"

namespace ribodex {

class GsmDevice;
class SettingsStore;
class UserInterface;

// What the application object holds for the connection. The app owns one Session for the
// whole run; device, store and ui must outlive it. UI thread only.
struct Session {
    Session(GsmDevice& device, SettingsStore& store, UserInterface& ui)
        : device(device), store(store), ui(ui) {}

    GsmDevice& device;
    SettingsStore& store;
    UserInterface& ui;
    AppSettings settings;         // defaults until LoadSessionSettings
    int connected = 0;            // 1 after a successful ConnectDevice, 0 after a failed one
    bool settingsLoaded = false;  // ExitSession saves only when set
    // Set while settings.portName is a port for this run only (the command line's): the
    // stored port, which exit saves in its place until the user confirms the settings dialog.
    std::optional<std::string> portToSave;
};

// Start-up: settings = LoadSettings(store); settingsLoaded = true.
void LoadSessionSettings(Session& session);

// After LoadSessionSettings: connect to port during this run without making it the stored
// port (a demo or a one-off must not change the port the user chose).
void UsePortForThisRun(Session& session, std::string_view port);

// (Re)opens the link on settings.portName, checks the SIM when settings.queryPin is 1
// (the remembered PIN once, then PIN or PUK prompts, as often as the user keeps trying;
// each prompt shows the tries left where the device tells them, and opens with the code
// box empty after the device refused the code typed there),
// selects the GSM character set and the SIM memory and sets connected. Shows its own
// messages; true when connected is 1. Its waits (the fixed ones, a busy SIM, an answer that
// takes over a second) show their progress; the user's stop ends the flow without a message.
// After false the link is closed only when the port could not be opened.
bool ConnectDevice(Session& session);

// Whether the settings dialog's OK with these values leaves a working connection as it is:
// connected, and the same port (byte for byte) and Query PIN.
bool KeepsConnection(const Session& session, std::string_view portName, int queryPin);

// The settings dialog's OK: takes the new values (a port for this run only becomes the
// chosen one), runs ConnectDevice and saves the settings when it succeeded. The new values
// stay in session.settings either way (exit saves them). When KeepsConnection holds, the
// values are confirmed and saved without touching the device.
bool AcceptSettings(Session& session, std::string_view portName, int queryPin);

// What follows the settings dialog closing with OK (unless KeepsConnection held for the
// values taken): ConnectDevice again (the port is
// opened a second time, as the user has always seen it); true when the caller is to
// refresh the list.
bool AfterSettingsAccepted(Session& session);

// The exit step: Disconnect, then SaveSettings when the settings were loaded at start-up
// (with portToSave in place of a port for this run only).
void ExitSession(Session& session);

}  // namespace ribodex
