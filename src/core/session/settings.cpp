// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/settings.h"

#include <cstddef>

#include "core/device/gsm_device.h"
#include "core/session/pin_scramble.h"
#include "core/session/settings_store.h"

namespace ribodex {

namespace {

constexpr std::string_view kPortKey = "Port";
constexpr std::string_view kQueryPinKey = "Query PIN";
constexpr std::string_view kSavePinKey = "Save PIN";
constexpr std::string_view kPinKey = "PIN";

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

AppSettings LoadSettings(const SettingsStore& store) {
    AppSettings settings;
    settings.portName = store.GetText(kSettingsSection, kPortKey, "");
    // The settings dialog's check box knows only 0 and 1.
    settings.queryPin = store.GetInt(kSettingsSection, kQueryPinKey, 1) != 0 ? 1 : 0;
    return settings;
}

void SaveSettings(SettingsStore& store, const AppSettings& settings) {
    store.SetText(kSettingsSection, kPortKey, settings.portName);
    store.SetInt(kSettingsSection, kQueryPinKey, settings.queryPin);
}

bool TryStoredPin(GsmDevice& device, const SettingsStore& store, std::string_view port) {
    const std::string section = PortSection(port);
    if (store.GetInt(section, kSavePinKey, 0) == 0) return false;
    return device.EnterPin(UnscramblePin(store.GetText(section, kPinKey, "")));
}

void StorePinSettings(SettingsStore& store, int save, std::string_view port, std::string_view pin) {
    const std::string section = PortSection(port);
    store.SetInt(section, kSavePinKey, save);
    store.SetText(section, kPinKey, save != 0 ? ScramblePin(pin) : std::string());
}

int FindPortItem(const std::vector<std::string>& items, std::string_view port) {
    // An exact match wins over the prefix rule: "/dev/ttyUSB1" must not select
    // "/dev/ttyUSB10" when both are listed.
    const auto sameFrom = [port](const std::string& item, std::size_t length) {
        if (item.size() < length || port.size() < length) return false;
        for (std::size_t k = 0; k < length; ++k)
            if (AsciiLower(item[k]) != AsciiLower(port[k])) return false;
        return true;
    };
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].size() == port.size() && sameFrom(items[i], port.size())) return static_cast<int>(i);
    // Every item begins with the empty text, so a first start selects the first item.
    for (std::size_t i = 0; i < items.size(); ++i)
        if (sameFrom(items[i], port.size())) return static_cast<int>(i);
    return -1;
}

int PlacePortItem(std::vector<std::string>& items, std::string_view port) {
    if (port.empty()) return FindPortItem(items, port);
    const int found = FindPortItem(items, port);
    if (found >= 0 && items[static_cast<std::size_t>(found)].size() == port.size()) return found;
    items.emplace_back(port);
    return static_cast<int>(items.size()) - 1;
}

}  // namespace ribodex
