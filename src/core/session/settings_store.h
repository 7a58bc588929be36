// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace ribodex {

// Persistent settings as sections of keys with an int or a text value. The app backs it
// with QSettings (a section is a group, "/" separating nested groups); tests use
// MemorySettingsStore. Texts are counted byte strings (Windows-1252, any byte including
// NUL): an implementation must give back exactly the bytes it was handed.
// One thread (the UI thread) uses a store; a failed write leaves the old value and reports
// false, which the callers ignore as the profile access they stand in for did.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // fallback when the key is absent or holds the other type.
    virtual int GetInt(std::string_view section, std::string_view key, int fallback) const = 0;
    virtual std::string GetText(std::string_view section, std::string_view key,
                                std::string_view fallback) const = 0;
    virtual bool SetInt(std::string_view section, std::string_view key, int value) = 0;
    virtual bool SetText(std::string_view section, std::string_view key, std::string_view value) = 0;
};

// A map, for tests and for runs that must not touch the user's settings.
class MemorySettingsStore : public SettingsStore {
public:
    int GetInt(std::string_view section, std::string_view key, int fallback) const override;
    std::string GetText(std::string_view section, std::string_view key,
                        std::string_view fallback) const override;
    bool SetInt(std::string_view section, std::string_view key, int value) override;
    bool SetText(std::string_view section, std::string_view key, std::string_view value) override;

    bool Contains(std::string_view section, std::string_view key) const;

private:
    struct Value {
        bool isInt = false;
        int number = 0;
        std::string text;
    };
    std::map<std::pair<std::string, std::string>, Value, std::less<>> values;
};

// The section every setting of the program lives under.
inline constexpr std::string_view kSettingsSection = "1.0";
inline constexpr std::string_view kWindowSection = "1.0/Window";
inline constexpr std::string_view kBarStateSection = "1.0/BarState";

// The per-port section "1.0/<port>", one group deep whatever the port name holds:
// "%" becomes "%25", "/" "%2F" and "\" "%5C", so "/dev/ttyUSB0" maps to
// "1.0/%2Fdev%2FttyUSB0" and never to nested groups; "COM2" stays "1.0/COM2".
// Distinct port names always give distinct sections.
std::string PortSection(std::string_view portName);

}  // namespace ribodex
