// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ribodex {

class GsmDevice;
class SettingsStore;

// The two connection settings the user chooses, as the application holds them.
struct AppSettings {
    std::string portName;  // "COM1", "/dev/ttyUSB0", "DEMO"; empty until chosen
    int queryPin = 1;      // 1: the connection flow checks the SIM and prompts for PIN/PUK
};

// "Port" (default empty) and "Query PIN" (default 1) of section "1.0". A stored Query PIN
// other than 0 reads as 1.
AppSettings LoadSettings(const SettingsStore& store);
// Writes both values to section "1.0".
void SaveSettings(SettingsStore& store, const AppSettings& settings);

// Unlocks the SIM with the PIN remembered for port: false without touching the device when
// "Save PIN" of the port's section is 0 or absent, else the result of EnterPin with the
// unscrambled "PIN" (an empty stored PIN is sent too).
bool TryStoredPin(GsmDevice& device, const SettingsStore& store, std::string_view port);
// Records "Save PIN" = save for port and the scrambled pin, or an empty "PIN" when save is
// 0 so that a PIN remembered earlier is erased.
void StorePinSettings(SettingsStore& store, int save, std::string_view port, std::string_view pin);

// The port list of the settings dialog selects the item equal to the port text, else the
// first item that begins with it (an empty text: the first item), both without regard to
// ASCII case; -1 when none does.
int FindPortItem(const std::vector<std::string>& items, std::string_view port);
// The item the settings dialog selects for the port in use: the item equal to it without
// regard to ASCII case; a port no item equals (a path typed or given with --port) is
// appended to items first, so the dialog never opens without it. An empty port selects as
// FindPortItem does.
int PlacePortItem(std::vector<std::string>& items, std::string_view port);

}  // namespace ribodex
